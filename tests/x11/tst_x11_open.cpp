// SPDX-License-Identifier: GPL-3.0-or-later
// Opening files with the real program: a private X server, session bus and
// sound server; a first start that plays, a second that hands over.
#include "audio/PulseServer.h"
#include "x11/Desktop.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDir>
#include <QElapsedTimer>
#include <QTest>

#include <algorithm>

using namespace vorlix;
using namespace vorlix::x11;

namespace {

struct Run { int code = -1; QByteArray out, err; qint64 ms = 0; };

Run run(const QProcessEnvironment& env, const QStringList& args, const QString& folder = {})
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(folder);
    QElapsedTimer clock;
    clock.start();
    p.start(VORLIX_PLAYER_PATH, args);
    p.waitForFinished(10000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError(), clock.elapsed()};
}

bool makeSong(const QString& mp3)
{
    return !QProcess::execute("sox", {"-n", "-r", "44100", mp3 + ".wav", "synth", "30", "sine", "440"}) &&
           !QProcess::execute("lame", {"--quiet", mp3 + ".wav", mp3});
}

} // namespace

class TestX11Open : public QObject {
    Q_OBJECT
private slots:
    void openAndHandOver()
    {
        Desktop d; // no window manager
        QString why = d.start(false);
        auto pulse = why.isEmpty() ? audio::PulseServer::start(&why) : nullptr;
        if (!pulse)
            QSKIP(qPrintable(why));
        const QProcessEnvironment env = pulse->clientEnvironment(d.env);
        const QString a = d.scratch.filePath("a.mp3"), b = d.scratch.filePath("sub/b b.mp3");
        QVERIFY(QDir(d.scratch.path()).mkdir("sub"));
        QVERIFY(makeSong(a) && makeSong(b));

        // The options answer and end without a window.
        const Run version = run(env, {"--version"}), help = run(env, {"--help"}), bad = run(env, {"--shuffle"});
        QVERIFY(version.code == 0 && version.out == "Vorlix 1.0\n");
        QVERIFY(help.code == 0 && help.out.startsWith("Usage: vorlix [OPTION] [FILE|URI...]\n"));
        QVERIFY(bad.code == 2 && bad.err.startsWith("vorlix: unknown option '--shuffle'\nUsage: vorlix"));
        QVERIFY(run(env, {"--next"}).code == 0 && d.x->mappedTopLevels().empty()); // no player yet

        audio::MonitorRecording monitor(*pulse);
        QVERIFY(monitor.started());
        QProcess player;
        player.setProcessEnvironment(env);
        player.setProcessChannelMode(QProcess::ForwardedChannels);
        player.setWorkingDirectory(d.scratch.path());
        player.start(VORLIX_PLAYER_PATH, {"a.mp3"});
        QVERIFY(waitUntil([&] { return audio::firstSound(monitor.samples()) >= 0; }, std::chrono::seconds(15)));

        // A second start hands over about as fast as one that only prints
        // its version, and the first player goes on to the new song.
        QDBusConnection session = QDBusConnection::connectToBus(env.value("DBUS_SESSION_BUS_ADDRESS"), "test");
        QDBusInterface mpris("org.mpris.MediaPlayer2.vorlix", "/org/mpris/MediaPlayer2", "org.mpris.MediaPlayer2.Player", session);
        QVERIFY(waitUntil([&] { return mpris.property("PlaybackStatus").toString() == "Playing"; }));
        // Its relative name is the caller's, not the player's.
        const Run second = run(env, {"b b.mp3"}, d.scratch.filePath("sub"));
        const qint64 alone = std::min({version.ms, help.ms, run(env, {"--version"}).ms});
        qInfo("hand-over %lld ms, --version %lld ms", second.ms, alone);
        QCOMPARE(second.code, 0);
        QVERIFY(second.ms < 3 * alone + 100);
        QVERIFY(waitUntil([&] {
            return mpris.property("Metadata").toMap().value("xesam:title").toString() == "b b";
        }));
        const std::size_t heard = monitor.frames();
        QVERIFY(waitUntil([&] { return audio::firstSound(monitor.samples(), heard) >= 0; }));
        const auto windows = d.x->mappedTopLevels();
        QCOMPARE(std::count_if(windows.begin(), windows.end(), [](const TopLevel& w) { return w.name == "Ormatel"; }), 1);

        // Volume over the bus takes numbers only.
        QDBusMessage set = QDBusMessage::createMethodCall("org.mpris.MediaPlayer2.vorlix", "/org/mpris/MediaPlayer2",
                                                          "org.freedesktop.DBus.Properties", "Set");
        set << "org.mpris.MediaPlayer2.Player" << "Volume" << QVariant::fromValue(QDBusVariant(qQNaN()));
        QCOMPARE(session.call(set).errorName(), QString("org.freedesktop.DBus.Error.InvalidArgs"));

        player.terminate();
        QVERIFY(player.waitForFinished(10000));
        QCOMPARE(d.listBytes(), QFile::encodeName(a) + "\r\n" + QFile::encodeName(b) + "\r\n");
    }
};

QTEST_GUILESS_MAIN(TestX11Open)
#include "tst_x11_open.moc"
