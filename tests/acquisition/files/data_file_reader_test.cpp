// Reading text tables and DIF files: title lines, separators, conversions, round trips of the
// program's own files, files from spreadsheets and hostile input.
#include "files/data_file_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "files/data_file_writer.h"
#include "files/field_number.h"

namespace qtl {
namespace {

std::vector<double> ys(const GraphModel& m, Channel c) {
    return {m.points(c).ys().begin(), m.points(c).ys().end()};
}
std::vector<double> xs(const GraphModel& m, Channel c) {
    return {m.points(c).xs().begin(), m.points(c).xs().end()};
}

GraphModel readText(const std::string& bytes, bool csv = false,
                    FieldConversion conversion = FieldConversion::Text) {
    GraphModel m;
    m.bottomAxis().setTitle("avant");
    m.rightAxis().setVisible(false);
    MemorySource source(bytes);
    LineReader lines(source);
    readTextTable(lines, csv, conversion, m);
    return m;
}

GraphModel readDifBytes(const std::string& bytes) {
    GraphModel m;
    MemorySource source(bytes);
    LineReader lines(source);
    readDif(lines, FieldConversion::Dif, m);
    return m;
}

TEST(FieldNumber, ConversionsByKind) {
    struct Case {
        const char* field;
        FieldConversion kind;
        double value;
    };
    const Case cases[] = {
        {"1.50000000", FieldConversion::Text, 1.5},
        {" -0,25 ", FieldConversion::Text, -0.25},
        {"1e-3", FieldConversion::Text, 1e-3},
        {"2.5E+04", FieldConversion::Dif, 2.5e4},
        {"12 secondes", FieldConversion::Text, 12},
        {"1,5 V", FieldConversion::Dif, 1.5},
        {"1e-3 s", FieldConversion::Text, kUnreadableValue},  // the "e" goes, "1-3" is no number
        {"abc", FieldConversion::Text, kUnreadableValue},
        {"", FieldConversion::Text, kUnreadableValue},
        {"1/2", FieldConversion::Text, kUnreadableValue},
        {"1.5", FieldConversion::None, kUnreadableValue},
        {"-Inf", FieldConversion::Text, -std::numeric_limits<double>::infinity()},
        {"1e-999", FieldConversion::Text, 0},
        {"1e999", FieldConversion::Text, kUnreadableValue},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(convertField(c.field, c.kind), c.value) << c.field;
    }
    EXPECT_TRUE(std::isnan(convertField("Nan", FieldConversion::Text)));
}

TEST(TextReader, FirstLineIsTitleOnlyWhenAFieldIsNotANumber) {
    struct Case {
        const char* first;
        bool csv;
        bool title;
    };
    const Case cases[] = {
        {"1.5\t2", false, false},
        {"-1,5\t2,5", false, false},  // minus sign and decimal comma
        {"-1,5;2,5", true, false},    // ";" is not the starting separator
        {"1e-3,2", true, false},
        {"Nan\t+Inf", false, false},
        {"1\t\t3", false, false},  // an empty field does not decide
        {"temps\tP", false, true},
        {"1\t2\tx", false, true},
        {"1 2", false, true},
        {"\t", false, true},  // the title line of a window whose titles are empty
    };
    for (const auto& c : cases) {
        const GraphModel m = readText(std::string(c.first) + "\r\n3\t4\r\n", c.csv);
        EXPECT_EQ(m.points(Channel::P).count(), c.title ? 1u : 2u) << c.first;
        EXPECT_EQ(m.bottomAxis().title() == "avant", !c.title) << c.first;
    }
}

TEST(TextReader, SeparatorsLineEndsEmptyFieldsAndTheGeneralTitle) {
    // ";" in the first line of a .csv file; LF, lone CR and CR LF; data ends at an empty line.
    GraphModel m = readText("t;U;I\n1;2,5;\r3;4;5\r\n\r\n7;8\nTITREG=r\xE9sum\xE9\n", true);
    EXPECT_EQ(m.bottomAxis().title(), "t");
    EXPECT_EQ(m.rightAxis().title(), "I");
    EXPECT_EQ(ys(m, Channel::P), (std::vector<double>{2.5, 4}));
    EXPECT_EQ(xs(m, Channel::A), std::vector<double>{3});
    EXPECT_TRUE(m.aActive);
    EXPECT_TRUE(m.rightAxis().visible());
    EXPECT_FALSE(m.sActive);
    EXPECT_EQ(m.chartTitle(), "r\xC3\xA9sum\xC3\xA9");
    // A missing field converts to the mark value; a ".DIV" field drops two characters.
    m = readText("1\r\n", false);
    EXPECT_EQ(ys(m, Channel::P), std::vector<double>{kUnreadableValue});
    m = readText("0,1\t0,2\r\n", false, FieldConversion::Dif);
    EXPECT_EQ(ys(m, Channel::P), std::vector<double>{2});
}

TEST(DataFiles, EveryFormatReadsBackWhatWasWritten) {
    GraphModel source;
    source.bottomAxis().setTitle("temps (s)");
    source.leftAxis().setTitle("tension");
    source.rightAxis().setTitle("courant");
    source.setSTitle("\xC3\xA9nergie");
    source.setChartTitle("essai");
    const double values[] = {-1.5, 0, 2.25e-3, 1234.5, std::numeric_limits<double>::infinity()};
    for (int i = 0; i < 5; ++i) {
        source.addPoint(Channel::P, i * 0.5, values[i]);
        if (i < 3) source.addPoint(Channel::A, i * 0.5, -values[i]);
        source.addPoint(Channel::S, i * 0.5, values[4 - i]);
    }
    struct Case {
        SaveFormat format;
        bool aActive;
        DataFileOptions options;
    };
    const Case cases[] = {
        {SaveFormat::Tab, true, {true, true, '.'}},   {SaveFormat::Csv, true, {true, false, ','}},
        {SaveFormat::Csv, false, {true, false, '.'}}, {SaveFormat::Dif, true, {true, false, '.'}},
        {SaveFormat::Dif, false, {true, true, ','}},  {SaveFormat::Tab, false, {false, false, '.'}},
    };
    for (const auto& c : cases) {
        source.aActive = c.aActive;
        source.sActive = true;
        std::string file;
        appendDataFile(file, c.format, source, c.options);
        const GraphModel m = c.format == SaveFormat::Dif
                                 ? readDifBytes(file)
                                 : readText(file, c.format == SaveFormat::Csv);
        const int n = static_cast<int>(c.format) * 10 + (c.aActive ? 1 : 0);
        for (Channel ch : {Channel::P, Channel::S}) {
            EXPECT_EQ(xs(m, ch), xs(source, ch)) << n;
            EXPECT_EQ(ys(m, ch), ys(source, ch)) << n;
        }
        EXPECT_EQ(ys(m, Channel::A), c.aActive ? ys(source, Channel::A) : std::vector<double>{})
            << n;
        EXPECT_EQ(m.aActive, c.aActive) << n;
        EXPECT_TRUE(m.sActive) << n;
        if (c.options.titles) {
            EXPECT_EQ(m.leftAxis().title(), "tension") << n;
            EXPECT_EQ(m.sTitle(), "\xC3\xA9nergie") << n;
        }
        // Details come back from text tables only.
        EXPECT_EQ(m.chartTitle(), c.options.details && c.format != SaveFormat::Dif ? "essai" : "")
            << n;
    }
}

TEST(DifReader, WithoutTitlesTheFirstPointBecomesTheTitles) {
    GraphModel source;
    source.addPoint(Channel::P, 1, 2);
    source.addPoint(Channel::P, 3, 4);
    std::string file;
    appendDataFile(file, SaveFormat::Dif, source, {false, false, '.'});
    const GraphModel m = readDifBytes(file);
    EXPECT_EQ(m.bottomAxis().title(), "1.00000000");
    EXPECT_EQ(ys(m, Channel::P), std::vector<double>{4});
}

TEST(DataFiles, SpreadsheetFilesWithLfLineEnds) {
    const std::string dir = std::getenv("QTL_TEST_DATA");
    for (const char* name : {"spreadsheet.dif", "spreadsheet.csv"}) {
        GraphModel m;
        readDataFile(dir + "/" + name, m);
        EXPECT_EQ(m.bottomAxis().title(), "t (s)") << name;
        EXPECT_EQ(m.rightAxis().title(), "I (mA)") << name;
        EXPECT_EQ(xs(m, Channel::P), (std::vector<double>{0, 1})) << name;
        EXPECT_EQ(ys(m, Channel::P), (std::vector<double>{2, 3.25})) << name;
        EXPECT_EQ(ys(m, Channel::A), (std::vector<double>{-1.5, 1e-3})) << name;
        EXPECT_TRUE(m.aActive) << name;
    }
}

TEST(DataFiles, HostileInputNeitherCrashesNorLosesOrder) {
    // A DIF file that ends inside a tuple keeps its complete rows.
    GraphModel m =
        readDifBytes(std::string(14, '\n') + "1,0\n\"x\"\nBOT\n0,1\nV\n0,2\nV\nBOT\n0,3");
    EXPECT_EQ(ys(m, Channel::P), std::vector<double>{2});
    // A line far longer than the bound; a CR LF split across two chunks; garbage bytes.
    std::string text = "1\t2\r\n" + std::string(70000, '7') + "\t1\r\n";
    text.insert(65535, "\r\n");  // a CR LF split across the first two chunks
    text += std::string(3 << 20, '\x01') + "\r\n";
    m = readText(text);
    EXPECT_EQ(m.points(Channel::P).count(), 4u);
    EXPECT_EQ(m.points(Channel::P).y(3), 1);
    // Rows in decreasing X are put in order in linear time.
    std::string reversed;
    for (int i = 200000; i > 0; --i) reversed += std::to_string(i) + "\t1\n";
    m = readText(reversed);
    EXPECT_EQ(m.points(Channel::P).count(), 200000u);
    EXPECT_EQ(m.points(Channel::P).x(0), 1);
}

}  // namespace
}  // namespace qtl
