// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/Skin.h"

#include "skin/PictureBox.h"
#include "skin/gifmod.h"

#include <QWidget>

namespace vorlix {

void ApplySkin(QWidget& window, PictureBox& box)
{
    // The box takes the size of its picture and draws it without a border.
    box.setAutoSize(true);

    if (!(window.windowFlags() & Qt::FramelessWindowHint))
        window.setWindowFlag(Qt::FramelessWindowHint, true);

    box.setPicture(box.picture());
    window.setFixedSize(box.size());

    const QRegion region = MakeWindowRegion(box);
    if (region.isEmpty())
        window.clearMask();
    else
        window.setMask(region);
}

} // namespace vorlix
