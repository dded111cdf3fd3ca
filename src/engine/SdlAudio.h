// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <SDL.h>

#include <memory>
#include <mutex>
#include <string>

namespace vorlix {

// One user's hold on SDL's audio subsystem (SDL counts the holds: the
// subsystem goes down when the last one is released). Opening a device tries
// the driver SDL picks (or the one named by SDL_AUDIODRIVER) and, when that
// driver cannot open any device, falls back to SDL's "dummy" driver so that
// playback still runs in real time, silently.
//
// Users on different threads should share one instance: its lock keeps their
// SDL calls apart.
class SdlAudio {
public:
    // SDL's audio starts with the first device opened through the hold.
    static std::shared_ptr<SdlAudio> create();
    ~SdlAudio();

    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    // 0 when no device can be opened. `have` receives the device's format.
    SDL_AudioDeviceID openDevice(const SDL_AudioSpec& want, SDL_AudioSpec* have, int allowedChanges);
    void closeDevice(SDL_AudioDeviceID device);

    std::string driverName();

private:
    SdlAudio() = default;
    bool initialise();
    bool fallBackToDummy();

    std::mutex mutex_;
    bool initialised_ = false;
    bool triedToInitialise_ = false;
    int openDevices_ = 0;
};

} // namespace vorlix
