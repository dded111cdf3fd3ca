// SPDX-License-Identifier: GPL-3.0-or-later
// A "text/uri-list": from arbitrary bytes no empty, comment or multi-line
// entry; a list written from the bytes cut at each NUL comes back whole.
#include "desktop/SongPaths.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QByteArray& uri : vorlix::uriListEntries(bytes))
        if (uri.isEmpty() || uri.startsWith('#') || uri.contains('\n') || !bytes.contains(uri))
            std::abort();

    QList<QByteArray> uris = bytes.split('\0');
    uris.removeIf([](const QByteArray& u) {
        return u.isEmpty() || u.startsWith('#') || u.contains('\n') || u.contains('\r');
    });
    for (const char* end : {"\r\n", "\n"}) {
        QByteArray list = "# dropped\r\n";
        for (const QByteArray& uri : uris)
            list += uri + end + "#\n";
        if (vorlix::uriListEntries(list) != uris)
            std::abort();
    }
    return 0;
}
