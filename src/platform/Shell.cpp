// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Shell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace vorlix {

bool DesktopShell::startProgram(const QString& program)
{
    // Detached: the program is nobody's child here, so it outlives the player
    // and leaves no zombie behind; nothing waits for it.
    return QProcess::startDetached(program, {});
}

bool DesktopShell::openUrl(const QString& address)
{
    return QDesktopServices::openUrl(QUrl(address));
}

} // namespace vorlix
