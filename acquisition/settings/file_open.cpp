// Opening files by UTF-8 paths.
#include "settings/file_open.h"

#include <fcntl.h>
#include <cerrno>

#if defined(_WIN32)
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace qtl {

std::filesystem::path utf8Path(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8String(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

FileHandle openForReading(const std::string& utf8) {
#if defined(_WIN32)
    return FileHandle(_wfopen(utf8Path(utf8).c_str(), L"rb"));
#else
    return FileHandle(std::fopen(utf8.c_str(), "rb"));
#endif
}

FileHandle createNewFile(const std::string& utf8) {
#if defined(_WIN32)
    int fd = -1;
    const errno_t error =
        _wsopen_s(&fd, utf8Path(utf8).c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY,
                  _SH_DENYNO, _S_IREAD | _S_IWRITE);
    if (error != 0) {
        errno = error;
        return nullptr;
    }
    FileHandle f(_fdopen(fd, "wb"));
    if (!f) _close(fd);
    return f;
#else
    const int fd = ::open(utf8.c_str(), O_CREAT | O_EXCL | O_WRONLY, 0666);
    if (fd < 0) return nullptr;
    FileHandle f(fdopen(fd, "wb"));
    if (!f) ::close(fd);
    return f;
#endif
}

}  // namespace qtl
