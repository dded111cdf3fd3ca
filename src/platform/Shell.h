// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace vorlix {

// Starting other programs and handing addresses to the desktop.
class Shell {
public:
    virtual ~Shell() = default;

    // Starts `program` without arguments and without waiting for it; it lives
    // on after the player ends. False when it could not be started.
    virtual bool startProgram(const QString& program) = 0;
    // Opens a web address in the user's browser; false when that failed.
    virtual bool openUrl(const QString& address) = 0;
};

class DesktopShell : public Shell {
public:
    bool startProgram(const QString& program) override;
    bool openUrl(const QString& address) override;
};

} // namespace vorlix
