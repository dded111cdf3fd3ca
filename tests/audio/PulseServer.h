// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A private PulseAudio server with one null sink, "vorlix", for tests and
// benches: its files live in a temporary folder, it never exits on its own,
// and it is stopped by its process id. Works as root.
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace vorlix::audio {

template <typename Done>
bool waitFor(Done done, int ms)
{
    for (QDeadlineTimer deadline(ms); !done(); QThread::msleep(20))
        if (deadline.hasExpired())
            return false;
    return true;
}

class PulseServer {
public:
    static constexpr int kRate = 44100;
    ~PulseServer()
    {
        server_.kill();
        server_.waitForFinished();
    }

    static std::unique_ptr<PulseServer> start(QString* error)   // empty on failure
    {
        std::unique_ptr<PulseServer> s(new PulseServer);
        const QString dir = s->dir_.path();
        QFile config(dir + "/client.conf");
        if (!s->dir_.isValid() || !config.open(QIODevice::WriteOnly) || config.write("autospawn = no\n") < 0)
            return *error = "no temporary folder", nullptr;
        config.close();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "PULSE_RUNTIME_PATH", "PULSE_STATE_PATH"})
            env.insert(name, dir);
        env.remove("DBUS_SESSION_BUS_ADDRESS");
        env.remove("DISPLAY");
        s->server_.setProcessEnvironment(env);
        s->server_.setStandardOutputFile(dir + "/server.log");
        s->server_.setStandardErrorFile(dir + "/server.log");
        s->server_.start("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
            "-L", QString("module-null-sink sink_name=vorlix rate=%1").arg(kRate),
            "-L", QString("module-native-protocol-unix auth-anonymous=1 socket=%1/native").arg(dir)});
        if (!s->server_.waitForStarted(5000))
            return *error = "pulseaudio is not installed", nullptr;
        if (!waitFor([&] { return s->run("pactl", {"info"}); }, 10000))
            return *error = "the private pulseaudio does not answer", nullptr;
        return s;
    }

    // `base` with what a client needs to reach this server only.
    QProcessEnvironment clientEnvironment(QProcessEnvironment base = QProcessEnvironment::systemEnvironment()) const
    {
        base.insert("PULSE_SERVER", "unix:" + dir_.filePath("native"));
        base.insert("PULSE_CLIENTCONFIG", dir_.filePath("client.conf"));
        base.remove("SDL_AUDIODRIVER");
        return base;
    }

    bool run(const QString& program, const QStringList& args, QString* output = nullptr) const
    {
        QProcess process;
        process.setProcessEnvironment(clientEnvironment());
        process.start(program, args);
        const bool done = process.waitForFinished(10000);   // ~QProcess ends one that hangs
        if (output)
            *output = QString::fromLocal8Bit(process.readAllStandardOutput());
        return done && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }
    QString folder() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    QProcess server_;
};

// The sink's monitor, recorded by parec as 16-bit stereo in 10 ms pieces.
class MonitorRecording {
public:
    explicit MonitorRecording(const PulseServer& server)   // returns once recording
        : file_(server.folder() + QString("/monitor-%1.raw").arg(quintptr(this)))
    {
        parec_.setProcessEnvironment(server.clientEnvironment());
        parec_.setStandardOutputFile(file_);
        parec_.start("parec", {"-d", "vorlix.monitor", "--raw", "--format=s16le", "--channels=2",
                                  QString("--rate=%1").arg(PulseServer::kRate), "--latency-msec=10"});
        started_ = parec_.waitForStarted(5000) && waitFor([this] { return frames() > 0; }, 5000);
    }
    ~MonitorRecording()
    {
        parec_.kill();
        parec_.waitForFinished();
        QFile::remove(file_);
    }
    bool started() const { return started_; }
    std::size_t frames() const { return std::size_t(QFile(file_).size() / 4); }
    std::vector<std::int16_t> samples() const   // interleaved left, right
    {
        QFile file(file_);
        const QByteArray raw = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        const auto* p = reinterpret_cast<const std::int16_t*>(raw.constData());
        return {p, p + (raw.size() / 4) * 2};
    }

private:
    QProcess parec_;
    QString file_;
    bool started_ = false;
};

// The frames from `from` on where a channel is louder than `level`: the
// first one (-1: none), or how many.
inline long firstSound(const std::vector<std::int16_t>& s, std::size_t from = 0, int level = 64, bool count = false)
{
    long n = 0;
    for (std::size_t i = from * 2; i + 1 < s.size(); i += 2)
        if (std::abs(int(s[i])) > level || std::abs(int(s[i + 1])) > level) {
            if (!count)
                return long(i / 2);
            ++n;
        }
    return count ? n : -1;
}
inline std::size_t soundFrames(const std::vector<std::int16_t>& s) { return std::size_t(firstSound(s, 0, 64, true)); }

} // namespace vorlix::audio
