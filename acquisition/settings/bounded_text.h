// A settings text that holds at most N characters (code points of its UTF-8 form): a longer
// text is cut on assignment, so no caller can store more than the settings file keeps.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "settings/text_codec.h"

namespace qtl {

template <std::size_t N>
class BoundedText {
  public:
    static constexpr std::size_t kMaxChars = N;

    BoundedText() = default;
    explicit BoundedText(std::string_view text) : value_(utf8Prefix(text, N)) {}
    explicit BoundedText(const char* text) : BoundedText(std::string_view(text ? text : "")) {}
    explicit BoundedText(const std::string& text) : BoundedText(std::string_view(text)) {}

    BoundedText& operator=(std::string_view text) {
        value_ = utf8Prefix(text, N);
        return *this;
    }
    BoundedText& operator=(const std::string& text) { return *this = std::string_view(text); }
    BoundedText& operator=(const char* text) { return *this = std::string_view(text ? text : ""); }

    const std::string& str() const { return value_; }
    operator const std::string&() const { return value_; }  // NOLINT: implicit on purpose
    const char* c_str() const { return value_.c_str(); }
    bool empty() const { return value_.empty(); }
    std::size_t size() const { return value_.size(); }  // bytes

    friend bool operator==(const BoundedText& a, const BoundedText& b) = default;
    friend bool operator==(const BoundedText& a, std::string_view b) { return a.value_ == b; }

  private:
    std::string value_;
};

// The 250-character text of every settings field.
using SettingsText = BoundedText<250>;

}  // namespace qtl
