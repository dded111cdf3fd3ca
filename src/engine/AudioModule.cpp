// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/AudioModule.h"

#include "engine/Mp3Engine.h"
#include "engine/SdlParts.h"
#include "engine/sound/PulseSoundPlayer.h"

#include <mutex>

namespace vorlix {

namespace {

// One hold on SDL's audio for the whole run, shared by everything the module
// makes; taken (and SDL loaded) the first time a sound goes through SDL. Left
// alone at exit: the module is never unloaded, and its users may outlive
// static destructors.
std::shared_ptr<SdlAudio> sdlAudio()
{
    static const auto* audio = new std::shared_ptr<SdlAudio>(sdlParts() ? sdlParts()->createAudio() : nullptr);
    return *audio;
}

// One connection to the sound server for the clicks and the songs, kept
// while the server keeps it and replaced once it has gone. Left alone at
// exit, like the SDL hold.
std::shared_ptr<PulseConnection> sharedPulse()
{
    static auto* mutex = new std::mutex;
    static auto* held = new std::shared_ptr<PulseConnection>;
    std::lock_guard lock(*mutex);
    if (*held) {
        (*held)->lock();
        const bool good = (*held)->good();
        (*held)->unlock();
        if (good)
            return *held;
    }
    *held = PulseConnection::open();
    return *held;
}

SoundPlayer* makeSoundPlayer()
{
    return new PulseSoundPlayer(&sdlAudio, &sharedPulse);
}

Mp3Play* makeMp3Play()
{
    Mp3Engine::Options options;
    options.sdlAudio = &sdlAudio;
    options.pulse = &sharedPulse;
    return new Mp3Engine(options);
}

const AudioModuleApi kApi{&makeSoundPlayer, &makeMp3Play};

} // namespace

} // namespace vorlix

extern "C" __attribute__((visibility("default"))) const vorlix::AudioModuleApi* vorlix_audio_module()
{
    return &vorlix::kApi;
}
