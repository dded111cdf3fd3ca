// SPDX-License-Identifier: GPL-3.0-or-later
// Arguments as paths and file:// URIs. Arbitrary bytes give no path or an
// absolute one (empty only for an empty argument). The bytes taken as a
// path come back whole from each way of writing it as a file URI, its
// bytes escaped as a file manager escapes them, with a query or fragment
// after it.
#include "desktop/SongPaths.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const auto path = vorlix::localPath(bytes, "/w"); path && (path->isEmpty() != bytes.isEmpty() ||
                                                                    (!path->isEmpty() && !path->startsWith('/'))))
        std::abort();

    const QByteArray path = '/' + bytes;
    const QByteArray escaped = path.toPercentEncoding("/");
    // "file:" and the path alone reads a path starting "//" as a host.
    const QByteArray bare = path.startsWith("//") ? "file://" + escaped : "file:" + escaped;
    for (const QByteArray& uri : {"file://" + escaped, "FILE://LocalHost" + escaped, bare + "?q#f"}) {
        if (!vorlix::isFileUri(uri) || vorlix::localPath(uri, "/w") != path)
            std::abort();
    }
    if (vorlix::localPath("file://elsewhere" + escaped, "/w"))
        std::abort();
    return 0;
}
