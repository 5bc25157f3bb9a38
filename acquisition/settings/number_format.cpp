// Fixed-notation formatting in the way the program's files and readout show numbers.
#include "settings/number_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "settings/program_settings.h"

namespace qtl {
namespace {

// Fixed notation with `decimals` decimals, right-aligned in `width` characters; a longer
// number takes the room it needs. Non-finite values get a short word instead of digits.
std::string fixedField(double x, int decimals, int width) {
    decimals = std::clamp(decimals, 0, 100);
    char buf[32];
    if (std::isnan(x)) {
        std::snprintf(buf, sizeof buf, "%*s", width, "Nan");
        return buf;
    }
    if (std::isinf(x)) {
        std::snprintf(buf, sizeof buf, "%*s", width, x > 0 ? "+Inf" : "-Inf");
        return buf;
    }
    const int needed = std::snprintf(nullptr, 0, "%*.*f", width, decimals, x);
    std::string out(static_cast<std::size_t>(needed) + 1, '\0');
    std::snprintf(out.data(), out.size(), "%*.*f", width, decimals, x);
    out.resize(static_cast<std::size_t>(needed));
    return out;
}

std::string trimBlanks(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

}  // namespace

std::string formatReal(double x, char decimalSeparator) {
    std::string out = fixedField(x, 8, 20);
    if (decimalSeparator != '.') std::replace(out.begin(), out.end(), '.', decimalSeparator);
    return trimBlanks(out);
}

std::string formatReal(double x) {
    return formatReal(x, programSettings().decimalSeparator);
}

std::string formatShort(int digits, double x) {
    std::string out = fixedField(x, 10, 20);
    out.erase(0, out.find_first_not_of(' '));
    const int keep = std::max(digits + 1, 0);
    if (out.size() > static_cast<std::size_t>(keep)) out.resize(static_cast<std::size_t>(keep));
    return out;
}

std::string formatFixed(int decimals, double x) {
    return fixedField(x, decimals, 10);
}

}  // namespace qtl
