// SPDX-License-Identifier: GPL-3.0-or-later
// The playback engine against songs made here with sox and lame, decoded for
// reference by the mpg123 program, and against files that try to hang or cheat
// it; through a private PulseAudio server, checked on what its null sink plays.
#include "audio/PulseServer.h"
#include "engine/NullOutput.h"
#include "engine/Mp3Engine.h"
#include "engine/sound/PulseSoundPlayer.h"
#include "engine/sound/SdlSoundPlayer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

using namespace vorlix;
using namespace vorlix::audio;
using Output = Mp3Engine::Output;

namespace {

// An engine, and everything it hands to its output.
struct Rig {
    explicit Rig(Output output, PulseConnector pulse = {})
    {
        Mp3Engine::Options options;
        options.output = output;
        options.pulse = std::move(pulse);
        options.onFrames = [this](const std::int16_t* s, std::size_t n) {
            std::lock_guard lock(mutex);
            samples.insert(samples.end(), s, s + 2 * n);
        };
        engine = std::make_unique<Mp3Engine>(options);
    }
    std::size_t frames() { std::lock_guard lock(mutex); return samples.size() / 2; }
    bool reach(std::size_t n) { return QTest::qWaitFor([&] { return frames() >= n; }); }
    std::vector<std::int16_t> take() { std::lock_guard lock(mutex); return std::exchange(samples, {}); }
    Mp3Engine* operator->() { return engine.get(); }
    // Plays on until Play reports the end; the frames handed out just before.
    std::optional<std::size_t> playToEnd()
    {
        std::size_t before = 0;
        const bool over = QTest::qWaitFor([&] { before = frames(); return engine->Play() == kSongOver; }, 30000);
        return over ? std::optional(before) : std::nullopt;
    }

    std::mutex mutex;
    std::vector<std::int16_t> samples;
    std::unique_ptr<Mp3Engine> engine;   // goes first
};

// A song and how it is played: its rate and length, the channel volumes, the SDL driver.
struct Song {
    QString mp3;
    int rate;
    double seconds;
    int left = kVolumeMax;
    int right = kVolumeMax;
    QByteArray driver = "disk";
};

std::string local(const QString& path) { return QFile::encodeName(path).toStdString(); }

QByteArray noise(int bytes, quint32 seed)
{
    QByteArray out(bytes, Qt::Uninitialized);
    QRandomGenerator(seed).fillRange(reinterpret_cast<quint32*>(out.data()), bytes / 4);
    return out;
}

QByteArray slurp(const QString& path) { QFile f(path); return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray(); }
bool put(const QString& path, const QByteArray& bytes) { QFile f(path); return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size(); }

// What libmpg123 makes of the file, as stereo 16-bit samples.
std::vector<std::int16_t> reference(const QString& mp3)
{
    QProcess mpg123;
    mpg123.start("mpg123", {"-q", "--stereo", "-s", mp3});
    mpg123.waitForFinished(60000);
    const QByteArray raw = mpg123.readAllStandardOutput();
    const auto* samples = reinterpret_cast<const std::int16_t*>(raw.constData());
    return {samples, samples + raw.size() / 2};
}

// An ID3v2.4 header claiming `claimed` bytes of body.
QByteArray id3Header(quint32 claimed)
{
    QByteArray h("ID3\x04\x00\x00", 6);
    for (int shift : {21, 14, 7, 0})
        h.append(char((claimed >> shift) & 0x7f));
    return h;
}

// The loudest sample of `channel` in 8192 frames from `from` on.
int peak(const std::vector<std::int16_t>& s, std::size_t from, int channel)
{
    int most = 0;
    for (std::size_t i = 2 * from + channel; i < std::min(s.size(), 2 * (from + 8192)); i += 2)
        most = std::max(most, std::abs(int(s[i])));
    return most;
}

} // namespace

class TestMp3Engine : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<PulseServer> pulse_;
    QString path(const QString& name) const { return dir_.filePath(name); }

    // Starts the private sound server when there is none, for this process too.
    bool pulse()
    {
        QString error;
        if (!pulse_ && (pulse_ = PulseServer::start(&error)))
            for (const char* name : {"PULSE_SERVER", "PULSE_CLIENTCONFIG"})
                qputenv(name, pulse_->clientEnvironment().value(name).toLocal8Bit());
        qunsetenv("SDL_AUDIODRIVER");   // else the clicks take SDL's
        return pulse_ != nullptr;
    }
    QString sinkInputs() const
    {
        QString streams = "?";
        pulse_->run("pactl", {"list", "short", "sink-inputs"}, &streams);
        return streams;
    }

    // sox makes name.wav, lame name.mp3.
    QString song(const QString& name, const QString& format, const QString& synth, const QStringList& lame)
    {
        const QString wav = path(name + ".wav"), mp3 = path(name + ".mp3");
        const QStringList sox = QStringList{"-D", "-n", "-b", "16"} + format.split(' ') + QStringList{wav, "synth"}
            + synth.split(' ');
        const bool made = QFile::exists(mp3) || (QProcess::execute("sox", sox) == 0
            && QProcess::execute("lame", QStringList{"--quiet"} + lame + QStringList{wav, mp3}) == 0);
        return made ? mp3 : QString();
    }

    QString wav(const QString& name, double seconds)
    {
        QProcess::execute("sox", {"-n", "-r", "22050", "-c", "1", "-b", "16", path(name), "synth",
                                     QString::number(seconds), "sine", "880"});
        return path(name);
    }

    QString stereoTones(int seconds)
    {
        return song(QString("tones%1").arg(seconds), "-r 44100 -c 2", QString("%1 sine 440 sine 1000").arg(seconds),
            {"-b", "128"});
    }

private slots:
    void init()   // SDL's disk driver runs the real SDL path faster than real time
    {
        QVERIFY(dir_.isValid());
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIODELAY", "0");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(path("device.raw")));
    }

    void handsOutExactlyTheDecodedFrames_data()
    {
        QTest::addColumn<Song>("song");
        const auto row = [](const char* name, const Song& song) { QTest::newRow(name) << song; };
        const QString tones = stereoTones(2);
        row("stereo 44.1 kHz, another tone on each side", {tones, 44100, 2});
        row("left volume 0", {tones, 44100, 2, 0, kVolumeMax});
        row("right volume 0", {tones, 44100, 2, kVolumeMax, 0});
        row("volumes 6554 and 32770", {tones, 44100, 2, 6554, 32770});
        row("no working SDL driver", {stereoTones(1), 44100, 1, kVolumeMax, kVolumeMax, "nosuchdriver"});
        row("MPEG-2 mono 22.05 kHz", {song("mono22", "-r 22050 -c 1", "1.5 sine 300", {"-b", "32"}), 22050, 1.5});
        row("MPEG-2.5 mono 8 kHz", {song("mono8", "-r 8000 -c 1", "1.5 sine 200", {"-b", "16"}), 8000, 1.5});
        row("VBR 48 kHz, Xing header", {song("vbr48", "-r 48000 -c 2", "2 sine 500 pinknoise", {"-V", "4"}), 48000, 2});
        row("VBR, no Xing header", {song("vbr", "-r 44100 -c 2", "2 sine 500 pinknoise", {"-V", "4", "-t"}), 44100, 2});
        put(path("cover.jpg"), "\xff\xd8\xff\xe0" + noise(400 * 1024, 7));
        row("ID3v2 tag with 400 KB cover art",
            {song("art", "-r 44100 -c 2", "2 sine 440 sine 1000", {"-b", "128", "--ti", path("cover.jpg")}), 44100, 2});
    }

    void handsOutExactlyTheDecodedFrames()
    {
        QFETCH(Song, song);
        const auto& [mp3, rate, seconds, left, right, driver] = song;
        QVERIFY(!mp3.isEmpty());
        qputenv("SDL_AUDIODRIVER", driver);
        const auto full = reference(mp3);
        Rig rig(Output::Sdl);
        QVERIFY(!rig->Play() && !rig->Pause() && rig->Stop());   // no song yet
        QVERIFY(rig->GetVolume1() == kVolumeMax && rig->GetVolume2() == kVolumeMax);
        QVERIFY(rig->SetVolume(left, right));
        QVERIFY(!rig->SetVolume(-1, 0) && !rig->SetVolume(0, kVolumeMax + 1));   // refused, changing nothing
        QVERIFY(rig->GetVolume1() == left && rig->GetVolume2() == right);
        QVERIFY(rig->Open(local(mp3), ""));
        QCOMPARE(rig->songRate(), rate);
        QCOMPARE(rig->Play(), std::optional<int>(0));
        const auto frames = rig.playToEnd();
        QVERIFY(frames);
        QCOMPARE(*frames * 2, full.size());   // every frame handed out before 650
        QVERIFY(std::abs(double(*frames) / rate - seconds) < 0.2);   // the encoder may pad the last frame
        QCOMPARE(rig->Play(), std::optional<int>(kSongOver));
        const auto got = rig.take();
        QCOMPARE(got.size(), full.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            const int gain = i % 2 ? right : left;
            if (std::abs(got[i] - full[i] * double(gain) / kVolumeMax) > (gain == kVolumeMax ? 0 : 1))
                QFAIL(qPrintable(QString("sample %1: %2, reference %3").arg(i).arg(got[i]).arg(full[i])));
        }
        QVERIFY(rig->Open(local(mp3), ""));   // after the end, without Stop: from the first frame
        QCOMPARE(rig->Play(), std::optional<int>(0));
        QVERIFY(rig.reach(4096));
        QVERIFY(std::equal(got.begin(), got.begin() + 8192, rig.take().begin()));
    }

    // Every file here but the device has a name that is not UTF-8.
    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");   // null: no file
        QTest::addColumn<QByteArray>("trouble");   // done to it while it plays, or what it is
        QTest::addColumn<double>("least");   // share of the clean song's frames played; -1: refused
        QTest::addColumn<double>("most");
        const QByteArray mp3 = slurp(stereoTones(3));
        QByteArray damaged = mp3;
        damaged.replace(mp3.size() / 2, 1500, noise(1500, 5));
        // Refused at once, the song open before closed, and a good one opens after.
        QTest::newRow("missing") << QByteArray() << QByteArray() << -1.0 << -1.0;
        QTest::newRow("0 bytes") << QByteArray("") << QByteArray() << -1.0 << -1.0;
        QTest::newRow("text") << QByteArray("Not a song.\n").repeated(10000) << QByteArray() << -1.0 << -1.0;
        QTest::newRow("random bytes") << noise(256 * 1024, 11) << QByteArray() << -1.0 << -1.0;
        QTest::newRow("WAV renamed") << slurp(path("tones3.wav")) << QByteArray() << -1.0 << -1.0;
        QTest::newRow("FIFO without a writer") << QByteArray() << QByteArray("fifo") << -1.0 << -1.0;
        QTest::newRow("endless device") << QByteArray() << QByteArray("/dev/zero") << -1.0 << -1.0;
        QTest::newRow("damage in the middle, skipped") << damaged << QByteArray() << 0.75 << 1.0;
        // Cut at the first frame played; what was read ahead before the cut
        // (up to a second and a half in the ring) still plays.
        QTest::newRow("truncated while playing") << mp3 << QByteArray("truncate") << 0.0 << 0.75;
        QTest::newRow("deleted while playing: still open") << mp3 << QByteArray("delete") << 1.0 << 1.0;
    }

    void badFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, trouble);
        QFETCH(double, least);
        QFETCH(double, most);
        const bool device = trouble.startsWith('/');   // used where it is, never removed
        const std::string name = device ? trouble.toStdString() : local(path("caf")) + "\xe9 \xff.mp3";
        QVERIFY(device || ::unlink(name.c_str()) == 0 || errno == ENOENT);
        QVERIFY(bytes.isNull() || put(path("plain.mp3"), bytes));
        QVERIFY(bytes.isNull() || ::rename(local(path("plain.mp3")).c_str(), name.c_str()) == 0);
        QVERIFY(trouble != "fifo" || ::mkfifo(name.c_str(), 0600) == 0);
        Rig rig(least < 0 || trouble.isEmpty() ? Output::NullFast : Output::NullRealTime);
        if (least < 0) {
            QVERIFY(rig->Open(local(stereoTones(3)), ""));
            std::atomic<int> opened{-1};
            std::thread opener([&] { opened = rig->Open(name, ""); });
            const bool answered = QTest::qWaitFor([&] { return opened >= 0; }, 5000);
            if (!answered)   // a writer lets a FIFO's open go
                ::close(::open(name.c_str(), O_WRONLY | O_NONBLOCK));
            opener.join();
            QVERIFY2(answered, "Open waited on the file");
            QCOMPARE(opened.load(), 0);
            QVERIFY(!rig->Play());   // the song open before is closed too
            QVERIFY(rig->Open(local(stereoTones(1)), ""));
            QCOMPARE(rig->Play(), std::optional<int>(0));
            QVERIFY(rig.reach(20000));
            return;
        }
        QVERIFY(rig->Open(name, ""));
        QCOMPARE(rig->Play(), std::optional<int>(0));
        if (!trouble.isEmpty()) {
            QVERIFY(rig.reach(1));
            QCOMPARE(trouble == "truncate" ? ::truncate(name.c_str(), 20000) : ::unlink(name.c_str()), 0);
        }
        const auto frames = rig.playToEnd();
        const double clean = reference(stereoTones(3)).size() / 2;
        QVERIFY(frames);
        QVERIFY2(*frames >= least * clean && *frames <= most * clean,
            qPrintable(QString("%1 of %2").arg(*frames).arg(clean)));
    }

    void fallsSilent_data()
    {
        QTest::addColumn<QByteArray>("action");
        QTest::newRow("Pause; Play does not resume") << QByteArray("pause");
        QTest::newRow("Stop; Open, Play start over") << QByteArray("stop");
        QTest::newRow("engine destroyed mid-song, SDL") << QByteArray("destroy");
    }

    void fallsSilent()
    {
        QFETCH(QByteArray, action);
        qputenv("SDL_AUDIODRIVER", "dummy");   // real time
        const std::string mp3 = local(stereoTones(3));
        Rig rig(action == "destroy" ? Output::Sdl : Output::NullRealTime);
        QVERIFY(rig->Open(mp3, ""));
        QElapsedTimer timer;
        timer.start();
        rig->Play();
        QVERIFY(rig.reach(4096));
        const int baseline = int(timer.elapsed());   // time to hand out 4096 frames
        if (action == "destroy")
            rig.engine.reset();
        else
            QVERIFY(action == "pause" ? rig->Pause() : rig->Stop());
        const std::size_t silencedAt = rig.frames();
        QTest::qSleep(2 * baseline);
        if (rig.engine)
            QCOMPARE(rig->Play(), action == "pause" ? std::optional<int>(0) : std::nullopt);
        QTest::qSleep(baseline);
        QCOMPARE(rig.frames(), silencedAt);
        if (action == "stop") {
            const auto first = rig.take();
            QVERIFY(rig->Open(mp3, ""));
            QCOMPARE(rig->Play(), std::optional<int>(0));
            QVERIFY(rig.reach(4096));
            QVERIFY(std::equal(first.begin(), first.begin() + 8192, rig.take().begin()));
        }
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
        const qint64 songSize = QFileInfo(stereoTones(1)).size();
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
        const std::size_t songFrames = reference(stereoTones(1)).size() / 2;
        QFile out(path("hostile.mp3"));
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(head + slurp(stereoTones(1))) > 0);
        QVERIFY(out.resize(out.size() + zeros));   // sparse: costs no disk
        out.close();
        Rig rig(Output::NullFast);
        QVERIFY(rig->Open(local(out.fileName()), ""));
        QCOMPARE(rig->Play(), std::optional<int>(0));
        // With the output this fast, the decoder is past the song's last
        // frame once the output has had them all.
        QVERIFY(rig.reach(songFrames));
        QElapsedTimer timer;
        timer.start();
        if (destroy) {
            rig.engine.reset();
            // Generous: before, this took a minute and more.
            QVERIFY2(timer.elapsed() < 1000, qPrintable(QString("%1 ms").arg(timer.elapsed())));
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(rig->Play(), std::optional<int>(kSongOver), 5000);
        QCOMPARE(rig.frames(), songFrames);
    }
    // Through an output that holds all it was handed until told it has been
    // heard: 650 waits for that, and a pause lets the output go at once.
    void endAndPauseThroughAnOutputThatHolds()
    {
        struct Holding : NullOutput {
            Holding(std::atomic<bool>& heard, std::atomic<int>& alive)
                : NullOutput(Pace::AsFastAsPossible), heard(heard), alive(alive) { ++alive; }
            ~Holding() override { --alive; }
            bool drained() override { return heard; }
            std::atomic<bool>& heard;
            std::atomic<int>& alive;
        };
        const std::size_t songFrames = reference(stereoTones(1)).size() / 2;
        for (const bool pause : {false, true}) {
            std::atomic<bool> heard = false;
            std::atomic<int> alive = 0;
            std::atomic<std::size_t> frames = 0;
            Mp3Engine::Options options;
            options.makeOutput = [&] { return std::make_unique<Holding>(heard, alive); };
            options.onFrames = [&](const std::int16_t*, std::size_t n) { frames += n; };
            Mp3Engine engine(options);
            QVERIFY(engine.Open(local(stereoTones(1)), "") && engine.Play() == std::optional<int>(0));
            QCOMPARE(alive.load(), 1);
            if (pause) {
                QVERIFY(engine.Pause());
                QCOMPARE(alive.load(), 0);
                continue;
            }
            QTRY_COMPARE(frames.load(), songFrames);
            QTest::qWait(200);
            QCOMPARE(engine.Play(), std::optional<int>(0));
            heard = true;
            QTRY_COMPARE(engine.Play(), std::optional<int>(kSongOver));
        }
    }

    // The clicks through SDL's dummy driver, which plays in real time.
    void clicksPlayTheLatestSoundOnly()
    {
        qputenv("SDL_AUDIODRIVER", "dummy");
        auto player = std::make_unique<SdlSoundPlayer>();
        player->play(path("missing.wav"));
        player->play(QString());
        QTRY_VERIFY(player->idle());
        QCOMPARE(player->queuedBytes(), 0u);   // no default sound
        const QString longSound = wav("long.wav", 5);
        player->play(longSound);
        QTRY_VERIFY(player->queuedBytes() > 0);
        const std::uint32_t longQueued = player->queuedBytes();
        player->play(wav("click.wav", 0.05));
        QTRY_VERIFY(player->idle());
        QVERIFY(player->queuedBytes() < longQueued / 50);   // 0.05 s at most, in the device's format, against 5 s
        QVERIFY(player->holdsDevice());
        QTRY_VERIFY(!player->holdsDevice());   // let go once the click is over
        player->play(longSound);
        QTRY_VERIFY(player->queuedBytes() > longQueued / 2);
        QElapsedTimer clock;
        clock.start();
        player.reset();   // destroyed while playing
        SdlSoundPlayer().play(longSound);   // destroyed before its worker got to the sound
        QVERIFY(clock.elapsed() < 2500);   // neither plays the 5 s sound out
        SdlSoundPlayer next;   // and SDL is left fit for the next one
        next.play(longSound);
        QTRY_VERIFY(next.queuedBytes() > longQueued / 2);
    }

    // The player's one connection carries a song and a click at once; the
    // click leaves, the song plays to its end, and a later click still sounds,
    // for its own length and no more, and leaves.
    void songAndClicksShareOneConnection()
    {
        if (!pulse())
            QSKIP("no private PulseAudio server");
        const auto connection = PulseConnection::open();
        QVERIFY(connection);
        const PulseConnector shared = [connection] { return connection; };
        const QString mp3 = song("shared", "-r 44100 -c 2", "1 sine 440", {"-b", "128"});
        Rig rig(Output::Pulse, shared);
        PulseSoundPlayer clicks({}, shared);
        QVERIFY(rig->Open(local(mp3), ""));
        QCOMPARE(rig->Play(), std::optional<int>(0));
        clicks.play(wav("during.wav", 0.1));
        QTRY_COMPARE(sinkInputs().count('\n'), 2);
        QTRY_COMPARE(sinkInputs().count('\n'), 1);   // the click has left
        QString clients;
        pulse_->run("pactl", {"list", "short", "clients"}, &clients);
        QCOMPARE(clients.split('\n', Qt::SkipEmptyParts).filter(QStringLiteral("tst_mp3engine")).size(), 1);
        QVERIFY(rig.playToEnd());
        QVERIFY(std::abs(double(rig.frames()) - 44100) < 1153);   // a second, to within a frame
        MonitorRecording recording(*pulse_);
        const QString streams = sinkInputs();
        clicks.play(wav("after.wav", 0.1));
        QTRY_VERIFY_WITH_TIMEOUT(firstSound(recording.samples()) >= 0, 5000);
        QTRY_COMPARE(sinkInputs(), streams);
        QVERIFY(soundFrames(recording.samples()) < 4410 * 2);   // 0.1 s, as 44.1 kHz stereo
    }

    // The song's own first frames, pause, a volume step at the server, and
    // 650 only once the last frame has been played, or the server has gone.
    void playsThroughTheServer_data()
    {
        QTest::addColumn<QByteArray>("action");
        QTest::newRow("to its end") << QByteArray("end");
        QTest::newRow("pause") << QByteArray("pause");
        QTest::newRow("volume step") << QByteArray("volume");
        QTest::newRow("server gone mid-song") << QByteArray("gone");
    }
    void playsThroughTheServer()
    {
        QFETCH(QByteArray, action);
        if (!pulse())
            QSKIP("no private PulseAudio server");
        const QString mp3 = song("half", "-r 44100 -c 2", "2 sine 440 sine 1000 vol 0.5", {"-b", "128"});
        const auto reference = ::reference(mp3);
        MonitorRecording recording(*pulse_);
        QVERIFY(recording.started());
        Rig rig(Output::Pulse);
        QVERIFY(rig->Open(local(mp3), ""));
        QCOMPARE(rig->Play(), std::optional<int>(0));
        long onset = -1;
        QTRY_VERIFY_WITH_TIMEOUT((onset = firstSound(recording.samples())) >= 0, 5000);
        QTRY_VERIFY(recording.frames() > std::size_t(onset) + 8192);
        const auto heard = recording.samples();
        // The monitor misses the first milliseconds of a stream that starts
        // on a running sink; from there on it is the song, bit for bit.
        const long lead = firstSound(reference);
        bool found = false;
        for (long k = lead; k < lead + 2205 && !found; ++k)
            found = std::equal(heard.begin() + 2 * onset, heard.begin() + 2 * (onset + 8192), reference.begin() + 2 * k);
        QVERIFY2(found, "the sink does not play the song's first frames");
        const std::size_t songFrames = reference.size() / 2 - std::size_t(lead);

        if (action == "end") {
            // The server holds up to a second of the song when the engine
            // has handed out its last frame: 650 waits until it is played.
            QTRY_VERIFY_WITH_TIMEOUT(rig->Play() == kSongOver, 10000);
            const std::size_t played = soundFrames(recording.samples());
            QVERIFY2(played + 4410 >= songFrames, qPrintable(QString("%1 of %2").arg(played).arg(songFrames)));
        } else if (action == "pause") {   // the stream let go at once (fallsSilent: no resume)
            QVERIFY(rig->Pause());
            QCOMPARE(sinkInputs(), QString());
        } else if (action == "gone") {
            pulse_.reset();   // the song still ends, in silence and in time
            QTRY_VERIFY_WITH_TIMEOUT(rig->Play() == kSongOver, 10000);
        } else {
            QVERIFY(rig->SetVolume(6554, kVolumeMax));
            const std::size_t from = recording.frames() + 4410;   // 0.1 s on
            QTRY_VERIFY(recording.frames() > from + 8192);
            const auto after = recording.samples();
            const int left = peak(heard, onset, 0), right = peak(heard, onset, 1);
            QVERIFY2(std::abs(peak(after, from, 0) - left / 10) < left / 50, qPrintable(QString::number(peak(after, from, 0))));
            QVERIFY(std::abs(peak(after, from, 1) - right) < right / 50);
        }
    }
};

QTEST_GUILESS_MAIN(TestMp3Engine)
#include "tst_mp3engine.moc"
