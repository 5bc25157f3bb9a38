// dlopen/dlsym here, LoadLibraryA/GetProcAddress on Windows.
#include "settings/dynamic_library.h"

#if defined(_WIN32)
#include <windows.h>

#include "settings/text_codec.h"
#else
#include <dlfcn.h>
#endif

namespace qtl {

LibraryHandle loadLibrary(std::string_view path) {
    if (path.empty()) return nullptr;
#if defined(_WIN32)
    const std::string ansi = toWindows1252(path);
    return reinterpret_cast<LibraryHandle>(LoadLibraryA(ansi.c_str()));
#else
    const std::string zpath(path);
    return dlopen(zpath.c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
}

void* findSymbol(LibraryHandle library, const char* name) {
    if (library == nullptr || name == nullptr) return nullptr;
#if defined(_WIN32)
    FARPROC proc = GetProcAddress(reinterpret_cast<HMODULE>(library), name);
    void* address = nullptr;
    static_assert(sizeof proc == sizeof address);
    std::memcpy(&address, &proc, sizeof address);
    return address;
#else
    return dlsym(library, name);
#endif
}

std::string_view driverLibrarySuffix() {
#if defined(_WIN32)
    return ".dll";
#else
    return ".so";
#endif
}

std::string inputDriverFileFilter() {
#if defined(_WIN32)
    return "Dll de mesure (*.dll)";
#else
    return "Dll de mesure (*.dll *.so)";
#endif
}

std::string outputDriverFileFilter() {
#if defined(_WIN32)
    return "Dll de mesure (.dll ou .pim) (*.dll *.pim)";
#else
    return "Dll de mesure (.dll ou .pim) (*.dll *.pim *.so)";
#endif
}

}  // namespace qtl
