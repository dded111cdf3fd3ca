#include "app/Forms.h"
#include "app/Services.h"
#include "engine/Mp3Engine.h"
#include "engine/SdlAudio.h"
#include "platform/CloseRequests.h"
#include "platform/FileDialog.h"
#include "platform/MsgBox.h"
#include "platform/SdlSoundPlayer.h"
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

    // The click sounds and the songs share one hold on the audio system.
    const std::shared_ptr<vorlix::SdlAudio> audio = vorlix::SdlAudio::create();
    vorlix::SdlSoundPlayer sound(audio);
    vorlix::QtMsgBox msgBox;
    vorlix::QtFileDialog fileDialog;
    vorlix::Services services{
        sound,
        msgBox,
        fileDialog,
        [audio] {
            vorlix::Mp3Engine::Options options;
            options.sdlAudio = audio;
            return std::make_unique<vorlix::Mp3Engine>(options);
        },
        QCoreApplication::applicationDirPath(),
        vorlix::userTempFolder().value_or(QString()),
    };

    vorlix::Forms forms(services);
    forms.setOnMainUnloaded([] { QCoreApplication::quit(); });
    // The one way in for every request from outside to end the program.
    const std::function<void()> closeBySystem = [&forms] { forms.SystemClose(); };
    vorlix::CloseRequests closeRequests(closeBySystem);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, closeBySystem);

    forms.Main().show();
    closeRequests.watchWindow(forms.Main());
    return QApplication::exec();
}
