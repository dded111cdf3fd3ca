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
    void cleanupTestCase()
    {
        for (QProcess* p : {&player_, &bus_}) {
            p->kill();
            p->waitForFinished();
        }
    }
    void remoteControl();

private:
    QString playerctl(const QStringList& args) const
    {
        QString out;
        xvfb_->runTool("playerctl", QStringList{"-p", "vorlix"} + args, &out);
        return out.trimmed();
    }
    bool click(const TwipsRect& hotspot)
    {
        const QPoint at = window_.geometry.topLeft() + hotspot.pixels().center();
        waitUntil([&] { return !sinceClick_.isValid() || sinceClick_.hasExpired(600); }); // no double-click
        sinceClick_.start();
        return xvfb_->runTool("xdotool", {"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
    }
    bool shown(const QString& name) const
    {
        return waitUntil([&] {
            return x_->findMapped(player_.processId(), [&](const TopLevel& t) { return t.name == name; }).has_value();
        });
    }
    // The display once it has changed, after `act`, and settled.
    QImage nextCaption(const std::function<void()>& act = [] {}) const
    {
        auto display = [&] { return x_->grab(L::Text_Title.pixels().translated(window_.geometry.topLeft())); };
        QImage seen = display();
        const QImage before = seen;
        act();
        waitUntil([&] { return (seen = display()) != before; }, 3s);
        waitUntil([&] {
            const QImage again = display();
            return std::exchange(seen, again) == again;
        }, 1s);
        return seen;
    }
    QString listFile() const { return scratch_.filePath("vorlix/mp3list.ini"); }
    QByteArray listBytes() const
    {
        QFile file(listFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : "<missing>";
    }

    std::unique_ptr<Xvfb> xvfb_;
    std::unique_ptr<XConnection> x_;
    QTemporaryDir scratch_;
    QProcess bus_;
    QProcess player_;
    TopLevel window_;
    QElapsedTimer sinceClick_;
};

void TestX11Mpris::remoteControl()
{
    QString error;
    if (!(xvfb_ = Xvfb::start(&error)))
        QSKIP(qPrintable(error));
    QVERIFY(x_ = XConnection::open(xvfb_->display()));
    bus_.start("dbus-daemon", {"--session", "--nofork", "--print-address", "--address=unix:dir=" + scratch_.path()});
    QVERIFY2(bus_.waitForReadyRead(10000), "no dbus-daemon");
    // The player, playerctl and this test share the bus; the list lives in the scratch folder.
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus_.readLine().trimmed());
    qputenv("XDG_CACHE_HOME", scratch_.path().toLocal8Bit());
    qputenv("SDL_AUDIODRIVER", "dummy");
    QVERIFY(QDir().mkpath(scratch_.filePath("vorlix")));
    QFile list(listFile());
    QVERIFY(list.open(QIODevice::WriteOnly));
    for (const QString name : {"one", "two"}) { // songs that play all along
        const QString mp3 = scratch_.filePath(name + ".mp3");
        QCOMPARE(QProcess::execute("sox", {"-n", "-r", "8000", mp3 + ".wav", "synth", "60", "sine", "440"}), 0);
        QCOMPARE(QProcess::execute("lame", {"--quiet", mp3 + ".wav", mp3}), 0);
        list.write(QFile::encodeName(mp3) + "\r\n");
    }
    list.close();

    player_.setProcessEnvironment(xvfb_->clientEnvironment());
    player_.start(VORLIX_PLAYER_PATH, {});
    QVERIFY(waitUntil([&] { return playerctl({"-l"}) == "vorlix"; }));
    QVERIFY(shown("Ormatel"));
    window_ = *x_->findMapped(player_.processId(), [](const TopLevel& t) { return t.name == "Ormatel"; });
    QCOMPARE(playerctl({"status"}), QString("Stopped"));

    QVERIFY(click(L::Image_power) && click(L::Image_PlayList) && shown("Play List"));
    playerctl({"play"});
    QVERIFY(waitUntil([&] { return playerctl({"status"}) == "Playing"; }));
    QCOMPARE(playerctl({"metadata", "xesam:title"}), QString("one"));
    playerctl({"next"});
    QVERIFY(waitUntil([&] { return playerctl({"metadata", "xesam:title"}) == "two"; }));

    // The display shows the level set over the bus as the volume buttons
    // show it. Each change follows a tick, so the next one is a second away.
    nextCaption();
    const QImage remote50 = nextCaption([&] { playerctl({"volume", "0.5"}); });
    QVERIFY(playerctl({"volume"}).startsWith("0.500"));
    nextCaption();
    const QImage button60 = nextCaption([&] { click(L::Image_volume_increase); });
    nextCaption();
    QVERIFY(nextCaption([&] { click(L::Image_volume_decrease); }) == remote50);
    QVERIFY(button60 != remote50);

    const QByteArray saved = listBytes();
    QVERIFY(QFile::remove(listFile()));
    playerctl({"pause"});
    QVERIFY(waitUntil([&] { return playerctl({"status"}) == "Stopped"; }));
    QCOMPARE(listBytes(), saved);

    // With the list window back, the desktop's Quit ends the program and saves it.
    QVERIFY(click(L::Image_PlayList) && shown("Play List") && QFile::remove(listFile()));
    QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(
        "org.mpris.MediaPlayer2.vorlix", "/org/mpris/MediaPlayer2", "org.mpris.MediaPlayer2", "Quit"));
    QVERIFY(player_.waitForFinished(10000));
    QCOMPARE(player_.exitStatus(), QProcess::NormalExit);
    QCOMPARE(player_.exitCode(), 0);
    QCOMPARE(listBytes(), saved);
}

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    TestX11Mpris test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_x11_mpris.moc"
