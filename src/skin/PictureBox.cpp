// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace vorlix {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureBox::setPicture(QImage picture)
{
    // Kept in the form the painter blends without converting it on every
    // paint; converted in place when nobody else holds the picture. A
    // picture's fully transparent pixels all become one colour, so its
    // outline stays the same.
    picture_ = std::move(picture);
    if (picture_.format() == QImage::Format_ARGB32)
        picture_.convertTo(QImage::Format_ARGB32_Premultiplied);
    if (autoSize_)
        resize(picture_.size());
    update();
}

void PictureBox::setAutoSize(bool on)
{
    autoSize_ = on;
    if (autoSize_ && !picture_.isNull())
        resize(picture_.size());
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    emit MouseDown(event->button());
}

} // namespace vorlix
