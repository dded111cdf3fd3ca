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

// The watched controls shown (+) and hidden (-), in order, each with the
// number of sounds played by then.
struct VisibilityLog : QObject {
    VisibilityLog(const QList<QWidget*>& watched, const QStringList& played) : played(played)
    {
        for (QWidget* w : watched)
            w->installEventFilter(this);
    }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::ShowToParent || e->type() == QEvent::HideToParent)
            lines << (e->type() == QEvent::ShowToParent ? "+" : "-") + o->objectName() + ' ' +
                         QString::number(played.size());
        return false;
    }
    const QStringList& played;
    QStringList lines;
};

const QString kFolder = QStringLiteral("/nonexistent-program-folder/");

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
        QList<QWidget*> watched{m.pic1, m.pic2, m.Image_usb_on, m.Image_usb_off};
        for (int i = 0; i < watched.size(); ++i)
            watched[i]->setObjectName(QStringList{"pic1", "pic2", "on", "off"}[i]);
        QStringList& played = f.fake.sound.played;
        played.clear();

        VisibilityLog plugIn(watched, played);
        m.Image_usb_off_DblClick();
        QCOMPARE(plugIn.lines, QStringList({"-pic1 1", "+pic2 1", "+on 1", "-off 1"}));
        QCOMPARE(m.mask(), MakeWindowRegion(QImage(QStringLiteral(":/skin2.gif"))));
        frmAboutMAin* launcher = f.forms.AboutMainIfLoaded();
        QVERIFY(launcher && launcher->isVisible());
        QCOMPARE(launcher->pos(), QPoint(660, 290));

        launcher->Command_About_Click();
        launcher->setObjectName("launcher");
        f.forms.AboutIfLoaded()->setObjectName("about");
        VisibilityLog unplug(watched + QList<QWidget*>{launcher, f.forms.AboutIfLoaded()}, played);
        m.Image_usb_on_DblClick();
        QCOMPARE(unplug.lines, QStringList({"+pic1 2", "-pic2 2", "-on 2", "+off 2", "-about 2", "-launcher 2"}));
        QVERIFY(!f.forms.AboutIfLoaded() && !f.forms.AboutMainIfLoaded());
        QCOMPARE(m.mask(), firstOutline);
        QCOMPARE(m.size(), QSize(300, 82));
        QCOMPARE(played, QStringList(2, kFolder + "usbopen.wav"));
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
        QCOMPARE(f.fake.sound.played, QStringList{kFolder + "do.wav"});
        QCOMPARE(f.fake.helpViewer.shown, QStringList{"9 " + kFolder + "VORLIX.HLP"});

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
        QTest::newRow("Enter closes") << int(Qt::Key_Return) << 0;
        QTest::newRow("keypad Enter closes") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
        QTest::newRow("Esc closes") << int(Qt::Key_Escape) << 0;
        QTest::newRow("Alt+S starts the tool") << int(Qt::Key_S) << int(Qt::AltModifier);
    }

    void aboutKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        const bool closes = key != Qt::Key_S;
        Fixture f;
        f.fake.registry.values[kMsInfoKey.toLower() + "|path"] = {Registry::REG_SZ, "/usr/bin/hardinfo"};
        frmAbout& about = f.forms.About();
        QCOMPARE(about.windowTitle(), QStringLiteral("About Vorlix"));
        QCOMPARE(about.lblTitle->text(), QStringLiteral("Vorlix"));
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        QTest::keyClick(&about, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTRY_COMPARE(!f.forms.AboutIfLoaded(), closes);
        QTRY_COMPARE(f.fake.shell.started, closes ? QStringList() : QStringList{"/usr/bin/hardinfo"});
    }

    // The link's border: on over the link, off only over the background.
    void linkBorder_data()
    {
        QTest::addColumn<QString>("then"); // where the mouse goes after the link
        QTest::addColumn<bool>("border");
        QTest::newRow("link only") << "" << true;
        QTest::newRow("background") << "background" << false;
        QTest::newRow("separator") << "line" << false;
        QTest::newRow("version line") << "version" << true;
        QTest::newRow("Exit") << "button" << true;
        QTest::newRow("photograph") << "photo" << true;
    }

    void linkBorder()
    {
        QFETCH(QString, then);
        QFETCH(bool, border);
        Fixture f;
        frmAbout& about = f.forms.About();
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        const QHash<QString, QPoint> at{
            {"background", {115, 150}}, {"line", {60, 163}}, {"version", about.lblVersion[0]->geometry().center()},
            {"button", about.cmdOK->geometry().center()}, {"photo", about.Image1->geometry().center()}};
        QCOMPARE(about.Label3[2]->frameShape(), QFrame::NoFrame);
        QTest::mouseMove(about.windowHandle(), about.Label3[2]->geometry().center());
        if (!then.isEmpty())
            QTest::mouseMove(about.windowHandle(), at[then]);
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
        const QByteArray k1024(1024, 'p');
        QTest::newRow("path") << 1u << QByteArray("/opt/hardinfo\0", 14) << "" << true << "/opt/hardinfo";
        QTest::newRow("1024 bytes, no NUL") << 1u << k1024 << "" << true << QString(k1024);
        QTest::newRow("1025 bytes: message") << 1u << k1024 + 'p' << "" << true << "-";
        QTest::newRow("number") << 4u << QByteArray("\x2a\x01\0\0", 4) << "" << true << "298";
        QTest::newRow("other type keeps the text") << 3u << QByteArray("bin") << "" << true << "";
        QTest::newRow("path that fails: message") << 1u << QByteArray("/nowhere") << "" << false << "/nowhere";
        QTest::newRow("folder with the tool") << 0u << QByteArray() << "with the tool" << true << "folder";
        QTest::newRow("folder without it: message") << 0u << QByteArray() << "empty" << true << "-";
        QTest::newRow("nothing: message") << 0u << QByteArray() << "" << true << "-";
    }

    void startSysInfo()
    {
        QFETCH(uint, pathType);
        QFETCH(QByteArray, path);
        QFETCH(QString, folder);
        QFETCH(bool, starts);
        QFETCH(QString, started);
        Fixture f;
        if (pathType)
            f.fake.registry.values[kMsInfoKey.toLower() + "|path"] = {pathType, path};
        if (!folder.isEmpty())
            f.fake.registry.values[kMsInfoFolderKey.toLower() + "|msinfo"] = {1, QFile::encodeName(f.dir.path())};
        if (folder == "with the tool")
            QVERIFY(QFile(f.dir.filePath(kMsInfoFile)).open(QIODevice::WriteOnly));
        f.fake.shell.startResult = starts;
        f.forms.About().cmdSysInfo->click();
        if (started == "folder")
            started = f.dir.filePath(kMsInfoFile);
        QCOMPARE(f.fake.shell.started, started == "-" ? QStringList() : QStringList{started});
        const bool message = QString(QTest::currentDataTag()).endsWith("message");
        QCOMPARE(f.fake.msgBox.prompts, message ? QStringList{kSysInfoUnavailable} : QStringList());
        QCOMPARE(f.fake.msgBox.styles, message ? QList<int>{0} : QList<int>());
        QVERIFY(f.forms.AboutIfLoaded());
    }

    // The program's own help window: one file at a time; the same file again
    // leaves it as it is.
    void helpWindow()
    {
        QTemporaryDir dir;
        for (const QString name : {"One", "Two"}) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(("<title>" + name + "</title>" + QString("<p>line</p>").repeated(300)).toUtf8());
        }
        HelpWindowViewer viewer;
        auto show = [&](const char* name) { return viewer.showHelp(dir.filePath(name), HelpViewer::kForceFile); };
        QVERIFY(show("One"));
        QScrollBar* bar = viewer.page()->verticalScrollBar();
        bar->setValue(bar->maximum() / 2);
        QVERIFY(bar->value() > 0 && show("One"));
        QCOMPARE(bar->value(), bar->maximum() / 2);
        QCOMPARE(viewer.window()->windowTitle(), QStringLiteral("One"));
        QVERIFY(show("Two") && !show("None") && viewer.window()->isVisible());
        QVERIFY(viewer.page()->toPlainText().contains("None cannot be found"));
        viewer.close();
        QVERIFY(!viewer.window());
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
