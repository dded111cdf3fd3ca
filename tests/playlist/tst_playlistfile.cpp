// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/PlaylistFile.h"

#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vorlix;
using Entries = QList<QByteArray>;
using Status = PlaylistRead::Status;

namespace {

QByteArray contents(const QString& path) { QFile f(path); return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<cannot open>"); }

// What `run` gives while this process may not grow a file past `most` bytes:
// a real short write, also as root.
template <typename Run>
auto withFileSizeLimit(rlim_t most, Run run)
{
    rlimit limit {};
    const bool got = ::getrlimit(RLIMIT_FSIZE, &limit) == 0;
    const rlimit small{most, limit.rlim_max};
    if (!got || ::setrlimit(RLIMIT_FSIZE, &small) != 0)
        qFatal("cannot limit the file size");
    const auto result = run();
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
        qFatal("cannot lift the file size limit");
    return result;
}

Entries manyEntries(char letter, int count) { return Entries(count, "/home/user/Music/" + QByteArray(40, letter) + ".mp3"); }

} // namespace

class TestPlaylistFile : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;
    QString file() const { return playlistFilePath(tmp.path() + "/"); }
    QStringList listing() const { return QDir(tmp.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System); }

private slots:
    void init()
    {
        QVERIFY(tmp.isValid());
        std::signal(SIGXFSZ, SIG_IGN);   // a write past the file size limit fails instead
        ::unlink(QFile::encodeName(file()).constData());
        ::rmdir(QFile::encodeName(file()).constData());
    }

    // The bytes of a list file and the entries read from them; the entries
    // saved give one CR LF line each and read back the same.
    void lines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Entries>("entries");
        QTest::newRow("CR LF, LF, CR") << QByteArray("a\r\nb\nc\rd\r\n") << Entries{"a", "b", "c", "d"};
        QTest::newRow("CR CR LF") << QByteArray("a\r\r\nb") << Entries{"a", "", "b"};
        QTest::newRow("LF CR") << QByteArray("a\n\rb") << Entries{"a", "", "b"};
        QTest::newRow("trailing CR") << QByteArray("a\r") << Entries{"a"};
        QTest::newRow("no final end") << QByteArray("a\r\nb") << Entries{"a", "b"};
        QTest::newRow("blank lines") << QByteArray("\r\na\r\n\r\n\r\n") << Entries{"", "a", "", ""};
        QTest::newRow("empty entries and duplicates") << QByteArray("\r\na\r\n\r\na\r\n\r\n") << Entries{"", "a", "", "a", ""};
        QTest::newRow("empty list: 0 bytes") << QByteArray() << Entries{};
        Entries each;
        for (int b = 0; b < 256; ++b)
            if (b != '\r' && b != '\n')
                each += QByteArray(1, char(b));
        QTest::newRow("one entry per byte but CR and LF") << each.join("\r\n") + "\r\n" << each;
        QTest::newRow("all of them in one entry") << each.join() + "\r\n" + each.join() + "\r\n" << Entries{each.join(), each.join()};
    }
    void lines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Entries, entries);
        QCOMPARE(parsePlaylist(bytes), entries);
        const QByteArray saved = entries.isEmpty() ? QByteArray() : entries.join("\r\n") + "\r\n";
        // An entry holding a line end would come back as wrong entries: it is left out.
        QCOMPARE(serializePlaylist(Entries{"b\nc"} + entries + Entries{"d\r"}), saved);
        QVERIFY(writePlaylistFile(file(), entries));
        QCOMPARE(contents(file()), saved);
        QCOMPARE(readPlaylistFile(file()).status, Status::Read);
        QCOMPARE(readPlaylistFile(file()).entries, entries);
    }

    // What is at the file's place, what reading it finds, whether a save over
    // it succeeds. A failed save leaves everything as it was.
    void obstacle_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<Status>("status");
        QTest::addColumn<bool>("saves");
        QTest::newRow("nothing") << "none" << Status::Missing << true;
        QTest::newRow("dangling link") << "dangling" << Status::Missing << true;
        QTest::newRow("link to another file: replaced, not followed") << "link" << Status::Read << true;
        QTest::newRow("folder gone") << "nofolder" << Status::Missing << false;
        QTest::newRow("directory") << "dir" << Status::Unreadable << false;
        QTest::newRow("FIFO") << "fifo" << Status::Unreadable << true;
        QTest::newRow("mode 000") << "mode000" << Status::Unreadable << true;
        QTest::newRow("old list, write fails halfway") << "fsize" << Status::Read << false;
    }
    void obstacle()
    {
        QFETCH(QString, kind);
        QFETCH(Status, status);
        QFETCH(bool, saves);
        const QString path = kind == "nofolder" ? tmp.path() + "/gone/mp3list.ini" : file();
        const QByteArray name = QFile::encodeName(path);
        const QString other = tmp.path() + "/other";
        QVERIFY(writePlaylistFile(other, {"other"}));
        if (kind == "dangling" || kind == "link")
            QVERIFY(::symlink(kind == "link" ? "other" : "nowhere", name.constData()) == 0);
        QVERIFY(kind != "dir" || QDir().mkpath(path));
        QVERIFY(kind != "fifo" || ::mkfifo(name.constData(), 0600) == 0);
        QVERIFY((kind != "mode000" && kind != "fsize") || writePlaylistFile(path, {"old"}));
        QVERIFY(kind != "mode000" || ::chmod(name.constData(), 0) == 0);

        // Root may read any file, so root reads as nobody here.
        const bool asNobody = kind == "mode000" && ::geteuid() == 0;
        QVERIFY(!asNobody || (::chmod(QFile::encodeName(tmp.path()), 0711) == 0 && ::seteuid(65534) == 0));
        const PlaylistRead read = readPlaylistFile(path);
        QVERIFY(!asNobody || ::seteuid(0) == 0);
        QCOMPARE(read.status, status);
        QCOMPARE(read.entries, status != Status::Read ? Entries{} : Entries{kind == "link" ? "other" : "old"});

        const QStringList before = listing();
        // The new list is far longer than 4 KiB.
        const auto save = [&] { return writePlaylistFile(path, manyEntries('n', 1000)); };
        const bool saved = kind == "fsize" ? withFileSizeLimit(4096, save) : save();

        QCOMPARE(saved, saves);
        QCOMPARE(contents(other), QByteArray("other\r\n"));
        const QByteArray old = kind == "fsize" ? "old\r\n" : "<cannot open>";
        QCOMPARE(contents(path), saves ? QByteArray("/home/user/Music/" + QByteArray(40, 'n') + ".mp3\r\n").repeated(1000) : old);
        if (!saves)
            QCOMPARE(listing(), before);   // no stray file
        struct stat st {};
        QVERIFY(!saves || (::lstat(name.constData(), &st) == 0 && st.st_mode == (S_IFREG | 0600)));
    }

    // What saves cut short left beside the list goes when the list is next
    // read or saved, even by a save that then fails for want of room. The
    // file of a save still running (it holds a lock) stays, and so do names
    // that are not ours.
    void leftoversGo()
    {
        const QString dir = tmp.path() + "/";
        const QStringList left{".mp3list.ini.Ab12Cd", ".mp3list.ini.Zz99Yy", ".mp3list.ini.long123", "mp3list.ini.Ab12Cd"};
        for (const bool save : {false, true}) {
            for (const QString& name : left) {
                QFile f(dir + name);
                QVERIFY(f.open(QIODevice::WriteOnly) && f.write("old\r\n") == 5);
            }
            QFile running(dir + left[1]);
            QVERIFY(running.open(QIODevice::ReadOnly) && ::flock(running.handle(), LOCK_EX) == 0);
            const bool done = withFileSizeLimit(4096, [&] {
                return save ? writePlaylistFile(file(), manyEntries('n', 1000)) : readPlaylistFile(file()).status == Status::Missing;
            });
            QCOMPARE(done, !save);
            for (const QString& name : left)
                QCOMPARE(QFile::exists(dir + name), name != left[0]);
        }
    }

    // Two players save at one moment, each adding its own song, while a
    // third holds the folder's lock: neither may lose what the other wrote.
    // While one save holds its turn, another does not get it.
    void concurrentSavesKeepAll()
    {
        QVERIFY(writePlaylistFile(file(), manyEntries('a', 20000)));
        {
            const PlaylistSaveTurn first(file()), second(file(), 0);
            QVERIFY(first.held() && !second.held());
        }
        const int folder = ::open(QFile::encodeName(tmp.path()).constData(), O_RDONLY | O_DIRECTORY);
        QVERIFY(folder >= 0 && ::flock(folder, LOCK_EX) == 0);
        for (int round = 0; round < 8; ++round) {
            const Entries base = readPlaylistFile(file()).entries;
            const pid_t child = ::fork();
            QVERIFY(child >= 0);
            const QByteArray song = (child ? "p" : "c") + QByteArray::number(round);
            const bool saved = savePlaylistEdits(file(), base, Entries(base) << song, 0).ok;
            if (child == 0)
                ::_exit(saved ? 0 : 1);
            int status = -1;
            QVERIFY(saved && ::waitpid(child, &status, 0) == child && status == 0);
            QCOMPARE(readPlaylistFile(file()).entries.mid(20000).size(), 2 * round + 2);
        }
        ::close(folder);
        const Entries added = readPlaylistFile(file()).entries.mid(20000);
        for (const char* song : {"c0", "p0", "c7", "p7"})
            QVERIFY2(added.contains(song), song);
    }

    // A process killed while saving leaves one whole list; every look at the
    // file while saves run sees one whole list too.
    void killedWhileSaving()
    {
        const Entries a = manyEntries('a', 20000), b = manyEntries('b', 20000);
        QVERIFY(writePlaylistFile(file(), a));
        const pid_t parent = ::getpid();
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            for (int i = 0; i < 20000 && ::getppid() == parent; ++i)   // bounded; ends with its parent
                writePlaylistFile(file(), i % 2 ? a : b);
            ::_exit(0);
        }
        int changes = 0;
        Entries now = a, last = a;
        const QDeadlineTimer deadline(20000);
        while (changes < 6 && !deadline.hasExpired() && (now == a || now == b)) {
            now = readPlaylistFile(file()).entries;
            changes += now != last;
            last = now;
        }
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        QVERIFY2(now == a || now == b, "saw a partly written list");
        QVERIFY(changes >= 6);
        now = readPlaylistFile(file()).entries;
        QVERIFY(now == a || now == b);
    }
};

QTEST_GUILESS_MAIN(TestPlaylistFile)
#include "tst_playlistfile.moc"
