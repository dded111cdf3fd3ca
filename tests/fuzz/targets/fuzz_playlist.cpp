// SPDX-License-Identifier: GPL-3.0-or-later
// The playlist file's reader and writer on arbitrary bytes: what is read comes
// back the same after a save, and a list cut from the bytes at each NUL comes
// back the same, less the entries that hold a line end.
#include "playlist/PlaylistFile.h"

#include <cstdlib>

using vorlix::parsePlaylist;
using vorlix::serializePlaylist;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QList<QByteArray> entries = parsePlaylist(bytes);
    if (parsePlaylist(serializePlaylist(entries)) != entries)
        std::abort();

    QList<QByteArray> cut = bytes.split('\0');
    const QList<QByteArray> back = parsePlaylist(serializePlaylist(cut));
    cut.removeIf([](const QByteArray& e) { return !vorlix::fitsPlaylistLine(e); });
    if (back != cut)
        std::abort();
    return 0;
}
