#include "platform/TempFolder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace vorlix;

namespace {

int modeOf(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

} // namespace

class TestTempFolder : public QObject {
    Q_OBJECT
    QByteArray savedHome = qgetenv("HOME");
    QByteArray savedXdg = qgetenv("XDG_CACHE_HOME");
    bool hadXdg = qEnvironmentVariableIsSet("XDG_CACHE_HOME");

private slots:
    void cleanup()
    {
        qputenv("HOME", savedHome);
        if (hadXdg)
            qputenv("XDG_CACHE_HOME", savedXdg);
        else
            qunsetenv("XDG_CACHE_HOME");
    }

    // xdg: what XDG_CACHE_HOME is set to ("<unset>", or a path under the
    // temporary folder when it starts with "/"); made: the folders expected
    // to be created, the last one being the result.
    void folder_data()
    {
        QTest::addColumn<QString>("xdg");
        QTest::addColumn<QStringList>("made");
        QTest::newRow("XDG_CACHE_HOME, parents missing") << "/x/cache" << QStringList{"/x", "/x/cache", "/x/cache/vorlix"};
        QTest::newRow("XDG_CACHE_HOME with trailing slash") << "/x/" << QStringList{"/x", "/x/vorlix"};
        QTest::newRow("unset") << "<unset>" << QStringList{"/home/.cache", "/home/.cache/vorlix"};
        QTest::newRow("empty") << "" << QStringList{"/home/.cache", "/home/.cache/vorlix"};
        QTest::newRow("relative") << "rel/cache" << QStringList{"/home/.cache", "/home/.cache/vorlix"};
    }
    void folder()
    {
        QFETCH(QString, xdg);
        QFETCH(QStringList, made);
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid() && QDir(tmp.path()).mkdir("home"));
        qputenv("HOME", QFile::encodeName(tmp.path() + "/home"));
        if (xdg == "<unset>")
            qunsetenv("XDG_CACHE_HOME");
        else
            qputenv("XDG_CACHE_HOME", QFile::encodeName(xdg.startsWith('/') ? tmp.path() + xdg : xdg));

        const std::optional<QString> folder = userTempFolder();
        QVERIFY(folder);
        QCOMPARE(*folder, tmp.path() + made.last() + "/");
        for (const QString& dir : made)
            QCOMPARE(modeOf(tmp.path() + dir), 0700);
        QVERIFY(QFile(*folder + "probe").open(QIODevice::WriteOnly));
    }

    void existingFolder_data()
    {
        QTest::addColumn<bool>("isDir");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("usable");
        QTest::newRow("private folder kept") << true << 0700 << true;
        QTest::newRow("folder others may write into is tightened") << true << 0777 << true;
        QTest::newRow("a file in the way") << false << 0600 << false;
    }
    void existingFolder()
    {
        QFETCH(bool, isDir);
        QFETCH(int, mode);
        QFETCH(bool, usable);
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        qputenv("XDG_CACHE_HOME", QFile::encodeName(tmp.path()));
        const QString place = tmp.path() + "/vorlix";
        QVERIFY(isDir ? QDir(tmp.path()).mkdir("vorlix") : QFile(place).open(QIODevice::WriteOnly));
        QVERIFY(::chmod(QFile::encodeName(place).constData(), mode_t(mode)) == 0);

        QCOMPARE(userTempFolder().has_value(), usable);
        QCOMPARE(modeOf(place), usable ? 0700 : mode);
    }
};

QTEST_GUILESS_MAIN(TestTempFolder)
#include "tst_tempfolder.moc"
