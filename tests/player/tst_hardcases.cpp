// The list and the display where things get hard: saves that fail or were
// cut short, a folder we may only read, entries too long to show, names
// taller than the display.
#include "doubles/Fixture.h"
#include "platform/TempFolder.h"
#include "skin/Label.h"

#include <QDir>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vorlix;
using namespace vorlix::test;

class TestHardCases : public QObject {
    Q_OBJECT

private slots:
    // A save that fails keeps the old list and says why: in a box on pause
    // or power-off, on stderr when the system closes the program.
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
        f.powerOn();
        f.forms.PlayList().MP3ListFile = f.dir.filePath("gone/mp3list.ini");
        f.fake.msgBox.answer = MsgBoxResult::Yes;
        if (how == "system")
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("gone/mp3list.ini: No such file"));
        how == "pause" ? f.main().Image_pause_Click()
                       : how == "power-off" ? f.main().Image_power_Click() : f.forms.SystemClose();
        f.fake.msgBox.prompts.removeAll("Close Vorlix?");
        QCOMPARE(f.fake.msgBox.prompts.size(), how == "system" ? 0 : 1);
        QVERIFY(how == "system" || f.fake.msgBox.prompts[0].endsWith(":\nNo such file or directory"));
    }

    // A good save removes what saves cut short by a kill left behind: our own
    // files of that name pattern that no running save holds, nothing else.
    void saveRemovesDebris()
    {
        QTemporaryDir dir;
        const QByteArray at = QFile::encodeName(dir.path()) + '/';
        const QStringList kept{".mp3list.ini.aZ09x", ".mp3list.ini.aZ_9xQ", ".mp3list.ini.held00",
                               ".mp3list.ini.link00", ".mp3list.ini.sub000", "mp3list.ini.aZ09xQ"};
        for (const QString& name : kept + QStringList{".mp3list.ini.aZ09xQ"})
            QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
        QVERIFY(::unlink(at + ".mp3list.ini.link00") == 0 && ::symlink("x", at + ".mp3list.ini.link00") == 0);
        QVERIFY(::unlink(at + ".mp3list.ini.sub000") == 0 && ::mkdir(at + ".mp3list.ini.sub000", 0700) == 0);
        const int held = ::open(at + ".mp3list.ini.held00", O_RDONLY | O_CLOEXEC); // a save going on
        QVERIFY(::flock(held, LOCK_EX) == 0);
        QVERIFY(writePlaylistFile(dir.filePath("mp3list.ini"), {"a.mp3"}));
        ::close(held);
        QStringList left = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        QStringList expected = kept + QStringList{"mp3list.ini"};
        left.sort();
        expected.sort();
        QCOMPARE(left, expected);
    }

    // A cache folder we may only read still gives the list (run as nobody
    // when root, whom no mode bit stops).
    void readOnlyFolderGivesList()
    {
        QTemporaryDir dir;
        const QByteArray vorlix = QFile::encodeName(dir.path()) + "/vorlix";
        QVERIFY(::mkdir(vorlix, 0700) == 0 && writePlaylistFile(dir.filePath("vorlix/mp3list.ini"), {"a.mp3"}));
        for (const QByteArray& path : {QFile::encodeName(dir.path()), vorlix, vorlix + "/mp3list.ini"})
            QVERIFY(::geteuid() != 0 || ::chown(path, 65534, 65534) == 0);
        QVERIFY(::chmod(vorlix, 0500) == 0);
        qputenv("XDG_CACHE_HOME", QFile::encodeName(dir.path()));
        const pid_t child = ::fork();
        if (child == 0) {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                ::_exit(3);
            const auto folder = userTempFolder();
            ::_exit(!folder ? 1 : readPlaylistFile(playlistFilePath(*folder)).entries != QList<QByteArray>{"a.mp3"} ? 2 : 0);
        }
        int status = -1;
        QCOMPARE(::waitpid(child, &status, 0), child);
        ::chmod(vorlix, 0700);
        QCOMPARE(status, 0); // 1 << 8: no folder, 2 << 8: no list
    }

    // The list hands Qt only what can be seen of an entry, cut at whole
    // characters; the entry itself stays whole.
    void longEntryShownInPart_data()
    {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<QString>("end"); // how text and tip end; the tip starts with "/m/"
        QTest::newRow("short") << QByteArray("/m/Ärger.mp3") << "/m/Ärger.mp3";
        QTest::newRow("1 MB") << "/m/" + QByteArray(1 << 20, 'x') + "/a.mp3" << "x/a.mp3";
        QTest::newRow("long UTF-8") << "/m/" + QString(999, QChar(0xe9)).toUtf8() + ".mp3" << "é.mp3";
        QTest::newRow("long, not UTF-8") << "/m/" + QByteArray(5000, '\xe9') + ".mp3" << "é.mp3";
    }
    void longEntryShownInPart()
    {
        QFETCH(QByteArray, entry);
        QFETCH(QString, end);
        SongListModel model;
        model.setEntries({entry});
        const QString tip = model.data(model.index(0), Qt::ToolTipRole).toString();
        for (const QString& text : {model.data(model.index(0), Qt::DisplayRole).toString(), tip})
            QVERIFY2(text.size() <= 201 && text.endsWith(end) && !text.contains(QChar(0xfffd)) && !text.contains(u'Ã'),
                     qPrintable(text.right(20)));
        QVERIFY(tip.startsWith("/m/"));
        QCOMPARE(model.entries().constFirst(), entry);
    }

    // The display shows a name with all the ink it has in a taller label.
    void nameIsWhole_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : {"Ärger", "Çığ", "Jpg", "東京"})
            QTest::newRow(name) << QString::fromUtf8(name);
    }
    void nameIsWhole()
    {
        QFETCH(QString, name);
        Fixture f;
        Label& display = *f.main().Text_Title;
        display.setTextColor(Qt::black);
        Label tall;
        tall.setFont(display.font());
        tall.setAlignment(Qt::AlignRight);
        tall.resize(display.width(), 3 * display.height());
        QCOMPARE(ink(display, name), ink(tall, name));
    }

private:
    static int ink(Label& label, const QString& caption)
    {
        label.setCaption(caption);
        QImage image(label.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        label.render(&image);
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                dark += qGray(image.pixel(x, y)) < 160;
        return dark;
    }
};

QTEST_MAIN(TestHardCases)
#include "tst_hardcases.moc"
