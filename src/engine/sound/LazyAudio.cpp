// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/sound/LazyAudio.h"

#include "engine/AudioModule.h"
#include "engine/Mp3Play.h"

#include <QCoreApplication>
#include <QLibrary>

#include <cstdio>

namespace vorlix {

namespace {

class LazyMp3Play : public Mp3Play {
public:
    explicit LazyMp3Play(LazyAudio& audio) : audio_(audio) {}

    bool Open(const std::string& path, const std::string& options) override
    {
        return engine() && engine_->Open(path, options);
    }
    std::optional<int> Play() override { return engine() ? engine_->Play() : std::nullopt; }
    bool Pause() override { return engine() && engine_->Pause(); }
    bool Stop() override { return engine() && engine_->Stop(); }
    // Reading the volume (the desktop's sound menu does, at start) does not
    // load the sound libraries: until the first song or volume step the
    // volume is the engine's starting one, full.
    std::optional<std::int32_t> GetVolume1() override { return engine_ ? engine_->GetVolume1() : kVolumeMax; }
    std::optional<std::int32_t> GetVolume2() override { return engine_ ? engine_->GetVolume2() : kVolumeMax; }
    bool SetVolume(std::int32_t volume1, std::int32_t volume2) override
    {
        return engine() && engine_->SetVolume(volume1, volume2);
    }

private:
    Mp3Play* engine()
    {
        if (!engine_)
            if (const AudioModuleApi* api = audio_.module())
                engine_.reset(api->makeMp3Play());
        return engine_.get();
    }

    LazyAudio& audio_;
    std::unique_ptr<Mp3Play> engine_;
};

} // namespace

LazyAudio::LazyAudio(QString modulePath)
    : modulePath_(std::move(modulePath))
{
}

LazyAudio::~LazyAudio() = default;   // the module stays loaded to the end

const AudioModuleApi* LazyAudio::module()
{
    if (!tried_) {
        tried_ = true;
        // Named without its suffix, so that the platform's own (.so, .dll)
        // is tried.
        QLibrary library(modulePath_);
        library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
        using Entry = const AudioModuleApi* (*)();
        const auto entry = reinterpret_cast<Entry>(library.resolve("vorlix_audio_module"));
        api_ = entry ? entry() : nullptr;
        if (!api_)
            std::fprintf(stderr, "%s",
                         qPrintable(QCoreApplication::translate("vorlix", "vorlix: no sound: %1\n")
                                        .arg(library.errorString())));
    }
    return api_;
}

void LazyAudio::play(const QString& wavFile)
{
    if (!sound_)
        if (const AudioModuleApi* api = module())
            sound_.reset(api->makeSoundPlayer());
    if (sound_)
        sound_->play(wavFile);
}

std::unique_ptr<Mp3Play> LazyAudio::makeMp3Play()
{
    return std::make_unique<LazyMp3Play>(*this);
}

} // namespace vorlix
