// Writes a file so that saving never destroys what was there: the bytes go to a temporary
// file beside the target, which replaces the target only once everything was written and
// flushed to the disk. On any failure the temporary file is removed and the target is left
// as it was.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace qtl {

class AtomicFileWriter {
  public:
    // Creates the temporary file; throws DataFileError when it cannot.
    explicit AtomicFileWriter(std::filesystem::path target);
    // Without commit(), removes the temporary file.
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Bytes are appended here; flushIfFull() hands them to the file now and then.
    std::string& buffer() { return buffer_; }
    void flushIfFull() {
        if (buffer_.size() >= kBufferBytes) flush();
    }
    // Writes the rest, flushes to the disk, closes and renames over the target. Throws
    // DataFileError on failure.
    void commit();

    const std::filesystem::path& temporaryPath() const { return temporary_; }

  private:
    static constexpr std::size_t kBufferBytes = std::size_t{1} << 20;

    void flush();
    [[noreturn]] void fail(const char* what, int error);
    void discard();

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::FILE* file_ = nullptr;
    std::string buffer_;
    bool committed_ = false;
};

}  // namespace qtl
