// How the settings file writes and reads its values.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "settings/settings_file.h"
#include "settings/settings_values.h"
#include "settings/text_fields.h"

namespace qtl {
namespace {

TEST(SettingsValues, RealsAreWrittenShortWhenThatReadsBack) {
    const struct {
        double x;
        const char* text;
    } cases[] = {
        {0.5, "0.5000"},
        {100, "100.00"},
        {-20, "-20.00"},
        {0, "0.0000"},
        {0.00001, "0.0000"},
        {123456, "123456"},
        // Six characters would lose integer digits or decimals: the full form.
        {1234567, "1234567"},
        {-1.2345, "-1.2345"},
        {12.3456789, "12.3457"},
        {-999999.5, "-999999.5"},
        {1e12, "1000000000000"},
    };
    for (const auto& c : cases) EXPECT_EQ(settingsReal(c.x), c.text) << c.x;
}

TEST(SettingsValues, EveryRealReadsBackAsSaved) {
    for (double x : {1234567.0, -1.2345, 999999.9999, -1000000.0, 0.0001, 3.14159, 65535.5,
                     -0.00005, 98765.4321, 1e15 + 0.5}) {
        const std::optional<double> back = settingsRealValue(cleanNumber(settingsReal(x)));
        ASSERT_TRUE(back.has_value()) << x;
        EXPECT_EQ(*back, std::round(x * 10000) / 10000) << x << " written " << settingsReal(x);
    }
}

TEST(SettingsValues, IntegersStopAtTheFirstNonDigit) {
    const struct {
        const char* cleaned;
        std::int64_t value;
    } cases[] = {
        {"100", 100}, {"1.53", 1},
        {"", 0},      {"-12", -12},
        {"+7", 7},    {"12-3", 12},
        {".5", 0},    {"--1", 0},
        {"-", 0},     {"99999999999999999999999", std::numeric_limits<std::int64_t>::max()}};
    for (const auto& c : cases) EXPECT_EQ(settingsInteger(c.cleaned), c.value) << c.cleaned;
}

TEST(SettingsValues, RealsParseOnlyWhenTheWholeTextIsADecimalNumber) {
    const struct {
        const char* cleaned;
        std::optional<double> value;
    } cases[] = {{"1.5", 1.5},
                 {"-20.00", -20.0},
                 {"+2", 2.0},
                 {"5.", 5.0},
                 {".25", 0.25},
                 {"1.2.3", std::nullopt},
                 {"12-3", std::nullopt},
                 {"", std::nullopt},
                 {".", std::nullopt},
                 {"-", std::nullopt},
                 {"+-1", std::nullopt}};
    for (const auto& c : cases) EXPECT_EQ(settingsRealValue(c.cleaned), c.value) << c.cleaned;
    EXPECT_TRUE(settingsFlag("1"));
    EXPECT_FALSE(settingsFlag("1.0"));
    EXPECT_FALSE(settingsFlag("11"));
}

TEST(SettingsValues, CfgAppendedOnlyWithoutExtension) {
    const std::pair<const char*, const char*> cases[] = {{"/tmp/reglages", "/tmp/reglages.cfg"},
                                                         {"/tmp/tp.txt", "/tmp/tp.txt"},
                                                         {"/tmp/a.b/tp", "/tmp/a.b/tp.cfg"},
                                                         {"tp.CFG", "tp.CFG"}};
    for (const auto& [name, saved] : cases) EXPECT_EQ(withSettingsExtension(name), saved);
}

}  // namespace
}  // namespace qtl
