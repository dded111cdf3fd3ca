// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as an argument give no path or an absolute one; taken as
// a path, they come back whole from each way of writing it as a file URI.
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
