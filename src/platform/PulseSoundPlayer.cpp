#include "platform/PulseSoundPlayer.h"

#include "platform/SdlSoundPlayer.h"

#include <QFile>

#include <SDL.h>
#include <pulse/pulseaudio.h>

#include <cstdlib>

namespace vorlix {

namespace {

constexpr pa_usec_t kAnswerUs = 2000000;

// Waits, with the mainloop locked, until `settled` holds or two seconds have
// passed; true when it holds.
template <typename Settled>
bool waitFor(pa_threaded_mainloop* mainloop, Settled settled)
{
    const pa_usec_t until = pa_rtclock_now() + kAnswerUs;
    while (!settled()) {
        if (pa_rtclock_now() >= until)
            return false;
        // State changes signal the mainloop; the unlock/relock also lets a
        // late answer in.
        pa_threaded_mainloop_unlock(mainloop);
        SDL_Delay(2);
        pa_threaded_mainloop_lock(mainloop);
    }
    return true;
}

std::optional<pa_sample_format_t> sampleFormat(SDL_AudioFormat format)
{
    switch (format) {
    case AUDIO_U8: return PA_SAMPLE_U8;
    case AUDIO_S16LSB: return PA_SAMPLE_S16LE;
    case AUDIO_S16MSB: return PA_SAMPLE_S16BE;
    case AUDIO_S32LSB: return PA_SAMPLE_S32LE;
    case AUDIO_F32LSB: return PA_SAMPLE_FLOAT32LE;
    default: return std::nullopt;
    }
}

} // namespace

PulseSoundPlayer::PulseSoundPlayer(std::shared_ptr<SdlAudio> sdlAudio)
    : sdlAudio_(std::move(sdlAudio))
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

bool PulseSoundPlayer::connect()
{
    if (context_ && PA_CONTEXT_IS_GOOD(pa_context_get_state(context_)))
        return true;
    disconnect();   // a server that went away is tried again
    mainloop_ = pa_threaded_mainloop_new();
    if (!mainloop_)
        return false;
    pa_proplist* props = pa_proplist_new();
    pa_proplist_sets(props, PA_PROP_APPLICATION_NAME, "Vorlix");
    pa_proplist_sets(props, PA_PROP_MEDIA_ROLE, "event");
    context_ = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(mainloop_), "Vorlix", props);
    pa_proplist_free(props);
    if (!context_ || pa_threaded_mainloop_start(mainloop_) < 0)
        return false;
    pa_threaded_mainloop_lock(mainloop_);
    const bool ready = pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0
        && waitFor(mainloop_, [this] { return !PA_CONTEXT_IS_GOOD(pa_context_get_state(context_))
                                           || pa_context_get_state(context_) == PA_CONTEXT_READY; })
        && pa_context_get_state(context_) == PA_CONTEXT_READY;
    pa_threaded_mainloop_unlock(mainloop_);
    return ready;
}

void PulseSoundPlayer::disconnect()
{
    if (!mainloop_)
        return;
    pa_threaded_mainloop_lock(mainloop_);
    if (stream_) {
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
        stream_ = nullptr;
    }
    if (context_) {
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        context_ = nullptr;
    }
    pa_threaded_mainloop_unlock(mainloop_);
    pa_threaded_mainloop_stop(mainloop_);
    pa_threaded_mainloop_free(mainloop_);
    mainloop_ = nullptr;
}

void PulseSoundPlayer::playNow(const QByteArray& path)
{
    if (path.isEmpty() || !QFile::exists(QFile::decodeName(path)))
        return;
    if (!serverFailed_ && !connect()) {
        disconnect();
        serverFailed_ = true;
    }
    if (serverFailed_) {
        if (!fallback_)
            fallback_ = std::make_unique<SdlSoundPlayer>(sdlAudio_);
        fallback_->play(QFile::decodeName(path));
        return;
    }
    SDL_AudioSpec wav{};
    Uint8* data = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV(path.constData(), &wav, &data, &length))
        return;
    const auto format = sampleFormat(wav.format);
    pa_threaded_mainloop_lock(mainloop_);
    if (stream_) {   // a sound still playing is cut off
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
        stream_ = nullptr;
    }
    const pa_sample_spec sampleFormat{format.value_or(PA_SAMPLE_INVALID), static_cast<std::uint32_t>(wav.freq), wav.channels};
    if (format && pa_sample_spec_valid(&sampleFormat))
        stream_ = pa_stream_new(context_, "Click", &sampleFormat, nullptr);
    if (stream_ && pa_stream_connect_playback(stream_, nullptr, nullptr, PA_STREAM_NOFLAGS, nullptr, nullptr) >= 0
        && waitFor(mainloop_, [this] { return pa_stream_get_state(stream_) != PA_STREAM_CREATING; })
        && pa_stream_get_state(stream_) == PA_STREAM_READY) {
        pa_stream_write(stream_, data, length, nullptr, 0, PA_SEEK_RELATIVE);
        // Once played, the stream leaves the server: no device is kept.
        const auto played = [](pa_stream* s, int, void*) { pa_stream_disconnect(s); };
        if (pa_operation* op = pa_stream_drain(stream_, played, nullptr))
            pa_operation_unref(op);
    }
    pa_threaded_mainloop_unlock(mainloop_);
    SDL_FreeWAV(data);
}

} // namespace vorlix
