#include "about/SysInfo.h"
#include "about/frmAbout.h"
#include "about/frmAboutMAin.h"
#include "doubles/Fixture.h"
#include "skin/ImageControl.h"
#include "skin/PictureBox.h"
#include "skin/Timer.h"
#include "skin/gifmod.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QToolButton>

using namespace vorlix;
using namespace vorlix::test;

namespace {

// Notes, in order, which of the watched controls were shown or hidden, and
// how many sounds had been played by then.
struct VisibilityLog : QObject {
    VisibilityLog(const QList<QWidget*>& watched, const QStringList& played) : played(played)
    {
        for (QWidget* w : watched)
            w->installEventFilter(this);
    }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::ShowToParent || e->type() == QEvent::HideToParent)
            lines << QStringLiteral("%1 %2 after %3 sounds")
                         .arg(o->objectName(), e->type() == QEvent::ShowToParent ? "shown" : "hidden")
                         .arg(played.size());
        return false;
    }
    const QStringList& played;
    QStringList lines;
};

const QString kUsbSound = QStringLiteral("/nonexistent-program-folder/usbopen.wav");

} // namespace

class TestAbout : public QObject {
    Q_OBJECT
private slots:
    void usbSwitches_data()
    {
        QTest::addColumn<bool>("playing");
        QTest::newRow("switched off") << false;
        QTest::newRow("a song playing") << true;
    }

    void usbSwitches()
    {
        QFETCH(bool, playing);
        Fixture f;
        frmMain& m = f.main();
        const QRegion firstOutline = m.mask();
        m.move(400, 300);
        if (playing) {
            f.fake.fileDialog.choices << QStringLiteral("/m/song.mp3");
            f.powerOn();
            m.Image_button_Click();
        }
        const QStringList calls = f.calls();
        const frmPlayList* list = f.forms.PlayListIfLoaded();
        m.pic1->setObjectName("pic1");
        m.pic2->setObjectName("pic2");
        m.Image_usb_on->setObjectName("usb_on");
        m.Image_usb_off->setObjectName("usb_off");
        QStringList& played = f.fake.sound.played;
        played.clear();

        VisibilityLog plugIn({m.pic1, m.pic2, m.Image_usb_on, m.Image_usb_off}, played);
        m.Image_usb_off_DblClick();
        QCOMPARE(plugIn.lines, QStringList({"pic1 hidden after 1 sounds", "pic2 shown after 1 sounds",
                                            "usb_on shown after 1 sounds", "usb_off hidden after 1 sounds"}));
        QCOMPARE(m.mask(), MakeWindowRegion(QImage(QStringLiteral(":/skin2.gif"))));
        frmAboutMAin* launcher = f.forms.AboutMainIfLoaded();
        QVERIFY(launcher && launcher->isVisible());
        QCOMPARE(launcher->pos(), QPoint(660, 290));

        launcher->Command_About_Click();
        launcher->setObjectName("launcher");
        f.forms.AboutIfLoaded()->setObjectName("about");
        VisibilityLog unplug({m.pic1, m.pic2, m.Image_usb_on, m.Image_usb_off, launcher,
                              f.forms.AboutIfLoaded()}, played);
        m.Image_usb_on_DblClick();
        QCOMPARE(unplug.lines, QStringList({"pic1 shown after 2 sounds", "pic2 hidden after 2 sounds",
                                            "usb_on hidden after 2 sounds", "usb_off shown after 2 sounds",
                                            "about hidden after 2 sounds", "launcher hidden after 2 sounds"}));
        QVERIFY(!f.forms.AboutIfLoaded() && !f.forms.AboutMainIfLoaded());
        QCOMPARE(m.mask(), firstOutline);
        QCOMPARE(m.size(), QSize(300, 82));
        QCOMPARE(played, QStringList(2, kUsbSound));
        // Playback, its timer and the playlist window are left alone.
        QCOMPARE(f.calls(), calls);
        QCOMPARE(m.Timer_MP3DataShow->Enabled(), playing);
        QCOMPARE(f.forms.PlayListIfLoaded(), list);
    }

    void capDragsOnPressAndSwitchesOnDoubleClick()
    {
        Fixture f;
        frmMain& m = f.main();
        m.move(200, 200);
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        QTest::mousePress(m.Image_usb_off, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(m.Image_usb_off, QPoint(25, 15));
        QTest::mouseRelease(m.Image_usb_off, Qt::LeftButton, {}, QPoint(25, 15));
        QCOMPARE(m.pos(), QPoint(220, 210));
        QVERIFY(m.pic2->isHidden());
        QTest::mouseDClick(m.Image_usb_off, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!m.pic2->isHidden());
        QVERIFY(f.forms.AboutMainIfLoaded());
    }

    void launcherButtons()
    {
        Fixture f;
        frmAboutMAin& launcher = f.forms.AboutMain();
        QCOMPARE(launcher.focusWidget(), launcher.Command_help);
        launcher.Command_About->click();
        frmAbout* about = f.forms.AboutIfLoaded();
        launcher.Command_About->click();
        QVERIFY(about && about->isVisible());
        QCOMPARE(f.forms.AboutIfLoaded(), about);
        QVERIFY(f.fake.sound.played.isEmpty());

        launcher.Command_help->click();
        QCOMPARE(f.fake.sound.played, QStringList{"/nonexistent-program-folder/do.wav"});
        QCOMPARE(f.fake.helpViewer.shown, QStringList{"9 /nonexistent-program-folder/VORLIX.HLP"});

        launcher.close();
        QVERIFY(!f.forms.AboutMainIfLoaded());
        QCOMPARE(f.forms.AboutIfLoaded(), about);
        f.forms.UnloadMain();
        QVERIFY(!f.forms.AboutIfLoaded());
        QCOMPARE(f.fake.helpViewer.closes, 1);
    }

    void aboutKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Enter") << int(Qt::Key_Return) << 0 << true;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << 0 << true;
        QTest::newRow("Alt+S") << int(Qt::Key_S) << int(Qt::AltModifier) << false;
    }

    void aboutKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, closes);
        Fixture f;
        f.fake.registry.keys[kMsInfoKey.toLower()]["path"] = {Registry::REG_SZ, "/usr/bin/hardinfo"};
        frmAbout& about = f.forms.About();
        QCOMPARE(about.windowTitle(), QStringLiteral("About Vorlix"));
        QCOMPARE(about.lblTitle->text(), QStringLiteral("Vorlix"));
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        QTest::keyClick(&about, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTRY_COMPARE(!f.forms.AboutIfLoaded(), closes);
        QTRY_COMPARE(f.fake.shell.started, closes ? QStringList() : QStringList{"/usr/bin/hardinfo"});
    }

    void linkBorder_data()
    {
        QTest::addColumn<QStringList>("moves");
        QTest::addColumn<bool>("border");
        QTest::newRow("onto the link") << QStringList{"link"} << true;
        QTest::newRow("link, then background") << QStringList{"link", "background"} << false;
        QTest::newRow("link, then the separator") << QStringList{"link", "line"} << false;
        QTest::newRow("link, then a version line") << QStringList{"link", "version"} << true;
        QTest::newRow("link, then Exit") << QStringList{"link", "button"} << true;
        QTest::newRow("link, then the photograph") << QStringList{"link", "photo"} << true;
    }

    void linkBorder()
    {
        QFETCH(QStringList, moves);
        QFETCH(bool, border);
        Fixture f;
        frmAbout& about = f.forms.About();
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        const QHash<QString, QPoint> at{{"link", about.Label3[2]->geometry().center()},
                                        {"background", {115, 150}},
                                        {"line", {60, 163}},
                                        {"version", about.lblVersion[0]->geometry().center()},
                                        {"button", about.cmdOK->geometry().center()},
                                        {"photo", about.Image1->geometry().center()}};
        QCOMPARE(about.Label3[2]->frameShape(), QFrame::NoFrame);
        for (const QString& move : moves)
            QTest::mouseMove(about.windowHandle(), at[move]);
        QCOMPARE(about.Label3[2]->frameShape() != QFrame::NoFrame, border);

        QTest::mouseClick(about.Label3[2], Qt::LeftButton);
        QCOMPARE(f.fake.shell.opened, QStringList{kWebAddress});
        QVERIFY(f.fake.sound.played.isEmpty());
    }

    void startSysInfo_data()
    {
        QTest::addColumn<uint>("pathType"); // 0: no such value
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QString>("folder"); // "", "empty" or "with the tool"
        QTest::addColumn<bool>("starts");
        QTest::addColumn<QString>("started"); // "-": nothing started
        QTest::addColumn<bool>("message");
        const QByteArray k1024(1024, 'p');
        QTest::newRow("path") << 1u << QByteArray("/opt/hardinfo\0", 14) << "" << true << "/opt/hardinfo" << false;
        QTest::newRow("1024 bytes, no NUL") << 1u << k1024 << "" << true << QString(k1024) << false;
        QTest::newRow("1025 bytes") << 1u << k1024 + 'p' << "" << true << "-" << true;
        QTest::newRow("number") << 4u << QByteArray("\x2a\x01\0\0", 4) << "" << true << "298" << false;
        QTest::newRow("other type") << 3u << QByteArray("bin") << "" << true << "" << false;
        QTest::newRow("path that fails") << 1u << QByteArray("/nowhere") << "" << false << "/nowhere" << true;
        QTest::newRow("folder with the tool") << 0u << QByteArray() << "with the tool" << true << "folder" << false;
        QTest::newRow("folder without it") << 0u << QByteArray() << "empty" << true << "-" << true;
        QTest::newRow("nothing") << 0u << QByteArray() << "" << true << "-" << true;
    }

    void startSysInfo()
    {
        QFETCH(uint, pathType);
        QFETCH(QByteArray, path);
        QFETCH(QString, folder);
        QFETCH(bool, starts);
        QFETCH(QString, started);
        QFETCH(bool, message);
        Fixture f;
        FakeRegistry& registry = f.fake.registry;
        if (pathType)
            registry.keys[kMsInfoKey.toLower()]["path"] = {pathType, path};
        if (!folder.isEmpty())
            registry.keys[kMsInfoFolderKey.toLower()]["msinfo"] = {Registry::REG_SZ, QFile::encodeName(f.dir.path())};
        if (folder == "with the tool")
            QVERIFY(QFile(f.dir.filePath(kMsInfoFile)).open(QIODevice::WriteOnly));
        f.fake.shell.startResult = starts;
        f.forms.About().cmdSysInfo->click();
        if (started == "folder")
            started = f.dir.filePath(kMsInfoFile);
        QCOMPARE(f.fake.shell.started, started == "-" ? QStringList() : QStringList{started});
        QCOMPARE(f.fake.msgBox.prompts, message ? QStringList{kSysInfoUnavailable} : QStringList());
        QCOMPARE(f.fake.msgBox.styles, message ? QList<int>{0} : QList<int>());
        QVERIFY(f.forms.AboutIfLoaded());
    }

    void getKeyValueKeepsOrClearsText()
    {
        FakeRegistry registry;
        registry.keys["k"]["binary"] = {3, "xyz"};
        QString text = "as it was";
        QVERIFY(GetKeyValue(registry, Registry::HKEY_LOCAL_MACHINE, "K", "binary", text));
        QCOMPARE(text, "as it was");
        QVERIFY(!GetKeyValue(registry, Registry::HKEY_LOCAL_MACHINE, "K", "missing", text));
        QCOMPARE(text, QString());
    }

    // The program's own help window: one file at a time, the same file again
    // leaves it as it is.
    void helpWindow()
    {
        QTemporaryDir dir;
        auto write = [&](const QString& name, const QString& title) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QStringLiteral("<html><head><title>%1</title></head><body>%2</body></html>")
                           .arg(title, QString("<p>line</p>").repeated(300)).toUtf8());
        };
        write("ONE.HLP", "One");
        write("TWO.HLP", "Two");
        HelpWindowViewer viewer;
        QVERIFY(viewer.showHelp(dir.filePath("ONE.HLP"), HelpViewer::kForceFile));
        QTRY_COMPARE(viewer.window()->windowTitle(), QStringLiteral("One"));
        QScrollBar* bar = viewer.page()->verticalScrollBar();
        bar->setValue(bar->maximum() / 2);
        const int scrolled = bar->value();
        QVERIFY(scrolled > 0);
        QVERIFY(viewer.showHelp(dir.filePath("ONE.HLP"), HelpViewer::kForceFile));
        QCOMPARE(bar->value(), scrolled);
        QVERIFY(viewer.showHelp(dir.filePath("TWO.HLP"), HelpViewer::kForceFile));
        QCOMPARE(viewer.window()->windowTitle(), QStringLiteral("Two"));
        QVERIFY(!viewer.showHelp(dir.filePath("TWO.HLP"), 3));
        QVERIFY(!viewer.showHelp(dir.filePath("NONE.HLP"), HelpViewer::kForceFile));
        QVERIFY(viewer.window()->isVisible());
        QVERIFY(viewer.page()->toPlainText().contains("NONE.HLP cannot be found"));
        viewer.close();
        QVERIFY(!viewer.window());
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
