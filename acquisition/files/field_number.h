// Turning the fields of data files into numbers, and telling a number field from a title.
#pragma once

#include <string_view>

#include "files/data_file_kind.h"

namespace qtl {

// The value of a field that does not convert.
inline constexpr double kUnreadableValue = 7.77777;

// The field, blanks around it removed, is a number: an optional sign, digits with an optional
// decimal point or comma and more digits, an optional exponent; or "Nan", "Inf" with an
// optional sign, in any case (what the writer gives for values that are not finite).
bool isNumberField(std::string_view field);

// A field that as a whole is a number converts to its value. Otherwise, on its first 250
// characters: Text keeps "+,-./", the digits and "E"; Dif keeps ",-./" and the digits; None
// keeps nothing; then "," becomes "." and the result is read as a decimal number, or gives
// kUnreadableValue. A DIF field is given without its leading "0," (or its quotes).
double convertField(std::string_view field, FieldConversion conversion);

}  // namespace qtl
