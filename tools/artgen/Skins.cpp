// SPDX-License-Identifier: GPL-3.0-or-later
// The player skins (front view of the stick with and without its cap) and the
// play / pause button pictures that the player lays over the recess.
#include "Art.h"
#include "player/frmMainLayout.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace artgen {

namespace L = vorlix::frmMainLayout;

namespace {

// Outline of the pictures (inclusive pixel coordinates).
constexpr int kBodyLeft = 15;
constexpr int kBodyTop = 7;
constexpr int kBodyBottom = 74;
constexpr int kBodyRight = 221; // the seam: the cap or the plug starts at 222
constexpr int kCapRight = 284;
const QRect kPlug(QPoint(222, 22), QPoint(256, 58));
constexpr int kTopButtonTop = 3;
constexpr int kTopButtonWidth = 11;

// Display window: a dark bezel around the grey-green glass.
const QRect kBezel(QPoint(34, 20), QPoint(163, 61));
const QRect kGlass(QPoint(37, 23), QPoint(160, 58));
const QColor kLcd(150, 164, 134);
const QColor kLcdInk(86, 99, 74);

// Buttons right of the display, each inside its hotspot on both skins.
const QRect kListButton(QPoint(175, 48), QPoint(195, 61));
const QRect kPowerButton(QPoint(199, 48), QPoint(212, 61));

// A top button is centred under its volume hotspot.
QRect topButton(const vorlix::TwipsRect &hotspot)
{
    const QRect h = hotspot.pixels();
    const int left = h.center().x() + (h.width() % 2 ? 0 : 1) - kTopButtonWidth / 2;
    return QRect(left, kTopButtonTop, kTopButtonWidth, kBodyTop - kTopButtonTop + 3);
}

QRectF px(const QRect &r) // the pixels of r as a painting rectangle
{
    return QRectF(r.left(), r.top(), r.width(), r.height());
}

void addBodyAndButtons(Mask &m)
{
    m.addRoundRect(QRect(QPoint(kBodyLeft, kBodyTop), QPoint(kBodyRight, kBodyBottom)), 15, 18);
    // The body's right end is squared off a little where the cap or plug meets it.
    m.addRoundRect(QRect(QPoint(kBodyLeft + 40, kBodyTop), QPoint(kBodyRight, kBodyBottom)), 3);
    m.addRoundRect(topButton(L::Image_volume_decrease), 2);
    m.addRoundRect(topButton(L::Image_volume_increase), 2);
}

// Brushed silver: a vertical light curve with fine horizontal streaks.
int silverAt(double t)
{
    struct Stop {
        double t;
        double v;
    };
    static const Stop stops[] = {{0.00, 206}, {0.05, 236}, {0.12, 244}, {0.30, 228}, {0.55, 206},
                                 {0.80, 182}, {0.93, 162}, {1.00, 140}};
    for (size_t i = 1; i < std::size(stops); ++i)
        if (t <= stops[i].t) {
            const double f = (t - stops[i - 1].t) / (stops[i].t - stops[i - 1].t);
            return int(stops[i - 1].v + f * (stops[i].v - stops[i - 1].v));
        }
    return int(stops[std::size(stops) - 1].v);
}

// The pixels from left to right and top to bottom (inclusive, in 1x pixels)
// of a picture drawn at `scale`; the streaks are as fine as its pixels.
void paintSilver(QImage &img, int scale, int left, int right, int top, int bottom, uint32_t seed,
                 double endRadius)
{
    const int s = scale;
    const double keep = s == 1 ? 0.8 : std::pow(0.8, 1.0 / s);
    const double take = s == 1 ? 0.2 : 1 - keep;
    left *= s;
    top *= s;
    right = (right + 1) * s - 1;
    bottom = (bottom + 1) * s - 1;
    endRadius *= s;
    Noise noise(seed);
    for (int y = top; y <= bottom; ++y) {
        const double t = double(y - top) / (bottom - top);
        const double row = noise.next() * 2.5;
        double streak = 0;
        for (int x = left; x <= right; ++x) {
            streak = keep * streak + take * noise.next() * 6;
            // Ends of the body curve away from the light.
            double end = 0;
            const double dl = x - left, dr = right - x;
            if (endRadius > 0 && dl < endRadius)
                end = (endRadius - dl) / endRadius;
            if (endRadius > 0 && dr < endRadius)
                end = std::max(end, (endRadius - dr) / endRadius);
            const double v = silverAt(t) * (1.0 - 0.16 * end * end) + row + streak;
            const int iv = std::clamp(int(v), 0, 250);
            img.setPixel(x, y, qRgb(iv - 4, iv - 1, iv + 3 > 255 ? 255 : iv + 3));
        }
    }
}

void paintTopButton(QPainter &p, const QRect &r)
{
    QLinearGradient g(0, r.top(), 0, r.top() + 5);
    g.setColorAt(0, QColor(150, 153, 160));
    g.setColorAt(1, QColor(88, 91, 98));
    p.fillRect(r, g);
    p.fillRect(QRect(r.left() + 1, r.top() + 1, r.width() - 2, 1), QColor(190, 193, 200));
    // Its slot in the body.
    p.fillRect(QRect(r.left() - 1, kBodyTop, r.width() + 2, 1), QColor(70, 72, 78));
    p.fillRect(QRect(r.left(), kBodyTop + 1, r.width(), 1), QColor(120, 122, 128));
}

void paintDisplay(QPainter &p)
{
    p.setPen(Qt::NoPen);
    // Machined chamfer: in shadow at the top, catching light at the bottom.
    QLinearGradient chamfer(0, kBezel.top() - 1, 0, kBezel.bottom() + 2);
    chamfer.setColorAt(0, QColor(120, 123, 128));
    chamfer.setColorAt(1, QColor(240, 242, 245));
    p.setBrush(chamfer);
    p.drawRoundedRect(px(kBezel).adjusted(-1, -1, 1, 1), 6, 6);
    QLinearGradient bezel(0, kBezel.top(), 0, kBezel.bottom());
    bezel.setColorAt(0, QColor(34, 35, 39));
    bezel.setColorAt(1, QColor(54, 56, 61));
    p.setBrush(bezel);
    p.drawRoundedRect(px(kBezel), 5, 5);
    p.setBrush(kLcd);
    p.drawRect(px(kGlass));
    // Inner shadow of the glass, kept clear of the text line.
    p.fillRect(QRect(kGlass.left(), kGlass.top(), kGlass.width(), 1), QColor(108, 120, 96));
    p.fillRect(QRect(kGlass.left(), kGlass.top() + 1, kGlass.width(), 1), QColor(132, 145, 118));
    p.fillRect(QRect(kGlass.left(), kGlass.top(), 1, kGlass.height()), QColor(118, 131, 104));
    p.fillRect(QRect(kGlass.left() + 1, kGlass.top() + 1, 1, kGlass.height() - 1),
               QColor(140, 153, 126));
    // Volume bars, top left.
    for (int i = 0; i < 5; ++i) {
        const int h = 2 + i;
        p.fillRect(QRect(41 + i * 3, 32 - h, 2, h), kLcdInk);
    }
    // Battery, top right.
    const QRect bat(QPoint(145, 27), QPoint(155, 31));
    p.fillRect(bat, kLcdInk);
    p.fillRect(bat.adjusted(1, 1, -1, -1), kLcd);
    p.fillRect(QRect(156, 28, 1, 3), kLcdInk);
    for (int i = 0; i < 3; ++i)
        p.fillRect(QRect(147 + i * 3, 29, 2, 1), kLcdInk);
}

// A shallow dish in the body where the play button picture sits.
void paintRecess(QPainter &p)
{
    const QRect b = L::Image_button.pixels();
    const QRectF dish(b.left() - 1, b.top(), b.width() + 2, b.height());
    const double r = dish.height() / 2;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(236, 238, 242));
    p.drawRoundedRect(dish.translated(0.8, 1), r, r);
    p.setBrush(QColor(96, 99, 105));
    p.drawRoundedRect(dish.translated(0, -0.2), r, r);
    QLinearGradient g(0, dish.top(), 0, dish.bottom());
    g.setColorAt(0, QColor(178, 181, 187));
    g.setColorAt(1, QColor(216, 218, 223));
    p.setBrush(g);
    p.drawRoundedRect(dish.adjusted(1, 1.2, -0.6, -0.6), r - 1, r - 1);
}

void paintPlasticButton(QPainter &p, const QRect &r)
{
    const QRectF f = px(r);
    const double rad = std::min(f.width(), f.height()) / 2;
    p.setPen(Qt::NoPen);
    // The hole in the body: dark above, a bright lip below.
    p.setBrush(QColor(236, 238, 242));
    p.drawRoundedRect(f.adjusted(-1, 0, 1, 1.5), rad + 1, rad + 1);
    p.setBrush(QColor(60, 62, 67));
    p.drawRoundedRect(f.adjusted(-1, -1, 1, 1), rad + 1, rad + 1);
    QLinearGradient g(0, f.top(), 0, f.bottom());
    g.setColorAt(0, QColor(120, 124, 132));
    g.setColorAt(0.5, QColor(78, 81, 88));
    g.setColorAt(1, QColor(48, 50, 55));
    p.setBrush(g);
    p.drawRoundedRect(f, rad, rad);
    // Gloss on the upper half.
    QLinearGradient gl(0, f.top(), 0, f.center().y());
    gl.setColorAt(0, QColor(255, 255, 255, 110));
    gl.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(gl);
    const QRectF top = f.adjusted(2, 1, -2, -f.height() / 2);
    p.drawRoundedRect(top, top.height() / 2, top.height() / 2);
}

void paintButtonMarks(QPainter &p)
{
    const QColor mark(200, 204, 210);
    // Playlist: three short lines.
    const QPointF c = px(kListButton).center();
    for (int i = -1; i <= 1; ++i)
        p.fillRect(QRectF(c.x() - 4, c.y() - 0.5 + i * 3, 8, 1), mark);
    // Power: a broken ring with a stroke through the gap.
    const QPointF pc = px(kPowerButton).center();
    QPen pen(mark, 1.2);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(pc.x() - 3.5, pc.y() - 3, 7, 7), 120 * 16, 300 * 16);
    p.drawLine(QPointF(pc.x(), pc.y() - 4), QPointF(pc.x(), pc.y() - 0.5));
    p.setPen(Qt::NoPen);
    // A small green power LED between the display and the buttons.
    QRadialGradient led(QPointF(168.5, 54.5), 2.2);
    led.setColorAt(0, QColor(170, 240, 150));
    led.setColorAt(1, QColor(40, 110, 40));
    p.setBrush(QColor(70, 72, 78));
    p.drawEllipse(QRectF(166, 52, 5, 5));
    p.setBrush(led);
    p.drawEllipse(QRectF(167, 53, 3, 3));
}

void engrave(QPainter &p, const QString &text, const QRectF &box, int pixelSize)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    f.setHintingPreference(QFont::PreferFullHinting);
    p.setFont(f);
    p.setPen(QColor(244, 245, 247, 200));
    p.drawText(box.translated(0, 1), Qt::AlignCenter, text);
    p.setPen(QColor(104, 107, 114));
    p.drawText(box, Qt::AlignCenter, text);
}

// A painter that draws in 1x pixels on a picture drawn at `scale`.
void scaleTo(QPainter &p, int scale)
{
    if (scale != 1)
        p.scale(scale, scale);
}

QImage drawBody(int scale)
{
    QImage img = canvas(L::kSkinSize * scale, QColor(70, 72, 78));
    paintSilver(img, scale, kBodyLeft, kBodyRight, kBodyTop, kBodyBottom, 0x51a7u, 16);
    QPainter p(&img);
    scaleTo(p, scale);
    p.setRenderHint(QPainter::Antialiasing);
    paintTopButton(p, topButton(L::Image_volume_decrease));
    paintTopButton(p, topButton(L::Image_volume_increase));
    paintDisplay(p);
    paintRecess(p);
    paintPlasticButton(p, kListButton);
    paintPlasticButton(p, kPowerButton);
    paintButtonMarks(p);
    p.end();
    return img;
}

void paintCap(QImage &img, int scale)
{
    paintSilver(img, scale, kBodyRight + 1, kCapRight, kBodyTop, kBodyBottom, 0xc4b1u, 22);
    QPainter p(&img);
    scaleTo(p, scale);
    p.setRenderHint(QPainter::Antialiasing);
    // The seam: a dark gap, then the cap's lit rim.
    p.fillRect(QRect(kBodyRight, kBodyTop, 1, kBodyBottom - kBodyTop + 1), QColor(58, 60, 65));
    p.fillRect(QRect(kBodyRight + 1, kBodyTop, 1, kBodyBottom - kBodyTop + 1), QColor(236, 238, 242));
    p.fillRect(QRect(kBodyRight - 1, kBodyTop, 1, kBodyBottom - kBodyTop + 1), QColor(150, 153, 159));
    const QRect hot = L::Image_usb_off.pixels();
    engrave(p, QStringLiteral("VORLIX"), QRectF(hot.left(), 34, hot.width() - 4, 12), 8);
}

void paintPlug(QImage &img, int scale)
{
    QPainter p(&img);
    scaleTo(p, scale);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRect s = kPlug;
    // Steel shell.
    QLinearGradient g(0, s.top(), 0, s.bottom());
    g.setColorAt(0.00, QColor(214, 218, 224));
    g.setColorAt(0.10, QColor(245, 245, 245));
    g.setColorAt(0.45, QColor(196, 200, 207));
    g.setColorAt(1.00, QColor(128, 132, 140));
    p.fillRect(s, g);
    // The opening, with the plastic tongue and its four contact pads; the outer
    // two (power and ground) are longer and meet the socket first.
    const QRect hole(QPoint(s.left() + 5, s.top() + 5), QPoint(s.right() - 3, s.bottom() - 5));
    p.fillRect(hole, QColor(16, 16, 20));
    p.fillRect(QRect(hole.left(), hole.bottom() + 1, hole.width(), 1), QColor(245, 245, 245));
    p.fillRect(QRect(hole.right() + 1, hole.top(), 1, hole.height() + 1), QColor(236, 238, 242));
    const QRect tongue = hole.adjusted(2, 2, -2, -2);
    QLinearGradient tg(0, tongue.top(), 0, tongue.bottom());
    tg.setColorAt(0, QColor(72, 74, 82));
    tg.setColorAt(1, QColor(40, 42, 48));
    p.fillRect(tongue, tg);
    p.fillRect(QRect(tongue.left(), tongue.top(), tongue.width(), 1), QColor(96, 99, 108));
    const int step = tongue.height() / 4;
    for (int i = 0; i < 4; ++i) {
        const int top = tongue.top() + step / 2 + i * step - 1;
        const int left = (i == 0 || i == 3) ? tongue.left() + 2 : tongue.left() + 7;
        const QRect pad(QPoint(left, top), QPoint(tongue.right() - 2, top + 2));
        p.fillRect(pad, QColor(196, 156, 62));
        p.fillRect(QRect(pad.left(), pad.top(), pad.width(), 1), QColor(238, 210, 120));
        p.fillRect(QRect(pad.left(), pad.bottom(), pad.width(), 1), QColor(132, 98, 34));
    }
    // Where the shell enters the body.
    p.fillRect(QRect(s.left(), s.top(), 1, s.height()), QColor(60, 62, 68));
}

} // namespace

Mask skin1Mask(int scale)
{
    Mask m(L::kSkinSize.width(), L::kSkinSize.height(), scale);
    addBodyAndButtons(m);
    const QRect cap(QPoint(kBodyRight + 1, kBodyTop), QPoint(kCapRight, kBodyBottom));
    m.addRoundRect(cap, 20, 24);
    m.addRoundRect(cap.adjusted(0, 0, -30, 0), 3);
    if (scale != 1)
        m.keepNear(skin1Mask());
    return m;
}

Mask skin2Mask(int scale)
{
    Mask m(L::kSkinSize.width(), L::kSkinSize.height(), scale);
    addBodyAndButtons(m);
    m.addRoundRect(kPlug, 1);
    if (scale != 1)
        m.keepNear(skin2Mask());
    return m;
}

QImage drawSkin1(int scale)
{
    QImage img = drawBody(scale);
    paintCap(img, scale);
    return cutOut(img, skin1Mask(scale), Qt::white);
}

QImage drawSkin2(int scale)
{
    QImage img = drawBody(scale);
    paintPlug(img, scale);
    return cutOut(img, skin2Mask(scale), Qt::white);
}

Mask playButtonMask(int scale)
{
    Mask m(L::kButtonSize.width(), L::kButtonSize.height(), scale);
    m.addRoundRect(QRect(1, 2, 48, 26), 13);
    return m;
}

static QImage drawButtonFace(int scale)
{
    QImage img = canvas(L::kButtonSize * scale, QColor(90, 92, 98));
    QPainter p(&img);
    scaleTo(p, scale);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const QRectF face(1, 2, 48, 26);
    QLinearGradient g(0, face.top(), 0, face.bottom());
    g.setColorAt(0.0, QColor(236, 238, 242));
    g.setColorAt(0.45, QColor(208, 211, 217));
    g.setColorAt(1.0, QColor(150, 153, 160));
    p.setBrush(g);
    p.drawRoundedRect(face, 13, 13);
    QLinearGradient gl(0, 3, 0, 14);
    gl.setColorAt(0, QColor(255, 255, 255, 150));
    gl.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(gl);
    p.drawRoundedRect(QRectF(7, 4, 36, 10), 5, 5);
    return img;
}

QImage drawPlayButton(int scale)
{
    QImage img = drawButtonFace(scale);
    QPainter p(&img);
    scaleTo(p, scale);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(12, 12, 14));
    const QPointF tri[] = {{20.5, 8.5}, {20.5, 21.5}, {32, 15}};
    p.drawPolygon(tri, 3);
    p.end();
    return cutOut(img, playButtonMask(scale), Qt::white, 0.42, 18);
}

QImage drawPauseButton(int scale)
{
    QImage img = drawButtonFace(scale);
    QPainter p(&img);
    scaleTo(p, scale);
    p.setPen(Qt::NoPen);
    p.fillRect(QRect(19, 9, 4, 12), QColor(12, 12, 14));
    p.fillRect(QRect(27, 9, 4, 12), QColor(12, 12, 14));
    p.end();
    return cutOut(img, playButtonMask(scale), Qt::white, 0.42, 18);
}

} // namespace artgen
