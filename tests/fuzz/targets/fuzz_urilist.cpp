// SPDX-License-Identifier: GPL-3.0-or-later
// A "text/uri-list": from arbitrary bytes no empty, comment or multi-line
// entry; a list written from the bytes cut at each NUL comes back whole.
#include "FuzzInput.h"
#include "desktop/SongPaths.h"

FUZZ_TARGET(bytes)
{
    for (const QByteArray& uri : vorlix::uriListEntries(bytes))
        require(!uri.isEmpty() && !uri.startsWith('#') && !uri.contains('\n') && bytes.contains(uri));

    QList<QByteArray> uris = bytes.split('\0');
    uris.removeIf([](const QByteArray& u) {
        return u.isEmpty() || u.startsWith('#') || u.contains('\n') || u.contains('\r');
    });
    for (const char* end : {"\r\n", "\n"}) {
        QByteArray list = "# dropped\r\n";
        for (const QByteArray& uri : uris)
            list += uri + end + "#\n";
        require(vorlix::uriListEntries(list) == uris);
    }
}
