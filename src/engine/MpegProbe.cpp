// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/MpegProbe.h"

namespace vorlix {

namespace {

constexpr int kFramesInARow = 4;

struct FrameHeader {
    int version;   // 3: MPEG-1, 2: MPEG-2, 0: MPEG-2.5
    int layer;     // 1, 2 or 3
    int sampleRate;
    bool mono;
    std::size_t length;
};

std::optional<FrameHeader> parseHeader(const std::uint8_t* p)
{
    const std::uint32_t h = (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16)
        | (std::uint32_t(p[2]) << 8) | std::uint32_t(p[3]);
    if ((h & 0xFFE00000u) != 0xFFE00000u)
        return std::nullopt;
    const int version = (h >> 19) & 3;
    const int layerBits = (h >> 17) & 3;
    const int bitrateIndex = (h >> 12) & 15;
    const int rateIndex = (h >> 10) & 3;
    const int padding = (h >> 9) & 1;
    const int mode = (h >> 6) & 3;
    const int emphasis = h & 3;
    // Free format (bitrate index 0) is not accepted: its frames cannot be
    // chained without guessing.
    if (version == 1 || layerBits == 0 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3
        || emphasis == 2)
        return std::nullopt;
    const int layer = 4 - layerBits;

    static constexpr int kBitrates[5][15] = {
        {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448}, // MPEG-1 layer 1
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},    // MPEG-1 layer 2
        {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},     // MPEG-1 layer 3
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},    // MPEG-2/2.5 layer 1
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},         // MPEG-2/2.5 layers 2, 3
    };
    static constexpr int kRates[3] = {44100, 48000, 32000};

    const bool mpeg1 = version == 3;
    const int table = mpeg1 ? layer - 1 : (layer == 1 ? 3 : 4);
    const long bitrate = kBitrates[table][bitrateIndex] * 1000L;
    const int rate = kRates[rateIndex] >> (mpeg1 ? 0 : (version == 2 ? 1 : 2));

    std::size_t length = 0;
    if (layer == 1)
        length = static_cast<std::size_t>((12 * bitrate / rate + padding) * 4);
    else if (layer == 3 && !mpeg1)
        length = static_cast<std::size_t>(72 * bitrate / rate + padding);
    else
        length = static_cast<std::size_t>(144 * bitrate / rate + padding);
    if (length < 4)
        return std::nullopt;
    return FrameHeader{version, layer, rate, mode == 3, length};
}

bool sameStream(const FrameHeader& a, const FrameHeader& b)
{
    return a.version == b.version && a.layer == b.layer && a.sampleRate == b.sampleRate && a.mono == b.mono;
}

} // namespace

std::size_t id3v2TagSize(const std::uint8_t* data, std::size_t size)
{
    if (size < 10 || data[0] != 'I' || data[1] != 'D' || data[2] != '3')
        return 0;
    for (int i = 6; i < 10; ++i)
        if (data[i] & 0x80)
            return 0;
    const std::size_t body = (std::size_t(data[6]) << 21) | (std::size_t(data[7]) << 14)
        | (std::size_t(data[8]) << 7) | std::size_t(data[9]);
    const bool footer = data[5] & 0x10;
    return 10 + body + (footer ? 10 : 0);
}

std::optional<MpegStreamInfo> probeMpegAudio(const std::uint8_t* data, std::size_t size, bool atEnd)
{
    for (std::size_t start = 0; start + 4 <= size; ++start) {
        if (data[start] != 0xFF)
            continue;
        const auto first = parseHeader(data + start);
        if (!first)
            continue;
        std::size_t pos = start;
        FrameHeader frame = *first;
        int inARow = 1;
        bool chained = true;
        while (inARow < kFramesInARow) {
            pos += frame.length;
            if (pos + 4 > size) {
                // The run reaches the end of the file: a very short song.
                chained = atEnd && inARow >= 2 && pos <= size;
                break;
            }
            const auto next = parseHeader(data + pos);
            if (!next || !sameStream(*next, *first)) {
                // Trailing ID3v1 or APE tag right after a short stream.
                chained = atEnd && inARow >= 2 && size - pos <= 256 * 1024
                    && (data[pos] == 'T' || data[pos] == 'A');
                break;
            }
            frame = *next;
            ++inARow;
        }
        if (chained && inARow >= 2)
            return MpegStreamInfo{first->sampleRate, first->mono ? 1 : 2, start};
    }
    return std::nullopt;
}

} // namespace vorlix
