// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <atomic>
#include <optional>

namespace vorlix {

// What the player is asked to open from outside its windows (a command line,
// a second start, a dropped file, the desktop's media controls) turned into
// song paths. Paths are bytes, exactly as given: nothing is decoded but the
// percent escapes of a file URI.

// The local path that an argument names: a path as it is, made absolute
// against `workingFolder`, or a file URI ("file:///x", "file://localhost/x",
// "file:/x") with its escapes decoded. Nothing for a URI of any other scheme
// or host.
std::optional<QByteArray> localPath(QByteArrayView argument, QByteArrayView workingFolder);

// Whether a URI names a file on this machine (see localPath()).
bool isFileUri(QByteArrayView argument);

// The URIs of a "text/uri-list": one a line, comments left out.
QList<QByteArray> uriListEntries(QByteArrayView data);

// The names the file dialog's "*.mp3" filter lets through: any case.
bool hasMp3Name(QByteArrayView path);

struct RefusedSong {
    enum class Reason { NotMp3, Missing, Unreadable, LineBreak, NotLocal, NoSongs };
    QByteArray path;
    Reason reason;
};

struct FoundSongs {
    QList<QByteArray> songs;
    QList<RefusedSong> refused;
};

// The songs that the arguments name, in their order. A folder gives the MP3
// files found below it, sorted by path; a folder met again (through a
// symbolic link) is not walked twice, and the system's own file systems
// (/proc, /sys, /dev and their like) are not entered at all. A folder named
// with no song below it is refused. A file named on its own must be a
// readable regular file with an MP3 name that fits on one line of the list
// file, or it is refused with its reason. In folders, files of other kinds
// are passed over without a word. A name that leads through /proc or /sys
// (/proc/self/cwd/a.mp3) is stored as the file it names.
// Once `stop` is set no more folders are read: what was found so far is
// returned, and files named on their own are still looked at.
FoundSongs findSongs(const QList<QByteArray>& arguments, QByteArrayView workingFolder,
                     const std::atomic_bool* stop = nullptr);

// The one message that tells what was not added: a few of the paths, each
// with its reason, and how many more there were. Empty when none was refused.
QString refusedSongsMessage(const QList<RefusedSong>& refused);

} // namespace vorlix
