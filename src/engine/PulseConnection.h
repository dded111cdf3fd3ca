// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>

struct pa_context;
struct pa_threaded_mainloop;

namespace vorlix {

// One connection to a PulseAudio server (or PipeWire's pulse server) and the
// thread that runs it. The songs and the click sounds share one, so the
// player holds a single connection and a single sound-server thread. Sound
// goes through the socket, not shared memory: the player writes a few times
// a second, and shared memory would keep every block the server still holds
// in the player's own memory. Never starts a server.
class PulseConnection {
public:
    // Null when no server answers within two seconds.
    static std::shared_ptr<PulseConnection> open();
    ~PulseConnection();

    PulseConnection(const PulseConnection&) = delete;
    PulseConnection& operator=(const PulseConnection&) = delete;

    pa_threaded_mainloop* mainloop() const { return mainloop_; }
    pa_context* context() const { return context_; }
    void lock();
    void unlock();
    // With the lock held: waits until `done` holds or two seconds have
    // passed, true when it holds. Whatever `done` reads must signal the
    // mainloop when it changes; the connection's own state does.
    bool waitFor(const std::function<bool()>& done);
    // With the lock held: the server is still there.
    bool good() const;

private:
    PulseConnection() = default;

    pa_threaded_mainloop* mainloop_ = nullptr;
    pa_context* context_ = nullptr;
};

// Gives a connection to play through: the one shared before while its server
// keeps it, or a new one; null without a server.
using PulseConnector = std::function<std::shared_ptr<PulseConnection>()>;

} // namespace vorlix
