// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRegion>

namespace vorlix {

class PictureBox;

// The window region of a skin picture: every pixel whose colour equals the
// colour of the top-left pixel lies outside, every other pixel inside.
// Colours compare exactly, alpha included. An empty region means "no
// region": the picture has no pixels, or none of another colour.
QRegion MakeWindowRegion(const QImage& picture);
QRegion MakeWindowRegion(const PictureBox& box);

} // namespace vorlix
