// Field conversion: an exact path for whole numbers, and the character filter of the file
// formats for fields that carry units or other text ("12 secondes" gives 12).
#include "files/field_number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace qtl {
namespace {

constexpr std::size_t kMaxFieldChars = 250;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool equalsLower(std::string_view s, std::string_view word) {
    if (s.size() != word.size()) return false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (lower(s[i]) != word[i]) return false;
    }
    return true;
}

std::optional<double> nonFiniteWord(std::string_view s) {
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (equalsLower(s, "nan")) return std::numeric_limits<double>::quiet_NaN();
    if (equalsLower(s, "inf") || equalsLower(s, "infinity")) {
        return negative ? -std::numeric_limits<double>::infinity()
                        : std::numeric_limits<double>::infinity();
    }
    return std::nullopt;
}

// Reads [sign] digits [mark digits] [e|E [sign] digits], with at least one mantissa digit and
// the mark "." or ",". Nothing when the whole text is not of that form, or (with `form` set)
// when its value is too large to hold.
std::optional<double> decimalNumber(std::string_view s, bool* form = nullptr) {
    char buffer[kMaxFieldChars + 8];
    if (s.empty() || s.size() > kMaxFieldChars) return std::nullopt;
    std::size_t i = 0;
    std::size_t n = 0;
    bool negative = false;
    if (s[i] == '+' || s[i] == '-') {
        negative = s[i] == '-';
        ++i;
    }
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) buffer[n++] = s[i++], ++digits;
    if (i < s.size() && (s[i] == '.' || s[i] == ',')) {
        buffer[n++] = '.';
        ++i;
        while (i < s.size() && isDigit(s[i])) buffer[n++] = s[i++], ++digits;
    }
    if (digits == 0) return std::nullopt;
    bool negativeExponent = false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        buffer[n++] = 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            negativeExponent = s[i] == '-';
            buffer[n++] = s[i++];
        }
        std::size_t expDigits = 0;
        while (i < s.size() && isDigit(s[i])) buffer[n++] = s[i++], ++expDigits;
        if (expDigits == 0) return std::nullopt;
    }
    if (i != s.size()) return std::nullopt;
    if (form != nullptr) *form = true;
    double value = 0;
    const auto res = std::from_chars(buffer, buffer + n, value);
    if (res.ec == std::errc::result_out_of_range) {
        // Too small to hold is zero; too large does not convert.
        if (!negativeExponent) return std::nullopt;
        value = 0;
    } else if (res.ec != std::errc{} || res.ptr != buffer + n) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

}  // namespace

bool isNumberField(std::string_view field) {
    field = trimBlanks(field);
    if (field.size() > kMaxFieldChars) return false;
    return decimalNumber(field) || nonFiniteWord(field);
}

double convertField(std::string_view field, FieldConversion conversion) {
    if (conversion == FieldConversion::None) return kUnreadableValue;
    if (field.size() > kMaxFieldChars) field = field.substr(0, kMaxFieldChars);
    const std::string_view whole = trimBlanks(field);
    bool form = false;
    if (auto v = decimalNumber(whole, &form)) return *v;
    if (form) return kUnreadableValue;
    if (auto v = nonFiniteWord(whole)) return *v;

    // The filter keeps at most one mark in a row of digits; read what it leaves strictly.
    std::string kept;
    kept.reserve(field.size());
    for (const char c : field) {
        const bool keep = isDigit(c) || c == ',' || c == '-' || c == '.' || c == '/' ||
                          (conversion == FieldConversion::Text && (c == '+' || c == 'E'));
        if (keep) kept += c == ',' ? '.' : c;
    }
    if (kept.find_first_of(",/") != std::string::npos) return kUnreadableValue;
    // Only "." is a mark here: decimalNumber also takes "," but none is left.
    if (auto v = decimalNumber(kept)) return *v;
    return kUnreadableValue;
}

}  // namespace qtl
