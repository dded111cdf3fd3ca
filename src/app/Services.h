#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace vorlix {

class FileDialog;
class Mp3Play;
class MsgBox;
class SoundPlayer;

// What the windows use of the system, built once by main() and handed to
// every window. Tests build it from doubles.
struct Services {
    SoundPlayer& sound;
    MsgBox& msgBox;
    FileDialog& fileDialog;
    // Makes the player window's playback control.
    std::function<std::unique_ptr<Mp3Play>()> makeMp3Play;
    // The folder of the executable: sounds and help file live there.
    QString programFolder;
    // The user's folder for the playlist file; empty when there is none.
    QString tempFolder;

    QString programFile(const QString& name) const { return programFolder + u'/' + name; }
    void playClick() const;
    void playUsb() const;
};

// The program's title, shown by message boxes.
inline const QString kProgramTitle = QStringLiteral("Vorlix");

} // namespace vorlix
