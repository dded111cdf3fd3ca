#pragma once

// A private X server (Xvfb) and a plain xcb connection to it, for the tests
// and the benchmark that run the real program in a real X session without
// needing a display of their own.

#include <QImage>
#include <QProcessEnvironment>
#include <QRegion>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <sys/types.h>

struct xcb_connection_t;

namespace vorlix::x11 {

// Polls `done` until it holds or `timeout` runs out; true if it held.
bool waitUntil(const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));

// An Xvfb of its own on the first free display number, ended with this object.
class Xvfb {
public:
    // Empty when Xvfb is not installed or does not come up; `error` says why.
    static std::unique_ptr<Xvfb> start(QString* error);
    ~Xvfb();
    Xvfb(const Xvfb&) = delete;
    Xvfb& operator=(const Xvfb&) = delete;

    QString display() const { return display_; }
    // The environment of a client of this server: DISPLAY set, no Wayland.
    QProcessEnvironment clientEnvironment() const;
    // Runs an X tool (xdotool, import) against this server; true if it exited 0.
    bool runTool(const QString& program, const QStringList& args, QString* output = nullptr) const;

private:
    Xvfb(pid_t pid, QString display) : pid_(pid), display_(std::move(display)) {}
    pid_t pid_;
    QString display_;
};

struct TopLevel {
    quint32 id = 0;
    QRect geometry;
    QString name;
    qint64 pid = 0;
};

class XConnection {
public:
    static std::unique_ptr<XConnection> open(const QString& display);
    ~XConnection();
    XConnection(const XConnection&) = delete;
    XConnection& operator=(const XConnection&) = delete;

    xcb_connection_t* raw() const { return conn_; }
    quint32 root() const { return root_; }

    // The mapped children of the root window, bottom to top.
    std::vector<TopLevel> mappedTopLevels() const;
    // The first mapped top-level of `pid` (or, when pid is 0, of anyone)
    // that passes `match`.
    std::optional<TopLevel> findMapped(qint64 pid,
                                       const std::function<bool(const TopLevel&)>& match) const;
    // The window's bounding shape in its own coordinates; the whole window
    // when it has no shape. Empty if the window is gone.
    std::optional<QRegion> boundingShape(quint32 window) const;
    // The root window's pixels in `rect` (RGB32); a null image on failure.
    QImage grab(const QRect& rect) const;
    QImage grabScreen() const;
    // Where the pointer is on the root, and the child of the root under it
    // (0: the root itself).
    struct Pointer {
        QPoint position;
        quint32 child = 0;
    };
    std::optional<Pointer> pointer() const;
    std::optional<quint32> inputFocus() const;
    // WM_CLASS: the instance name, then the class name.
    QStringList wmClass(quint32 window) const;
    // Asks the window to close the way a window manager does (WM_DELETE_WINDOW).
    bool sendDeleteWindow(quint32 window) const;
    // Lets MapNotify events of the root's children arrive; waitForMap reads them.
    bool watchRootChildren() const;
    // Waits for a child of the root to be mapped whose geometry passes `match`.
    std::optional<quint32> waitForMap(const std::function<bool(const QRect&)>& match,
                                      std::chrono::milliseconds timeout) const;

private:
    XConnection(xcb_connection_t* conn, quint32 root, QSize screen);
    quint32 atom(const char* name) const;
    QString textProperty(quint32 window, quint32 property) const;
    std::optional<QRect> geometry(quint32 window) const;

    xcb_connection_t* conn_;
    quint32 root_;
    QSize screen_;
};

} // namespace vorlix::x11
