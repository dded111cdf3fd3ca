// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/Label.h"

#include "skin/SkinAccessible.h"

#include <QAccessible>
#include <QPainter>

namespace vorlix {

namespace {

// The ink every line makes room for: accents over capitals and descenders.
// Characters from other fonts (CJK names) are measured only when a caption
// has them, so that their fonts load only when they are shown.
const QString kTallGlyphs = QStringLiteral("\u00c4\u00c5\u00c9\u00c7gjpqy");

} // namespace

QString spokenCaption(const QString& caption)
{
    qsizetype end = caption.size();
    while (end > 0 && caption[end - 1].isSpace())
        --end;
    return caption.left(end);
}

Label::Label(QWidget* parent) : QWidget(parent)
{
    // Before anything here could make Qt build the accessible object.
    installSkinAccessibility();
    // A press on a caption goes to the caption, not to the skin beneath it.
    setAttribute(Qt::WA_NoMousePropagation);
    setAttribute(Qt::WA_NoSystemBackground);
}

void Label::setCaption(const QString& caption)
{
    if (caption == caption_)
        return;
    const bool spokenChanged = spokenCaption(caption) != spokenCaption(caption_);
    caption_ = caption;
    update();
    // Before its window was ever shown nobody can have heard the caption, and
    // asking Qt whether anybody listens would connect it to the
    // accessibility bus before the window maps.
    if (spokenChanged && window()->testAttribute(Qt::WA_WState_Created)) {
        // As QLabel does: Qt passes it on only while an assistive technology
        // listens.
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
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

void Label::fitFontToHeight()
{
    fitPending_ = true;
    if (isVisible())
        showEvent(nullptr);
}

void Label::showEvent(QShowEvent*)
{
    if (!fitPending_)
        return;
    fitPending_ = false;
    QFont fitted = font();
    while (fitted.pixelSize() > 6 && QFontMetrics(fitted).tightBoundingRect(kTallGlyphs).height() > height())
        fitted.setPixelSize(fitted.pixelSize() - 1);
    setFont(fitted);
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
    // The line is placed by its ink, not by the font's ascent, which leaves
    // too little room for the accents over capitals in a label this low.
    const QRect ink = metrics.tightBoundingRect(kTallGlyphs).united(metrics.tightBoundingRect(caption_));
    const int y = (height() - ink.height()) / 2 - ink.top();
    painter.drawText(x, y, caption_);
}

} // namespace vorlix
