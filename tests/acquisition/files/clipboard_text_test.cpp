// The clipboard text of a graph window: columns, line ends, decimal mark and the settings'
// decimalSeparator after a copy.
#include "files/clipboard_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "settings/program_settings.h"

namespace qtl {
namespace {

using Points = std::vector<std::pair<double, double>>;

GraphModel model(const Points& p, const Points& a = {}, const Points& s = {}) {
    GraphModel g;
    for (const auto& [x, y] : p) g.addPoint(Channel::P, x, y);
    for (const auto& [x, y] : a) g.addPoint(Channel::A, x, y);
    for (const auto& [x, y] : s) g.addPoint(Channel::S, x, y);
    return g;
}

TEST(ClipboardText, ColumnsAndLines) {
    struct Case {
        const char* name;
        GraphModel graph;
        char separator;
        std::string expected;
    };
    const Case cases[] = {
        {"empty P series", model({}, {{0, 1}, {1, 2}}), '.', ""},
        {"P only", model({{0, 1}, {1, -2.5}}), '.',
         "0.00000000\t1.00000000\r1.00000000\t-2.50000000\r"},
        {"decimal comma", model({{0.5, 1.25}}), ',', "0,50000000\t1,25000000\r"},
        {"single-point A series leaves two columns", model({{0, 1}, {1, 2}}, {{0, 7}}), '.',
         "0.00000000\t1.00000000\r1.00000000\t2.00000000\r"},
        {"A and S", model({{0, 1}, {1, 2}}, {{0, 3}, {1, 4}}, {{0, 5}, {1, 6}}), '.',
         "0.00000000\t1.00000000\t3.00000000\t5.00000000\r"
         "1.00000000\t2.00000000\t4.00000000\t6.00000000\r"},
        {"S without A", model({{0, 1}, {1, 2}}, {}, {{0, 5}, {1, 6}}), '.',
         "0.00000000\t1.00000000\t5.00000000\r1.00000000\t2.00000000\t6.00000000\r"},
        {"shorter S series keeps its tab, field empty",
         model({{0, 1}, {1, 2}, {2, 3}}, {{0, 4}, {1, 5}, {2, 6}}, {{0, 7}, {1, 8}}), '.',
         "0.00000000\t1.00000000\t4.00000000\t7.00000000\r"
         "1.00000000\t2.00000000\t5.00000000\t8.00000000\r"
         "2.00000000\t3.00000000\t6.00000000\t\r"},
        {"shorter A series before S",
         model({{0, 1}, {1, 2}, {2, 3}}, {{0, 4}, {1, 5}}, {{0, 7}, {1, 8}, {2, 9}}), ',',
         "0,00000000\t1,00000000\t4,00000000\t7,00000000\r"
         "1,00000000\t2,00000000\t5,00000000\t8,00000000\r"
         "2,00000000\t3,00000000\t\t9,00000000\r"},
        {"A longer than P: only P's lines", model({{0, 1}}, {{0, 2}, {1, 3}, {2, 4}}), '.',
         "0.00000000\t1.00000000\t2.00000000\r"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(clipboardText(c.graph, c.separator), c.expected) << c.name;
}

TEST(ClipboardText, NonFiniteValuesAndLargeNumbers) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(clipboardText(model({{1000, nan}, {2e12, -inf}}), ','),
              "1000,00000000\tNan\r2000000000000,00000000\t-Inf\r");
}

TEST(ClipboardText, CopyCommandsAndTheSettingsSeparator) {
    const GraphModel g = model({{0.5, 1.25}});
    ProgramSettings s;
    EXPECT_EQ(copyPointText(g, s), "0.50000000\t1.25000000\r");
    EXPECT_EQ(s.decimalSeparator, '.');

    EXPECT_EQ(copyCommaText(g, s), "0,50000000\t1,25000000\r");
    EXPECT_EQ(s.decimalSeparator, '.');

    // The point command follows a separator changed elsewhere; the comma command ends on ".".
    s.decimalSeparator = ',';
    EXPECT_EQ(copyPointText(g, s), "0,50000000\t1,25000000\r");
    EXPECT_EQ(s.decimalSeparator, ',');
    EXPECT_EQ(copyCommaText(g, s), "0,50000000\t1,25000000\r");
    EXPECT_EQ(s.decimalSeparator, '.');
}

}  // namespace
}  // namespace qtl
