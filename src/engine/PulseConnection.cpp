// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/PulseConnection.h"

#include <pulse/pulseaudio.h>

namespace vorlix {

namespace {

constexpr pa_usec_t kAnswerUs = 2000000;

} // namespace

std::shared_ptr<PulseConnection> PulseConnection::open()
{
    std::shared_ptr<PulseConnection> pulse(new PulseConnection);
    pulse->mainloop_ = pa_threaded_mainloop_new();
    if (!pulse->mainloop_)
        return nullptr;
    pa_proplist* props = pa_proplist_new();
    pa_proplist_sets(props, PA_PROP_APPLICATION_NAME, "Vorlix");
    pa_proplist_sets(props, PA_PROP_CONTEXT_FORCE_DISABLE_SHM, "1");
    pulse->context_ = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(pulse->mainloop_), "Vorlix", props);
    pa_proplist_free(props);
    if (!pulse->context_ || pa_threaded_mainloop_start(pulse->mainloop_) < 0)
        return nullptr;
    pulse->lock();
    pa_context_set_state_callback(
        pulse->context_,
        [](pa_context*, void* mainloop) { pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(mainloop), 0); },
        pulse->mainloop_);
    pa_context* context = pulse->context_;
    const bool ready = pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0
        && pulse->waitFor([context] {
               const pa_context_state_t state = pa_context_get_state(context);
               return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
           })
        && pa_context_get_state(context) == PA_CONTEXT_READY;
    pulse->unlock();
    return ready ? pulse : nullptr;
}

PulseConnection::~PulseConnection()
{
    if (!mainloop_)
        return;
    if (context_) {
        lock();
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        unlock();
    }
    pa_threaded_mainloop_stop(mainloop_);
    pa_threaded_mainloop_free(mainloop_);
}

void PulseConnection::lock()
{
    pa_threaded_mainloop_lock(mainloop_);
}

void PulseConnection::unlock()
{
    pa_threaded_mainloop_unlock(mainloop_);
}

bool PulseConnection::waitFor(const std::function<bool()>& done)
{
    struct Deadline {
        pa_threaded_mainloop* mainloop;
        bool passed = false;
    } deadline{mainloop_};
    const auto wakeUp = [](pa_mainloop_api*, pa_time_event*, const struct timeval*, void* data) {
        auto* d = static_cast<Deadline*>(data);
        d->passed = true;
        pa_threaded_mainloop_signal(d->mainloop, 0);
    };
    pa_time_event* timer = pa_context_rttime_new(context_, pa_rtclock_now() + kAnswerUs, wakeUp, &deadline);
    while (!done() && !deadline.passed)
        pa_threaded_mainloop_wait(mainloop_);
    if (timer)
        pa_threaded_mainloop_get_api(mainloop_)->time_free(timer);
    return !deadline.passed || done();
}

bool PulseConnection::good() const
{
    return PA_CONTEXT_IS_GOOD(pa_context_get_state(context_));
}

} // namespace vorlix
