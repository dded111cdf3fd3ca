// The playback engine against songs made here with sox and lame, decoded for
// reference by the mpg123 program.
#include "engine/Mp3Engine.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

using namespace vorlix;

namespace {

// Everything the engine hands to its output.
struct Recorder {
    std::mutex mutex;
    std::vector<std::int16_t> samples;
    std::atomic<std::size_t> frames{0};

    void add(const std::int16_t* s, std::size_t n)
    {
        std::lock_guard lock(mutex);
        samples.insert(samples.end(), s, s + n * 2);
        frames += n;
    }
    void clear()
    {
        std::lock_guard lock(mutex);
        samples.clear();
        frames = 0;
    }
    std::vector<std::int16_t> take()
    {
        std::lock_guard lock(mutex);
        return samples;
    }
};

std::unique_ptr<Mp3Engine> makeEngine(Recorder& recorder, Mp3Engine::Output output)
{
    Mp3Engine::Options options;
    options.output = output;
    options.onFrames = [&recorder](const std::int16_t* s, std::size_t n) { recorder.add(s, n); };
    return std::make_unique<Mp3Engine>(options);
}

// Polls Play until it reports the end; the frame count at that moment.
std::optional<std::size_t> waitForSongOver(Mp3Engine& engine, Recorder& recorder, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        const std::size_t before = recorder.frames;
        const auto status = engine.Play();
        if (status && *status == kSongOver)
            return before;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return std::nullopt;
}

bool waitFor(const std::function<bool()>& condition, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

} // namespace

class TestMp3Engine : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    QString path(const QString& name) const { return dir_.filePath(name); }

    // sox makes the wave, lame the MP3.
    QString makeSong(const QString& name, const QStringList& sox, const QStringList& lame)
    {
        const QString wav = path(name + ".wav");
        const QString mp3 = path(name + ".mp3");
        if (QFile::exists(mp3))
            return mp3;
        QStringList args = QStringList{"-D", "-n", "-b", "16"} + sox;
        args[args.indexOf("-")] = wav;   // the output goes before the effects
        if (QProcess::execute("sox", args) != 0)
            return {};
        if (QProcess::execute("lame", QStringList{"--quiet"} + lame + QStringList{wav, mp3}) != 0)
            return {};
        return mp3;
    }

    QString stereoTones(double seconds)
    {
        return makeSong(QString("tones%1").arg(seconds), {"-r", "44100", "-c", "2", "-", "synth",
            QString::number(seconds), "sine", "440", "sine", "1000"}, {"-b", "128"});
    }

    // What libmpg123 makes of the file, as stereo 16-bit samples.
    static std::vector<std::int16_t> reference(const QString& mp3)
    {
        QProcess mpg123;
        mpg123.start("mpg123", {"-q", "--stereo", "-s", mp3});
        mpg123.waitForFinished(60000);
        const QByteArray raw = mpg123.readAllStandardOutput();
        std::vector<std::int16_t> samples(static_cast<std::size_t>(raw.size()) / 2);
        std::memcpy(samples.data(), raw.constData(), samples.size() * 2);
        return samples;
    }

    QString withCoverArt(const QString& mp3)
    {
        QByteArray picture(400 * 1024, '\0');
        QRandomGenerator rng(7);
        for (auto& c : picture)
            c = static_cast<char>(rng.generate() & 0xFF);
        const QByteArray body = QByteArray("\0image/jpeg\0\x03\0", 14) + picture;
        QByteArray frame = "APIC";
        for (int shift : {24, 16, 8, 0})
            frame += static_cast<char>((body.size() >> shift) & 0xFF);
        frame += QByteArray(2, '\0') + body;
        QByteArray tag = QByteArray("ID3\x03\0\0", 6);
        for (int shift : {21, 14, 7, 0})
            tag += static_cast<char>((frame.size() >> shift) & 0x7F);
        QFile in(mp3);
        QFile out(path("art.mp3"));
        if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
            return {};
        out.write(tag + frame + in.readAll());
        return out.fileName();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        // SDL's disk driver runs the real SDL path faster than real time.
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIODELAY", "0");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(path("device.raw")));
    }

    void handsOutExactlyTheDecodedFrames_data()
    {
        QTest::addColumn<QString>("mp3");
        QTest::addColumn<int>("rate");
        QTest::addColumn<double>("seconds");
        QTest::newRow("stereo 44.1 kHz, different tones left and right") << stereoTones(2) << 44100 << 2.0;
        QTest::newRow("MPEG-2 mono 22.05 kHz")
            << makeSong("mono22", {"-r", "22050", "-c", "1", "-", "synth", "1.5", "sine", "300"}, {"-b", "32"})
            << 22050 << 1.5;
        QTest::newRow("MPEG-2.5 mono 8 kHz")
            << makeSong("mono8", {"-r", "8000", "-c", "1", "-", "synth", "1.5", "sine", "200"}, {"-b", "16"})
            << 8000 << 1.5;
        QTest::newRow("VBR 48 kHz with Xing header")
            << makeSong("vbr48", {"-r", "48000", "-c", "2", "-", "synth", "2", "sine", "500", "pinknoise"},
                   {"-V", "4"})
            << 48000 << 2.0;
        QTest::newRow("VBR without Xing header")
            << makeSong("vbrplain", {"-r", "44100", "-c", "2", "-", "synth", "2", "sine", "500", "pinknoise"},
                   {"-V", "4", "-t"})
            << 44100 << 2.0;
        QTest::newRow("ID3v2 tag with 400 KB cover art") << withCoverArt(stereoTones(2)) << 44100 << 2.0;
    }

    void handsOutExactlyTheDecodedFrames()
    {
        QFETCH(QString, mp3);
        QFETCH(int, rate);
        QFETCH(double, seconds);
        QVERIFY(!mp3.isEmpty());
        const auto expected = reference(mp3);
        Recorder recorder;
        auto engine = makeEngine(recorder, Mp3Engine::Output::Sdl);
        QVERIFY(engine->Open(QFile::encodeName(mp3).toStdString(), ""));
        QCOMPARE(engine->songRate(), rate);
        QCOMPARE(engine->Play(), std::optional<int>(0));
        const auto framesAtEnd = waitForSongOver(*engine, recorder, 30000);
        QVERIFY(framesAtEnd);
        QCOMPARE(*framesAtEnd * 2, expected.size());
        QVERIFY(recorder.take() == expected);
        // Right speed and length; the encoder may pad the last frame out.
        QVERIFY(std::abs(double(*framesAtEnd) / rate - seconds) < 0.2);
        QCOMPARE(engine->Play(), std::optional<int>(kSongOver));
    }

    void appliesChannelVolumes_data()
    {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::newRow("left off") << 0 << 65535;
        QTest::newRow("right off") << 65535 << 0;
        QTest::newRow("tenth and half") << 6554 << 32770;
        QTest::newRow("half and tenth") << 32770 << 6554;
    }

    void appliesChannelVolumes()
    {
        QFETCH(int, left);
        QFETCH(int, right);
        const QString mp3 = stereoTones(1);
        const auto full = reference(mp3);
        Recorder recorder;
        auto engine = makeEngine(recorder, Mp3Engine::Output::NullFast);
        QVERIFY(engine->SetVolume(left, right));
        QCOMPARE(engine->GetVolume1(), std::optional<std::int32_t>(left));
        QCOMPARE(engine->GetVolume2(), std::optional<std::int32_t>(right));
        QVERIFY(engine->Open(mp3.toStdString(), ""));
        engine->Play();
        QVERIFY(waitForSongOver(*engine, recorder, 30000));
        const auto got = recorder.take();
        QCOMPARE(got.size(), full.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            const double want = full[i] * double(i % 2 == 0 ? left : right) / 65535.0;
            if (std::abs(got[i] - want) > 1.0)
                QFAIL(qPrintable(QString("sample %1: %2, expected %3").arg(i).arg(got[i]).arg(want)));
        }
    }

    void rejectsVolumesOutOfRangeAndNeedsASong()
    {
        Recorder recorder;
        auto engine = makeEngine(recorder, Mp3Engine::Output::NullFast);
        QCOMPARE(engine->GetVolume1(), std::optional<std::int32_t>(kVolumeMax));
        QVERIFY(!engine->SetVolume(-1, 100));
        QVERIFY(!engine->SetVolume(100, 65536));
        QCOMPARE(engine->GetVolume2(), std::optional<std::int32_t>(kVolumeMax));
        QVERIFY(!engine->Play());
        QVERIFY(engine->Stop());
        QVERIFY(!engine->Pause());
    }

    void pauseSilencesAtOnce()
    {
        Recorder recorder;
        auto engine = makeEngine(recorder, Mp3Engine::Output::NullRealTime);
        QVERIFY(engine->Open(stereoTones(2).toStdString(), ""));
        QElapsedTimer timer;
        timer.start();
        engine->Play();
        QVERIFY(waitFor([&] { return recorder.frames >= 4096; }, 5000));
        const qint64 baseline = timer.elapsed();   // time to hand out 4096 frames
        QVERIFY(engine->Pause());
        const std::size_t atPause = recorder.frames;
        std::this_thread::sleep_for(std::chrono::milliseconds(2 * baseline));
        QCOMPARE(engine->Play(), std::optional<int>(0));   // does not resume
        std::this_thread::sleep_for(std::chrono::milliseconds(baseline));
        QCOMPARE(recorder.frames.load(), atPause);
    }

    void startsAgainFromTheFirstFrame_data()
    {
        QTest::addColumn<bool>("letItEnd");
        QTest::newRow("Stop mid-song, Open, Play") << false;
        QTest::newRow("song over, Open, Play without Stop") << true;
    }

    void startsAgainFromTheFirstFrame()
    {
        QFETCH(bool, letItEnd);
        const QString mp3 = stereoTones(2);
        const auto expected = reference(mp3);
        Recorder recorder;
        auto engine = makeEngine(recorder, letItEnd ? Mp3Engine::Output::NullFast : Mp3Engine::Output::NullRealTime);
        QVERIFY(engine->Open(mp3.toStdString(), ""));
        engine->Play();
        if (letItEnd) {
            QVERIFY(waitForSongOver(*engine, recorder, 30000));
        } else {
            QVERIFY(waitFor([&] { return recorder.frames >= 8192; }, 5000));
            QVERIFY(engine->Stop());
        }
        recorder.clear();
        QVERIFY(engine->Open(mp3.toStdString(), ""));
        QCOMPARE(engine->Play(), std::optional<int>(0));
        QVERIFY(waitFor([&] { return recorder.frames >= 4096; }, 5000));
        const auto got = recorder.take();
        QVERIFY(std::equal(got.begin(), got.begin() + 4096 * 2, expected.begin()));
    }

    void refusesWhatIsNoMp3_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("content");
        QRandomGenerator rng(11);
        QByteArray noise(256 * 1024, '\0');
        for (auto& c : noise)
            c = static_cast<char>(rng.generate() & 0xFF);
        QByteArray text;
        for (int i = 0; i < 4000; ++i)
            text += "Line of a playlist, not a song.\n";
        QProcess::execute("sox", {"-n", "-r", "44100", "-c", "2", "-b", "16", path("wave.wav"), "synth", "2",
                                     "sine", "440", "sine", "1000"});
        QFile wav(path("wave.wav"));
        QVERIFY(wav.open(QIODevice::ReadOnly));
        QTest::newRow("missing") << QByteArray("missing.mp3") << QByteArray();
        QTest::newRow("0 bytes") << QByteArray("empty.mp3") << QByteArray("");
        QTest::newRow("text") << QByteArray("text.mp3") << text;
        QTest::newRow("random bytes") << QByteArray("noise.mp3") << noise;
        QTest::newRow("WAV renamed") << QByteArray("wave.mp3") << wav.readAll();
    }

    void refusesWhatIsNoMp3()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, content);
        const QByteArray file = QFile::encodeName(path(QString::fromLatin1(name)));
        if (!content.isNull()) {
            QFile out(QFile::decodeName(file));
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(content);
        }
        Recorder recorder;
        auto engine = makeEngine(recorder, Mp3Engine::Output::NullFast);
        QVERIFY(engine->Open(stereoTones(1).toStdString(), ""));
        QVERIFY(!engine->Open(file.toStdString(), ""));
        QVERIFY(!engine->Play());
    }

    void playsWhatTheFileSystemNames()
    {
        const std::string name = QFile::encodeName(path("")).toStdString() + "caf\xe9 \xff.mp3";
        QVERIFY(QFile::copy(stereoTones(1), path("latin1.mp3")));
        QCOMPARE(::rename(QFile::encodeName(path("latin1.mp3")).constData(), name.c_str()), 0);
        Recorder recorder;
        auto engine = makeEngine(recorder, Mp3Engine::Output::NullFast);
        QVERIFY(engine->Open(name, ""));
        engine->Play();
        QVERIFY(waitForSongOver(*engine, recorder, 30000));
        QCOMPARE(recorder.frames * 2, reference(stereoTones(1)).size());
    }

    void skipsDamageInTheMiddle()
    {
        QFile::remove(path("damaged.mp3"));
        QVERIFY(QFile::copy(stereoTones(2), path("damaged.mp3")));
        QFile file(path("damaged.mp3"));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QRandomGenerator rng(5);
        QByteArray junk(1500, '\0');
        for (auto& c : junk)
            c = static_cast<char>(rng.generate() & 0xFF);
        file.seek(file.size() / 2);
        file.write(junk);
        file.close();
        const std::size_t clean = reference(stereoTones(2)).size() / 2;
        Recorder recorder;
        auto engine = makeEngine(recorder, Mp3Engine::Output::NullFast);
        QVERIFY(engine->Open(path("damaged.mp3").toStdString(), ""));
        engine->Play();
        const auto frames = waitForSongOver(*engine, recorder, 30000);
        QVERIFY(frames);
        // What follows the damage plays; the damage and a frame or two
        // around it are lost.
        QVERIFY2(*frames > clean * 3 / 4 && *frames <= clean, qPrintable(QString("%1 of %2").arg(*frames).arg(clean)));
    }

    void endsWhenTheFileGoesAway_data()
    {
        QTest::addColumn<bool>("truncate");
        QTest::newRow("truncated while playing") << true;
        QTest::newRow("deleted while playing") << false;
    }

    void endsWhenTheFileGoesAway()
    {
        QFETCH(bool, truncate);
        const QString mp3 = path("going.mp3");
        QFile::remove(mp3);
        QVERIFY(QFile::copy(stereoTones(3), mp3));
        const std::size_t total = reference(mp3).size() / 2;
        Recorder recorder;
        auto engine = makeEngine(recorder, Mp3Engine::Output::NullRealTime);
        QVERIFY(engine->Open(mp3.toStdString(), ""));
        engine->Play();
        QVERIFY(waitFor([&] { return recorder.frames > 0; }, 5000));
        if (truncate)
            QCOMPARE(::truncate(QFile::encodeName(mp3).constData(), 20000), 0);
        else
            QVERIFY(QFile::remove(mp3));
        const auto frames = waitForSongOver(*engine, recorder, 10000);
        QVERIFY(frames);
        // A deleted file stays readable while open; a truncated one ends early.
        if (truncate)
            QVERIFY(*frames < total / 2);
        else
            QCOMPARE(*frames, total);
    }

    void destroyingMidSongEndsTheSound()
    {
        qputenv("SDL_AUDIODRIVER", "dummy");
        auto recorder = std::make_unique<Recorder>();
        auto engine = makeEngine(*recorder, Mp3Engine::Output::Sdl);
        QVERIFY(engine->Open(stereoTones(3).toStdString(), ""));
        engine->Play();
        QVERIFY(waitFor([&] { return recorder->frames > 0; }, 5000));
        engine.reset();
        const std::size_t atEnd = recorder->frames;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        QCOMPARE(recorder->frames.load(), atEnd);
        qputenv("SDL_AUDIODRIVER", "disk");
    }

    void playsOnWithoutAWorkingDriver()
    {
        qputenv("SDL_AUDIODRIVER", "nosuchdriver");
        Recorder recorder;
        auto engine = makeEngine(recorder, Mp3Engine::Output::Sdl);
        QVERIFY(engine->Open(stereoTones(1).toStdString(), ""));
        QCOMPARE(engine->Play(), std::optional<int>(0));
        const auto frames = waitForSongOver(*engine, recorder, 10000);
        QVERIFY(frames);
        QCOMPARE(*frames * 2, reference(stereoTones(1)).size());
        qputenv("SDL_AUDIODRIVER", "disk");
    }
};

QTEST_GUILESS_MAIN(TestMp3Engine)
#include "tst_mp3engine.moc"
