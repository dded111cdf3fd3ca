// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/AudioOutput.h"
#include "engine/SdlAudio.h"

#include <memory>

namespace vorlix {

// Plays through an SDL audio device opened at exactly the requested rate and
// layout; SDL converts to whatever the sound server wants.
class SdlOutput : public AudioOutput {
public:
    explicit SdlOutput(std::shared_ptr<SdlAudio> audio);
    ~SdlOutput() override;

    bool open(int rate, Fill fill) override;
    void setPaused(bool paused) override;
    void lock() override;
    void unlock() override;
    int rate() const override { return rate_; }
    int bufferFrames() const override { return bufferFrames_; }

private:
    static void callback(void* self, Uint8* stream, int len);

    std::shared_ptr<SdlAudio> audio_;
    SDL_AudioDeviceID device_ = 0;
    Fill fill_;
    int rate_ = 0;
    int bufferFrames_ = 0;
};

} // namespace vorlix
