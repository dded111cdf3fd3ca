// The click-sound player under SDL's dummy driver, which plays in real time.
#include "platform/SdlSoundPlayer.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace vorlix;

class TestSdlSoundPlayer : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString wav(const QString& name, double seconds)
    {
        QProcess::execute("sox", {"-n", "-r", "22050", "-c", "1", "-b", "16", dir_.filePath(name), "synth",
                                     QString::number(seconds), "sine", "880"});
        return dir_.filePath(name);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        qputenv("SDL_AUDIODRIVER", "dummy");
    }

    void playsTheLatestSoundOnly()
    {
        auto player = std::make_unique<SdlSoundPlayer>();
        player->play(dir_.filePath("missing.wav"));
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
};

QTEST_GUILESS_MAIN(TestSdlSoundPlayer)
#include "tst_sdlsoundplayer.moc"
