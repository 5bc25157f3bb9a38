// Driver search for settings files.
#include "settings/driver_search.h"

#include <filesystem>

#include "settings/dynamic_library.h"
#include "settings/file_open.h"

namespace qtl {

namespace fs = std::filesystem;

std::string locateDriver(const std::string& written, const std::string& settingsFolder,
                         const std::string& driversFolder) {
    // A path cut by a zero byte would load another file than the one written.
    if (written.find('\0') != std::string::npos) return {};
    if (written.empty()) return written;
    const fs::path path = utf8Path(written);
    if (!path.is_relative()) return written;
    for (const std::string& folder : {settingsFolder, driversFolder}) {
        if (folder.empty()) continue;
        const fs::path candidatePath = (utf8Path(folder) / path).lexically_normal();
        const std::string candidate = utf8String(candidatePath);
        std::error_code ec;
        if (fs::is_regular_file(candidatePath, ec) && loadLibrary(candidate) != nullptr)
            return candidate;
    }
    return written;
}

}  // namespace qtl
