// SPDX-License-Identifier: GPL-3.0-or-later
// Times the player's start under Xvfb: from just before the process starts
// until its window is mapped. An empty Qt window started the same way, in the
// same run, is the yardstick.
#include "x11/XSession.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <optional>
#include <poll.h>
#include <vector>

using namespace vorlix::x11;
using namespace std::chrono_literals;

namespace {

constexpr int kRuns = 10;
const QSize kWindowSize(300, 82);

// Lets MapNotify events of the root's children arrive; waitForMap reads them.
bool watchRootChildren(const XConnection& x)
{
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_generic_error_t* error = xcb_request_check(
        x.raw(), xcb_change_window_attributes_checked(x.raw(), x.root(), XCB_CW_EVENT_MASK, &mask));
    std::free(error);
    return !error;
}

// Waits for a child of the root to be mapped whose size is `size`; reads what
// has arrived at least once, even with no time to wait.
bool waitForMap(const XConnection& x, QSize size, std::chrono::milliseconds timeout)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x.raw())) {
            bool found = false;
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
                xcb_get_geometry_reply_t* geo =
                    xcb_get_geometry_reply(x.raw(), xcb_get_geometry(x.raw(), map->window), nullptr);
                found = geo && QSize(geo->width, geo->height) == size;
                std::free(geo);
            }
            std::free(event);
            if (found)
                return true;
        }
        if (xcb_connection_has_error(x.raw()) || clock.elapsed() >= timeout.count())
            return false;
        pollfd p{xcb_get_file_descriptor(x.raw()), POLLIN, 0};
        ::poll(&p, 1, 20);
    }
}

// One start: milliseconds until the window maps; empty if it never does.
std::optional<double> timeStart(const XConnection& x, const QString& program,
                                const QProcessEnvironment& env)
{
    // Events of the previous run are stale.
    waitForMap(x, QSize(), 0ms);

    QProcess process;
    process.setProcessEnvironment(env);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    const bool mapped = waitForMap(x, kWindowSize, 15s);
    const double ms = double(clock.nsecsElapsed()) / 1e6;

    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(2000);
    }
    if (!mapped)
        return std::nullopt;
    return ms;
}

struct Figures {
    double median;
    double min;
};

Figures figures(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    const std::size_t n = ms.size();
    const double median = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
    return {median, ms.front()};
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QString error;
    const auto xvfb = Xvfb::start(&error);
    if (!xvfb) {
        std::printf("skipped: %s\n", qPrintable(error));
        return 0;
    }
    const auto x = XConnection::open(xvfb->display());
    if (!x || !watchRootChildren(*x)) {
        std::printf("cannot watch the windows of %s\n", qPrintable(xvfb->display()));
        return 1;
    }
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return 1;
    QProcessEnvironment env = xvfb->clientEnvironment();
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), scratch.filePath(QStringLiteral("cache")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), scratch.path());

    const QString player = QStringLiteral(VORLIX_PLAYER_PATH);
    const QString baseline = QStringLiteral(VORLIX_BASELINE_PATH);
    // One start of each that is not counted: it fills the file cache.
    if (!timeStart(*x, player, env) || !timeStart(*x, baseline, env)) {
        std::printf("a window never appeared\n");
        return 1;
    }
    // Turn about, so that a slow moment of the machine hits both alike.
    std::vector<double> playerMs, baselineMs;
    for (int i = 0; i < kRuns; ++i) {
        const auto p = timeStart(*x, player, env);
        const auto b = timeStart(*x, baseline, env);
        if (!p || !b) {
            std::printf("run %d: a window never appeared\n", i + 1);
            return 1;
        }
        playerMs.push_back(*p);
        baselineMs.push_back(*b);
    }
    const Figures p = figures(playerMs);
    const Figures b = figures(baselineMs);
    std::printf("start until the window maps, %d runs each, on Xvfb %s\n", kRuns,
                qPrintable(xvfb->display()));
    std::printf("%-26s median %7.1f ms   min %7.1f ms\n", "vorlix", p.median, p.min);
    std::printf("%-26s median %7.1f ms   min %7.1f ms\n", "empty Qt window (baseline)",
                b.median, b.min);
    std::printf("ratio vorlix/baseline      median %7.2f       min %7.2f\n", p.median / b.median,
                p.min / b.min);
    return 0;
}
