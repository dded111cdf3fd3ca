// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Services.h"

#include "platform/SoundPlayer.h"

namespace vorlix {

void Services::playClick() const
{
    sound.play(programFile(QStringLiteral("do.wav")));
}

void Services::playUsb() const
{
    sound.play(programFile(QStringLiteral("usbopen.wav")));
}

} // namespace vorlix
