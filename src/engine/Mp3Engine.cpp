// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Mp3Engine.h"

#include "engine/FrameRing.h"
#include "engine/Mp3Decoder.h"
#include "engine/NullOutput.h"
#include "engine/PulseOutput.h"
#include "engine/SdlParts.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <pthread.h>

namespace vorlix {

namespace {

// The decoder keeps at least this much sound ready ahead of the output. It
// sleeps until the output has taken three quarters of it, then decodes them
// in one go: the fewer times it wakes, the less it costs, as each wake-up
// starts on cold caches. A quarter of the ring, a third of a second or more,
// is left to the output while the decoder wakes.
constexpr double kReadAheadSeconds = 1.0;

} // namespace

struct Mp3Engine::Song {
    explicit Song(std::unique_ptr<Mp3Decoder> d)
        : decoder(std::move(d))
        , ring(static_cast<std::size_t>(decoder->rate() * kReadAheadSeconds) + decoder->maxFramesPerCall())
    {
    }

    ~Song()
    {
        quit.store(true);
        decoder->interrupt();
        wakeUp();
        if (thread.joinable())
            thread.join();
    }

    // Never blocks: the output's thread calls it.
    void wakeUp()
    {
        wakeups.fetch_add(1, std::memory_order_release);
        wakeups.notify_one();
    }

    // The decoder is woken when the ring is down to this many frames.
    std::size_t lowWater() const { return ring.capacity() / 4; }

    void start()
    {
        thread = std::thread([this] {
            pthread_setname_np(pthread_self(), "decoder");
            decode();
        });
        started = true;
    }

    void decode()
    {
        const std::size_t chunk = decoder->maxFramesPerCall();
        while (!quit.load(std::memory_order_relaxed)) {
            if (ring.space() < chunk) {
                // Sleep until the ring is down to a quarter, then fill it up
                // in one go. The count is read before the ring, so a wake-up
                // that comes between the two ends the wait at once instead
                // of being lost.
                const std::uint32_t seen = wakeups.load(std::memory_order_acquire);
                if (!quit.load() && ring.filled() > lowWater())
                    wakeups.wait(seen, std::memory_order_acquire);
                continue;
            }
            const std::int16_t* samples = nullptr;
            const std::size_t frames = decoder->next(&samples);
            if (frames == 0)
                break;
            ring.push(samples, frames);
        }
        decoded.store(true, std::memory_order_release);
    }

    std::unique_ptr<Mp3Decoder> decoder;
    FrameRing ring;
    std::thread thread;
    std::atomic<std::uint32_t> wakeups{0};   // the output's calls for more
    std::atomic<bool> quit{false};
    std::atomic<bool> decoded{false};   // the decoder has pushed its last frame
    std::atomic<bool> over{false};      // ... and the output has taken it
    std::atomic<bool> paused{false};
    bool started = false;
};

Mp3Engine::Mp3Engine()
    : Mp3Engine(Options{})
{
}

Mp3Engine::Mp3Engine(Options options)
    : options_(std::move(options))
{
}

Mp3Engine::~Mp3Engine()
{
    std::lock_guard lock(mutex_);
    stopLocked();
    output_.reset();
}

bool Mp3Engine::Open(const std::string& path, const std::string& /*options*/)
{
    std::lock_guard lock(mutex_);
    stopLocked();
    auto decoder = Mp3Decoder::open(path);
    if (!decoder)
        return false;
    song_ = std::make_unique<Song>(std::move(decoder));
    return true;
}

std::optional<int> Mp3Engine::Play()
{
    std::lock_guard lock(mutex_);
    if (!song_)
        return std::nullopt;
    if (song_->started && output_ && output_->broken()) {
        // The sound server went away: the song goes on through whatever
        // output is left, down to the silent one, so that lists still move.
        output_.reset();
        if (!ensureOutput(song_->decoder->rate()))
            return std::nullopt;
        if (!song_->paused.load()) {
            output_->lock();
            playing_ = song_.get();
            output_->unlock();
            output_->setPaused(false);
        }
    }
    if (song_->over.load(std::memory_order_acquire)) {
        // Handed out in full; over once the output has played it too.
        if (output_ && !output_->drained())
            return 0;
        if (output_)
            output_->setPaused(true);
        return kSongOver;
    }
    if (song_->started)
        return 0;
    if (!ensureOutput(song_->decoder->rate()))
        return std::nullopt;
    song_->start();
    output_->lock();
    playing_ = song_.get();
    output_->unlock();
    if (!song_->paused.load())
        output_->setPaused(false);
    return 0;
}

bool Mp3Engine::Pause()
{
    std::lock_guard lock(mutex_);
    if (!song_)
        return false;
    // A song handed out in full is over only once it has been heard to its
    // end: the pause drops whatever the output still held of it.
    const bool heard = song_->over.load(std::memory_order_acquire) && (!output_ || output_->drained());
    song_->paused.store(true);
    if (output_) {
        output_->setPaused(true);
        // Nothing resumes a paused song: let the device go.
        output_->lock();
        playing_ = nullptr;
        output_->unlock();
        output_.reset();
    }
    if (!heard)
        song_->over.store(false, std::memory_order_release);
    return true;
}

bool Mp3Engine::Stop()
{
    std::lock_guard lock(mutex_);
    stopLocked();
    return true;
}

void Mp3Engine::stopLocked()
{
    if (!song_)
        return;
    if (output_) {
        output_->lock();
        playing_ = nullptr;
        output_->unlock();
        output_->setPaused(true);
    }
    playing_ = nullptr;
    song_.reset();
}

std::optional<std::int32_t> Mp3Engine::GetVolume1()
{
    return volume1_.load();
}

std::optional<std::int32_t> Mp3Engine::GetVolume2()
{
    return volume2_.load();
}

bool Mp3Engine::SetVolume(std::int32_t volume1, std::int32_t volume2)
{
    if (volume1 < 0 || volume1 > kVolumeMax || volume2 < 0 || volume2 > kVolumeMax)
        return false;
    std::lock_guard lock(mutex_);
    volume1_.store(volume1);
    volume2_.store(volume2);
    if (output_ && output_->appliesVolume())
        output_->setVolume(volume1, volume2);
    return true;
}

int Mp3Engine::songRate()
{
    std::lock_guard lock(mutex_);
    return song_ ? song_->decoder->rate() : 0;
}

bool Mp3Engine::ensureOutput(int rate)
{
    if (output_ && output_->rate() == rate && !output_->broken())
        return true;
    output_.reset();
    output_ = openOutput(rate);
    return output_ != nullptr;
}

std::unique_ptr<AudioOutput> Mp3Engine::openOutput(int rate)
{
    const auto open = [this, rate](std::unique_ptr<AudioOutput> output) -> std::unique_ptr<AudioOutput> {
        const bool applyVolume = !output->appliesVolume();
        output->setVolume(volume1_.load(), volume2_.load());
        if (!output->open(rate, [this, applyVolume](std::int16_t* out, int frames) {
                return fill(out, frames, applyVolume);
            }))
            return nullptr;
        return output;
    };
    if (options_.makeOutput)
        if (auto output = open(options_.makeOutput()))
            return output;
    const Output kind = options_.output;
    const char* sdlDriver = std::getenv("SDL_AUDIODRIVER");
    const bool sdlNamed = sdlDriver && *sdlDriver;
    if (kind == Output::Pulse || (kind == Output::Desktop && !sdlNamed))
        if (auto pulse = options_.pulse ? options_.pulse() : PulseConnection::open())
            if (auto output = open(std::make_unique<PulseOutput>(std::move(pulse))))
                return output;
    if (kind == Output::Sdl || kind == Output::Desktop) {
        if (const SdlParts* sdl = sdlParts()) {
            if (!sdlAudio_)
                sdlAudio_ = options_.sdlAudio ? options_.sdlAudio() : sdl->createAudio();
            if (sdlAudio_)
                if (auto output = open(std::unique_ptr<AudioOutput>(sdl->makeOutput(sdlAudio_))))
                    return output;
        }
    }
    // No device at all: keep time without one, so songs still end.
    return open(std::make_unique<NullOutput>(
        kind == Output::NullFast ? NullOutput::Pace::AsFastAsPossible : NullOutput::Pace::RealTime));
}

// The output's thread. Touches only atomics and the ring: never waits.
int Mp3Engine::fill(std::int16_t* out, int frames, bool applyVolume)
{
    const auto wanted = static_cast<std::size_t>(frames);
    Song* song = playing_;
    if (!song || song->paused.load(std::memory_order_relaxed)) {
        std::memset(out, 0, wanted * 2 * sizeof(std::int16_t));
        return 0;
    }
    const bool decoded = song->decoded.load(std::memory_order_acquire);
    const std::size_t got = song->ring.pop(out, wanted);
    if (got > 0) {
        const std::int32_t left = volume1_.load(std::memory_order_relaxed);
        const std::int32_t right = volume2_.load(std::memory_order_relaxed);
        if (applyVolume && (left != kVolumeMax || right != kVolumeMax)) {
            for (std::size_t i = 0; i < got; ++i) {
                out[2 * i] = static_cast<std::int16_t>(out[2 * i] * left / kVolumeMax);
                out[2 * i + 1] = static_cast<std::int16_t>(out[2 * i + 1] * right / kVolumeMax);
            }
        }
        if (options_.onFrames)
            options_.onFrames(out, got);
    }
    if (got < wanted)
        std::memset(out + got * 2, 0, (wanted - got) * 2 * sizeof(std::int16_t));
    const std::size_t left = song->ring.filled();
    if (decoded && left == 0)
        song->over.store(true, std::memory_order_release);
    else if (left <= song->lowWater() && !song->decoded.load(std::memory_order_relaxed))
        song->wakeUp();
    return static_cast<int>(got);
}

} // namespace vorlix
