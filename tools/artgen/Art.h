// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include <cstdint>
#include <vector>

namespace artgen {

// A hard-edged shape: one flag per pixel. Skins are cut from their pictures by
// colour, so the outline must never be antialiased against the background.
// Shapes are described in the 1x picture's pixels; a mask for a larger scale
// has `scale` times the pixels in each direction and follows the same shape.
class Mask {
public:
    Mask(int width, int height, int scale = 1)
        : w_(width * scale), h_(height * scale), scale_(scale), bits_(size_t(w_) * h_, 0)
    {
    }

    int width() const { return w_; }
    int height() const { return h_; }
    int scale() const { return scale_; }
    bool in(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < w_ && y < h_ && bits_[size_t(y) * w_ + x] != 0;
    }
    void set(int x, int y, bool on)
    {
        if (x >= 0 && y >= 0 && x < w_ && y < h_)
            bits_[size_t(y) * w_ + x] = on ? 1 : 0;
    }

    // Rounded rectangle over the inclusive 1x pixel rectangle r; a pixel
    // belongs to it when its centre does. rx/ry are the corner radii.
    void addRoundRect(const QRect &r, double rx, double ry, bool on = true);
    void addRoundRect(const QRect &r, double radius) { addRoundRect(r, radius, radius); }
    void addEllipse(const QRect &r, bool on = true);
    // For a larger scale: where this shape strays more than one of its own
    // pixels from the 1x shape `one`, it takes the 1x shape's pixels, so the
    // window's outline stays where the 1x outline is.
    void keepNear(const Mask &one);
    // Pixels that are in the shape and lie within one 1x pixel of the outside.
    bool isEdge(int x, int y) const;
    QRect bounds() const;

private:
    int w_;
    int h_;
    int scale_;
    std::vector<uint8_t> bits_;
};

// Brightest value a channel may have inside a shape: pure white is the
// background key, and it must not reappear after palette reduction either.
inline constexpr int kMaxInside = 245;

// Cuts `art` with `mask`: outside becomes `key` with alpha 0 (the GIF's
// transparent colour), the edge gets a dark outline, the inner ring a light
// bevel towards the top left and a shadow towards the bottom right, no
// inside pixel is left brighter than kMaxInside, and at most 255 colours remain.
QImage cutOut(const QImage &art, const Mask &mask, QColor key, double outlineFactor = 0.5,
              int bevel = 22);

// Maps the opaque colours of img onto at most maxColours, so a GIF palette
// holds them exactly (with one entry left for the transparent key).
void reducePalette(QImage &img, int maxColours);

// A fresh ARGB picture filled with c, for antialiased painting.
QImage canvas(QSize size, QColor c);

// Deterministic noise for brushed-metal streaks.
class Noise {
public:
    explicit Noise(uint32_t seed) : s_(seed ? seed : 1) {}
    // Uniform in [-1, 1].
    double next()
    {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 17;
        s_ ^= s_ << 5;
        return (s_ % 20001) / 10000.0 - 1.0;
    }

private:
    uint32_t s_;
};

// The scales every skin picture is drawn at: the 1x picture and ones for
// screens with two and three device pixels to the pixel, named name@2x.png
// and name@3x.png.
inline constexpr int kScales[] = {1, 2, 3};
QString scaledName(const QString &name, int scale);

// Shapes of the pictures at a scale, shared by drawing and verification.
Mask skin1Mask(int scale = 1);
Mask skin2Mask(int scale = 1);
Mask playButtonMask(int scale = 1);
Mask playlistOutlineMask(int scale = 1);
Mask aboutMask(int scale = 1);
Mask helpMask(int scale = 1);

QImage drawSkin1(int scale = 1);
QImage drawSkin2(int scale = 1);
QImage drawPlayButton(int scale = 1);
QImage drawPauseButton(int scale = 1);
QImage drawPlaylistOutline(int scale = 1);
QImage drawPlaylistPanel(int scale = 1);
QImage drawAbout(int scale = 1);
QImage drawHelp(int scale = 1);
QImage drawIcon(int size);
// The icon as a drawing that scales: an SVG file at `path`.
bool writeScalableIcon(const QString &path);
// The about dialog's 100 x 108 photograph of the device.
QImage drawPhoto();

// 44.1 kHz 16-bit mono PCM samples.
std::vector<int16_t> synthClick();
std::vector<int16_t> synthPlug();
bool writeWav(const QString &path, const std::vector<int16_t> &samples);

// Loads the finished files in dir and checks them; prints each failure.
bool verifyAssets(const QString &dir);

} // namespace artgen
