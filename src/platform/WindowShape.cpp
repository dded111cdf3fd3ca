// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowShape.h"

#include <QGuiApplication>
#include <QRegion>
#include <QWidget>

#ifdef VORLIX_HAVE_XCB
#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <vector>
#endif

namespace vorlix {

bool shapeInDevicePixels(QWidget& window, const QRegion& devicePixels)
{
#ifdef VORLIX_HAVE_XCB
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    auto* x11 = app ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* conn = x11 ? x11->connection() : nullptr;
    if (!conn || !window.testAttribute(Qt::WA_WState_Created) || devicePixels.isEmpty())
        return false;
    std::vector<xcb_rectangle_t> rects;
    rects.reserve(size_t(devicePixels.rectCount()));
    for (const QRect& r : devicePixels)
        rects.push_back({qint16(r.x()), qint16(r.y()), quint16(r.width()), quint16(r.height())});
    xcb_shape_rectangles(conn, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING, XCB_CLIP_ORDERING_UNSORTED,
                         xcb_window_t(window.winId()), 0, 0, quint32(rects.size()), rects.data());
    xcb_flush(conn);
    return true;
#else
    Q_UNUSED(window);
    Q_UNUSED(devicePixels);
    return false;
#endif
}

} // namespace vorlix
