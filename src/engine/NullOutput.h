// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/AudioOutput.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace vorlix {

// An output without a device: a thread of its own pulls the samples and drops
// them, either at the pace a sound card would (real time) or as fast as the
// producer delivers. Plays songs when no audio device can be opened, and
// drives the engine in tests and benchmarks.
class NullOutput : public AudioOutput {
public:
    enum class Pace { RealTime, AsFastAsPossible };

    explicit NullOutput(Pace pace);
    ~NullOutput() override;

    bool open(int rate, Fill fill) override;
    void setPaused(bool paused) override;
    void lock() override;
    void unlock() override;
    int rate() const override { return rate_; }
    int bufferFrames() const override { return bufferFrames_; }

private:
    void run();

    const Pace pace_;
    Fill fill_;
    int rate_ = 0;
    int bufferFrames_ = 0;
    std::vector<std::int16_t> buffer_;

    std::mutex fillMutex_;   // held while fill runs
    std::mutex stateMutex_;
    std::condition_variable wake_;
    bool paused_ = true;
    bool quit_ = false;
    std::thread thread_;
};

} // namespace vorlix
