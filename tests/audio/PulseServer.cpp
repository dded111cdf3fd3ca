#include "audio/PulseServer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <cstdlib>
#include <functional>

namespace vorlix::audio {

namespace {

bool waitFor(const std::function<bool()>& done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QThread::msleep(20);
    }
    return true;
}

} // namespace

std::unique_ptr<PulseServer> PulseServer::start(QString* error)
{
    std::unique_ptr<PulseServer> server(new PulseServer);
    if (!server->dir_.isValid()) {
        *error = QStringLiteral("no temporary folder");
        return {};
    }
    const QString dir = server->dir_.path();
    QFile clientConfig(dir + QStringLiteral("/client.conf"));
    if (!clientConfig.open(QIODevice::WriteOnly) || clientConfig.write("autospawn = no\n") < 0) {
        *error = QStringLiteral("cannot write the client configuration");
        return {};
    }
    clientConfig.close();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), dir);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir);
    env.insert(QStringLiteral("PULSE_RUNTIME_PATH"), dir + QStringLiteral("/run"));
    env.insert(QStringLiteral("PULSE_STATE_PATH"), dir + QStringLiteral("/state"));
    env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    env.remove(QStringLiteral("DISPLAY"));
    server->server_.setProcessEnvironment(env);
    server->server_.setStandardOutputFile(dir + QStringLiteral("/server.log"));
    server->server_.setStandardErrorFile(dir + QStringLiteral("/server.log"));
    server->server_.start(QStringLiteral("pulseaudio"),
        {QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"),
            QStringLiteral("--use-pid-file=no"), QStringLiteral("--disallow-exit"),
            QStringLiteral("--log-target=stderr"),
            QStringLiteral("-L"), QStringLiteral("module-null-sink sink_name=vorlix rate=%1").arg(kRate),
            QStringLiteral("-L"),
            QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=%1/native").arg(dir)});
    if (!server->server_.waitForStarted(5000)) {
        *error = QStringLiteral("pulseaudio is not installed");
        return {};
    }
    if (!waitFor([&] { return server->run(QStringLiteral("pactl"), {QStringLiteral("info")}); }, 10000)) {
        *error = QStringLiteral("the private pulseaudio did not answer");
        return {};
    }
    return server;
}

PulseServer::~PulseServer()
{
    if (server_.state() == QProcess::NotRunning)
        return;
    server_.terminate();
    if (!server_.waitForFinished(5000)) {
        server_.kill();
        server_.waitForFinished(2000);
    }
}

QProcessEnvironment PulseServer::clientEnvironment(QProcessEnvironment base) const
{
    base.insert(QStringLiteral("PULSE_SERVER"), address());
    base.insert(QStringLiteral("PULSE_CLIENTCONFIG"), dir_.filePath(QStringLiteral("client.conf")));
    base.remove(QStringLiteral("SDL_AUDIODRIVER"));
    return base;
}

bool PulseServer::run(const QString& program, const QStringList& args, QString* output) const
{
    QProcess process;
    process.setProcessEnvironment(clientEnvironment());
    process.start(program, args);
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    if (output)
        *output = QString::fromLocal8Bit(process.readAllStandardOutput());
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

MonitorRecording::MonitorRecording(const PulseServer& server)
    : file_(server.folder() + QStringLiteral("/monitor-%1.raw").arg(reinterpret_cast<quintptr>(this)))
{
    parec_.setProcessEnvironment(server.clientEnvironment());
    parec_.setStandardOutputFile(file_);
    parec_.start(QStringLiteral("parec"),
        {QStringLiteral("-d"), QStringLiteral("vorlix.monitor"), QStringLiteral("--raw"),
            QStringLiteral("--format=s16le"), QStringLiteral("--channels=2"),
            QStringLiteral("--rate=%1").arg(PulseServer::kRate), QStringLiteral("--latency-msec=10")});
    // Recording has begun once the first silence arrives.
    started_ = parec_.waitForStarted(5000) && waitFor([this] { return frames() > 0; }, 5000);
}

MonitorRecording::~MonitorRecording()
{
    if (parec_.state() != QProcess::NotRunning) {
        parec_.terminate();
        if (!parec_.waitForFinished(3000)) {
            parec_.kill();
            parec_.waitForFinished(2000);
        }
    }
    QFile::remove(file_);
}

std::size_t MonitorRecording::frames()
{
    return std::size_t(QFile(file_).size() / 4);
}

std::vector<std::int16_t> MonitorRecording::samples()
{
    QFile file(file_);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray raw = file.readAll();
    const auto* p = reinterpret_cast<const std::int16_t*>(raw.constData());
    return {p, p + (raw.size() / 4) * 2};
}

long firstSound(const std::vector<std::int16_t>& samples, std::size_t from, int level)
{
    for (std::size_t i = from * 2; i + 1 < samples.size(); i += 2)
        if (std::max(std::abs(samples[i]), std::abs(samples[i + 1])) > level)
            return long(i / 2);
    return -1;
}

std::size_t soundFrames(const std::vector<std::int16_t>& samples, int level)
{
    std::size_t n = 0;
    for (std::size_t i = 0; i + 1 < samples.size(); i += 2)
        n += std::max(std::abs(samples[i]), std::abs(samples[i + 1])) > level;
    return n;
}

} // namespace vorlix::audio
