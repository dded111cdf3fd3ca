// SPDX-License-Identifier: GPL-3.0-or-later
// The playlist file's reader and writer on arbitrary bytes, each against a
// plain encoding of its own here: the reader finds the lines a CR LF, a lone
// CR or a lone LF ends; the writer gives each entry that fits one line,
// followed by CR LF, and nothing else. A list cut from the bytes at each NUL
// is written and read back the same, less the entries that hold a line end.
#include "playlist/PlaylistFile.h"

#include <cstdlib>

using vorlix::parsePlaylist;
using vorlix::serializePlaylist;

namespace {

QList<QByteArray> lines(QByteArray bytes)
{
    QList<QByteArray> out = bytes.replace("\r\n", "\n").replace('\r', '\n').split('\n');
    if (out.constLast().isEmpty())   // the end of the last line, or no bytes at all
        out.removeLast();
    return out;
}

QByteArray crLfFile(const QList<QByteArray>& entries)
{
    QByteArray out;
    for (const QByteArray& e : entries)
        if (!e.contains('\r') && !e.contains('\n'))
            out += e + "\r\n";
    return out;
}

void check(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QList<QByteArray> entries = parsePlaylist(bytes);
    check(entries == lines(bytes));
    check(serializePlaylist(entries) == crLfFile(entries));

    QList<QByteArray> cut = bytes.split('\0');
    const QByteArray written = serializePlaylist(cut);
    check(written == crLfFile(cut));
    cut.removeIf([](const QByteArray& e) { return e.contains('\r') || e.contains('\n'); });
    check(parsePlaylist(written) == cut);
    return 0;
}
