#include "skin/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace vorlix {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureBox::setPicture(const QImage& picture)
{
    // Kept in the form the painter copies straight onto the window; any
    // other form is converted on every paint. A picture's fully transparent
    // pixels all become one colour, so its outline stays the same.
    picture_ = picture.format() == QImage::Format_ARGB32
                   ? picture.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                   : picture;
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
