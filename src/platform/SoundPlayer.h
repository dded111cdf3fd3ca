// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace vorlix {

// Plays short WAV files (the button clicks) without waiting for them.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;

    // Starts the file and returns at once. A sound still playing is cut off
    // and replaced. A missing or unreadable file plays nothing: there is no
    // default sound.
    virtual void play(const QString& wavFile) = 0;
};

} // namespace vorlix
