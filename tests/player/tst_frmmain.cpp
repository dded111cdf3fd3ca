// SPDX-License-Identifier: GPL-3.0-or-later
#include "doubles/Fixture.h"
#include "skin/Announcer.h"

#include <QApplication>

using namespace vorlix;
using namespace vorlix::test;
using Choices = QList<std::optional<QString>>;

namespace {

// The buttons as a screen reader sees them, by name: V (shown), E (enabled),
// F (focusable) or "-"; then whether the display shows.
QString buttonState(frmMain& m)
{
    m.show(); // on screen, as the program shows it
    QStringList out;
    for (ImageControl* c : {m.Image_power, m.Image_button, m.Image_pause, m.Image_volume_decrease,
                            m.Image_volume_increase, m.Image_PlayList, m.Image_usb_off, m.Image2, m.Image_usb_on}) {
        QAccessibleInterface* i = a11y(c);
        const QAccessible::State s = i->state();
        if (i->role() != QAccessible::Button || i->actionInterface()->actionNames() != QStringList{QAccessibleActionInterface::pressAction()})
            out << "not a button";
        out << i->text(QAccessible::Name) + ':' + (s.invisible ? "-" : "V") + (s.disabled ? "-" : "E") + (s.focusable ? "F" : "-");
    }
    return out.join(u' ') + (a11y(m.Text_Title)->state().invisible ? " off" : " on");
}

const QString kOff = QStringLiteral("Power:VEF Play:V-- Pause:--- Volume Down:V-- Volume Up:V-- Playlist:V-- USB cap:VEF Close:--- USB plug:--- off");
const QString kIdle = QStringLiteral("Power:VEF Play:VEF Pause:--- Volume Down:V-- Volume Up:V-- Playlist:VEF USB cap:VEF Close:--- USB plug:--- on");
const QString kPlaying = QStringLiteral("Power:VEF Play:--- Pause:VEF Volume Down:VEF Volume Up:VEF Playlist:VEF USB cap:VEF Close:--- USB plug:--- on");
const QString kIdleText = QStringLiteral("Vorlix       v1.0     ");

// Calls `shown` whenever the widget is shown.
struct ShowSpy : QObject {
    ShowSpy(QWidget* w, std::function<void()> shown) : shown_(std::move(shown)) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override { if (e->type() == QEvent::Show) shown_(); return false; }
    std::function<void()> shown_;
};

} // namespace

class TestFrmMain : public QObject {
    Q_OBJECT
private slots:
    void loadThenPowerOn()
    {
        Fixture f;
        f.writeList("/music/a.mp3\r\n");
        frmMain& m = f.main();
        QCOMPARE(m.size(), QSize(300, 82));
        QVERIFY(m.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(!m.mask().contains(QPoint(0, 0)));
        QVERIFY(m.mask().contains(QPoint(150, 40)));
        QVERIFY(m.mask().contains(QPoint(155, 5))); // the volume keys stand on the top edge
        QCOMPARE(buttonState(m), kOff);
        QVERIFY(m.pic2->isHidden());
        QCOMPARE(m.Text_Title->caption(), kIdleText);
        QVERIFY(!f.forms.PlayListIfLoaded());
        QVERIFY(!m.Timer_MP3DataShow->Enabled());

        f.powerOn(); // without asking
        QCOMPARE(buttonState(m), kIdle);
        QVERIFY(f.fake.msgBox.prompts.isEmpty());
        QCOMPARE(f.fake.sound.played, QStringList{"/nonexistent-program-folder/do.wav"});
        const frmPlayList* list = f.forms.PlayListIfLoaded();
        QVERIFY(list && list->isHidden());
        QCOMPARE(list->List1->ListCount(), 1);
        QVERIFY(f.calls().isEmpty());
        m.Image_pause->show(); // pause lies above play
        QCOMPARE(m.pic1->childAt(m.Image_button->geometry().center()), m.Image_pause);
    }

    // Power and the second skin's key ask first; the system's close request
    // does not. Closing unloads the other windows, saves the list if it was
    // loaded (a player never used writes none), and ends playback by
    // destroying the engine, not by a call.
    void closing_data()
    {
        QTest::addColumn<bool>("on");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("answer");
        QTest::newRow("power, No") << true << "power" << MsgBoxResult::No;
        QTest::newRow("power, Yes") << true << "power" << MsgBoxResult::Yes;
        QTest::newRow("second skin while off, No") << false << "skin2" << MsgBoxResult::No;
        QTest::newRow("second skin while off, Yes") << false << "skin2" << MsgBoxResult::Yes;
        QTest::newRow("system request while on") << true << "system" << MsgBoxResult::No;
        QTest::newRow("system request, never used") << false << "system" << MsgBoxResult::No;
    }
    void closing()
    {
        QFETCH(bool, on);
        QFETCH(QString, how);
        QFETCH(int, answer);
        Fixture f;
        if (on) {
            f.writeList("/m/old.mp3\r\n");
            f.powerOn();
            f.forms.PlayList().List1->AddItem("/m/new.mp3");
        }
        f.forms.About();
        f.forms.AboutMain();
        const QString before = buttonState(f.main());
        const QStringList calls = f.calls();
        f.fake.msgBox.answer = answer;
        how == "power" ? f.main().Image_power_Click() : how == "skin2" ? f.main().Image2_Click() : void(f.main().close());
        const bool asks = how != "system", ends = !asks || answer == MsgBoxResult::Yes;
        QCOMPARE(f.fake.msgBox.prompts, asks ? QStringList{"Close Vorlix?"} : QStringList{});
        QCOMPARE(f.fake.msgBox.styles, asks ? QList<int>{36} : QList<int>{});
        QCOMPARE(f.fake.msgBox.titles, asks ? QStringList{"Vorlix"} : QStringList{});
        QCOMPARE(f.mainUnloads, int(ends));
        QCOMPARE(QList<bool>({!f.forms.MainIfLoaded(), !f.forms.AboutIfLoaded(), !f.forms.AboutMainIfLoaded()}), QList<bool>(3, ends));
        if (!ends)
            QCOMPARE(buttonState(f.main()), before);
        QVERIFY(!ends || !f.forms.PlayListIfLoaded());
        QCOMPARE(f.listFileBytes(), QByteArray(!on ? "<missing>" : ends ? "/m/old.mp3\r\n/m/new.mp3\r\n" : "/m/old.mp3\r\n"));
        QCOMPARE(f.calls(), calls);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(f.fake.mp3->destroyed, ends);
        f.forms.UnloadMain(); // a second request finds nothing left to close
        QCOMPARE(f.mainUnloads, 1);
    }

    // The playlist key shows the list below the player. With the list on
    // screen, play plays the selected song (the first when none is) and puts
    // the list away; with an empty list it only clicks. Pause then restores
    // the idle look.
    void playFromList_data()
    {
        QTest::addColumn<QList<QByteArray>>("entries");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("played");
        const QList<QByteArray> three{"/m/one.mp3", "/m/two.mp3", "/m/three.mp3"};
        QTest::newRow("nothing selected plays the first") << three << -1 << "/m/one.mp3";
        QTest::newRow("third selected") << three << 2 << "/m/three.mp3";
        QTest::newRow("empty list") << QList<QByteArray>{} << -1 << "";
    }
    void playFromList()
    {
        QFETCH(QList<QByteArray>, entries);
        QFETCH(int, selected);
        QFETCH(QString, played);
        Fixture f;
        f.writeList(Fixture::crlfLines(entries));
        f.powerOn();
        f.main().move(200, 150);
        f.main().Image_PlayList_Click();
        frmPlayList& list = f.forms.PlayList();
        list.move(5, 5); // the playlist key puts it back below the player
        f.main().Image_PlayList_Click();
        QVERIFY(!list.isHidden());
        QCOMPARE(list.pos(), QPoint(210, 224));
        list.List1->setListIndex(selected);
        f.fake.sound.played.clear();
        f.main().Image_button_Click();
        QCOMPARE(f.fake.sound.played.size(), 1);
        QVERIFY(f.fake.fileDialog.filters.isEmpty());
        QCOMPARE(f.calls(), played.isEmpty() ? QStringList() : (QStringList{"Stop", "Open " + played, "Play"}));
        QCOMPARE(list.Timer_MP3ListDataShow->Enabled(), !played.isEmpty());
        QVERIFY(!f.main().Timer_MP3DataShow->Enabled());
        QCOMPARE(list.isHidden(), !played.isEmpty());
        QCOMPARE(f.forms.PlayListIfLoaded(), &list);
        QCOMPARE(list.List1->ListIndex(), selected == -1 && !played.isEmpty() ? 0 : selected);
        QCOMPARE(buttonState(f.main()), played.isEmpty() ? kIdle : kPlaying);
        if (played.isEmpty())
            return;
        // Pause: idle again, the list saved and unloaded; the next touch makes it afresh.
        list.List1->AddItem("/m/four.mp3");
        f.main().Text_Title->setCaption(QStringLiteral("a"));
        f.calls().clear();
        f.main().Image_pause_Click();
        QCOMPARE(f.calls(), QStringList{"Pause"});
        QCOMPARE(buttonState(f.main()), kIdle);
        QCOMPARE(f.main().Text_Title->caption(), kIdleText);
        QVERIFY(!f.forms.PlayListIfLoaded());
        QCOMPARE(f.listFileBytes(), QByteArray("/m/one.mp3\r\n/m/two.mp3\r\n/m/three.mp3\r\n/m/four.mp3\r\n"));
        QCOMPARE(f.forms.PlayList().List1->ListIndex(), -1);
    }

    // One press of play per choice, with pause between; a cancel after a
    // choice plays that choice again. The display timer shows the song.
    void playFromDialog_data()
    {
        QTest::addColumn<Choices>("choices");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QString>("caption"); // after one tick of the display timer; empty: timer off
        QTest::addColumn<bool>("playing");
        const std::optional<QString> cancel;
        const QStringList song{"Stop", "Open /m/Track 01.mp3", "Play"};
        QTest::newRow("mp3") << Choices{"/m/Track 01.mp3"} << song << "Track 01" << true;
        QTest::newRow("not mp3: playing look, nothing played") << Choices{"/m/notes.txt"} << QStringList{} << "" << true;
        QTest::newRow("cancel before any choice") << Choices{cancel} << QStringList{} << "" << false;
        QTest::newRow("cancel after a choice") << Choices{"/m/Track 01.mp3", cancel}
                                               << song + QStringList{"Pause"} + song << "Track 01" << true;
    }
    void playFromDialog()
    {
        QFETCH(Choices, choices);
        QFETCH(QStringList, calls);
        QFETCH(QString, caption);
        QFETCH(bool, playing);
        Fixture f;
        f.powerOn();
        f.fake.fileDialog.choices = choices;
        for (qsizetype i = 0; i < choices.size(); ++i) {
            if (i > 0)
                f.main().Image_pause_Click();
            f.main().Image_button_Click();
        }
        QCOMPARE(f.fake.fileDialog.filters.constFirst(), QStringLiteral("Mp3|*.mp3"));
        QCOMPARE(f.fake.fileDialog.initials.constLast(), choices.size() > 1 ? *choices[0] : QString());
        QCOMPARE(f.calls(), calls);
        QCOMPARE(buttonState(f.main()), playing ? kPlaying : kIdle);
        QCOMPARE(f.main().Timer_MP3DataShow->Enabled(), !caption.isEmpty());
        QVERIFY(f.forms.PlayListIfLoaded()->List1->ListCount() == 0); // not added to the list
        if (!caption.isEmpty()) {
            f.main().Timer_MP3DataShow_Timer();
            QCOMPARE(f.main().Text_Title->caption(), caption);
            f.main().Timer_MP3DataShow_Timer();
            QCOMPARE(f.main().Text_Title->caption(), caption + "   ");
            QCOMPARE(a11y(f.main().Text_Title)->text(QAccessible::Name), caption); // read without the scroll
            f.main().Timer_MP3DataShow->setInterval(5); // the timer itself scrolls on; pause stops it
            QTRY_VERIFY(f.main().Text_Title->caption().startsWith(caption + "      "));
            f.main().Image_pause_Click();
            QVERIFY(!f.main().Timer_MP3DataShow->isActive());
        }
    }

    // A step moves both channels from where they are and shows channel 1;
    // levels that cannot be read take it to its end.
    void volumeSteps()
    {
        Fixture f;
        f.powerOn();
        f.fake.fileDialog.choices = {QStringLiteral("/m/a.mp3")};
        f.main().Image_button_Click();
        f.fake.mp3->volume2 = 30000;
        f.main().Image_volume_decrease_Click();
        QCOMPARE(QList<int>({f.fake.mp3->volume1, f.fake.mp3->volume2}), QList<int>({58981, 23446}));
        QCOMPARE(f.main().Text_Title->caption(), QStringLiteral("Volume :  90%       "));
        QCOMPARE(a11y(f.main().Text_Title)->text(QAccessible::Name), QStringLiteral("Volume :  90%"));
        f.main().Image_volume_increase_Click();
        QCOMPARE(QList<int>({f.fake.mp3->volume1, f.fake.mp3->volume2}), QList<int>({65535, 30000}));
        QCOMPARE(f.main().Text_Title->caption(), QStringLiteral("Volume :  100%       "));
        f.fake.mp3->failVolume = true;
        f.main().Image_volume_decrease_Click();
        QCOMPARE(QList<int>({f.fake.mp3->volume1, f.fake.mp3->volume2}), QList<int>({0, 0}));
        QCOMPARE(f.main().Text_Title->caption(), QStringLiteral("Volume :  0%       "));
    }

    // With the cap off the first skin's buttons are gone; with a question
    // open none takes a press. A picture without a handler is no button.
    void otherSkinAndQuestion()
    {
        Fixture f;
        frmMain& m = f.main();
        m.Image_usb_off_DblClick();
        QCOMPARE(buttonState(m), QStringLiteral("Power:--- Play:--- Pause:--- Volume Down:--- Volume Up:--- Playlist:--- USB cap:--- Close:VEF USB plug:VEF off"));
        m.Image_usb_on_DblClick();
        f.showQuestion();
        QCOMPARE(buttonState(m), QString(kOff).replace("VEF", "V--"));
        QCOMPARE(a11y(m.Image1)->actionInterface(), nullptr);
        QCOMPARE(a11y(m.Text_Title)->role(), QAccessible::StatusBar);
    }

    // The press action runs the click's handler (the cap's double-click's)
    // where a click would be taken, and nothing where it would not.
    void pressRunsTheHandler_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("on");
        QTest::addColumn<bool>("taken");
        QTest::newRow("power while off") << "Power" << false << true;
        QTest::newRow("play while off") << "Play" << false << false;
        QTest::newRow("play while on") << "Play" << true << true;
        QTest::newRow("volume up while idle") << "Volume Up" << true << false;
        QTest::newRow("playlist while on") << "Playlist" << true << true;
        QTest::newRow("cap") << "USB cap" << false << true;
        QTest::newRow("plug while the cap is on") << "USB plug" << false << false;
    }
    void pressRunsTheHandler()
    {
        QFETCH(QString, button);
        QFETCH(bool, on);
        QFETCH(bool, taken);
        Fixture f;
        frmMain& m = f.main();
        if (on)
            f.powerOn();
        f.fake.fileDialog.choices = {QStringLiteral("/m/a.mp3")};
        f.fake.sound.played.clear();
        const auto all = m.findChildren<ImageControl*>();
        ImageControl* control = *std::find_if(all.begin(), all.end(), [&](auto* c) { return c->buttonName() == button; });
        a11y(control)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCoreApplication::processEvents(); // it runs once the request is answered
        QCOMPARE(f.fake.sound.played.size(), int(taken));
        const bool expectedOn = on || (taken && button == "Power");
        QCOMPARE(m.Text_Title->isHidden(), !expectedOn);
        QCOMPARE(!m.pic2->isHidden(), taken && button == "USB cap");
        QCOMPARE(f.forms.PlayListIfLoaded() && !f.forms.PlayList().isHidden(), taken && button == "Playlist");
        QCOMPARE(!m.Image_pause->isHidden(), taken && button == "Play");
    }

    // A screen reader hears what a press did: a notification in the display
    // shows afresh with the message as its name, while the player or its
    // list is the active window. A message made while another window is
    // active waits two seconds for the player.
    void announcements()
    {
        Fixture f;
        f.writeList("/m/one.mp3\r\n/m/two.mp3\r\n");
        frmMain& m = f.main();
        auto* announcer = m.Text_Title->findChild<Announcer*>();
        QStringList heard;
        ShowSpy spy(announcer, [&] { heard << a11y(announcer)->text(QAccessible::Name); });
        QCOMPARE(a11y(announcer)->role(), QAccessible::Notification);
        const auto activate = [](QWidget& w) { w.show(); w.activateWindow(); QVERIFY(QTest::qWaitForWindowActive(&w)); };
        activate(m);
        f.powerOn();
        m.Image_PlayList_Click();
        activate(m);
        m.Image_button_Click();
        m.Image_volume_decrease_Click();
        f.fake.mp3->playStatus = 650; // the song is over: the list moves on
        f.forms.PlayList().Timer_MP3ListDataShow_Timer();
        f.fake.mp3->playStatus = 0;
        QWidget other;
        activate(other);
        m.Image_volume_decrease_Click();
        m.Image_volume_decrease_Click(); // the last message made waits
        QCOMPARE(heard, (QStringList{"Player on", "one", "Volume 90%", "two"}));
        activate(m);
        QTRY_COMPARE(heard.size(), 5);
        QCOMPARE(heard.last(), "Volume 70%");
        // With the cap off, from the other skin's display.
        m.Image_usb_off_DblClick();
        activate(m);
        f.fake.mp3->playStatus = 650;
        f.forms.PlayList().Timer_MP3ListDataShow_Timer();
        QCOMPARE(heard.last(), "one");
    }

    // The focus ring shows while the keyboard moves the focus: not after the
    // mouse alone (the cap off and on moves the focus as Tab would), and a
    // click hides it where it is.
    void focusRingOnlyFromTheKeyboard()
    {
        Fixture f;
        frmMain& m = f.main();
        m.show();
        QVERIFY(QTest::qWaitForWindowActive(&m));
        const auto ringOn = [&m]() -> QString {
            for (const ImageControl* c : m.findChildren<ImageControl*>())
                if (c->showsFocusRing())
                    return c->buttonName();
            return {};
        };
        QTest::mouseClick(m.Image_power, Qt::LeftButton);
        QTest::mouseDClick(m.Image_usb_off, Qt::LeftButton);
        QTest::mouseDClick(m.Image_usb_on, Qt::LeftButton);
        QCOMPARE(ringOn(), QString());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(ringOn(), a11y(QApplication::focusWidget())->text(QAccessible::Name));
        QVERIFY(!ringOn().isEmpty());
        QTest::mouseClick(m.pic1, Qt::LeftButton, {}, QPoint(30, 60));
        QCOMPARE(ringOn(), QString());
        QVERIFY(qobject_cast<ImageControl*>(QApplication::focusWidget())); // the focus stays
    }

    void enablingARunningTimerKeepsItsSecond()
    {
        Timer timer(1000);
        timer.setEnabled(true);
        QTRY_VERIFY(timer.remainingTime() < 950);
        const int before = timer.remainingTime();
        timer.setEnabled(true);
        QVERIFY(timer.remainingTime() <= before);
    }
};

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
