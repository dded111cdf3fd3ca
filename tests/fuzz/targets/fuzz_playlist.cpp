// SPDX-License-Identifier: GPL-3.0-or-later
// The playlist file's reader and writer on arbitrary bytes, each against a
// plain encoding of its own here: the reader finds the lines a CR LF, a lone
// CR or a lone LF ends; the writer gives each entry that fits one line,
// followed by CR LF, and nothing else. A list cut from the bytes at each NUL
// is written and read back the same, less the entries that hold a line end.
#include "FuzzInput.h"
#include "playlist/PlaylistFile.h"

using Entries = QList<QByteArray>;

static bool holdsLineEnd(const QByteArray& e) { return e.contains('\r') || e.contains('\n'); }

FUZZ_TARGET(bytes)
{
    const auto crLfFile = [](const Entries& entries) {
        QByteArray out;
        for (const QByteArray& e : entries)
            out += holdsLineEnd(e) ? QByteArray() : e + "\r\n";
        return out;
    };
    Entries cut = bytes.split('\0');
    const Entries entries = vorlix::parsePlaylist(bytes);
    Entries lines = QByteArray(bytes).replace("\r\n", "\n").replace('\r', '\n').split('\n');
    if (lines.constLast().isEmpty())   // the end of the last line, or no bytes at all
        lines.removeLast();
    const QByteArray written = vorlix::serializePlaylist(cut);
    require(entries == lines && vorlix::serializePlaylist(entries) == crLfFile(entries) && written == crLfFile(cut));
    cut.removeIf(holdsLineEnd);
    require(vorlix::parsePlaylist(written) == cut);
}
