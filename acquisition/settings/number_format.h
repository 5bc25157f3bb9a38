// Number-to-text formatters of the readout, the settings file and the data files.
#pragma once

#include <string>

namespace qtl {

// 8 decimals in a 20-character field, '.' replaced by the given decimal mark, then blanks
// trimmed: 1.5 -> "1.50000000".
std::string formatReal(double x, char decimalSeparator);
// The same with the settings record's decimalSeparator.
std::string formatReal(double x);

// 10 decimals in a 20-character field, leading blanks removed, then the first digits + 1
// characters: formatShort(5, 12.3456789) -> "12.345".
std::string formatShort(int digits, double x);

// The given decimals, right-aligned in a field of 10 characters (blanks kept).
std::string formatFixed(int decimals, double x);

}  // namespace qtl
