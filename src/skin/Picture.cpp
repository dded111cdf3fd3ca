// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/Picture.h"

#include <QFile>
#include <QtEndian>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <cmath>
#include <optional>

#ifdef VORLIX_HAVE_LIBPNG
#include <png.h>
#endif

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

// The program's own pictures are 8-bit PNGs with a palette or with RGB(A)
// pixels. libpng reads those straight into the image Qt's reader would make;
// Qt's reader first looks through every image plugin installed, which takes
// several times as long as the picture itself. Any other kind is left to Qt.
std::optional<QImage> readPlainPng(const QString& fileName)
{
#ifdef VORLIX_HAVE_LIBPNG
    if (!fileName.endsWith(QLatin1String(".png")))
        return std::nullopt;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    // The header comes first in every PNG: its depth and colour type.
    if (bytes.size() < 33 || bytes.mid(12, 4) != "IHDR" || bytes[24] != 8)
        return std::nullopt;
    const int colourType = bytes[25];
    if (colourType != PNG_COLOR_TYPE_PALETTE && colourType != PNG_COLOR_TYPE_RGB &&
        colourType != PNG_COLOR_TYPE_RGB_ALPHA)
        return std::nullopt;
    // Qt keeps a file's colour space with its image, where libpng would
    // convert the pixels by it: a file that names one is left to Qt.
    for (qsizetype at = 8; at + 8 <= bytes.size();) {
        const QByteArray type = bytes.mid(at + 4, 4);
        if (type == "IDAT")
            break;
        if (type == "gAMA" || type == "cHRM" || type == "sRGB" || type == "iCCP")
            return std::nullopt;
        at += 12 + qsizetype(qFromBigEndian<quint32>(bytes.constData() + at));
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, bytes.constData(), size_t(bytes.size())))
        return std::nullopt;
    const bool palette = colourType == PNG_COLOR_TYPE_PALETTE;
    // RGB with a transparent colour comes with an alpha channel, as from Qt.
    const QImage::Format format = palette                               ? QImage::Format_Indexed8
                                  : png.format & PNG_FORMAT_FLAG_ALPHA ? QImage::Format_ARGB32
                                                                       : QImage::Format_RGB32;
    // QRgb's bytes in memory.
    png.format = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
    if (palette)
        png.format |= PNG_FORMAT_FLAG_COLORMAP;
    QImage image(int(png.width), int(png.height), format);
    QList<QRgb> colours(palette ? 256 : 0);
    if (image.isNull() || !png_image_finish_read(&png, nullptr, image.bits(), image.bytesPerLine(),
                                                 palette ? colours.data() : nullptr)) {
        png_image_free(&png);
        return std::nullopt;
    }
    if (palette) {
        colours.resize(png.colormap_entries);
        image.setColorTable(colours);
    }
    return image;
#else
    Q_UNUSED(fileName);
    return std::nullopt;
#endif
}

} // namespace

QImage readPicture(const QString& fileName)
{
    if (std::optional<QImage> plain = readPlainPng(fileName))
        return *plain;
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
