// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "skin/Twips.h"

// Design-time rectangles of the player window's controls, in twips relative to
// their picture box. The skin artwork is drawn from the same rectangles, so every
// painted button lies under its hotspot.
namespace vorlix::frmMainLayout {

inline constexpr QSize kSkinSize{300, 82};
inline constexpr QSize kButtonSize{50, 30};
inline constexpr QSize kDesignClientSize{561, 372};

// First skin (pic1)
inline constexpr TwipsRect pic1{0, 0, 7665, 6135};
inline constexpr TwipsRect Mp3Play1{720, 1560, 735, 735};
inline constexpr TwipsRect Image_usb_off{3360, 120, 855, 975};
inline constexpr TwipsRect Image_PlayList{2593, 710, 345, 220};
inline constexpr TwipsRect Image_volume_decrease{2198, 0, 255, 135};
inline constexpr TwipsRect Image_volume_increase{2551, 0, 255, 135};
inline constexpr TwipsRect Image_pause{2520, 240, 750, 450};
inline constexpr TwipsRect Image_power{2969, 700, 255, 220};
inline constexpr TwipsRect Text_Title{675, 555, 1650, 180};
inline constexpr TwipsRect Image_button{2520, 240, 750, 450};

// Second skin (pic2)
inline constexpr TwipsRect pic2{0, 0, 8055, 2055};
inline constexpr TwipsRect Text_Title2{750, 555, 1575, 495};
inline constexpr TwipsRect Image2{2950, 720, 255, 255};
inline constexpr TwipsRect Image1{2520, 240, 750, 450};
inline constexpr TwipsRect Image_usb_on{3360, 360, 495, 495};

} // namespace vorlix::frmMainLayout
