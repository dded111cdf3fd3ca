// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

namespace vorlix {

class AudioOutput;
class SdlAudio;
class SoundPlayer;

// What plays through SDL: the output for systems without a PulseAudio server
// or with SDL_AUDIODRIVER set, and the click player that goes with it. The
// audio module keeps these in a module of their own (vorlix-sdl.so beside
// it), loaded the first time a sound goes through SDL, so that playing
// through PulseAudio does not load SDL and the libraries it brings.
struct SdlParts {
    // A new hold on SDL's audio.
    std::shared_ptr<SdlAudio> (*createAudio)();
    AudioOutput* (*makeOutput)(std::shared_ptr<SdlAudio> audio);
    // An empty hold makes the player take one of its own.
    SoundPlayer* (*makeSoundPlayer)(std::shared_ptr<SdlAudio> audio);
};

// The parts; null when they cannot be loaded.
const SdlParts* sdlParts();

} // namespace vorlix

extern "C" const vorlix::SdlParts* vorlix_sdl_parts();
