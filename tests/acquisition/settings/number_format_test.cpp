// Number formatters and series statistics.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "settings/number_format.h"
#include "settings/program_settings.h"
#include "settings/series_stats.h"

namespace qtl {
namespace {

TEST(FormatReal, EightDecimalsTrimmed) {
    EXPECT_EQ(formatReal(1.5, '.'), "1.50000000");
    EXPECT_EQ(formatReal(2.5, ','), "2,50000000");
    EXPECT_EQ(formatReal(-0.125, '.'), "-0.12500000");
    EXPECT_EQ(formatReal(123456789012.0, '.'), "123456789012.00000000");
    EXPECT_EQ(formatReal(1e25, '.').size(), 35u);  // wider than the field: nothing is cut
}

TEST(FormatReal, FollowsTheRecordsDecimalSeparator) {
    ProgramSettings& s = programSettings();
    const char saved = s.decimalSeparator;
    s.decimalSeparator = ',';
    EXPECT_EQ(formatReal(2.5), "2,50000000");
    s.decimalSeparator = '.';
    EXPECT_EQ(formatReal(2.5), "2.50000000");
    s.decimalSeparator = saved;
}

TEST(FormatShort, KeepsDigitsPlusOneCharacters) {
    struct Case {
        int digits;
        double x;
        const char* out;
    } const cases[] = {
        {5, 12.3456789, "12.345"},
        {5, 0.5, "0.5000"},
        {5, 1234567, "123456"},
        {5, 0.00001, "0.0000"},
        {5, -20, "-20.00"},
        {5, 100, "100.00"},
        {5, 0, "0.0000"},
        {3, 3.14159, "3.14"},
        {0, 5.0, "5"},
        {-1, 5.0, ""},
        {30, 1.5, "1.5000000000"},
    };
    for (const auto& c : cases) EXPECT_EQ(formatShort(c.digits, c.x), c.out) << c.x;
}

TEST(FormatFixed, RightAlignedInTenCharacters) {
    EXPECT_EQ(formatFixed(0, 777), "       777");
    EXPECT_EQ(formatFixed(2, -1.005), "     -1.00");
    EXPECT_EQ(formatFixed(3, 12345678.5), "12345678.500");
    EXPECT_EQ(formatFixed(-4, 2.6), "         3");
}

TEST(Formatters, NonFiniteValuesGiveWords) {
    EXPECT_EQ(formatReal(std::nan(""), '.'), "Nan");
    EXPECT_EQ(formatShort(5, -INFINITY), "-Inf");
    EXPECT_EQ(formatFixed(2, INFINITY), "      +Inf");
}

TEST(SeriesStats, MeanAndSampleDeviation) {
    const std::vector<double> y = {2, 4, 4, 4, 5, 5, 7, 9};
    EXPECT_DOUBLE_EQ(seriesMean(y), 5.0);
    EXPECT_NEAR(seriesStdDev(y), std::sqrt(32.0 / 7.0), 1e-12);
}

TEST(SeriesStats, ShortAndConstantSeries) {
    EXPECT_EQ(seriesMean(std::vector<double>{}), 0.0);
    EXPECT_EQ(seriesStdDev(std::vector<double>{}), 0.0);
    EXPECT_EQ(seriesStdDev(std::vector<double>{3.0}), 0.0);
    // Equal values whose squares round: the variance may come out a hair below zero.
    // (Three times 0.1 gives -1.7e-18.)
    EXPECT_EQ(seriesStdDev(std::vector<double>(3, 0.1)), 0.0);
    EXPECT_EQ(seriesStdDev(std::vector<double>(10, 0.7)), 0.0);
    EXPECT_TRUE(std::isnan(seriesStdDev(std::vector<double>{1.0, std::nan("")})));
}

}  // namespace
}  // namespace qtl
