// SPDX-License-Identifier: GPL-3.0-or-later
// The system ends the player, or closes its list, at awkward moments; an edit
// of the list is saved each time.
#include "player/frmMainLayout.h"
#include "playlist/frmPlayListLayout.h"
#include "x11/XSession.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace vorlix::x11;
namespace L = vorlix::frmMainLayout;

class TestX11Faults : public QObject {
    Q_OBJECT
    std::unique_ptr<Xvfb> xvfb_;
    // Held open throughout: a server whose last client leaves resets, and
    // refuses connections for a moment.
    std::unique_ptr<XConnection> x_;

private slots:
    void init()
    {
        // A row that ended the server has the next start one afresh.
        QString error;
        if (xvfb_)
            return;
        if (!(xvfb_ = Xvfb::start(&error)))
            QSKIP(qPrintable(error));
        QVERIFY((x_ = XConnection::open(xvfb_->display())));
    }

    void listIsSaved_data()
    {
        QTest::addColumn<QRect>("opener"); // pressed after power-on; empty: a later start with a missing song
        QTest::addColumn<int>("exitCode"); // 0: player closed; -1: what opened closed, player runs on; 1: server gone
        QTest::addColumn<bool>("reader");  // a screen reader listens on the accessibility bus
        QTest::newRow("close question open") << L::Image_power.pixels() << 0 << false;
        QTest::newRow("file dialog open") << L::Image_button.pixels() << 0 << false;
        QTest::newRow("playlist window closed") << L::Image_PlayList.pixels() << -1 << false;
        QTest::newRow("X server lost, list shown, screen reader") << L::Image_PlayList.pixels() << 1 << true;
        QTest::newRow("X server lost, close question open") << L::Image_power.pixels() << 1 << false;
        QTest::newRow("X server lost, file dialog open, screen reader") << L::Image_button.pixels() << 1 << true;
        QTest::newRow("X server lost, message open") << QRect() << 1 << false;
    }
    void listIsSaved()
    {
        QFETCH(QRect, opener);
        QFETCH(int, exitCode);
        QFETCH(bool, reader);
        QTemporaryDir cache;
        QFile list(cache.filePath("vorlix/mp3list.ini"));
        QVERIFY(QDir(cache.path()).mkdir("vorlix") && list.open(QFile::WriteOnly | QFile::Unbuffered) &&
                list.write("a.mp3\nb.mp3\n") == 12);
        QProcessEnvironment env = xvfb_->clientEnvironment();
        env.insert("SDL_AUDIODRIVER", "dummy");
        env.insert("XDG_CACHE_HOME", cache.path());
        // A bus of the test's own; with a screen reader, the accessibility
        // bus is that one too, and always on.
        QProcess bus;
        bus.start("dbus-daemon", {"--session", "--nofork", "--print-address", "--address=unix:dir=" + cache.path()});
        QVERIFY2(bus.waitForReadyRead(10000), "no dbus-daemon");
        env.insert("DBUS_SESSION_BUS_ADDRESS", bus.readLine().trimmed());
        if (reader) {
            env.insert("AT_SPI_BUS_ADDRESS", env.value("DBUS_SESSION_BUS_ADDRESS"));
            env.insert("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
        }
        QProcess player;
        player.setProcessEnvironment(env);
        player.start(VORLIX_PLAYER_PATH, {});
        std::optional<TopLevel> main, opened;
        const auto mapped = [&](std::optional<TopLevel>& found, quint32 other) {
            const auto notOther = [other](const TopLevel& t) { return t.id != other; };
            return waitUntil([&] { return (found = x_->findMapped(player.processId(), notOther)).has_value(); });
        };
        QVERIFY(mapped(main, 0));
        const auto click = [&](QPoint p) {
            const QStringList move{"mousemove", QString::number(p.x()), QString::number(p.y())};
            QVERIFY(xvfb_->runTool("xdotool", move + QStringList{"click", "1"}));
            QTest::qWait(700); // no double-click
        };
        // The list shown, its first song selected and deleted, the list hidden.
        click(main->geometry.topLeft() + L::Image_power.pixels().center());
        click(main->geometry.topLeft() + L::Image_PlayList.pixels().center());
        QVERIFY2(mapped(opened, main->id), "no list window");
        namespace P = vorlix::frmPlayListLayout;
        const QPoint panel = opened->geometry.topLeft();
        for (const QPoint at : {P::List1.pixels().topLeft() + QPoint(10, 5), P::Command_Remove.pixels().center(),
                                P::Image_MinPlayList.pixels().center()})
            click(panel + at);
        if (opener.isEmpty()) {
            QProcess later;
            later.setProcessEnvironment(env);
            later.start(VORLIX_PLAYER_PATH, {"/nowhere/gone.mp3"});
            QVERIFY(later.waitForFinished(10000) && later.exitCode() == 0);
        } else {
            click(main->geometry.topLeft() + opener.center());
        }
        QVERIFY2(mapped(opened, main->id), "nothing came up");
        if (exitCode == 1)
            xvfb_.reset(); // x_ stays, broken, and unused
        else
            QVERIFY(x_->sendDeleteWindow(exitCode == 0 ? main->id : opened->id));
        const QByteArray crLf = "b.mp3\r\n";
        const auto saved = [&] { list.close(); return list.open(QFile::ReadOnly) && list.readAll() == crLf; };
        QVERIFY2(waitUntil(saved), "the list was not saved");
        const bool ended = exitCode >= 0 && player.waitForFinished(10000) && player.exitCode() == exitCode;
        QVERIFY2(ended || (exitCode < 0 && player.state() == QProcess::Running), "the player ended wrong");
        player.kill();
        player.waitForFinished();
        bus.kill();
        bus.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(TestX11Faults)
#include "tst_x11_faults.moc"
