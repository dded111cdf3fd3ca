// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "desktop/CommandLine.h"
#include "desktop/SinglePlayer.h"
#include "desktop/SongDrops.h"
#include "desktop/SongOpener.h"

#include <QObject>

#include <optional>
#include <vector>

namespace vorlix {

class Forms;
class Mpris;

// Before the program builds anything: --help, --version and a bad option
// are answered here; the exit code, or nothing to go on.
std::optional<int> answerCommandLine(const CommandLine& line);

// A player already runs for this user: the files and presses go to it and
// this start ends with the exit code. Presses with no player running do
// nothing. Nothing when this start is to be the player.
std::optional<int> passToRunningPlayer(const CommandLine& line, PlayerLock::Role role, const QByteArray& socketPath);

// The arguments that QApplication gets: the program name and Qt's options.
struct QtArguments {
    explicit QtArguments(const CommandLine& line);
    int argc;
    std::vector<char*> argv;

private:
    QList<QByteArray> kept_;
};

// The ways into a running player: the files of its own command line, later
// starts, drops on its windows and the desktop's media controls.
class Doors : public QObject {
    Q_OBJECT
public:
    Doors(Forms& forms, Mpris& mpris, QObject* parent = nullptr);
    ~Doors() override;

    // Once the window shows: listens for later starts when this start holds
    // the lock, and opens the command line's files.
    void start(const CommandLine& line, PlayerLock::Role role, const QByteArray& socketPath);
    void take(const PlayerRequest& request);

    SongOpener& opener() { return opener_; }

private:
    Forms& forms_;
    Mpris& mpris_;
    SongOpener opener_;
    SongDrops drops_;
    PlayerService service_;
};

// The folder the program was started in, as bytes.
QByteArray workingFolder();

} // namespace vorlix
