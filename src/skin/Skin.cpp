// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/Skin.h"

#include "platform/WindowShape.h"
#include "skin/Picture.h"
#include "skin/PictureBox.h"
#include "skin/gifmod.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QScreen>
#include <QWindow>

#include <cmath>
#include <utility>

namespace vorlix {

namespace {

// The pixels that hold any part of a region in device pixels, as a widget
// mask must be given.
QRegion coveringPixels(const QRegion& devicePixels, qreal ratio)
{
    QList<QRect> rects;
    rects.reserve(devicePixels.rectCount());
    for (const QRect& r : devicePixels) {
        const int left = int(std::floor(r.left() / ratio));
        const int top = int(std::floor(r.top() / ratio));
        const int right = int(std::ceil((r.right() + 1) / ratio));
        const int bottom = int(std::ceil((r.bottom() + 1) / ratio));
        rects.append(QRect(left, top, right - left, bottom - top));
    }
    QRegion region;
    for (const QRect& r : rects)
        region += r;
    return region;
}

// Keeps a skinned window in the pictures and the outline of its screen's
// ratio: when the window is created on a screen of another ratio than the
// one its skin was applied for, and when it moves to such a screen.
class ScreenFollower : public QObject {
public:
    explicit ScreenFollower(QWidget& window) : QObject(&window), window_(window)
    {
        window.installEventFilter(this);
    }

    // Whether the window had an outline in device pixels before.
    bool follow(PictureBox& box, const QRegion& devicePixels)
    {
        box_ = &box;
        return !std::exchange(devicePixels_, devicePixels).isEmpty();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &window_ && event->type() == QEvent::Show && box_) {
            watchScreen();
            if (box_->picture().devicePixelRatio() != pictureRatio(window_.devicePixelRatioF()))
                ApplySkin(window_, *box_);
            else if (!devicePixels_.isEmpty())
                shapeInDevicePixels(window_, devicePixels_);
        }
        return false;
    }

private:
    void watchScreen()
    {
        QWindow* handle = window_.windowHandle();
        if (!handle || watched_ == handle)
            return;
        watched_ = handle;
        // Once the move is through: Qt gives the window its size for the new
        // ratio after it tells of the new screen.
        connect(handle, &QWindow::screenChanged, this, [this] {
            QMetaObject::invokeMethod(this, [this] {
                if (box_)
                    ApplySkin(window_, *box_);
            }, Qt::QueuedConnection);
        });
    }

    QWidget& window_;
    QPointer<PictureBox> box_;
    QPointer<QWindow> watched_;
    QRegion devicePixels_;
};

} // namespace

void ApplySkin(QWidget& window, PictureBox& box)
{
    // The box takes the size of its picture and draws it without a border.
    box.setAutoSize(true);

    if (!(window.windowFlags() & Qt::FramelessWindowHint))
        window.setWindowFlag(Qt::FramelessWindowHint, true);

    box.setPicture(box.picture());
    window.setFixedSize(box.size());

    // The region comes in the picture's own pixels: on a screen of another
    // ratio than 1, the window gets the pixels that hold any of it as its
    // mask and, where the platform allows, the region itself as its outline.
    const QRegion region = MakeWindowRegion(box);
    const qreal ratio = box.picture().devicePixelRatio();
    // Beyond the largest picture drawn, Qt blows the picture up: the mask alone.
    const bool screenPixels = ratio == pictureRatio(window.devicePixelRatioF());
    if (region.isEmpty())
        window.clearMask();
    else if (ratio == 1)
        window.setMask(region);
    else
        window.setMask(coveringPixels(region, ratio));
    ScreenFollower* follower = nullptr;
    for (QObject* child : window.children())
        if ((follower = dynamic_cast<ScreenFollower*>(child)))
            break;
    if (!follower)
        follower = new ScreenFollower(window);
    // Back at ratio 1 from another, the widget mask may be the same as
    // before, which Qt does not hand to the system again.
    const bool hadDeviceShape = follower->follow(box, ratio == 1 ? QRegion() : region);
    if ((ratio != 1 || hadDeviceShape) && screenPixels && !region.isEmpty())
        shapeInDevicePixels(window, region);
}

} // namespace vorlix
