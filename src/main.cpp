// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Forms.h"
#include "app/Translations.h"
#include "app/Services.h"
#include "engine/Mp3Play.h"
#include "platform/CloseRequests.h"
#include "platform/FileDialog.h"
#include "platform/HelpViewer.h"
#include "desktop/Doors.h"
#include "desktop/Mpris.h"
#include "desktop/SessionBus.h"
#include "platform/MsgBox.h"
#include "engine/sound/LazyAudio.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/TempFolder.h"
#include "player/frmMain.h"
#include "skin/Picture.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QScopeGuard>
#include <QTimer>

#include <cstdio>

#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

namespace {

// The skinned windows place themselves, which a Wayland session only allows
// through XWayland.
void preferX11()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

// The windows are small and change a few pixels a second. Handing those to
// the X server through shared memory costs a round trip before each paint and
// an event after it, more than sending the pixels themselves.
void sendPixelsThroughTheSocket()
{
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}

// The program icon's 16 and 32 pixel pictures, and larger ones for task
// switchers; docks take the installed icon named by the desktop file. Read
// as pixmaps: an icon file name would have Qt try every image plugin on it,
// which loads them all.
void setProgramIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addPixmap(QPixmap::fromImage(vorlix::readPicture(QStringLiteral(":/icons/vorlix-%1.png").arg(size))));
    QApplication::setWindowIcon(icon);
}

} // namespace

int main(int argc, char* argv[])
{
    // Options, and a player already running, are dealt with before anything
    // is loaded or shown.
    const vorlix::CommandLine line = vorlix::parseCommandLine(argc, argv);
    if (const std::optional<int> code = vorlix::answerCommandLine(line))
        return *code;
    QString noRuntimeFolder;
    vorlix::PlayerLock lock(vorlix::PlayerLock::userRuntimeFolder(&noRuntimeFolder));
    if (!noRuntimeFolder.isEmpty())
        std::fputs(qPrintable(vorlix::commandLineText(
                       QT_TRANSLATE_NOOP("vorlix", "vorlix: not using XDG_RUNTIME_DIR (%1): playing alone\n"))
                                  .arg(noRuntimeFolder)),
                   stderr);
    const vorlix::PlayerLock::Role role = lock.take();
    if (const std::optional<int> code = vorlix::passToRunningPlayer(line, role, lock.socketPath()))
        return *code;

#ifdef M_ARENA_MAX
    // The threads allocate little and seldom: one heap for all of them
    // instead of one each.
    mallopt(M_ARENA_MAX, 1);
#endif
    preferX11();
    sendPixelsThroughTheSocket();
    // Whether the session bus answers is asked while Qt starts, so that the
    // answer is in by the time the first window is built.
    const std::shared_future<bool> busAnswers = vorlix::SessionBus::ask(qgetenv("DBUS_SESSION_BUS_ADDRESS"));
    vorlix::QtArguments qtArguments(line);
    QApplication app(qtArguments.argc, qtArguments.argv.data());
    // Qt's accessibility joins the session bus when the window's first
    // control shows, before the window maps; joining on a thread of its own
    // while the windows are built takes that wait off the start. A bus that
    // does not answer soon is not waited for at all.
    vorlix::SessionBus sessionBus(busAnswers);
    QApplication::setApplicationName(QStringLiteral("Vorlix"));
    QApplication::setQuitOnLastWindowClosed(false);
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.vorlix.vorlix"));
    // Qt's buttons and dialogs and Vorlix's own texts in the desktop's
    // language; English without it.
    const QString dataFolder = vorlix::dataFolderOf(QCoreApplication::applicationDirPath());
    vorlix::Translations qtTranslations;
    qtTranslations.load(QStringLiteral("qtbase"), vorlix::Translations::qtFolder());
    vorlix::Translations ownTranslations;
    ownTranslations.load(QStringLiteral("vorlix"), dataFolder + QStringLiteral("/translations"));

    // The click sounds and the songs: loaded at the first sound.
    vorlix::LazyAudio sound(QCoreApplication::applicationDirPath() + QStringLiteral("/vorlix-audio"));
    vorlix::QtMsgBox msgBox;
    vorlix::QtFileDialog fileDialog;
    vorlix::HelpWindowViewer helpViewer;
    vorlix::DesktopRegistry registry;
    vorlix::DesktopShell shell;
    vorlix::Services services{
        sound,
        msgBox,
        fileDialog,
        [&sound] { return sound.makeMp3Play(); },
        dataFolder,
        vorlix::userTempFolder().value_or(QString()),
        helpViewer,
        registry,
        shell,
    };

    vorlix::Forms forms(services);
    // A close whose list could not be saved ends with 1, for the session
    // manager or script that ended the program.
    forms.setOnMainUnloaded([&forms] { QCoreApplication::exit(forms.saveFailed() ? 1 : 0); });
    // The one way in for every request from outside to end the program:
    // signals, the session, the window manager, the desktop's media controls.
    const std::function<void()> closeBySystem = [&forms] { forms.SystemClose(); };
    vorlix::CloseRequests closeRequests(closeBySystem, [&forms] { forms.DisplayLost(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, closeBySystem);

    sessionBus.beforeWindows(500);
    forms.Main().show();
    sessionBus.afterWindows();
    closeRequests.watchWindow(forms.Main());
    // Media keys and sound menus; without a session bus there are none.
    // They join from a thread of their own when the bus answers, and the
    // icon comes once the loop runs, so the window maps first.
    vorlix::Mpris mpris(forms, closeBySystem);
    // Files from the command line, later starts and drops.
    vorlix::Doors doors(forms, mpris);
    QTimer::singleShot(0, &mpris, [&] {
        setProgramIcon();
        doors.start(line, role, lock.socketPath());
    });
    sessionBus.join([&mpris](QDBusConnection bus) { mpris.publish(bus); });
    const auto leaveBus = qScopeGuard([&sessionBus] { sessionBus.leave(); }); // before mpris goes
    return QApplication::exec();
}
