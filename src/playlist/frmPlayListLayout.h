// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "skin/Twips.h"

#include <QColor>

// Design-time rectangles of the playlist window's controls, in twips relative
// to the picture box pic1. The panel art is drawn from the same rectangles.
namespace vorlix::frmPlayListLayout {

inline constexpr QSize kOutlineSize{285, 117};
inline constexpr QSize kPanelSize{266, 101};
inline constexpr QSize kDesignClientSize{642, 308};

inline constexpr TwipsRect pic1{0, 0, 6015, 2175};
inline constexpr TwipsRect List1{960, 340, 2775, 960};
inline constexpr TwipsRect Image_MinPlayList{3780, 220, 255, 255};
inline constexpr TwipsRect Command_Remove{240, 720, 615, 255};
inline constexpr TwipsRect Command_Addlist{240, 360, 615, 255};
inline constexpr TwipsRect Image1{115, 130, 3990, 1515};

// The list box's tint, RGB 131, 146, 154.
inline constexpr QRgb kListBackColor = 0xff83929a;

} // namespace vorlix::frmPlayListLayout

namespace vorlix::frmPlayListLayout {

// The playlist window's top-left corner lies 150 twips right of and 1115
// twips below the player window's.
inline constexpr QPoint kOffsetFromPlayer{twipsToPixels(150), twipsToPixels(1115)};

} // namespace vorlix::frmPlayListLayout
