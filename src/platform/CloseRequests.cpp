#include "platform/CloseRequests.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace vorlix {

#ifdef Q_OS_UNIX
namespace {

// The write end of the pipe that the signal handler wakes the interface
// thread through; the only state a signal handler may touch.
int signalPipe[2] = {-1, -1};

extern "C" void onCloseSignal(int)
{
    const char byte = 1;
    const int saved = errno;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}

} // namespace
#endif

CloseRequests::CloseRequests(std::function<void()> close, QObject* parent)
    : QObject(parent), close_(std::move(close))
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
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager&) { close_(); });
    }
}

CloseRequests::~CloseRequests()
{
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

void CloseRequests::onSignal()
{
#ifdef Q_OS_UNIX
    char buffer[16];
    while (::read(signalPipe[0], buffer, sizeof buffer) > 0) {
    }
#endif
    close_();
}

} // namespace vorlix
