// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace vorlix {

struct MpegStreamInfo {
    int sampleRate = 0;
    int channels = 0;
    std::size_t firstFrameOffset = 0;   // within the bytes probed
};

// Looks for the start of an MPEG audio stream in the head of a file (after
// any ID3v2 tag has been skipped): a run of frames whose headers are valid,
// follow each other exactly and agree on version, layer, rate and channels.
// Random data, text and other formats practically never contain such a run.
// `atEnd` says that `size` bytes are the whole rest of the file, so a very
// short stream that ends inside them still counts.
std::optional<MpegStreamInfo> probeMpegAudio(const std::uint8_t* data, std::size_t size, bool atEnd);

// Size in bytes of the ID3v2 tag at the start of `data` (header and footer
// included), 0 when there is none.
std::size_t id3v2TagSize(const std::uint8_t* data, std::size_t size);

} // namespace vorlix
