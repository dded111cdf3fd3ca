// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/NullOutput.h"

#include <chrono>

namespace vorlix {

NullOutput::NullOutput(Pace pace)
    : pace_(pace)
{
}

NullOutput::~NullOutput()
{
    {
        std::lock_guard lock(stateMutex_);
        quit_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

bool NullOutput::open(int rate, Fill fill)
{
    if (thread_.joinable() || rate <= 0)
        return false;
    fill_ = std::move(fill);
    rate_ = rate;
    bufferFrames_ = bufferFramesFor(rate);
    buffer_.assign(static_cast<std::size_t>(bufferFrames_) * 2, 0);
    thread_ = std::thread([this] { run(); });
    return true;
}

void NullOutput::setPaused(bool paused)
{
    {
        std::lock_guard lock(stateMutex_);
        paused_ = paused;
    }
    wake_.notify_all();
    if (paused) {
        // Wait out a fill that may be running, as SDL does.
        std::lock_guard fillLock(fillMutex_);
    }
}

void NullOutput::lock()
{
    fillMutex_.lock();
}

void NullOutput::unlock()
{
    fillMutex_.unlock();
}

void NullOutput::run()
{
    using Clock = std::chrono::steady_clock;
    const auto period = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(static_cast<double>(bufferFrames_) / rate_));
    auto next = Clock::now();
    for (;;) {
        {
            std::unique_lock lock(stateMutex_);
            if (paused_ && !quit_) {
                wake_.wait(lock, [this] { return !paused_ || quit_; });
                next = Clock::now();
            }
            if (quit_)
                return;
        }
        int real = 0;
        {
            std::lock_guard fillLock(fillMutex_);
            // Re-checked under the fill lock: setPaused(true) must not be
            // followed by one more fill.
            std::unique_lock state(stateMutex_);
            if (paused_ || quit_)
                continue;
            state.unlock();
            real = fill_(buffer_.data(), bufferFrames_);
        }
        if (pace_ == Pace::RealTime) {
            next += period;
            std::this_thread::sleep_until(next);
        } else if (real == 0) {
            // Nothing to hand out yet: let the producer catch up.
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }
}

} // namespace vorlix
