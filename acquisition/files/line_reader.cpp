// Chunked line reading with the three line ends and a bound on line length.
#include "files/line_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "files/data_file_error.h"

namespace qtl {
namespace {

constexpr std::size_t kChunkBytes = 1 << 16;

}  // namespace

std::string displayName(const std::filesystem::path& path) {
    const std::u8string name = path.u8string();
    return std::string(name.begin(), name.end());
}

std::size_t MemorySource::read(char* out, std::size_t size) {
    const std::size_t n = std::min(size, bytes_.size());
    std::memcpy(out, bytes_.data(), n);
    bytes_.remove_prefix(n);
    return n;
}

FileSource::FileSource(const std::filesystem::path& path) : name_(displayName(path)) {
#ifdef _WIN32
    file_ = _wfopen(path.c_str(), L"rb");
#else
    file_ = std::fopen(path.c_str(), "rb");
#endif
    if (file_ == nullptr) {
        throw DataFileError("impossible d'ouvrir le fichier : " + name_ + " (" +
                            std::strerror(errno) + ")");
    }
}

FileSource::~FileSource() {
    if (file_ != nullptr) std::fclose(file_);
}

std::size_t FileSource::read(char* out, std::size_t size) {
    const std::size_t n = std::fread(out, 1, size, file_);
    if (n < size && std::ferror(file_)) {
        throw DataFileError("erreur de lecture du fichier : " + name_ + " (" +
                            std::strerror(errno) + ")");
    }
    return n;
}

LineReader::LineReader(ByteSource& source) : source_(source), chunk_(kChunkBytes) {}

bool LineReader::fill() {
    if (eof_) return false;
    pos_ = 0;
    end_ = source_.read(chunk_.data(), chunk_.size());
    if (end_ == 0) eof_ = true;
    return end_ > 0;
}

bool LineReader::next(std::string& line) {
    line.clear();
    bool any = false;
    for (;;) {
        if (pos_ == end_ && !fill()) return any;
        if (skipLf_) {
            skipLf_ = false;
            if (chunk_[pos_] == '\n') {
                ++pos_;
                continue;
            }
        }
        any = true;
        const char* begin = chunk_.data() + pos_;
        const char* stop = chunk_.data() + end_;
        const char* p = begin;
        while (p != stop && *p != '\n' && *p != '\r') ++p;
        const std::size_t room = kMaxLineBytes - line.size();
        line.append(begin, std::min(static_cast<std::size_t>(p - begin), room));
        pos_ = static_cast<std::size_t>(p - chunk_.data());
        if (p != stop) {
            skipLf_ = *p == '\r';
            ++pos_;
            return true;
        }
    }
}

}  // namespace qtl
