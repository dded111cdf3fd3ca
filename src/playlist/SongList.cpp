// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/SongList.h"

#include "player/Display.h"
#include "playlist/SongListAccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>

namespace vorlix {

namespace {

// A row shows at most this many characters of an entry, the tip a few more;
// Qt lays out every character it is given, on every repaint.
constexpr qsizetype kShownChars = 160;
constexpr qsizetype kTipChars = 200;
// Enough bytes for that many characters in any encoding we show.
constexpr qsizetype kShownBytes = 4 * kTipChars;
const QChar kEllipsis(0x2026);

bool isUtf8Continuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xc0) == 0x80;
}

// The last bytes of the path, from the start of a character on.
QString tailOf(const QByteArray& path, qsizetype chars)
{
    qsizetype from = std::max<qsizetype>(0, path.size() - kShownBytes);
    for (int i = 0; i < 3 && from > 0 && from < path.size() && isUtf8Continuation(path[from]); ++i)
        ++from;
    QString text = displayPath(path.mid(from));
    if (text.size() <= chars && from == 0)
        return text;
    text = text.right(chars);
    if (!text.isEmpty() && text.front().isLowSurrogate())
        text.remove(0, 1);
    return kEllipsis + text;
}

// The first bytes of the path, up to the end of a character.
QString headOf(const QByteArray& path, qsizetype chars)
{
    qsizetype to = std::min(path.size(), kShownBytes);
    qsizetype lead = to;
    while (lead > 0 && to - lead < 4 && isUtf8Continuation(path[lead - 1]))
        --lead;
    if (lead > 0 && to < path.size()) {
        const auto c = static_cast<unsigned char>(path[lead - 1]);
        const qsizetype need = c >= 0xf0 ? 4 : c >= 0xe0 ? 3 : c >= 0xc0 ? 2 : 1;
        if (to - (lead - 1) < need)
            to = lead - 1;
    }
    QString text = displayPath(path.left(to)).left(chars);
    if (!text.isEmpty() && text.back().isHighSurrogate())
        text.chop(1);
    return text;
}

// A long path as a tip: its beginning and its end.
QString tipOf(const QByteArray& path)
{
    const QString whole = tailOf(path, kTipChars);
    if (!whole.startsWith(kEllipsis))
        return whole;
    return headOf(path, kTipChars / 4) + tailOf(path, kTipChars - kTipChars / 4);
}

constexpr int kRowTextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;

// The row's text cut at the left to the room it has. Qt elides by the widths
// the characters have in the whole text, where spaces, digits and dashes
// after a character from a fallback font (Chinese, Japanese, Korean) are
// measured in that font; after the ellipsis they are set in the list's font,
// often wider, and the end of the name would be cut off: then it is elided
// to less.
QString elidedToFit(const QFontMetrics& metrics, const QString& text, int room)
{
    QString shown = metrics.elidedText(text, Qt::ElideLeft, room);
    for (int less = room; less > 0;) {
        const int over = metrics.boundingRect(0, 0, room, 1, kRowTextFlags, shown).width() - room;
        if (over <= 0)
            break;
        less -= over;
        shown = metrics.elidedText(text, Qt::ElideLeft, less);
    }
    return shown;
}

} // namespace

QString songListText(const QByteArray& entry)
{
    return tailOf(entry, kShownChars);
}

QString songListTip(const QByteArray& entry)
{
    return tipOf(entry);
}

SongList::SongList(QWidget* parent) : QWidget(parent)
{
    // Before anything here could make Qt build the accessible object.
    installSongListAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

int SongList::ListCount() const
{
    return static_cast<int>(entries_.size());
}

int SongList::ListIndex() const
{
    return index_;
}

void SongList::setListIndex(int index)
{
    select(index >= 0 && index < ListCount() ? index : -1);
}

QByteArray SongList::Text() const
{
    return index_ < 0 ? QByteArray() : entries_[index_];
}

void SongList::AddItem(const QByteArray& entry)
{
    entries_.append(entry);
    rowsChanged();
}

void SongList::RemoveItem(int index)
{
    if (index < 0 || index >= ListCount())
        return;
    entries_.removeAt(index);
    ++rowsMoved_;
    // Nothing is selected after a removal.
    select(-1);
    rowsChanged();
}

void SongList::setEntries(QList<QByteArray> entries)
{
    entries_ = std::move(entries);
    ++rowsMoved_;
    select(-1);
    top_ = 0;
    rowsChanged();
}

int SongList::rowAt(QPoint point) const
{
    if (point.x() < 0 || point.x() >= textWidth() || point.y() < 0 || point.y() >= height())
        return -1;
    const int row = top_ + point.y() / rowHeight();
    return row < ListCount() ? row : -1;
}

QRect SongList::rowRect(int row) const
{
    if (row < top_ || row >= top_ + rowsInView() || row >= ListCount())
        return {};
    return QRect(0, (row - top_) * rowHeight(), textWidth(), rowHeight());
}

int SongList::rowHeight() const
{
    return std::max(1, fontMetrics().height());
}

int SongList::rowsInView() const
{
    return std::max(1, height() / rowHeight());
}

// The rows' width: all of the box but the scroll bar.
int SongList::textWidth() const
{
    return bar_ && !bar_->isHidden() ? width() - bar_->width() : width();
}

void SongList::select(int index)
{
    if (index != index_) {
        index_ = index;
        update();
        if (index >= 0 && QAccessible::isActive()) {
            QAccessibleEvent selection(this, QAccessible::Selection);
            selection.setChild(index);
            QAccessible::updateAccessibility(&selection);
            if (hasFocus()) {
                QAccessibleEvent focus(this, QAccessible::Focus);
                focus.setChild(index);
                QAccessible::updateAccessibility(&focus);
            }
        }
    }
    if (index >= 0)
        scrollTo(index);
}

void SongList::scrollTo(int row)
{
    if (row < top_)
        setTopRow(row);
    else if (row >= top_ + rowsInView())
        setTopRow(row - rowsInView() + 1);
}

void SongList::setTopRow(int row)
{
    row = std::clamp(row, 0, std::max(0, ListCount() - rowsInView()));
    if (bar_)
        bar_->setValue(row);
    if (row == top_)
        return;
    top_ = row;
    update();
}

// After rows came or went, or the box or its font changed: the scroll bar as
// the rows now need it, and the first row in view still in range.
void SongList::rowsChanged()
{
    const int last = std::max(0, ListCount() - rowsInView());
    if (last > 0 && !bar_) {
        bar_ = new QScrollBar(Qt::Vertical, this);
        bar_->setFocusPolicy(Qt::NoFocus);
        connect(bar_, &QScrollBar::valueChanged, this, &SongList::setTopRow);
    }
    if (bar_) {
        const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, bar_);
        bar_->setGeometry(width() - extent, 0, extent, height());
        bar_->setRange(0, last);
        bar_->setPageStep(rowsInView());
        bar_->setVisible(last > 0);
    }
    top_ = std::min(top_, last);
    update();
}

bool SongList::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const int row = rowAt(help->pos());
    if (row < 0) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    const QRect rowRect(0, (row - top_) * rowHeight(), textWidth(), rowHeight());
    QToolTip::showText(help->globalPos(), songListTip(entries_[row]), this, rowRect);
    return true;
}

void SongList::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& colours = palette();
    const int width = textWidth();
    const int height = rowHeight();
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    painter.fillRect(0, 0, width, this->height(), colours.color(QPalette::Base));
    const int last = std::min(ListCount(), top_ + rowsInView() + 1);
    for (int row = top_; row < last; ++row) {
        const QRect rect(0, (row - top_) * height, width, height);
        const bool selected = row == index_;
        if (selected)
            painter.fillRect(rect, colours.color(QPalette::Highlight));
        painter.setPen(colours.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const QRect textRect = rect.adjusted(margin, 0, -margin, 0);
        // drawText clips to the rectangle: nothing of a row is painted past it.
        painter.drawText(textRect, kRowTextFlags, elidedToFit(fontMetrics(), songListText(entries_[row]), textRect.width()));
        if (selected && hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = rect;
            focus.backgroundColor = colours.color(QPalette::Highlight);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
        }
    }
}

void SongList::mousePressEvent(QMouseEvent* event)
{
    const int row = rowAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && row >= 0)
        select(row);
}

void SongList::keyPressEvent(QKeyEvent* event)
{
    const int count = ListCount();
    const int page = rowsInView();
    int to;
    switch (event->key()) {
    case Qt::Key_Up: to = index_ - 1; break;
    case Qt::Key_Down: to = index_ + 1; break;
    case Qt::Key_PageUp: to = index_ - page; break;
    case Qt::Key_PageDown: to = index_ + page; break;
    case Qt::Key_Home: to = 0; break;
    case Qt::Key_End: to = count - 1; break;
    case Qt::Key_Delete: emit DeleteKey(); return;
    default: QWidget::keyPressEvent(event); return;
    }
    if (count > 0)
        select(std::clamp(to, 0, count - 1));
}

void SongList::wheelEvent(QWheelEvent* event)
{
    // Touchpads send a notch in parts; whole notches turn into rows.
    wheel_ += event->angleDelta().y();
    const int notches = wheel_ / QWheelEvent::DefaultDeltasPerStep;
    wheel_ %= QWheelEvent::DefaultDeltasPerStep;
    const int before = top_;
    setTopRow(top_ - notches * QApplication::wheelScrollLines());
    event->setAccepted(top_ != before || notches == 0);
}

void SongList::resizeEvent(QResizeEvent*)
{
    rowsChanged();
}

void SongList::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        rowsChanged();
    QWidget::changeEvent(event);
}

} // namespace vorlix
