// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QRegion;
class QWidget;

namespace vorlix {

// Cuts a created top-level window to `devicePixels`, a region in the window's
// own device pixels: finer than a widget mask, which is in pixels and which
// the system gets with each pixel blown up to the screen's ratio. True when
// the platform took it (X11 with the shape extension); elsewhere the window
// keeps the mask it has.
bool shapeInDevicePixels(QWidget& window, const QRegion& devicePixels);

} // namespace vorlix
