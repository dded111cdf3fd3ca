#include "playlist/PlaylistFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vorlix;
using Entries = QList<QByteArray>;
using Status = PlaylistRead::Status;

namespace {

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<cannot open>");
}

bool put(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

Entries manyEntries(char letter, int count)
{
    Entries list;
    for (int i = 0; i < count; ++i)
        list.append("/home/user/Music/" + QByteArray(40, letter) + QByteArray::number(i) + ".mp3");
    return list;
}

} // namespace

class TestPlaylistFile : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;
    QString file() const { return playlistFilePath(tmp.path() + "/"); }

private slots:
    void init()
    {
        QVERIFY(tmp.isValid());
        ::unlink(QFile::encodeName(file()).constData());
        ::rmdir(QFile::encodeName(file()).constData());
    }

    void parse_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Entries>("entries");
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << Entries{"a", "b"};
        QTest::newRow("LF") << QByteArray("a\nb\n") << Entries{"a", "b"};
        QTest::newRow("CR") << QByteArray("a\rb\r") << Entries{"a", "b"};
        QTest::newRow("mixed") << QByteArray("a\r\nb\nc\rd\r\n") << Entries{"a", "b", "c", "d"};
        QTest::newRow("CR CR LF") << QByteArray("a\r\r\nb") << Entries{"a", "", "b"};
        QTest::newRow("LF CR") << QByteArray("a\n\rb") << Entries{"a", "", "b"};
        QTest::newRow("trailing CR") << QByteArray("a\r") << Entries{"a"};
        QTest::newRow("no final end") << QByteArray("a\r\nb") << Entries{"a", "b"};
        QTest::newRow("blank lines") << QByteArray("\r\na\r\n\r\n\r\n") << Entries{"", "a", "", ""};
        QTest::newRow("empty file") << QByteArray() << Entries{};
        QTest::newRow("just CR LF") << QByteArray("\r\n") << Entries{""};
        QTest::newRow("odd bytes kept") << QByteArray(" a\0b\xff\xfe C:\\M\xfcsik\\\x80.mp3\t ", 24)
                                        << Entries{QByteArray(" a\0b\xff\xfe C:\\M\xfcsik\\\x80.mp3\t ", 24)};
    }
    void parse()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Entries, entries);
        QCOMPARE(parsePlaylist(bytes), entries);
    }

    void serialize_data()
    {
        QTest::addColumn<Entries>("entries");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty list") << Entries{} << QByteArray();
        QTest::newRow("one empty entry") << Entries{""} << QByteArray("\r\n");
        QTest::newRow("duplicates") << Entries{"a", "a"} << QByteArray("a\r\na\r\n");
        // A line end inside an entry would come back as two wrong entries.
        QTest::newRow("entry with line end left out") << Entries{"a", "b\nc", "d\r"} << QByteArray("a\r\n");
    }
    void serialize()
    {
        QFETCH(Entries, entries);
        QFETCH(QByteArray, bytes);
        QCOMPARE(serializePlaylist(entries), bytes);
        QVERIFY(writePlaylistFile(file(), entries));
        QCOMPARE(contents(file()), bytes);
    }

    void roundTrip_data()
    {
        QTest::addColumn<Entries>("entries");
        QByteArray all;
        Entries each;
        for (int b = 0; b < 256; ++b) {
            if (b == '\r' || b == '\n')
                continue;
            const QByteArray one(1, char(b));
            all += one;
            each += one;
            QTest::addRow("byte %02x", b) << Entries{"x" + one + "y", one};
        }
        QTest::newRow("all bytes in one") << Entries{all, all};
        QTest::newRow("one entry per byte") << each;
        QTest::newRow("empty entries and duplicates") << Entries{"", "a", "", "a", ""};
        QTest::newRow("empty list") << Entries{};
    }
    void roundTrip()
    {
        QFETCH(Entries, entries);
        QCOMPARE(parsePlaylist(serializePlaylist(entries)), entries);
        QVERIFY(writePlaylistFile(file(), entries));
        const PlaylistRead read = readPlaylistFile(file());
        QCOMPARE(read.status, Status::Read);
        QCOMPARE(read.entries, entries);
        QVERIFY(read.mayReplaceFile());
    }

    void read_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<Status>("status");
        QTest::newRow("no file") << "none" << Status::Missing;
        QTest::newRow("folder missing") << "nofolder" << Status::Missing;
        QTest::newRow("dangling link") << "dangling" << Status::Missing;
        QTest::newRow("directory there") << "dir" << Status::Unreadable;
        QTest::newRow("FIFO there") << "fifo" << Status::Unreadable;
        QTest::newRow("mode 000") << "mode000" << Status::Unreadable;
    }
    void read()
    {
        QFETCH(QString, kind);
        QFETCH(Status, status);
        QString path = file();
        const QByteArray name = QFile::encodeName(path);
        if (kind == "nofolder")
            path = tmp.path() + "/gone/mp3list.ini";
        if (kind == "dangling")
            QVERIFY(::symlink("nowhere", name.constData()) == 0);
        if (kind == "dir")
            QVERIFY(QDir().mkpath(path));
        if (kind == "fifo")
            QVERIFY(::mkfifo(name.constData(), 0600) == 0);
        if (kind == "mode000") {
            if (::geteuid() == 0)
                QSKIP("root reads a file of mode 000");
            QVERIFY(put(path, "a\r\n") && ::chmod(name.constData(), 0) == 0);
        }
        const PlaylistRead read = readPlaylistFile(path);
        QCOMPARE(read.status, status);
        QVERIFY(read.entries.isEmpty());
        QCOMPARE(read.mayReplaceFile(), status != Status::Unreadable);
    }

    // A failed save leaves the old file as it was and no stray file behind.
    void saveFailure_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("write fails halfway") << "fsize";
        QTest::newRow("directory at the file's place") << "dir";
        QTest::newRow("folder gone") << "nofolder";
    }
    void saveFailure()
    {
        QFETCH(QString, kind);
        const QByteArray old = "old\r\n";
        QString path = file();
        if (kind == "nofolder")
            path = tmp.path() + "/gone/mp3list.ini";
        else if (kind == "dir")
            QVERIFY(QDir().mkpath(path));
        else
            QVERIFY(put(path, old));
        const QStringList before = QDir(tmp.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);

        bool saved = true;
        if (kind == "fsize") {
            // A real short write, also as root: the process may not grow a
            // file past 4 KiB, and the new list is far longer.
            rlimit saved_limit {};
            QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved_limit) == 0);
            auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            rlimit small = saved_limit;
            small.rlim_cur = 4096;
            QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
            saved = writePlaylistFile(path, manyEntries('n', 1000));
            ::setrlimit(RLIMIT_FSIZE, &saved_limit);
            std::signal(SIGXFSZ, oldHandler);
        } else {
            saved = writePlaylistFile(path, {"new"});
        }
        QVERIFY(!saved);
        QCOMPARE(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System), before);
        if (kind == "fsize")
            QCOMPARE(contents(path), old);
        if (kind == "dir")
            QVERIFY(QFileInfo(path).isDir());
    }

    void symlinkAtFilePlaceIsReplacedNotFollowed()
    {
        const QString other = tmp.path() + "/other.txt";
        QVERIFY(put(other, "keep me"));
        QVERIFY(::chmod(QFile::encodeName(other).constData(), 0644) == 0);
        QVERIFY(QFile::link(other, file()));

        QVERIFY(writePlaylistFile(file(), {"a"}));
        QCOMPARE(contents(other), QByteArray("keep me"));
        const QFileInfo info(file());
        QVERIFY(!info.isSymLink());
        QCOMPARE(contents(file()), QByteArray("a\r\n"));
        struct stat st {};
        QVERIFY(::stat(QFile::encodeName(file()).constData(), &st) == 0);
        QCOMPARE(st.st_mode & 07777, mode_t(0600));
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
            // Bounded, and gone with its parent, should the test itself die.
            for (int i = 0; i < 20000 && ::getppid() == parent; ++i)
                writePlaylistFile(file(), i % 2 ? a : b);
            ::_exit(0);
        }
        int changes = 0;
        Entries last = a;
        QElapsedTimer deadline;
        deadline.start();
        while (changes < 6 && deadline.elapsed() < 20000) {
            const Entries now = readPlaylistFile(file()).entries;
            if (now != a && now != b) {
                ::kill(child, SIGKILL);
                ::waitpid(child, nullptr, 0);
                QFAIL("saw a partly written list");
            }
            changes += now != last;
            last = now;
        }
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        QVERIFY(changes >= 6);
        const Entries end = readPlaylistFile(file()).entries;
        QVERIFY(end == a || end == b);
    }
};

QTEST_GUILESS_MAIN(TestPlaylistFile)
#include "tst_playlistfile.moc"
