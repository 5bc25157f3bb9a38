// How the settings file writes and reads its integer, flag and real values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qtl {

// A real as the settings file writes it: formatShort(5, x) when those six characters read back
// to x rounded to four decimals; otherwise the whole integer part and the decimals needed, at
// most four ("1234567", "-1.2345"), so the value reads back as saved.
std::string settingsReal(double x);

// A cleaned value (see cleanNumber) read as an integer: an optional sign, then the digits up to
// the first other character; "" or no digit gives 0. Beyond 64 bits the value saturates.
std::int64_t settingsInteger(std::string_view cleaned);

// A cleaned value read as a real: only when the whole text is a decimal number (sign, digits,
// at most one point); "1.2.3", "12-3" or "" give nothing.
std::optional<double> settingsRealValue(std::string_view cleaned);

// A cleaned value read as a flag: exactly "1".
inline bool settingsFlag(std::string_view cleaned) {
    return cleaned == "1";
}

}  // namespace qtl
