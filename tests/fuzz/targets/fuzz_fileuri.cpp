// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as an argument give no path or an absolute one; taken as
// a path, they come back whole from each way of writing it as a file URI.
#include "FuzzInput.h"
#include "desktop/SongPaths.h"

FUZZ_TARGET(bytes)
{
    if (const auto path = vorlix::localPath(bytes, "/w"))
        require(path->isEmpty() == bytes.isEmpty() && (path->isEmpty() || path->startsWith('/')));

    const QByteArray path = '/' + bytes;
    const QByteArray escaped = path.toPercentEncoding("/");
    // "file:" and the path alone reads a path starting "//" as a host.
    const QByteArray bare = path.startsWith("//") ? "file://" + escaped : "file:" + escaped;
    for (const QByteArray& uri : {"file://" + escaped, "FILE://LocalHost" + escaped, bare + "?q#f"})
        require(vorlix::isFileUri(uri) && vorlix::localPath(uri, "/w") == path);
    require(!vorlix::localPath("file://elsewhere" + escaped, "/w"));
}
