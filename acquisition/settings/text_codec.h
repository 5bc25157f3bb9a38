// The one codec between the program's UTF-8 texts and the Windows-1252 texts of files and
// driver libraries, plus the character-counting helpers behind every length bound.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qtl {

// Windows-1252 bytes to UTF-8. Every byte maps to one character; the five bytes the code page
// leaves undefined map to the control characters of the same number, so nothing is lost.
std::string fromWindows1252(std::string_view bytes);

// UTF-8 to Windows-1252. A character the code page cannot hold becomes '?'; a byte that is not
// valid UTF-8 is taken as a Windows-1252 byte as it stands (texts already in the code page
// pass through unchanged).
std::string toWindows1252(std::string_view utf8);

// Number of characters (code points) of a UTF-8 text; an invalid byte counts as one.
std::size_t utf8Length(std::string_view utf8);

// The first maxChars characters of a UTF-8 text, never cutting a character in two.
std::string utf8Prefix(std::string_view utf8, std::size_t maxChars);

}  // namespace qtl
