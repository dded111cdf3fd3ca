#pragma once

#include "app/Services.h"
#include "doubles/AboutDoubles.h"
#include "engine/Mp3Play.h"
#include "platform/FileDialog.h"
#include "platform/MsgBox.h"
#include "platform/SoundPlayer.h"

#include <QList>
#include <QStringList>

#include <memory>

namespace vorlix::test {

// Records every operation as a line: "Stop", "Open <path>", "Play", "Pause",
// "GetVolume1", "GetVolume2", "SetVolume <v1> <v2>".
class FakeMp3Play : public Mp3Play {
public:
    struct State {
        QStringList calls;
        // Results of Play, first to last; when empty Play returns playStatus.
        QList<std::optional<int>> playResults;
        std::optional<int> playStatus = 0;
        bool failOpen = false;
        bool failVolume = false;
        std::int32_t volume1 = kVolumeMax;
        std::int32_t volume2 = kVolumeMax;
        bool destroyed = false;
    };

    explicit FakeMp3Play(std::shared_ptr<State> state) : state_(std::move(state)) {}
    ~FakeMp3Play() override { state_->destroyed = true; }

    bool Open(const std::string& path, const std::string&) override
    {
        state_->calls << QStringLiteral("Open ") + QString::fromStdString(path);
        return !state_->failOpen;
    }
    std::optional<int> Play() override
    {
        state_->calls << QStringLiteral("Play");
        if (!state_->playResults.isEmpty())
            return state_->playResults.takeFirst();
        return state_->playStatus;
    }
    bool Pause() override { return record("Pause"); }
    bool Stop() override { return record("Stop"); }
    std::optional<std::int32_t> GetVolume1() override
    {
        record("GetVolume1");
        return state_->failVolume ? std::nullopt : std::optional(state_->volume1);
    }
    std::optional<std::int32_t> GetVolume2() override
    {
        record("GetVolume2");
        return state_->failVolume ? std::nullopt : std::optional(state_->volume2);
    }
    bool SetVolume(std::int32_t v1, std::int32_t v2) override
    {
        state_->calls << QStringLiteral("SetVolume %1 %2").arg(v1).arg(v2);
        state_->volume1 = v1;
        state_->volume2 = v2;
        return true;
    }

private:
    bool record(const char* call)
    {
        state_->calls << QString::fromLatin1(call);
        return true;
    }
    std::shared_ptr<State> state_;
};

// Answers every message box with `answer` and records the prompts.
class FakeMsgBox : public MsgBox {
public:
    int show(QWidget*, const QString& prompt, int style, const QString& title) override
    {
        prompts << prompt;
        styles << style;
        titles << title;
        return answer;
    }
    int answer = MsgBoxResult::No;
    QStringList prompts;
    QList<int> styles;
    QStringList titles;
};

// Returns the scripted choices, first to last; nothing (a cancel) once they
// run out. Records the filters and initial files it was shown with.
class FakeFileDialog : public FileDialog {
public:
    std::optional<QString> getOpenFileName(QWidget*, const QString& filter,
                                           const QString& initial) override
    {
        filters << filter;
        initials << initial;
        if (choices.isEmpty())
            return std::nullopt;
        return choices.takeFirst();
    }
    QList<std::optional<QString>> choices;
    QStringList filters;
    QStringList initials;
};

class RecordingSound : public SoundPlayer {
public:
    void play(const QString& wavFile) override { played << wavFile; }
    QStringList played;
};

// A complete set of services made of doubles, with the playlist folder in
// `tempFolder` (a scratch folder of the test's).
struct FakeServices {
    explicit FakeServices(const QString& tempFolder = {});
    Services services();

    std::shared_ptr<FakeMp3Play::State> mp3 = std::make_shared<FakeMp3Play::State>();
    FakeMsgBox msgBox;
    FakeFileDialog fileDialog;
    RecordingSound sound;
    QString tempFolder;
    FakeHelpViewer helpViewer;
    FakeRegistry registry;
    FakeShell shell;
};

} // namespace vorlix::test
