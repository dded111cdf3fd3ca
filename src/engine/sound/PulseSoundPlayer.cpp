// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/sound/PulseSoundPlayer.h"

#include "engine/SdlParts.h"

#include <QFile>

#include <pulse/pulseaudio.h>

#include <cstdlib>

namespace vorlix {

namespace {

pa_sample_format_t sampleFormat(int tag, int bits)
{
    switch (tag) {
    case 1:   // integer PCM
        return bits == 8 ? PA_SAMPLE_U8 : bits == 16 ? PA_SAMPLE_S16LE : bits == 24 ? PA_SAMPLE_S24LE
             : bits == 32 ? PA_SAMPLE_S32LE : PA_SAMPLE_INVALID;
    case 3: return bits == 32 ? PA_SAMPLE_FLOAT32LE : PA_SAMPLE_INVALID;
    case 6: return bits == 8 ? PA_SAMPLE_ALAW : PA_SAMPLE_INVALID;
    case 7: return bits == 8 ? PA_SAMPLE_ULAW : PA_SAMPLE_INVALID;
    default: return PA_SAMPLE_INVALID;
    }
}

struct Wav {
    pa_sample_spec format;
    QByteArray samples;
};

// The sound of a WAVE file in a form the server plays as it stands; nothing
// for other files and for encodings that need decoding first.
std::optional<Wav> readWav(const QByteArray& path)
{
    QFile file(QFile::decodeName(path));
    if (!file.open(QIODevice::ReadOnly) || file.size() > (64 << 20))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    const auto u16 = [&](qsizetype at) { return int(uchar(bytes[at])) | int(uchar(bytes[at + 1])) << 8; };
    const auto u32 = [&](qsizetype at) { return quint32(u16(at)) | quint32(u16(at + 2)) << 16; };
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    std::optional<pa_sample_spec> format;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype body = at + 8;
        qsizetype size = u32(at + 4);
        if (size > bytes.size() - body) {
            if (id != "data")
                return std::nullopt;
            size = bytes.size() - body;   // a cut-off file plays what it has
        }
        if (id == "fmt " && size >= 16) {
            const int tag = u16(body);
            const int channels = u16(body + 2);
            format = pa_sample_spec{sampleFormat(tag == 0xfffe && size >= 26 ? u16(body + 24) : tag, u16(body + 14)),
                                  u32(body + 4), std::uint8_t(channels)};
            if (channels > 255 || !pa_sample_spec_valid(&*format))
                return std::nullopt;
        } else if (id == "data" && format) {
            return Wav{*format, bytes.mid(body, size - size % qsizetype(pa_frame_size(&*format)))};
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

} // namespace

PulseSoundPlayer::PulseSoundPlayer(std::function<std::shared_ptr<SdlAudio>()> sdlAudio, PulseConnector pulse)
    : sdlAudio_(std::move(sdlAudio)), connector_(std::move(pulse))
{
    const char* driver = std::getenv("SDL_AUDIODRIVER");
    serverFailed_ = driver && *driver;
    worker_ = std::thread([this] { run(); });
}

PulseSoundPlayer::~PulseSoundPlayer()
{
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    worker_.join();
    disconnect();
}

void PulseSoundPlayer::play(const QString& wavFile)
{
    {
        std::lock_guard lock(mutex_);
        pending_ = QFile::encodeName(wavFile);
    }
    wake_.notify_all();
}

void PulseSoundPlayer::run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return quit_ || pending_; });
        if (quit_)
            return;
        const QByteArray path = *pending_;
        pending_.reset();
        lock.unlock();
        playNow(path);
        lock.lock();
    }
}

SoundPlayer* PulseSoundPlayer::fallback()
{
    if (!fallback_)
        if (const SdlParts* sdl = sdlParts())
            fallback_.reset(sdl->makeSoundPlayer(sdlAudio_ ? sdlAudio_() : nullptr));
    return fallback_.get();
}

bool PulseSoundPlayer::connect()
{
    if (pulse_) {
        pulse_->lock();
        const bool good = pulse_->good();
        pulse_->unlock();
        if (good)
            return true;
    }
    disconnect();   // a server that went away is tried again
    pulse_ = connector_ ? connector_() : nullptr;
    return pulse_ != nullptr;
}

void PulseSoundPlayer::disconnect()
{
    if (!pulse_)
        return;
    pulse_->lock();
    if (stream_) {
        pa_stream_set_state_callback(stream_, nullptr, nullptr);
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
        stream_ = nullptr;
    }
    pulse_->unlock();
    pulse_.reset();
}

void PulseSoundPlayer::playNow(const QByteArray& path)
{
    if (path.isEmpty() || !QFile::exists(QFile::decodeName(path)))
        return;
    if (!serverFailed_ && !connect()) {
        disconnect();
        serverFailed_ = true;
    }
    // SDL also plays the encodings the server cannot take as they stand.
    const std::optional<Wav> wav = serverFailed_ ? std::nullopt : readWav(path);
    if (!wav) {
        if (SoundPlayer* sdl = fallback())
            sdl->play(QFile::decodeName(path));
        return;
    }
    pulse_->lock();
    if (stream_) {   // a sound still playing is cut off
        pa_stream_set_state_callback(stream_, nullptr, nullptr);
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
        stream_ = nullptr;
    }
    pa_proplist* props = pa_proplist_new();
    pa_proplist_sets(props, PA_PROP_MEDIA_ROLE, "event");
    stream_ = pa_stream_new_with_proplist(pulse_->context(), "Click", &wav->format, nullptr, props);
    pa_proplist_free(props);
    if (stream_) {
        pa_stream_set_state_callback(
            stream_,
            [](pa_stream*, void* mainloop) { pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(mainloop), 0); },
            pulse_->mainloop());
    }
    if (stream_ && pa_stream_connect_playback(stream_, nullptr, nullptr, PA_STREAM_NOFLAGS, nullptr, nullptr) >= 0
        && pulse_->waitFor([this] { return pa_stream_get_state(stream_) != PA_STREAM_CREATING; })
        && pa_stream_get_state(stream_) == PA_STREAM_READY) {
        pa_stream_write(stream_, wav->samples.constData(), std::size_t(wav->samples.size()), nullptr, 0, PA_SEEK_RELATIVE);
        // Once played, the stream leaves the server: no device is kept.
        const auto played = [](pa_stream* s, int, void*) { pa_stream_disconnect(s); };
        if (pa_operation* op = pa_stream_drain(stream_, played, nullptr))
            pa_operation_unref(op);
    }
    pulse_->unlock();
}

} // namespace vorlix
