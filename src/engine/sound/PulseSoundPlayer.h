// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/PulseConnection.h"
#include "platform/SoundPlayer.h"

#include <QByteArray>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

struct pa_stream;

namespace vorlix {

class SdlAudio;

// Plays the click sounds through the PulseAudio server: a stream of its own
// for each sound, gone from the server as soon as the sound has played, on
// a connection kept for the next click and shared with the songs (it holds
// no device and never wakes the process). Without a server, or when SDL_AUDIODRIVER names a
// driver, the clicks go through SDL. A worker thread loads the files and
// talks to the server, so play() never waits.
class PulseSoundPlayer : public SoundPlayer {
public:
    // `sdlAudio` gives the SDL audio hold shared with the playback engine,
    // asked only when a click goes through SDL; without it the SDL player
    // takes a hold of its own.
    // `pulse` gives the sound-server connection, shared with the songs.
    explicit PulseSoundPlayer(std::function<std::shared_ptr<SdlAudio>()> sdlAudio,
                              PulseConnector pulse = &PulseConnection::open);
    ~PulseSoundPlayer() override;

    PulseSoundPlayer(const PulseSoundPlayer&) = delete;
    PulseSoundPlayer& operator=(const PulseSoundPlayer&) = delete;

    void play(const QString& wavFile) override;

private:
    void run();
    void playNow(const QByteArray& path);
    SoundPlayer* fallback();
    bool connect();
    void disconnect();

    std::function<std::shared_ptr<SdlAudio>()> sdlAudio_;
    std::unique_ptr<SoundPlayer> fallback_;
    bool serverFailed_ = false;
    PulseConnector connector_;
    std::shared_ptr<PulseConnection> pulse_;
    pa_stream* stream_ = nullptr;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<QByteArray> pending_;   // only the latest request counts
    bool quit_ = false;
    std::thread worker_;
};

} // namespace vorlix
