// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Mp3Decoder.h"

#include "engine/MpegProbe.h"

#include <mpg123.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <vector>

namespace vorlix {

namespace {

// How much of the file, after an ID3v2 tag, may come before the first frame.
constexpr std::size_t kProbeWindow = 64 * 1024;
// Room for the run of frames that starts near the end of the window.
constexpr std::size_t kProbeSlack = 16 * 1024;
// Damaged stretches are skipped, but not forever.
constexpr int kMaxErrorsInARow = 64;
// How far libmpg123 looks for the next frame after damage. Past that, what
// follows is not the song any more (a long tail of zeros or junk): it ends.
constexpr long kResyncLimit = 256 * 1024;
constexpr std::size_t kReadBlock = 8 * 1024;

ssize_t readFully(int fd, std::uint8_t* buffer, std::size_t size, off_t offset)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, buffer + done, size - done, offset + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

} // namespace

// What libmpg123 reads the song through. It reads in blocks, however little
// libmpg123 asks for (resyncing, it asks for one byte at a time), starts at
// `base` (the song's first frame when a tag in front of it cannot be
// trusted), and fails every read once told to stop, so a decoder lost in a
// long stretch of junk ends at once.
struct Mp3Decoder::Source {
    int fd = -1;
    off_t base = 0;
    std::atomic<bool> interrupted{false};
    std::unique_ptr<std::uint8_t[]> block = std::make_unique<std::uint8_t[]>(kReadBlock);
    std::size_t blockAt = 0;     // next unread byte in the block
    std::size_t blockEnd = 0;    // bytes in the block
    off_t position = 0;          // of the block's end, from base

    ~Source()
    {
        if (fd >= 0)
            ::close(fd);
    }

    ssize_t readSome(void* buffer, std::size_t size)
    {
        if (interrupted.load(std::memory_order_relaxed)) {
            errno = EINTR;
            return -1;
        }
        if (blockAt == blockEnd) {
            if (size >= kReadBlock)
                return rawRead(buffer, size);
            const ssize_t n = rawRead(block.get(), kReadBlock);
            if (n <= 0)
                return n;
            blockAt = 0;
            blockEnd = static_cast<std::size_t>(n);
        }
        const std::size_t n = std::min(size, blockEnd - blockAt);
        std::memcpy(buffer, block.get() + blockAt, n);
        blockAt += n;
        return static_cast<ssize_t>(n);
    }

    ssize_t rawRead(void* buffer, std::size_t size)
    {
        for (;;) {
            const ssize_t n = ::pread(fd, buffer, size, base + position);
            if (n < 0 && errno == EINTR)
                continue;
            if (n > 0)
                position += n;
            return n;
        }
    }

    off_t seekTo(off_t offset, int whence)
    {
        off_t target = offset;
        if (whence == SEEK_CUR) {
            target += position - static_cast<off_t>(blockEnd - blockAt);
        } else if (whence == SEEK_END) {
            struct stat st{};
            if (::fstat(fd, &st) != 0)
                return -1;
            target += st.st_size - base;
        } else if (whence != SEEK_SET) {
            errno = EINVAL;
            return -1;
        }
        if (target < 0) {
            errno = EINVAL;
            return -1;
        }
        position = target;
        blockAt = blockEnd = 0;
        return target;
    }

    static ssize_t read(void* self, void* buffer, size_t size)
    {
        return static_cast<Source*>(self)->readSome(buffer, size);
    }
    static off_t seek(void* self, off_t offset, int whence)
    {
        return static_cast<Source*>(self)->seekTo(offset, whence);
    }
};

std::unique_ptr<Mp3Decoder> Mp3Decoder::open(const std::string& path)
{
    auto source = std::make_unique<Source>();
    // Without O_NONBLOCK, opening a FIFO waits for a writer, forever.
    source->fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (source->fd < 0)
        return {};
    struct stat st{};
    if (::fstat(source->fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size == 0)
        return {};

    // Check the head of the file before libmpg123 sees it: libmpg123 finds
    // "frames" in nearly anything.
    std::uint8_t head[10];
    if (readFully(source->fd, head, sizeof head, 0) != static_cast<ssize_t>(sizeof head))
        return {};
    std::vector<std::uint8_t> window(kProbeWindow + kProbeSlack);
    const auto probeFrom = [&](off_t offset) -> std::optional<MpegStreamInfo> {
        const ssize_t got = readFully(source->fd, window.data(), window.size(), offset);
        if (got <= 0)
            return std::nullopt;
        return probeMpegAudio(window.data(), static_cast<std::size_t>(got), offset + got >= st.st_size);
    };
    const auto tagSize = static_cast<off_t>(id3v2TagSize(head, sizeof head));
    auto stream = probeFrom(tagSize);
    if (!stream && tagSize > 0) {
        // The tag's size can lie (claim more than the file holds, or reach
        // to its very end). The song is then looked for from the start, and
        // libmpg123 is shown the file from its first frame on, so that it
        // does not skip the song along with the "tag".
        stream = probeFrom(0);
        if (!stream)
            return {};
        source->base = static_cast<off_t>(stream->firstFrameOffset);
    }
    if (!stream)
        return {};

    std::unique_ptr<Mp3Decoder> decoder(new Mp3Decoder);
    int err = MPG123_OK;
    mpg123_init();
    decoder->handle_ = mpg123_new(nullptr, &err);
    if (!decoder->handle_)
        return {};
    mpg123_handle* mh = decoder->handle_;
    mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_FORCE_STEREO, 0.);
    // Skip damage anywhere in the song (the head is already known to be
    // good), but only so far: see kResyncLimit.
    mpg123_param(mh, MPG123_RESYNC_LIMIT, kResyncLimit, 0.);
    mpg123_format_none(mh);
    const long* rates = nullptr;
    size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (size_t i = 0; i < rateCount; ++i)
        mpg123_format(mh, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);

    if (mpg123_replace_reader_handle(mh, &Source::read, &Source::seek, nullptr) != MPG123_OK
        || mpg123_open_handle(mh, source.get()) != MPG123_OK)
        return {};
    decoder->source_ = std::move(source);

    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_getformat(mh, &rate, &channels, &encoding) != MPG123_OK || encoding != MPG123_ENC_SIGNED_16
        || rate != stream->sampleRate || (channels != 1 && channels != 2))
        return {};
    decoder->rate_ = static_cast<int>(rate);
    decoder->channels_ = channels;
    const std::size_t outBlock = mpg123_outblock(mh);
    decoder->maxFrames_ = outBlock / sizeof(std::int16_t) / static_cast<std::size_t>(channels);
    if (decoder->maxFrames_ == 0)
        return {};
    if (channels == 1)
        decoder->widened_ = std::make_unique<std::int16_t[]>(decoder->maxFrames_ * 2);
    return decoder;
}

void Mp3Decoder::interrupt()
{
    source_->interrupted.store(true, std::memory_order_relaxed);
}

Mp3Decoder::~Mp3Decoder()
{
    if (handle_) {
        mpg123_close(handle_);
        mpg123_delete(handle_);
    }
}

// Damage also turns up as frames of another MPEG version or layer at the
// song's rate: noise, and dropped like the rest.
bool Mp3Decoder::ownLayer()
{
    mpg123_frameinfo info{};
    if (mpg123_info(handle_, &info) != MPG123_OK)
        return true;
    if (layer_ == 0) {
        layer_ = info.layer;
        version_ = info.version;
    }
    return info.layer == layer_ && info.version == version_;
}

std::size_t Mp3Decoder::next(const std::int16_t** samples)
{
    int errors = 0;
    while (!over_) {
        if (source_->interrupted.load(std::memory_order_relaxed)) {
            over_ = true;
            break;
        }
        off_t frameNumber = 0;
        unsigned char* audio = nullptr;
        size_t bytes = 0;
        const int result = mpg123_decode_frame(handle_, &frameNumber, &audio, &bytes);
        if (result == MPG123_OK || result == MPG123_NEW_FORMAT) {
            if (result == MPG123_NEW_FORMAT) {
                // Damage can look like frames of another rate or layout:
                // those are dropped until the song's own frames come back.
                long rate = 0;
                int channels = 0;
                int encoding = 0;
                mpg123_getformat(handle_, &rate, &channels, &encoding);
                foreignFormat_ = rate != rate_ || channels != channels_ || encoding != MPG123_ENC_SIGNED_16;
            }
            if (foreignFormat_ || !ownLayer())
                continue;   // libmpg123 moves on through the file: this ends

            const std::size_t frames = bytes / sizeof(std::int16_t) / static_cast<std::size_t>(channels_);
            if (frames == 0) {
                if (++errors > kMaxErrorsInARow)
                    over_ = true;
                continue;
            }
            const auto* pcm = reinterpret_cast<const std::int16_t*>(audio);
            if (channels_ == 1) {
                for (std::size_t i = 0; i < frames; ++i)
                    widened_[2 * i] = widened_[2 * i + 1] = pcm[i];
                pcm = widened_.get();
            }
            *samples = pcm;
            return frames;
        }
        if (result == MPG123_DONE) {
            over_ = true;
            break;
        }
        // An error: a broken frame is skipped; a file that cannot be read
        // any more ends the song.
        const int code = mpg123_errcode(handle_);
        if (code == MPG123_ERR_READER || code == MPG123_OUT_OF_MEM || code == MPG123_RESYNC_FAIL
            || ++errors > kMaxErrorsInARow)
            over_ = true;
    }
    return 0;
}

} // namespace vorlix
