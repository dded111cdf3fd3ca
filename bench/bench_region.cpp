// SPDX-License-Identifier: GPL-3.0-or-later
// Times MakeWindowRegion on the first skin against the plain way of building
// the same region: one pixel read per pixel and one union per run.
#include "skin/gifmod.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QRegion>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QRegion naiveRegion(const QImage& image)
{
    QRegion region;
    const QRgb transparent = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y) {
        int start = -1;
        for (int x = 0; x < image.width(); ++x) {
            const bool inside = image.pixel(x, y) != transparent;
            if (inside && start < 0)
                start = x;
            if (!inside && start >= 0) {
                region += QRect(start, y, x - start, 1);
                start = -1;
            }
        }
        if (start >= 0)
            region += QRect(start, y, image.width() - start, 1);
    }
    return region;
}

template <class F> double medianMicros(F&& build, int rounds)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        const QRegion region = build();
        times.push_back(timer.nsecsElapsed() / 1000.0);
        if (region.isEmpty())
            std::abort();
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // As the skin is loaded for the window: from the compiled-in GIF.
    const QImage skin(QStringLiteral(":/skin1.png"));
    if (skin.isNull()) {
        std::fprintf(stderr, "first skin not found\n");
        return 1;
    }
    if (!(vorlix::MakeWindowRegion(skin) ^ naiveRegion(skin)).isEmpty()) {
        std::fprintf(stderr, "the two regions differ\n");
        return 1;
    }
    const int rounds = 200;
    const double fast = medianMicros([&] { return vorlix::MakeWindowRegion(skin); }, rounds);
    const double naive = medianMicros([&] { return naiveRegion(skin); }, rounds);
    std::printf("MakeWindowRegion, first skin %dx%d: median %.1f us over %d rounds\n",
                skin.width(), skin.height(), fast, rounds);
    std::printf("per-pixel read, union per run:    median %.1f us\n", naive);
    std::printf("speed-up: %.1fx\n", naive / fast);
    return 0;
}
