#include "x11/XSession.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vorlix::x11 {

namespace {

template <class T> struct FreeDeleter {
    void operator()(T* p) const { std::free(p); }
};
template <class T> using Reply = std::unique_ptr<T, FreeDeleter<T>>;

// Reads the display number that Xvfb writes to the descriptor given with
// -displayfd once it accepts connections.
std::optional<QString> readDisplayNumber(int fd, pid_t pid, std::chrono::milliseconds timeout)
{
    QByteArray text;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeout.count()) {
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, 100);
        if (ready > 0) {
            char buffer[32];
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n > 0) {
                text.append(buffer, n);
                if (text.contains('\n'))
                    return QString::fromLatin1(text.trimmed());
                continue;
            }
            if (n == 0)
                return std::nullopt; // Xvfb closed it without a number: it gave up.
        }
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid)
            return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (done())
            return true;
        if (clock.elapsed() > timeout.count())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(10);
    }
}

// Xvfb

std::unique_ptr<Xvfb> Xvfb::start(QString* error)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (program.isEmpty()) {
        *error = QStringLiteral("Xvfb is not installed");
        return nullptr;
    }
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        *error = QStringLiteral("pipe: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return nullptr;
    }
    const QByteArray path = program.toLocal8Bit();
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        *error = QStringLiteral("fork failed");
        return nullptr;
    }
    if (pid == 0) {
        // The server goes down with us even if we crash.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent)
            ::_exit(127);
        ::dup2(fds[1], 3); // dup2 clears close-on-exec on the copy
        const int devnull = ::open("/dev/null", O_WRONLY);
        if (devnull >= 0) {
            ::dup2(devnull, 1);
            ::dup2(devnull, 2);
        }
        ::execl(path.constData(), "Xvfb", "-displayfd", "3", "-screen", "0", "800x600x24",
                "-nolisten", "tcp", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    const auto number = readDisplayNumber(fds[0], pid, std::chrono::seconds(15));
    ::close(fds[0]);
    if (!number) {
        ::kill(pid, SIGTERM);
        ::waitpid(pid, nullptr, 0);
        *error = QStringLiteral("Xvfb did not start");
        return nullptr;
    }
    return std::unique_ptr<Xvfb>(new Xvfb(pid, QLatin1Char(':') + *number));
}

Xvfb::~Xvfb()
{
    ::kill(pid_, SIGTERM);
    int status = 0;
    QElapsedTimer clock;
    clock.start();
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
        if (clock.elapsed() > 5000) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
            break;
        }
        QThread::msleep(10);
    }
}

QProcessEnvironment Xvfb::clientEnvironment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("XAUTHORITY"));
    return env;
}

bool Xvfb::runTool(const QString& program, const QStringList& args, QString* output) const
{
    QProcess tool;
    tool.setProcessEnvironment(clientEnvironment());
    tool.start(program, args);
    if (!tool.waitForFinished(10000)) {
        tool.kill();
        tool.waitForFinished(1000);
        return false;
    }
    if (output)
        *output = QString::fromLocal8Bit(tool.readAllStandardOutput());
    return tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

// XConnection

XConnection::XConnection(xcb_connection_t* conn, quint32 root, QSize screen)
    : conn_(conn), root_(root), screen_(screen)
{
}

std::unique_ptr<XConnection> XConnection::open(const QString& display)
{
    int screenNumber = 0;
    xcb_connection_t* conn = xcb_connect(display.toLocal8Bit().constData(), &screenNumber);
    if (!conn || xcb_connection_has_error(conn)) {
        if (conn)
            xcb_disconnect(conn);
        return nullptr;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(conn));
    for (int i = 0; i < screenNumber && it.rem; ++i)
        xcb_screen_next(&it);
    if (!it.rem) {
        xcb_disconnect(conn);
        return nullptr;
    }
    return std::unique_ptr<XConnection>(new XConnection(
        conn, it.data->root, QSize(it.data->width_in_pixels, it.data->height_in_pixels)));
}

XConnection::~XConnection()
{
    xcb_disconnect(conn_);
}

quint32 XConnection::atom(const char* name) const
{
    Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        conn_, xcb_intern_atom(conn_, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : quint32(XCB_ATOM_NONE);
}

QString XConnection::textProperty(quint32 window, quint32 property) const
{
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        conn_, xcb_get_property(conn_, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024),
        nullptr));
    if (!reply || reply->format != 8)
        return {};
    return QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(reply.get())),
                             xcb_get_property_value_length(reply.get()));
}

QStringList XConnection::wmClass(quint32 window) const
{
    return textProperty(window, XCB_ATOM_WM_CLASS).split(QChar(0), Qt::SkipEmptyParts);
}

std::optional<QRect> XConnection::geometry(quint32 window) const
{
    Reply<xcb_get_geometry_reply_t> reply(
        xcb_get_geometry_reply(conn_, xcb_get_geometry(conn_, window), nullptr));
    if (!reply)
        return std::nullopt;
    // Children of the root: their position is already in root coordinates.
    return QRect(reply->x, reply->y, reply->width, reply->height);
}

std::vector<TopLevel> XConnection::mappedTopLevels() const
{
    std::vector<TopLevel> result;
    Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(conn_, xcb_query_tree(conn_, root_), nullptr));
    if (!tree)
        return result;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());
    const quint32 netWmPid = atom("_NET_WM_PID");
    for (int i = 0; i < count; ++i) {
        const xcb_window_t w = children[i];
        Reply<xcb_get_window_attributes_reply_t> attrs(xcb_get_window_attributes_reply(
            conn_, xcb_get_window_attributes(conn_, w), nullptr));
        if (!attrs || attrs->map_state != XCB_MAP_STATE_VIEWABLE)
            continue;
        const auto rect = geometry(w);
        if (!rect)
            continue;
        TopLevel top;
        top.id = w;
        top.geometry = *rect;
        top.name = textProperty(w, XCB_ATOM_WM_NAME);
        Reply<xcb_get_property_reply_t> pid(xcb_get_property_reply(
            conn_, xcb_get_property(conn_, 0, w, netWmPid, XCB_ATOM_CARDINAL, 0, 1), nullptr));
        if (pid && pid->format == 32 && xcb_get_property_value_length(pid.get()) == 4)
            top.pid = *static_cast<const quint32*>(xcb_get_property_value(pid.get()));
        result.push_back(top);
    }
    return result;
}

std::optional<TopLevel> XConnection::findMapped(
    qint64 pid, const std::function<bool(const TopLevel&)>& match) const
{
    for (const TopLevel& top : mappedTopLevels()) {
        if ((pid == 0 || top.pid == pid) && match(top))
            return top;
    }
    return std::nullopt;
}

std::optional<QRegion> XConnection::boundingShape(quint32 window) const
{
    Reply<xcb_shape_get_rectangles_reply_t> reply(xcb_shape_get_rectangles_reply(
        conn_, xcb_shape_get_rectangles(conn_, window, XCB_SHAPE_SK_BOUNDING), nullptr));
    if (!reply)
        return std::nullopt;
    const xcb_rectangle_t* rects = xcb_shape_get_rectangles_rectangles(reply.get());
    const int count = xcb_shape_get_rectangles_rectangles_length(reply.get());
    QRegion region;
    for (int i = 0; i < count; ++i)
        region += QRect(rects[i].x, rects[i].y, rects[i].width, rects[i].height);
    return region;
}

QImage XConnection::grab(const QRect& rect) const
{
    const QRect r = rect.intersected(QRect(QPoint(0, 0), screen_));
    if (r.isEmpty())
        return {};
    Reply<xcb_get_image_reply_t> reply(xcb_get_image_reply(
        conn_,
        xcb_get_image(conn_, XCB_IMAGE_FORMAT_Z_PIXMAP, root_, static_cast<int16_t>(r.x()),
                      static_cast<int16_t>(r.y()), static_cast<uint16_t>(r.width()),
                      static_cast<uint16_t>(r.height()), ~0u),
        nullptr));
    // The server runs at depth 24 with 32 bits a pixel, the layout of RGB32.
    if (!reply || reply->depth != 24 ||
        xcb_get_image_data_length(reply.get()) != r.width() * r.height() * 4)
        return {};
    const QImage view(xcb_get_image_data(reply.get()), r.width(), r.height(), r.width() * 4,
                      QImage::Format_RGB32);
    return view.copy();
}

QImage XConnection::grabScreen() const
{
    return grab(QRect(QPoint(0, 0), screen_));
}

std::optional<XConnection::Pointer> XConnection::pointer() const
{
    Reply<xcb_query_pointer_reply_t> reply(
        xcb_query_pointer_reply(conn_, xcb_query_pointer(conn_, root_), nullptr));
    if (!reply)
        return std::nullopt;
    return Pointer{QPoint(reply->root_x, reply->root_y), reply->child};
}

std::optional<quint32> XConnection::inputFocus() const
{
    Reply<xcb_get_input_focus_reply_t> reply(
        xcb_get_input_focus_reply(conn_, xcb_get_input_focus(conn_), nullptr));
    if (!reply)
        return std::nullopt;
    return reply->focus;
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
    const xcb_void_cookie_t cookie =
        xcb_send_event_checked(conn_, 0, window, XCB_EVENT_MASK_NO_EVENT,
                               reinterpret_cast<const char*>(&event));
    Reply<xcb_generic_error_t> error(xcb_request_check(conn_, cookie));
    return !error;
}

bool XConnection::watchRootChildren() const
{
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    Reply<xcb_generic_error_t> error(xcb_request_check(
        conn_, xcb_change_window_attributes_checked(conn_, root_, XCB_CW_EVENT_MASK, &mask)));
    return !error;
}

std::optional<quint32> XConnection::waitForMap(const std::function<bool(const QRect&)>& match,
                                               std::chrono::milliseconds timeout) const
{
    QElapsedTimer clock;
    clock.start();
    const int fd = xcb_get_file_descriptor(conn_);
    // Reads what has arrived at least once, even with no time to wait.
    for (;;) {
        while (xcb_generic_event_t* raw = xcb_poll_for_event(conn_)) {
            Reply<xcb_generic_event_t> event(raw);
            if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY)
                continue;
            const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(raw);
            const auto rect = geometry(map->window);
            if (rect && match(*rect))
                return map->window;
        }
        if (xcb_connection_has_error(conn_) || clock.elapsed() >= timeout.count())
            return std::nullopt;
        pollfd p{fd, POLLIN, 0};
        ::poll(&p, 1, 20);
    }
}

} // namespace vorlix::x11
