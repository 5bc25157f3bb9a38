// The Windows-1252 codec and the character bounds of settings texts.
#include <gtest/gtest.h>

#include <string>

#include "settings/bounded_text.h"
#include "settings/text_codec.h"

namespace qtl {
namespace {

TEST(TextCodec, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    const std::string utf8 = fromWindows1252(all);
    EXPECT_EQ(utf8Length(utf8), 255u);
    EXPECT_EQ(toWindows1252(utf8), all);
}

TEST(TextCodec, KnownCharacters) {
    struct Case {
        const char* cp1252;
        const char* utf8;
    } const cases[] = {
        {"voie suppl\xE9mentaire", "voie supplémentaire"},
        {"\x80", "€"},
        {"\x9C\x8C", "œŒ"},
        {"\x96", "–"},
        {"\xB0"
         "C",
         "°C"},
        {"abc", "abc"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fromWindows1252(c.cp1252), c.utf8);
        EXPECT_EQ(toWindows1252(c.utf8), c.cp1252);
    }
}

TEST(TextCodec, UnrepresentableAndInvalidInput) {
    EXPECT_EQ(toWindows1252("α=√2"), "?=?2");
    EXPECT_EQ(toWindows1252("😀"), "?");
    // Bytes that are not UTF-8 pass through as code-page bytes.
    EXPECT_EQ(toWindows1252("d\xE9j\xE0"), "d\xE9j\xE0");
    // Truncated sequence, overlong form and a surrogate are not decoded.
    EXPECT_EQ(toWindows1252("\xC3"), "\xC3");
    EXPECT_EQ(toWindows1252("\xC0\xAF"), "\xC0\xAF");
    EXPECT_EQ(toWindows1252("\xED\xA0\x80"), "\xED\xA0\x80");
}

TEST(TextCodec, CountsAndCutsWholeCharacters) {
    EXPECT_EQ(utf8Length("é€😀a"), 4u);
    EXPECT_EQ(utf8Prefix("é€😀a", 2), "é€");
    EXPECT_EQ(utf8Prefix("é€😀a", 3), "é€😀");
    EXPECT_EQ(utf8Prefix("abc", 10), "abc");
    EXPECT_EQ(utf8Prefix("\xFF\xFEz", 2), "\xFF\xFE");
}

TEST(BoundedText, CutsAt250CharactersOnAssignment) {
    SettingsText t;
    t = std::string(260, 'x');
    EXPECT_EQ(t.str().size(), 250u);
    std::string euros;
    for (int i = 0; i < 251; ++i) euros += "€";
    t = euros;
    EXPECT_EQ(utf8Length(t.str()), 250u);
    EXPECT_EQ(t.size(), 750u);
    const SettingsText copied(std::string(251, 'y'));
    EXPECT_EQ(copied.str(), std::string(250, 'y'));
    t = static_cast<const char*>(nullptr);
    EXPECT_TRUE(t.empty());
}

}  // namespace
}  // namespace qtl
