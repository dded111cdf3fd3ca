#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <memory>
#include <vector>

namespace vorlix::audio {

// A PulseAudio server of our own, with one null sink, for tests and benches:
// its sockets, state and runtime files live in a temporary folder; it never
// exits when idle; it is stopped by its process id. Works as root.
class PulseServer {
public:
    static constexpr int kRate = 44100;

    // Empty (with the reason) when it cannot be started.
    static std::unique_ptr<PulseServer> start(QString* error);
    ~PulseServer();

    // PULSE_SERVER for its clients.
    QString address() const { return QStringLiteral("unix:") + dir_.filePath(QStringLiteral("native")); }
    // `base` with the variables a client needs to reach this server only.
    QProcessEnvironment clientEnvironment(QProcessEnvironment base = QProcessEnvironment::systemEnvironment()) const;
    // Runs pactl (or another client program) against the server.
    bool run(const QString& program, const QStringList& args, QString* output = nullptr) const;
    QString folder() const { return dir_.path(); }

private:
    PulseServer() = default;
    QTemporaryDir dir_;
    QProcess server_;
};

// What the null sink plays, as recorded from its monitor by parec: 16-bit
// stereo at the server's rate, in small fragments so it arrives promptly.
class MonitorRecording {
public:
    explicit MonitorRecording(const PulseServer& server);
    ~MonitorRecording();
    bool started() const { return started_; }
    // Every sample recorded so far (interleaved left, right).
    std::vector<std::int16_t> samples();
    std::size_t frames();

private:
    QProcess parec_;
    QString file_;
    bool started_ = false;
};

// Index of the first frame from `from` on whose louder channel exceeds
// `level`; -1 if none.
long firstSound(const std::vector<std::int16_t>& samples, std::size_t from = 0, int level = 64);
// Frames whose louder channel exceeds `level`.
std::size_t soundFrames(const std::vector<std::int16_t>& samples, int level = 64);

} // namespace vorlix::audio
