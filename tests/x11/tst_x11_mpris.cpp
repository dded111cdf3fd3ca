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
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace vorlix;
using namespace vorlix::x11;
using namespace std::chrono_literals;

namespace L = frmMainLayout;

class TestX11Mpris : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void remoteControl();

private:
    QString playerctl(const QStringList& args) const;
    bool click(const TwipsRect& hotspot);
    QImage display() const { return x_->grab(L::Text_Title.pixels().translated(window_.geometry.topLeft())); }
    QImage nextCaption(const std::function<void()>& act = {}) const;
    QByteArray listFile() const;

    std::unique_ptr<Xvfb> xvfb_;
    std::unique_ptr<XConnection> x_;
    QTemporaryDir scratch_;
    QProcess bus_;
    QString busAddress_;
    QProcess player_;
    TopLevel window_;
    QElapsedTimer sinceClick_;
};

void TestX11Mpris::initTestCase()
{
    for (const char* tool : {"dbus-daemon", "playerctl", "xdotool", "sox", "lame"})
        QVERIFY2(!QStandardPaths::findExecutable(tool).isEmpty(), tool);
    QString error;
    if (!(xvfb_ = Xvfb::start(&error)))
        QSKIP(qPrintable(error));
    QVERIFY(x_ = XConnection::open(xvfb_->display()));
    bus_.start("dbus-daemon", {"--session", "--nofork", "--print-address",
                               "--address=unix:dir=" + scratch_.path()});
    QVERIFY(bus_.waitForReadyRead(10000));
    busAddress_ = QString::fromLocal8Bit(bus_.readLine()).trimmed();
    // Two songs long enough to be playing throughout.
    QByteArray list;
    for (const QString name : {"one", "two"}) {
        const QString wav = scratch_.filePath(name + ".wav"), mp3 = scratch_.filePath(name + ".mp3");
        QCOMPARE(QProcess::execute("sox", {"-n", "-r", "8000", "-c", "1", wav, "synth", "60", "sine", "440"}), 0);
        QCOMPARE(QProcess::execute("lame", {"--quiet", wav, mp3}), 0);
        list += QFile::encodeName(mp3) + "\r\n";
    }
    QVERIFY(QDir().mkpath(scratch_.filePath("cache/vorlix")));
    QFile file(scratch_.filePath("cache/vorlix/mp3list.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(list) == list.size());
}

void TestX11Mpris::cleanupTestCase()
{
    for (QProcess* p : {&player_, &bus_}) {
        p->kill();
        p->waitForFinished();
    }
}

QString TestX11Mpris::playerctl(const QStringList& args) const
{
    QProcess ctl;
    QProcessEnvironment env;
    env.insert("DBUS_SESSION_BUS_ADDRESS", busAddress_);
    ctl.setProcessEnvironment(env);
    ctl.start("playerctl", QStringList{"-p", "vorlix"} + args);
    ctl.waitForFinished();
    return QString::fromUtf8(ctl.readAllStandardOutput()).trimmed();
}

bool TestX11Mpris::click(const TwipsRect& hotspot)
{
    const QPoint at = window_.geometry.topLeft() + hotspot.pixels().center();
    // Presses further apart than a double-click.
    if (sinceClick_.isValid())
        waitUntil([&] { return sinceClick_.hasExpired(600); });
    sinceClick_.start();
    return xvfb_->runTool("xdotool", {"mousemove", QString::number(at.x()), QString::number(at.y()),
                                      "click", "1"});
}

// The display once it has changed and settled, after `act` if given.
QImage TestX11Mpris::nextCaption(const std::function<void()>& act) const
{
    const QImage before = display();
    if (act)
        act();
    QImage seen = before;
    waitUntil([&] { return (seen = display()) != before; }, 3s);
    waitUntil([&] { const QImage again = display(); return std::exchange(seen, again) == again; }, 1s);
    return seen;
}

QByteArray TestX11Mpris::listFile() const
{
    QFile file(scratch_.filePath("cache/vorlix/mp3list.ini"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestX11Mpris::remoteControl()
{
    QProcessEnvironment env = xvfb_->clientEnvironment();
    env.insert("DBUS_SESSION_BUS_ADDRESS", busAddress_);
    env.insert("SDL_AUDIODRIVER", "dummy");
    env.insert("XDG_CACHE_HOME", scratch_.filePath("cache"));
    player_.setProcessEnvironment(env);
    player_.start(VORLIX_PLAYER_PATH, {});
    QVERIFY(waitUntil([&] { return playerctl({"-l"}) == "vorlix"; }));
    QVERIFY(waitUntil([&] {
        auto w = x_->findMapped(player_.processId(), [](const TopLevel& t) { return t.name == "Ormatel"; });
        return w && (window_ = *w).id;
    }));
    QCOMPARE(playerctl({"status"}), QString("Stopped"));

    auto listShown = [&] {
        return waitUntil([&] { return x_->findMapped(player_.processId(), [](const TopLevel& t) { return t.name == "Play List"; }).has_value(); });
    };
    QVERIFY(click(L::Image_power) && click(L::Image_PlayList) && listShown());
    playerctl({"play"});
    QVERIFY(waitUntil([&] { return playerctl({"status"}) == "Playing"; }));
    QCOMPARE(playerctl({"metadata", "xesam:title"}), QString("one"));
    playerctl({"next"});
    QVERIFY(waitUntil([&] { return playerctl({"metadata", "xesam:title"}) == "two"; }));

    // The level the bus sets reads on the display exactly as the volume
    // buttons write it. Each change follows a tick, so the next tick is
    // a second away.
    nextCaption();
    const QImage remote50 = nextCaption([&] { playerctl({"volume", "0.5"}); });
    QCOMPARE(playerctl({"volume"}).left(5), QString("0.500"));
    nextCaption();
    const QImage button60 = nextCaption([&] { click(L::Image_volume_increase); });
    nextCaption();
    const QImage button50 = nextCaption([&] { click(L::Image_volume_decrease); });
    QVERIFY(remote50 != button60);
    QVERIFY(remote50 == button50);

    const QByteArray list = listFile();
    QVERIFY(QFile::remove(scratch_.filePath("cache/vorlix/mp3list.ini")));
    playerctl({"pause"});
    QVERIFY(waitUntil([&] { return playerctl({"status"}) == "Stopped"; }));
    QCOMPARE(listFile(), list);

    // The list window is back, and the system's close request saves it.
    QVERIFY(click(L::Image_PlayList) && listShown());
    QVERIFY(QFile::remove(scratch_.filePath("cache/vorlix/mp3list.ini")));
    QDBusConnection bus = QDBusConnection::connectToBus(busAddress_, "test");
    bus.call(QDBusMessage::createMethodCall("org.mpris.MediaPlayer2.vorlix", "/org/mpris/MediaPlayer2",
                                            "org.mpris.MediaPlayer2", "Quit"));
    QVERIFY(player_.waitForFinished(10000));
    QCOMPARE(player_.exitStatus(), QProcess::NormalExit);
    QCOMPARE(player_.exitCode(), 0);
    QCOMPARE(listFile(), list);
}

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    TestX11Mpris test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_x11_mpris.moc"
