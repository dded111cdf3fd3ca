// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/PulseOutput.h"

#include "engine/Mp3Play.h"

#include <pulse/pulseaudio.h>

#include <algorithm>

namespace vorlix {

namespace {

constexpr int kFrameBytes = 4;   // 16-bit stereo
// What the server keeps queued, and how much of it it asks for at a time: the
// process wakes about twice a second, with a second still queued.
constexpr double kBufferSeconds = 1.5;
constexpr double kRequestSeconds = 0.5;
// Playback starts as soon as this much is queued.
constexpr double kStartSeconds = 0.01;
// When the song has nothing ready, it is asked again after 5 ms, then less
// and less often.
constexpr std::uint64_t kFirstRetryUs = 5000;
constexpr std::uint64_t kLastRetryUs = 500000;

pa_volume_t serverVolume(std::int32_t volume)
{
    return pa_sw_volume_from_linear(static_cast<double>(std::clamp(volume, 0, kVolumeMax)) / kVolumeMax);
}

} // namespace

PulseOutput::PulseOutput(std::shared_ptr<PulseConnection> pulse)
    : pulse_(std::move(pulse))
{
}

PulseOutput::~PulseOutput()
{
    close();
}

bool PulseOutput::open(int rate, Fill fill)
{
    if (!pulse_ || stream_ || rate <= 0)
        return false;
    fill_ = std::move(fill);
    lock();
    bool ready = pulse_->good();
    if (ready) {
        const pa_sample_spec sampleFormat{PA_SAMPLE_S16NE, static_cast<std::uint32_t>(rate), 2};
        pa_channel_map map;
        pa_channel_map_init_stereo(&map);
        pa_proplist* props = pa_proplist_new();
        pa_proplist_sets(props, PA_PROP_MEDIA_ROLE, "music");
        stream_ = pa_stream_new_with_proplist(pulse_->context(), "Song", &sampleFormat, &map, props);
        pa_proplist_free(props);
    }
    if (ready && stream_) {
        pa_stream_set_state_callback(stream_, &PulseOutput::onStreamState, this);
        pa_stream_set_write_callback(stream_, &PulseOutput::onWritable, this);
        const auto bytes = [rate](double seconds) {
            return static_cast<std::uint32_t>(seconds * rate) * kFrameBytes;
        };
        pa_buffer_attr attr{};
        attr.maxlength = static_cast<std::uint32_t>(-1);
        attr.tlength = bytes(kBufferSeconds);
        attr.prebuf = bytes(kStartSeconds);
        attr.minreq = bytes(kRequestSeconds);
        attr.fragsize = static_cast<std::uint32_t>(-1);
        pa_cvolume volume;
        pa_cvolume_init(&volume);
        volume.channels = 2;
        volume.values[0] = serverVolume(left_ < 0 ? kVolumeMax : left_);
        volume.values[1] = serverVolume(right_ < 0 ? kVolumeMax : right_);
        ready = pa_stream_connect_playback(stream_, nullptr, &attr, PA_STREAM_START_CORKED, &volume, nullptr) >= 0
            && pulse_->waitFor([this] { return streamSettled(); }) && pa_stream_get_state(stream_) == PA_STREAM_READY;
    }
    if (ready) {
        const pa_buffer_attr* got = pa_stream_get_buffer_attr(stream_);
        bufferFrames_ = got ? static_cast<int>(got->minreq / kFrameBytes) : 0;
        rate_ = rate;
    }
    unlock();
    if (!ready)
        close();
    return ready;
}

void PulseOutput::close()
{
    if (!pulse_)
        return;
    lock();
    if (retry_)
        pa_threaded_mainloop_get_api(pulse_->mainloop())->time_free(retry_);
    retry_ = nullptr;
    forgetDrain();
    if (stream_) {
        pa_stream_set_state_callback(stream_, nullptr, nullptr);
        pa_stream_set_write_callback(stream_, nullptr, nullptr);
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
        stream_ = nullptr;
    }
    unlock();
    pulse_.reset();
}

void PulseOutput::lock()
{
    if (pulse_)
        pulse_->lock();
}

void PulseOutput::unlock()
{
    if (pulse_)
        pulse_->unlock();
}

bool PulseOutput::streamSettled() const
{
    const pa_stream_state_t state = pa_stream_get_state(stream_);
    return state == PA_STREAM_READY || !PA_STREAM_IS_GOOD(state);
}

void PulseOutput::onStreamState(pa_stream*, void* self)
{
    pa_threaded_mainloop_signal(static_cast<PulseOutput*>(self)->pulse_->mainloop(), 0);
}

void PulseOutput::onWritable(pa_stream*, std::size_t, void* self)
{
    static_cast<PulseOutput*>(self)->write();
}

void PulseOutput::onRetry(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self)
{
    static_cast<PulseOutput*>(self)->write();
}

// On the mainloop's thread, or with its lock held. Hands the server what it
// asks for, as far as the song has it ready; asks the song again later when
// it had less.
void PulseOutput::write()
{
    if (paused_ || !stream_ || pa_stream_get_state(stream_) != PA_STREAM_READY)
        return;
    std::size_t wanted = pa_stream_writable_size(stream_);
    while (wanted >= kFrameBytes) {
        void* data = nullptr;
        std::size_t bytes = wanted;
        if (pa_stream_begin_write(stream_, &data, &bytes) < 0 || !data || bytes < kFrameBytes)
            return;
        const int frames = static_cast<int>(bytes / kFrameBytes);
        const int real = fill_(static_cast<std::int16_t*>(data), frames);
        if (real <= 0) {
            pa_stream_cancel_write(stream_);
            retryLater();
            return;
        }
        pa_stream_write(stream_, data, static_cast<std::size_t>(real) * kFrameBytes, nullptr, 0, PA_SEEK_RELATIVE);
        retryDelayUs_ = 0;
        if (real < frames) {
            retryLater();
            return;
        }
        wanted -= static_cast<std::size_t>(real) * kFrameBytes;
    }
}

void PulseOutput::retryLater()
{
    retryDelayUs_ = retryDelayUs_ == 0 ? kFirstRetryUs : std::min(retryDelayUs_ * 2, kLastRetryUs);
    const pa_usec_t at = pa_rtclock_now() + retryDelayUs_;
    if (retry_)
        pa_context_rttime_restart(pulse_->context(), retry_, at);
    else
        retry_ = pa_context_rttime_new(pulse_->context(), at, &PulseOutput::onRetry, this);
}

void PulseOutput::setPaused(bool paused)
{
    if (!stream_)
        return;
    lock();
    paused_ = paused;
    // A drain still on its way belongs to what was played before: its
    // answer must not mark the next song as heard.
    forgetDrain();
    draining_ = drained_ = false;
    retryDelayUs_ = 0;
    if (paused) {
        if (retry_)
            pa_threaded_mainloop_get_api(pulse_->mainloop())->time_restart(retry_, nullptr);
        // Cork and drop what the server holds: silent at once.
        if (pa_operation* op = pa_stream_cork(stream_, 1, nullptr, nullptr))
            pa_operation_unref(op);
        if (pa_operation* op = pa_stream_flush(stream_, nullptr, nullptr))
            pa_operation_unref(op);
    } else {
        if (pa_operation* op = pa_stream_cork(stream_, 0, nullptr, nullptr))
            pa_operation_unref(op);
        write();
    }
    unlock();
}

void PulseOutput::setVolume(std::int32_t left, std::int32_t right)
{
    lock();
    left_ = left;
    right_ = right;
    if (stream_ && pa_stream_get_state(stream_) == PA_STREAM_READY) {
        pa_cvolume volume;
        pa_cvolume_init(&volume);
        volume.channels = 2;
        volume.values[0] = serverVolume(left);
        volume.values[1] = serverVolume(right);
        if (pa_operation* op = pa_context_set_sink_input_volume(pulse_->context(), pa_stream_get_index(stream_), &volume,
                nullptr, nullptr))
            pa_operation_unref(op);
    }
    unlock();
}

bool PulseOutput::drained()
{
    if (!stream_)
        return true;
    lock();
    if (!draining_ && !paused_) {
        draining_ = true;
        drain_ = pa_stream_drain(
            stream_,
            [](pa_stream*, int, void* self) { static_cast<PulseOutput*>(self)->drained_ = true; },
            this);
        if (!drain_)
            drained_ = true;
    }
    const bool done = drained_ || paused_;
    unlock();
    return done;
}

// With the mainloop locked.
void PulseOutput::forgetDrain()
{
    if (!drain_)
        return;
    if (pa_operation_get_state(drain_) == PA_OPERATION_RUNNING)
        pa_operation_cancel(drain_);
    pa_operation_unref(drain_);
    drain_ = nullptr;
}

bool PulseOutput::broken()
{
    if (!stream_)
        return true;
    lock();
    const bool gone = !pulse_->good() || !PA_STREAM_IS_GOOD(pa_stream_get_state(stream_));
    unlock();
    return gone;
}

} // namespace vorlix
