// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace vorlix {

class PictureBox;

// Gives a frameless window the size and outline of the picture in `box`, a
// picture box placed at the window's top-left corner. Every window that wears
// a skin goes through this one routine, at load and at every change of skin.
void ApplySkin(QWidget& window, PictureBox& box);

} // namespace vorlix
