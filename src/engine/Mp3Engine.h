// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/AudioOutput.h"
#include "engine/Mp3Play.h"
#include "engine/PulseConnection.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

namespace vorlix {

class SdlAudio;

// The playback control: libmpg123 decodes on a thread of its own into a ring
// buffer, an audio output (SDL, or a device-less stand-in) pulls from the
// ring on its own thread and applies the channel volumes (or has the sound
// server apply them). The output is opened by Play and let go by Pause, so an
// idle player holds no device.
//
// Choices made here:
// - Play after Pause leaves the song paused (and returns 0): only Stop, Open,
//   Play starts sound again, so the once-a-second Play of the playlist
//   cannot undo a pause.
// - Play returns 0 while a song is starting or playing or paused, kSongOver
//   once it has been handed out in full, and fails when nothing is open.
//   Stop closes the song: Play then fails until the next Open.
// - A failed Open leaves nothing open.
// - SetVolume rejects values outside 0..kVolumeMax and keeps the old ones.
class Mp3Engine : public Mp3Play {
public:
    enum class Output {
        Desktop,         // a PulseAudio server, else SDL (the only choice
                         // when SDL_AUDIODRIVER names a driver), else a
                         // real-time null output
        Pulse,           // a PulseAudio server, else a real-time null output
        Sdl,             // SDL; the dummy driver, or a real-time null output,
                         // when no device opens
        NullRealTime,    // no device, real-time pace
        NullFast,        // no device, as fast as the decoder goes
    };

    struct Options {
        Output output = Output::Desktop;
        // Gives the SDL audio hold to open devices through, shared with the
        // click sounds; asked the first time SDL is needed. Without it the
        // engine takes a hold of its own.
        std::function<std::shared_ptr<SdlAudio>()> sdlAudio;
        // Gives the sound-server connection to play through, shared with
        // the click sounds. Without it the engine connects on its own.
        PulseConnector pulse;
        // Sees every stereo frame handed to the output, on the output's
        // thread: after the volumes, unless the output applies them itself.
        // For tests and measurements.
        std::function<void(const std::int16_t* samples, std::size_t frames)> onFrames;
        // Makes the output to play through, before any of the kind above is
        // tried. For tests.
        std::function<std::unique_ptr<AudioOutput>()> makeOutput;
    };

    Mp3Engine();
    explicit Mp3Engine(Options options);
    ~Mp3Engine() override;

    Mp3Engine(const Mp3Engine&) = delete;
    Mp3Engine& operator=(const Mp3Engine&) = delete;

    bool Open(const std::string& path, const std::string& options) override;
    std::optional<int> Play() override;
    bool Pause() override;
    bool Stop() override;
    std::optional<std::int32_t> GetVolume1() override;
    std::optional<std::int32_t> GetVolume2() override;
    bool SetVolume(std::int32_t volume1, std::int32_t volume2) override;

    // The rate of the frames handed out for the open song (0 when none).
    int songRate();

private:
    struct Song;

    bool ensureOutput(int rate);
    std::unique_ptr<AudioOutput> openOutput(int rate);
    int fill(std::int16_t* out, int frames, bool applyVolume);
    void stopLocked();

    Options options_;
    std::mutex mutex_;                 // the operations, one at a time
    std::shared_ptr<SdlAudio> sdlAudio_;
    std::unique_ptr<AudioOutput> output_;
    std::unique_ptr<Song> song_;
    Song* playing_ = nullptr;          // what fill() reads; changed under output_->lock()
    std::atomic<std::int32_t> volume1_{kVolumeMax};
    std::atomic<std::int32_t> volume2_{kVolumeMax};
};

} // namespace vorlix
