// SPDX-License-Identifier: GPL-3.0-or-later
// Where the list and the display get hard.
#include "doubles/Fixture.h"
#include "platform/CloseRequests.h"
#include "platform/TempFolder.h"
#include "skin/Label.h"

#include <QDir>

#include <csignal>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vorlix;
using namespace vorlix::test;

class TestHardCases : public QObject {
    Q_OBJECT

private slots:
    // A save that fails keeps the old list and says why: in a box when the
    // user unloads the list (pause, power-off), on stderr on a system close.
    void failedSaveIsTold_data()
    {
        QTest::addColumn<QString>("how");
        for (const char* how : {"pause", "system"})
            QTest::newRow(how) << how;
    }
    void failedSaveIsTold()
    {
        QFETCH(QString, how);
        Fixture f;
        f.powerOn();
        f.forms.PlayList().MP3ListFile = f.dir.filePath("gone/mp3list.ini");
        f.forms.PlayList().List1->AddItem("/m/new.mp3");   // an unchanged list is not saved
        if (how == "system")
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("gone/mp3list.ini: No such file"));
        how == "pause" ? f.main().Image_pause_Click() : f.forms.SystemClose();
        QCOMPARE(f.fake.msgBox.prompts.filter(":\nNo such file or directory").size(), int(how != "system"));
    }

    // The system closes the program while the play button's file dialog is
    // open: the choice is not played on the window that is gone.
    void systemCloseDuringDialog()
    {
        Fixture f;
        f.powerOn();
        f.fake.fileDialog.choices = {QStringLiteral("/m/a.mp3")};
        f.fake.fileDialog.whileOpen = [&f] { f.forms.SystemClose(); };
        f.main().Image_button_Click();
        QVERIFY(!f.forms.MainIfLoaded());
        QCOMPARE(f.calls(), QStringList());
    }

    // Off X11 (here the offscreen platform) there is no window manager to
    // listen to, and the system's close requests still come in.
    void closeRequestsWithoutX11()
    {
        int closes = 0;
        CloseRequests requests([&closes] { ++closes; });
        ::raise(SIGTERM);
        QTRY_COMPARE(closes, 1);
    }

    // A good save removes what a save cut short by a kill left behind: files
    // of our own name pattern that no running save holds, nothing else.
    void saveRemovesDebris()
    {
        QTemporaryDir dir;
        const QStringList kept{".mp3list.ini.aZ_9xQ", ".mp3list.ini.held00", "mp3list.ini", "mp3list.ini.aZ09xQ"};
        for (const QString& name : {kept[0], kept[1], kept[3], QStringLiteral(".mp3list.ini.aZ09xQ")})
            QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
        QFile held(dir.filePath(kept[1])); // a save going on
        QVERIFY(held.open(QIODevice::ReadOnly) && ::flock(held.handle(), LOCK_EX) == 0 &&
                writePlaylistFile(dir.filePath("mp3list.ini"), {"a.mp3"}));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), kept);
    }

    // A cache folder we may only read still gives the list. Root passes any
    // mode bit, so it asks as nobody: access() goes by the real user.
    void readOnlyFolderGivesList()
    {
        QTemporaryDir dir;
        const QByteArray base = QFile::encodeName(dir.path());
        QVERIFY(QDir(dir.path()).mkdir("vorlix") && writePlaylistFile(dir.filePath("vorlix/mp3list.ini"), {"a.mp3"}) &&
                ::chmod(base, 0711) == 0 && ::chmod(base + "/vorlix", 0555) == 0);
        qputenv("XDG_CACHE_HOME", base);
        const auto folder = ::geteuid() != 0 || ::setresuid(65534, 0, 0) == 0 ? userTempFolder() : std::nullopt;
        QVERIFY(::geteuid() != 0 || ::setresuid(0, 0, 0) == 0);
        ::chmod(base + "/vorlix", 0700);
        QVERIFY(folder && readPlaylistFile(playlistFilePath(*folder)).entries == QList<QByteArray>{"a.mp3"});
    }

    // The list hands Qt only what can be seen of an entry, cut at whole
    // characters; the entry itself stays whole.
    void longEntryShownInPart()
    {
        const QByteArray entry = "/m/" + QString(1 << 19, QChar(0xe9)).toUtf8() + ".mp3"; // 1 MB
        SongList list;
        list.setEntries({entry});
        for (const QString& text : {songListText(entry), songListTip(entry)})
            QVERIFY(text.size() <= 201 && text.endsWith("é.mp3") && !text.contains(QChar(0xfffd)));
        list.setListIndex(0);
        QCOMPARE(list.Text(), entry);
    }

    // The display shows a name with all the ink it would have in a taller
    // label: accents over capitals, descenders, CJK.
    void nameIsWhole()
    {
        Fixture f;
        Label& display = *f.main().Text_Title;
        display.setCaption(QStringLiteral("ÄÇg東"));
        const auto ink = [&display] {
            QImage image(display.size(), QImage::Format_RGB32);
            image.fill(Qt::white);
            display.render(&image);
            const auto* px = reinterpret_cast<const QRgb*>(image.constBits());
            return std::count_if(px, px + image.width() * image.height(), [](QRgb c) { return qGray(c) < 160; });
        };
        const auto shown = ink();
        display.resize(display.width(), 3 * display.height());
        QCOMPARE(shown, ink());
    }
};

QTEST_MAIN(TestHardCases)
#include "tst_hardcases.moc"
