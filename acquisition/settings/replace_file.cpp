// Temporary file, write, flush, rename.
#include "settings/replace_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

#include "settings/file_error.h"
#include "settings/file_open.h"

#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace qtl {

namespace fs = std::filesystem;

namespace {

// Creates a new, unique temporary file beside `path` ("x" mode: never an existing file).
FileHandle createTemporaryBeside(const std::string& path, std::string& temporary) {
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = path + ".tmp" + std::to_string(random() % 1000000000u);
        errno = 0;
        FileHandle f = createNewFile(temporary);
        if (f) return f;
        if (errno != EEXIST) throw FileError(errno);
    }
    throw FileError(EEXIST);
}

bool flushToDisk(std::FILE* f) {
    if (std::fflush(f) != 0) return false;
#if defined(_WIN32)
    return _commit(_fileno(f)) == 0;
#else
    return fsync(fileno(f)) == 0;
#endif
}

int renameOver(const std::string& from, const std::string& to) {
#if defined(_WIN32)
    const std::wstring wfrom = utf8Path(from).wstring();
    const std::wstring wto = utf8Path(to).wstring();
    if (MoveFileExW(wfrom.c_str(), wto.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    return GetLastError() == ERROR_DISK_FULL ? ENOSPC : EIO;
#else
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
#endif
}

}  // namespace

void replaceFile(const std::string& path, std::string_view bytes) {
    std::string temporary;
    FileHandle f = createTemporaryBeside(path, temporary);
    int error = 0;
    errno = 0;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f.get()) != bytes.size())
        error = errno != 0 ? errno : EIO;
    if (error == 0 && !flushToDisk(f.get())) error = errno != 0 ? errno : EIO;
    if (error == 0 && std::fclose(f.release()) != 0) error = errno != 0 ? errno : EIO;
    if (error == 0) error = renameOver(temporary, path);
    if (error != 0) {
        f.reset();
        std::error_code ignored;
        fs::remove(utf8Path(temporary), ignored);
        throw FileError(error);
    }
}

}  // namespace qtl
