// Driver search for settings files.
#include "settings/driver_search.h"

#include <filesystem>

#include "settings/dynamic_library.h"

namespace qtl {

namespace fs = std::filesystem;

std::string locateDriver(const std::string& written, const std::string& settingsFolder,
                         const std::string& driversFolder) {
    // A path cut by a zero byte would load another file than the one written.
    if (written.find('\0') != std::string::npos) return {};
    if (written.empty()) return written;
    const fs::path path(written);
    if (!path.is_relative()) return written;
    for (const std::string& folder : {settingsFolder, driversFolder}) {
        if (folder.empty()) continue;
        const std::string candidate = (fs::path(folder) / path).lexically_normal().string();
        std::error_code ec;
        if (fs::is_regular_file(candidate, ec) && loadLibrary(candidate) != nullptr)
            return candidate;
    }
    return written;
}

}  // namespace qtl
