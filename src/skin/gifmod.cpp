// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/gifmod.h"

#include "skin/PictureBox.h"

#include <QList>
#include <QRect>

#include <array>

namespace vorlix {

namespace {

// Appends the runs of one row (maximal stretches of pixels that are not
// the transparent colour) as [start, end) pairs.
template <class IsKey> void rowRuns(int width, IsKey isKey, QList<int>& runs)
{
    runs.clear();
    int x = 0;
    while (x < width) {
        while (x < width && isKey(x))
            ++x;
        if (x == width)
            break;
        const int start = x;
        while (x < width && !isKey(x))
            ++x;
        runs.append(start);
        runs.append(x);
    }
}

} // namespace

QRegion MakeWindowRegion(const QImage& picture)
{
    if (picture.isNull() || picture.width() == 0 || picture.height() == 0)
        return {};

    // Palette pictures are read by palette entry, and premultiplied pixels
    // compare equal exactly when the colours they stand for do: those forms
    // are read as they are, any other is converted.
    const QImage::Format format = picture.format();
    const bool palette = format == QImage::Format_Indexed8;
    const bool direct = palette || format == QImage::Format_ARGB32
                        || format == QImage::Format_ARGB32_Premultiplied;
    const QImage image = direct ? picture : picture.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width();
    const int height = image.height();
    // The transparent colour is that of the top-left pixel; for a palette
    // picture, every entry of that colour is transparent.
    const QRgb transparent = palette ? 0 : reinterpret_cast<const QRgb*>(image.constScanLine(0))[0];
    std::array<bool, 256> keyEntry{};
    if (palette)
        for (int i = 0; i < image.colorCount(); ++i)
            keyEntry[i] = image.color(i) == image.pixel(0, 0);
    auto runsOf = [&](int y, QList<int>& runs) {
        if (palette) {
            const uchar* row = image.constScanLine(y);
            rowRuns(width, [&](int x) { return keyEntry[row[x]]; }, runs);
        } else {
            const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            rowRuns(width, [&](int x) { return row[x] == transparent; }, runs);
        }
    };

    // Rows with the same runs as the row above extend that band downwards, so
    // the region holds one rectangle per run and band instead of per row.
    QList<QRect> rects;
    QList<int> bandRuns;
    QList<int> runs;
    int bandTop = 0;
    auto closeBand = [&](int bottom) {
        for (qsizetype i = 0; i < bandRuns.size(); i += 2)
            rects.append(QRect(QPoint(bandRuns[i], bandTop),
                               QPoint(bandRuns[i + 1] - 1, bottom - 1)));
    };
    for (int y = 0; y < height; ++y) {
        runsOf(y, runs);
        if (y > 0 && runs == bandRuns)
            continue;
        closeBand(y);
        bandRuns.swap(runs);
        bandTop = y;
    }
    closeBand(height);

    QRegion region;
    if (!rects.isEmpty())
        region.setRects(rects.constData(), static_cast<int>(rects.size()));
    return region;
}

QRegion MakeWindowRegion(const PictureBox& box)
{
    return MakeWindowRegion(box.picture());
}

} // namespace vorlix
