// The one platform wrapper for driver libraries: load by path, look a name up. Libraries are
// never unloaded, so an entry point found once stays callable until the program ends.
#pragma once

#include <cstring>
#include <string>
#include <string_view>

namespace qtl {

using LibraryHandle = void*;

// Loads the library at `path` (UTF-8; the system's search rules apply to a bare name).
// The whole path is handed to the loader whatever its length. Null when it does not load.
LibraryHandle loadLibrary(std::string_view path);

// Address exported under exactly `name`, or null (also for a null library).
void* findSymbol(LibraryHandle library, const char* name);

// The same, typed as the entry point's function pointer.
template <class Fn>
Fn findEntryPoint(LibraryHandle library, std::string_view name) {
    const std::string zname(name);
    void* address = findSymbol(library, zname.c_str());
    Fn fn = nullptr;
    static_assert(sizeof fn == sizeof address);
    std::memcpy(&fn, &address, sizeof fn);
    return fn;
}

// File suffix of a driver library on this platform (".dll" or ".so").
std::string_view driverLibrarySuffix();

// File-dialog filters (Qt form) of the input and output driver dialogs: the program's own
// wording, accepting this platform's library suffix as well.
std::string inputDriverFileFilter();
std::string outputDriverFileFilter();

}  // namespace qtl
