// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/ImageControl.h"

#include <QMouseEvent>
#include <QPainter>

namespace vorlix {

ImageControl::ImageControl(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void ImageControl::setPicture(QImage picture)
{
    // Kept as read: the skin's palette pictures stay at a byte a pixel.
    picture_ = std::move(picture);
    update();
}

void ImageControl::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
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

} // namespace vorlix
