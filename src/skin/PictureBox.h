// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "skin/Picture.h"

#include <QImage>
#include <QWidget>

namespace vorlix {

// A box that shows a picture at its top-left corner and keeps the picture's
// pixels, so a window region can be read from them.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setPicture(QImage picture);
    // The picture in `fileName`, drawn for the ratio of the screen the box is
    // on: read when it is first needed, and read again for another ratio.
    // Only the one for the current ratio is kept.
    void setPictureFile(const QString& fileName);
    const QImage& picture() const;

    // With automatic sizing on, the box takes the size of its picture.
    void setAutoSize(bool on);
    bool autoSize() const { return autoSize_; }

signals:
    void MouseDown(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    mutable QImage picture_;
    mutable PictureFile file_;
    bool autoSize_ = false;
};

} // namespace vorlix
