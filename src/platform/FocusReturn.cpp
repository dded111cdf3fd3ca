// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FocusReturn.h"

#include <QApplication>

namespace vorlix {

FocusReturn::FocusReturn(QWidget* parent)
    : window_(parent ? parent->window() : QApplication::activeWindow()),
      focus_(window_ ? window_->focusWidget() : nullptr)
{
}

FocusReturn::~FocusReturn()
{
    if (!window_ || !window_->isVisible())
        return;
    if (focus_ && focus_->window() == window_ && focus_->isVisibleTo(window_) && focus_->isEnabled())
        focus_->setFocus(Qt::ActiveWindowFocusReason);
    window_->activateWindow();
    // The window manager may have given the window the focus already, while
    // Qt still counted the dialog in: it then tells Qt nothing more, and
    // the keys would reach no control. Nothing else of ours is active now.
    if (!QApplication::activeWindow())
        QApplication::setActiveWindow(window_);
}

} // namespace vorlix
