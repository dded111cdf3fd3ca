#include "engine/AudioModule.h"

#include "engine/Mp3Engine.h"
#include "engine/SdlAudio.h"
#include "platform/PulseSoundPlayer.h"

namespace vorlix {

namespace {

// One hold for the whole run, shared by everything the module makes. Left
// alone at exit: the module is never unloaded, and its users may outlive
// static destructors.
const std::shared_ptr<SdlAudio>& sdlAudio()
{
    static const auto* audio = new std::shared_ptr<SdlAudio>(SdlAudio::create());
    return *audio;
}

SoundPlayer* makeSoundPlayer()
{
    return new PulseSoundPlayer(sdlAudio());
}

Mp3Play* makeMp3Play()
{
    Mp3Engine::Options options;
    options.sdlAudio = sdlAudio();
    return new Mp3Engine(options);
}

const AudioModuleApi kApi{&makeSoundPlayer, &makeMp3Play};

} // namespace

} // namespace vorlix

extern "C" __attribute__((visibility("default"))) const vorlix::AudioModuleApi* vorlix_audio_module()
{
    return &vorlix::kApi;
}
