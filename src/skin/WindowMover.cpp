// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/WindowMover.h"

#include <QMouseEvent>
#include <QWidget>

namespace vorlix {

WindowMover::WindowMover(QWidget& window) : QObject(&window), window_(window) {}

void WindowMover::addHandle(QWidget& handle)
{
    handle.installEventFilter(this);
}

void WindowMover::moveUntilRelease(std::function<void()> released)
{
    moving_ = true;
    released_ = std::move(released);
}

bool WindowMover::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        // Noted before the handle's own press handler runs, which may start a move.
        auto* mouse = static_cast<QMouseEvent*>(event);
        pressGlobal_ = mouse->globalPosition().toPoint();
        windowAtPress_ = window_.pos();
        break;
    }
    case QEvent::MouseMove:
        if (moving_) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            window_.move(windowAtPress_ + mouse->globalPosition().toPoint() - pressGlobal_);
        }
        break;
    case QEvent::MouseButtonRelease:
        if (moving_) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->buttons() == Qt::NoButton)
                finish();
        }
        break;
    case QEvent::UngrabMouse:
    case QEvent::Hide:
        // The handle lost the mouse (or vanished) without seeing the release:
        // end the move where it stands rather than leave it hanging.
        if (moving_)
            finish();
        break;
    default:
        break;
    }
    return false;
}

void WindowMover::finish()
{
    moving_ = false;
    auto released = std::move(released_);
    released_ = nullptr;
    if (released)
        released();
}

} // namespace vorlix
