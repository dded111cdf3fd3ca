// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>

#include <functional>

class QWidget;

namespace vorlix {

// Moves a frameless window by its skin. A drag handle's press handler calls
// moveUntilRelease(); from then on the window follows the mouse until the
// button is released, and only then `released` runs. The program tracks the
// mouse itself, so it works with and without a window manager.
class WindowMover : public QObject {
    Q_OBJECT
public:
    explicit WindowMover(QWidget& window);

    // Watches a control whose press may start a move of the window.
    void addHandle(QWidget& handle);

    // To be called from a handle's press handler: moves the window with the
    // mouse from that press until the button is released.
    void moveUntilRelease(std::function<void()> released);

    bool moving() const { return moving_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void finish();

    QWidget& window_;
    QPoint pressGlobal_;
    QPoint windowAtPress_;
    bool moving_ = false;
    std::function<void()> released_;
};

} // namespace vorlix
