// SPDX-License-Identifier: GPL-3.0-or-later
#include "Art.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

namespace artgen {

void Mask::addRoundRect(const QRect &r, double rx, double ry, bool on)
{
    // Work with pixel centres and the rectangle's outer borders, in 1x pixels.
    const double l = r.left(), t = r.top(), rt = r.right() + 1.0, b = r.bottom() + 1.0;
    const int s = scale_;
    for (int y = r.top() * s; y < (r.bottom() + 1) * s; ++y) {
        for (int x = r.left() * s; x < (r.right() + 1) * s; ++x) {
            const double cx = (x + 0.5) / s, cy = (y + 0.5) / s;
            double ox = 0, oy = 0;
            if (cx < l + rx)
                ox = (l + rx) - cx;
            else if (cx > rt - rx)
                ox = cx - (rt - rx);
            if (cy < t + ry)
                oy = (t + ry) - cy;
            else if (cy > b - ry)
                oy = cy - (b - ry);
            const bool inside = (ox == 0 || oy == 0)
                                    ? true
                                    : (ox * ox) / (rx * rx) + (oy * oy) / (ry * ry) <= 1.0;
            if (inside)
                set(x, y, on);
        }
    }
}

void Mask::addEllipse(const QRect &r, bool on)
{
    addRoundRect(r, (r.width()) / 2.0, (r.height()) / 2.0, on);
}

void Mask::keepNear(const Mask &one)
{
    const int s = scale_;
    const auto in1 = [&](int x, int y) { return x >= 0 && y >= 0 && one.in(x / s, y / s); };
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            const bool on = in(x, y);
            if (on == in1(x, y))
                continue;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx)
                    near = in1(x + dx, y + dy) == on;
            if (!near)
                set(x, y, !on);
        }
}

bool Mask::isEdge(int x, int y) const
{
    if (!in(x, y))
        return false;
    for (int dy = -scale_; dy <= scale_; ++dy)
        for (int dx = -scale_; dx <= scale_; ++dx)
            if (!in(x + dx, y + dy))
                return true;
    return false;
}

QRect Mask::bounds() const
{
    int l = w_, t = h_, r = -1, b = -1;
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x)
            if (in(x, y)) {
                l = std::min(l, x);
                r = std::max(r, x);
                t = std::min(t, y);
                b = std::max(b, y);
            }
    return r < 0 ? QRect() : QRect(QPoint(l, t), QPoint(r, b));
}

QString scaledName(const QString &name, int scale)
{
    if (scale == 1)
        return name;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return name.left(dot) + QStringLiteral("@%1x").arg(scale) + name.mid(dot);
}

QImage canvas(QSize size, QColor c)
{
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(c);
    return img;
}

static int clampInside(int v)
{
    return std::clamp(v, 0, kMaxInside);
}

QImage cutOut(const QImage &art, const Mask &mask, QColor key, double outlineFactor, int bevel)
{
    const QImage src = art.convertToFormat(QImage::Format_ARGB32);
    QImage out(src.size(), QImage::Format_ARGB32);
    const QRgb outside = qRgba(key.red(), key.green(), key.blue(), 0);
    for (int y = 0; y < src.height(); ++y) {
        for (int x = 0; x < src.width(); ++x) {
            if (!mask.in(x, y)) {
                out.setPixel(x, y, outside);
                continue;
            }
            const QRgb c = src.pixel(x, y);
            int r = qRed(c), g = qGreen(c), b = qBlue(c);
            if (mask.isEdge(x, y)) {
                r = int(r * outlineFactor);
                g = int(g * outlineFactor);
                b = int(b * outlineFactor);
            } else {
                // Second ring: which way does the nearby outside lie?
                const int ring = 2 * mask.scale();
                int sx = 0, sy = 0;
                for (int dy = -ring; dy <= ring; ++dy)
                    for (int dx = -ring; dx <= ring; ++dx)
                        if (!mask.in(x + dx, y + dy)) {
                            sx += dx;
                            sy += dy;
                        }
                const int s = -(sx + 2 * sy); // light comes from above, a little from the left
                if (s > 0) {
                    r += bevel;
                    g += bevel;
                    b += bevel;
                } else if (s < 0) {
                    r -= bevel;
                    g -= bevel;
                    b -= bevel;
                }
            }
            out.setPixel(x, y, qRgba(clampInside(r), clampInside(g), clampInside(b), 255));
        }
    }
    reducePalette(out, 255);
    return out;
}

void reducePalette(QImage &img, int maxColours)
{
    // Histogram of the opaque colours.
    std::map<QRgb, int> counts;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) == 255)
                ++counts[img.pixel(x, y)];
    if (int(counts.size()) <= maxColours)
        return;
    struct Entry {
        QRgb colour;
        int count;
    };
    std::vector<Entry> colours;
    for (const auto &[c, n] : counts)
        colours.push_back({c, n});
    std::sort(colours.begin(), colours.end(),
              [](const Entry &a, const Entry &b) { return qGray(a.colour) < qGray(b.colour); });

    // Start from evenly spaced quantiles of brightness, then refine (k-means),
    // so the long silver gradients keep as many steps as the palette allows.
    long total = 0;
    for (const Entry &e : colours)
        total += e.count;
    std::vector<std::array<double, 3>> centres;
    long seen = 0;
    size_t next = 0;
    for (const Entry &e : colours) {
        if (seen * maxColours >= long(next) * total && int(centres.size()) < maxColours) {
            centres.push_back({double(qRed(e.colour)), double(qGreen(e.colour)), double(qBlue(e.colour))});
            ++next;
        }
        seen += e.count;
    }
    auto nearest = [&](QRgb c) {
        size_t best = 0;
        double bestD = 1e18;
        for (size_t i = 0; i < centres.size(); ++i) {
            const double dr = qRed(c) - centres[i][0], dg = qGreen(c) - centres[i][1],
                         db = qBlue(c) - centres[i][2];
            const double d = 0.3 * dr * dr + 0.59 * dg * dg + 0.11 * db * db;
            if (d < bestD) {
                bestD = d;
                best = i;
            }
        }
        return best;
    };
    for (int round = 0; round < 12; ++round) {
        std::vector<std::array<double, 4>> sums(centres.size(), {0, 0, 0, 0});
        for (const Entry &e : colours) {
            auto &s = sums[nearest(e.colour)];
            s[0] += qRed(e.colour) * double(e.count);
            s[1] += qGreen(e.colour) * double(e.count);
            s[2] += qBlue(e.colour) * double(e.count);
            s[3] += e.count;
        }
        for (size_t i = 0; i < centres.size(); ++i)
            if (sums[i][3] > 0)
                centres[i] = {sums[i][0] / sums[i][3], sums[i][1] / sums[i][3], sums[i][2] / sums[i][3]};
    }
    std::map<QRgb, QRgb> mapped;
    for (const Entry &e : colours) {
        const auto &c = centres[nearest(e.colour)];
        // Averages of colours no brighter than kMaxInside stay below it.
        mapped[e.colour] = qRgb(int(c[0] + 0.5), int(c[1] + 0.5), int(c[2] + 0.5));
    }
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) == 255)
                img.setPixel(x, y, mapped[img.pixel(x, y)]);
}

} // namespace artgen
