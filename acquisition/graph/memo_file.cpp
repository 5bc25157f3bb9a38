// The memo file of the program.
#include "graph/memo_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace qtl {

namespace {

std::string ioErrorText(const char* what, const std::string& path, int error) {
    std::string text = "Erreur d'entrée/sortie : ";
    text += what;
    text += " le fichier mémo « " + path + " »";
    if (error != 0) {
        text += " (";
        text += std::generic_category().message(error);
        text += ")";
    }
    return text + ".";
}

}  // namespace

void MemoFile::create(const std::string& path) {
    close();
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    errno = 0;
    // Binary mode: the lines carry their own CR LF.
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) throw MemoFileError(ioErrorText("impossible de créer", path, errno));
    file_.reset(f);
    path_ = path;
}

void MemoFile::append(std::string_view text) {
    if (!file_) return;
    errno = 0;
    const bool written = std::fwrite(text.data(), 1, text.size(), file_.get()) == text.size();
    const bool flushed = written && std::fflush(file_.get()) == 0;
    if (written && flushed) return;
    const int error = errno;
    const std::string path = path_;
    close();
    throw MemoFileError(ioErrorText("impossible d'écrire dans", path, error));
}

void MemoFile::close() {
    file_.reset();
}

MemoFile& memoFile() {
    static MemoFile file;
    return file;
}

}  // namespace qtl
