// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace vorlix {

// The playlist file "mp3list.ini": one song path per line, each line ended by
// CR LF. Paths are kept as the bytes they are in the file; nothing is decoded.

// Reads lines ending in CR LF, a lone LF or a lone CR. A last line without an
// end counts like the others; a blank line is an empty entry; the end of the
// last line adds no entry. Every other byte is kept as it is.
QList<QByteArray> parsePlaylist(QByteArrayView bytes);

// True when the entry can be stored as one line: it holds no CR and no LF.
bool fitsPlaylistLine(QByteArrayView entry);

// Every entry followed by CR LF; no entries give 0 bytes. An entry that holds
// a CR or an LF cannot be stored as one line and is left out (it would come
// back as several wrong entries); check with fitsPlaylistLine() when adding.
QByteArray serializePlaylist(const QList<QByteArray>& entries);

// The list to save when `ours` was made from `base` and the file meanwhile
// holds `theirs` (another player saved since `base` was read): `theirs` less
// the entries of `base` that `ours` removed, followed by what `ours` added.
// The list window only removes entries and appends them, so matching `ours`
// against `base` in order finds exactly those edits. With `theirs` equal to
// `base` the result is `ours`.
QList<QByteArray> mergePlaylist(const QList<QByteArray>& base, const QList<QByteArray>& ours,
                                const QList<QByteArray>& theirs);

struct PlaylistRead {
    enum class Status {
        Missing,    // no file there: start with an empty list
        Read,       // entries hold the file's lines
        Unreadable, // a file is there but could not be read
    };
    Status status = Status::Missing;
    QList<QByteArray> entries;
    QString error;   // why it is Unreadable, as the system tells it
    // Which file was read: every save puts a new one in place, so another
    // file here means that someone saved since.
    quint64 device = 0, inode = 0;

    // False after Unreadable: the file there still holds songs we could not
    // load, so saving over it would lose them. Keep the list in memory only.
    bool mayReplaceFile() const { return status != Status::Unreadable; }
};

// Reads the whole file. Symbolic links are followed for reading. Anything
// that is not a regular file (a directory, a FIFO, a device) is Unreadable.
// The new files of saves that a crash cut short are removed first, as below.
PlaylistRead readPlaylistFile(const QString& path);

// Replaces the file at path with the entries, all or nothing: the bytes go to
// a new file in the same folder, which is flushed to disk and then renamed
// over path. A failure or a crash at any point leaves the old file whole.
// A symbolic link at path is replaced by the new file; the file it pointed to
// is never written. The new file has mode 0600.
// Before it writes, the new files of saves that a crash cut short (ours,
// named like them, and held by no running save) are removed from the folder.
// Returns false on failure (no temporary file is left behind then), with the
// system's reason in `error` when given.
bool writePlaylistFile(const QString& path, const QList<QByteArray>& entries,
                       QString* error = nullptr);

// Held by a save from the moment it reads the file until it has written it
// back, so that players saving at one moment take turns and each keeps what
// the other wrote. It locks the file's folder, as every save replaces the
// file itself. A turn that does not come within the patience is not waited
// for any longer (see savePlaylistEdits()).
class PlaylistSaveTurn {
public:
    explicit PlaylistSaveTurn(const QString& path, int patienceMs = 2000);
    ~PlaylistSaveTurn();
    PlaylistSaveTurn(const PlaylistSaveTurn&) = delete;
    PlaylistSaveTurn& operator=(const PlaylistSaveTurn&) = delete;
    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

struct PlaylistSave {
    bool ok = false;
    QList<QByteArray> saved; // what the file holds now, when ok
    QString error;
};

// Saves `ours`, the list made from `base` by the user's edits, into the file
// at path, keeping what other players saved there since `base` was read
// (see mergePlaylist()). It waits for its turn as above. Without the turn it
// still loses nothing: the new file is swapped with the one in place in one
// step, and when that one is not the file the save read, another player
// saved in between, and its list is merged in and saved again.
PlaylistSave savePlaylistEdits(const QString& path, const QList<QByteArray>& base,
                               const QList<QByteArray>& ours, int patienceMs = 2000);

// folder + "mp3list.ini"; folder ends in a separator (see userTempFolder()).
QString playlistFilePath(const QString& tempFolder);

} // namespace vorlix
