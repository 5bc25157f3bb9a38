// Field and number-text helpers, with the examples the settings file relies on.
#include <gtest/gtest.h>

#include <string>

#include "settings/text_codec.h"
#include "settings/text_fields.h"

namespace qtl {
namespace {

struct CleanCase {
    const char* in;
    const char* out;
};

TEST(CleanNumber, KeepsSignsPointsAndDigitsOnly) {
    const CleanCase cases[] = {
        {"1,5 V", "1.5"},        {"abc", ""}, {"-3,25e2", "-3.252"}, {"+12.0", "+12.0"},
        {"1 000,25", "1000.25"}, {"", ""},    {"7é8", "78"},         {"1,5e3", "1.53"},
        {"--,,", "--.."},
    };
    for (const auto& c : cases) EXPECT_EQ(cleanNumber(c.in), c.out) << c.in;
}

TEST(Fields, KeyTextAndValueOfSettingsLines) {
    EXPECT_EQ(fieldKey('=', "numeap=2"), "NUMEAP");
    EXPECT_EQ(fieldValue('=', "NUMEAP=2"), "2");
    EXPECT_EQ(fieldValue('=', "abc"), "");
    EXPECT_EQ(fieldText('=', "TITREP=voie 1"), "voie 1");
    // Only a-z change case; the rest of the key stays as it is.
    EXPECT_EQ(fieldKey('=', "titré_p2=x"), "TITRé_P2");
    EXPECT_EQ(fieldKey('=', "no separator"), "");
    EXPECT_EQ(fieldText('=', "no separator"), "no separator");
    // The first separator splits; later ones belong to the value.
    EXPECT_EQ(fieldKey('=', "FONCTIONP=P=A"), "FONCTIONP");
    EXPECT_EQ(fieldText('=', "FONCTIONP=P=A"), "P=A");
    EXPECT_EQ(fieldText('=', "KEY="), "");
    EXPECT_EQ(fieldKey('=', "=value"), "");
}

TEST(Fields, BoundedTo250Characters) {
    const std::string longValue(300, 'x');
    EXPECT_EQ(fieldText('=', "K=" + longValue), std::string(248, 'x'));
    // Characters, not bytes: 300 two-byte characters keep 250 of them.
    std::string accents;
    for (int i = 0; i < 300; ++i) accents += "é";
    const std::string text = fieldText(';', accents);
    EXPECT_EQ(utf8Length(text), 250u);
    EXPECT_EQ(text.size(), 500u);
}

TEST(SplitField, CutsTheHeadOffTheLine) {
    std::string line = "1;2;3";
    EXPECT_EQ(splitField(line, ';'), "1");
    EXPECT_EQ(line, "2;3");
    EXPECT_EQ(splitField(line, ';'), "2");
    EXPECT_EQ(splitField(line, ';'), "3");
    EXPECT_EQ(line, "");

    line = "7";
    EXPECT_EQ(splitField(line, ';'), "7");
    EXPECT_EQ(line, "");

    line = ";x";
    EXPECT_EQ(splitField(line, ';'), "");
    EXPECT_EQ(line, "x");

    // Unbounded: a long data line is not cut.
    line = std::string(400, 'a') + "\t" + std::string(300, 'b');
    EXPECT_EQ(splitField(line, '\t').size(), 400u);
    EXPECT_EQ(line.size(), 300u);
}

}  // namespace
}  // namespace qtl
