// One line of the memo file "memo.csv" that a timed acquisition appends for each point.
#pragma once

#include <optional>
#include <string>

namespace qtl {

// The date-time (days since 30 December 1899) with 6 decimals in 12 characters, then P and,
// when measured, A and S with 4 decimals in 10 characters, comma-separated, ended by CR LF.
// The decimal mark is always the point, whatever the locale:
// "40300.523611,    1.2345,   12.5000\r\n".
std::string memoLine(double dateTimeDays, double p, std::optional<double> a,
                     std::optional<double> s);

// Path of the memo file: the program's folder (a trailing separator dropped) + "/memo.csv".
std::string memoFilePath(const std::string& programFolder);

}  // namespace qtl
