// SPDX-License-Identifier: GPL-3.0-or-later
// The cap, the about windows and help, and drops from another program, under
// a real window manager.
#include "player/frmMainLayout.h"
#include "x11/Desktop.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>
#include <QUrl>
#include <QWidget>

#include <cstdio>

using namespace vorlix;
using namespace vorlix::x11;
using namespace std::chrono_literals;
namespace L = vorlix::frmMainLayout;

// Another program's drag, as a file manager's: this test program again, in a
// window of its own, dragging a file URI (XDND). It says when the drag has
// begun, each action a target offers to take, and the action taken; and it
// stays, as a file manager does, to hand the target the data.
struct DragSource : QWidget {
    void mousePressEvent(QMouseEvent*) override
    {
        auto* data = new QMimeData;
        data->setUrls({QUrl(QString::fromLocal8Bit(qgetenv("VORLIX_DRAG_URI")))});
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        const auto say = [](const char* what, int action) { std::printf("%s %d\n", what, action), std::fflush(stdout); };
        connect(drag, &QDrag::actionChanged, this, [say](Qt::DropAction action) { say("over", action); });
        say("dragging", 0);
        say("took", drag->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::MoveAction));
    }
};

// Drags `uri` from `source`, a second process, onto `target` with the button
// held down; the action the target took. The pointer stirs over the target
// until the target offers to take the drag, and is let go only then.
Qt::DropAction dragFromAnotherProgram(Desktop& d, QProcess& source, const QString& uri, QPoint target)
{
    QProcessEnvironment env = d.env;
    env.insert("VORLIX_DRAG_URI", uri);
    source.setProcessEnvironment(env);
    source.start(QCoreApplication::applicationFilePath(), {"--drag-source"});
    QByteArray said;
    const auto hears = [&](const QByteArray& what) {
        return (said += source.readAllStandardOutput()).contains(what);
    };
    int stir = 0;
    const bool dropped =
        d.xvfb->xdotool({"search", "--sync", "--onlyvisible", "--name", QString("^Drag source %1$").arg(source.processId()),
                 "mousemove", "--window", "%1", "60", "40", "mousedown", "1"}) &&
        waitUntil([&] { return hears("dragging 0\n"); }) && waitUntil([&] {
            const QPoint at = target + QPoint(stir++ % 3, 0);
            return d.xvfb->xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())}) && hears("over 1\n");
        }) && d.xvfb->xdotool({"mouseup", "1"}) && waitUntil([&] { return hears("took "); });
    return dropped ? Qt::DropAction(said.mid(said.indexOf("took ") + 5).trimmed().toInt()) : Qt::IgnoreAction;
}

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
    const QPoint at = player->geometry.topLeft();
    auto shape = [&] { return d.x->boundingShape(player->id).value_or(QRegion()); };
    // A song's title drifts on the display once a second; no other caption moves.
    auto songOnDisplay = [&] {
        const QRect display = L::Text_Title.pixels().translated(at);
        return waitUntil([&, first = d.x->grab(display)] { return d.x->grab(display) != first; }, 4s);
    };
    QCOMPARE(shapeRows(shape()), kSkin1Rows);
    // A song dragged from another program, with the copy action: onto the
    // player while it is off (it switches on and plays), onto the list
    // window while it plays.
    const QString song = QUrl::fromLocalFile(d.scratch.filePath("tone.mp3")).toString();
    QProcess first, second;
    QCOMPARE(dragFromAnotherProgram(d, first, song, at + QPoint(30, 60)), Qt::CopyAction);
    QVERIFY2(songOnDisplay(), "the dropped song does not play");
    // Its data handed over, the first source goes: its window would stand
    // over the second's, which the window manager may open beneath it.
    first.kill(), first.waitForFinished();
    QVERIFY(d.xvfb->click(at + L::Image_PlayList.pixels().center()));
    const auto list = d.waitFor("Play List");
    QVERIFY2(list, "no list window");
    QCOMPARE(dragFromAnotherProgram(d, second, song, list->geometry.topLeft() + QPoint(120, 50)), Qt::CopyAction);
    QVERIFY2(songOnDisplay(), "the song dropped on the list does not play");

    // The cap comes off: second skin, launcher beside the player.
    QVERIFY(d.xvfb->click(at + L::Image_usb_off.pixels().center(), 2));
    const auto launcher = d.waitFor("About");
    QVERIFY2(launcher, "no launcher");
    QCOMPARE(shapeRows(shape()), kSkin2Rows);
    QCOMPARE(launcher->frame.topLeft(), at + QPoint(260, -10));
    // Fixed windows ask to be moved and closed only (Motif functions move and
    // close; decorations border, title, menu), and the window manager allows
    // no more: a minimised one would have no taskbar entry to come back from.
    // Empty when they do; else what they ask for.
    const auto closeButtonOnly = [&](const std::optional<TopLevel>& window) {
        QString hints;
        d.xvfb->runTool("xprop", {"-id", QString::number(window->id), "_MOTIF_WM_HINTS", "_NET_WM_ALLOWED_ACTIONS"}, &hints);
        const bool only = hints.contains(") = 0x3, 0x24, 0x1a, 0x0, 0x0\n") && hints.contains("_NET_WM_ACTION_CLOSE") &&
                          !hints.contains(QRegularExpression("MINIMIZE|MAXIMIZE|RESIZE|FULLSCREEN"));
        return only ? QString() : hints;
    };
    QCOMPARE(closeButtonOnly(launcher), QString());
    const QPoint help = launcher->geometry.topLeft() + QPoint(36, 36);
    const QPoint aboutButton = launcher->geometry.topLeft() + QPoint(100, 36);

    QVERIFY(d.xvfb->click(help));
    const auto helpWindow = d.waitFor("Vorlix Help"); // titled by the help file
    QVERIFY2(helpWindow, "no help window");
    QVERIFY(d.x->sendDeleteWindow(helpWindow->id) && d.gone("Vorlix Help"));

    // About, twice: one dialog, its client area at 156, 129.
    QVERIFY(d.xvfb->click(aboutButton) && d.xvfb->click(aboutButton));
    const auto about = d.waitFor("About Vorlix");
    QVERIFY2(about, "no about dialog");
    const auto all = d.x->mappedTopLevels();
    QCOMPARE(std::count_if(all.begin(), all.end(), [](const TopLevel& c) { return c.name == "About Vorlix"; }), 1);
    QCOMPARE(about->geometry, QRect(156, 129, 323, 237));
    QCOMPARE(closeButtonOnly(about), QString());

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
    QCOMPARE(closeButtonOnly(message), QString());
    QVERIFY(d.key(*message, "Return") && d.gone("Vorlix") && d.find("About Vorlix"));
    QVERIFY(d.key(*about, "Return"));
    QVERIFY2(d.gone("About Vorlix"), "Enter did not close the dialog");

    // The connector goes back in: first skin, about windows gone, song on.
    QVERIFY(d.xvfb->click(aboutButton) && d.waitFor("About Vorlix"));
    QVERIFY(d.xvfb->click(at + L::Image_usb_on.pixels().center(), 2));
    QVERIFY2(d.gone("About") && d.gone("About Vorlix"), "about windows stayed");
    QCOMPARE(shapeRows(shape()), kSkin1Rows);
    QVERIFY2(songOnDisplay(), "the song's title is not back on the display");
    // The close question is a fixed window too; No keeps the player.
    QVERIFY(d.xvfb->click(at + L::Image_power.pixels().center()));
    const auto question = d.waitFor("Vorlix");
    QVERIFY2(question, "no close question");
    QCOMPARE(closeButtonOnly(question), QString());
    QVERIFY(d.key(*question, "Escape") && d.gone("Vorlix") && d.player.state() == QProcess::Running);
    // Pause saves the list with both dropped songs.
    QVERIFY(d.xvfb->click(at + L::Image_pause.pixels().center()));
    const QByteArray entry = QFile::encodeName(d.scratch.filePath("tone.mp3")) + "\r\n";
    QVERIFY2(waitUntil([&] { return d.listBytes() == entry.repeated(3); }), d.listBytes().constData());
    second.kill(), second.waitForFinished();
}

int main(int argc, char* argv[])
{
    if (argc == 2 && qstrcmp(argv[1], "--drag-source") == 0) {
        QApplication app(argc, argv);
        DragSource source;
        source.setWindowTitle(QString("Drag source %1").arg(QCoreApplication::applicationPid()));
        source.setGeometry(500, 400, 120, 80);
        source.show();
        return app.exec();
    }
    QCoreApplication app(argc, argv);
    TestX11About test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_x11_about.moc"
