// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A private X server (Xvfb) and a plain xcb connection to it, for the tests
// and the benchmark that run the real program in a real X session without
// needing a display of their own.

#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QRegion>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

struct xcb_connection_t;

namespace vorlix::x11 {

// Polls `done` until it holds or `timeout` runs out; true if it held.
bool waitUntil(const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));

// An Xvfb of its own on a free display number, ended with this object.
class Xvfb {
public:
    // Empty when Xvfb is not installed or does not come up; `error` says why.
    static std::unique_ptr<Xvfb> start(QString* error);
    ~Xvfb();

    QString display() const { return display_; }
    // The environment of a client of this server: DISPLAY set, no Wayland,
    // a runtime folder of its own (so its player meets no other).
    QProcessEnvironment clientEnvironment() const;
    // Runs an X tool (xdotool, import) against this server; true if it exited 0.
    bool runTool(const QString& program, const QStringList& args, QString* output = nullptr) const;
    bool xdotool(const QStringList& args, QString* output = nullptr) const { return runTool("xdotool", args, output); }
    // Button 1 at `at`, `count` times; kept far enough from the last click
    // not to make a double-click with it.
    bool click(QPoint at, int count = 1) const;

private:
    Xvfb(std::unique_ptr<QProcess> server, QString display) : server_(std::move(server)), display_(std::move(display)) {}
    std::unique_ptr<QProcess> server_;
    QString display_;
    QTemporaryDir runtime_;
    mutable QElapsedTimer sinceClick_;
};

// A few rows of a window shape as "y:from-to,from-to" ([from, to)), and the
// skins' outlines drawn by hand that way.
QString shapeRows(const QRegion& shape);
inline const QString kSkin1Rows = QStringLiteral("2: 5:150-161,173-184 12:19-278 41:15-285 70:20-277 80:");
inline const QString kSkin2Rows = QStringLiteral("2: 5:150-161,173-184 12:19-222 41:15-257 70:20-222 80:");

// A window on the screen: its client area, title, owner and, under a window
// manager, its frame.
struct TopLevel {
    quint32 id = 0;
    QRect geometry;
    QString name;
    qint64 pid = 0;
    QRect frame;
};

class XConnection {
public:
    static std::unique_ptr<XConnection> open(const QString& display);
    ~XConnection();
    XConnection(const XConnection&) = delete; // one owner of the connection

    xcb_connection_t* raw() const { return conn_; }
    quint32 root() const { return root_; }

    // The mapped top-levels: the window manager's clients, or without one
    // the root window's children.
    std::vector<TopLevel> mappedTopLevels() const;
    // The first mapped top-level of `pid` (or, when pid is 0, of anyone)
    // that passes `match`; waitFor gives it the time to map.
    std::optional<TopLevel> findMapped(qint64 pid, const std::function<bool(const TopLevel&)>& match) const
    {
        for (const TopLevel& top : mappedTopLevels())
            if ((pid == 0 || top.pid == pid) && match(top))
                return top;
        return std::nullopt;
    }
    std::optional<TopLevel> waitFor(qint64 pid, const std::function<bool(const TopLevel&)>& match,
                                    std::chrono::milliseconds timeout = std::chrono::seconds(10)) const
    {
        std::optional<TopLevel> found;
        waitUntil([&] { return (found = findMapped(pid, match)).has_value(); }, timeout);
        return found;
    }
    bool mapped(quint32 window) const { return findMapped(0, [&](const TopLevel& t) { return t.id == window; }).has_value(); }
    bool gone(quint32 window) const { return waitUntil([&] { return !mapped(window); }); }
    QByteArray property(quint32 window, const char* name) const;
    // The window's bounding shape in its own coordinates; the whole window
    // when it has no shape. Empty if the window is gone.
    std::optional<QRegion> boundingShape(quint32 window) const;
    // The root window's pixels in `rect` (RGB32); a null image on failure.
    QImage grab(const QRect& rect) const;
    QImage grabScreen() const { return grab(QRect(QPoint(0, 0), screen_)); }
    // Asks the window to close the way a window manager does (WM_DELETE_WINDOW).
    bool sendDeleteWindow(quint32 window) const;

private:
    XConnection(xcb_connection_t* conn, quint32 root, QSize screen)
        : conn_(conn), root_(root), screen_(screen) {}
    quint32 atom(const char* name) const;

    xcb_connection_t* conn_;
    quint32 root_;
    QSize screen_;
};

} // namespace vorlix::x11
