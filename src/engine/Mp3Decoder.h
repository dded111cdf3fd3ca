// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

struct mpg123_handle_struct;

namespace vorlix {

// Decodes one MP3 file with libmpg123 into interleaved signed 16-bit stereo
// at the file's own rate (mono is doubled onto both channels). The file is
// opened here with open(2), so any byte string the file system accepts works
// as a name. Only regular files are taken: opening never waits.
class Mp3Decoder {
public:
    // Empty when the file cannot be read or does not start with MPEG audio.
    // Reads only the head of the file.
    static std::unique_ptr<Mp3Decoder> open(const std::string& path);
    ~Mp3Decoder();

    Mp3Decoder(const Mp3Decoder&) = delete;
    Mp3Decoder& operator=(const Mp3Decoder&) = delete;

    int rate() const { return rate_; }
    // Most frames that one call of next() can deliver.
    std::size_t maxFramesPerCall() const { return maxFrames_; }

    // Decodes on and points `samples` at the next frames (valid until the
    // next call). Returns their count; 0 once the song is over: its end was
    // reached, or the file became unreadable or hopelessly damaged.
    std::size_t next(const std::int16_t** samples);

    // Makes a next() running on another thread, and every later one, return
    // 0 soon, whatever it is reading. Safe from any thread.
    void interrupt();

private:
    Mp3Decoder() = default;
    bool ownLayer();

    struct Source;
    std::unique_ptr<Source> source_;
    mpg123_handle_struct* handle_ = nullptr;
    int rate_ = 0;
    int channels_ = 2;
    std::size_t maxFrames_ = 0;
    std::unique_ptr<std::int16_t[]> widened_;   // mono doubled to stereo
    bool over_ = false;
    bool foreignFormat_ = false;
    int layer_ = 0;
    int version_ = 0;
};

} // namespace vorlix
