// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11/XSession.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <sys/prctl.h>

namespace vorlix::x11 {

namespace {
struct Free { void operator()(void* p) const { std::free(p); } };
template <class T> using Reply = std::unique_ptr<T, Free>;
} // namespace

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeout.count())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(10);
    }
    return true;
}

std::unique_ptr<Xvfb> Xvfb::start(QString* error)
{
    // Xvfb takes the first free display number and writes it to -displayfd
    // once it accepts clients. It goes down with us, even if we crash.
    // -noreset: a server whose last client leaves would otherwise reset, and
    // refuse whoever connects in that moment.
    auto server = std::make_unique<QProcess>();
    server->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    server->setStandardErrorFile(QProcess::nullDevice());
    server->start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-screen", "0", "800x600x24",
                                           "-nolisten", "tcp", "-noreset"});
    if (!server->waitForStarted(5000)) {
        *error = QStringLiteral("Xvfb is not installed");
        return nullptr;
    }
    QByteArray number;
    while (!number.endsWith('\n') && server->waitForReadyRead(15000))
        number += server->readAllStandardOutput();
    if (!number.endsWith('\n')) {
        *error = QStringLiteral("Xvfb did not start");
        return nullptr; // ~QProcess kills it
    }
    return std::unique_ptr<Xvfb>(new Xvfb{std::move(server), ':' + QString::fromLatin1(number.trimmed())});
}

Xvfb::~Xvfb()
{
    server_->terminate(); // lets it remove its lock file and socket
    if (!server_->waitForFinished(5000))
        server_->kill();
    server_->waitForFinished(2000);
}

QProcessEnvironment Xvfb::clientEnvironment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("XAUTHORITY"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
    return env;
}

bool Xvfb::runTool(const QString& program, const QStringList& args, QString* output) const
{
    QProcess tool;
    tool.setProcessEnvironment(clientEnvironment());
    tool.start(program, args);
    const bool ended = tool.waitForFinished(10000); // ~QProcess ends one that hangs
    if (output)
        *output = QString::fromLocal8Bit(tool.readAllStandardOutput());
    return ended && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

bool Xvfb::click(QPoint at, int count) const
{
    waitUntil([&] { return !sinceClick_.isValid() || sinceClick_.hasExpired(600); });
    const bool ok = xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "--repeat",
                             QString::number(count), "--delay", "80", "1"});
    sinceClick_.start();
    return ok;
}

QString shapeRows(const QRegion& shape)
{
    QStringList rows;
    for (int y : {2, 5, 12, 41, 70, 80}) {
        QStringList runs;
        for (const QRect& run : shape.intersected(QRect(0, y, 1 << 16, 1)))
            runs << QStringLiteral("%1-%2").arg(run.left()).arg(run.right() + 1);
        rows << QString::number(y) + u':' + runs.join(u',');
    }
    return rows.join(u' ');
}

std::unique_ptr<XConnection> XConnection::open(const QString& display)
{
    int screen = 0;
    xcb_connection_t* conn = xcb_connect(display.toLocal8Bit().constData(), &screen);
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(conn));
    for (int i = 0; i < screen && it.rem; ++i)
        xcb_screen_next(&it);
    if (xcb_connection_has_error(conn) || !it.rem) {
        xcb_disconnect(conn);
        return nullptr;
    }
    const QSize size(it.data->width_in_pixels, it.data->height_in_pixels);
    return std::unique_ptr<XConnection>(new XConnection(conn, it.data->root, size));
}

XConnection::~XConnection()
{
    xcb_disconnect(conn_);
}

quint32 XConnection::atom(const char* name) const
{
    Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        conn_, xcb_intern_atom(conn_, 0, uint16_t(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : quint32(XCB_ATOM_NONE);
}

QByteArray XConnection::property(quint32 window, const char* name) const
{
    Reply<xcb_get_property_reply_t> p(xcb_get_property_reply(
        conn_, xcb_get_property(conn_, 0, window, atom(name), XCB_GET_PROPERTY_TYPE_ANY, 0, 4096), nullptr));
    return p ? QByteArray(static_cast<const char*>(xcb_get_property_value(p.get())), xcb_get_property_value_length(p.get()))
             : QByteArray();
}

std::vector<TopLevel> XConnection::mappedTopLevels() const
{
    const auto cardinal = [](const QByteArray& bytes, int i) {
        return bytes.size() >= 4 * (i + 1) ? reinterpret_cast<const quint32*>(bytes.constData())[i] : 0u;
    };
    QByteArray ids = property(root_, "_NET_CLIENT_LIST");
    Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(conn_, xcb_query_tree(conn_, root_), nullptr));
    if (ids.isEmpty() && tree)
        ids = QByteArray(reinterpret_cast<const char*>(xcb_query_tree_children(tree.get())),
                         4 * xcb_query_tree_children_length(tree.get()));
    std::vector<TopLevel> result;
    for (int i = 0; i < ids.size() / 4; ++i) {
        const xcb_window_t w = cardinal(ids, i);
        Reply<xcb_get_window_attributes_reply_t> attrs(
            xcb_get_window_attributes_reply(conn_, xcb_get_window_attributes(conn_, w), nullptr));
        Reply<xcb_get_geometry_reply_t> geo(xcb_get_geometry_reply(conn_, xcb_get_geometry(conn_, w), nullptr));
        Reply<xcb_translate_coordinates_reply_t> at(
            xcb_translate_coordinates_reply(conn_, xcb_translate_coordinates(conn_, w, root_, 0, 0), nullptr));
        if (!attrs || attrs->map_state != XCB_MAP_STATE_VIEWABLE || !geo || !at)
            continue;
        const QRect client(at->dst_x, at->dst_y, geo->width, geo->height);
        const QByteArray e = property(w, "_NET_FRAME_EXTENTS"); // left, right, top, bottom
        result.push_back({w, client, QString::fromUtf8(property(w, "WM_NAME")), cardinal(property(w, "_NET_WM_PID"), 0),
                          client.adjusted(-int(cardinal(e, 0)), -int(cardinal(e, 2)), cardinal(e, 1), cardinal(e, 3))});
    }
    return result;
}

std::optional<QRegion> XConnection::boundingShape(quint32 window) const
{
    Reply<xcb_shape_get_rectangles_reply_t> reply(xcb_shape_get_rectangles_reply(
        conn_, xcb_shape_get_rectangles(conn_, window, XCB_SHAPE_SK_BOUNDING), nullptr));
    if (!reply)
        return std::nullopt;
    const xcb_rectangle_t* rects = xcb_shape_get_rectangles_rectangles(reply.get());
    QRegion region;
    for (int i = 0; i < xcb_shape_get_rectangles_rectangles_length(reply.get()); ++i)
        region += QRect(rects[i].x, rects[i].y, rects[i].width, rects[i].height);
    return region;
}

QImage XConnection::grab(const QRect& rect) const
{
    const QRect r = rect.intersected(QRect(QPoint(0, 0), screen_));
    if (r.isEmpty())
        return {};
    Reply<xcb_get_image_reply_t> reply(xcb_get_image_reply(
        conn_, xcb_get_image(conn_, XCB_IMAGE_FORMAT_Z_PIXMAP, root_, int16_t(r.x()), int16_t(r.y()),
                             uint16_t(r.width()), uint16_t(r.height()), ~0u), nullptr));
    // The server runs at depth 24 with 32 bits a pixel, the layout of RGB32.
    if (!reply || reply->depth != 24 || xcb_get_image_data_length(reply.get()) != r.width() * r.height() * 4)
        return {};
    return QImage(xcb_get_image_data(reply.get()), r.width(), r.height(), r.width() * 4,
                  QImage::Format_RGB32).copy();
}

bool XConnection::sendDeleteWindow(quint32 window) const
{
    xcb_client_message_event_t event = {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom("WM_PROTOCOLS");
    event.data.data32[0] = atom("WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    Reply<xcb_generic_error_t> error(xcb_request_check(conn_, xcb_send_event_checked(
        conn_, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event))));
    return !error;
}

} // namespace vorlix::x11
