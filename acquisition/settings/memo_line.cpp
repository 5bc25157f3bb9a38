// Memo file line format.
#include "settings/memo_line.h"

#include <charconv>
#include <cmath>

namespace qtl {

namespace {

// Fixed notation right-aligned in `width` characters (wider when the number needs it).
// std::to_chars ignores the C locale, which a desktop session may set to a decimal comma.
void appendFixed(std::string& out, double x, int decimals, std::size_t width) {
    char buf[400];
    std::string_view digits;
    if (std::isnan(x)) {
        digits = "Nan";
    } else if (std::isinf(x)) {
        digits = x > 0 ? "+Inf" : "-Inf";
    } else {
        const auto result =
            std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, decimals);
        digits = std::string_view(buf, static_cast<std::size_t>(result.ptr - buf));
    }
    if (digits.size() < width) out.append(width - digits.size(), ' ');
    out.append(digits);
}

}  // namespace

std::string memoLine(double dateTimeDays, double p, std::optional<double> a,
                     std::optional<double> s) {
    std::string line;
    appendFixed(line, dateTimeDays, 6, 12);
    for (const std::optional<double>& value : {std::optional<double>(p), a, s}) {
        if (!value) continue;
        line += ',';
        appendFixed(line, *value, 4, 10);
    }
    line += "\r\n";
    return line;
}

std::string memoFilePath(const std::string& programFolder) {
    std::string folder = programFolder;
    while (!folder.empty() && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
    return folder + "/memo.csv";
}

}  // namespace qtl
