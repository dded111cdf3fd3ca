// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace vorlix {

// A fixed dialog: thin frame, title bar with caption and close button only,
// and no taskbar button (a utility window, as the player window is).
inline constexpr Qt::WindowFlags kFixedDialogFlags = Qt::Tool | Qt::MSWindowsFixedSizeDialogHint |
                                                     Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                     Qt::WindowCloseButtonHint;

// Base of the program's four windows: the owner runs Form_Load once the
// window is built, and Form_QueryUnload then Form_Unload when it is unloaded.
class Form : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    virtual void Form_Load() {}
    virtual void Form_QueryUnload() {}
    virtual void Form_Unload() {}
};

} // namespace vorlix
