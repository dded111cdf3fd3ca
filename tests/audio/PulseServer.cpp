#include "audio/PulseServer.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <cstdlib>

namespace vorlix::audio {

namespace {

template <typename Done>
bool waitFor(Done done, int ms)
{
    for (QDeadlineTimer deadline(ms); !done(); QThread::msleep(20))
        if (deadline.hasExpired())
            return false;
    return true;
}

void stop(QProcess& process)
{
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(2000);
    }
}

bool loud(const std::vector<std::int16_t>& s, std::size_t i, int level)
{
    return std::abs(int(s[i])) > level || std::abs(int(s[i + 1])) > level;
}

} // namespace

std::unique_ptr<PulseServer> PulseServer::start(QString* error)
{
    std::unique_ptr<PulseServer> server(new PulseServer);
    const QString dir = server->dir_.path();
    QFile config(dir + "/client.conf");
    if (!server->dir_.isValid() || !config.open(QIODevice::WriteOnly) || config.write("autospawn = no\n") < 0) {
        *error = "no temporary folder";
        return {};
    }
    config.close();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "PULSE_RUNTIME_PATH", "PULSE_STATE_PATH"})
        env.insert(name, dir);
    env.remove("DBUS_SESSION_BUS_ADDRESS");
    env.remove("DISPLAY");
    server->server_.setProcessEnvironment(env);
    server->server_.setStandardOutputFile(dir + "/server.log");
    server->server_.setStandardErrorFile(dir + "/server.log");
    server->server_.start("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
        "-L", QString("module-null-sink sink_name=vorlix rate=%1").arg(kRate),
        "-L", QString("module-native-protocol-unix auth-anonymous=1 socket=%1/native").arg(dir)});
    if (!server->server_.waitForStarted(5000))
        *error = "pulseaudio is not installed";
    else if (!waitFor([&] { return server->run("pactl", {"info"}); }, 10000))
        *error = "the private pulseaudio does not answer";
    else
        return server;
    return {};
}

PulseServer::~PulseServer()
{
    if (server_.state() != QProcess::NotRunning)
        stop(server_);
}

QProcessEnvironment PulseServer::clientEnvironment(QProcessEnvironment base) const
{
    base.insert("PULSE_SERVER", "unix:" + dir_.filePath("native"));
    base.insert("PULSE_CLIENTCONFIG", dir_.filePath("client.conf"));
    base.remove("SDL_AUDIODRIVER");
    return base;
}

bool PulseServer::run(const QString& program, const QStringList& args, QString* output) const
{
    QProcess process;
    process.setProcessEnvironment(clientEnvironment());
    process.start(program, args);
    if (!process.waitForFinished(10000)) {
        stop(process);
        return false;
    }
    if (output)
        *output = QString::fromLocal8Bit(process.readAllStandardOutput());
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

MonitorRecording::MonitorRecording(const PulseServer& server)
    : file_(server.folder() + QString("/monitor-%1.raw").arg(quintptr(this)))
{
    parec_.setProcessEnvironment(server.clientEnvironment());
    parec_.setStandardOutputFile(file_);
    parec_.start("parec", {"-d", "vorlix.monitor", "--raw", "--format=s16le", "--channels=2",
                              QString("--rate=%1").arg(PulseServer::kRate), "--latency-msec=10"});
    started_ = parec_.waitForStarted(5000) && waitFor([this] { return frames() > 0; }, 5000);
}

MonitorRecording::~MonitorRecording()
{
    if (parec_.state() != QProcess::NotRunning)
        stop(parec_);
    QFile::remove(file_);
}

std::size_t MonitorRecording::frames() { return std::size_t(QFile(file_).size() / 4); }

std::vector<std::int16_t> MonitorRecording::samples()
{
    QFile file(file_);
    const QByteArray raw = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const auto* p = reinterpret_cast<const std::int16_t*>(raw.constData());
    return {p, p + (raw.size() / 4) * 2};
}

long firstSound(const std::vector<std::int16_t>& samples, std::size_t from, int level)
{
    for (std::size_t i = from * 2; i + 1 < samples.size(); i += 2)
        if (loud(samples, i, level))
            return long(i / 2);
    return -1;
}

std::size_t soundFrames(const std::vector<std::int16_t>& samples, int level)
{
    std::size_t n = 0;
    for (std::size_t i = 0; i + 1 < samples.size(); i += 2)
        n += loud(samples, i, level);
    return n;
}

} // namespace vorlix::audio
