// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Services.h"
#include "doubles/AboutDoubles.h"
#include "engine/Mp3Play.h"
#include "platform/FileDialog.h"
#include "platform/MsgBox.h"
#include "platform/SoundPlayer.h"

#include <QList>
#include <QStringList>

#include <functional>
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
        bool failOpen = false, failVolume = false;
        std::int32_t volume1 = kVolumeMax, volume2 = kVolumeMax;
        bool destroyed = false;
    };

    explicit FakeMp3Play(std::shared_ptr<State> state) : s_(std::move(state)) {}
    ~FakeMp3Play() override { s_->destroyed = true; }

    bool Open(const std::string& path, const std::string&) override { return record("Open " + QString::fromStdString(path), !s_->failOpen); }
    std::optional<int> Play() override { return record("Play", s_->playResults.isEmpty() ? s_->playStatus : s_->playResults.takeFirst()); }
    bool Pause() override { return record("Pause", true); }
    bool Stop() override { return record("Stop", true); }
    std::optional<std::int32_t> GetVolume1() override { return volume("GetVolume1", s_->volume1); }
    std::optional<std::int32_t> GetVolume2() override { return volume("GetVolume2", s_->volume2); }
    bool SetVolume(std::int32_t v1, std::int32_t v2) override
    {
        std::tie(s_->volume1, s_->volume2) = std::pair(v1, v2);
        return record(QStringLiteral("SetVolume %1 %2").arg(v1).arg(v2), true);
    }

private:
    template <typename T> T record(const QString& call, T result) { s_->calls << call; return result; }
    std::optional<std::int32_t> volume(const char* call, std::int32_t v) { return record(call, s_->failVolume ? std::nullopt : std::optional(v)); }
    std::shared_ptr<State> s_;
};

// Answers every message box with `answer` and records the prompts.
class FakeMsgBox : public MsgBox {
public:
    int show(QWidget*, const QString& prompt, int style, const QString& title) override
    {
        prompts << prompt, styles << style, titles << title;
        whileOpen();
        return answer;
    }
    int answer = MsgBoxResult::No;
    std::function<void()> whileOpen = [] {};   // as though done with the box up
    QStringList prompts, titles;
    QList<int> styles;
};

// Returns the scripted choices, first to last; nothing (a cancel) once they
// run out. Records the filters and initial files it was shown with, and runs
// `whileOpen` as though the user did it with the dialog open.
class FakeFileDialog : public FileDialog {
public:
    std::optional<QString> getOpenFileName(QWidget*, const QString& filter, const QString& initial) override
    {
        filters << filter, initials << initial;
        whileOpen();
        return choices.isEmpty() ? std::nullopt : choices.takeFirst();
    }
    QList<std::optional<QString>> choices;
    QStringList filters, initials;
    std::function<void()> whileOpen = [] {};
};

class RecordingSound : public SoundPlayer {
public:
    void play(const QString& wavFile) override { played << wavFile; }
    QStringList played;
};

// A complete set of services made of doubles, with the playlist folder in
// `tempFolder` (a scratch folder of the test's).
struct FakeServices {
    explicit FakeServices(const QString& tempFolder = {}) : tempFolder(tempFolder) {}
    Services services()
    {
        return Services{sound, msgBox, fileDialog, [state = mp3] { return std::make_unique<FakeMp3Play>(state); },
                        QStringLiteral("/nonexistent-program-folder"), tempFolder, helpViewer, registry, shell};
    }

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
