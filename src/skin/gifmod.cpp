#include "skin/gifmod.h"

#include "skin/PictureBox.h"

#include <QList>
#include <QRect>

namespace vorlix {

namespace {

// Appends the runs of one row (maximal stretches of pixels that differ from
// the transparent colour) as [start, end) pairs.
void rowRuns(const QRgb* row, int width, QRgb transparent, QList<int>& runs)
{
    runs.clear();
    int x = 0;
    while (x < width) {
        while (x < width && row[x] == transparent)
            ++x;
        if (x == width)
            break;
        const int start = x;
        while (x < width && row[x] != transparent)
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

    const QImage image = picture.format() == QImage::Format_ARGB32
                             ? picture
                             : picture.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width();
    const int height = image.height();
    const QRgb transparent = reinterpret_cast<const QRgb*>(image.constScanLine(0))[0];

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
        rowRuns(reinterpret_cast<const QRgb*>(image.constScanLine(y)), width, transparent, runs);
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
