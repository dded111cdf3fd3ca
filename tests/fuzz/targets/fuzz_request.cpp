// SPDX-License-Identifier: GPL-3.0-or-later
// A later start's request: what decodes is sent again as the same bytes; a
// request made from the bytes comes back whole, and not when cut or padded.
#include "FuzzInput.h"
#include "desktop/SinglePlayer.h"

FUZZ_TARGET(bytes)
{
    using vorlix::PlayerRequest;
    if (const auto request = PlayerRequest::decode(bytes))
        require(request->encode() == bytes);

    const QList<QByteArray> parts = bytes.split('\0');
    PlayerRequest made{parts.first(), parts.mid(1), {}};
    for (const QByteArray& part : parts)
        made.commands << QString::fromUtf8(part);
    const QByteArray sent = made.encode();
    const auto back = PlayerRequest::decode(sent);
    require(back && back->workingFolder == made.workingFolder && back->files == made.files &&
            back->commands == made.commands && !PlayerRequest::decode(sent.chopped(1)) &&
            !PlayerRequest::decode(sent + '\0'));
}
