// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SoundPlayer.h"

#include <QByteArray>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace vorlix {

class SdlAudio;

// Plays the click sounds through SDL. A worker thread opens the device for
// each sound (or run of sounds), loads the files and closes the device once
// the sound is over, so play() never waits and nothing runs between clicks.
// When no device can be opened, sounds are dropped silently.
class SdlSoundPlayer : public SoundPlayer {
public:
    // `audio` is the SDL audio hold shared with the playback engine; one is
    // made when empty.
    explicit SdlSoundPlayer(std::shared_ptr<SdlAudio> audio = {});
    ~SdlSoundPlayer() override;

    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    void play(const QString& wavFile) override;

    // True once every play() so far has been dealt with.
    bool idle();
    // True while a device is open.
    bool holdsDevice() const;
    // Bytes of sound still waiting to be played; 0 without a device.
    std::uint32_t queuedBytes();

private:
    void run();
    void playNow(const QByteArray& path);
    bool openDevice();

    std::shared_ptr<SdlAudio> audio_;
    std::atomic<std::uint32_t> device_{0};
    bool deviceFailed_ = false;
    int deviceFormat_ = 0;
    int deviceChannels_ = 0;
    int deviceRate_ = 0;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<QByteArray> pending_;   // only the latest request counts
    bool busy_ = false;
    bool quit_ = false;
    std::thread worker_;
};

} // namespace vorlix
