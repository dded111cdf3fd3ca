// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/FocusRingStyle.h"

#include <QEvent>
#include <QPainter>
#include <QStyleOption>
#include <QWidget>

namespace vorlix {

FocusRingStyle::FocusRingStyle(QWidget* owner, std::initializer_list<QWidget*> controls)
{
    setParent(owner);
    for (QWidget* control : controls) {
        control->setStyle(this);
        control->installEventFilter(this);
    }
}

bool FocusRingStyle::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress)
        static_cast<QWidget*>(watched)->window()->setAttribute(Qt::WA_KeyboardFocusChange, false);
    return QProxyStyle::eventFilter(watched, event);
}

void FocusRingStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                   const QWidget* widget) const
{
    if (element != PE_FrameFocusRect) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    if (!(option->state & State_KeyboardFocusChange))
        return;
    const QRect ring = option->rect.adjusted(0, 0, -1, -1);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QColor(0x10, 0x10, 0x10));
    painter->drawRect(ring);
    painter->setPen(QColor(0xff, 0xd4, 0x00));
    painter->drawRect(ring.adjusted(1, 1, -1, -1));
    painter->restore();
}

void FocusRingStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element != CE_PushButton || !(option->state & State_HasFocus))
        return;
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(*option);
    focus.rect = subElementRect(SE_PushButtonFocusRect, option, widget);
    drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
}

} // namespace vorlix
