// The engine through a private PulseAudio server, checked on what its null
// sink plays: the song's own first frames, pause, a volume step at the
// server, and 650 only once the last frame has been played, or the server
// has gone; and a click that leaves the server once played.
#include "audio/PulseServer.h"
#include "engine/Mp3Engine.h"
#include "platform/PulseSoundPlayer.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace vorlix;
using namespace vorlix::audio;

class TestPulseOutput : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<PulseServer> server_;
    QString song_;
    std::vector<std::int16_t> reference_;   // what mpg123 makes of the song

    int peak(const std::vector<std::int16_t>& s, std::size_t from, int channel)
    {
        int most = 0;
        for (std::size_t i = 2 * from + channel; i < std::min(s.size(), 2 * (from + 8192)); i += 2)
            most = std::max(most, std::abs(int(s[i])));
        return most;
    }

private slots:
    void initTestCase()
    {
        QString error;
        server_ = PulseServer::start(&error);
        if (!server_)
            QSKIP(qPrintable(error));
        const QProcessEnvironment env = server_->clientEnvironment();
        qputenv("PULSE_SERVER", env.value("PULSE_SERVER").toLocal8Bit());
        qputenv("PULSE_CLIENTCONFIG", env.value("PULSE_CLIENTCONFIG").toLocal8Bit());
        qunsetenv("SDL_AUDIODRIVER");   // else the clicks take SDL's
        song_ = dir_.filePath("tones.mp3");
        QCOMPARE(QProcess::execute("sox", {"-D", "-n", "-r", "44100", "-c", "2", "-b", "16", dir_.filePath("t.wav"),
                                               "synth", "2", "sine", "440", "sine", "1000", "vol", "0.5"}), 0);
        QCOMPARE(QProcess::execute("lame", {"--quiet", "-b", "128", dir_.filePath("t.wav"), song_}), 0);
        QProcess mpg123;
        mpg123.start("mpg123", {"-q", "-s", song_});
        QVERIFY(mpg123.waitForFinished(60000));
        const QByteArray raw = mpg123.readAllStandardOutput();
        const auto* p = reinterpret_cast<const std::int16_t*>(raw.constData());
        reference_.assign(p, p + raw.size() / 2);
        QVERIFY(reference_.size() > 2 * 80000);
    }

    void clickPlaysAndLeaves()
    {
        const QString wav = dir_.filePath("click.wav");
        QCOMPARE(QProcess::execute("sox", {"-n", "-r", "22050", "-c", "1", "-b", "16", wav, "synth", "0.1", "sine", "880"}), 0);
        MonitorRecording recording(*server_);
        PulseSoundPlayer player({});
        player.play(wav);
        QTRY_VERIFY_WITH_TIMEOUT(firstSound(recording.samples()) >= 0, 5000);
        QString streams = "?";
        QTRY_VERIFY((server_->run("pactl", {"list", "short", "sink-inputs"}, &streams), streams.isEmpty()));
        QVERIFY(soundFrames(recording.samples()) < 4410 * 2);   // 0.1 s, as 44.1 kHz stereo
    }

    void playsThroughTheServer_data()
    {
        QTest::addColumn<QByteArray>("action");
        QTest::newRow("to its end") << QByteArray("end");
        QTest::newRow("pause") << QByteArray("pause");
        QTest::newRow("volume step") << QByteArray("volume");
        QTest::newRow("server gone mid-song (last)") << QByteArray("gone");
    }

    void playsThroughTheServer()
    {
        QFETCH(QByteArray, action);
        MonitorRecording recording(*server_);
        QVERIFY(recording.started());
        Mp3Engine::Options options;
        options.output = Mp3Engine::Output::Pulse;
        Mp3Engine engine(options);
        QVERIFY(engine.Open(QFile::encodeName(song_).toStdString(), ""));
        QCOMPARE(engine.Play(), std::optional<int>(0));

        long onset = -1;
        QTRY_VERIFY_WITH_TIMEOUT((onset = firstSound(recording.samples())) >= 0, 5000);
        QTRY_VERIFY(recording.frames() > std::size_t(onset) + 8192);
        const auto heard = recording.samples();
        // The monitor misses the first milliseconds of a stream that starts
        // on a running sink; from there on it is the song, bit for bit.
        const long lead = firstSound(reference_);
        bool found = false;
        for (long k = lead; k < lead + 2205 && !found; ++k)
            found = std::equal(heard.begin() + 2 * onset, heard.begin() + 2 * (onset + 8192), reference_.begin() + 2 * k);
        QVERIFY2(found, "the sink does not play the song's first frames");
        const std::size_t songFrames = reference_.size() / 2 - std::size_t(lead);

        if (action == "end") {
            // The server holds up to a second of the song when the engine
            // has handed out its last frame: 650 waits until it is played.
            QTRY_VERIFY_WITH_TIMEOUT(engine.Play() == kSongOver, 10000);
            const std::size_t played = soundFrames(recording.samples());
            QVERIFY2(played + 4410 >= songFrames, qPrintable(QString("%1 of %2").arg(played).arg(songFrames)));
        } else if (action == "pause") {
            QTest::qWait(300);
            QVERIFY(engine.Pause());
            QString streams;
            QVERIFY(server_->run("pactl", {"list", "short", "sink-inputs"}, &streams));
            QCOMPARE(streams, QString());   // let go at once
            QTest::qWait(300);
            const std::size_t atPause = soundFrames(recording.samples());
            QCOMPARE(engine.Play(), std::optional<int>(0));   // does not resume
            QTest::qWait(500);
            QCOMPARE(soundFrames(recording.samples()), atPause);
            QVERIFY2(atPause < songFrames / 2, qPrintable(QString("%1 of %2").arg(atPause).arg(songFrames)));
        } else if (action == "gone") {
            server_.reset();   // the song still ends, in silence and in time
            QTRY_VERIFY_WITH_TIMEOUT(engine.Play() == kSongOver, 10000);
        } else {
            QVERIFY(engine.SetVolume(6554, kVolumeMax));
            const std::size_t from = recording.frames() + 4410;   // 0.1 s on
            QTRY_VERIFY(recording.frames() > from + 8192);
            const auto after = recording.samples();
            const int left = peak(heard, onset, 0), right = peak(heard, onset, 1);
            QVERIFY2(std::abs(peak(after, from, 0) - left / 10) < left / 50, qPrintable(QString::number(peak(after, from, 0))));
            QVERIFY(std::abs(peak(after, from, 1) - right) < right / 50);
        }
    }
};

QTEST_GUILESS_MAIN(TestPulseOutput)
#include "tst_pulseoutput.moc"
