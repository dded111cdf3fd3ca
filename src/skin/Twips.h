// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <cmath>

namespace vorlix {

// Window layouts are designed in twips, 15 to the pixel.
inline constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(double twips)
{
    // Halves round away from zero, as the layout's fractions never are halves.
    const double px = twips / kTwipsPerPixel;
    return static_cast<int>(px < 0 ? px - 0.5 : px + 0.5);
}

// A rectangle of the design, in twips relative to its container.
struct TwipsRect {
    int left;
    int top;
    int width;
    int height;

    constexpr QRect pixels() const
    {
        return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                     twipsToPixels(height));
    }
};

// Places a control at its design rectangle and hands it back.
template <class Control> Control* place(Control* control, const TwipsRect& rect)
{
    control->setGeometry(rect.pixels());
    return control;
}

} // namespace vorlix
