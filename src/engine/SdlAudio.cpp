// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/SdlAudio.h"

#include <cstring>

namespace vorlix {

namespace {

bool isStandIn(const char* driver)
{
    return driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "disk") == 0);
}

// SDL reads the driver's name when the subsystem starts. The override beats
// SDL_AUDIODRIVER too (the driver it names has just failed) and is taken back
// at once, so a later start, once every user has let go, tries the real
// driver again.
int initWithDummyDriver()
{
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    const int result = SDL_InitSubSystem(SDL_INIT_AUDIO);
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    return result;
}

} // namespace

std::shared_ptr<SdlAudio> SdlAudio::create()
{
    return std::shared_ptr<SdlAudio>(new SdlAudio);
}

// At the first device, not at start-up: starting SDL's audio talks to the
// sound server, and a player that is never used for sound need not.
bool SdlAudio::initialise()
{
    if (!initialised_ && !triedToInitialise_) {
        triedToInitialise_ = true;
        initialised_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 || initWithDummyDriver() == 0;
    }
    return initialised_;
}

SdlAudio::~SdlAudio()
{
    if (initialised_)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

// Only possible while nobody else holds the subsystem: switching drivers
// would close their devices.
bool SdlAudio::fallBackToDummy()
{
    if (openDevices_ > 0 || isStandIn(SDL_GetCurrentAudioDriver()))
        return false;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    const bool alone = SDL_WasInit(SDL_INIT_AUDIO) == 0;
    if ((alone ? initWithDummyDriver() : SDL_InitSubSystem(SDL_INIT_AUDIO)) != 0) {
        initialised_ = false;
        return false;
    }
    return isStandIn(SDL_GetCurrentAudioDriver());
}

SDL_AudioDeviceID SdlAudio::openDevice(const SDL_AudioSpec& want, SDL_AudioSpec* have, int allowedChanges)
{
    std::lock_guard lock(mutex_);
    if (!initialise())
        return 0;
    SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, have, allowedChanges);
    if (device == 0 && fallBackToDummy())
        device = SDL_OpenAudioDevice(nullptr, 0, &want, have, allowedChanges);
    if (device != 0)
        ++openDevices_;
    return device;
}

void SdlAudio::closeDevice(SDL_AudioDeviceID device)
{
    if (device == 0)
        return;
    std::lock_guard lock(mutex_);
    SDL_CloseAudioDevice(device);
    --openDevices_;
}

std::string SdlAudio::driverName()
{
    std::lock_guard lock(mutex_);
    const char* name = initialised_ ? SDL_GetCurrentAudioDriver() : nullptr;
    return name ? name : "";
}

} // namespace vorlix
