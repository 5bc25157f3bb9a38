// Memo lines: fields, widths, optional channels, locale, non-finite values and the path.
#include "settings/memo_line.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace qtl {
namespace {

TEST(MemoLine, FieldsWidthsAndOptionalChannels) {
    struct Case {
        double days, p;
        std::optional<double> a, s;
        const char* line;
    };
    const Case cases[] = {
        {40300.523611, 1.2345, 12.5, std::nullopt, "40300.523611,    1.2345,   12.5000\r\n"},
        {40300.5, -3, std::nullopt, std::nullopt, "40300.500000,   -3.0000\r\n"},
        {1.25, 0, std::nullopt, 7.00006, "    1.250000,    0.0000,    7.0001\r\n"},
        {46000, 1, 2, 3, "46000.000000,    1.0000,    2.0000,    3.0000\r\n"},
        {46000, 123456789.5, std::nullopt, std::nullopt, "46000.000000,123456789.5000\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(memoLine(c.days, c.p, c.a, c.s), c.line);
}

TEST(MemoLine, PointEvenUnderADecimalCommaLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_NUMERIC, "fr_FR.UTF-8") == nullptr) GTEST_SKIP() << "no French locale";
    const std::string line = memoLine(2.5, 1.5, std::nullopt, std::nullopt);
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(line, "    2.500000,    1.5000\r\n");
}

TEST(MemoLine, NonFiniteValuesStayReadable) {
    EXPECT_EQ(memoLine(1, std::nan(""), std::numeric_limits<double>::infinity(), std::nullopt),
              "    1.000000,       Nan,      +Inf\r\n");
}

TEST(MemoLine, PathInTheProgramFolder) {
    EXPECT_EQ(memoFilePath("/opt/qtl"), "/opt/qtl/memo.csv");
    EXPECT_EQ(memoFilePath("/opt/qtl/"), "/opt/qtl/memo.csv");
    EXPECT_EQ(memoFilePath("C:\\qtl\\"), "C:\\qtl/memo.csv");
}

}  // namespace
}  // namespace qtl
