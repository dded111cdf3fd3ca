// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace vorlix {

class FileDialog;
class HelpViewer;
class Mp3Play;
class MsgBox;
class Registry;
class Shell;
class SoundPlayer;

// What the windows use of the system, built once by main() and handed to
// every window. Tests build it from doubles.
struct Services {
    SoundPlayer& sound;
    MsgBox& msgBox;
    FileDialog& fileDialog;
    // Makes the player window's playback control.
    std::function<std::unique_ptr<Mp3Play>()> makeMp3Play;
    // The folder of the sounds and the help file (dataFolderOf()).
    QString programFolder;
    // The user's folder for the playlist file; empty when there is none.
    QString tempFolder;
    // The about windows': the help file's viewer, the registry that names the
    // system information tool, and the shell that starts it and opens links.
    HelpViewer& helpViewer;
    Registry& registry;
    Shell& shell;

    QString programFile(const QString& name) const { return programFolder + u'/' + name; }
    void playClick() const;
    void playUsb() const;
};

// The program's title, shown by message boxes.
inline const QString kProgramTitle = QStringLiteral("Vorlix");

} // namespace vorlix
