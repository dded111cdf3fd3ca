// SPDX-License-Identifier: GPL-3.0-or-later
// The window icon and the two launcher buttons of the about box.
#include "Art.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSvgGenerator>

namespace artgen {

namespace {

const QColor kAboutKey(255, 0, 0);
const QColor kHelpKey(255, 0, 255);
const QRect kWallet(QPoint(2, 8), QPoint(29, 27));
const QRect kWalletTab(QPoint(4, 5), QPoint(14, 10));
const QRect kBook(QPoint(5, 2), QPoint(26, 29));

} // namespace

Mask aboutMask(int scale)
{
    Mask m(32, 32, scale);
    m.addRoundRect(kWallet, 3);
    m.addRoundRect(kWalletTab, 2);
    return m;
}

Mask helpMask(int scale)
{
    Mask m(32, 32, scale);
    m.addRoundRect(kBook, 2);
    return m;
}

QImage drawAbout(int scale)
{
    QImage img = canvas(QSize(32, 32) * scale, QColor(20, 70, 30));
    QPainter p(&img);
    if (scale != 1)
        p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    QLinearGradient tab(0, kWalletTab.top(), 0, kWalletTab.bottom());
    tab.setColorAt(0, QColor(60, 150, 70));
    tab.setColorAt(1, QColor(40, 110, 50));
    p.fillRect(kWalletTab, tab);
    QLinearGradient body(0, kWallet.top(), 0, kWallet.bottom());
    body.setColorAt(0, QColor(84, 184, 92));
    body.setColorAt(1, QColor(30, 108, 44));
    p.fillRect(kWallet, body);
    // The flap, with a rounded tongue in the middle that carries the clasp.
    QPainterPath flap;
    flap.moveTo(kWallet.left(), kWallet.top());
    flap.lineTo(kWallet.right() + 1, kWallet.top());
    flap.lineTo(kWallet.right() + 1, 16);
    flap.lineTo(20, 16);
    flap.quadTo(20, 21, 16, 21);
    flap.quadTo(12, 21, 12, 16);
    flap.lineTo(kWallet.left(), 16);
    flap.closeSubpath();
    p.setBrush(QColor(18, 66, 28));
    p.drawPath(flap.translated(0, 1));
    QLinearGradient fg(0, kWallet.top(), 0, 21);
    fg.setColorAt(0, QColor(120, 214, 120));
    fg.setColorAt(1, QColor(58, 150, 66));
    p.setBrush(fg);
    p.drawPath(flap);
    // The clasp.
    p.setBrush(QColor(110, 80, 10));
    p.drawRoundedRect(QRectF(13.5, 16.5, 5, 5), 1.5, 1.5);
    QRadialGradient gold(QPointF(15, 18), 3.5);
    gold.setColorAt(0, QColor(252, 236, 150));
    gold.setColorAt(1, QColor(210, 160, 30));
    p.setBrush(gold);
    p.drawRoundedRect(QRectF(14, 17, 4, 4), 1.2, 1.2);
    // Stitching along the bottom.
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int x = kWallet.left() + 3; x < kWallet.right() - 2; x += 3)
        p.fillRect(QRect(x, kWallet.bottom() - 2, 2, 1), QColor(150, 220, 150));
    p.end();
    return cutOut(img, aboutMask(scale), kAboutKey, 0.45, 16);
}

QImage drawHelp(int scale)
{
    QImage img = canvas(QSize(32, 32) * scale, QColor(60, 20, 90));
    QPainter p(&img);
    if (scale != 1)
        p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    // Pages showing at the right and bottom edges.
    p.fillRect(kBook, QColor(236, 226, 196));
    for (int y = kBook.top() + 2; y < kBook.bottom(); y += 2)
        p.fillRect(QRect(kBook.right() - 1, y, 2, 1), QColor(196, 184, 150));
    const QRect cover(kBook.topLeft(), QPoint(kBook.right() - 3, kBook.bottom() - 2));
    QLinearGradient g(cover.left(), 0, cover.right(), 0);
    g.setColorAt(0, QColor(168, 84, 210));
    g.setColorAt(1, QColor(104, 38, 150));
    p.fillRect(cover, g);
    p.fillRect(QRect(cover.left(), cover.top(), 4, cover.height()), QColor(78, 24, 112));
    p.fillRect(QRect(cover.left() + 4, cover.top(), 1, cover.height()), QColor(196, 130, 232));
    p.setRenderHint(QPainter::Antialiasing);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(20);
    f.setBold(true);
    p.setFont(f);
    const QRectF box(cover.left() + 5, cover.top(), cover.width() - 5, cover.height());
    p.setPen(QColor(50, 10, 70));
    p.drawText(box.translated(1, 1), Qt::AlignCenter, QStringLiteral("?"));
    p.setPen(QColor(252, 222, 40));
    p.drawText(box, Qt::AlignCenter, QStringLiteral("?"));
    p.end();
    return cutOut(img, helpMask(scale), kHelpKey, 0.45, 16);
}

namespace {

// The device as the icon shows it, in a 32-unit square, lying at an angle.
// `detail` grows with the size: 0 for 16 pixels, 1 for 24 and 32, 2 above.
// With `flat`, every part is painted in that one colour: the device's shadow.
void paintDevice(QPainter &p, int size, int detail, const QColor *flat = nullptr)
{
    const auto brush = [flat](const QBrush &b) { return flat ? QBrush(*flat) : b; };
    p.save();
    p.scale(size / 32.0, size / 32.0);
    p.translate(16, 16);
    // A slope of one in two, so that the small sizes' edges step evenly.
    p.rotate(-26.565);
    p.setPen(Qt::NoPen);
    // USB plug.
    QLinearGradient steel(0, -3.5, 0, 3.5);
    steel.setColorAt(0, QColor(245, 245, 245));
    steel.setColorAt(1, QColor(120, 124, 132));
    p.setBrush(brush(detail > 0 ? QBrush(steel) : QBrush(QColor(196, 198, 204))));
    p.drawRect(QRectF(9, -3.5, 6, 7));
    if (detail > 0) {
        p.setBrush(brush(QColor(30, 30, 34)));
        p.drawRect(QRectF(11, -2, 3.5, 4));
    }
    // Body.
    QLinearGradient silver(0, -6, 0, 6);
    silver.setColorAt(0, QColor(245, 245, 245));
    silver.setColorAt(0.3, QColor(218, 221, 226));
    silver.setColorAt(1, QColor(110, 114, 122));
    p.setBrush(brush(silver));
    p.drawRoundedRect(QRectF(-15, -6, 25, 12), 4, 4);
    if (detail > 1) {
        // The cap's seam and the two volume buttons on the top edge.
        p.setBrush(brush(QColor(150, 154, 162)));
        p.drawRect(QRectF(4.6, -5.6, 0.35, 11.2));
        p.setBrush(brush(QColor(96, 100, 108)));
        p.drawRoundedRect(QRectF(-9, -6.7, 2.6, 1.1), 0.4, 0.4);
        p.drawRoundedRect(QRectF(-5.6, -6.7, 2.6, 1.1), 0.4, 0.4);
    }
    // Display and button; at 16 pixels the display's frame would only smudge it.
    if (detail > 0) {
        p.setBrush(brush(QColor(30, 32, 36)));
        p.drawRoundedRect(QRectF(-12, -3.5, 12, 7), 1.2, 1.2);
    }
    QLinearGradient lcd(0, -2.5, 0, 2.5);
    lcd.setColorAt(0, QColor(176, 204, 150));
    lcd.setColorAt(1, QColor(128, 156, 110));
    p.setBrush(brush(detail > 0 ? QBrush(lcd) : QBrush(QColor(150, 176, 130))));
    p.drawRect(detail > 0 ? QRectF(-11, -2.5, 10, 5) : QRectF(-12, -3, 11, 6));
    if (detail > 1) {
        // A line of text on the display and the glass's reflection.
        p.setBrush(brush(QColor(44, 60, 40)));
        for (int i = 0; i < 5; ++i)
            p.drawRect(QRectF(-10 + i * 1.6, -0.6, 1.1, 1.2));
        p.setBrush(brush(QColor(255, 255, 255, 60)));
        p.drawRect(QRectF(-11, -2.5, 10, 1.6));
    }
    if (detail > 0) {
        p.setBrush(brush(QColor(60, 62, 68)));
        p.drawEllipse(QRectF(2.5, -2, 4, 4));
    }
    p.restore();
}

// Small sizes are drawn without antialiasing, so every edge falls on a whole
// pixel, and then get a one-pixel bevel so the outline stays readable on the
// black tile: light where the outside lies above or to the left, dark where
// it lies below or to the right.
QImage hintedDevice(int size, int detail)
{
    QImage layer = canvas(QSize(size, size), Qt::transparent);
    {
        QPainter p(&layer);
        paintDevice(p, size, detail);
    }
    const QImage shape = layer.copy();
    auto in = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < size && y < size && qAlpha(shape.pixel(x, y)) != 0;
    };
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            if (!in(x, y))
                continue;
            if (!in(x, y - 1) || !in(x - 1, y))
                layer.setPixel(x, y, qRgb(250, 250, 252));
            else if (!in(x, y + 1) || !in(x + 1, y))
                layer.setPixel(x, y, qRgb(92, 96, 104));
        }
    return layer;
}

QRadialGradient tileGlow(int size)
{
    QRadialGradient glow(QPointF(size * 0.4, size * 0.35), size * 0.75);
    glow.setColorAt(0, QColor(40, 42, 48));
    glow.setColorAt(1, Qt::black);
    return glow;
}

} // namespace

QImage drawIcon(int size)
{
    QImage img = canvas(QSize(size, size), Qt::transparent);
    QPainter p(&img);
    // The black tile the device lies on.
    const bool small = size <= 32;
    p.setRenderHint(QPainter::Antialiasing, !small);
    const double radius = small ? size / 8 : size * 0.16;
    const QRadialGradient glow = tileGlow(size);
    p.setPen(Qt::NoPen);
    p.setBrush(small ? QBrush(Qt::black) : QBrush(glow));
    p.drawRoundedRect(QRectF(0, 0, size, size), radius, radius);
    if (small) {
        p.drawImage(0, 0, hintedDevice(size, size >= 24 ? 1 : 0));
    } else {
        // A soft shadow below the device, then the device itself.
        p.setRenderHint(QPainter::Antialiasing);
        QImage shadow = canvas(QSize(size, size), Qt::transparent);
        {
            QPainter s(&shadow);
            s.setRenderHint(QPainter::Antialiasing);
            s.translate(0, size / 40.0);
            paintDevice(s, size, 2);
            s.setCompositionMode(QPainter::CompositionMode_SourceIn);
            s.fillRect(shadow.rect(), QColor(0, 0, 0, 200));
        }
        p.drawImage(QPointF(0, size / 48.0), shadow);
        paintDevice(p, size, 2);
    }
    p.end();
    return img;
}

bool writeScalableIcon(const QString &path)
{
    // The large icons' drawing, as shapes: the tile with its glow, the
    // shadow, the device.
    const int size = 256;
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(size, size));
    svg.setViewBox(QRect(0, 0, size, size));
    svg.setTitle(QStringLiteral("Vorlix"));
    svg.setDescription(QStringLiteral("A silver USB-stick MP3 player on a black tile"));
    QPainter p;
    if (!p.begin(&svg))
        return false;
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(tileGlow(size));
    p.drawRoundedRect(QRectF(0, 0, size, size), size * 0.16, size * 0.16);
    // The pictures' shadow is the device's outline in black at 200/255 over
    // the tile; shapes cannot be blended as one, so its colour is the result.
    const QColor shadow(6, 6, 8);
    p.save();
    p.translate(0, size / 48.0 + size / 40.0);
    paintDevice(p, size, 2, &shadow);
    p.restore();
    paintDevice(p, size, 2);
    return p.end();
}

} // namespace artgen
