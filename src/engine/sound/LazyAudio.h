// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SoundPlayer.h"

#include <QString>

#include <memory>

namespace vorlix {

class Mp3Play;
struct AudioModuleApi;

// The program's sound, loaded from the audio module beside the executable
// the first time a click plays or a playback control is used. Without the
// module, clicks are silent and every playback operation fails.
class LazyAudio : public SoundPlayer {
public:
    explicit LazyAudio(QString modulePath);
    ~LazyAudio() override;

    LazyAudio(const LazyAudio&) = delete;
    LazyAudio& operator=(const LazyAudio&) = delete;

    void play(const QString& wavFile) override;
    // A playback control that loads the module at its first operation.
    std::unique_ptr<Mp3Play> makeMp3Play();

    // The module's interface; null when it cannot be loaded. Loads it once.
    const AudioModuleApi* module();

private:
    QString modulePath_;
    bool tried_ = false;
    const AudioModuleApi* api_ = nullptr;
    std::unique_ptr<SoundPlayer> sound_;
};

} // namespace vorlix
