// The Windows-1252 codec and the character bounds of settings texts.
#include <gtest/gtest.h>

#include <iterator>
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

TEST(TextCodec, TheTwentySevenCharactersOf0x80To0x9F) {
    // Each byte the code page defines in 0x80-0x9F is its own character, not the control
    // character of the same number; a swapped or shifted entry still round-trips, so check
    // the code point itself.
    struct Case {
        unsigned byte;
        char32_t codePoint;
    } const cases[] = {
        {0x80, 0x20AC}, {0x82, 0x201A}, {0x83, 0x0192}, {0x84, 0x201E}, {0x85, 0x2026},
        {0x86, 0x2020}, {0x87, 0x2021}, {0x88, 0x02C6}, {0x89, 0x2030}, {0x8A, 0x0160},
        {0x8B, 0x2039}, {0x8C, 0x0152}, {0x8E, 0x017D}, {0x91, 0x2018}, {0x92, 0x2019},
        {0x93, 0x201C}, {0x94, 0x201D}, {0x95, 0x2022}, {0x96, 0x2013}, {0x97, 0x2014},
        {0x98, 0x02DC}, {0x99, 0x2122}, {0x9A, 0x0161}, {0x9B, 0x203A}, {0x9C, 0x0153},
        {0x9E, 0x017E}, {0x9F, 0x0178},
    };
    static_assert(std::size(cases) == 27);
    for (const auto& c : cases) {
        const std::string byte(1, static_cast<char>(c.byte));
        // Every one of them is a two- or three-byte UTF-8 character.
        const std::string utf8 =
            c.codePoint < 0x800 ? std::string{static_cast<char>(0xC0 | (c.codePoint >> 6)),
                                              static_cast<char>(0x80 | (c.codePoint & 0x3F))}
                                : std::string{static_cast<char>(0xE0 | (c.codePoint >> 12)),
                                              static_cast<char>(0x80 | ((c.codePoint >> 6) & 0x3F)),
                                              static_cast<char>(0x80 | (c.codePoint & 0x3F))};
        EXPECT_EQ(fromWindows1252(byte), utf8) << std::hex << c.byte;
        EXPECT_EQ(toWindows1252(utf8), byte) << std::hex << c.byte;
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
