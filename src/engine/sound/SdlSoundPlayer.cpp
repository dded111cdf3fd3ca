// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/sound/SdlSoundPlayer.h"

#include "engine/SdlAudio.h"

#include <QFile>

#include <algorithm>
#include <chrono>

namespace vorlix {

SdlSoundPlayer::SdlSoundPlayer(std::shared_ptr<SdlAudio> audio)
    : audio_(std::move(audio))
    , worker_([this] {
        run();
        SDL_TLSCleanup(); // SDL keeps per-thread state for threads it did not start
    })
{
}

SdlSoundPlayer::~SdlSoundPlayer()
{
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    worker_.join();
    if (device_ != 0)
        audio_->closeDevice(device_);
}

void SdlSoundPlayer::play(const QString& wavFile)
{
    {
        std::lock_guard lock(mutex_);
        pending_ = QFile::encodeName(wavFile);
    }
    wake_.notify_all();
}

bool SdlSoundPlayer::idle()
{
    std::lock_guard lock(mutex_);
    return !pending_ && !busy_;
}

bool SdlSoundPlayer::holdsDevice() const
{
    return device_.load() != 0;
}

std::uint32_t SdlSoundPlayer::queuedBytes()
{
    const SDL_AudioDeviceID device = device_.load();
    return device != 0 ? SDL_GetQueuedAudioSize(device) : 0;
}

void SdlSoundPlayer::run()
{
    const auto due = [this] { return quit_ || pending_.has_value(); };
    std::unique_lock lock(mutex_);
    for (;;) {
        if (device_ != 0 && !due()) {
            // A running device costs a wake-up every few milliseconds: let it
            // go once the sound is over (and the device has played its last
            // buffer).
            const std::uint32_t bytesPerSecond =
                std::max(1, deviceRate_ * deviceChannels_ * int(SDL_AUDIO_BITSIZE(deviceFormat_)) / 8);
            const auto left = std::chrono::milliseconds(1000ull * queuedBytes() / bytesPerSecond + 150);
            if (!wake_.wait_for(lock, left, due) && queuedBytes() == 0) {
                const SDL_AudioDeviceID device = device_.exchange(0);
                lock.unlock();   // play() never waits for the close
                audio_->closeDevice(device);
                lock.lock();
            }
            continue;
        }
        wake_.wait(lock, due);
        if (quit_)
            return;
        const QByteArray path = *pending_;
        pending_.reset();
        busy_ = true;
        lock.unlock();
        playNow(path);
        lock.lock();
        busy_ = false;
    }
}

bool SdlSoundPlayer::openDevice()
{
    if (device_ != 0)
        return true;
    if (deviceFailed_)
        return false;
    if (!audio_)
        audio_ = SdlAudio::create();
    SDL_AudioSpec want{};
    want.freq = 44100;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;
    SDL_AudioSpec have{};
    const SDL_AudioDeviceID device = audio_ ? audio_->openDevice(want, &have, SDL_AUDIO_ALLOW_ANY_CHANGE) : 0;
    if (device == 0) {
        deviceFailed_ = true;
        return false;
    }
    deviceFormat_ = have.format;
    deviceChannels_ = have.channels;
    deviceRate_ = have.freq;
    device_ = device;
    return true;
}

void SdlSoundPlayer::playNow(const QByteArray& path)
{
    if (path.isEmpty() || !QFile::exists(QFile::decodeName(path)) || !openDevice())
        return;
    SDL_AudioSpec wavFormat{};
    Uint8* wav = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV(path.constData(), &wavFormat, &wav, &length))
        return;
    SDL_AudioStream* stream = SDL_NewAudioStream(wavFormat.format, wavFormat.channels, wavFormat.freq,
        static_cast<SDL_AudioFormat>(deviceFormat_), static_cast<Uint8>(deviceChannels_), deviceRate_);
    if (stream && SDL_AudioStreamPut(stream, wav, static_cast<int>(length)) == 0
        && SDL_AudioStreamFlush(stream) == 0) {
        QByteArray converted(SDL_AudioStreamAvailable(stream), Qt::Uninitialized);
        const int got = SDL_AudioStreamGet(stream, converted.data(), static_cast<int>(converted.size()));
        if (got > 0) {
            const SDL_AudioDeviceID device = device_;
            SDL_ClearQueuedAudio(device);
            SDL_QueueAudio(device, converted.constData(), static_cast<Uint32>(got));
            SDL_PauseAudioDevice(device, 0);
        }
    }
    if (stream)
        SDL_FreeAudioStream(stream);
    SDL_FreeWAV(wav);
}

} // namespace vorlix
