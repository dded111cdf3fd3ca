// The cap, the about windows and help in a real X session with a window
// manager: the built program on an Xvfb of its own with openbox, driven by
// xdotool, watched through xcb.
#include "player/frmMainLayout.h"
#include "skin/gifmod.h"
#include "x11/XSession.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <xcb/xcb.h>

#include <csignal>
#include <cstring>

using namespace vorlix;
using namespace vorlix::x11;
using namespace std::chrono_literals;
namespace L = vorlix::frmMainLayout;

namespace {

// A window the window manager manages: its client area and its frame.
struct Client {
    quint32 id = 0;
    QString name;
    QRect client;
    QRect frame;
};

// A window property as bytes: a name, or 32-bit values.
QByteArray windowProperty(xcb_connection_t* c, quint32 window, const char* name)
{
    auto* atom = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
    auto* p = xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, atom ? atom->atom : 0, XCB_GET_PROPERTY_TYPE_ANY, 0, 4096), nullptr);
    const QByteArray bytes = p ? QByteArray(static_cast<const char*>(xcb_get_property_value(p)),
                                            xcb_get_property_value_length(p))
                               : QByteArray();
    std::free(atom);
    std::free(p);
    return bytes;
}

quint32 cardinal(const QByteArray& bytes, int i)
{
    return bytes.size() >= 4 * (i + 1) ? reinterpret_cast<const quint32*>(bytes.constData())[i] : 0;
}

// The managed windows of `pid`.
std::vector<Client> clients(const XConnection& x, qint64 pid)
{
    xcb_connection_t* c = x.raw();
    std::vector<Client> result;
    const QByteArray list = windowProperty(c, x.root(), "_NET_CLIENT_LIST");
    for (int i = 0; i < list.size() / 4; ++i) {
        const quint32 id = cardinal(list, i);
        auto* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr);
        auto* t = xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, id, x.root(), 0, 0), nullptr);
        if (g && t && cardinal(windowProperty(c, id, "_NET_WM_PID"), 0) == pid) {
            const QRect client(t->dst_x, t->dst_y, g->width, g->height);
            const QByteArray e = windowProperty(c, id, "_NET_FRAME_EXTENTS"); // left, right, top, bottom
            result.push_back({id, QString::fromUtf8(windowProperty(c, id, "WM_NAME")), client,
                              client.adjusted(-int(cardinal(e, 0)), -int(cardinal(e, 2)), cardinal(e, 1), cardinal(e, 3))});
        }
        std::free(g);
        std::free(t);
    }
    return result;
}

} // namespace

class TestX11About : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void capAboutWindowsAndConnector();

private:
    std::optional<Client> find(const QString& name) const
    {
        for (const Client& c : clients(*x_, vorlix_.processId()))
            if (c.name == name)
                return c;
        return std::nullopt;
    }
    std::optional<Client> waitFor(const QString& name)
    {
        waitUntil([&] { return find(name).has_value(); });
        return find(name);
    }
    bool gone(const QString& name) { return waitUntil([&] { return !find(name); }); }
    bool click(QPoint at, int count = 1)
    {
        QTest::qWait(600); // apart from the last click, so it is no double-click
        return xvfb_->runTool("xdotool", {"mousemove", QString::number(at.x()), QString::number(at.y()), "click",
                                          "--repeat", QString::number(count), "--delay", "80", "1"});
    }
    bool key(const Client& window, const QString& keys)
    {
        if (!waitUntil([&] { return x_->inputFocus() == window.id; }, 2s))
            xvfb_->runTool("xdotool", {"windowactivate", "--sync", QString::number(window.id)});
        return xvfb_->runTool("xdotool", {"key", keys});
    }
    QRegion shape() const { return x_->boundingShape(player_.id).value_or(QRegion()); }
    // A song's title drifts on the display once a second; no other caption moves.
    bool displayKeepsMoving() const
    {
        const QRect display = L::Text_Title.pixels().translated(player_.client.topLeft());
        const QImage first = x_->grab(display);
        return waitUntil([&] { return x_->grab(display) != first; }, 4s);
    }
    void shoot(const QString& name, const QRect& area) const
    {
        QTest::qWait(300); // the last paint
        QDir().mkpath(QCoreApplication::applicationDirPath() + "/x11-shots");
        x_->grab(area).save(QCoreApplication::applicationDirPath() + "/x11-shots/" + name + ".png");
    }

    std::unique_ptr<Xvfb> xvfb_;
    std::unique_ptr<XConnection> x_;
    QTemporaryDir scratch_;
    QProcess openbox_;
    QProcess vorlix_;
    Client player_;
    qint64 fakeTool_ = 0;
};

void TestX11About::initTestCase()
{
    for (const char* tool : {"openbox", "xdotool", "sox", "lame"})
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP(qPrintable(QStringLiteral("%1 is not installed").arg(tool)));
    QString error;
    xvfb_ = Xvfb::start(&error);
    if (!xvfb_)
        QSKIP(qPrintable(error));
    x_ = XConnection::open(xvfb_->display());
    QVERIFY(x_);
    QProcessEnvironment env = xvfb_->clientEnvironment();
    env.insert("HOME", scratch_.path());
    env.insert("XDG_CONFIG_HOME", scratch_.filePath("config"));
    env.insert("XDG_CACHE_HOME", scratch_.filePath("cache"));
    openbox_.setProcessEnvironment(env);
    openbox_.start("openbox", {"--sm-disable"});
    QVERIFY2(waitUntil([&] { return !windowProperty(x_->raw(), x_->root(), "_NET_SUPPORTING_WM_CHECK").isEmpty(); }),
             "openbox did not come up");

    // A long song on the playlist; PATH holds only a folder of the test's.
    const QString song = scratch_.filePath("tone.mp3");
    QCOMPARE(QProcess::execute("sox", {"-n", "-r", "44100", "-c", "1", song + ".wav", "synth", "60", "sine", "440"}), 0);
    QCOMPARE(QProcess::execute("lame", {"--quiet", "-b", "64", song + ".wav", song}), 0);
    QVERIFY(QDir().mkpath(scratch_.filePath("cache/vorlix")) && QDir().mkpath(scratch_.filePath("bin")));
    QFile list(scratch_.filePath("cache/vorlix/mp3list.ini"));
    QVERIFY(list.open(QIODevice::WriteOnly) && list.write(QFile::encodeName(song) + "\r\n") > 0);
    env.insert("PATH", scratch_.filePath("bin"));
    env.insert("SDL_AUDIODRIVER", "dummy");
    vorlix_.setProcessEnvironment(env);
    vorlix_.setProcessChannelMode(QProcess::ForwardedChannels);
}

void TestX11About::cleanupTestCase()
{
    for (QProcess* p : {&vorlix_, &openbox_}) {
        p->terminate();
        if (!p->waitForFinished(5000))
            p->kill();
        p->waitForFinished();
    }
    if (fakeTool_ > 0)
        ::kill(pid_t(fakeTool_), SIGTERM);
}

void TestX11About::capAboutWindowsAndConnector()
{
    vorlix_.start(VORLIX_PLAYER_PATH, QStringList());
    auto player = waitFor("Ormatel");
    QVERIFY2(player, "no player window");
    player_ = *player;
    const QPoint at = player_.client.topLeft();
    const QRegion firstShape = MakeWindowRegion(QImage(":/skin1.gif").convertToFormat(QImage::Format_ARGB32));
    QCOMPARE(shape(), firstShape);

    // A song from the list plays.
    QVERIFY(click(at + L::Image_power.pixels().center()));
    QVERIFY(click(at + L::Image_PlayList.pixels().center()));
    QVERIFY(waitFor("Play List"));
    QVERIFY(click(at + L::Image_button.pixels().center()));
    QVERIFY2(displayKeepsMoving(), "no song on the display");

    // The cap comes off: second skin, launcher beside the player.
    QVERIFY(click(at + L::Image_usb_off.pixels().center(), 2));
    auto launcher = waitFor("About");
    QVERIFY2(launcher, "no launcher");
    QCOMPARE(shape(), MakeWindowRegion(QImage(":/skin2.gif").convertToFormat(QImage::Format_ARGB32)));
    QCOMPARE(launcher->frame.topLeft(), at + QPoint(260, -10));
    shoot("usb-plugged-launcher", player_.frame.united(launcher->frame).adjusted(-10, -10, 10, 10));
    const QPoint help = launcher->client.topLeft() + QPoint(36, 36);
    const QPoint aboutButton = launcher->client.topLeft() + QPoint(100, 36);

    // Help: the program's help window, titled by the help file; the user closes it.
    QVERIFY(click(help));
    auto helpWindow = waitFor("Vorlix Help");
    QVERIFY2(helpWindow, "no help window");
    shoot("help-window", helpWindow->frame);
    QVERIFY(x_->sendDeleteWindow(helpWindow->id));
    QVERIFY(gone("Vorlix Help"));

    // About, twice: one dialog, its client area at 156, 129.
    QVERIFY(click(aboutButton));
    QVERIFY(click(aboutButton));
    auto about = waitFor("About Vorlix");
    QVERIFY2(about, "no about dialog");
    const auto all = clients(*x_, vorlix_.processId());
    QCOMPARE(std::count_if(all.begin(), all.end(), [](const Client& c) { return c.name == "About Vorlix"; }), 1);
    QCOMPARE(about->client, QRect(156, 129, 323, 237));
    shoot("about-dialog", about->frame);

    // Alt+S starts the first system information tool on PATH, once, detached.
    const QString log = scratch_.filePath("tool.log");
    QFile tool(scratch_.filePath("bin/hardinfo"));
    QVERIFY(tool.open(QIODevice::WriteOnly));
    tool.write("#!/bin/sh\necho \"$$ $PPID\" >> '" + QFile::encodeName(log) + "'\nexec /bin/sleep 60\n");
    tool.close();
    tool.setPermissions(tool.permissions() | QFile::ExeOwner);
    QVERIFY(key(*about, "alt+s"));
    QVERIFY2(waitUntil([&] { return QFileInfo(log).size() > 0; }), "the tool was not started");
    QTest::qWait(500);
    QFile started(log);
    QVERIFY(started.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = started.readAll().trimmed().split('\n');
    QCOMPARE(lines.size(), 1);
    fakeTool_ = lines[0].split(' ')[0].toLongLong();
    QVERIFY(lines[0].split(' ')[1].toLongLong() != vorlix_.processId());
    QFile children(QStringLiteral("/proc/%1/task/%1/children").arg(vorlix_.processId()));
    QVERIFY(children.open(QIODevice::ReadOnly));
    QCOMPARE(children.readAll().trimmed(), QByteArray()); // not even a zombie

    // With none on PATH: the message, and the dialog stays; Enter closes both.
    QVERIFY(tool.remove());
    QVERIFY(key(*about, "alt+s"));
    auto message = waitFor("Vorlix");
    QVERIFY2(message, "no message box");
    shoot("sysinfo-message", message->frame.united(about->frame));
    QVERIFY(key(*message, "Return"));
    QVERIFY(gone("Vorlix") && find("About Vorlix"));
    QVERIFY(key(*about, "Return"));
    QVERIFY2(gone("About Vorlix"), "Enter did not close the dialog");

    // The connector goes back in: first skin, about windows gone, song on.
    QVERIFY(click(aboutButton));
    QVERIFY(waitFor("About Vorlix"));
    QVERIFY(click(at + L::Image_usb_on.pixels().center(), 2));
    QVERIFY2(gone("About") && gone("About Vorlix"), "about windows stayed");
    QCOMPARE(shape(), firstShape);
    QVERIFY2(displayKeepsMoving(), "the song's title is not back on the display");

    // SIGTERM with the help window open ends the program and the window.
    QVERIFY(click(at + L::Image_usb_off.pixels().center(), 2));
    QVERIFY(waitFor("About") && click(help) && waitFor("Vorlix Help"));
    QCOMPARE(::kill(pid_t(vorlix_.processId()), SIGTERM), 0);
    QVERIFY(vorlix_.waitForFinished(10000));
    QCOMPARE(vorlix_.exitCode(), 0);
    QVERIFY(waitUntil([&] { return windowProperty(x_->raw(), x_->root(), "_NET_CLIENT_LIST").isEmpty(); }, 3s));
}

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestX11About test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_x11_about.moc"
