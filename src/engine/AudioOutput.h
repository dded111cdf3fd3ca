// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>

namespace vorlix {

// Where decoded sound goes. Every backend plays interleaved signed 16-bit
// stereo at the rate it was opened with and pulls the samples itself, from
// its own thread, through the fill function.
class AudioOutput {
public:
    // Writes `frames` stereo frames into `out` (silence where there is
    // nothing to play) and returns how many of them were real sound. Runs on
    // the output's thread: it must never block for long.
    using Fill = std::function<int(std::int16_t* out, int frames)>;

    virtual ~AudioOutput() = default;

    // Opens the output paused. False when it cannot be opened.
    virtual bool open(int rate, Fill fill) = 0;
    // Stops pulling; once it returns, fill is not running and will not run
    // again until setPaused(false).
    virtual void setPaused(bool paused) = 0;
    // While locked, fill is not running.
    virtual void lock() = 0;
    virtual void unlock() = 0;
    virtual int rate() const = 0;
    // Frames asked for by one call of fill.
    virtual int bufferFrames() const = 0;

    // True when the output applies the channel volumes itself (at the sound
    // server, say): fill then hands it the samples unscaled.
    virtual bool appliesVolume() const { return false; }
    virtual void setVolume(std::int32_t /*left*/, std::int32_t /*right*/) {}
    // True once everything fill has handed out has been heard. An output
    // that holds much sound starts draining at the first call.
    virtual bool drained() { return true; }
    // True once the output can no longer play (its sound server went away).
    virtual bool broken() { return false; }
};

// Frames per output buffer for a rate: a power of two of at most 25 ms, so a
// volume change or a pause is heard well within 50 ms.
inline int bufferFramesFor(int rate)
{
    int frames = 64;
    while (frames * 2 <= rate / 40)
        frames *= 2;
    return frames;
}

} // namespace vorlix
