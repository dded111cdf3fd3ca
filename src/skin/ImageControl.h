// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "skin/Picture.h"

#include <QImage>
#include <QWidget>

namespace vorlix {

// An image laid on a skin: either a hotspot without a picture, which only
// catches the mouse over a button painted on the skin, or a picture of its
// own. A disabled or hidden image takes no clicks; a press on a disabled one
// falls through to the control beneath it.
//
// An image with a handler behind it is made a button with setButton(): a
// screen reader sees a push button of that name with a press action, and
// Tab reaches it while it takes clicks. Space or Enter, or the press action,
// runs what its click (or double-click) runs. A mouse press never gives it
// the focus; the focus ring shows only while the focus came from the keyboard.
class ImageControl : public QWidget {
    Q_OBJECT
public:
    explicit ImageControl(QWidget* parent = nullptr);

    void setPicture(QImage picture);
    // A picture file drawn for the screen's ratio, read when first shown.
    void setPictureFile(const QString& fileName);

    enum class Press { Click, DblClick };
    void setButton(const QString& name, Press press = Press::Click);
    bool isButton() const { return button_; }
    const QString& buttonName() const { return name_; }
    // Whether a click would be taken now: a button shown on the skin that
    // shows, enabled, and no modal dialog holding the program.
    bool takesPress() const;
    // A press from the keyboard or a screen reader: the click's (or the
    // double-click's) handler runs if a click would be taken. False if refused.
    bool press();
    // While it has the focus from the keyboard and the mouse has not been
    // used in the window since.
    bool showsFocusRing() const;

signals:
    void MouseDown(Qt::MouseButton button);
    void Click();
    void DblClick();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void paintFocusRing(QPainter& painter);

    QImage picture_;
    PictureFile file_;
    bool pressed_ = false;
    bool button_ = false;
    QString name_;
    Press press_ = Press::Click;
    bool ring_ = false;
};

} // namespace vorlix
