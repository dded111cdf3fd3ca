#include "app/Forms.h"
#include "app/Services.h"
#include "engine/Mp3Play.h"
#include "platform/CloseRequests.h"
#include "platform/FileDialog.h"
#include "platform/MsgBox.h"
#include "platform/LazyAudio.h"
#include "platform/TempFolder.h"
#include "player/frmMain.h"

#include <QApplication>
#include <QIcon>

namespace {

// The skinned windows place themselves, which a Wayland session only allows
// through XWayland.
void preferX11()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

} // namespace

int main(int argc, char* argv[])
{
    preferX11();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vorlix"));
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/vorlix.ico")));

    // The click sounds and the songs: loaded at the first sound.
    vorlix::LazyAudio sound(QCoreApplication::applicationDirPath() + QStringLiteral("/vorlix-audio.so"));
    vorlix::QtMsgBox msgBox;
    vorlix::QtFileDialog fileDialog;
    vorlix::Services services{
        sound,
        msgBox,
        fileDialog,
        [&sound] { return sound.makeMp3Play(); },
        QCoreApplication::applicationDirPath(),
        vorlix::userTempFolder().value_or(QString()),
    };

    vorlix::Forms forms(services);
    forms.setOnMainUnloaded([] { QCoreApplication::quit(); });
    vorlix::CloseRequests closeRequests([&forms] { forms.UnloadMain(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [&forms] { forms.UnloadMain(); });

    forms.Main().show();
    return QApplication::exec();
}
