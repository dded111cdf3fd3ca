// SPDX-License-Identifier: GPL-3.0-or-later
// The player in a real X session: its outline, its hit area, the power key,
// the close question and the ways the system asks it to end. Runs the built
// program against an Xvfb of its own and watches it through xcb; xdotool
// moves the pointer and types.
#include "player/frmMainLayout.h"
#include "playlist/frmPlayListLayout.h"
#include "x11/Desktop.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPainter>
#include <QSettings>
#include <QTest>

#include <csignal>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace vorlix;
using namespace vorlix::x11;
using namespace std::chrono_literals;

namespace {

namespace L = frmMainLayout;

const QString kPlayer = QStringLiteral(VORLIX_PLAYER_PATH);
const QRect kPowerRect = L::Image_power.pixels();
const QRect kDisplayRect = L::Text_Title.pixels();

// The pixels of `image` where `where` holds.
int count(const QImage& image, const std::function<bool(QPoint, QRgb)>& where)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += where(QPoint(x, y), image.pixel(x, y) | 0xff000000);
    return n;
}

// The address space a process has reserved, in KiB; 0 if unknown.
qint64 vmSizeKiB(qint64 pid)
{
    QFile statm(QStringLiteral("/proc/%1/statm").arg(pid));
    return statm.open(QIODevice::ReadOnly) ? statm.readAll().split(' ').value(0).toLongLong() * ::sysconf(_SC_PAGESIZE) / 1024 : 0;
}

// Caption ink: far darker than the glass it is written on.
int inkPixels(const QImage& image)
{
    return count(image, [](QPoint, QRgb pixel) { return qGray(pixel) < 90; });
}

// Pixels of `shot` that differ from `want` where `where` holds.
int mismatches(const QImage& shot, const QImage& want, const std::function<bool(QPoint)>& where)
{
    return shot.size() != want.size() ? -1 : count(shot, [&](QPoint p, QRgb pixel) {
        return where(p) && pixel != (want.pixel(p) | 0xff000000);
    });
}

} // namespace

class TestX11Player : public QObject {
    Q_OBJECT

    std::unique_ptr<Desktop> d_; // no window manager
    QImage picture_; // the window while off
    QImage skin_;
    // The outline, counted here: where the skin is not its background colour.
    bool inside(QPoint p) const { return skin_.pixel(p) != skin_.pixel(0, 0); }
    TopLevel window_;

    int insideMismatches(const QImage& shot) const { return mismatches(shot, picture_, [&](QPoint p) { return inside(p); }); }
    QImage windowShot() const { return d_->x->grab(window_.geometry); }

    // The player, once it shows its picture; with `reader`, a screen reader
    // listens, its accessibility bus the session bus.
    bool launch(bool reader = false)
    {
        if (reader) {
            d_->env.insert("AT_SPI_BUS_ADDRESS", d_->env.value("DBUS_SESSION_BUS_ADDRESS"));
            d_->env.insert("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
        }
        const auto found = d_->launch();
        if (!found)
            return false;
        window_ = *found;
        // The picture comes with the first paint, a moment after the map.
        waitUntil([&] { return insideMismatches(windowShot()) == 0; }, 5s);
        return true;
    }

    bool click(QPoint windowPoint) { return d_->xvfb->click(window_.geometry.topLeft() + windowPoint); }

    bool powerOn() { return click(kPowerRect.center()) && waitUntil([&] { return inkPixels(windowShot().copy(kDisplayRect)); }); }

    // A window of the player's besides the player window, once one maps.
    auto otherWindow() const { return d_->x->waitFor(d_->player.processId(), [&](auto& t) { return t.id != window_.id; }); }

    // The screen in `rect` once two shots in a row agree (a caption arrives whole).
    QImage settledShot(const QRect& rect) const
    {
        QImage last;
        waitUntil([&] { return std::exchange(last, d_->x->grab(rect)) == last && !last.isNull(); }, 2s);
        return last;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo(kPlayer).isExecutable(), qPrintable(kPlayer));
        // Off, the window shows the skin with the play key's own picture over it.
        skin_ = picture_ = QImage(QStringLiteral(":/skin1.png")).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(picture_.size(), L::kSkinSize);
        QPainter(&picture_).drawImage(L::Image_button.pixels().topLeft(), QImage(QStringLiteral(":/play.png")));
    }
    void init()
    {
        d_ = std::make_unique<Desktop>();
        if (const QString why = d_->start(false); !why.isEmpty())
            QSKIP(qPrintable(why));
    }
    void cleanup()
    {
        if (QTest::currentTestFailed()) // the screen as it was goes beside the test program
            d_->x->grabScreen().save(QCoreApplication::applicationDirPath() + "/x11-failed-"
                                     + QTest::currentTestFunction() + ".png");
        d_.reset();
    }

    // The player shows exactly its picture: the X shape is the skin's
    // outline (so around it the desktop shows through), and inside is the
    // skin. The pointer over the window's rectangle but off the outline is
    // over the desktop (the root window), on the outline over the player.
    // Power on: the caption appears in the display and nothing else changes.
    void shapeHitAreaAndPower()
    {
        QVERIFY(launch());
        const auto shape = d_->x->boundingShape(window_.id);
        QVERIFY(shape);
        QCOMPARE(shapeRows(*shape), kSkin1Rows);
        const QImage off = windowShot();
        const int wrong = insideMismatches(off);
        QVERIFY2(wrong == 0, qPrintable(QStringLiteral("%1 pixels inside differ from the skin picture").arg(wrong)));
        QCOMPARE(inkPixels(off.copy(kDisplayRect)), 0);

        // The desktop ties the window to its menu entry (icon, name in task
        // lists) by the entry's StartupWMClass.
        QSettings entry(QStringLiteral(VORLIX_DESKTOP_ENTRY), QSettings::IniFormat);
        const QString wanted = entry.value(QStringLiteral("Desktop Entry/StartupWMClass")).toString();
        QString wmClass;
        QVERIFY(d_->xvfb->runTool(QStringLiteral("xprop"), {"-id", QString::number(window_.id), "WM_CLASS"}, &wmClass));
        QVERIFY2(!wanted.isEmpty() && wmClass.trimmed().endsWith(QStringLiteral(", \"%1\"").arg(wanted)), qPrintable(wmClass));

        const std::pair<QPoint, bool> points[]{{{2, 2}, false}, {{100, 2}, false}, {{297, 80}, false}, {{2, 80}, false},
                                               {kPowerRect.center(), true}, {kDisplayRect.center(), true},
                                               {{155, 5}, true}}; // a volume key on the top edge
        for (const auto& [point, onPlayer] : points) {
            QCOMPARE(inside(point), onPlayer); // the point itself is right
            const QPoint at = window_.geometry.topLeft() + point;
            QVERIFY(d_->xvfb->xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())}));
            const QString expected = QStringLiteral("X=%1\nY=%2\nSCREEN=0\nWINDOW=%3\n")
                                         .arg(at.x()).arg(at.y()).arg(onPlayer ? window_.id : d_->x->root());
            QString location;
            waitUntil([&] { return d_->xvfb->xdotool({"getmouselocation", "--shell"}, &location) && location == expected; }, 3s);
            QCOMPARE(location, expected);
        }

        QVERIFY(powerOn());
        const QImage on = settledShot(window_.geometry);
        const int ink = inkPixels(on.copy(kDisplayRect));
        QVERIFY2(ink >= 20, qPrintable(QStringLiteral("only %1 caption pixels").arg(ink)));
        QCOMPARE(mismatches(on, off, [](QPoint p) { return !kDisplayRect.contains(p); }), 0);
    }

    // The list window shows the same picture each time it comes back, also
    // after it has been hidden and its pixels let go; letting them go takes
    // no new memory.
    void listShowsAgainWhole()
    {
        QVERIFY(launch());
        QVERIFY(powerOn());
        std::optional<TopLevel> list;
        const auto openList = [&] { return click(L::Image_PlayList.pixels().center()) && (list = otherWindow()); };
        QVERIFY(openList());
        const QImage first = settledShot(list->geometry);
        const qint64 before = vmSizeKiB(d_->player.processId());
        QVERIFY(d_->xvfb->click(list->geometry.topLeft() + frmPlayListLayout::Image_MinPlayList.pixels().center()));
        QVERIFY(d_->x->gone(list->id));
        qint64 after = 0;
        QVERIFY2(before > 0 && waitUntil([&] { return (after = vmSizeKiB(d_->player.processId())) - before < 100 * 1024; }, 2s),
                 qPrintable(QStringLiteral("VmSize %1 -> %2 KiB").arg(before).arg(after)));
        QVERIFY(openList());
        QCOMPARE(settledShot(list->geometry), first);
    }

    // The second press on power asks first: No keeps the player as it was,
    // Yes (the default button) ends the program normally.
    void closeQuestion_data()
    {
        QTest::addColumn<QString>("noKey");
        QTest::newRow("Escape") << QStringLiteral("Escape");
        QTest::newRow("n") << QStringLiteral("n");
    }
    void closeQuestion()
    {
        QFETCH(QString, noKey);
        QVERIFY(launch());
        QVERIFY(powerOn());
        const QImage on = settledShot(window_.geometry);
        for (const QString& key : {noKey, QStringLiteral("Return")}) {
            const auto box = click(kPowerRect.center()) ? otherWindow() : std::nullopt;
            QVERIFY2(box, "no question window");
            QVERIFY(!box->geometry.isEmpty());
            // Given the focus as a window manager would (without one it takes it itself).
            QVERIFY(d_->xvfb->xdotool({"windowfocus", "--sync", QString::number(box->id), "key", key}));
            if (key == noKey) {
                QVERIFY2(d_->x->gone(box->id), "the question stayed");
                QCOMPARE(d_->player.state(), QProcess::Running);
                // The player repaints where the box covered it, and looks as before.
                QVERIFY(waitUntil([&] { return windowShot() == on; }, 3s));
                QVERIFY(d_->x->mapped(window_.id));
            }
        }
        QVERIFY2(d_->player.waitForFinished(10000), "Yes did not end the program");
        QCOMPARE(d_->player.exitStatus(), QProcess::NormalExit);
        QCOMPARE(d_->player.exitCode(), 0);
    }

    // A session bus that takes connections and never answers holds neither
    // the window nor the clicks.
    void hangingBus()
    {
        const QByteArray path = QFile::encodeName(d_->scratch.filePath("hanging.socket"));
        sockaddr_un address{AF_UNIX, {}};
        std::memcpy(address.sun_path, path.constData(), path.size());
        const int hanging = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(::bind(hanging, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && ::listen(hanging, 8) == 0);
        d_->env.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + path);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(launch() && powerOn());
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed()) + " ms"));
        ::close(hanging);
    }

    // The system ends the player, or closes what a press opened, at awkward
    // moments: the program ends normally (or goes on), and an edit of the
    // list made before is saved each time.
    void closeRequests_data()
    {
        QTest::addColumn<int>("request"); // a signal; 0: the window manager's close request; -1: the server goes
        QTest::addColumn<QRect>("opener"); // pressed after the edit
        QTest::addColumn<int>("exitCode"); // -1: only what opened closes
        QTest::addColumn<bool>("reader");  // a screen reader listens
        const QRect message(0, 0, 1, 1); // not pressed: a later start hands over a missing song
        QTest::newRow("SIGHUP") << int(SIGHUP) << QRect() << 0 << false;
        QTest::newRow("SIGTERM, close question open") << int(SIGTERM) << kPowerRect << 0 << false;
        QTest::newRow("WM_DELETE_WINDOW, file dialog open") << 0 << L::Image_button.pixels() << 0 << false;
        QTest::newRow("WM_DELETE_WINDOW to the list") << 0 << L::Image_PlayList.pixels() << -1 << false;
        // Each of these ends its server; the next row starts one afresh.
        QTest::newRow("X server lost, list shown, screen reader") << -1 << L::Image_PlayList.pixels() << 1 << true;
        QTest::newRow("X server lost, close question open") << -1 << kPowerRect << 1 << false;
        QTest::newRow("X server lost, file dialog open, screen reader") << -1 << L::Image_button.pixels() << 1 << true;
        QTest::newRow("X server lost, message open") << -1 << message << 1 << false;
    }
    void closeRequests()
    {
        QFETCH(int, request);
        QFETCH(QRect, opener);
        QFETCH(int, exitCode);
        QFETCH(bool, reader);
        QFile list(d_->listFile());
        QVERIFY(QDir().mkpath(d_->scratch.filePath("vorlix")) && list.open(QFile::WriteOnly) && list.write("a.mp3\nb.mp3\n") == 12);
        list.close();
        QVERIFY(launch(reader) && powerOn() && click(L::Image_PlayList.pixels().center()));
        std::optional<TopLevel> opened = otherWindow();
        QVERIFY2(opened, "no list window");
        // The list's first song selected and deleted, the list hidden.
        namespace P = frmPlayListLayout;
        const QPoint panel = opened->geometry.topLeft() - window_.geometry.topLeft();
        for (const QPoint at : {P::List1.pixels().topLeft() + QPoint(10, 5), P::Command_Remove.pixels().center(),
                                P::Image_MinPlayList.pixels().center()})
            QVERIFY(click(panel + at));
        QVERIFY(d_->x->gone(opened->id));
        if (opener.size() == QSize(1, 1)) {
            QProcess later;
            later.setProcessEnvironment(d_->env);
            later.start(kPlayer, {"/nowhere/gone.mp3"});
            QVERIFY(later.waitForFinished(10000) && later.exitCode() == 0 && (opened = otherWindow()));
        } else if (!opener.isEmpty()) {
            QVERIFY2(click(opener.center()) && (opened = otherWindow()), "nothing came up");
        }
        if (request < 0)
            d_->xvfb.reset(); // x stays, broken, and unused
        else
            QVERIFY(request ? ::kill(pid_t(d_->player.processId()), request) == 0
                            : d_->x->sendDeleteWindow(exitCode < 0 ? opened->id : window_.id));
        QVERIFY2(waitUntil([&] { return d_->listBytes() == "b.mp3\r\n"; }), "the list was not saved");
        if (exitCode < 0) {
            QCOMPARE(d_->player.state(), QProcess::Running);
            return;
        }
        QVERIFY2(d_->player.waitForFinished(10000), "the program did not end");
        QCOMPARE(d_->player.exitStatus(), QProcess::NormalExit);
        QCOMPARE(d_->player.exitCode(), exitCode);
        QVERIFY(exitCode || waitUntil([&] { return d_->x->mappedTopLevels().empty(); }, 3s));
    }
};

// Needs no display but the Xvfb it starts; run by hand it stays off the desktop.
int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestX11Player test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_x11_player.moc"
