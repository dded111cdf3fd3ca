// The click-sound player under SDL's dummy driver, which plays in real time.
#include "platform/SdlSoundPlayer.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace vorlix;

class TestSdlSoundPlayer : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    QString makeWav(const QString& name, double seconds, int rate)
    {
        const QString file = dir_.filePath(name);
        QProcess::execute("sox", {"-n", "-r", QString::number(rate), "-c", "1", "-b", "16", file, "synth",
                                     QString::number(seconds), "sine", "880"});
        return file;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        qputenv("SDL_AUDIODRIVER", "dummy");
    }

    void missingFilePlaysNothing()
    {
        SdlSoundPlayer player;
        player.play(dir_.filePath("nothing.wav"));
        player.play(QString());
        QTRY_VERIFY(player.idle());
        QCOMPARE(player.queuedBytes(), 0u);
    }

    void newSoundReplacesTheOnePlaying()
    {
        const QString longSound = makeWav("long.wav", 5, 22050);
        const QString click = makeWav("click.wav", 0.05, 22050);
        SdlSoundPlayer player;
        player.play(longSound);
        QTRY_VERIFY(player.queuedBytes() > 0);
        const std::uint32_t longQueued = player.queuedBytes();
        player.play(click);
        QTRY_VERIFY(player.idle());
        // 0.05 s at most, converted to the device's format, against 5 s.
        QVERIFY(player.queuedBytes() < longQueued / 50);
    }

    void destroyedWhilePlaying()
    {
        auto player = std::make_unique<SdlSoundPlayer>();
        player->play(makeWav("long2.wav", 5, 44100));
        QTRY_VERIFY(player->queuedBytes() > 0);
        player.reset();
        player = std::make_unique<SdlSoundPlayer>();
        player->play(makeWav("long2.wav", 5, 44100));
        player.reset();   // before the worker got to it
    }
};

QTEST_GUILESS_MAIN(TestSdlSoundPlayer)
#include "tst_sdlsoundplayer.moc"
