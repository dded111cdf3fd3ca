// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vorlix {

// The status that Play() returns once every frame of the open song has been
// handed to the audio device.
inline constexpr int kSongOver = 650;

inline constexpr std::int32_t kVolumeMax = 65535;

// The playback control that the player window hosts. Every operation reports
// failure to its caller: false or an empty optional.
class Mp3Play {
public:
    virtual ~Mp3Play() = default;

    // Opens a song for Play(). The path is the file's name as bytes, exactly
    // as the file system knows it. The second argument is reserved.
    virtual bool Open(const std::string& path, const std::string& options) = 0;

    // After Open: starts the song from its first frame and returns at once.
    // While it plays: leaves it alone and returns a value other than
    // kSongOver. Once it has played to its end: kSongOver, until the next
    // Open. Fails when no song is open.
    virtual std::optional<int> Play() = 0;

    // Silences the song at once; nothing resumes it.
    virtual bool Pause() = 0;

    // Ends playback so that Open can follow; harmless when nothing is open.
    virtual bool Stop() = 0;

    // Channel volumes, 0 to kVolumeMax: channel 1 feeds the left speaker,
    // channel 2 the right one.
    virtual std::optional<std::int32_t> GetVolume1() = 0;
    virtual std::optional<std::int32_t> GetVolume2() = 0;
    virtual bool SetVolume(std::int32_t volume1, std::int32_t volume2) = 0;
};

} // namespace vorlix
