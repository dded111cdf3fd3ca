// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/ImageControl.h"

#include "skin/SkinAccessible.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

namespace vorlix {

namespace {

// Whether the keyboard or the mouse was used last in a window: the focus ring
// shows only while the keyboard is. The focus also moves "by Tab" when the
// focused button is hidden (the cap taken off), which is no keyboard's doing.
// Made for the window when one of its buttons first asks, and owned by it.
class InputWatch : public QObject {
public:
    static InputWatch& of(QWidget* window)
    {
        auto* watch = dynamic_cast<InputWatch*>(window->findChild<QObject*>(kName, Qt::FindDirectChildrenOnly));
        return watch ? *watch : *new InputWatch(window);
    }
    bool keyboard() const { return keyboard_; }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        const bool key = type == QEvent::KeyPress || type == QEvent::ShortcutOverride;
        const bool mouse = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
        auto* widget = qobject_cast<QWidget*>(watched);
        if ((key || mouse) && widget && widget->window() == parent() && keyboard_ != key) {
            keyboard_ = key;
            if (QWidget* focus = widget->window()->focusWidget())
                focus->update();
        }
        return false;
    }

private:
    static inline const QString kName = QStringLiteral("vorlixInputWatch");
    explicit InputWatch(QWidget* window) : QObject(window)
    {
        setObjectName(kName);
        qApp->installEventFilter(this);
    }
    bool keyboard_ = false;
};

} // namespace

ImageControl::ImageControl(QWidget* parent) : QWidget(parent)
{
    // Before anything here could make Qt build the accessible object.
    installSkinAccessibility();
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void ImageControl::setPicture(QImage picture)
{
    // Kept as read: the skin's palette pictures stay at a byte a pixel.
    picture_ = std::move(picture);
    file_.setFile(QString());
    update();
}

void ImageControl::setPictureFile(const QString& fileName)
{
    picture_ = QImage();
    file_.setFile(fileName);
    update();
}

void ImageControl::setButton(const QString& name, Press press)
{
    button_ = true;
    press_ = press;
    // Kept here rather than as the widget's accessible name, which would
    // make Qt build the accessible object at once.
    name_ = name;
    // Tab reaches it; a click does not move the focus to it.
    setFocusPolicy(Qt::TabFocus);
}

bool ImageControl::takesPress() const
{
    return button_ && isEnabled() && isVisibleTo(window()) && !QApplication::activeModalWidget();
}

bool ImageControl::press()
{
    if (!takesPress())
        return false;
    if (press_ == Press::DblClick)
        emit DblClick();
    else
        emit Click();
    return true;
}

void ImageControl::showEvent(QShowEvent* event)
{
    // Watching from before the first key, when a button of the window shows.
    if (button_)
        InputWatch::of(window());
    QWidget::showEvent(event);
}

void ImageControl::paintEvent(QPaintEvent*)
{
    const QImage& picture = file_.isEmpty() ? picture_ : file_.at(devicePixelRatioF());
    if (picture.isNull() && !showsFocusRing())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, picture);
    if (showsFocusRing())
        paintFocusRing(painter);
}

// Two rings, dark outside and light inside, so that one of them stands out
// on any part of either skin. They follow the part of the image that the
// window's outline lets show.
void ImageControl::paintFocusRing(QPainter& painter)
{
    QRegion shape(rect());
    if (const QRegion outline = window()->mask(); !outline.isEmpty())
        shape &= outline.translated(-mapTo(window(), QPoint(0, 0)));
    const auto shrink = [](const QRegion& r) {
        return r & r.translated(1, 0) & r.translated(-1, 0) & r.translated(0, 1) & r.translated(0, -1);
    };
    const QRegion inner = shrink(shape);
    const QRegion innermost = shrink(inner);
    const auto fill = [&](const QRegion& ring, const QColor& colour) {
        for (const QRect& r : ring)
            painter.fillRect(r, colour);
    };
    fill(shape - inner, QColor(0x10, 0x10, 0x10));
    fill(inner - innermost, QColor(0xff, 0xd4, 0x00));
}

void ImageControl::mousePressEvent(QMouseEvent* event)
{
    pressed_ = true;
    emit MouseDown(event->button());
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a press and a release on the image; the release that ends a
    // double-click is not another click.
    const bool click = pressed_ && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        emit Click();
}

void ImageControl::mouseDoubleClickEvent(QMouseEvent*)
{
    pressed_ = false;
    emit DblClick();
}

void ImageControl::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Held down, the key presses once.
        if (!event->isAutoRepeat())
            press();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void ImageControl::focusInEvent(QFocusEvent* event)
{
    // Coming back to the window keeps the ring as it was when the focus left.
    switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
        ring_ = InputWatch::of(window()).keyboard();
        break;
    case Qt::ActiveWindowFocusReason:
        break;
    default:
        ring_ = false;
    }
    update();
    QWidget::focusInEvent(event);
}

void ImageControl::changeEvent(QEvent* event)
{
    // Enabled or disabled before its window was ever shown, nobody can have
    // seen the change: it is not told, as telling it would connect Qt to the
    // accessibility bus before the window could map.
    if (event->type() == QEvent::EnabledChange && !window()->testAttribute(Qt::WA_WState_Created)) {
        update();
        return;
    }
    QWidget::changeEvent(event);
}

bool ImageControl::showsFocusRing() const
{
    return ring_ && hasFocus() && InputWatch::of(window()).keyboard();
}

void ImageControl::focusOutEvent(QFocusEvent* event)
{
    update();
    QWidget::focusOutEvent(event);
}

} // namespace vorlix
