// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vorlix {

class Mp3Play;
class SoundPlayer;

// What the audio module (vorlix-audio.so, beside the program) hands out.
// The program loads it at the first sound it makes, so that starting up does
// not load the sound libraries and the decoder.
struct AudioModuleApi {
    // A new click-sound player.
    SoundPlayer* (*makeSoundPlayer)();
    // A new playback engine, sharing the click sounds' hold on SDL's audio.
    Mp3Play* (*makeMp3Play)();
};

} // namespace vorlix

extern "C" const vorlix::AudioModuleApi* vorlix_audio_module();
