// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

namespace vorlix {

// Reads one of the program's own pictures in the format its file name names.
// QImage's own loading asks every image plugin about a PNG before it falls
// back on the built-in reader, which loads all of them; this reads plain
// PNGs itself and asks only the reader for any other format. A null image
// when the picture cannot be read.
QImage readPicture(const QString& fileName);

// The picture for a screen with `ratio` device pixels to the pixel, with that
// device pixel ratio. The skin's pictures are drawn for 1x, 2x and 3x screens
// (name.png, name@2x.png, name@3x.png): a whole ratio takes its own picture,
// any other the next larger one, scaled down smoothly to the ratio's size (a
// picture is never blown up while a larger one exists). Scaled down, a
// picture's edge stays hard: each pixel is either wholly inside or wholly the
// transparent colour, so the window's outline can be cut from it.
QImage readPicture(const QString& fileName, qreal ratio);

// The device pixel ratio a picture for `ratio` is drawn at: whole ratios
// and ratios a hair off them are taken as whole.
qreal pictureRatio(qreal ratio);

// A picture file of the skin, read for the device pixel ratio it is shown at
// when it is first needed, and read again for another ratio; only the
// pixels for the current ratio are kept. Shaped pictures are kept
// premultiplied, the form the painter blends without converting.
class PictureFile {
public:
    void setFile(const QString& fileName)
    {
        file_ = fileName;
        image_ = QImage();
        ratio_ = 0;
    }
    bool isEmpty() const { return file_.isEmpty(); }
    const QImage& at(qreal ratio);

private:
    QString file_;
    QImage image_;
    qreal ratio_ = 0;
};

} // namespace vorlix
