// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/Picture.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <cmath>

namespace vorlix {

namespace {

constexpr int kLargestDrawn = 3;

QString drawnFor(const QString& fileName, int scale)
{
    if (scale == 1)
        return fileName;
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return fileName.left(dot) + QStringLiteral("@%1x").arg(scale) + fileName.mid(dot);
}

// Pixels at least half covered become wholly inside, the rest wholly the
// transparent colour of the top-left pixel of the source.
void hardenEdge(QImage& image, QRgb transparent)
{
    image.convertTo(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            row[x] = qAlpha(row[x]) < 128 ? transparent : (row[x] | 0xff000000);
    }
}

} // namespace

QImage readPicture(const QString& fileName)
{
    QImageReader reader(fileName, QFileInfo(fileName).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

qreal pictureRatio(qreal ratio)
{
    const qreal whole = std::round(ratio);
    return std::abs(ratio - whole) < 0.01 ? std::max<qreal>(whole, 1) : ratio;
}

QImage readPicture(const QString& fileName, qreal ratio)
{
    ratio = pictureRatio(ratio);
    int scale = std::clamp(int(std::ceil(ratio)), 1, kLargestDrawn);
    while (scale > 1 && !QFile::exists(drawnFor(fileName, scale)))
        --scale;
    QImage image = readPicture(drawnFor(fileName, scale));
    if (image.isNull() || ratio >= scale) {
        image.setDevicePixelRatio(scale);
        return image;
    }
    // The pixels of the ratio, as Qt rounds a window's size.
    const QSize size = (QSizeF(image.size()) / scale * ratio).toSize();
    const bool shaped = image.hasAlphaChannel();
    const QRgb transparent = image.pixel(0, 0);
    image = image.convertToFormat(shaped ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32)
                .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (shaped)
        hardenEdge(image, transparent);
    image.setDevicePixelRatio(ratio);
    return image;
}

const QImage& PictureFile::at(qreal ratio)
{
    ratio = pictureRatio(ratio);
    if (!file_.isEmpty() && ratio != ratio_) {
        ratio_ = ratio;
        image_ = QImage(); // the old ratio's pixels go before the new ones come
        image_ = readPicture(file_, ratio);
        if (image_.format() == QImage::Format_ARGB32)
            image_.convertTo(QImage::Format_ARGB32_Premultiplied);
    }
    return image_;
}

} // namespace vorlix
