// Helpers that cut "key=value" lines and data-file lines into fields and keep the number
// characters of a value. Texts are UTF-8; the bounded helpers take and give at most 250
// characters, like the settings fields they serve.
#pragma once

#include <string>
#include <string_view>

namespace qtl {

// ',' becomes '.', then everything but '+', '-', '.' and '0'-'9' is dropped: "1,5 V" -> "1.5".
std::string cleanNumber(std::string_view text);

// The part before the first separator with a-z upper-cased; empty without a separator.
std::string fieldKey(char separator, std::string_view line);

// The part after the first separator, unchanged; the whole line without a separator.
std::string fieldText(char separator, std::string_view line);

// cleanNumber(fieldText(separator, line)).
std::string fieldValue(char separator, std::string_view line);

// Takes the head field off the line (unbounded): the part before the first separator, the
// line keeping the rest; without a separator the head is the whole line and the line empties.
std::string splitField(std::string& line, char separator);

}  // namespace qtl
