// SPDX-License-Identifier: GPL-3.0-or-later
// Opening and decoding arbitrary bytes as a song: the stream probe on its own,
// then the decoder on a memory file holding the bytes, played to its end.
#include "engine/Mp3Decoder.h"
#include "engine/MpegProbe.h"

#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vorlix;
    for (const bool atEnd : {false, true}) {
        const auto info = probeMpegAudio(data, size, atEnd);
        if (info && (info->firstFrameOffset >= size || info->sampleRate <= 0 || info->channels < 1 || info->channels > 2))
            std::abort();
    }
    id3v2TagSize(data, size);

    const int fd = ::memfd_create("song", 0);
    if (fd < 0 || ::write(fd, data, size) != ssize_t(size))
        std::abort();
    if (auto decoder = Mp3Decoder::open("/proc/self/fd/" + std::to_string(fd))) {
        const std::int16_t* samples = nullptr;
        volatile std::int32_t sum = 0;
        while (const std::size_t n = decoder->next(&samples)) {
            if (decoder->rate() <= 0 || n > decoder->maxFramesPerCall())
                std::abort();
            for (std::size_t i = 0; i < 2 * n; ++i) // every sample handed out is readable
                sum = sum + samples[i];
        }
    }
    ::close(fd);
    return 0;
}
