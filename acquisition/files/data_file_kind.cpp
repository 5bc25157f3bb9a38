// Extension rules of the data files.
#include "files/data_file_kind.h"

namespace qtl {

std::string upperExtension(const std::filesystem::path& path) {
    // Only ASCII matters here; taking the native characters one by one never fails.
    const auto native = path.extension().native();
    std::string ext;
    ext.reserve(native.size());
    for (const auto c : native) {
        const auto code = static_cast<unsigned long>(c) & 0xFFFFFFFFUL;
        if (code >= 'a' && code <= 'z') {
            ext += static_cast<char>(code - 'a' + 'A');
        } else {
            ext += code < 0x80 ? static_cast<char>(code) : '?';
        }
    }
    return ext;
}

SaveFormat saveFormatFor(const std::filesystem::path& path) {
    const std::string ext = upperExtension(path);
    if (ext == ".TAB") return SaveFormat::Tab;
    if (ext == ".CSV") return SaveFormat::Csv;
    if (ext == ".DIF") return SaveFormat::Dif;
    return SaveFormat::Empty;
}

bool readsAsDif(const std::filesystem::path& path) {
    return upperExtension(path) == ".DIF";
}

FieldConversion fieldConversionFor(const std::filesystem::path& path) {
    const std::string ext = upperExtension(path);
    if (ext == ".DIF" || ext == ".DIV") return FieldConversion::Dif;
    if (ext == ".CSV" || ext == ".TXT" || ext == ".TAB" || ext == ".PRN") {
        return FieldConversion::Text;
    }
    return FieldConversion::None;
}

}  // namespace qtl
