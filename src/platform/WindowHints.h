// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace vorlix {

// What a fixed-size window is to the window manager.
enum class FixedWindowKind {
    // A few buttons that belong to the player, beside it: a toolbar torn off
    // the player, which window managers give no minimise or maximise button.
    Palette,
    // A dialog: the about dialog, a message box.
    Dialog,
};

// Asks the window manager for a title bar with a close button only: the
// window can be moved and closed, not minimised, maximised or resized. On X11
// through the Motif hints and the window type, written over Qt's own, so
// after the window is made and before it is mapped; elsewhere Qt's window
// flags say all there is to say.
void askForCloseButtonOnly(QWidget& window, FixedWindowKind kind);

} // namespace vorlix
