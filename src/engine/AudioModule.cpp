#include "engine/AudioModule.h"

#include "engine/Mp3Engine.h"
#include "engine/SdlParts.h"
#include "platform/PulseSoundPlayer.h"

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

SoundPlayer* makeSoundPlayer()
{
    return new PulseSoundPlayer(&sdlAudio);
}

Mp3Play* makeMp3Play()
{
    Mp3Engine::Options options;
    options.sdlAudio = &sdlAudio;
    return new Mp3Engine(options);
}

const AudioModuleApi kApi{&makeSoundPlayer, &makeMp3Play};

} // namespace

} // namespace vorlix

extern "C" __attribute__((visibility("default"))) const vorlix::AudioModuleApi* vorlix_audio_module()
{
    return &vorlix::kApi;
}
