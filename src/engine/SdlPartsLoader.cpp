// The audio module's way to the SDL parts: the module beside it, loaded once,
// at the first call.
#include "engine/SdlParts.h"

#include <dlfcn.h>

#include <cstdio>
#include <string>

namespace vorlix {

const SdlParts* sdlParts()
{
    static const SdlParts* const parts = []() -> const SdlParts* {
        Dl_info self{};
        if (!::dladdr(reinterpret_cast<void*>(&sdlParts), &self) || !self.dli_fname)
            return nullptr;
        std::string path = self.dli_fname;
        path = path.substr(0, path.rfind('/') + 1) + "vorlix-sdl.so";
        void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        using Entry = const SdlParts* (*)();
        const auto entry = handle ? reinterpret_cast<Entry>(::dlsym(handle, "vorlix_sdl_parts")) : nullptr;
        const SdlParts* found = entry ? entry() : nullptr;
        if (!found)
            std::fprintf(stderr, "vorlix: no sound through SDL: %s\n", handle ? "not an SDL module" : ::dlerror());
        return found;
    }();
    return parts;
}

} // namespace vorlix
