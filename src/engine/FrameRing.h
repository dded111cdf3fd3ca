// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

namespace vorlix {

// A lock-free ring of stereo 16-bit frames for exactly one writer thread and
// one reader thread.
class FrameRing {
public:
    // Capacity is rounded up to a power of two.
    explicit FrameRing(std::size_t minFrames)
    {
        while (capacity_ < minFrames)
            capacity_ *= 2;
        samples_ = std::make_unique<std::int16_t[]>(capacity_ * 2);
    }

    std::size_t capacity() const { return capacity_; }
    std::size_t filled() const
    {
        return written_.load(std::memory_order_acquire) - read_.load(std::memory_order_acquire);
    }
    std::size_t space() const { return capacity_ - filled(); }

    // Writer side. Returns how many frames fitted.
    std::size_t push(const std::int16_t* frames, std::size_t count)
    {
        const std::size_t w = written_.load(std::memory_order_relaxed);
        const std::size_t r = read_.load(std::memory_order_acquire);
        count = std::min(count, capacity_ - (w - r));
        copyRing(w, count, [&](std::size_t at, std::size_t from, std::size_t n) {
            std::memcpy(&samples_[at * 2], frames + from * 2, n * 2 * sizeof(std::int16_t));
        });
        written_.store(w + count, std::memory_order_release);
        return count;
    }

    // Reader side. Returns how many frames were taken.
    std::size_t pop(std::int16_t* frames, std::size_t count)
    {
        const std::size_t r = read_.load(std::memory_order_relaxed);
        const std::size_t w = written_.load(std::memory_order_acquire);
        count = std::min(count, w - r);
        copyRing(r, count, [&](std::size_t at, std::size_t to, std::size_t n) {
            std::memcpy(frames + to * 2, &samples_[at * 2], n * 2 * sizeof(std::int16_t));
        });
        read_.store(r + count, std::memory_order_release);
        return count;
    }

private:
    template <typename Copy>
    void copyRing(std::size_t position, std::size_t count, Copy copy)
    {
        const std::size_t at = position & (capacity_ - 1);
        const std::size_t first = std::min(count, capacity_ - at);
        copy(at, 0, first);
        if (count > first)
            copy(0, first, count - first);
    }

    std::size_t capacity_ = 1;
    std::unique_ptr<std::int16_t[]> samples_;
    alignas(64) std::atomic<std::size_t> written_{0};
    alignas(64) std::atomic<std::size_t> read_{0};
};

} // namespace vorlix
