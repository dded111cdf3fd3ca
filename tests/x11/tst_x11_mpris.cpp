// The desktop's media controls against the real program: a session bus of
// the test's own, playerctl, and the player under its own Xvfb.
#include "player/frmMainLayout.h"
#include "x11/XSession.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace vorlix;
using namespace vorlix::x11;
using namespace std::chrono_literals;
namespace L = frmMainLayout;

class TestX11Mpris : public QObject {
    Q_OBJECT
private slots:
    void remoteControl();
};

void TestX11Mpris::remoteControl()
{
    QString error;
    const auto xvfb = Xvfb::start(&error);
    if (!xvfb)
        QSKIP(qPrintable(error));
    const auto x = XConnection::open(xvfb->display());
    QVERIFY(x);
    QTemporaryDir scratch;
    QProcess bus; // ended, like the player, when the test ends
    bus.start("dbus-daemon", {"--session", "--nofork", "--print-address", "--address=unix:dir=" + scratch.path()});
    QVERIFY2(bus.waitForReadyRead(10000), "no dbus-daemon");
    // The player, playerctl and the test share the bus; the list lives in the scratch folder.
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus.readLine().trimmed());
    qputenv("XDG_CACHE_HOME", scratch.path().toLocal8Bit());
    qputenv("SDL_AUDIODRIVER", "dummy");
    const QString listFile = scratch.filePath("vorlix/mp3list.ini");
    QVERIFY(QDir().mkpath(scratch.filePath("vorlix")));
    QFile list(listFile);
    QVERIFY(list.open(QIODevice::WriteOnly));
    for (const QString name : {"one", "two"}) { // songs that play all along
        const QString mp3 = scratch.filePath(name + ".mp3");
        QCOMPARE(QProcess::execute("sox", {"-n", "-r", "8000", mp3 + ".wav", "synth", "60", "sine", "440"}), 0);
        QCOMPARE(QProcess::execute("lame", {"--quiet", mp3 + ".wav", mp3}), 0);
        list.write(QFile::encodeName(mp3) + "\r\n");
    }
    list.close();
    auto listBytes = [&] {
        QFile file(listFile);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : "<missing>";
    };

    QProcess player;
    player.setProcessEnvironment(xvfb->clientEnvironment());
    player.start(VORLIX_PLAYER_PATH, {});
    auto playerctl = [&](const QStringList& args) {
        QString out;
        xvfb->runTool("playerctl", QStringList{"-p", "vorlix"} + args, &out);
        return out.trimmed();
    };
    std::optional<TopLevel> window;
    auto shown = [&](const QString& name) {
        return waitUntil([&] {
            return (window = x->findMapped(player.processId(), [&](const TopLevel& t) { return t.name == name; })).has_value();
        });
    };
    QVERIFY(waitUntil([&] { return playerctl({"-l"}) == "vorlix"; }));
    QVERIFY(shown("Ormatel"));
    const QPoint origin = window->geometry.topLeft();
    QCOMPARE(playerctl({"status"}), QString("Stopped"));

    QElapsedTimer sinceClick;
    auto click = [&](const TwipsRect& hotspot) {
        const QPoint at = origin + hotspot.pixels().center();
        waitUntil([&] { return !sinceClick.isValid() || sinceClick.hasExpired(600); }); // no double-click
        sinceClick.start();
        return xvfb->runTool("xdotool", {"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
    };
    QVERIFY(click(L::Image_power) && click(L::Image_PlayList) && shown("Play List"));
    playerctl({"play"});
    QVERIFY(waitUntil([&] { return playerctl({"status"}) == "Playing"; }));
    QCOMPARE(playerctl({"metadata", "xesam:title"}), QString("one"));
    playerctl({"next"});
    QVERIFY(waitUntil([&] { return playerctl({"metadata", "xesam:title"}) == "two"; }));

    // The display shows the level set over the bus as the volume buttons
    // show it. Each change waits for a tick, so the next one is a second away.
    auto nextCaption = [&](const std::function<void()>& act) {
        auto display = [&] { return x->grab(L::Text_Title.pixels().translated(origin)); };
        waitUntil([&, before = display()] { return display() != before; }, 3s);
        QImage seen = display();
        const QImage before = seen;
        act();
        waitUntil([&] { return (seen = display()) != before; }, 3s);
        waitUntil([&] {
            const QImage again = display();
            return std::exchange(seen, again) == again;
        }, 1s);
        return seen;
    };
    const QImage remote50 = nextCaption([&] { playerctl({"volume", "0.5"}); });
    QVERIFY(playerctl({"volume"}).startsWith("0.500"));
    const QImage button60 = nextCaption([&] { click(L::Image_volume_increase); });
    QVERIFY(nextCaption([&] { click(L::Image_volume_decrease); }) == remote50);
    QVERIFY(button60 != remote50);

    const QByteArray saved = listBytes();
    QVERIFY(QFile::remove(listFile));
    playerctl({"pause"});
    QVERIFY(waitUntil([&] { return playerctl({"status"}) == "Stopped"; }));
    QCOMPARE(listBytes(), saved);

    // With the list window back, the desktop's Quit ends the program and saves it.
    QVERIFY(click(L::Image_PlayList) && shown("Play List") && QFile::remove(listFile));
    QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(
        "org.mpris.MediaPlayer2.vorlix", "/org/mpris/MediaPlayer2", "org.mpris.MediaPlayer2", "Quit"));
    QVERIFY(player.waitForFinished(10000));
    QCOMPARE(player.exitStatus(), QProcess::NormalExit);
    QCOMPARE(player.exitCode(), 0);
    QCOMPARE(listBytes(), saved);
    bus.kill();
    bus.waitForFinished();
}

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    TestX11Mpris test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_x11_mpris.moc"
