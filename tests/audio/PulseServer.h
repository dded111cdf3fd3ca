#pragma once

#include <QProcess>
#include <QTemporaryDir>

#include <cstdint>
#include <memory>
#include <vector>

namespace vorlix::audio {

// A private PulseAudio server with one null sink, "vorlix", for tests and
// benches: all its files live in a temporary folder, it never exits on its
// own, and it is stopped by its process id. Works as root.
class PulseServer {
public:
    static constexpr int kRate = 44100;
    static std::unique_ptr<PulseServer> start(QString* error);   // empty on failure
    ~PulseServer();
    // `base` with what a client needs to reach this server only.
    QProcessEnvironment clientEnvironment(QProcessEnvironment base = QProcessEnvironment::systemEnvironment()) const;
    bool run(const QString& program, const QStringList& args, QString* output = nullptr) const;
    QString folder() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    QProcess server_;
};

// The sink's monitor, recorded by parec as 16-bit stereo in 10 ms pieces.
class MonitorRecording {
public:
    explicit MonitorRecording(const PulseServer& server);   // returns once recording
    ~MonitorRecording();
    bool started() const { return started_; }
    std::vector<std::int16_t> samples();   // interleaved left, right
    std::size_t frames();

private:
    QProcess parec_;
    QString file_;
    bool started_ = false;
};

// The first frame from `from` on, and the number of frames, where a channel
// is louder than `level`.
long firstSound(const std::vector<std::int16_t>& samples, std::size_t from = 0, int level = 64);
std::size_t soundFrames(const std::vector<std::int16_t>& samples, int level = 64);

} // namespace vorlix::audio
