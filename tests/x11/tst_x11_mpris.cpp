// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's media controls against the real program: a session bus of
// the test's own and playerctl.
#include "player/frmMainLayout.h"
#include "playlist/frmPlayListLayout.h"
#include "x11/Desktop.h"

#include <QDBusConnection>
#include <QDBusMessage>
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
    Desktop d;
    if (const QString why = d.start(); !why.isEmpty())
        QSKIP(qPrintable(why));
    qputenv("DBUS_SESSION_BUS_ADDRESS", d.env.value("DBUS_SESSION_BUS_ADDRESS").toUtf8()); // for playerctl and the test
    QVERIFY(d.writeList({"one", "two"}));
    const auto player = d.launch();
    QVERIFY(player);
    auto playerctl = [&](const QStringList& args) {
        QString out;
        d.xvfb->runTool("playerctl", QStringList{"-p", "vorlix"} + args, &out);
        return out.trimmed();
    };
    auto click = [&](const TwipsRect& hotspot) { return d.xvfb->click(player->geometry.topLeft() + hotspot.pixels().center()); };
    QVERIFY(waitUntil([&] { return playerctl({"-l"}) == "vorlix"; }));
    QCOMPARE(playerctl({"status"}), QString("Stopped"));
    QVERIFY(click(L::Image_power) && click(L::Image_PlayList) && d.waitFor("Play List"));
    playerctl({"play"});
    QVERIFY(waitUntil([&] { return playerctl({"status"}) == "Playing"; }));
    QCOMPARE(playerctl({"metadata", "xesam:title"}), QString("one"));
    playerctl({"next"});
    QVERIFY(waitUntil([&] { return playerctl({"metadata", "xesam:title"}) == "two"; }));

    // The display shows the level set over the bus as the volume buttons
    // show it. Each change waits for a tick, so the next one is a second away.
    auto nextCaption = [&](const std::function<void()>& act) {
        auto display = [&] { return d.x->grab(L::Text_Title.pixels().translated(player->geometry.topLeft())); };
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

    // The list's first song deleted, through the list window's own keys.
    const auto deleteFirst = [&] {
        namespace P = frmPlayListLayout;
        const auto list = d.waitFor("Play List");
        return list && d.xvfb->click(list->geometry.topLeft() + P::List1.pixels().topLeft() + QPoint(10, 5)) &&
               d.xvfb->click(list->geometry.topLeft() + P::Command_Remove.pixels().center());
    };
    const QByteArray before = d.listBytes();
    QVERIFY(click(L::Image_PlayList) && deleteFirst());
    playerctl({"pause"});
    QVERIFY(waitUntil([&] { return playerctl({"status"}) == "Stopped"; }));
    QCOMPARE(d.listBytes(), before.mid(before.indexOf('\n') + 1));

    // With the list window back, the desktop's Quit ends the program and saves it.
    QVERIFY(click(L::Image_PlayList) && deleteFirst());
    const QByteArray saved;
    QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(
        "org.mpris.MediaPlayer2.vorlix", "/org/mpris/MediaPlayer2", "org.mpris.MediaPlayer2", "Quit"));
    QVERIFY(d.player.waitForFinished(10000));
    QCOMPARE(d.player.exitStatus(), QProcess::NormalExit);
    QCOMPARE(d.player.exitCode(), 0);
    QCOMPARE(d.listBytes(), saved);
}

QTEST_GUILESS_MAIN(TestX11Mpris)
#include "tst_x11_mpris.moc"
