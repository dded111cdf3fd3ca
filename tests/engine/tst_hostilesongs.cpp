// Songs that try to hang or cheat the engine: special files in place of a
// song, a song followed by a huge tail of zeros, an ID3v2 tag that lies about
// its size. Played on the device-less outputs.
#include "engine/Mp3Engine.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <thread>

using namespace vorlix;
using namespace std::chrono_literals;

namespace {

std::string local(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Frames the engine hands to its output.
struct Counted {
    explicit Counted(Mp3Engine::Output output)
    {
        Mp3Engine::Options options;
        options.output = output;
        options.onFrames = [this](const std::int16_t*, std::size_t n) { frames += n; };
        engine = std::make_unique<Mp3Engine>(options);
    }
    std::atomic<std::size_t> frames{0};
    std::unique_ptr<Mp3Engine> engine;
};

// An ID3v2.4 header claiming `claimed` bytes of body.
QByteArray id3Header(quint32 claimed)
{
    QByteArray h("ID3\x04\x00\x00", 6);
    for (int shift : {21, 14, 7, 0})
        h.append(char((claimed >> shift) & 0x7f));
    return h;
}

} // namespace

class TestHostileSongs : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString song_;
    std::size_t songFrames_ = 0;

    QString path(const QString& name) const { return dir_.filePath(name); }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        song_ = path("tones.mp3");
        QCOMPARE(QProcess::execute("sox", {"-D", "-n", "-r", "44100", "-c", "2", "-b", "16", path("tones.wav"),
                                               "synth", "1", "sine", "440", "sine", "1000"}), 0);
        QCOMPARE(QProcess::execute("lame", {"--quiet", "-b", "128", path("tones.wav"), song_}), 0);
        QProcess mpg123;
        mpg123.start("mpg123", {"-q", "-s", song_});
        QVERIFY(mpg123.waitForFinished(60000));
        songFrames_ = std::size_t(mpg123.readAllStandardOutput().size()) / 4;
        QVERIFY(songFrames_ > 40000);
    }

    // Open must neither wait for a FIFO's writer nor read an endless device;
    // a good song opens after it.
    void specialFilesAreRefusedAtOnce_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("FIFO") << path("fifo.mp3");
        QTest::newRow("endless device") << QString("/dev/zero");
    }

    void specialFilesAreRefusedAtOnce()
    {
        QFETCH(QString, file);
        if (file.endsWith("fifo.mp3") && !QFile::exists(file))
            QCOMPARE(::mkfifo(local(file).c_str(), 0600), 0);
        Counted rig(Mp3Engine::Output::NullFast);
        std::atomic<int> opened{-1};
        std::thread opener([&] { opened = rig.engine->Open(local(file), ""); });
        const bool returned = QTest::qWaitFor([&] { return opened >= 0; }, 5000);
        if (!returned) {
            // Let the stuck open go, so that the test can end.
            const int writer = ::open(local(file).c_str(), O_WRONLY | O_NONBLOCK);
            opener.join();
            ::close(writer);
            QFAIL("Open waited on the file");
        }
        opener.join();
        QCOMPARE(opened.load(), 0);
        QVERIFY(rig.engine->Open(local(song_), ""));
        QCOMPARE(rig.engine->Play(), std::optional<int>(0));
        QTRY_VERIFY(rig.frames >= songFrames_ / 2);
    }

    // The whole song plays, and the engine lets go at once, behind a tag
    // whose size cannot be true or ahead of 200 MB of zeros.
    void playsTheSongAndNoMore_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<qint64>("zeros");
        QTest::addColumn<bool>("destroy");   // the engine, once the song is out
        QByteArray tagBody(600, '\0');
        tagBody.replace(0, 4, "TXXX");
        const qint64 songSize = QFileInfo(song_).size();
        QTest::newRow("tag claims 256 MB") << id3Header(0x0fffffff) + tagBody << 0LL << false;
        QTest::newRow("tag claims the whole file") << id3Header(quint32(tagBody.size() + songSize)) + tagBody << 0LL
                                                   << false;
        QTest::newRow("zeros after the song") << QByteArray() << (200LL << 20) << false;
        QTest::newRow("zeros after the song, power off") << QByteArray() << (200LL << 20) << true;
    }

    void playsTheSongAndNoMore()
    {
        QFETCH(QByteArray, head);
        QFETCH(qint64, zeros);
        QFETCH(bool, destroy);
        QFile in(song_), out(path("hostile.mp3"));
        QVERIFY(in.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly));
        out.write(head + in.readAll());
        QVERIFY(out.resize(out.size() + zeros));   // sparse: costs no disk
        out.close();
        Counted rig(Mp3Engine::Output::NullFast);
        QVERIFY(rig.engine->Open(local(out.fileName()), ""));
        QCOMPARE(rig.engine->Play(), std::optional<int>(0));
        // With the output this fast, the decoder is past the song's last
        // frame once the output has had them all.
        QTRY_VERIFY(rig.frames >= songFrames_);
        QElapsedTimer timer;
        timer.start();
        if (destroy) {
            rig.engine.reset();
            // Generous: before, this took a minute and more.
            QVERIFY2(timer.elapsed() < 1000, qPrintable(QString("%1 ms").arg(timer.elapsed())));
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(rig.engine->Play(), std::optional<int>(kSongOver), 5000);
        QCOMPARE(rig.frames.load(), songFrames_);
    }
};

QTEST_GUILESS_MAIN(TestHostileSongs)
#include "tst_hostilesongs.moc"
