// SPDX-License-Identifier: GPL-3.0-or-later
// Songs named from outside the windows: paths, folders, refusals, the command
// line, and the hand-over to a running player.
#include "desktop/CommandLine.h"
#include "desktop/Doors.h"
#include "desktop/SinglePlayer.h"
#include "desktop/SongPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstring>
#include <future>

#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace vorlix;
using Bytes = QList<QByteArray>;

namespace {

// Each refused path with the reason its message gives.
QString reasons(const FoundSongs& found, const QByteArray& root)
{
    QStringList out;
    for (const RefusedSong& r : found.refused)
        out << QString::fromLatin1(QByteArray(r.path).replace(root, "")) + '=' + refusedSongsMessage({r}).section(u'(', -1).chopped(1);
    return out.join(u'|');
}

enum SocketUse { Connect, Bind, Listen };
int unixSocket(const QByteArray& path, SocketUse use)
{
    sockaddr_un address{AF_UNIX, {}};
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const auto* where = reinterpret_cast<sockaddr*>(&address);
    const bool ok = use == Connect ? ::connect(fd, where, sizeof address) == 0
                                   : ::bind(fd, where, sizeof address) == 0 && (use == Bind || ::listen(fd, 1) == 0);
    return ok ? fd : -1;
}

// From a thread, while this one runs the player's end.
HandOver handOverNow(const QByteArray& path, const PlayerRequest& request)
{
    auto result = std::async(std::launch::async, [=] { return handOver(path, request, 3000); });
    while (result.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return result.get();
}

const char* actionName(CommandLine::Action a)
{
    using A = CommandLine::Action;
    return a == A::Help ? "help" : a == A::Version ? "version" : a == A::BadOption ? "bad" : "run";
}

} // namespace

class TestSongPaths : public QObject {
    Q_OBJECT
private slots:
    void localPaths_data()
    {
        QTest::addColumn<QByteArray>("argument");
        QTest::addColumn<QByteArray>("path"); // "-" for none
        QTest::newRow("absolute") << QByteArray("/m/a b.mp3") << QByteArray("/m/a b.mp3");
        QTest::newRow("relative") << QByteArray("./x/\xff.mp3") << QByteArray("/w/x/\xff.mp3");
        QTest::newRow("uri, escapes") << QByteArray("file:///m/Caf%E9%20%232.mp3") << QByteArray("/m/Caf\xe9 #2.mp3");
        QTest::newRow("uri, localhost") << QByteArray("FILE://localhost/m/a.mp3?x#y") << QByteArray("/m/a.mp3");
        QTest::newRow("uri, one slash") << QByteArray("file:/m/a%0A.mp3") << QByteArray("/m/a\n.mp3");
        QTest::newRow("uri, other host") << QByteArray("file://elsewhere/m/a.mp3") << QByteArray("-");
        QTest::newRow("other scheme") << QByteArray("https://example.org/a.mp3") << QByteArray("-");
    }
    void localPaths()
    {
        QFETCH(QByteArray, argument);
        QFETCH(QByteArray, path);
        QCOMPARE(localPath(argument, "/w").value_or("-"), path);
    }

    // Folders give their MP3s below them, sorted, each once however the links
    // loop; files named on their own are refused with their reason.
    void findingSongs()
    {
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path());
        QVERIFY(QDir(dir.path()).mkpath("f/sub") && QDir(dir.path()).mkpath("f/a") && QDir(dir.path()).mkpath("empty"));
        for (const char* name : {"/f/sub/b.MP3", "/f/a/z.mp3", "/f/cover.jpg", "/f/\xe9t\xe9 \n.mp3", "/one two.mp3", "/notes.txt"})
            std::fclose(std::fopen((root + name).constData(), "w")); // the name's bytes, whatever the locale
        QCOMPARE(::symlink("..", (root + "/f/sub/up").constData()), 0);
        QCOMPARE(::mkfifo((root + "/pipe.mp3").constData(), 0600), 0);
        const FoundSongs found = findSongs({"f", "one%20two.mp3", "file://" + root + "/one%20two.mp3", "notes.txt",
                                            "gone.mp3", "pipe.mp3", "http://x/y.mp3", "/" + root + "/f/a/z.mp3", "empty",
                                            "/proc", "/dev", "/proc/self/root" + root + "/one two.mp3"},
                                           root);
        QCOMPARE(found.songs, Bytes({root + "/f/a/z.mp3", root + "/f/sub/b.MP3", root + "/one two.mp3",
                                     "/" + root + "/f/a/z.mp3", root + "/one two.mp3"}));
        QCOMPARE(reasons(found, root), QString::fromLatin1("/f/\xe9t\xe9 \n.mp3=its name holds a line break|/one%20two.mp3=not found|"
                                                           "/notes.txt=not an MP3 file|/gone.mp3=not found|/pipe.mp3=cannot be read|"
                                                           "http://x/y.mp3=not a file on this computer|/empty=no songs in it|"
                                                           "/proc=no songs in it|/dev=no songs in it"));
        // Stopped: no folder is read, a named file still is.
        const std::atomic_bool stop = true;
        QCOMPARE(findSongs({"f", "one two.mp3"}, root, &stop).songs, Bytes{root + "/one two.mp3"});
        // Relative names from a working folder that was removed lead nowhere.
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path() + "/empty") && QDir().rmdir(dir.path() + "/empty"));
        const QByteArray cwd = workingFolder();
        QVERIFY(QDir::setCurrent(before) && cwd.isEmpty());
        QCOMPARE(reasons(findSongs({"b.mp3"}, cwd), ""), QString("b.mp3=not found"));
    }

    // One message names three, each with its reason, and counts the rest.
    void oneMessage()
    {
        // A NUL (from a URI's %00) would end the message for a screen reader.
        QList<RefusedSong> refused{{QByteArray("/a\0.txt", 7), RefusedSong::Reason::NotMp3}, {"/b\n.mp3", RefusedSong::Reason::LineBreak}};
        QCOMPARE(refusedSongsMessage(refused), QString("These were not added to the play list:\n/a\u2400.txt (not an MP3 file)\n"
                                                       "/b\\n.mp3 (its name holds a line break)"));
        refused += {{QByteArray(100000, 'x'), RefusedSong::Reason::Missing}, {"/d", RefusedSong::Reason::Missing},
                    {"/e", RefusedSong::Reason::Missing}};
        const QString text = refusedSongsMessage(refused);
        QVERIFY(text.endsWith("(not found)\nand 2 more."));
        QVERIFY(text.size() < 400);
        QVERIFY(refusedSongsMessage({}).isEmpty());
    }

    void commandLines_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("parsed"); // action; presses; files; Qt's
        QTest::newRow("files") << QStringList{"a.mp3", "-", "file:///b.mp3"} << "run;;a.mp3 - file:///b.mp3;vorlix";
        QTest::newRow("help wins") << QStringList{"a.mp3", "--help", "--bogus"} << "help;;a.mp3;vorlix";
        QTest::newRow("version") << QStringList{"-v"} << "version;;;vorlix";
        QTest::newRow("unknown") << QStringList{"--next", "--nxt"} << "bad --nxt;Next;;vorlix";
        QTest::newRow("presses") << QStringList{"--play-pause", "--previous", "x"} << "run;PlayPause Previous;x;vorlix";
        QTest::newRow("after --") << QStringList{"--", "--help"} << "run;;--help;vorlix";
        QTest::newRow("Qt's own") << QStringList{"-platform", "offscreen", "-reverse", "y"} << "run;;y;vorlix -platform offscreen -reverse";
    }
    void commandLines()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, parsed);
        const QByteArrayList bytes = QByteArrayList{"vorlix"} + arguments.join('\x1f').toUtf8().split('\x1f');
        std::vector<const char*> argv;
        for (const QByteArray& b : bytes)
            argv.push_back(b.constData());
        const CommandLine line = parseCommandLine(int(argv.size()), argv.data());
        QCOMPARE(QStringList({actionName(line.action) + QString(line.badOption).prepend(line.badOption.isEmpty() ? "" : " "),
                              line.commands.join(' '), line.files.join(' '), line.qtArguments.join(' ')}).join(';'), parsed);
    }

    // The first start holds the lock in a folder of the user's alone; a
    // later one hands over through the socket, also when it first meets a
    // killed player's socket. A folder in the way is taken over only when
    // empty. A closing player refuses, a stuck one does not hold a start,
    // and a connection that sends nothing is dropped.
    void handingOver()
    {
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path()), path = folder + "/vorlix.socket";
        QString why;
        QVERIFY(::chmod(folder.constData(), 0755) == 0 && PlayerLock::privateFolder(folder, &why).isEmpty() &&
                why.endsWith("(mode 0755, not 0700)") && ::chmod(folder.constData(), 0700) == 0);
        PlayerLock first(PlayerLock::privateFolder(folder, &why)), later(folder);
        QVERIFY(first.take() == PlayerLock::Role::First && later.take() == PlayerLock::Role::Later);
        QCOMPARE(handOver(path, {}, 50), HandOver::NoAnswer); // not listening yet
        QVERIFY(QDir().mkpath(QFile::decodeName(path + "/x")));
        QVERIFY(!PlayerService().listen(path, &why) && why.contains("is in the way"));
        QVERIFY(QDir().rmdir(QFile::decodeName(path + "/x")) && PlayerService().listen(path)); // the empty folder
        QVERIFY(::close(unixSocket(path, Bind)) == 0); // a killed player's
        PlayerService service(300);
        std::optional<PlayerRequest> got;
        connect(&service, &PlayerService::requested, this, [&](const PlayerRequest& r) { got = r; });
        const PlayerRequest sent{"/w\xff", {"a\nb.mp3", QByteArray(300000, 'c')}, {"Next"}};
        QTimer::singleShot(100, this, [&] { QVERIFY(service.listen(path)); }); // after the start met the dead one
        QCOMPARE(handOverNow(path, sent), HandOver::Taken);
        QCOMPARE(got->workingFolder + got->files.join('|') + got->commands.join('|').toLatin1(), sent.workingFolder + sent.files.join('|') + "Next");
        struct stat st {};
        QVERIFY(::stat(path.constData(), &st) == 0 && S_ISSOCK(st.st_mode) && (st.st_mode & 0177) == 0);
        const int idle = unixSocket(path, Connect);
        char byte = 0;
        QTRY_VERIFY(::recv(idle, &byte, 1, MSG_DONTWAIT) == 0);
        ::close(idle);
        service.refuseAll();
        QCOMPARE(handOverNow(path, sent), HandOver::Closing);
        const int stuck = unixSocket(path + "3", Listen); // never reads
        QElapsedTimer clock;
        clock.start();
        QVERIFY(handOver(path + "3", sent, 500) == HandOver::NoAnswer && clock.elapsed() < 1500);
        ::close(stuck);
    }

    // Short of descriptors the player does not spin, and takes requests
    // again once some are free.
    void shortOfDescriptors()
    {
        QTemporaryDir dir;
        const QByteArray path = QFile::encodeName(dir.path()) + "/s";
        PlayerService service(200);
        QVERIFY(service.listen(path));
        std::vector<int> waiting;
        for (int i = 0; i < 8; ++i)
            waiting.push_back(unixSocket(path, Connect));
        rlimit limit{};
        const int lowestFree = ::dup(0);
        QVERIFY(::close(lowestFree) == 0 && ::getrlimit(RLIMIT_NOFILE, &limit) == 0);
        const rlimit none{rlim_t(lowestFree), limit.rlim_max};
        const auto busyMs = [] { rusage u{}; ::getrusage(RUSAGE_SELF, &u); return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000; };
        QVERIFY(::setrlimit(RLIMIT_NOFILE, &none) == 0);
        const auto before = busyMs();
        QTest::qWait(500);
        const auto busy = busyMs() - before;
        QVERIFY(::setrlimit(RLIMIT_NOFILE, &limit) == 0);
        QVERIFY2(busy < 150, qPrintable(QString::number(busy) + " ms busy"));
        for (int fd : waiting)
            ::close(fd);
        QCOMPARE(handOverNow(path, {{}, {}, {"Next"}}), HandOver::Taken);
    }
};

QTEST_GUILESS_MAIN(TestSongPaths)
#include "tst_songpaths.moc"
