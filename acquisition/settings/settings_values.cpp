// Settings file values.
#include "settings/settings_values.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "settings/number_format.h"

namespace qtl {

namespace {

double roundedToFourDecimals(double x) {
    return std::round(x * 10000.0) / 10000.0;
}

}  // namespace

std::string settingsReal(double x) {
    const std::string shortForm = formatShort(5, x);
    if (!std::isfinite(x)) return shortForm;
    const std::optional<double> back = settingsRealValue(shortForm);
    const double saved = roundedToFourDecimals(x);
    if (back && *back == saved) return shortForm;
    // Fixed notation with four decimals, then the trailing zeros (and point) it does not need.
    char digits[400];
    const auto res =
        std::to_chars(digits, digits + sizeof digits, saved, std::chars_format::fixed, 4);
    std::string text = res.ec == std::errc{} ? std::string(digits, res.ptr) : shortForm;
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
    }
    if (text == "-0") text = "0";
    return text;
}

std::int64_t settingsInteger(std::string_view cleaned) {
    std::size_t i = 0;
    bool negative = false;
    if (i < cleaned.size() && (cleaned[i] == '+' || cleaned[i] == '-')) {
        negative = cleaned[i] == '-';
        ++i;
    }
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    for (; i < cleaned.size() && cleaned[i] >= '0' && cleaned[i] <= '9'; ++i) {
        const int digit = cleaned[i] - '0';
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    return negative ? -value : value;
}

std::optional<double> settingsRealValue(std::string_view cleaned) {
    std::string_view body = cleaned;
    bool negative = false;
    if (!body.empty() && (body.front() == '+' || body.front() == '-')) {
        negative = body.front() == '-';
        body.remove_prefix(1);
    }
    int digits = 0, points = 0;
    for (char c : body) {
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if (c == '.') {
            ++points;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || points > 1) return std::nullopt;
    double value = 0;
    const auto res =
        std::from_chars(body.data(), body.data() + body.size(), value, std::chars_format::fixed);
    if (res.ec != std::errc{} || res.ptr != body.data() + body.size()) return std::nullopt;
    return negative ? -value : value;
}

}  // namespace qtl
