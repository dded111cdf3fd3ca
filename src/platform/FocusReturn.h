// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

namespace vorlix {

// While a modal dialog is up: when it closes, the window it came from is
// made the active window again, with the keyboard focus on the control that
// had it. Window managers do not always do so themselves, for a frameless
// utility window least of all, and the keyboard would then reach no window.
class FocusReturn {
public:
    explicit FocusReturn(QWidget* parent);
    ~FocusReturn();
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;

private:
    QPointer<QWidget> window_;
    QPointer<QWidget> focus_;
};

} // namespace vorlix
