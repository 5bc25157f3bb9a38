// The memo file: the one "memo.csv" of the program, created empty by each timed start command
// while the memo option is on and appended to, one flushed line per timed point, by every
// timed window until the next start command creates it again.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "qtl_error.h"

namespace qtl {

// An input/output error on the memo file, with its French text for the error box.
class MemoFileError : public CommandError {
  public:
    using CommandError::CommandError;
};

class MemoFile {
  public:
    // Closes the file that is open, then creates `path` empty (its folder too when missing)
    // and keeps it open. Throws MemoFileError when it cannot be created; nothing is open then.
    void create(const std::string& path);
    // Appends the text and flushes it to disk. On failure the file is closed (later lines are
    // not written) and MemoFileError is thrown.
    void append(std::string_view text);
    void close();

    bool isOpen() const { return file_ != nullptr; }
    const std::string& path() const { return path_; }

  private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
    std::string path_;
};

// The program's one memo file.
MemoFile& memoFile();

}  // namespace qtl
