// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TempFolder.h"

#include <QtTest>

#include <sys/stat.h>

using namespace vorlix;

static int modeOf(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

class TestTempFolder : public QObject {
    Q_OBJECT

private slots:
    // xdg: XDG_CACHE_HOME ("<unset>", or a path in the scratch folder when it
    // starts with "/"); existing: the mode of a vorlix folder already there
    // (-1: none, 0: a file of mode 0600 instead); made: the folders that must
    // have mode 0700, the last one being the result; empty when refused.
    void folder_data()
    {
        QTest::addColumn<QString>("xdg");
        QTest::addColumn<int>("existing");
        QTest::addColumn<QStringList>("made");
        const QStringList home{"/home/.cache", "/home/.cache/vorlix"};
        QTest::newRow("XDG_CACHE_HOME, parents missing") << "/x/cache" << -1
                                                         << QStringList{"/x", "/x/cache", "/x/cache/vorlix"};
        QTest::newRow("XDG_CACHE_HOME with trailing slash") << "/x/" << -1 << QStringList{"/x", "/x/vorlix"};
        QTest::newRow("unset") << "<unset>" << -1 << home;
        QTest::newRow("empty") << "" << -1 << home;
        QTest::newRow("relative") << "rel/cache" << -1 << home;
        QTest::newRow("private folder kept") << "/" << 0700 << QStringList{"/vorlix"};
        QTest::newRow("folder others may write into is tightened") << "/" << 0777 << QStringList{"/vorlix"};
        QTest::newRow("a file in the way: refused, left alone") << "/" << 0 << QStringList{};
    }
    void folder()
    {
        QFETCH(QString, xdg);
        QFETCH(int, existing);
        QFETCH(QStringList, made);
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid() && QDir(tmp.path()).mkdir("home"));
        qputenv("HOME", QFile::encodeName(tmp.path() + "/home"));
        if (xdg == "<unset>")
            qunsetenv("XDG_CACHE_HOME");
        else
            qputenv("XDG_CACHE_HOME", QFile::encodeName(xdg.startsWith('/') ? tmp.path() + xdg : xdg));
        const QString place = tmp.path() + "/vorlix";
        if (existing >= 0) {
            QVERIFY(existing ? QDir(tmp.path()).mkdir("vorlix") : QFile(place).open(QIODevice::WriteOnly));
            QVERIFY(::chmod(QFile::encodeName(place).constData(), existing ? mode_t(existing) : 0600) == 0);
        }

        const std::optional<QString> folder = userTempFolder();
        QCOMPARE(folder, made.isEmpty() ? std::nullopt : std::optional(tmp.path() + made.last() + "/"));
        for (const QString& dir : made)
            QCOMPARE(modeOf(tmp.path() + dir), 0700);
        if (existing == 0)
            QCOMPARE(modeOf(place), 0600);
        QVERIFY(!folder || QFile(*folder + "probe").open(QIODevice::WriteOnly));
    }

    // The data of an installed program lie in share/vorlix beside its lib/;
    // in the build folder, beside the program.
    void dataFolder_data()
    {
        QTest::addColumn<QString>("sounds");
        QTest::addColumn<QString>("expected");
        QTest::newRow("installed") << "usr/share/vorlix" << "usr/share/vorlix";
        QTest::newRow("build folder") << "usr/lib/vorlix" << "usr/lib/vorlix";
    }
    void dataFolder()
    {
        QFETCH(QString, sounds);
        QFETCH(QString, expected);
        QTemporaryDir tmp;
        QVERIFY(QDir(tmp.path()).mkpath("usr/lib/vorlix") && QDir(tmp.path()).mkpath(sounds));
        QVERIFY(QFile(tmp.filePath(sounds + "/do.wav")).open(QIODevice::WriteOnly));
        QCOMPARE(dataFolderOf(tmp.filePath("usr/lib/vorlix")), tmp.filePath(expected));
    }
};

QTEST_GUILESS_MAIN(TestTempFolder)
#include "tst_tempfolder.moc"
