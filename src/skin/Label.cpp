#include "skin/Label.h"

#include <QPainter>

namespace vorlix {

Label::Label(QWidget* parent) : QWidget(parent)
{
    // A press on a caption goes to the caption, not to the skin beneath it.
    setAttribute(Qt::WA_NoMousePropagation);
    setAttribute(Qt::WA_NoSystemBackground);
}

void Label::setCaption(const QString& caption)
{
    if (caption == caption_)
        return;
    caption_ = caption;
    update();
}

void Label::setAlignment(Qt::Alignment alignment)
{
    alignment_ = alignment;
    update();
}

void Label::setTextColor(const QColor& color)
{
    color_ = color;
    update();
}

void Label::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(color_);
    const QFontMetrics metrics(font());
    const int textWidth = metrics.horizontalAdvance(caption_);
    int x = 0;
    if (alignment_ & Qt::AlignRight)
        x = width() - textWidth;
    else if (alignment_ & Qt::AlignHCenter)
        x = (width() - textWidth) / 2;
    const int y = (height() - metrics.height()) / 2 + metrics.ascent();
    painter.drawText(x, y, caption_);
}

} // namespace vorlix
