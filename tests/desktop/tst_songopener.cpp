// SPDX-License-Identifier: GPL-3.0-or-later
// Songs opened from outside the windows, in each state of the player, and
// dropped on either window.
#include "desktop/SongDrops.h"
#include "desktop/SongOpener.h"
#include "doubles/Fixture.h"

#include <QMimeData>
#include <QUrl>

#include <csignal>
#include <sys/resource.h>

using namespace vorlix;
using namespace vorlix::test;

class TestSongOpener : public QObject {
    Q_OBJECT
private slots:
    void openInEachState_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("calls"); // the opening, then two songs ending
        const QString plays = "Stop Open /n/1.mp3 Play | Play Open /n/2.mp3 Play | Play Open /m/a.mp3 Play";
        QTest::newRow("off") << "off" << plays;
        QTest::newRow("idle, list hidden") << "idle" << plays;
        QTest::newRow("idle, list shown") << "idle, shown" << plays;
        QTest::newRow("playing a dialog song") << "playing dialog" << plays;
        QTest::newRow("playing the list, shown") << "playing list, shown" << plays;
        QTest::newRow("nothing to add") << "off, refused only" << "";
    }
    void openInEachState()
    {
        QFETCH(QString, state);
        QFETCH(QString, calls);
        Fixture f;
        f.writeList("/m/a.mp3\r\n");
        f.main();
        if (!state.startsWith("off"))
            f.powerOn();
        if (state.contains("list"))
            f.main().Image_PlayList_Click(), f.main().Image_button_Click();
        if (state.contains("dialog"))
            f.fake.fileDialog.choices << QStringLiteral("/m/d.mp3"), f.main().Image_button_Click();
        if (state.contains("shown"))
            f.main().Image_PlayList_Click();
        const bool shown = f.forms.PlayListIfLoaded() && f.forms.PlayListIfLoaded()->isVisible();
        f.calls().clear();
        f.fake.sound.played.clear();

        SongOpener opener(f.forms);
        FoundSongs found{{"/n/1.mp3", "/n/2.mp3"}, {{"/x.txt", RefusedSong::Reason::NotMp3}}};
        if (state.contains("refused only"))
            found.songs.clear();
        opener.deliver(found);
        QCOMPARE(f.fake.msgBox.prompts, QStringList{"This was not added to the play list:\n/x.txt (not an MP3 file)"});
        QVERIFY(f.fake.sound.played.isEmpty());
        frmMain& m = f.main();
        QCOMPARE(!m.Text_Title->isHidden(), !calls.isEmpty() || !state.startsWith("off"));
        if (calls.isEmpty()) {
            QVERIFY(f.calls().isEmpty());
            return;
        }
        frmPlayList& list = f.forms.PlayList();
        QCOMPARE(list.List1->entries(), QList<QByteArray>({"/m/a.mp3", "/n/1.mp3", "/n/2.mp3"}));
        QCOMPARE(list.List1->ListIndex(), 1);
        QCOMPARE(list.isVisible(), shown);
        QVERIFY(m.Image_pause->isVisibleTo(&m) && !m.Image_button->isVisibleTo(&m));
        QVERIFY(list.Timer_MP3ListDataShow->Enabled() && !m.Timer_MP3DataShow->Enabled());
        QStringList seen{f.calls().join(' ')};
        for (int tick = 0; tick < 2; ++tick) {
            f.calls().clear();
            f.fake.mp3->playResults = {kSongOver};
            list.Timer_MP3ListDataShow_Timer();
            seen << f.calls().join(' ');
        }
        QCOMPARE(seen.join(" | "), calls);
    }

    // Requests wait while a dialog needs an answer, and come together after
    // it; the message about them is never shown on top of another.
    void waitsForModalDialogs()
    {
        Fixture f;
        f.main();
        SongOpener opener(f.forms);
        f.showQuestion();
        opener.deliver({{"/n/1.mp3"}, {{"/a.txt", RefusedSong::Reason::NotMp3}}});
        opener.deliver({{"/n/2.mp3"}, {}});
        QVERIFY(f.calls().isEmpty() && f.fake.msgBox.prompts.isEmpty());
        int open = 0, most = 0;
        QSignalSpy retried(opener.findChild<QTimer*>(), &QTimer::timeout);
        f.fake.msgBox.whileOpen = [&] {
            most = std::max(most, ++open);
            if (f.fake.msgBox.prompts.size() == 1) {
                opener.deliver({{}, {{"/b.txt", RefusedSong::Reason::NotMp3}}});
                QVERIFY(retried.wait()); // it looks again while this box is up
            }
            --open;
        };
        f.question.hide();
        QTRY_COMPARE(f.fake.msgBox.prompts.size(), 2);
        QCOMPARE(most, 1);
        QCOMPARE(f.calls(), QStringList({"Stop", "Open /n/1.mp3", "Play"}));
        QCOMPARE(f.forms.PlayList().List1->ListCount(), 2);
    }

    // Songs handed in while a dialog waits for its answer, being searched
    // or still queued are in the saved list however soon the close comes;
    // a save that fails is noted for the exit code.
    void closeKeepsHandedSongs_data()
    {
        QTest::addColumn<bool>("listLoaded");
        QTest::addColumn<bool>("diskFull");
        for (const bool full : {false, true}) {
            QTest::addRow("list window loaded%s", full ? ", disk full" : "") << true << full;
            QTest::addRow("no list window%s", full ? ", disk full" : "") << false << full;
        }
    }
    void closeKeepsHandedSongs()
    {
        QFETCH(bool, listLoaded);
        QFETCH(bool, diskFull);
        Fixture f;
        f.writeList("/m/a.mp3\r\n");
        f.main();
        if (listLoaded)
            f.powerOn();
        QTemporaryDir songs;
        const QByteArray dir = QFile::encodeName(songs.path());
        SongOpener opener(f.forms);
        f.forms.setBeforeClose([&] { f.forms.KeepSongs(opener.finish()); });
        f.showQuestion();
        opener.deliver({{"/n/1.mp3"}, {}});
        for (const char* name : {"x.mp3", "y.mp3"}) {
            QVERIFY(QFile(songs.filePath(name)).open(QIODevice::WriteOnly));
            opener.open({name}, dir);
        }
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &limit) == 0);
        const rlimit small{4, limit.rlim_max};
        QVERIFY(!diskFull || ::setrlimit(RLIMIT_FSIZE, &small) == 0);
        f.forms.SystemClose();
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &limit) == 0);
        QCOMPARE(f.listFileBytes(), "/m/a.mp3\r\n" + (diskFull ? "" : "/n/1.mp3\r\n" + dir + "/x.mp3\r\n" + dir + "/y.mp3\r\n"));
        QVERIFY(f.forms.saveFailed() == diskFull && f.calls().isEmpty());
    }

    // A drag is taken, with the copy cursor, only with a file in it and no
    // dialog open; by a window on screen before drops were watched too.
    // (tst_x11_about drops from another program.)
    void drops()
    {
        Fixture f;
        f.main().show();
        SongOpener opener(f.forms);
        SongDrops drops(opener);
        qApp->installEventFilter(&drops);
        QVERIFY(f.main().acceptDrops());
        QMimeData files, text;
        files.setUrls({QUrl::fromLocalFile("/m/s 1.mp3")});
        text.setText("/m/a.mp3");
        const auto taken = [&](QMimeData* data) {
            QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(&f.main(), &enter);
            return enter.isAccepted() && enter.dropAction() == Qt::CopyAction;
        };
        QVERIFY(!taken(&text) && taken(&files));
        f.showQuestion();
        QVERIFY(!taken(&files));
    }
};

QTEST_MAIN(TestSongOpener)
#include "tst_songopener.moc"
