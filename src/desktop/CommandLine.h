// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace vorlix {

// vorlix [OPTION] [FILE|URI...]. Files stay the bytes they were given as.
struct CommandLine {
    enum class Action { Run, Help, Version, BadOption };
    Action action = Action::Run;
    QByteArray badOption;
    // Presses of the running player's buttons, by their media-control names:
    // "PlayPause", "Next", "Previous".
    QStringList commands;
    QList<QByteArray> files;
    // The program name and the options that Qt itself takes (-platform X, ...).
    QList<QByteArray> qtArguments;
};

CommandLine parseCommandLine(int argc, const char* const* argv);

// The text of --help, ending in a line break.
QString usageText();

// `source` (marked with QT_TRANSLATE_NOOP("vorlix", ...)) in the desktop's
// language, from the program's catalogue. Also before the application is
// made: the options are answered, and a later start hands over to the
// running player, without it.
QString commandLineText(const char* source);

} // namespace vorlix
