// Reads the lines of a data file in chunks. A line ends at CR LF, at LF alone or at a lone CR,
// so files from any system read alike; a line longer than kMaxLineBytes keeps its first
// kMaxLineBytes bytes, so that no input can make a line take unbounded memory.
#pragma once

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qtl {

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Up to `size` bytes into `out`; 0 at the end. Throws DataFileError on a read error.
    virtual std::size_t read(char* out, std::size_t size) = 0;
};

class MemorySource : public ByteSource {
  public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    std::size_t read(char* out, std::size_t size) override;

  private:
    std::string_view bytes_;
};

// A file opened for reading; closed with the object.
class FileSource : public ByteSource {
  public:
    // Throws DataFileError when the file cannot be opened.
    explicit FileSource(const std::filesystem::path& path);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;
    std::size_t read(char* out, std::size_t size) override;

  private:
    std::FILE* file_ = nullptr;
    std::string name_;
};

class LineReader {
  public:
    static constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;

    explicit LineReader(ByteSource& source);
    // The next line without its end; false when the input is exhausted.
    bool next(std::string& line);

  private:
    bool fill();

    ByteSource& source_;
    std::vector<char> chunk_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool eof_ = false;
    bool skipLf_ = false;  // the last line ended with CR: a LF right after it belongs to it
};

// UTF-8 form of a path for messages.
std::string displayName(const std::filesystem::path& path);

}  // namespace qtl
