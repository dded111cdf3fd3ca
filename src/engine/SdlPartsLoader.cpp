// SPDX-License-Identifier: GPL-3.0-or-later
// The audio module's way to the SDL parts: the module beside it, loaded once,
// at the first call.
#include "engine/SdlParts.h"

#include <QCoreApplication>
#include <QLibrary>

#include <cstdio>

namespace vorlix {

const SdlParts* sdlParts()
{
    static const SdlParts* const parts = []() -> const SdlParts* {
        // It sits beside the program, as this module does.
        QLibrary library(QCoreApplication::applicationDirPath() + QStringLiteral("/vorlix-sdl"));
        library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
        using Entry = const SdlParts* (*)();
        const auto entry = reinterpret_cast<Entry>(library.resolve("vorlix_sdl_parts"));
        const SdlParts* found = entry ? entry() : nullptr;
        if (!found)
            std::fprintf(stderr, "%s",
                         qPrintable(QCoreApplication::translate("vorlix", "vorlix: no sound through SDL: %1\n")
                                        .arg(library.errorString())));
        return found;
    }();
    return parts;
}

} // namespace vorlix
