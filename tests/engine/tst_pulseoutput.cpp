// The engine through a real PulseAudio server (a private one with a null
// sink), checked on what the sink plays: the song's first frames, pause,
// a volume step, and the end of the song coming after its last frame.
#include "audio/PulseServer.h"
#include "engine/Mp3Engine.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <atomic>

using namespace vorlix;
using namespace vorlix::audio;

namespace {

std::vector<std::int16_t> reference(const QString& mp3)
{
    QProcess mpg123;
    mpg123.start("mpg123", {"-q", "--stereo", "-s", mp3});
    mpg123.waitForFinished(60000);
    const QByteArray raw = mpg123.readAllStandardOutput();
    const auto* samples = reinterpret_cast<const std::int16_t*>(raw.constData());
    return {samples, samples + raw.size() / 2};
}

int peak(const std::vector<std::int16_t>& samples, std::size_t fromFrame, std::size_t toFrame)
{
    int most = 0;
    for (std::size_t i = fromFrame * 2; i < std::min(samples.size(), toFrame * 2); ++i)
        most = std::max(most, std::abs(int(samples[i])));
    return most;
}

} // namespace

class TestPulseOutput : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<PulseServer> server_;
    QString song_;
    std::vector<std::int16_t> reference_;

    std::size_t sinkInputs() const
    {
        QString out;
        server_->run("pactl", {"list", "short", "sink-inputs"}, &out);
        return std::size_t(out.count('\n'));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        QString error;
        server_ = PulseServer::start(&error);
        if (!server_)
            QSKIP(qPrintable(error));
        const QProcessEnvironment env = server_->clientEnvironment();
        for (const char* name : {"PULSE_SERVER", "PULSE_CLIENTCONFIG"})
            qputenv(name, env.value(name).toLocal8Bit());
        song_ = dir_.filePath("tones.mp3");
        QCOMPARE(QProcess::execute("sox", {"-D", "-n", "-r", "44100", "-c", "2", "-b", "16", dir_.filePath("t.wav"),
                                               "synth", "2", "sine", "440", "sine", "1000", "vol", "0.5"}), 0);
        QCOMPARE(QProcess::execute("lame", {"--quiet", "-b", "128", dir_.filePath("t.wav"), song_}), 0);
        reference_ = reference(song_);
        QVERIFY(reference_.size() > 2 * 80000);
    }

    void playsThroughTheServer_data()
    {
        QTest::addColumn<QByteArray>("action");
        QTest::newRow("to its end") << QByteArray("end");
        QTest::newRow("pause") << QByteArray("pause");
        QTest::newRow("volume step") << QByteArray("volume");
    }

    void playsThroughTheServer()
    {
        QFETCH(QByteArray, action);
        MonitorRecording recording(*server_);
        QVERIFY(recording.started());
        Mp3Engine::Options options;
        options.output = Mp3Engine::Output::Pulse;
        std::atomic<std::size_t> handedOut{0};
        options.onFrames = [&](const std::int16_t*, std::size_t n) { handedOut += n; };
        Mp3Engine engine(options);
        QVERIFY(engine.Open(QFile::encodeName(song_).toStdString(), ""));
        QCOMPARE(engine.Play(), std::optional<int>(0));

        // First sound: the song's own first frames, untouched.
        long onset = -1;
        QTRY_VERIFY_WITH_TIMEOUT((onset = firstSound(recording.samples())) >= 0, 5000);
        const long lead = firstSound(reference_);
        QTRY_VERIFY(recording.frames() > std::size_t(onset) + 8192);
        const auto heard = recording.samples();
        // The sink's monitor misses the first few milliseconds of a stream
        // that starts on a running sink (the sink rewinds over sound the
        // recording already has); the rest is the song, bit for bit.
        bool found = false;
        for (long k = lead; k < lead + 2205 && !found; ++k)
            found = std::equal(heard.begin() + 2 * onset, heard.begin() + 2 * (onset + 8192), reference_.begin() + 2 * k);
        QVERIFY2(found, "the song's first frames are not what the sink plays");
        const std::size_t songFrames = reference_.size() / 2 - std::size_t(lead);

        if (action == "end") {
            std::optional<int> status;
            QTRY_VERIFY_WITH_TIMEOUT((status = engine.Play()) == kSongOver, 10000);
            // 650 comes once the song has been heard, not when it was handed to
            // the server (which holds up to a second of it).
            const std::size_t heardAtEnd = soundFrames(recording.samples());
            QVERIFY2(heardAtEnd + 4410 >= songFrames, qPrintable(QString("%1 of %2").arg(heardAtEnd).arg(songFrames)));
        } else if (action == "pause") {
            QTest::qWait(300);
            QVERIFY(engine.Pause());
            QCOMPARE(sinkInputs(), std::size_t(0));   // the stream is let go at once
            QTest::qWait(300);
            const std::size_t atPause = soundFrames(recording.samples());
            QTest::qWait(500);
            QCOMPARE(soundFrames(recording.samples()), atPause);
            QVERIFY2(atPause < songFrames / 2, qPrintable(QString("%1 of %2").arg(atPause).arg(songFrames)));
            QCOMPARE(engine.Play(), std::optional<int>(0));   // does not resume
            QTest::qWait(300);
            QCOMPARE(soundFrames(recording.samples()), atPause);
        } else {
            QVERIFY(engine.SetVolume(6554, kVolumeMax));
            const std::size_t from = recording.frames() + 44100 / 10;
            QTRY_VERIFY(recording.frames() > from + 8192);
            const auto after = recording.samples();
            std::vector<std::int16_t> left, right;
            for (std::size_t i = from; i < from + 8192; ++i) {
                left.push_back(after[2 * i]);
                right.push_back(after[2 * i + 1]);
            }
            const int full = peak(heard, std::size_t(onset), std::size_t(onset) + 8192);
            const int quiet = *std::max_element(left.begin(), left.end());
            const int loud = *std::max_element(right.begin(), right.end());
            QVERIFY2(quiet > full / 20 && quiet < full / 5, qPrintable(QString("%1 against %2").arg(quiet).arg(full)));
            QVERIFY2(loud > full / 2, qPrintable(QString("%1 against %2").arg(loud).arg(full)));
        }
    }

    void cleanupTestCase() { server_.reset(); }
};

QTEST_GUILESS_MAIN(TestPulseOutput)
#include "tst_pulseoutput.moc"
