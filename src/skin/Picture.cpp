// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/Picture.h"

#include <QFileInfo>
#include <QImageReader>

namespace vorlix {

QImage readPicture(const QString& fileName)
{
    QImageReader reader(fileName, QFileInfo(fileName).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace vorlix
