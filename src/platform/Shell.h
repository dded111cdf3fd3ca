// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QObject;

namespace vorlix {

// Starting other programs and handing addresses to the desktop.
class Shell {
public:
    virtual ~Shell() = default;

    // Starts `program` without arguments and without waiting for it; it lives
    // on after the player ends. False when it could not be started.
    virtual bool startProgram(const QString& program) = 0;
    // Opens a web address in the user's browser. Returns at once; `opened`
    // runs later on the interface thread with whether that worked, unless
    // `context` is gone by then.
    virtual void openUrl(const QString& address, QObject* context, std::function<void(bool opened)> told) = 0;
};

class DesktopShell : public Shell {
public:
    bool startProgram(const QString& program) override;
    // Through the desktop's opener, xdg-open, whose exit status is awaited on
    // a thread of its own: it ends only once the browser has the address (or
    // once it has given up: no browser, exit 3), which may take long.
    void openUrl(const QString& address, QObject* context, std::function<void(bool opened)> told) override;
};

} // namespace vorlix
