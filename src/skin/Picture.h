// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

namespace vorlix {

// Reads one of the program's own pictures in the format its file name names.
// QImage's own loading asks every image plugin about a PNG before it falls
// back on the built-in reader, which loads all of them; this asks only the
// reader for that format. A null image when the picture cannot be read.
QImage readPicture(const QString& fileName);

} // namespace vorlix
