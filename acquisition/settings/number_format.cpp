// Fixed-notation formatting in the way the program's files and readout show numbers.
#include "settings/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "settings/program_settings.h"

namespace qtl {
namespace {

// Fixed notation with `decimals` decimals, right-aligned in `width` characters; a longer
// number takes the room it needs. Non-finite values get a short word instead of digits.
std::string fixedField(double x, int decimals, int width) {
    decimals = std::clamp(decimals, 0, 100);
    if (!std::isfinite(x)) {
        const std::string word = std::isnan(x) ? "Nan" : (x > 0 ? "+Inf" : "-Inf");
        const auto pad = static_cast<std::size_t>(std::max(width, 0));
        return pad > word.size() ? std::string(pad - word.size(), ' ') + word : word;
    }
    // to_chars is locale-free: a desktop's decimal comma must never reach the files.
    char digits[512];
    const auto res =
        std::to_chars(digits, digits + sizeof digits, x, std::chars_format::fixed, decimals);
    const std::string number = res.ec == std::errc{} ? std::string(digits, res.ptr) : "+Inf";
    const auto pad = static_cast<std::size_t>(std::max(width, 0));
    return pad > number.size() ? std::string(pad - number.size(), ' ') + number : number;
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
