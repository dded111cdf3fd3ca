// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/SdlParts.h"

#include "engine/SdlAudio.h"
#include "engine/SdlOutput.h"
#include "engine/sound/SdlSoundPlayer.h"

namespace vorlix {

namespace {

const SdlParts kParts{
    [] { return SdlAudio::create(); },
    [](std::shared_ptr<SdlAudio> audio) -> AudioOutput* { return new SdlOutput(std::move(audio)); },
    [](std::shared_ptr<SdlAudio> audio) -> SoundPlayer* { return new SdlSoundPlayer(std::move(audio)); },
};

} // namespace

const SdlParts* sdlParts()
{
    return &kParts;
}

} // namespace vorlix

extern "C" __attribute__((visibility("default"))) const vorlix::SdlParts* vorlix_sdl_parts()
{
    return vorlix::sdlParts();
}
