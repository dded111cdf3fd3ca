// SPDX-License-Identifier: GPL-3.0-or-later
// The about dialog's photograph: the player lying on a wooden desk, shot from
// above at an angle with a short depth of field. Drawn large, in perspective,
// with soft light, a cast shadow, blur towards the back and film grain, then
// scaled down to its 100 x 108 pixels.
#include "Art.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace artgen {

namespace {

constexpr int kScale = 4;
const QSize kPhoto(100, 108);

// Box blur of the given radius, horizontal then vertical.
QImage boxBlur(const QImage &src, int radius)
{
    if (radius <= 0)
        return src;
    QImage a = src.convertToFormat(QImage::Format_ARGB32);
    QImage b(a.size(), QImage::Format_ARGB32);
    const int w = a.width();
    const int h = a.height();
    auto pass = [radius](const QImage &in, QImage &out, bool horizontal) {
        const int n = horizontal ? in.width() : in.height();
        const int lines = horizontal ? in.height() : in.width();
        for (int l = 0; l < lines; ++l) {
            for (int i = 0; i < n; ++i) {
                int sum[4] = {0, 0, 0, 0};
                int count = 0;
                for (int k = std::max(0, i - radius); k <= std::min(n - 1, i + radius); ++k) {
                    const QRgb p = horizontal ? in.pixel(k, l) : in.pixel(l, k);
                    sum[0] += qRed(p);
                    sum[1] += qGreen(p);
                    sum[2] += qBlue(p);
                    sum[3] += qAlpha(p);
                    ++count;
                }
                const QRgb q = qRgba(sum[0] / count, sum[1] / count, sum[2] / count, sum[3] / count);
                if (horizontal)
                    out.setPixel(i, l, q);
                else
                    out.setPixel(l, i, q);
            }
        }
    };
    pass(a, b, true);
    pass(b, a, false);
    Q_UNUSED(w);
    Q_UNUSED(h);
    return a;
}

// The desk: warm wood with grain running away from the camera, lit from the
// top left, falling off into shade at the back.
QImage drawDesk(QSize size)
{
    QImage img(size, QImage::Format_ARGB32);
    Noise noise(0x5eedu);
    std::vector<double> grain(size_t(size.width()));
    double g = 0;
    for (double &v : grain) {
        g = 0.92 * g + 0.08 * noise.next();
        v = g;
    }
    for (int y = 0; y < size.height(); ++y) {
        const double t = double(y) / size.height();
        for (int x = 0; x < size.width(); ++x) {
            // Grain lines converge a little towards the back (perspective).
            const double cx = size.width() / 2.0 + (x - size.width() / 2.0) * (0.75 + 0.25 * t);
            const int gi = std::clamp(int(cx), 0, size.width() - 1);
            const double ring = std::sin(cx * 0.09 + grain[size_t(gi)] * 9) * 0.5 + 0.5;
            const double light = 0.55 + 0.45 * t - 0.18 * std::abs(double(x) / size.width() - 0.35);
            const double r = (128 + 38 * ring) * light;
            const double gg = (84 + 26 * ring) * light;
            const double b = (50 + 14 * ring) * light;
            img.setPixel(x, y, qRgb(std::clamp(int(r), 0, 255), std::clamp(int(gg), 0, 255),
                                    std::clamp(int(b), 0, 255)));
        }
    }
    return img;
}

// The device seen from straight above, in its own flat coordinates
// (length 300, width 82), drawn into `p`.
void drawDevice(QPainter &p)
{
    const QRectF body(0, 0, 250, 80);
    QPainterPath shell;
    shell.addRoundedRect(body, 26, 26);

    // Brushed silver, bright along the upper edge where the light falls.
    QLinearGradient metal(0, 0, 0, body.height());
    metal.setColorAt(0.00, QColor(250, 250, 252));
    metal.setColorAt(0.18, QColor(214, 216, 220));
    metal.setColorAt(0.55, QColor(172, 175, 181));
    metal.setColorAt(0.80, QColor(120, 123, 130));
    metal.setColorAt(1.00, QColor(74, 76, 82));
    p.setPen(Qt::NoPen);
    p.setBrush(metal);
    p.drawPath(shell);

    // A long specular streak.
    QLinearGradient streak(0, 10, 0, 24);
    streak.setColorAt(0, QColor(255, 255, 255, 0));
    streak.setColorAt(0.5, QColor(255, 255, 255, 170));
    streak.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(streak);
    p.drawRoundedRect(QRectF(18, 10, 214, 14), 7, 7);

    // The display: dark glass with a faint green glow and a reflection.
    const QRectF glass(22, 22, 118, 38);
    QLinearGradient lcd(glass.topLeft(), glass.bottomLeft());
    lcd.setColorAt(0, QColor(96, 118, 92));
    lcd.setColorAt(1, QColor(46, 62, 48));
    p.setBrush(lcd);
    p.setPen(QPen(QColor(40, 42, 46), 3));
    p.drawRoundedRect(glass, 5, 5);
    p.setPen(Qt::NoPen);
    QLinearGradient shine(glass.topLeft(), glass.topRight());
    shine.setColorAt(0, QColor(255, 255, 255, 70));
    shine.setColorAt(0.45, QColor(255, 255, 255, 10));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(shine);
    QPolygonF reflection;
    reflection << glass.topLeft() + QPointF(4, 3) << glass.topLeft() + QPointF(60, 3)
               << glass.topLeft() + QPointF(30, 34) << glass.topLeft() + QPointF(4, 34);
    p.drawPolygon(reflection);
    // Glowing characters on the display.
    p.setBrush(QColor(190, 240, 170, 200));
    for (int i = 0; i < 7; ++i)
        p.drawRect(QRectF(32 + i * 13, 36, 8, 10));

    // Buttons: domed, each with a highlight and a dark lower rim.
    auto dome = [&p](QPointF c, double rx, double ry, QColor base) {
        QRadialGradient g(c - QPointF(rx * 0.35, ry * 0.45), std::max(rx, ry) * 1.3);
        g.setColorAt(0, base.lighter(170));
        g.setColorAt(0.6, base);
        g.setColorAt(1, base.darker(220));
        p.setBrush(g);
        p.setPen(QPen(QColor(50, 52, 56), 1.5));
        p.drawEllipse(c, rx, ry);
    };
    dome(QPointF(168, 30), 18, 12, QColor(150, 154, 162));
    dome(QPointF(162, 58), 11, 8, QColor(92, 96, 104));
    dome(QPointF(190, 58), 8, 8, QColor(92, 96, 104));

    // The cap, a separate part: a seam, then a slightly different sheen.
    p.setPen(QPen(QColor(60, 62, 68), 2));
    p.drawLine(QPointF(212, 4), QPointF(212, 76));
    QLinearGradient cap(0, 0, 0, body.height());
    cap.setColorAt(0, QColor(236, 237, 240));
    cap.setColorAt(0.6, QColor(160, 163, 170));
    cap.setColorAt(1, QColor(70, 72, 78));
    p.setPen(Qt::NoPen);
    p.setBrush(cap);
    QPainterPath capShape;
    capShape.addRoundedRect(QRectF(214, 2, 36, 76), 20, 20);
    capShape = capShape.intersected(shell);
    p.drawPath(capShape);
}

} // namespace

QImage drawPhoto()
{
    const QSize big = kPhoto * kScale;
    QImage desk = drawDesk(big);

    // Where the device's flat rectangle lands in the picture: a foreshortened
    // quadrilateral, nearer (larger) at the bottom.
    QPolygonF flat;
    flat << QPointF(0, 0) << QPointF(250, 0) << QPointF(250, 80) << QPointF(0, 80);
    QPolygonF onDesk;
    onDesk << QPointF(46, 250) << QPointF(336, 116) << QPointF(380, 196) << QPointF(84, 364);
    QTransform toDesk;
    if (!QTransform::quadToQuad(flat, onDesk, toDesk))
        return {};

    // The shadow: the device's outline, pushed away from the light, softened.
    QImage shadow(big, QImage::Format_ARGB32);
    shadow.fill(Qt::transparent);
    {
        QPainter p(&shadow);
        p.setRenderHint(QPainter::Antialiasing);
        p.setTransform(toDesk * QTransform::fromTranslate(14, 22));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 12, 6, 170));
        p.drawRoundedRect(QRectF(0, 0, 250, 80), 26, 26);
    }
    shadow = boxBlur(boxBlur(shadow, 7), 7);

    // The device itself, with a thin dark edge where it meets its shadow.
    QImage device(big, QImage::Format_ARGB32_Premultiplied);
    device.fill(Qt::transparent);
    {
        QPainter p(&device);
        p.setRenderHint(QPainter::Antialiasing);
        // The body's side wall, seen below its top face: the device has depth.
        for (int i = 12; i > 0; --i) {
            p.setTransform(toDesk * QTransform::fromTranslate(0, i));
            p.setPen(Qt::NoPen);
            const int v = 70 + 5 * (12 - i);
            p.setBrush(QColor(v, v + 2, v + 6));
            p.drawRoundedRect(QRectF(0, 0, 250, 80), 26, 26);
        }
        p.setTransform(toDesk);
        drawDevice(p);
    }

    QImage scene = desk.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    {
        QPainter p(&scene);
        p.drawImage(0, 0, shadow);
        p.drawImage(0, 0, device);
    }

    // Short depth of field: the far (upper) part and the near corner blur.
    const QImage soft = boxBlur(scene, 6);
    QImage focused(big, QImage::Format_ARGB32);
    for (int y = 0; y < big.height(); ++y) {
        for (int x = 0; x < big.width(); ++x) {
            // Sharp along a band through the device, softer away from it.
            const double d = std::abs((y - 240.0) + (x - 210.0) * 0.42) / 150.0;
            const double k = std::clamp(d * d, 0.0, 1.0);
            const QRgb a = scene.pixel(x, y);
            const QRgb b = soft.pixel(x, y);
            focused.setPixel(x, y, qRgb(int(qRed(a) * (1 - k) + qRed(b) * k),
                                        int(qGreen(a) * (1 - k) + qGreen(b) * k),
                                        int(qBlue(a) * (1 - k) + qBlue(b) * k)));
        }
    }

    QImage photo = focused.scaled(kPhoto, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                       .convertToFormat(QImage::Format_RGB32);
    // Vignette and grain, as a small camera leaves them.
    Noise grain(0xf11au);
    const QPointF centre(kPhoto.width() * 0.5, kPhoto.height() * 0.55);
    const double reach = std::hypot(kPhoto.width() * 0.5, kPhoto.height() * 0.55);
    for (int y = 0; y < photo.height(); ++y) {
        for (int x = 0; x < photo.width(); ++x) {
            const double r = std::hypot(x - centre.x(), y - centre.y()) / reach;
            const double v = 1.0 - 0.35 * r * r;
            const double n = grain.next() * 5;
            const QRgb p = photo.pixel(x, y);
            photo.setPixel(x, y, qRgb(std::clamp(int(qRed(p) * v + n), 0, 255),
                                      std::clamp(int(qGreen(p) * v + n), 0, 255),
                                      std::clamp(int(qBlue(p) * v + n), 0, 255)));
        }
    }
    return photo;
}

} // namespace artgen
