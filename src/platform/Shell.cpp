// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QUrl>

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace vorlix {

bool DesktopShell::startProgram(const QString& program)
{
    // Detached: the program is nobody's child here, so it outlives the player
    // and leaves no zombie behind; nothing waits for it.
    return QProcess::startDetached(program, {});
}

void DesktopShell::openUrl(const QString& address, QObject* context, std::function<void(bool opened)> told)
{
    const QByteArray url = QUrl(address).toEncoded();
    char program[] = "xdg-open";
    char* argv[] = {program, const_cast<char*>(url.constData()), nullptr};
    pid_t pid = 0;
    if (::posix_spawnp(&pid, program, nullptr, nullptr, argv, environ) != 0) {
        // No opener of the desktop's: Qt's own way, if the platform has one.
        told(QDesktopServices::openUrl(QUrl(address)));
        return;
    }
    QPointer<QObject> guard(context);
    std::thread([pid, guard, told = std::move(told)]() mutable {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        const bool opened = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (QCoreApplication* app = QCoreApplication::instance())
            QMetaObject::invokeMethod(app, [guard, told = std::move(told), opened] {
                if (guard)
                    told(opened);
            }, Qt::QueuedConnection);
    }).detach();
}

} // namespace vorlix
