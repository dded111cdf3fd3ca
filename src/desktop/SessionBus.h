// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDBusConnection>

#include <atomic>
#include <functional>
#include <future>
#include <memory>

class QThread;

namespace vorlix {

// Whether a session bus answers, asked in a few bytes on a socket of our own,
// so that no part of the program waits on a bus that does not. Qt's own first
// use of the bus (its accessibility bridge, as the first window is built)
// blocks until the bus answers, half a minute on a bus that accepts and says
// nothing, and libdbus starts a bus of its own when none is named.
class SessionBus {
public:
    // Asks whether the bus at `address` answers, on a thread of its own,
    // before there is anything else to do.
    static std::shared_future<bool> ask(const QByteArray& address);
    // Takes the answer of ask() (or asks at once without one), on a thread
    // that then has Qt join the bus as soon as it answers (unless
    // beforeWindows() gave up on it). Made once the application object exists.
    explicit SessionBus(std::shared_future<bool> answer = {});
    ~SessionBus();
    SessionBus(const SessionBus&) = delete;
    SessionBus& operator=(const SessionBus&) = delete;

    // Before the first window: waits for the answer up to `waitMs` since
    // construction. A bus that has not answered by then, or none at all, is
    // hidden from Qt until afterWindows().
    void beforeWindows(int waitMs);
    // Once the first window is built: the environment as it was, for the
    // programs this one starts.
    void afterWindows();

    // Runs `publish` on a thread of its own with a connection to the bus, as
    // soon as the bus answers; never, without a bus.
    void join(std::function<void(QDBusConnection)> publish);
    // Stops waiting to join, and waits for a join under way.
    void leave();

    // True when the first unix socket that `address` names answers a
    // client's greeting within `waitMs`. An address of another kind is
    // taken to answer.
    static bool answers(const QByteArray& address, int waitMs);

private:
    QByteArray address_;
    std::shared_future<bool> answer_;
    bool hidden_ = false;
    bool qtHasBus_ = false;
    std::shared_ptr<std::atomic_int> state_; // 0 asking, 1 answered, 2 no answer
    // Who decided on Qt's own use of the bus: 0 no one yet, 1 the asking
    // thread (Qt joins), 2 beforeWindows() (Qt is kept away).
    std::shared_ptr<std::atomic_int> decided_;
    std::shared_ptr<std::atomic_bool> stop_;
    QThread* asking_ = nullptr;
    QThread* joining_ = nullptr;
};

} // namespace vorlix
