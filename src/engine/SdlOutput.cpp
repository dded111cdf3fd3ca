// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/SdlOutput.h"

#include <cstring>

namespace vorlix {

SdlOutput::SdlOutput(std::shared_ptr<SdlAudio> audio)
    : audio_(std::move(audio))
{
}

SdlOutput::~SdlOutput()
{
    // Closing waits for SDL's audio thread, so fill is done with once it returns.
    if (audio_)
        audio_->closeDevice(device_);
}

bool SdlOutput::open(int rate, Fill fill)
{
    if (!audio_ || device_ != 0 || rate <= 0)
        return false;
    fill_ = std::move(fill);
    SDL_AudioSpec want{};
    want.freq = rate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = static_cast<Uint16>(bufferFramesFor(rate));
    want.callback = &SdlOutput::callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts to the device's own format.
    device_ = audio_->openDevice(want, &have, 0);
    if (device_ == 0)
        return false;
    rate_ = have.freq;
    bufferFrames_ = have.samples;
    return true;
}

void SdlOutput::setPaused(bool paused)
{
    if (device_ != 0)
        SDL_PauseAudioDevice(device_, paused ? 1 : 0);
}

void SdlOutput::lock()
{
    if (device_ != 0)
        SDL_LockAudioDevice(device_);
}

void SdlOutput::unlock()
{
    if (device_ != 0)
        SDL_UnlockAudioDevice(device_);
}

void SdlOutput::callback(void* self, Uint8* stream, int len)
{
    auto* out = static_cast<SdlOutput*>(self);
    const int frames = len / 4;
    out->fill_(reinterpret_cast<std::int16_t*>(stream), frames);
    if (len % 4)
        std::memset(stream + frames * 4, 0, static_cast<std::size_t>(len % 4));
}

} // namespace vorlix
