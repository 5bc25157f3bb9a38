// Files named by UTF-8 paths, opened the same way on every platform (wide-character calls on
// Windows, where a narrow path would go through the ANSI code page).
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace qtl {

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f != nullptr) std::fclose(f);
    }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// The path of a UTF-8 text, and back.
std::filesystem::path utf8Path(const std::string& utf8);
std::string utf8String(const std::filesystem::path& path);

// Opens for binary reading; null (errno set) on failure.
FileHandle openForReading(const std::string& utf8);

// Creates a new file for binary writing, never opening one that exists (EEXIST); null (errno
// set) on failure.
FileHandle createNewFile(const std::string& utf8);

}  // namespace qtl
