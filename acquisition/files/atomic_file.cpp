// Temporary file, flush to the disk, rename over the target.
#include "files/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <system_error>

#include "files/data_file_error.h"
#include "files/line_reader.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace qtl {
namespace {

// Opens a new file that did not exist (exclusive creation), for binary writing.
std::FILE* createNew(const std::filesystem::path& path) {
#ifdef _WIN32
    const int fd =
        _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd < 0) return nullptr;
    std::FILE* f = _fdopen(fd, "wb");
    if (f == nullptr) _close(fd);
#else
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    std::FILE* f = ::fdopen(fd, "wb");
    if (f == nullptr) ::close(fd);
#endif
    return f;
}

int syncToDisk(std::FILE* f) {
#ifdef _WIN32
    return _commit(_fileno(f));
#else
    return ::fsync(::fileno(f));
#endif
}

std::string reason(int error) {
    return std::generic_category().message(error);
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(std::filesystem::path target) : target_(std::move(target)) {
    static std::atomic<unsigned> counter{0};
    const auto stamp = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    const std::filesystem::path folder = target_.parent_path();
    int error = 0;
    for (int attempt = 0; attempt < 100 && file_ == nullptr; ++attempt) {
        std::filesystem::path name = target_.filename();
        name += ".~" + std::to_string(stamp % 1000000007ULL) + "-" +
                std::to_string(counter.fetch_add(1)) + ".tmp";
        temporary_ = folder / name;
        file_ = createNew(temporary_);
        error = errno;
        if (file_ == nullptr && error != EEXIST) break;
    }
    if (file_ == nullptr) {
        throw DataFileError("impossible de créer le fichier : " + displayName(target_) + " (" +
                            reason(error) + ")");
    }
    // A replaced file keeps its permissions.
    std::error_code ec;
    const auto status = std::filesystem::status(target_, ec);
    if (!ec && std::filesystem::is_regular_file(status)) {
        std::filesystem::permissions(temporary_, status.permissions(), ec);
    }
    buffer_.reserve(kBufferBytes + 4096);
}

AtomicFileWriter::~AtomicFileWriter() {
    if (!committed_) discard();
}

void AtomicFileWriter::discard() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    std::error_code ec;
    std::filesystem::remove(temporary_, ec);
}

void AtomicFileWriter::fail(const char* what, int error) {
    discard();
    throw DataFileError(std::string(what) + displayName(target_) + " (" + reason(error) + ")");
}

void AtomicFileWriter::flush() {
    if (buffer_.empty()) return;
    if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
        fail("erreur d'écriture du fichier : ", errno);
    }
    buffer_.clear();
}

void AtomicFileWriter::commit() {
    flush();
    if (std::fflush(file_) != 0 || syncToDisk(file_) != 0) {
        fail("erreur d'écriture du fichier : ", errno);
    }
    const int closed = std::fclose(file_);
    file_ = nullptr;
    if (closed != 0) fail("erreur d'écriture du fichier : ", errno);
    std::error_code ec;
    std::filesystem::rename(temporary_, target_, ec);
    if (ec) fail("impossible de remplacer le fichier : ", ec.value());
    committed_ = true;
}

}  // namespace qtl
