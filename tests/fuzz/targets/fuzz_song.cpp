// SPDX-License-Identifier: GPL-3.0-or-later
// Opening and decoding arbitrary bytes as a song: the stream probe on its own,
// then the decoder on a memory file holding the bytes, played to its end.
#include "FuzzInput.h"
#include "engine/Mp3Decoder.h"
#include "engine/MpegProbe.h"

#include <string>
#include <sys/mman.h>
#include <unistd.h>

// The fuzzer's own buffer, so that a read past its end is caught.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vorlix;
    for (const bool atEnd : {false, true})
        if (const auto info = probeMpegAudio(data, size, atEnd))
            require(info->firstFrameOffset < size && info->sampleRate > 0 && info->channels >= 1 && info->channels <= 2);
    id3v2TagSize(data, size);

    const int fd = ::memfd_create("song", 0);
    require(fd >= 0 && ::write(fd, data, size) == ssize_t(size));
    if (auto decoder = Mp3Decoder::open("/proc/self/fd/" + std::to_string(fd))) {
        const std::int16_t* samples = nullptr;
        volatile std::int32_t sum = 0;
        while (const std::size_t n = decoder->next(&samples)) {
            require(decoder->rate() > 0 && n <= decoder->maxFramesPerCall());
            for (std::size_t i = 0; i < 2 * n; ++i) // every sample handed out is readable
                sum = sum + samples[i];
        }
    }
    ::close(fd);
    return 0;
}
