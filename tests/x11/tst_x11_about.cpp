// SPDX-License-Identifier: GPL-3.0-or-later
// The cap, the about windows and help under a real window manager.
#include "player/frmMainLayout.h"
#include "x11/Desktop.h"

#include <QTest>

using namespace vorlix;
using namespace vorlix::x11;
using namespace std::chrono_literals;
namespace L = vorlix::frmMainLayout;

class TestX11About : public QObject {
    Q_OBJECT
private slots:
    void capAboutWindowsAndConnector();
};

void TestX11About::capAboutWindowsAndConnector()
{
    Desktop d;
    if (const QString why = d.start(); !why.isEmpty())
        QSKIP(qPrintable(why));
    QVERIFY(d.writeList({"tone"}) && QDir().mkpath(d.scratch.filePath("bin")));
    d.env.insert("PATH", d.scratch.filePath("bin")); // no system information tool
    const auto player = d.launch();
    QVERIFY2(player, "no player window");
    const QPoint at = player->client.topLeft();
    auto shape = [&] { return d.x->boundingShape(player->id).value_or(QRegion()); };
    // A song's title drifts on the display once a second; no other caption moves.
    auto songOnDisplay = [&] {
        const QRect display = L::Text_Title.pixels().translated(at);
        return waitUntil([&, first = d.x->grab(display)] { return d.x->grab(display) != first; }, 4s);
    };
    QCOMPARE(shapeRows(shape()), kSkin1Rows);
    QVERIFY(d.click(at + L::Image_power.pixels().center()) && d.click(at + L::Image_PlayList.pixels().center()));
    QVERIFY(d.waitFor("Play List") && d.click(at + L::Image_button.pixels().center()));
    QVERIFY2(songOnDisplay(), "no song on the display");

    // The cap comes off: second skin, launcher beside the player.
    QVERIFY(d.click(at + L::Image_usb_off.pixels().center(), 2));
    const auto launcher = d.waitFor("About");
    QVERIFY2(launcher, "no launcher");
    QCOMPARE(shapeRows(shape()), kSkin2Rows);
    QCOMPARE(launcher->frame.topLeft(), at + QPoint(260, -10));
    // Fixed windows ask to be moved and closed only (Motif functions move and
    // close; decorations border, title, menu), and the window manager allows
    // no more: a minimised one would have no taskbar entry to come back from.
    const auto closeButtonOnly = [&](const std::optional<Client>& window) {
        QString hints;
        d.xvfb->runTool("xprop", {"-id", QString::number(window->id), "_MOTIF_WM_HINTS", "_NET_WM_ALLOWED_ACTIONS"}, &hints);
        return std::pair(hints.contains(") = 0x3, 0x24, 0x1a, 0x0, 0x0\n") && hints.contains("_NET_WM_ACTION_CLOSE") &&
                             !hints.contains(QRegularExpression("MINIMIZE|MAXIMIZE|RESIZE|FULLSCREEN")), hints);
    };
    const auto [launcherHints, launcherProps] = closeButtonOnly(launcher);
    QVERIFY2(launcherHints, qPrintable(launcherProps));
    const QPoint help = launcher->client.topLeft() + QPoint(36, 36);
    const QPoint aboutButton = launcher->client.topLeft() + QPoint(100, 36);

    QVERIFY(d.click(help));
    const auto helpWindow = d.waitFor("Vorlix Help"); // titled by the help file
    QVERIFY2(helpWindow, "no help window");
    QVERIFY(d.x->sendDeleteWindow(helpWindow->id) && d.gone("Vorlix Help"));

    // About, twice: one dialog, its client area at 156, 129.
    QVERIFY(d.click(aboutButton) && d.click(aboutButton));
    const auto about = d.waitFor("About Vorlix");
    QVERIFY2(about, "no about dialog");
    const auto all = d.clients();
    QCOMPARE(std::count_if(all.begin(), all.end(), [](const Client& c) { return c.name == "About Vorlix"; }), 1);
    QCOMPARE(about->client, QRect(156, 129, 323, 237));
    const auto [aboutHints, aboutProps] = closeButtonOnly(about);
    QVERIFY2(aboutHints, qPrintable(aboutProps));

    // Alt+S starts the first system information tool on PATH, once, detached.
    const QString log = d.scratch.filePath("tool.log");
    QFile tool(d.scratch.filePath("bin/hardinfo"));
    QVERIFY(tool.open(QIODevice::WriteOnly) && tool.write("#!/bin/sh\necho $PPID >> " + QFile::encodeName(log) + "\n"));
    tool.close();
    QVERIFY(tool.setPermissions(tool.permissions() | QFile::ExeOwner) && d.key(*about, "alt+s"));
    QVERIFY2(waitUntil([&] { return QFileInfo(log).size() > 0; }), "the tool was not started");
    const auto children = [&] {
        QFile file(QStringLiteral("/proc/%1/task/%1/children").arg(d.player.processId()));
        return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : "?";
    };
    QVERIFY2(waitUntil([&] { return children().isEmpty(); }), "the tool stayed a child, or a zombie");
    QFile parents(log);
    QVERIFY(parents.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = parents.readAll().trimmed().split('\n');
    QCOMPARE(lines.size(), 1);
    QVERIFY(lines[0].toLongLong() != d.player.processId());

    // With none on PATH: the message, and the dialog stays; Enter closes both.
    QVERIFY(tool.remove() && d.key(*about, "alt+s"));
    const auto message = d.waitFor("Vorlix");
    QVERIFY2(message, "no message box");
    const auto [messageHints, messageProps] = closeButtonOnly(message);
    QVERIFY2(messageHints, qPrintable(messageProps));
    QVERIFY(d.key(*message, "Return") && d.gone("Vorlix") && d.find("About Vorlix"));
    QVERIFY(d.key(*about, "Return"));
    QVERIFY2(d.gone("About Vorlix"), "Enter did not close the dialog");

    // The connector goes back in: first skin, about windows gone, song on.
    QVERIFY(d.click(aboutButton) && d.waitFor("About Vorlix"));
    QVERIFY(d.click(at + L::Image_usb_on.pixels().center(), 2));
    QVERIFY2(d.gone("About") && d.gone("About Vorlix"), "about windows stayed");
    QCOMPARE(shapeRows(shape()), kSkin1Rows);
    QVERIFY2(songOnDisplay(), "the song's title is not back on the display");
    // The close question is a fixed window too; No keeps the player.
    QVERIFY(d.click(at + L::Image_power.pixels().center()));
    const auto question = d.waitFor("Vorlix");
    QVERIFY2(question, "no close question");
    const auto [questionHints, questionProps] = closeButtonOnly(question);
    QVERIFY2(questionHints, qPrintable(questionProps));
    QVERIFY(d.key(*question, "Escape") && d.gone("Vorlix") && d.player.state() == QProcess::Running);
}

QTEST_GUILESS_MAIN(TestX11About)
#include "tst_x11_about.moc"
