// The bytes of the saved files, the save commands' flags and the safety of saving.
#include "files/data_file_writer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>

#include "files/data_file_error.h"
#include "files/save_command.h"
#include "settings/program_settings.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <csignal>
#endif

namespace qtl {
namespace {

namespace fs = std::filesystem;

std::string bytes(SaveFormat format, const GraphModel& m, DataFileOptions o = {}) {
    std::string out;
    appendDataFile(out, format, m, o);
    return out;
}

std::string fileBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

fs::path freshFolder(const std::string& name) {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const fs::path dir = fs::temp_directory_path() / (name + std::to_string(stamp));
    fs::create_directories(dir);
    return dir;
}

GraphModel twoPoints() {
    GraphModel m;
    m.bottomAxis().setTitle("temps");
    m.leftAxis().setTitle("voie P");
    m.addPoint(Channel::P, 0.5, 1.25);
    m.addPoint(Channel::P, 1, -2);
    return m;
}

TEST(DataFileWriter, TextTablesBySeparatorAndDecimalMark) {
    const GraphModel m = twoPoints();
    EXPECT_EQ(bytes(SaveFormat::Csv, m, {true, false, ','}),
              "temps;voie P\r\n0,50000000;1,25000000\r\n1,00000000;-2,00000000\r\n");
    EXPECT_EQ(bytes(SaveFormat::Tab, m, {false, false, ','}),
              "0,50000000\t1,25000000\r\n1,00000000\t-2,00000000\r\n");
    EXPECT_EQ(bytes(SaveFormat::Csv, m, {false, true, '.'}),
              "0.50000000,1.25000000\r\n1.00000000,-2.00000000\r\n\r\nTITREG=\r\n");
    EXPECT_EQ(bytes(SaveFormat::Empty, m), "");
}

TEST(DataFileWriter, SWithoutAShorterSeriesNonFiniteAndSanitisedTitles) {
    GraphModel m = twoPoints();
    m.sActive = true;
    m.setSTitle("S; a,b\tc");
    m.rightAxis().setTitle("unused");
    m.addPoint(Channel::S, 0.5, std::numeric_limits<double>::quiet_NaN());
    m.setChartTitle("essai\r\n1");
    EXPECT_EQ(bytes(SaveFormat::Tab, m, {true, true, '.'}),
              "temps\tvoie P\t\tS  a b c\r\n0.50000000\t1.25000000\t\tNan\r\n"
              "1.00000000\t-2.00000000\t\t\r\n\r\nTITREG=essai  1\r\n");
    m.aActive = true;
    m.addPoint(Channel::A, 0.5, std::numeric_limits<double>::infinity());
    EXPECT_EQ(bytes(SaveFormat::Csv, m, {false, false, '.'}),
              "0.50000000,1.25000000,+Inf,Nan\r\n1.00000000,-2.00000000,,\r\n");
}

TEST(DataFileWriter, DifLineByLine) {
    GraphModel m = twoPoints();
    m.sActive = true;
    m.setSTitle("\xC3\xA9t\xC3\xA9");  // UTF-8 inside, Windows-1252 in the file
    m.addPoint(Channel::S, 0.5, 3);
    const std::string head = "TABLE\r\n0,1\r\n\"\"\r\nVECTORS\r\n0,4\r\n\"\"\r\nTUPLES\r\n";
    const std::string data = "\"\"\r\nDATA\r\n0,0\r\n\"\"\r\n";
    const std::string rows =
        "-1,0\r\nBOT\r\n0,0.50000000\r\nV\r\n0,1.25000000\r\nV\r\n1,0\r\n\"\"\r\n0,3.00000000\r\n"
        "V\r\n-1,0\r\nBOT\r\n0,1.00000000\r\nV\r\n0,-2.00000000\r\nV\r\n1,0\r\n\"\"\r\n1,0\r\n"
        "\"\"\r\n-1,0\r\nEOD\r\n";
    EXPECT_EQ(bytes(SaveFormat::Dif, m, {false, false, '.'}), head + "0,2\r\n" + data + rows);
    EXPECT_EQ(bytes(SaveFormat::Dif, m, {true, true, '.'}),
              head + "0,3\r\n" + data +
                  "-1,0\r\nBOT\r\n1,0\r\n\"temps\"\r\n1,0\r\n\"voie P\"\r\n1,0\r\n\"\"\r\n1,0\r\n"
                  "\"\xE9t\xE9\"\r\n" +
                  rows + "TITREG=\r\n");
    // An empty graph: one tuple with titles, none without.
    const GraphModel empty;
    EXPECT_NE(bytes(SaveFormat::Dif, empty).find("TUPLES\r\n0,1\r\n"), std::string::npos);
    EXPECT_NE(bytes(SaveFormat::Dif, empty, {false, false, '.'}).find("TUPLES\r\n0,0\r\n"),
              std::string::npos);
    EXPECT_EQ(bytes(SaveFormat::Tab, empty), "\t\r\n");
}

TEST(DataFileWriter, SaveCommandsSetTheirFlagsAndPutThemBackWhateverHappens) {
    struct Case {
        SaveCommand command;
        DataFileOptions during;
    };
    const Case cases[] = {{SaveCommand::Data, {true, false, '.'}},
                          {SaveCommand::WithDetails, {true, true, '.'}},
                          {SaveCommand::WithoutTitles, {false, false, '.'}},
                          {SaveCommand::DecimalComma, {true, false, ','}}};
    ProgramSettings settings;
    for (const auto& c : cases) {
        try {
            SaveCommandScope scope(settings, c.command);
            const DataFileOptions o = dataFileOptions(settings);
            EXPECT_EQ(o.titles, c.during.titles);
            EXPECT_EQ(o.details, c.during.details);
            EXPECT_EQ(o.decimalSeparator, c.during.decimalSeparator);
            throw DataFileError("disque plein");
        } catch (const DataFileError&) {
        }
        EXPECT_TRUE(settings.exportTitles);
        EXPECT_FALSE(settings.exportDetails);
        EXPECT_EQ(settings.decimalSeparator, '.');
    }
}

TEST(DataFileWriter, FilesByExtensionAndNoTemporaryLeft) {
    const fs::path dir = freshFolder("qtl_writer_");
    const GraphModel m = twoPoints();
    writeDataFile(dir / "a.TXT", m, {});
    writeDataFile(dir / "b.Tab", m, {});
    EXPECT_TRUE(fs::exists(dir / "a.TXT"));
    EXPECT_EQ(fileBytes(dir / "a.TXT"), "");
    EXPECT_EQ(fileBytes(dir / "b.Tab"), bytes(SaveFormat::Tab, m));
    EXPECT_THROW(writeDataFile(dir / "missing" / "c.tab", m, {}), DataFileError);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
    fs::remove_all(dir);
}

#ifndef _WIN32
// A write that fails half-way (the file size limit stands in for a full disk) reports the
// error and leaves the previous file as it was.
TEST(DataFileWriter, FailingSaveKeepsThePreviousFile) {
    const fs::path dir = freshFolder("qtl_full_");
    const fs::path target = dir / "mesures.tab";
    writeDataFile(target, twoPoints(), {});
    const std::string before = fileBytes(target);

    GraphModel big;
    for (int i = 0; i < 200000; ++i) big.addPoint(Channel::P, i, i * 0.5);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit oldLimit{};
    getrlimit(RLIMIT_FSIZE, &oldLimit);
    rlimit small = oldLimit;
    small.rlim_cur = 1 << 20;
    setrlimit(RLIMIT_FSIZE, &small);
    std::string message;
    try {
        writeDataFile(target, big, {});
    } catch (const DataFileError& e) {
        message = e.userText();
    }
    setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(message.rfind("erreur d'écriture du fichier : ", 0), 0u) << message;
    EXPECT_EQ(fileBytes(target), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    fs::remove_all(dir);
}
#endif

}  // namespace
}  // namespace qtl
