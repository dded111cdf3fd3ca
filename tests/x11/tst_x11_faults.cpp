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
    void initTestCase()
    {
        QString error;
        if (!(xvfb_ = Xvfb::start(&error)))
            QSKIP(qPrintable(error));
        QVERIFY((x_ = XConnection::open(xvfb_->display())));
    }

    void listIsSaved_data()
    {
        QTest::addColumn<QRect>("opener"); // pressed after power-on
        QTest::addColumn<int>("exitCode"); // 0: player closed; -1: what opened closed, player runs on; 1: server gone
        QTest::newRow("close question open") << L::Image_power.pixels() << 0;
        QTest::newRow("file dialog open") << L::Image_button.pixels() << 0;
        QTest::newRow("playlist window closed") << L::Image_PlayList.pixels() << -1;
        QTest::newRow("X server lost") << L::Image_PlayList.pixels() << 1; // last, as it ends the server
    }
    void listIsSaved()
    {
        QFETCH(QRect, opener);
        QFETCH(int, exitCode);
        QTemporaryDir cache;
        QFile list(cache.filePath("vorlix/mp3list.ini"));
        QVERIFY(QDir(cache.path()).mkdir("vorlix") && list.open(QFile::WriteOnly | QFile::Unbuffered) &&
                list.write("a.mp3\nb.mp3\n") == 12);
        qputenv("SDL_AUDIODRIVER", "dummy"); // the player's environment starts from ours
        qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
        QProcess player;
        player.setProcessEnvironment(xvfb_->clientEnvironment());
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
        click(main->geometry.topLeft() + opener.center());
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
    }
};

QTEST_GUILESS_MAIN(TestX11Faults)
#include "tst_x11_faults.moc"
