#include "doubles/Fixture.h"
#include "engine/Mp3Play.h"
#include "skin/ImageControl.h"
#include "skin/Label.h"
#include "skin/PictureBox.h"
#include "skin/Timer.h"

#include <QTest>

using namespace vorlix;
using namespace vorlix::test;

namespace {

// Visible and enabled flags of play, pause, volume up, volume down and
// playlist, then whether the display shows.
QString buttonState(frmMain& m)
{
    auto flags = [](QWidget* w) {
        return QString(w->isHidden() ? "-" : "V") + (w->isEnabled() ? "E" : "-");
    };
    return QStringList{flags(m.Image_button), flags(m.Image_pause), flags(m.Image_volume_increase),
                       flags(m.Image_volume_decrease), flags(m.Image_PlayList),
                       m.Text_Title->isHidden() ? QStringLiteral("off") : QStringLiteral("on")}
        .join(u' ');
}

const QString kOff = QStringLiteral("V- -- V- V- V- off");
const QString kIdle = QStringLiteral("VE -- V- V- VE on");
const QString kPlaying = QStringLiteral("-- VE VE VE VE on");

} // namespace

class TestFrmMain : public QObject {
    Q_OBJECT
private slots:
    void loadShapesTheWindowOnly()
    {
        Fixture f;
        frmMain& m = f.main();
        QCOMPARE(m.size(), QSize(300, 82));
        QVERIFY(m.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(!m.mask().isEmpty());
        QVERIFY(!m.mask().contains(QPoint(0, 0)));
        QVERIFY(m.mask().contains(QPoint(150, 40)));
        // The volume buttons stand on the top edge and must stay clickable.
        QVERIFY(m.mask().contains(QPoint(155, 5)));
        QCOMPARE(buttonState(m), kOff);
        QVERIFY(m.pic2->isHidden());
        QCOMPARE(m.Text_Title->caption(), kIdleCaption);
        QVERIFY(f.calls().isEmpty());
        QVERIFY(!f.forms.PlayListIfLoaded());
        QVERIFY(!m.Timer_MP3DataShow->Enabled());
    }

    void pauseLiesAbovePlay()
    {
        Fixture f;
        frmMain& m = f.main();
        m.Image_pause->show();
        QCOMPARE(m.pic1->childAt(m.Image_button->geometry().center()), m.Image_pause);
    }

    void powerOnSwitchesOnWithoutAsking()
    {
        Fixture f;
        f.writeList({"/music/a.mp3"});
        f.powerOn();
        QCOMPARE(buttonState(f.main()), kIdle);
        QVERIFY(f.fake.msgBox.prompts.isEmpty());
        QCOMPARE(f.fake.sound.played, QStringList{"/nonexistent-program-folder/do.wav"});
        frmPlayList* list = f.forms.PlayListIfLoaded();
        QVERIFY(list);
        QVERIFY(list->isHidden());
        QCOMPARE(list->List1->ListCount(), 1);
    }

    void closeQuestion_data()
    {
        QTest::addColumn<bool>("powerOnFirst");
        QTest::addColumn<bool>("viaSecondSkin");
        QTest::addColumn<int>("answer");
        QTest::newRow("power, No") << true << false << MsgBoxResult::No;
        QTest::newRow("power, Yes") << true << false << MsgBoxResult::Yes;
        QTest::newRow("second skin while off, No") << false << true << MsgBoxResult::No;
        QTest::newRow("second skin while off, Yes") << false << true << MsgBoxResult::Yes;
    }
    void closeQuestion()
    {
        QFETCH(bool, powerOnFirst);
        QFETCH(bool, viaSecondSkin);
        QFETCH(int, answer);
        Fixture f;
        if (powerOnFirst)
            f.powerOn();
        const QString before = buttonState(f.main());
        f.fake.msgBox.answer = answer;
        if (viaSecondSkin)
            f.main().Image2_Click();
        else
            f.main().Image_power_Click();
        QCOMPARE(f.fake.msgBox.prompts, QStringList{"Close Vorlix?"});
        QCOMPARE(f.fake.msgBox.styles, QList<int>{36});
        QCOMPARE(f.fake.msgBox.titles, QStringList{"Vorlix"});
        if (answer == MsgBoxResult::No) {
            QCOMPARE(f.mainUnloads, 0);
            QVERIFY(f.forms.MainIfLoaded());
            QCOMPARE(buttonState(f.main()), before);
        } else {
            QCOMPARE(f.mainUnloads, 1);
            QVERIFY(!f.forms.MainIfLoaded());
        }
    }

    void shutdownUnloadsTheOthersAndEndsPlaybackByDestruction()
    {
        Fixture f;
        f.writeList({"/music/old.mp3"});
        f.powerOn();
        f.main().Image_button_Click(); // dialog path, cancelled: nothing chosen yet
        f.forms.PlayList().List1->AddItem("/music/new.mp3");
        const QStringList callsBefore = f.calls();
        f.fake.msgBox.answer = MsgBoxResult::Yes;
        f.main().Image_power_Click();
        QVERIFY(!f.forms.PlayListIfLoaded());
        QVERIFY(!f.forms.AboutIfLoaded());
        QVERIFY(!f.forms.AboutMainIfLoaded());
        QCOMPARE(f.listFileBytes(), QByteArray("/music/old.mp3\r\n/music/new.mp3\r\n"));
        QCOMPARE(f.calls(), callsBefore); // no playback operation at the end
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(f.fake.mp3->destroyed);
    }

    void systemCloseShutsDownWithoutAsking()
    {
        Fixture f;
        f.powerOn();
        f.main().close();
        QVERIFY(f.fake.msgBox.prompts.isEmpty());
        QCOMPARE(f.mainUnloads, 1);
        QVERIFY(!f.forms.PlayListIfLoaded());
        // A second request finds nothing left to close.
        f.forms.UnloadMain();
        QCOMPARE(f.mainUnloads, 1);
    }

    void closeWhileNeverUsedWritesNothing()
    {
        Fixture f;
        f.main().close();
        QCOMPARE(f.listFileBytes(), QByteArray("<missing>"));
    }

    // Playing

    void playFromList_data()
    {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("played");
        QTest::newRow("nothing selected plays the first") << -1 << "/m/one.mp3";
        QTest::newRow("third selected") << 2 << "/m/three.mp3";
    }
    void playFromList()
    {
        QFETCH(int, selected);
        QFETCH(QString, played);
        Fixture f;
        f.writeList({"/m/one.mp3", "/m/two.mp3", "/m/three.mp3"});
        f.powerOn();
        f.main().Image_PlayList_Click();
        frmPlayList& list = f.forms.PlayList();
        list.List1->setListIndex(selected);
        f.main().Image_button_Click();
        QCOMPARE(f.calls(), (QStringList{"Stop", "Open " + played, "Play"}));
        QVERIFY(list.Timer_MP3ListDataShow->Enabled());
        QVERIFY(!f.main().Timer_MP3DataShow->Enabled());
        QVERIFY(list.isHidden());
        QVERIFY(f.forms.PlayListIfLoaded());
        QCOMPARE(list.List1->ListIndex(), selected == -1 ? 0 : selected);
        QCOMPARE(buttonState(f.main()), kPlaying);
        QVERIFY(f.fake.fileDialog.filters.isEmpty());
    }

    void playWithEmptyListOnlyClicks()
    {
        Fixture f;
        f.powerOn();
        f.main().Image_PlayList_Click();
        f.fake.sound.played.clear();
        f.main().Image_button_Click();
        QCOMPARE(f.fake.sound.played.size(), 1);
        QVERIFY(f.calls().isEmpty());
        QCOMPARE(buttonState(f.main()), kIdle);
        QVERIFY(!f.forms.PlayList().isHidden());
    }

    void playFromDialog_data()
    {
        QTest::addColumn<QList<std::optional<QString>>>("choices");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<bool>("timer");
        QTest::addColumn<bool>("playing");
        const std::optional<QString> cancel;
        QTest::newRow("mp3") << QList<std::optional<QString>>{"/m/Song.mp3"}
                             << QStringList{"Stop", "Open /m/Song.mp3", "Play"} << true << true;
        QTest::newRow("upper-case MP3") << QList<std::optional<QString>>{"/m/LOUD.MP3"}
                                        << QStringList{"Stop", "Open /m/LOUD.MP3", "Play"} << true
                                        << true;
        QTest::newRow("not mp3: playing look, nothing played")
            << QList<std::optional<QString>>{"/m/notes.txt"} << QStringList{} << false << true;
        QTest::newRow("cancel before any choice") << QList<std::optional<QString>>{cancel}
                                                  << QStringList{} << false << false;
    }
    void playFromDialog()
    {
        QFETCH(QList<std::optional<QString>>, choices);
        QFETCH(QStringList, calls);
        QFETCH(bool, timer);
        QFETCH(bool, playing);
        Fixture f;
        f.powerOn();
        for (const auto& c : choices)
            f.fake.fileDialog.choices.append(c);
        f.main().Image_button_Click();
        QCOMPARE(f.fake.fileDialog.filters, QStringList{"Mp3|*.mp3"});
        QCOMPARE(f.calls(), calls);
        QCOMPARE(f.main().Timer_MP3DataShow->Enabled(), timer);
        QCOMPARE(buttonState(f.main()), playing ? kPlaying : kIdle);
        QVERIFY(f.forms.PlayListIfLoaded()->List1->ListCount() == 0); // not added to the list
    }

    void cancelAfterAChoiceReplaysIt()
    {
        Fixture f;
        f.powerOn();
        f.fake.fileDialog.choices = {QStringLiteral("/m/first.mp3")};
        f.main().Image_button_Click();
        f.main().Image_pause_Click();
        f.calls().clear();
        f.main().Image_button_Click(); // cancelled
        QCOMPARE(f.fake.fileDialog.initials.last(), QStringLiteral("/m/first.mp3"));
        QCOMPARE(f.calls(), (QStringList{"Stop", "Open /m/first.mp3", "Play"}));
    }

    void pauseRestoresIdleAndSavesTheList()
    {
        Fixture f;
        f.writeList({"/m/a.mp3", "/m/b.mp3"});
        f.powerOn();
        f.main().Image_PlayList_Click();
        f.main().Image_button_Click();
        f.main().Text_Title->setCaption(QStringLiteral("a"));
        f.forms.PlayList().List1->AddItem("/m/c.mp3");
        f.calls().clear();
        f.main().Image_pause_Click();
        QCOMPARE(f.calls(), QStringList{"Pause"});
        QCOMPARE(buttonState(f.main()), kIdle);
        QCOMPARE(f.main().Text_Title->caption(), kIdleCaption);
        QVERIFY(!f.main().Timer_MP3DataShow->Enabled());
        QVERIFY(!f.forms.PlayListIfLoaded());
        QCOMPARE(f.listFileBytes(), QByteArray("/m/a.mp3\r\n/m/b.mp3\r\n/m/c.mp3\r\n"));
        // The next touch makes the window afresh, nothing selected.
        QCOMPARE(f.forms.PlayList().List1->ListIndex(), -1);
        QCOMPARE(f.forms.PlayList().List1->ListCount(), 3);
    }

    void dialogSongScrollsOnTheDisplay()
    {
        Fixture f;
        f.powerOn();
        f.fake.fileDialog.choices = {QStringLiteral("/music/Track 01.mp3")};
        f.main().Image_button_Click();
        f.main().Timer_MP3DataShow_Timer();
        QCOMPARE(f.main().Text_Title->caption(), QStringLiteral("Track 01"));
        f.main().Timer_MP3DataShow_Timer();
        QCOMPARE(f.main().Text_Title->caption(), QStringLiteral("Track 01   "));
    }

    void volumeStepsCallInOrder()
    {
        Fixture f;
        f.powerOn();
        f.fake.fileDialog.choices = {QStringLiteral("/m/a.mp3")};
        f.main().Image_button_Click();
        f.calls().clear();
        f.main().Image_volume_decrease_Click();
        QCOMPARE(f.calls(),
                 (QStringList{"GetVolume1", "GetVolume2", "SetVolume 58981 58981", "GetVolume1"}));
        QCOMPARE(f.main().Text_Title->caption(), QStringLiteral("Volume :  90%       "));
        f.main().Image_volume_increase_Click();
        f.main().Image_volume_increase_Click();
        QCOMPARE(f.main().Text_Title->caption(), QStringLiteral("Volume :  100%       "));
        f.fake.mp3->failVolume = true;
        f.calls().clear();
        f.main().Image_volume_decrease_Click();
        QCOMPARE(f.calls()[2], QStringLiteral("SetVolume 0 0"));
        QCOMPARE(f.main().Text_Title->caption(), QStringLiteral("Volume :  0%       "));
    }

    void playListButtonPlacesTheWindowBelow()
    {
        Fixture f;
        f.powerOn();
        f.main().move(200, 150);
        f.main().Image_PlayList_Click();
        frmPlayList& list = f.forms.PlayList();
        QVERIFY(!list.isHidden());
        QCOMPARE(list.pos(), QPoint(210, 224));
        list.move(5, 5);
        f.main().Image_PlayList_Click();
        QCOMPARE(list.pos(), QPoint(210, 224));
    }

    void enablingARunningTimerKeepsItsSecond()
    {
        Timer timer(1000);
        timer.setEnabled(true);
        QTest::qWait(100);
        const int before = timer.remainingTime();
        timer.setEnabled(true);
        QVERIFY(timer.remainingTime() <= before);
    }
};

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
