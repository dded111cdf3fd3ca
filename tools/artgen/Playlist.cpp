// SPDX-License-Identifier: GPL-3.0-or-later
// The playlist window: a dark grey outline picture that shapes the window and
// the brushed panel laid over it, with the list box's recess and two buttons.
#include "Art.h"
#include "playlist/frmPlayListLayout.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace artgen {

namespace L = vorlix::frmPlayListLayout;

namespace {

const QColor kRim(88, 89, 91);
const QRect kOutline(QPoint(6, 8), QPoint(274, 110));

// A control's rectangle in panel coordinates: the panel sits at Image1.
QRect onPanel(const vorlix::TwipsRect &r)
{
    return r.pixels().translated(-L::Image1.pixels().topLeft());
}

// `shape` is in 1x pixels, `img` drawn at `scale`: the metal's streaks are as
// fine as its pixels.
void paintBrushed(QImage &img, int scale, QPainterPath shape)
{
    const double keep = scale == 1 ? 0.85 : std::pow(0.85, 1.0 / scale);
    const double take = scale == 1 ? 0.15 : 1 - keep;
    if (scale != 1)
        shape = QTransform::fromScale(scale, scale).map(shape);
    QImage metal(img.size(), QImage::Format_ARGB32_Premultiplied);
    Noise noise(0x7a11u);
    for (int y = 0; y < metal.height(); ++y) {
        const double t = double(y) / (metal.height() - 1);
        const double base = 224 - 26 * t + noise.next() * 2;
        double streak = 0;
        for (int x = 0; x < metal.width(); ++x) {
            streak = keep * streak + take * noise.next() * 7;
            const int v = std::clamp(int(base + streak), 0, 240);
            metal.setPixel(x, y, qRgb(v - 2, v - 1, v + 1));
        }
    }
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(metal);
    p.drawPath(shape);
    // A lit top-left rim and a shaded bottom-right rim follow the corners.
    p.setBrush(Qt::NoBrush);
    QLinearGradient rim(0, 0, 0, img.height());
    rim.setColorAt(0, QColor(248, 248, 250, 200));
    rim.setColorAt(0.5, QColor(200, 200, 204, 0));
    rim.setColorAt(1, QColor(60, 62, 66, 160));
    p.setPen(QPen(QBrush(rim), scale));
    p.drawPath(shape.translated(0, 0));
}

void paintRaisedButton(QPainter &p, const QRect &r, const QString &label)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(r, QColor(62, 64, 68));
    const QRect face = r.adjusted(1, 1, -1, -1);
    QLinearGradient g(0, face.top(), 0, face.bottom());
    g.setColorAt(0, QColor(226, 228, 232));
    g.setColorAt(1, QColor(176, 179, 185));
    p.fillRect(face, g);
    p.fillRect(QRect(face.left(), face.top(), face.width(), 1), QColor(244, 244, 246));
    p.fillRect(QRect(face.left(), face.top(), 1, face.height()), QColor(240, 240, 243));
    p.fillRect(QRect(face.left() + 1, face.bottom(), face.width() - 1, 1), QColor(120, 123, 129));
    p.fillRect(QRect(face.right(), face.top() + 1, 1, face.height() - 1), QColor(120, 123, 129));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(10);
    f.setBold(true);
    p.setFont(f);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(30, 32, 36));
    p.drawText(QRectF(face).adjusted(0, 0, 0, -1), Qt::AlignCenter, label);
}

void paintKnob(QPainter &p, const QRect &r)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const QPointF c = QRectF(r).center();
    const double rad = 5.5;
    // Socket: shaded above, lit below.
    p.setBrush(QColor(240, 240, 243));
    p.drawEllipse(c + QPointF(0.4, 0.6), rad + 1.5, rad + 1.5);
    p.setBrush(QColor(110, 112, 118));
    p.drawEllipse(c, rad + 1.5, rad + 1.5);
    QRadialGradient g(c - QPointF(2, 2.5), rad * 1.8);
    g.setColorAt(0, QColor(120, 124, 132));
    g.setColorAt(0.35, QColor(58, 60, 66));
    g.setColorAt(1, QColor(22, 23, 26));
    p.setBrush(g);
    p.drawEllipse(c, rad, rad);
}

void paintListRecess(QPainter &p, const QRect &list)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRect outer = list.adjusted(-2, -2, 2, 2);
    p.fillRect(outer, QColor(246, 246, 248));                  // lit lower lip
    p.fillRect(outer.adjusted(0, 0, -1, -1), QColor(128, 130, 136)); // shaded upper lip
    p.fillRect(list.adjusted(-1, -1, 0, 0), QColor(58, 60, 64));
    p.fillRect(list, QColor::fromRgb(L::kListBackColor));
}

void paintTitle(QPainter &p, const QRect &list, QSize panel)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(12);
    f.setBold(true);
    p.setFont(f);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(list.left(), list.bottom() + 3, list.width(), panel.height() - list.bottom() - 6);
    p.setPen(QColor(248, 248, 250));
    p.drawText(box.translated(0, 1), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Vorlix List"));
    p.setPen(QColor(48, 50, 56));
    p.drawText(box, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Vorlix List"));
}

} // namespace

Mask playlistOutlineMask(int scale)
{
    Mask m(L::kOutlineSize.width(), L::kOutlineSize.height(), scale);
    m.addRoundRect(kOutline, 3);
    return m;
}

QImage drawPlaylistOutline(int scale)
{
    const QImage flat = canvas(L::kOutlineSize * scale, kRim);
    return cutOut(flat, playlistOutlineMask(scale), Qt::white, 1.0, 0);
}

QImage drawPlaylistPanel(int scale)
{
    QImage img = canvas(L::kPanelSize * scale, kRim);
    QPainterPath shape;
    const QSize size = L::kPanelSize;
    shape.addRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 5, 5);
    paintBrushed(img, scale, shape);
    QPainter p(&img);
    if (scale != 1)
        p.scale(scale, scale);
    paintRaisedButton(p, onPanel(L::Command_Addlist), QStringLiteral("Add"));
    paintRaisedButton(p, onPanel(L::Command_Remove), QStringLiteral("Del"));
    paintKnob(p, onPanel(L::Image_MinPlayList));
    const QRect list = onPanel(L::List1);
    paintListRecess(p, list);
    paintTitle(p, list, size);
    p.end();
    return img.convertToFormat(QImage::Format_RGB32);
}

} // namespace artgen
