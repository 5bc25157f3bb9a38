// Field and number-text helpers of the settings and data files.
#include "settings/text_fields.h"

#include "settings/text_codec.h"

namespace qtl {
namespace {

constexpr std::size_t kMaxChars = 250;

std::string bounded(std::string_view text) {
    return utf8Prefix(text, kMaxChars);
}

}  // namespace

std::string cleanNumber(std::string_view text) {
    std::string out;
    for (char c : bounded(text)) {
        if (c == ',') c = '.';
        if (c == '+' || c == '-' || c == '.' || (c >= '0' && c <= '9')) out += c;
    }
    return out;
}

std::string fieldKey(char separator, std::string_view line) {
    const std::string text = bounded(line);
    const auto pos = text.find(separator);
    if (pos == std::string::npos) return {};
    std::string key = text.substr(0, pos);
    for (char& c : key) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return key;
}

std::string fieldText(char separator, std::string_view line) {
    const std::string text = bounded(line);
    const auto pos = text.find(separator);
    if (pos == std::string::npos) return text;
    return text.substr(pos + 1);
}

std::string fieldValue(char separator, std::string_view line) {
    return cleanNumber(fieldText(separator, line));
}

std::string splitField(std::string& line, char separator) {
    const auto pos = line.find(separator);
    std::string head;
    if (pos == std::string::npos) {
        head.swap(line);
        line.clear();
    } else {
        head = line.substr(0, pos);
        line.erase(0, pos + 1);
    }
    return head;
}

}  // namespace qtl
