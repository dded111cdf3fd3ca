// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/AudioOutput.h"
#include "engine/PulseConnection.h"

#include <cstdint>
#include <memory>

struct pa_mainloop_api;
struct pa_operation;
struct pa_stream;
struct pa_time_event;

namespace vorlix {

// Plays through a PulseAudio server (or PipeWire's pulse server) with a
// stream of its own. The server holds a large buffer, so the process wakes
// only a few times a second; pause drops that buffer at once, and the channel
// volumes are the stream's volume at the server, so a step is heard at once
// too. Plays through the connection it is given.
class PulseOutput : public AudioOutput {
public:
    explicit PulseOutput(std::shared_ptr<PulseConnection> pulse);
    ~PulseOutput() override;

    PulseOutput(const PulseOutput&) = delete;
    PulseOutput& operator=(const PulseOutput&) = delete;

    // False when the server refuses the stream or does not answer.
    bool open(int rate, Fill fill) override;
    void setPaused(bool paused) override;
    void lock() override;
    void unlock() override;
    int rate() const override { return rate_; }
    int bufferFrames() const override { return bufferFrames_; }
    bool appliesVolume() const override { return true; }
    void setVolume(std::int32_t left, std::int32_t right) override;
    bool drained() override;
    bool broken() override;

private:
    static void onStreamState(pa_stream* stream, void* self);
    static void onWritable(pa_stream* stream, std::size_t bytes, void* self);
    static void onRetry(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self);
    bool streamSettled() const;
    void write();
    void retryLater();
    void forgetDrain();
    void close();

    std::shared_ptr<PulseConnection> pulse_;
    pa_stream* stream_ = nullptr;
    pa_time_event* retry_ = nullptr;
    pa_operation* drain_ = nullptr;   // the drain asked for at the song's end
    std::uint64_t retryDelayUs_ = 0;
    Fill fill_;
    int rate_ = 0;
    int bufferFrames_ = 0;
    bool paused_ = true;
    bool draining_ = false;
    bool drained_ = false;
    std::int32_t left_ = -1;
    std::int32_t right_ = -1;
};

} // namespace vorlix
