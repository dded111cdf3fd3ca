// What a save leaves in the folder besides the list.
#include "playlist/PlaylistFile.h"

#include <QtTest>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vorlix;

class TestPlaylistSave : public QObject {
    Q_OBJECT

private slots:
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

QTEST_GUILESS_MAIN(TestPlaylistSave)
#include "tst_playlistsave.moc"
