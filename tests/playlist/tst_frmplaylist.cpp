// SPDX-License-Identifier: GPL-3.0-or-later
#include "doubles/Fixture.h"
#include "engine/Mp3Play.h"
#include "playlist/frmPlayListLayout.h"
#include "skin/ImageControl.h"
#include "skin/Label.h"
#include "skin/PictureBox.h"
#include "skin/Timer.h"

#include <QAccessible>
#include <QDir>
#include <QTest>

#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vorlix;
using namespace vorlix::test;

namespace {

using Entries = QList<QByteArray>;
using Choices = QList<std::optional<QString>>;
const Entries kThree{"/m/one.mp3", "/m/two.mp3", "/m/three.mp3"};
const char* const kThreeFile = "/m/one.mp3\r\n/m/two.mp3\r\n/m/three.mp3\r\n";

} // namespace

class TestFrmPlayList : public QObject {
    Q_OBJECT
private slots:
    void loadShapesAndReadsEveryByte()
    {
        Fixture f;
        const Entries entries{"/m/caf\xc3\xa9.mp3", "C:\\Music\\\xe9t\xe9.mp3", "", "  spaced  ", "/m/one.mp3", "/m/one.mp3"};
        f.writeList(Fixture::crlfLines(entries));
        f.powerOn();
        frmPlayList& list = f.forms.PlayList();
        QCOMPARE(list.size(), QSize(285, 117));
        QVERIFY(!list.mask().contains(QPoint(0, 0)));
        QVERIFY(list.mask().contains(QPoint(7, 9)));   // the rim around the panel
        QCOMPARE(list.List1->entries(), entries);
        QCOMPARE(list.List1->ListIndex(), -1);
        QVERIFY(list.isHidden());

        const QByteArray before = f.listFileBytes();
        f.main().Image_PlayList_Click();
        f.main().Image_button_Click();
        f.main().Image_pause_Click();
        QCOMPARE(f.listFileBytes(), before);
    }

    // Two players over one list file, unloaded one after the other: each
    // save keeps what the other saved since it read the file. An edit is "-i"
    // (remove entry i) or "+x" (add /m/x).
    void twoPlayersKeepEachOthersEdits_data()
    {
        QTest::addColumn<QStringList>("editsA");
        QTest::addColumn<QStringList>("editsB");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("A removes, B changes nothing") << QStringList{"-0"} << QStringList{} << QByteArray("/m/b\r\n/m/c\r\n");
        QTest::newRow("A changes nothing, B removes") << QStringList{} << QStringList{"-2"} << QByteArray("/m/a\r\n/m/b\r\n");
        QTest::newRow("A removes, B adds") << QStringList{"-0"} << QStringList{"+d"} << QByteArray("/m/b\r\n/m/c\r\n/m/d\r\n");
        QTest::newRow("both remove") << QStringList{"-0"} << QStringList{"-2"} << QByteArray("/m/b\r\n");
        QTest::newRow("both remove the same") << QStringList{"-1"} << QStringList{"-1"} << QByteArray("/m/a\r\n/m/c\r\n");
        QTest::newRow("both add, B removes what A keeps")
            << QStringList{"+d", "+a"} << QStringList{"-0", "+e"} << QByteArray("/m/b\r\n/m/c\r\n/m/d\r\n/m/a\r\n/m/e\r\n");
        QTest::newRow("B removes and adds the same")
            << QStringList{"-2"} << QStringList{"-0", "+a"} << QByteArray("/m/b\r\n/m/a\r\n");
    }
    void twoPlayersKeepEachOthersEdits()
    {
        QFETCH(QStringList, editsA);
        QFETCH(QStringList, editsB);
        QFETCH(QByteArray, file);
        Fixture f;
        f.writeList("/m/a\r\n/m/b\r\n/m/c\r\n");
        FakeServices otherFake(f.fake.tempFolder);
        Forms other(otherFake.services());
        const auto edit = [](FakeServices& fake, frmPlayList& list, const QStringList& edits) {
            for (const QString& e : edits) {
                fake.fileDialog.choices = {"/m/" + e.mid(1)};
                list.List1->setListIndex(e.mid(1).toInt());
                e.startsWith('+') ? list.Command_Addlist_Click() : list.Command_Remove_Click();
            }
        };
        edit(f.fake, f.forms.PlayList(), editsA);
        edit(otherFake, other.PlayList(), editsB);
        f.forms.UnloadPlayList();
        other.UnloadPlayList();
        QCOMPARE(f.listFileBytes(), file);
        QVERIFY(f.fake.msgBox.prompts.isEmpty() && otherFake.msgBox.prompts.isEmpty());
    }

    // A save waits while another player is saving, and keeps what it wrote.
    void saveWaitsForAnotherPlayersSave()
    {
        Fixture f;
        f.writeList("/m/a\r\n/m/b\r\n");
        frmPlayList& list = f.forms.PlayList();
        list.List1->setListIndex(0);
        list.Command_Remove_Click();
        const int folder = ::open(QFile::encodeName(f.fake.tempFolder).constData(), O_RDONLY | O_DIRECTORY);
        QVERIFY(folder >= 0 && ::flock(folder, LOCK_EX) == 0);
        std::thread other([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            f.writeList("/m/a\r\n/m/b\r\n/m/c\r\n");
            ::close(folder);
        });
        f.forms.UnloadPlayList();
        other.join();
        QCOMPARE(f.listFileBytes(), QByteArray("/m/b\r\n/m/c\r\n"));
    }

    // Something that cannot be read as a list stands at the file's place:
    // the list starts empty, the user is told once a run why and where, and
    // unloads leave it there.
    void unreadableFileIsKept_data()
    {
        QTest::addColumn<bool>("fifo");
        QTest::addColumn<QString>("reason");
        QTest::newRow("FIFO") << true << "It is not a regular file.";
        QTest::newRow("folder") << false << "Is a directory";
    }
    void unreadableFileIsKept()
    {
        QFETCH(bool, fifo);
        QFETCH(QString, reason);
        Fixture f;
        const QByteArray name = QFile::encodeName(f.listFile());
        QVERIFY(fifo ? ::mkfifo(name.constData(), 0600) == 0 : QDir().mkpath(f.listFile()));
        f.powerOn();
        for (int round = 0; round < 2; ++round) {
            QCOMPARE(f.forms.PlayList().List1->ListCount(), 0);
            f.forms.PlayList().List1->AddItem("/m/new.mp3");
            QTest::qWait(1);
            f.main().Image_PlayList_Click();
            f.main().Image_button_Click();
            f.main().Image_pause_Click();
        }
        const QString told = "The play list could not be read from " + f.listFile() + ":\n" + reason;
        QCOMPARE(f.fake.msgBox.prompts.size(), 1);
        QVERIFY2(f.fake.msgBox.prompts[0].startsWith(told), qPrintable(f.fake.msgBox.prompts[0]));
        struct stat st {};
        QVERIFY(::lstat(name.constData(), &st) == 0);
        QVERIFY(fifo ? S_ISFIFO(st.st_mode) : S_ISDIR(st.st_mode));
    }

    void addAppendsTheChosenFile_data()
    {
        QTest::addColumn<Choices>("choices");
        QTest::addColumn<Entries>("entries");
        const std::optional<QString> cancel;
        QTest::newRow("chosen") << Choices{"/m/a.mp3"} << Entries{"/m/a.mp3"};
        QTest::newRow("same file twice") << Choices{"/m/a.mp3", "/m/a.mp3"} << Entries{"/m/a.mp3", "/m/a.mp3"};
        QTest::newRow("first cancel") << Choices{cancel} << Entries{};
        QTest::newRow("cancel after a choice adds nothing") << Choices{"/m/a.mp3", cancel} << Entries{"/m/a.mp3"};
        QTest::newRow("a line break in the name") << Choices{"/m/two\nlines.mp3"} << Entries{};
        QTest::newRow("non-ASCII name kept as its bytes")
            << Choices{QStringLiteral("/m/\u00e9t\u00e9.mp3")} << Entries{"/m/\xc3\xa9t\xc3\xa9.mp3"};
    }
    void addAppendsTheChosenFile()
    {
        QFETCH(Choices, choices);
        QFETCH(Entries, entries);
        Fixture f;
        frmPlayList& list = f.forms.PlayList();
        for (const auto& choice : choices) {
            f.fake.fileDialog.choices.append(choice);
            list.Command_Addlist_Click();
        }
        QCOMPARE(list.List1->entries(), entries);
        QCOMPARE(list.List1->ListIndex(), -1);
        QCOMPARE(f.fake.fileDialog.filters.constFirst(), QStringLiteral("Mp3|*.mp3"));
        QCOMPARE(f.fake.sound.played.size(), choices.size());
    }

    void removeAndHide()
    {
        Fixture f;
        f.writeList(kThreeFile);
        frmPlayList& list = f.forms.PlayList();
        list.Command_Remove_Click(); // nothing selected
        QCOMPARE(list.List1->ListCount(), 3);
        list.List1->setListIndex(1);
        list.Command_Remove_Click();
        QCOMPARE(list.List1->entries(), (Entries{"/m/one.mp3", "/m/three.mp3"}));
        QCOMPARE(list.List1->ListIndex(), -1);

        list.List1->setListIndex(1);
        f.main().Image_PlayList_Click();
        list.Image_MinPlayList_Click();
        QVERIFY(list.isHidden());
        QCOMPARE(f.forms.PlayListIfLoaded(), &list);
        f.main().Image_PlayList_Click();
        QCOMPARE(list.List1->ListIndex(), 1);
        QCOMPARE(list.List1->ListCount(), 2);
        QCOMPARE(f.listFileBytes(), QByteArray(kThreeFile));
    }

    // What Tab visits, as a screen reader names it; Delete on the list
    // presses Del, click sound and all, and leaves a song selected.
    void keyboardAndScreenReader()
    {
        Fixture f;
        f.writeList(kThreeFile);
        frmPlayList& list = f.forms.PlayList();
        QStringList visits;
        QWidget* w = list.List1;
        do {
            QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
            visits << i->text(QAccessible::Name) + (i->role() == QAccessible::Button ? ":button" : ":") +
                          (i->role() == QAccessible::List ? "list" : "");
            do
                w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus));
        } while (w != list.List1 && visits.size() < 6);
        QCOMPARE(visits.join(u' '), QStringLiteral("Play List:list Add:button Delete:button Hide playlist:button"));

        // The song after the removed one is selected, the last when the last
        // went, and reads as a new item: a screen reader presents it.
        QAccessibleInterface* songs = QAccessible::queryAccessibleInterface(list.List1);
        const QAccessible::Id second = QAccessible::uniqueId(songs->child(1));
        list.List1->setListIndex(1);
        QTest::keyClick(list.List1, Qt::Key_Delete);
        QCOMPARE(list.List1->entries(), (Entries{"/m/one.mp3", "/m/three.mp3"}));
        QCOMPARE(f.fake.sound.played.size(), 1);
        QCOMPARE(list.List1->ListIndex(), 1);
        QVERIFY(QAccessible::uniqueId(songs->child(1)) != second);
        QCOMPARE(songs->child(1)->text(QAccessible::Name), "/m/three.mp3");
        QTest::keyClick(list.List1, Qt::Key_Delete);
        QCOMPARE(list.List1->ListIndex(), 0);
        QTest::keyClick(list.List1, Qt::Key_Delete);
        QCOMPARE(list.List1->ListIndex(), -1);
        QCOMPARE(list.List1->ListCount(), 0);
    }

    void monitor_data()
    {
        QTest::addColumn<Entries>("entries");
        QTest::addColumn<int>("selected");
        QTest::addColumn<std::optional<int>>("played"); // what Play reports
        QTest::addColumn<QString>("next");              // the song opened next, if any
        QTest::addColumn<int>("selectedAfter");
        QTest::newRow("playing: nothing happens") << kThree << 0 << std::optional(0) << "" << 0;
        QTest::newRow("over: the next one") << kThree << 0 << std::optional(650) << "two" << 1;
        QTest::newRow("last over: wraps to the first") << kThree << 2 << std::optional(650) << "one" << 0;
        QTest::newRow("one entry repeats") << Entries{"/m/solo.mp3"} << 0 << std::optional(650) << "solo" << 0;
        QTest::newRow("failing Play counts as over") << kThree << 1 << std::optional<int>() << "three" << 2;
        QTest::newRow("status beyond 16 bits counts as over") << kThree << 0 << std::optional(70000) << "two" << 1;
        QTest::newRow("no selection: the first is selected, then followed")
            << kThree << -1 << std::optional(650) << "two" << 1;
        QTest::newRow("no selection, playing: the first is selected") << kThree << -1 << std::optional(0) << "" << 0;
        QTest::newRow("empty list: nothing") << Entries{} << -1 << std::optional(650) << "" << -1;
    }
    void monitor()
    {
        QFETCH(Entries, entries);
        QFETCH(int, selected);
        QFETCH(std::optional<int>, played);
        QFETCH(QString, next);
        QFETCH(int, selectedAfter);
        Fixture f;
        f.writeList(Fixture::crlfLines(entries));
        frmPlayList& list = f.forms.PlayList();
        list.List1->setListIndex(selected);
        f.fake.mp3->playResults = {played};
        list.Timer_MP3ListDataShow_Timer();
        const QStringList opened{"Open /m/" + next + ".mp3", "Play"};
        QCOMPARE(f.calls(), entries.isEmpty() ? QStringList{} : QStringList{"Play"} + (next.isEmpty() ? QStringList{} : opened));
        QCOMPARE(list.List1->ListIndex(), selectedAfter);
        // The display shows the title selected before the tick, the new one
        // from the next tick on.
        const auto title = [&](int i) { return i < 0 ? QString() : QString(entries[i]).mid(3).chopped(4); };
        QCOMPARE(f.main().Text_Title->caption(), title(selected));
        list.Timer_MP3ListDataShow_Timer();
        QVERIFY(f.main().Text_Title->caption().startsWith(title(selectedAfter)));
    }

    // Any button drags by the skin or the cap; the other window follows on
    // the release, and the cap stays on.
    void dragPlacesTheOtherWindow_data()
    {
        QTest::addColumn<QString>("handle");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QPoint>("by");
        QTest::newRow("player, left") << "player" << Qt::LeftButton << QPoint(40, 25);
        QTest::newRow("player, right") << "player" << Qt::RightButton << QPoint(-15, 10);
        QTest::newRow("cap, left") << "cap" << Qt::LeftButton << QPoint(20, 10);
        QTest::newRow("playlist rim, left") << "list" << Qt::LeftButton << QPoint(-30, 50);
        QTest::newRow("playlist rim, middle") << "list" << Qt::MiddleButton << QPoint(20, 20);
    }
    void dragPlacesTheOtherWindow()
    {
        QFETCH(QString, handle);
        QFETCH(Qt::MouseButton, button);
        QFETCH(QPoint, by);
        Fixture f;
        frmMain& player = f.main();
        frmPlayList& list = f.forms.PlayList();
        player.move(100, 100);
        list.move(400, 400); // away from its place
        player.show();
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&player) && QTest::qWaitForWindowExposed(&list));

        QWidget* grip = handle == "player" ? player.pic1 : handle == "cap" ? static_cast<QWidget*>(player.Image_usb_off) : list.pic1;
        QWidget& moved = *grip->window();
        QWidget& other = &moved == &player ? static_cast<QWidget&>(list) : player;
        const QPoint otherBefore = other.pos(), movedBefore = moved.pos();
        const QPoint at = handle == "player" ? QPoint(30, 60) : handle == "cap" ? QPoint(5, 5) : QPoint(7, 60); // not a control
        QTest::mousePress(grip, button, {}, at);
        QMouseEvent move(QEvent::MouseMove, QPointF(at + by), grip->mapToGlobal(QPointF(at + by)), Qt::NoButton, button, {});
        QApplication::sendEvent(grip, &move);
        QCOMPARE(moved.pos(), movedBefore + by);
        QCOMPARE(other.pos(), otherBefore); // the other waits for the release
        QTest::mouseRelease(grip, button, {}, at);
        QCOMPARE(list.pos() - player.pos(), frmPlayListLayout::kOffsetFromPlayer);
        QCOMPARE(moved.pos(), movedBefore + by);
        QVERIFY(player.pic2->isHidden());
    }

    // A press on the player's skin starts a drag, which makes the list window
    // (hidden, read from the file). A press on a control is the control's,
    // unless it is disabled, as the playlist key is while the player is off.
    void pressOnTheSkinMakesTheList()
    {
        Fixture f;
        f.writeList(kThreeFile);
        frmMain& player = f.main();
        player.show();
        QVERIFY(QTest::qWaitForWindowExposed(&player));
        player.Text_Title->show();
        QTest::mouseClick(player.Text_Title, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!f.forms.PlayListIfLoaded());
        QTest::mouseClick(player.Image_PlayList, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(f.forms.PlayListIfLoaded() && f.forms.PlayList().isHidden());
        QCOMPARE(f.forms.PlayList().List1->ListCount(), 3);
    }
};

QTEST_MAIN(TestFrmPlayList)
#include "tst_frmplaylist.moc"
