// What a data file's extension decides: the format a save writes, the reader that reads it
// and how the reader turns a field into a number.
#pragma once

#include <filesystem>
#include <string>

namespace qtl {

enum class SaveFormat { Tab, Csv, Dif, Empty };
enum class FieldConversion { Dif, Text, None };

// The extension in upper case, with its dot (".TAB"); empty without one.
std::string upperExtension(const std::filesystem::path& path);

// ".TAB", ".CSV", ".DIF" (any case); any other extension gives an empty file.
SaveFormat saveFormatFor(const std::filesystem::path& path);
// ".DIF" files go to the DIF reader, every other file to the text reader.
bool readsAsDif(const std::filesystem::path& path);
// ".DIF" and ".DIV" drop a number line's "0,"; ".CSV", ".TXT", ".TAB", ".PRN" are text
// tables; other files keep no number characters at all.
FieldConversion fieldConversionFor(const std::filesystem::path& path);

}  // namespace qtl
