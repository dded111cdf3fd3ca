// SPDX-License-Identifier: GPL-3.0-or-later
// What a later start sends the running player. Arbitrary bytes are decoded
// or refused; what decodes is sent again as the same bytes, and a request
// made from the bytes (cut at each NUL into folder, files and presses) comes
// back whole, and is refused when cut short or followed by more.
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
