// The desktop's media controls, called the way the bus calls them: through
// the adaptors, on doubles of the engine and the dialogs.
#include "doubles/Fixture.h"
#include "platform/Mpris.h"
#include "skin/Label.h"
#include "skin/PictureBox.h"

#include <QDBusObjectPath>
#include <QDialog>
#include <QRegularExpression>
#include <QSignalSpy>

#include <cmath>

using namespace vorlix;
using namespace vorlix::test;

namespace {

// Brings the fixture's player into a named state.
void enter(Fixture& f, const QString& state)
{
    f.writeList({"/m/a.mp3", "/m/b.mp3", "/m/c.mp3"});
    if (state == "off")
        return;
    f.powerOn();
    if (state.startsWith("list") || state.startsWith("playing list"))
        f.main().Image_PlayList_Click();
    if (state == "playing list, last")
        f.forms.PlayList().List1->setListIndex(2);
    if (state == "playing dialog")
        f.fake.fileDialog.choices << QStringLiteral("/m/d .mp3");
    if (state.startsWith("playing"))
        f.main().Image_button_Click();
    if (state == "playing list, second skin") {
        f.main().pic1->hide();
        f.main().pic2->show();
    }
    f.calls().clear();
    f.fake.sound.played.clear();
}

} // namespace

class TestMpris : public QObject {
    Q_OBJECT
private slots:
    void flagsFollowTheButtons_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("flags"); // status, then play, pause, next, previous
        QTest::newRow("off") << "off" << "Stopped ----";
        QTest::newRow("idle") << "idle" << "Stopped P---";
        QTest::newRow("playing a list song") << "playing list" << "Playing PPNB";
        QTest::newRow("playing a dialog song") << "playing dialog" << "Playing PP--";
        QTest::newRow("second skin") << "playing list, second skin" << "Playing --NB";
    }
    void flagsFollowTheButtons()
    {
        QFETCH(QString, state);
        QFETCH(QString, flags);
        Fixture f;
        enter(f, state);
        Mpris mpris(f.forms, [] {});
        auto seen = [&] {
            return mpris.PlaybackStatus() + (mpris.CanPlay() ? " P" : " -") + (mpris.CanPause() ? "P" : "-") +
                   (mpris.CanGoNext() ? "N" : "-") + (mpris.CanGoPrevious() ? "B" : "-");
        };
        QCOMPARE(seen(), flags);
        // A modal dialog takes every press away, as it takes the clicks.
        QDialog modal;
        modal.setModal(true);
        modal.show();
        QCOMPARE(seen(), mpris.PlaybackStatus() + " ----");
    }

    void requestsPressTheButtons_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("request");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<int>("clicks");
        const QStringList none;
        const QStringList startA{"Stop", "Open /m/a.mp3", "Play"};
        QTest::newRow("Play from the list") << "list shown" << "Play" << startA << 1;
        QTest::newRow("PlayPause from the list") << "list shown" << "PlayPause" << startA << 1;
        QTest::newRow("Play while off") << "off" << "Play" << none << 0;
        QTest::newRow("Play while playing") << "playing list" << "Play" << none << 0;
        QTest::newRow("Pause") << "playing list" << "Pause" << QStringList{"Pause"} << 1;
        QTest::newRow("Stop pauses") << "playing dialog" << "Stop" << QStringList{"Pause"} << 1;
        QTest::newRow("PlayPause while playing") << "playing list" << "PlayPause" << QStringList{"Pause"} << 1;
        QTest::newRow("Pause while idle") << "idle" << "Pause" << none << 0;
        QTest::newRow("Next") << "playing list" << "Next" << QStringList{"Open /m/b.mp3", "Play"} << 0;
        QTest::newRow("Previous wraps") << "playing list" << "Previous" << QStringList{"Open /m/c.mp3", "Play"} << 0;
        QTest::newRow("Next wraps") << "playing list, last" << "Next" << QStringList{"Open /m/a.mp3", "Play"} << 0;
        QTest::newRow("Next of a dialog song") << "playing dialog" << "Next" << none << 0;
    }
    void requestsPressTheButtons()
    {
        QFETCH(QString, state);
        QFETCH(QString, request);
        QFETCH(QStringList, calls);
        QFETCH(int, clicks);
        Fixture f;
        enter(f, state);
        Mpris mpris(f.forms, [] {});
        QSignalSpy announced(&mpris, &Mpris::propertiesChanged);
        auto engineCalls = [&] { return f.calls().filter(QRegularExpression("^(?!GetVolume1)")); };
        auto* adaptor = mpris.findChild<MprisPlayerAdaptor*>();
        QVERIFY(QMetaObject::invokeMethod(adaptor, request.toLatin1().constData()));
        QVERIFY(engineCalls().isEmpty()); // the call is answered first
        QCoreApplication::processEvents();
        QCOMPARE(engineCalls(), calls);
        QCOMPARE(f.fake.sound.played.size(), clicks);
        QCOMPARE(announced.isEmpty(), calls.isEmpty());
        if (!announced.isEmpty())
            QCOMPARE(announced.last().first().toMap().value("Metadata"), QVariant(mpris.Metadata()));
    }

    void metadataNamesTheSongAsTheDisplayDoes_data()
    {
        QTest::addColumn<QByteArray>("song");
        QTest::addColumn<bool>("fromList");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("url");
        QTest::newRow("list, Latin-1 bytes") << QByteArray("/m/Caf\xe9 #1 .mp3") << true
                                             << QString::fromUtf8("Caf\xc3\xa9 #1")
                                             << "file:///m/Caf%E9%20%231%20.mp3";
        QTest::newRow("dialog, trailing space") << QByteArray("/m/d .mp3") << false << "d"
                                                << "file:///m/d%20.mp3";
    }
    void metadataNamesTheSongAsTheDisplayDoes()
    {
        QFETCH(QByteArray, song);
        QFETCH(bool, fromList);
        QFETCH(QString, title);
        QFETCH(QString, url);
        Fixture f;
        f.writeList({"/m/first.mp3", song});
        f.powerOn();
        if (fromList) {
            f.main().Image_PlayList_Click();
            f.forms.PlayList().List1->setListIndex(1);
        } else {
            f.fake.fileDialog.choices << QString::fromLatin1(song);
        }
        Mpris mpris(f.forms, [] {});
        QVERIFY(mpris.Metadata().isEmpty());
        f.main().Image_button_Click();
        const QVariantMap metadata = mpris.Metadata();
        QCOMPARE(metadata.value("xesam:title").toString(), title);
        QCOMPARE(metadata.value("xesam:url").toString(), url);
        QVERIFY(!metadata.value("mpris:trackid").value<QDBusObjectPath>().path().isEmpty());
    }

    void volumeActsAsTheVolumeButtons_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<double>("volume");
        QTest::addColumn<QString>("caption"); // empty: refused
        QTest::newRow("half") << "playing list" << 0.5 << "Volume :  50%       ";
        QTest::newRow("above full") << "playing list" << 1.7 << "Volume :  100%       ";
        QTest::newRow("below silent") << "playing list" << -0.2 << "Volume :  0%       ";
        QTest::newRow("not a number") << "playing list" << std::nan("") << "";
        QTest::newRow("buttons disabled") << "idle" << 0.5 << "";
    }
    void volumeActsAsTheVolumeButtons()
    {
        QFETCH(QString, state);
        QFETCH(double, volume);
        QFETCH(QString, caption);
        Fixture f;
        enter(f, state);
        f.fake.mp3->volume2 = 0; // only channel 1 is read
        Mpris mpris(f.forms, [] {});
        mpris.findChild<MprisPlayerAdaptor*>()->setProperty("Volume", volume);
        if (caption.isEmpty()) {
            QVERIFY(!f.calls().join(' ').contains("SetVolume"));
            QCOMPARE(mpris.Volume(), 1.0);
            return;
        }
        QCOMPARE(f.main().Text_Title->caption(), caption);
        const int level = int(std::lround(std::clamp(volume, 0.0, 1.0) * kVolumeMax));
        QVERIFY(f.calls().contains(QStringLiteral("SetVolume %1 %1").arg(level)));
        QCOMPARE(mpris.Volume(), level / 65535.0);
    }

    void raiseShowsAndQuitIsTheSystemsCloseRequest()
    {
        Fixture f;
        int closeRequests = 0;
        Mpris mpris(f.forms, [&] { ++closeRequests; });
        auto* root = mpris.findChild<MprisRootAdaptor*>();
        root->Raise();
        QVERIFY(f.main().isVisible());
        root->Quit();
        QCoreApplication::processEvents();
        QCOMPARE(closeRequests, 1);
    }
};

QTEST_MAIN(TestMpris)
#include "tst_mpris.moc"
