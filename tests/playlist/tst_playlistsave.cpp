// Saving the list where saving goes wrong, and what a save leaves behind.
#include "doubles/Fixture.h"
#include "platform/TempFolder.h"
#include "playlist/PlaylistFile.h"

#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vorlix::test;

using namespace vorlix;

class TestPlaylistSave : public QObject {
    Q_OBJECT

private slots:
    // A full disk at unload: the file keeps its old list whole, and the user
    // is told why the changes are lost: in a box on pause or power-off, on
    // stderr when the system closes the program.
    void failedSaveIsTold_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("pause") << "pause";
        QTest::newRow("power-off") << "power-off";
        QTest::newRow("system close") << "system";
    }
    void failedSaveIsTold()
    {
        QFETCH(QString, how);
        Fixture f;
        f.writeList({"old.mp3"});
        f.powerOn();
        f.forms.PlayList().List1->AddItem("/music/" + QByteArray(400, 'n') + ".mp3");
        f.fake.msgBox.answer = MsgBoxResult::Yes;

        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved {};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
        rlimit small = saved;
        small.rlim_cur = 100;
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
        if (how == "system")
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("could not be saved.*File too large"));
        if (how == "pause")
            f.main().Image_pause_Click();
        else if (how == "power-off")
            f.main().Image_power_Click();
        else
            f.forms.SystemClose();
        ::setrlimit(RLIMIT_FSIZE, &saved);

        QCOMPARE(f.listFileBytes(), QByteArray("old.mp3\r\n"));
        QStringList told = f.fake.msgBox.prompts;
        told.removeAll("Close Vorlix?");
        QCOMPARE(told.size(), how == "system" ? 0 : 1);
        if (!told.isEmpty()) {
            QVERIFY2(told[0].contains("File too large"), qPrintable(told[0]));
            QCOMPARE(f.fake.msgBox.styles.last(), MsgBoxStyle::OkOnly | MsgBoxStyle::Exclamation);
        }
    }

    // A cache folder the user may only read still gives the list.
    void readOnlyFolderGivesList()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray cache = QFile::encodeName(dir.path());
        const QByteArray folder = cache + "/vorlix";
        QVERIFY(::mkdir(folder.constData(), 0700) == 0);
        QVERIFY(writePlaylistFile(QFile::decodeName(folder) + "/mp3list.ini", {"a.mp3", "b.mp3"}));
        QVERIFY(::chmod(folder.constData(), 0500) == 0);
        // Permission bits do not bind root: the check runs as nobody then.
        const uid_t nobody = 65534;
        if (::geteuid() == 0) {
            QVERIFY(::chown(cache.constData(), nobody, nobody) == 0);
            QVERIFY(::chown(folder.constData(), nobody, nobody) == 0);
            QVERIFY(::chown(folder + "/mp3list.ini", nobody, nobody) == 0);
        }
        qputenv("XDG_CACHE_HOME", cache);
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            if (::geteuid() == 0 && (::setgid(nobody) != 0 || ::setuid(nobody) != 0))
                ::_exit(3);
            if (::access(folder.constData(), W_OK) == 0)
                ::_exit(4); // not read-only after all
            const std::optional<QString> found = userTempFolder();
            if (!found)
                ::_exit(1);
            const PlaylistRead read = readPlaylistFile(playlistFilePath(*found));
            ::_exit(read.entries == QList<QByteArray>{"a.mp3", "b.mp3"} ? 0 : 2);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        qunsetenv("XDG_CACHE_HOME");
        ::chmod(folder.constData(), 0700);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0); // 1: no folder, 2: list not read
    }

    // A save cut short by a kill leaves its new file behind; the next good
    // save removes such debris of ours, and nothing else.
    void removesStaleTemps_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("kind"); // file, dir, link or held (a save in progress)
        QTest::addColumn<bool>("removed");
        QTest::newRow("debris") << QByteArray(".mp3list.ini.aZ09xQ") << QByteArray("file") << true;
        QTest::newRow("five letters") << QByteArray(".mp3list.ini.aZ09x") << QByteArray("file") << false;
        QTest::newRow("seven letters") << QByteArray(".mp3list.ini.aZ09xQQ") << QByteArray("file") << false;
        QTest::newRow("not from mkstemp") << QByteArray(".mp3list.ini.aZ_9xQ") << QByteArray("file") << false;
        QTest::newRow("no leading dot") << QByteArray("mp3list.ini.aZ09xQ") << QByteArray("file") << false;
        QTest::newRow("another file's") << QByteArray(".other.ini.aZ09xQ") << QByteArray("file") << false;
        QTest::newRow("folder") << QByteArray(".mp3list.ini.aZ09xQ") << QByteArray("dir") << false;
        QTest::newRow("link") << QByteArray(".mp3list.ini.aZ09xQ") << QByteArray("link") << false;
        QTest::newRow("save in progress") << QByteArray(".mp3list.ini.aZ09xQ") << QByteArray("held") << false;
    }
    void removesStaleTemps()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, kind);
        QFETCH(bool, removed);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray path = QFile::encodeName(dir.path()) + '/' + name;
        int held = -1;
        if (kind == "dir") {
            QVERIFY(::mkdir(path.constData(), 0700) == 0);
        } else if (kind == "link") {
            QVERIFY(::symlink("/dev/null", path.constData()) == 0);
        } else {
            held = ::open(path.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0600);
            QVERIFY(held >= 0 && ::write(held, "x\r\n", 3) == 3);
            if (kind == "held")
                QVERIFY(::flock(held, LOCK_EX) == 0);
        }

        const QString list = playlistFilePath(dir.path() + u'/');
        QVERIFY(writePlaylistFile(list, {"a.mp3"}));
        QCOMPARE(QFileInfo::exists(QFile::decodeName(path)) || QFileInfo(QFile::decodeName(path)).isSymLink(),
                 !removed);
        ::close(held);
        // The list itself and nothing new besides.
        QStringList names = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        names.removeOne(QFile::decodeName(name));
        QCOMPARE(names, QStringList{"mp3list.ini"});
    }
};

QTEST_MAIN(TestPlaylistSave)
#include "tst_playlistsave.moc"
