// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/PictureBox.h"

#include "skin/Picture.h"

#include <QMouseEvent>
#include <QPainter>

namespace vorlix {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureBox::setPictureFile(const QString& fileName)
{
    file_.setFile(fileName);
    picture_ = QImage();
    update();
}

const QImage& PictureBox::picture() const
{
    if (!file_.isEmpty()) {
        const QImage& current = file_.at(devicePixelRatioF());
        if (current.cacheKey() != picture_.cacheKey())
            picture_ = current;
    }
    return picture_;
}

void PictureBox::setPicture(QImage picture)
{
    // The box's own picture assigned again stays the file's.
    if (picture.cacheKey() != picture_.cacheKey())
        file_.setFile(QString());
    // Kept in the form the painter blends without converting it on every
    // paint; converted in place when nobody else holds the picture. A
    // picture's fully transparent pixels all become one colour, so its
    // outline stays the same.
    picture_ = std::move(picture);
    if (picture_.format() == QImage::Format_ARGB32)
        picture_.convertTo(QImage::Format_ARGB32_Premultiplied);
    if (autoSize_)
        resize(picture_.deviceIndependentSize().toSize());
    update();
}

void PictureBox::setAutoSize(bool on)
{
    autoSize_ = on;
    if (autoSize_ && !picture().isNull())
        resize(picture_.deviceIndependentSize().toSize());
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, picture());
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    emit MouseDown(event->button());
}

} // namespace vorlix
