// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CloseRequests.h"
#include "platform/XcbAtom.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QWidget>

#include <cstdlib>
#include <cstring>
#include <thread>
#include <utility>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace vorlix {

namespace {

// What the process-wide hooks below may reach: the signal handler only the
// pipe, the exit hook only the live object and the thread it belongs to.
int signalPipe[2] = {-1, -1};
CloseRequests* liveRequests = nullptr;
std::thread::id interfaceThread;

#ifdef Q_OS_UNIX
extern "C" void onCloseSignal(int)
{
    const char byte = 1;
    const int saved = errno;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}
#endif

} // namespace

CloseRequests::CloseRequests(std::function<void()> close, std::function<void()> displayLost, QObject* parent)
    : QObject(parent), close_(std::move(close)), displayLost_(std::move(displayLost))
{
#ifdef Q_OS_UNIX
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe) == 0) {
        notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &CloseRequests::onSignal);
        struct sigaction action = {};
        action.sa_handler = onCloseSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int sig : {SIGTERM, SIGINT, SIGHUP})
            ::sigaction(sig, &action, nullptr);
    }
#endif
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (app) {
        connect(app, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager&) { close_(); });
    }
#ifdef VORLIX_HAVE_XCB
    // Only the xcb platform has a connection; others (offscreen, Wayland)
    // answer the interface with none.
    auto* x11 = app ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (xcb_connection_t* conn = x11 ? x11->connection() : nullptr) {
        xcb_ = conn;
        // Waiting for the answers here would hold up the first window.
        const auto ask = [conn](const char* name) {
            return xcb_intern_atom(conn, 0, quint16(std::strlen(name)), name).sequence;
        };
        atomsAsked_[0] = ask("WM_PROTOCOLS");
        atomsAsked_[1] = ask("WM_DELETE_WINDOW");
        app->installNativeEventFilter(this);
    }
#endif
    liveRequests = this;
    interfaceThread = std::this_thread::get_id();
    static const bool exitHooked = std::atexit(&CloseRequests::onExit) == 0;
    Q_UNUSED(exitHooked);
}

CloseRequests::~CloseRequests()
{
    if (liveRequests == this)
        liveRequests = nullptr;
    if (auto* app = QCoreApplication::instance())
        app->removeNativeEventFilter(this);
#ifdef VORLIX_HAVE_XCB
    for (unsigned int& asked : atomsAsked_)
        if (std::exchange(asked, 0) != 0)
            xcb_discard_reply(static_cast<xcb_connection_t*>(xcb_), asked);
#endif
#ifdef Q_OS_UNIX
    if (notifier_) {
        struct sigaction action = {};
        action.sa_handler = SIG_DFL;
        for (int sig : {SIGTERM, SIGINT, SIGHUP})
            ::sigaction(sig, &action, nullptr);
        ::close(signalPipe[0]);
        ::close(signalPipe[1]);
        signalPipe[0] = signalPipe[1] = -1;
    }
#endif
}

void CloseRequests::watchWindow(QWidget& window)
{
    watched_ = &window;
}

void CloseRequests::onSignal()
{
#ifdef Q_OS_UNIX
    char buffer[16];
    while (::read(signalPipe[0], buffer, sizeof buffer) > 0) {
    }
#endif
    close_();
}

bool CloseRequests::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
#ifdef VORLIX_HAVE_XCB
    // Qt drops the close of a window that a modal dialog blocks; it is taken
    // here, before Qt sees it, at every moment alike.
    if (eventType != "xcb_generic_event_t" || !watched_ || !xcb_)
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE || !haveAtoms())
        return false;
    const auto* client = static_cast<const xcb_client_message_event_t*>(message);
    if (client->format != 32 || client->type != wmProtocols_ ||
        client->data.data32[0] != wmDeleteWindow_ || client->window != watched_->effectiveWinId())
        return false;
    QMetaObject::invokeMethod(this, [this] { close_(); }, Qt::QueuedConnection);
    return true;
#else
    Q_UNUSED(eventType);
    Q_UNUSED(message);
    return false;
#endif
}

bool CloseRequests::haveAtoms()
{
#ifdef VORLIX_HAVE_XCB
    auto* conn = static_cast<xcb_connection_t*>(xcb_);
    quint32* atoms[2] = {&wmProtocols_, &wmDeleteWindow_};
    for (int i = 0; i < 2; ++i) {
        if (atomsAsked_[i] == 0)
            continue;
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(conn, {std::exchange(atomsAsked_[i], 0)}, nullptr);
        *atoms[i] = reply ? reply->atom : 0;
        std::free(reply);
    }
#endif
    return wmProtocols_ != 0 && wmDeleteWindow_ != 0;
}

void CloseRequests::onExit()
{
#ifdef VORLIX_HAVE_XCB
    // Only the exit Qt takes on the interface thread when the X server is
    // gone; any other exit is left as it is.
    CloseRequests* requests = liveRequests;
    if (!requests || !requests->xcb_ || std::this_thread::get_id() != interfaceThread)
        return;
    if (xcb_connection_has_error(static_cast<xcb_connection_t*>(requests->xcb_)) == 0)
        return;
    liveRequests = nullptr;
    if (requests->displayLost_)
        requests->displayLost_();
    else
        requests->close_();
#endif
}

} // namespace vorlix
