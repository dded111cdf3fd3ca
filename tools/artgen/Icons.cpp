// The window icon and the two launcher buttons of the about box.
#include "Art.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace artgen {

namespace {

const QColor kAboutKey(255, 0, 0);
const QColor kHelpKey(255, 0, 255);
const QRect kWallet(QPoint(2, 8), QPoint(29, 27));
const QRect kWalletTab(QPoint(4, 5), QPoint(14, 10));
const QRect kBook(QPoint(5, 2), QPoint(26, 29));

} // namespace

Mask aboutMask()
{
    Mask m(32, 32);
    m.addRoundRect(kWallet, 3);
    m.addRoundRect(kWalletTab, 2);
    return m;
}

Mask helpMask()
{
    Mask m(32, 32);
    m.addRoundRect(kBook, 2);
    return m;
}

QImage drawAbout()
{
    QImage img = canvas(QSize(32, 32), QColor(20, 70, 30));
    QPainter p(&img);
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
    return cutOut(img, aboutMask(), kAboutKey, 0.45, 16);
}

QImage drawHelp()
{
    QImage img = canvas(QSize(32, 32), QColor(60, 20, 90));
    QPainter p(&img);
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
    return cutOut(img, helpMask(), kHelpKey, 0.45, 16);
}

QImage drawIcon(int size)
{
    QImage img = canvas(QSize(size, size), Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.translate(16, 16);
    p.rotate(-32);
    p.setPen(Qt::NoPen);
    // USB plug.
    QLinearGradient steel(0, -3.5, 0, 3.5);
    steel.setColorAt(0, QColor(250, 250, 250));
    steel.setColorAt(1, QColor(120, 124, 132));
    p.setBrush(steel);
    p.drawRect(QRectF(9, -3.5, 6, 7));
    p.setBrush(QColor(30, 30, 34));
    p.drawRect(QRectF(11, -2, 3.5, 4));
    // Body.
    QLinearGradient silver(0, -6, 0, 6);
    silver.setColorAt(0, QColor(250, 251, 253));
    silver.setColorAt(0.3, QColor(218, 221, 226));
    silver.setColorAt(1, QColor(110, 114, 122));
    p.setBrush(silver);
    p.drawRoundedRect(QRectF(-15, -6, 25, 12), 4, 4);
    // Display and button.
    p.setBrush(QColor(30, 32, 36));
    p.drawRoundedRect(QRectF(-12, -3.5, 12, 7), 1.2, 1.2);
    p.setBrush(QColor(150, 176, 130));
    p.drawRect(QRectF(-11, -2.5, 10, 5));
    if (size >= 24) {
        p.setBrush(QColor(60, 62, 68));
        p.drawEllipse(QRectF(2.5, -2, 4, 4));
    }
    p.end();
    return img;
}

} // namespace artgen
