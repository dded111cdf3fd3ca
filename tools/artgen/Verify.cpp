// SPDX-License-Identifier: GPL-3.0-or-later
// Checks the finished files as the program will load them.
#include "Art.h"
#include "player/frmMainLayout.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>

namespace artgen {

namespace {

class Checks {
public:
    void expect(bool ok, const QString &what)
    {
        if (ok) {
            ++passed_;
        } else {
            ++failed_;
            std::fprintf(stderr, "FAIL: %s\n", qPrintable(what));
        }
    }
    bool ok() const { return failed_ == 0; }
    void summary() const { std::printf("%d passed, %d failed\n", passed_, failed_); }

private:
    int passed_ = 0;
    int failed_ = 0;
};

std::optional<QByteArray> readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return f.readAll();
}

// A picture cut by the colour of its top-left pixel.
void checkShaped(Checks &c, const QString &dir, const QString &name, QSize size, const Mask &mask,
                 QColor key, QRect outline)
{
    const QString path = dir + QLatin1Char('/') + name;
    const QImage img(path);
    c.expect(!img.isNull(), name + QStringLiteral(": loads"));
    if (img.isNull())
        return;
    c.expect(img.size() == size, name + QStringLiteral(": size"));
    if (img.size() != size)
        return;
    // A palette picture whose top-left pixel is its transparent entry.
    const bool palette = img.format() == QImage::Format_Indexed8;
    c.expect(palette && img.colorCount() <= 256, name + QStringLiteral(": a palette of at most 256 colours"));
    const QRgb keyEntry = palette ? img.color(img.pixelIndex(0, 0)) : 0;
    c.expect(palette && qAlpha(keyEntry) == 0 && (keyEntry & 0xffffff) == (key.rgb() & 0xffffff),
             name + QStringLiteral(": transparent palette entry is ") + key.name());
    c.expect(mask.bounds() == outline, name + QStringLiteral(": outline extents"));

    const QRgb topLeft = img.pixel(0, 0);
    c.expect(qAlpha(topLeft) == 0, name + QStringLiteral(": top-left pixel is transparent"));
    int wrongCut = 0, keyInside = 0, fringe = 0;
    QRect seen;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            const bool cut = p == topLeft;
            if (cut == mask.in(x, y))
                ++wrongCut;
            if (!cut)
                seen |= QRect(x, y, 1, 1);
            if (mask.in(x, y)) {
                if (qAlpha(p) != 255 || (p & 0xffffff) == (key.rgb() & 0xffffff)
                    || (p & 0xffffff) == 0xffffff)
                    ++keyInside;
                // An outline pixel blended with the background would be light.
                if (mask.isEdge(x, y) && qGray(p) > 170)
                    ++fringe;
            }
        }
    }
    c.expect(wrongCut == 0, name + QStringLiteral(": %1 pixels cut wrongly").arg(wrongCut));
    c.expect(seen == outline, name + QStringLiteral(": visible extents"));
    c.expect(keyInside == 0,
             name + QStringLiteral(": %1 inside pixels are background-coloured").arg(keyInside));
    c.expect(fringe == 0, name + QStringLiteral(": %1 light outline pixels").arg(fringe));
}

// A 1x rectangle in the pixels of a picture drawn at `scale`.
QRect scaled(const QRect &r, int scale)
{
    return QRect(r.topLeft() * scale, r.size() * scale);
}

void checkSkinDetails(Checks &c, const QString &dir, const QString &name, const Mask &mask,
                      std::initializer_list<vorlix::TwipsRect> hotspots)
{
    namespace L = vorlix::frmMainLayout;
    const int s = mask.scale();
    // Every hotspot must lie on painted parts of the device, not on cut-away background.
    int missed = 0;
    for (const vorlix::TwipsRect &h : hotspots)
        if (!mask.in(scaled(h.pixels(), s).center().x(), scaled(h.pixels(), s).center().y()))
            ++missed;
    c.expect(missed == 0, name + QStringLiteral(": %1 hotspots off the device").arg(missed));
    int above = 0;
    for (int y = 0; y < 7 * s; ++y)
        for (int x = 0; x < mask.width(); ++x)
            if (mask.in(x, y) && !scaled(L::Image_volume_decrease.pixels(), s).contains(x, y)
                && !scaled(L::Image_volume_increase.pixels(), s).contains(x, y))
                ++above;
    c.expect(above == 0, name + QStringLiteral(": only the volume buttons stand above the body"));
    // The app writes the title into the display: that stretch must be one plain colour.
    const QImage img(dir + QLatin1Char('/') + name);
    if (img.isNull())
        return;
    const QRect text = scaled(L::Text_Title.pixels(), s);
    std::set<QRgb> colours;
    for (int y = text.top(); y <= text.bottom(); ++y)
        for (int x = text.left(); x <= text.right(); ++x)
            colours.insert(img.pixel(x, y));
    const QRgb lcd = *colours.begin();
    c.expect(colours.size() == 1 && qGreen(lcd) > qRed(lcd) && qGreen(lcd) > qBlue(lcd),
             name + QStringLiteral(": plain green behind the title"));
}

// A picture for a larger scale must be drawn for it: its outline is that of
// the 1x picture within one of its own pixels, and it is not the 1x picture
// blown up, nor anything else blown up (few of its blocks of scale x scale
// pixels are one colour). Pictures that are one plain colour are exempt from
// the latter.
void checkScaled(Checks &c, const QString &dir, const QString &name, int s, bool plain = false)
{
    const QImage one = QImage(dir + QLatin1Char('/') + name).convertToFormat(QImage::Format_ARGB32);
    const QString scaledFile = scaledName(name, s);
    const QImage big = QImage(dir + QLatin1Char('/') + scaledFile).convertToFormat(QImage::Format_ARGB32);
    if (one.isNull() || big.size() != one.size() * s) {
        c.expect(false, scaledFile + QStringLiteral(": %1 times the 1x picture's size").arg(s));
        return;
    }
    const auto cut1 = [&](int x, int y) {
        return x < 0 || y < 0 || x >= big.width() || y >= big.height()
               || (qAlpha(one.pixel(0, 0)) == 0 && one.pixel(x / s, y / s) == one.pixel(0, 0));
    };
    int astray = 0, inside = 0, as1x = 0, plainBlocks = 0, blocks = 0;
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x) {
            const bool cut = qAlpha(big.pixel(0, 0)) == 0 && big.pixel(x, y) == big.pixel(0, 0);
            if (cut != cut1(x, y)) {
                bool near = false;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        near = near || cut1(x + dx, y + dy) == cut;
                astray += !near;
            }
            if (cut)
                continue;
            ++inside;
            as1x += big.pixel(x, y) == one.pixel(x / s, y / s);
            if (x % s == 0 && y % s == 0 && x + s <= big.width() && y + s <= big.height()) {
                bool same = true;
                for (int dy = 0; dy < s; ++dy)
                    for (int dx = 0; dx < s; ++dx)
                        same = same && big.pixel(x + dx, y + dy) == big.pixel(x, y);
                ++blocks;
                plainBlocks += same;
            }
        }
    c.expect(astray == 0, scaledFile + QStringLiteral(": %1 outline pixels stray from the 1x outline").arg(astray));
    if (plain)
        return;
    c.expect(as1x * 4 < inside * 3,
             scaledFile + QStringLiteral(": %1 of %2 pixels as in the 1x picture").arg(as1x).arg(inside));
    c.expect(plainBlocks * 4 < blocks * 3,
             scaledFile + QStringLiteral(": %1 of %2 blocks one colour").arg(plainBlocks).arg(blocks));
}

void checkWav(Checks &c, const QString &dir, const QString &name, int minMs, int maxMs)
{
    const auto bytes = readAll(dir + QLatin1Char('/') + name);
    c.expect(bytes && bytes->size() > 44, name + QStringLiteral(": readable"));
    if (!bytes || bytes->size() <= 44)
        return;
    const QByteArray &b = *bytes;
    auto u16 = [&](int i) { return uint16_t(uchar(b[i]) | uchar(b[i + 1]) << 8); };
    auto u32 = [&](int i) { return uint32_t(u16(i)) | uint32_t(u16(i + 2)) << 16; };
    const bool header = b.startsWith("RIFF") && b.mid(8, 8) == "WAVEfmt " && u16(20) == 1
                        && u16(22) == 1 && u32(24) == 44100 && u16(34) == 16
                        && b.mid(36, 4) == "data" && u32(40) == uint32_t(b.size() - 44)
                        && u32(4) == uint32_t(b.size() - 8);
    c.expect(header, name + QStringLiteral(": 44.1 kHz 16-bit mono PCM header"));
    const int samples = (b.size() - 44) / 2;
    const int ms = samples * 1000 / 44100;
    c.expect(ms >= minMs && ms <= maxMs, name + QStringLiteral(": %1 ms long").arg(ms));
    int peak = 0;
    for (int i = 0; i < samples; ++i)
        peak = std::max(peak, std::abs(int(int16_t(u16(44 + 2 * i)))));
    c.expect(peak > 4000 && peak < 32767, name + QStringLiteral(": peak %1").arg(peak));
}

void checkPictures(Checks &c, const QString &dir, int s)
{
    namespace L = vorlix::frmMainLayout;
    const auto file = [s](const char *name) { return scaledName(QString::fromLatin1(name), s); };
    const QSize skin = L::kSkinSize * s;
    checkShaped(c, dir, file("skin1.png"), skin, skin1Mask(s), Qt::white,
                scaled(QRect(QPoint(15, 3), QPoint(284, 74)), s));
    checkShaped(c, dir, file("skin2.png"), skin, skin2Mask(s), Qt::white,
                scaled(QRect(QPoint(15, 3), QPoint(256, 74)), s));
    checkSkinDetails(c, dir, file("skin1.png"), skin1Mask(s),
                     {L::Image_volume_decrease, L::Image_volume_increase, L::Image_PlayList,
                      L::Image_power, L::Image_button, L::Image_usb_off, L::Text_Title});
    checkSkinDetails(c, dir, file("skin2.png"), skin2Mask(s),
                     {L::Image_volume_decrease, L::Image_volume_increase, L::Image_PlayList,
                      L::Image2, L::Image1, L::Image_usb_on, L::Text_Title});
    for (const char *name : {"play.png", "pause.png"})
        checkShaped(c, dir, file(name), QSize(50, 30) * s, playButtonMask(s), Qt::white,
                    playButtonMask(s).bounds());
    checkShaped(c, dir, file("playlist_outline.png"), QSize(285, 117) * s, playlistOutlineMask(s),
                Qt::white, scaled(QRect(QPoint(6, 8), QPoint(274, 110)), s));
    {
        const QImage outline(dir + QLatin1Char('/') + file("playlist_outline.png"));
        bool flat = !outline.isNull();
        const Mask m = playlistOutlineMask(s);
        for (int y = 0; flat && y < outline.height(); ++y)
            for (int x = 0; x < outline.width(); ++x)
                if (m.in(x, y) && outline.pixel(x, y) != qRgb(88, 89, 91))
                    flat = false;
        c.expect(flat, file("playlist_outline.png") + QStringLiteral(": one dark grey"));
    }
    checkShaped(c, dir, file("about.png"), QSize(32, 32) * s, aboutMask(s), QColor(255, 0, 0),
                aboutMask(s).bounds());
    checkShaped(c, dir, file("help.png"), QSize(32, 32) * s, helpMask(s), QColor(255, 0, 255),
                helpMask(s).bounds());

    const QImage panel(dir + QLatin1Char('/') + file("playlist_panel.png"));
    const QSize panelSize = QSize(266, 101) * s;
    c.expect(panel.size() == panelSize, file("playlist_panel.png") + QStringLiteral(": size"));
    if (panel.size() == panelSize) {
        auto near = [](QRgb a, QRgb b) {
            return std::abs(qRed(a) - qRed(b)) < 16 && std::abs(qGreen(a) - qGreen(b)) < 16
                   && std::abs(qBlue(a) - qBlue(b)) < 16;
        };
        const QRgb rim = qRgb(88, 89, 91);
        const int r = panelSize.width() - 1, b = panelSize.height() - 1;
        c.expect(near(panel.pixel(0, 0), rim) && near(panel.pixel(r, 0), rim)
                     && near(panel.pixel(0, b), rim) && near(panel.pixel(r, b), rim),
                 file("playlist_panel.png") + QStringLiteral(": corners blend into the outline"));
        c.expect(qGray(panel.pixel(30 * s, 80 * s)) > 170, file("playlist_panel.png") + QStringLiteral(": light metal"));
    }
    if (s == 1)
        return;
    for (const char *name : {"skin1.png", "skin2.png", "play.png", "pause.png", "playlist_panel.png",
                             "about.png", "help.png"})
        checkScaled(c, dir, QString::fromLatin1(name), s);
    checkScaled(c, dir, QStringLiteral("playlist_outline.png"), s, true);
}

} // namespace

bool verifyAssets(const QString &dir)
{
    Checks c;
    for (int s : kScales)
        checkPictures(c, dir, s);

    QImageReader ico(dir + QStringLiteral("/vorlix.ico"));
    std::set<int> sizes;
    for (int i = 0; i < ico.imageCount(); ++i) {
        ico.jumpToImage(i);
        const QImage img = ico.read();
        if (!img.isNull() && img.width() == img.height())
            sizes.insert(img.width());
    }
    c.expect(sizes == std::set<int>{16, 32}, QStringLiteral("vorlix.ico: 16 and 32 pixel images"));

    // The desktop's icons: one per size, on a tile with transparent corners;
    // the window icon's two sizes are the same pictures.
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString name = QStringLiteral("icons/vorlix-%1.png").arg(size);
        const QImage icon =
            QImage(dir + QLatin1Char('/') + name).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        c.expect(icon.size() == QSize(size, size), name + QStringLiteral(": size"));
        if (icon.size() != QSize(size, size))
            continue;
        c.expect(qAlpha(icon.pixel(0, 0)) == 0 && qAlpha(icon.pixel(size / 2, size / 2)) == 255,
                 name + QStringLiteral(": transparent corner, opaque middle"));
        if (size != 16 && size != 32)
            continue;
        bool same = false;
        for (int i = 0; !same && i < ico.imageCount(); ++i) {
            ico.jumpToImage(i);
            same = ico.read().convertToFormat(QImage::Format_ARGB32_Premultiplied) == icon;
        }
        c.expect(same, name + QStringLiteral(": same as in vorlix.ico"));
    }

    // The scalable icon, drawn at 256 pixels, is the 256-pixel picture but
    // for antialiasing and the shadow's blending.
    QSvgRenderer svg(dir + QStringLiteral("/icons/vorlix.svg"));
    c.expect(svg.isValid() && svg.viewBox() == QRect(0, 0, 256, 256), QStringLiteral("icons/vorlix.svg: a 256 x 256 drawing"));
    if (svg.isValid()) {
        QImage drawn(256, 256, QImage::Format_ARGB32_Premultiplied);
        drawn.fill(Qt::transparent);
        QPainter p(&drawn);
        svg.render(&p);
        p.end();
        const QImage png = QImage(dir + QStringLiteral("/icons/vorlix-256.png"))
                               .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        double diff = 0;
        for (int y = 0; y < 256 && png.size() == drawn.size(); ++y)
            for (int x = 0; x < 256; ++x) {
                const QRgb a = drawn.pixel(x, y), b = png.pixel(x, y);
                diff += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                        std::abs(qBlue(a) - qBlue(b)) + std::abs(qAlpha(a) - qAlpha(b));
            }
        diff /= 256.0 * 256 * 4;
        c.expect(png.size() == drawn.size() && diff < 3,
                 QStringLiteral("icons/vorlix.svg: differs from vorlix-256.png by %1 a channel").arg(diff));
    }

    checkWav(c, dir, QStringLiteral("do.wav"), 10, 40);
    checkWav(c, dir, QStringLiteral("usbopen.wav"), 150, 300);
    c.summary();
    return c.ok();
}

} // namespace artgen
