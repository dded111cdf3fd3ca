// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

namespace vorlix {

// The keyboard focus of the about windows' buttons and link, drawn as the
// player draws its own: a dark line and a light one inside it, a pixel each,
// so that one of them stands out on any background. It shows where the
// style would show its focus frame: while the focus came from the keyboard
// or the window opened with it, not after a mouse click.
class FocusRingStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Sets itself on each of the controls; it belongs to `owner`.
    FocusRingStyle(QWidget* owner, std::initializer_list<QWidget*> controls);

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    // Push buttons too, whose focus some styles show only by their frame.
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace vorlix
