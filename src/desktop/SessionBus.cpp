// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/SessionBus.h"

#include <QDeadlineTimer>
#include <QThread>

#include <cerrno>
#include <cstring>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace vorlix {

namespace {

// The unix socket of the first "unix:" entry of a D-Bus address: its path,
// or "\0" and the name of an abstract one. Empty when there is none.
QByteArray unixSocket(const QByteArray& address)
{
    for (const QByteArray& entry : address.split(';')) {
        if (!entry.startsWith("unix:"))
            continue;
        for (const QByteArray& pair : entry.mid(5).split(',')) {
            const QByteArray value = QByteArray::fromPercentEncoding(pair.mid(pair.indexOf('=') + 1));
            if (pair.startsWith("path="))
                return value;
            if (pair.startsWith("abstract="))
                return '\0' + value;
        }
    }
    return {};
}

bool waitFor(int fd, short events, const QDeadlineTimer& deadline)
{
    for (;;) {
        pollfd p{fd, events, 0};
        const int n = ::poll(&p, 1, int(deadline.remainingTime()));
        if (n >= 0 || errno != EINTR)
            return n > 0;
    }
}

} // namespace

bool SessionBus::answers(const QByteArray& address, int waitMs)
{
    const QByteArray name = unixSocket(address);
    sockaddr_un where{};
    if (name.isEmpty() || name.size() >= qsizetype(sizeof where.sun_path))
        return !address.isEmpty();
    where.sun_family = AF_UNIX;
    std::memcpy(where.sun_path, name.constData(), size_t(name.size()));
    const socklen_t size = socklen_t(offsetof(sockaddr_un, sun_path) + name.size() + (name.startsWith('\0') ? 0 : 1));
    const QDeadlineTimer deadline(waitMs);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    // The greeting every client starts with: a NUL byte, then to be known
    // by its user id. Any line back means the bus is there and answering.
    const QByteArray hello = QByteArray(1, '\0') + "AUTH EXTERNAL " + QByteArray::number(::geteuid()).toHex() + "\r\n";
    char reply[64];
    const bool ok = (::connect(fd, reinterpret_cast<const sockaddr*>(&where), size) == 0 ||
                     (errno == EINPROGRESS && waitFor(fd, POLLOUT, deadline))) &&
                    ::send(fd, hello.constData(), size_t(hello.size()), MSG_NOSIGNAL) == hello.size() &&
                    waitFor(fd, POLLIN, deadline) && ::recv(fd, reply, sizeof reply, 0) > 0;
    ::close(fd);
    return ok;
}

std::shared_future<bool> SessionBus::ask(const QByteArray& address)
{
    if (address.isEmpty()) {
        std::promise<bool> none;
        none.set_value(false);
        return none.get_future().share();
    }
    return std::async(std::launch::async, [address] { return answers(address, 1000); }).share();
}

SessionBus::SessionBus(std::shared_future<bool> answer)
    : address_(qgetenv("DBUS_SESSION_BUS_ADDRESS")), answer_(answer.valid() ? std::move(answer) : ask(address_)),
      state_(std::make_shared<std::atomic_int>(0)), decided_(std::make_shared<std::atomic_int>(0)),
      stop_(std::make_shared<std::atomic_bool>(false))
{
    if (address_.isEmpty()) {
        state_->store(2);
        return;
    }
    asking_ = QThread::create([answer = answer_, state = state_, decided = decided_] {
        const bool answered = answer.get();
        state->store(answered ? 1 : 2);
        int nobody = 0;
        if (answered && decided->compare_exchange_strong(nobody, 1))
            QDBusConnection::sessionBus();
    });
    asking_->start();
}

SessionBus::~SessionBus()
{
    leave();
    if (asking_) {
        asking_->wait();
        delete asking_;
    }
}

void SessionBus::leave()
{
    stop_->store(true);
    if (joining_) {
        joining_->wait();
        delete std::exchange(joining_, nullptr);
    }
}

void SessionBus::beforeWindows(int waitMs)
{
    const bool answered = answer_.wait_for(std::chrono::milliseconds(waitMs)) == std::future_status::ready &&
                          answer_.get();
    // Qt joins (or has joined) on the asking thread, or is kept away here.
    int nobody = 0;
    qtHasBus_ = answered || (!decided_->compare_exchange_strong(nobody, 2) && state_->load() == 1);
    if (qtHasBus_)
        return;
    // An address of a kind libdbus does not know fails at once, and names
    // a bus, so none is started either.
    hidden_ = true;
    qputenv("DBUS_SESSION_BUS_ADDRESS", "vorlix-no-bus:");
}

void SessionBus::afterWindows()
{
    if (!std::exchange(hidden_, false))
        return;
    if (address_.isEmpty())
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    else
        qputenv("DBUS_SESSION_BUS_ADDRESS", address_);
}

void SessionBus::join(std::function<void(QDBusConnection)> publish)
{
    if (address_.isEmpty() || joining_)
        return;
    joining_ = QThread::create([this, publish = std::move(publish)] {
        if (asking_)
            asking_->wait();
        // Qt's own connection is there when the bus answered at start;
        // otherwise one of our own, once it answers.
        if (qtHasBus_) {
            publish(QDBusConnection::sessionBus());
            return;
        }
        while (!stop_->load()) {
            if (state_->exchange(0) == 1 || answers(address_, 1000)) {
                publish(QDBusConnection::connectToBus(QString::fromLocal8Bit(address_), QStringLiteral("vorlix-session")));
                return;
            }
            for (int i = 0; i < 20 && !stop_->load(); ++i)
                QThread::msleep(100);
        }
    });
    joining_->start();
}

} // namespace vorlix
