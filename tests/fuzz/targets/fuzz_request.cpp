// SPDX-License-Identifier: GPL-3.0-or-later
// A later start's request: what decodes is sent again as the same bytes; a
// request made from the bytes comes back whole, and not when cut or padded.
#include "desktop/SinglePlayer.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using vorlix::PlayerRequest;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const auto request = PlayerRequest::decode(bytes); request && request->encode() != bytes)
        std::abort();

    const QList<QByteArray> parts = bytes.split('\0');
    PlayerRequest made{parts.first(), parts.mid(1), {}};
    for (const QByteArray& part : parts)
        made.commands << QString::fromUtf8(part);
    const QByteArray sent = made.encode();
    const auto back = PlayerRequest::decode(sent);
    if (!back || back->workingFolder != made.workingFolder || back->files != made.files ||
        back->commands != made.commands || PlayerRequest::decode(sent.chopped(1)) ||
        PlayerRequest::decode(sent + '\0'))
        std::abort();
    return 0;
}
