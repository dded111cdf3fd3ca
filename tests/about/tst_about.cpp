// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/SysInfo.h"
#include "about/frmAbout.h"
#include "about/frmAboutMAin.h"
#include "doubles/Fixture.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QToolButton>

#include <sys/stat.h>

using namespace vorlix;
using namespace vorlix::test;

static const QString kFolder = QStringLiteral("/nonexistent-program-folder/");

class TestAbout : public QObject {
    Q_OBJECT
private slots:
    // Both switches while a song plays: skins, hotspots, outline and the
    // about windows switch; playback, its timer and the playlist window stay.
    void usbSwitches()
    {
        Fixture f;
        frmMain& m = f.main();
        const QRegion firstOutline = m.mask();
        m.move(400, 300);
        f.fake.fileDialog.choices << QStringLiteral("/m/song.mp3");
        f.powerOn();
        m.Image_button_Click();
        const QStringList calls = f.calls();
        const frmPlayList* list = f.forms.PlayListIfLoaded();
        f.fake.sound.played.clear();
        const auto shown = [&m] { return QList<bool>({!m.pic1->isHidden(), !m.pic2->isHidden(), !m.Image_usb_off->isHidden(), !m.Image_usb_on->isHidden()}); };

        m.Image_usb_off_DblClick();
        QCOMPARE(shown(), QList<bool>({false, true, false, true}));
        QVERIFY(m.mask() != firstOutline);
        frmAboutMAin* launcher = f.forms.AboutMainIfLoaded();
        QVERIFY(launcher && launcher->isVisible());
        QCOMPARE(launcher->pos(), QPoint(400 + 260, 300 - 10));

        launcher->Command_About_Click();
        m.Image_usb_on_DblClick();
        QCOMPARE(shown(), QList<bool>({true, false, true, false}));
        QVERIFY(!f.forms.AboutIfLoaded() && !f.forms.AboutMainIfLoaded());
        QCOMPARE(m.mask(), firstOutline);
        QCOMPARE(m.size(), QSize(300, 82));
        QCOMPARE(f.fake.sound.played, QStringList(2, kFolder + "usbopen.wav"));
        QCOMPARE(f.calls(), calls);
        QVERIFY(m.Timer_MP3DataShow->Enabled());
        QCOMPARE(f.forms.PlayListIfLoaded(), list);
    }

    void launcherButtons()
    {
        Fixture f;
        frmAboutMAin& launcher = f.forms.AboutMain();
        QCOMPARE(launcher.focusWidget(), launcher.Command_help);
        launcher.Command_About->click();
        frmAbout* about = f.forms.AboutIfLoaded();
        QVERIFY(about && about->isVisible() && f.fake.sound.played.isEmpty());
        QTest::keyClick(launcher.Command_help, Qt::Key_Return); // Enter presses the focused button
        QCOMPARE(f.fake.sound.played, QStringList{kFolder + "do.wav"});
        QCOMPARE(f.fake.helpViewer.shown, QStringList{"9 " + kFolder + "VORLIX.HLP"});

        QTest::keyClick(launcher.Command_help, Qt::Key_Escape);
        QVERIFY(!f.forms.AboutMainIfLoaded());
        QCOMPARE(f.forms.AboutIfLoaded(), about);
        f.forms.UnloadMain();
        QVERIFY(!f.forms.AboutIfLoaded());
        QCOMPARE(f.fake.helpViewer.closes, 1);
    }

    // The launcher's and the dialog's controls as a screen reader reads
    // them. The link's border comes over the link and goes only over the
    // background and the separator; the link's press opens it as a click
    // does. Esc closes the dialog.
    void linkBorderScreenReaderAndEsc()
    {
        Fixture f;
        frmAboutMAin& launcher = f.forms.AboutMain();
        frmAbout& about = f.forms.About();
        QLabel* link = about.Label3[2];
        QStringList read;
        for (QObject* o : QList<QObject*>{&about, launcher.Command_help, launcher.Command_About, about.lblTitle,
                                          about.lblVersion[0], about.Image1, link, about.cmdOK, about.cmdSysInfo}) {
            QAccessibleInterface* i = a11y(o);
            read << QString::number(i->role(), 16) + ' ' + i->text(QAccessible::Name) + ' ' +
                        QString::number(i->actionInterface() && i->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
        }
        QCOMPARE(read, (QStringList{"12 About Vorlix 0", "2b Help 1", "2b About 1", "29 Vorlix 0",
                                    "29 Requirement: Win 98 / Me / NT / XP 0", "28 Vorlix player 0",
                                    "1e https://vorlix.org/ 1", "2b Exit 1", "2b System... 1"}));
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        QCOMPARE(link->frameShape(), QFrame::NoFrame);
        const QList<std::pair<QPoint, bool>> path{
            {link->geometry().center(), true},  {about.lblVersion[0]->geometry().center(), true},
            {about.cmdOK->geometry().center(), true}, {about.Image1->geometry().center(), true},
            {{60, 163}, false}, {link->geometry().center(), true}, {{115, 150}, false}};
        for (const auto& [at, border] : path) {
            QTest::mouseMove(about.windowHandle(), at);
            QCOMPARE(link->frameShape() != QFrame::NoFrame, border);
        }
        QTest::mouseClick(link, Qt::LeftButton); // no browser: the address is told
        f.fake.shell.openResult = true;
        QTest::mouseClick(link, Qt::LeftButton);
        a11y(link)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(f.fake.shell.opened, QStringList(3, kWebAddress));
        QCOMPARE(f.fake.msgBox.prompts.size(), 1);
        QVERIFY(f.fake.msgBox.prompts[0].endsWith("\n" + kWebAddress) && f.fake.msgBox.styles[0] == MsgBoxStyle::Exclamation);
        QVERIFY(f.fake.sound.played.isEmpty());
        QTest::keyClick(&about, Qt::Key_Escape);
        QTRY_VERIFY(!f.forms.AboutIfLoaded());
    }

    // Enter presses the button with the focus, Exit when none has it, and
    // opens the link when Tab has brought the focus to it.
    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("pressed");
        QTest::newRow("Exit") << "Exit" << "Exit";
        QTest::newRow("System") << "System(&S)..." << "System";
        QTest::newRow("System, then Exit again") << "System(&S)...,Exit" << "Exit";
        QTest::newRow("none") << "" << "Exit";
        QTest::newRow("link, after Exit and System") << "Tab,Tab" << "link";
    }
    void enterPressesTheFocusedButton()
    {
        QFETCH(QString, focus);
        QFETCH(QString, pressed);
        Fixture f;
        frmAbout& about = f.forms.About();
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        for (const QString& name : focus.split(',', Qt::SkipEmptyParts))
            name == "Tab" ? QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab)
                          : (name == "Exit" ? about.cmdOK : about.cmdSysInfo)->setFocus(Qt::TabFocusReason);
        if (focus.isEmpty())
            about.setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(f.fake.msgBox.prompts, pressed == "System" ? QStringList{kSysInfoUnavailable}
                                        : pressed == "link" ? QStringList{"No web browser could be opened for the link. The address is:\n\n" + kWebAddress}
                                                            : QStringList());
        QTRY_COMPARE(!f.forms.AboutIfLoaded(), pressed == "Exit");
        if (pressed == "System")
            QVERIFY(about.cmdSysInfo->isDefault() && !about.cmdOK->isDefault());
    }

    // The desktop's opener is awaited off the interface thread: a failure
    // (no browser: xdg-open exits 3) is told.
    void desktopOpener_data()
    {
        QTest::addColumn<QByteArray>("exit"); // the opener's, once let go; empty: no opener
        QTest::addColumn<bool>("opened");
        QTest::newRow("no browser") << QByteArray("3") << false;
        QTest::newRow("opened") << QByteArray("0") << true;
        QTest::newRow("no opener") << QByteArray() << false;
    }
    void desktopOpener()
    {
        QFETCH(QByteArray, exit);
        QFETCH(bool, opened);
        QTemporaryDir bin;
        QFile opener(bin.filePath("xdg-open"));
        // Waits to be let go, and gives up (opened) after five seconds.
        QVERIFY(exit.isEmpty() || (opener.open(QIODevice::WriteOnly) &&
                                   opener.write("#!/bin/sh\nfor i in $(seq 100); do [ -e \"$0.go\" ] && exit " + exit +
                                                "; sleep 0.05; done\n") > 0 && opener.setPermissions(QFile::ReadOwner | QFile::ExeOwner)));
        opener.close();
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()) + ":/usr/bin:/bin");
        std::optional<bool> heard;
        QObject context;
        DesktopShell().openUrl(kWebAddress, &context, [&](bool ok) { heard = ok; });
        qputenv("PATH", path);
        QVERIFY(exit.isEmpty() || !heard); // back before the opener ended
        QVERIFY(exit.isEmpty() || QFile(bin.filePath("xdg-open.go")).open(QIODevice::WriteOnly));
        QTRY_COMPARE(heard, std::optional(opened));
    }

    // The focused control wears the player's dark and yellow ring from the
    // moment the dialog opens; a mouse press hides it until Tab moves on.
    void focusRing()
    {
        Fixture f;
        frmAbout& about = f.forms.About();
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        const auto ring = [](QWidget* w) {
            const QImage image = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
            const auto* px = reinterpret_cast<const QRgb*>(image.constBits());
            return std::count(px, px + image.width() * image.height(), qRgb(0xff, 0xd4, 0x00)) > 0;
        };
        QVERIFY(ring(about.cmdOK));
        QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
        QVERIFY(about.cmdSysInfo->hasFocus() && !ring(about.cmdSysInfo));
        QTest::keyClick(about.cmdSysInfo, Qt::Key_Tab);
        QVERIFY(ring(about.Label3[2]) && !ring(about.cmdOK));
    }

    void startSysInfo_data()
    {
        // The tag says when the start fails, what the folder holds and
        // whether the message comes.
        QTest::addColumn<uint>("pathType"); // 0: no such value
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QString>("started"); // "-": nothing started
        const QByteArray k1024(1024, 'p');
        QTest::newRow("path") << 1u << QByteArray("/opt/hardinfo\0", 14) << "/opt/hardinfo";
        QTest::newRow("1024 bytes, no NUL") << 1u << k1024 << QString(k1024);
        QTest::newRow("1025 bytes: message") << 1u << k1024 + 'p' << "-";
        QTest::newRow("number") << 4u << QByteArray("\x2a\x01\0\0", 4) << "298";
        QTest::newRow("other type keeps the text") << 3u << QByteArray("bin") << "";
        QTest::newRow("path that fails: message") << 1u << QByteArray("/nowhere") << "/nowhere";
        QTest::newRow("folder with the tool") << 0u << QByteArray() << "folder";
        QTest::newRow("folder without it: message") << 0u << QByteArray() << "-";
        QTest::newRow("nothing: message") << 0u << QByteArray() << "-";
    }

    void startSysInfo()
    {
        QFETCH(uint, pathType);
        QFETCH(QByteArray, path);
        QFETCH(QString, started);
        const QString tag = QTest::currentDataTag();
        Fixture f;
        if (pathType)
            f.fake.registry.values[kMsInfoKey.toLower() + "|path"] = {pathType, path};
        if (tag.startsWith("folder"))
            f.fake.registry.values[kMsInfoFolderKey.toLower() + "|msinfo"] = {1, QFile::encodeName(f.dir.path())};
        if (started == "folder")
            QVERIFY(QFile(started = f.dir.filePath(kMsInfoFile)).open(QIODevice::WriteOnly));
        f.fake.shell.startResult = !tag.contains("fails");
        f.forms.About().cmdSysInfo->click();
        QCOMPARE(f.fake.shell.started, started == "-" ? QStringList() : QStringList{started});
        const bool message = tag.endsWith("message");
        QCOMPARE(f.fake.msgBox.prompts, message ? QStringList{kSysInfoUnavailable} : QStringList());
        QCOMPARE(f.fake.msgBox.styles, message ? QList<int>{0} : QList<int>());
        QVERIFY(f.forms.AboutIfLoaded());
    }

    // The program's own help window: one file at a time; the same file again
    // leaves it as it is. The page reads as a document, line by line as laid
    // out, each line with what ends it; Tab selects a link, Enter follows it
    // and the caret goes to its target; Escape closes the window.
    void helpWindow()
    {
        QTemporaryDir dir;
        for (const QString name : {"One", "Two"}) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(("<title>" + name + "</title><p>First line</p><p><a href=\"#b\">to b</a></p>" +
                        QString("<p>line</p>").repeated(300) + "<p><a name=\"b\"></a>Bee</p>").toUtf8());
        }
        HelpWindowViewer viewer;
        auto show = [&](const char* name) { return viewer.showHelp(dir.filePath(name), HelpViewer::kForceFile); };
        QVERIFY(show("One"));
        QScrollBar* bar = viewer.page()->verticalScrollBar();
        bar->setValue(bar->maximum() / 2);
        QVERIFY(bar->value() > 0 && show("One"));
        QCOMPARE(bar->value(), bar->maximum() / 2);
        QVERIFY(show("Two") && QTest::qWaitForWindowActive(viewer.window()));
        QAccessibleInterface* page = a11y(viewer.page());
        QCOMPARE(page->role(), QAccessible::Document);
        const auto line = [&] {
            int start, end;
            QAccessibleTextInterface* text = page->textInterface();
            return text->textAtOffset(text->cursorPosition(), QAccessible::LineBoundary, &start, &end);
        };
        QCOMPARE(line(), "First line\n");
        QTest::keyClick(viewer.page(), Qt::Key_Tab);
        QCOMPARE(viewer.page()->textCursor().selectedText(), "to b");
        QTest::keyClick(viewer.page(), Qt::Key_Return);
        QCOMPARE(line(), "Bee");
        QVERIFY(!show("None") && viewer.window()->isVisible());
        QTest::keyClick(viewer.page(), Qt::Key_Escape);
        QVERIFY(!viewer.window()->isVisible());
        viewer.close();
        QVERIFY(!viewer.window());
    }

    // A help file the window will not show says what is wrong, and where it
    // was looked for when it is missing; pictures come only from regular
    // files in its own folder. The limits are the shipped ones, met at their
    // edges; tags that close their kind without an end tag do not nest.
    void hostileHelpFiles_data()
    {
        QTest::addColumn<QByteArray>("page"); // "-": no file; "big": 4 MB and a byte, not written
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("told"); // empty: the page shows
        const QByteArray withPicture = "<p>text</p><img src=\"pic\">";
        QTest::newRow("missing") << QByteArray("-") << "" << "there is no such file";
        QTest::newRow("over the limit") << QByteArray("big") << "" << "it is larger than 4096 KB";
        QTest::newRow("old binary help file") << QByteArray("?_\x03\0\0\0\xff\xff", 8).repeated(100) << "" << "it is not a help page";
        QTest::newRow("5000 nested tables") << QByteArray("<table><tr><td>").repeated(5000) << "" << "its parts are nested deeper than 100 levels";
        QTest::newRow("200k unclosed b, i") << QByteArray("<b><i>").repeated(200000) << "" << "its parts are nested deeper than 100 levels";
        QTest::newRow("4 MB") << "text<!--" + QByteArray((4 << 20) - 11, 'x') + "-->" << "" << "";
        QTest::newRow("100 levels") << "text" + QByteArray("<div>").repeated(100) << "" << "";
        QTest::newRow("101 levels") << QByteArray("<div>").repeated(101) << "" << "its parts are nested deeper than 100 levels";
        QTest::newRow("200 list items, none closed") << "text<ul>" + QByteArray("<li>item").repeated(200) << "" << "";
        QTest::newRow("200 paragraphs, none closed") << QByteArray("<p>text").repeated(200) << "" << "";
        QTest::newRow("tabs, form feeds, CR LF") << QByteArray("<p>text\tb\f\r\n") << "" << "";
        QTest::newRow("a picture's bytes") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << "" << "it is not a help page";
        QTest::newRow("picture beside it") << withPicture << "pic.png" << "";
        QTest::newRow("/dev/zero") << withPicture << "/dev/zero" << "";
        QTest::newRow("FIFO beside it") << withPicture << "fifo" << "";
        QTest::newRow("link out of its folder") << withPicture << "link" << "";
        QTest::newRow("folder whose name starts alike") << withPicture << "../help2/out.png" << "";
    }
    void hostileHelpFiles()
    {
        QFETCH(QByteArray, page);
        QFETCH(QString, picture);
        QFETCH(QString, told);
        QTemporaryDir base;
        const QString dir = base.filePath("help"), file = dir + "/VORLIX.HLP";
        QVERIFY(QDir(base.path()).mkpath("help") && QDir(base.path()).mkpath("help2"));
        QFile out(file);
        QVERIFY(page == "-" || (out.open(QIODevice::WriteOnly) && (page == "big" ? out.resize((4 << 20) + 1)
                                : out.write(page.replace("\"pic\"", "\"" + picture.toUtf8() + '"')) > 0)));
        out.close();
        QImage(4, 4, QImage::Format_RGB32).save(dir + "/pic.png");
        QImage(4, 4, QImage::Format_RGB32).save(base.filePath("help2/out.png"));
        QFile::link(base.filePath("help2/out.png"), dir + "/link");
        ::mkfifo(QFile::encodeName(dir + "/fifo"), 0600);
        HelpWindowViewer viewer;
        QCOMPARE(viewer.showHelp(file, HelpViewer::kForceFile), told.isEmpty());
        const QString text = viewer.page()->toPlainText();
        const QString where = (page == "-" ? "It was looked for in the folder " : "It is in the folder ") + dir;
        QVERIFY2(told.isEmpty() ? text.startsWith("text") : text.contains(": " + told) && text.contains(where), qPrintable(text.left(300)));
        if (!picture.isEmpty())
            QCOMPARE(viewer.page()->loadResource(QTextDocument::ImageResource, QUrl(picture)).toByteArray().isEmpty(), picture != "pic.png");
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
