// The settings file written and read with real driver libraries and real files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "formula/formula.h"
#include "settings/dynamic_library.h"
#include "settings/file_error.h"
#include "settings/input_driver.h"
#include "settings/settings_file.h"

#if defined(__linux__)
#include <sys/resource.h>
#endif

namespace qtl {
namespace {

namespace fs = std::filesystem;

// What the test output driver last received.
struct OutputRecorder {
    LibraryHandle lib = loadLibrary(QTL_TEST_DRIVER_OUTPUTS);
    qtl_pilote_count_fn output = findEntryPoint<qtl_pilote_count_fn>(lib, "test_last_output");
    qtl_pilote_count_fn raw = findEntryPoint<qtl_pilote_count_fn>(lib, "test_last_raw");
    qtl_pilote_count_fn calls = findEntryPoint<qtl_pilote_count_fn>(lib, "test_set_calls");
    using RealFn = double(QTL_PILOTE_CALL*)(void);
    RealFn real = findEntryPoint<RealFn>(lib, "test_last_real");
};

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeAll(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class SettingsFile : public ::testing::Test {
  protected:
    void SetUp() override {
        initialiseFormulaLibrary();
        compileChannelFormulas(settings);
        folder =
            fs::temp_directory_path() /
            ("qtl_settings_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    // Applies the text as a file's content (drivers found by their paths as written).
    void read(std::string_view bytes) {
        applySettingsBytes(bytes, settings, outputs, SettingsReadContext{});
    }

    ProgramSettings settings;
    OutputsState outputs;
    fs::path folder;
};

TEST_F(SettingsFile, FreshStartWritesEveryLineInOrder) {
    const std::vector<std::string> expected = {"PILOTEA=",
                                               "PILOTEP=",
                                               "PILOTES=",
                                               "PILOTESAF=",
                                               "PILOTESAV=",
                                               "PILOTESB=",
                                               "AUTOCADRAGEX=1",
                                               "AUTOCADRAGEY=1",
                                               "AUTOCADRAGEY2=1",
                                               "BORNEINF=0.0000",
                                               "BORNESUP=0.0000",
                                               "FONCTIONA=A",
                                               "FONCTIONP=P",
                                               "FONCTIONS=S",
                                               "INTERVALLE=1000000",
                                               "MAXIX=100.00",
                                               "MAXIY=100.00",
                                               "MAXIY2=100.00",
                                               "MINIX=0.0000",
                                               "MINIY=0.0000",
                                               "MINIY2=0.0000",
                                               "NBMESURES=100",
                                               "NUMEAA=0",
                                               "NUMEAP=0",
                                               "NUMEAS=0",
                                               "OUICANDIRECT=0",
                                               "OUIFICHMEMO=0",
                                               "PECA=0",
                                               "PECS=0",
                                               "STYLEP=1",
                                               "STYLEA=1",
                                               "STYLES=1",
                                               "TITREP=voie principale",
                                               "TITREA=voie auxiliaire",
                                               "TITRES=voie supplémentaire",
                                               "AXEY2VISIBLE=1",
                                               "TRACELIGNE=1",
                                               "TRACEPOINT=1",
                                               "CHEMINEXTERNE=",
                                               "LIGNEEXTERNE=",
                                               "MENUEXTERNE="};
    EXPECT_EQ(settingsFileLines(settings, outputs), expected);

    const fs::path path = folder / "frais.cfg";
    saveSettingsFile(path.string(), settings, outputs);
    const std::string bytes = readAll(path);
    EXPECT_EQ(bytes.substr(0, 10), "PILOTEA=\r\n");
    EXPECT_NE(bytes.find("TITRES=voie suppl\xE9mentaire\r\n"), std::string::npos)
        << "Windows-1252, CR LF";
    EXPECT_EQ(bytes.size(), settingsFileBytes(settings, outputs).size());
}

TEST_F(SettingsFile, ChangedSettingsComeBackFromTheFile) {
    ProgramSettings& s = settings;
    s.channelP.title = "tension (V)";
    s.channelA.formulaText = "A*2+P";
    s.channelS.lineStyle = 2;
    s.channelA.takeMeasurement = true;
    s.channelA.inputIndex = 3;
    s.intervalUs = 20000;
    s.maxMeasurements = 500;
    s.rawConverterMode = true;
    s.cfgMaxX = 1234567;  // six characters would read back ten times too small
    s.cfgMinY = -1.2345;
    s.cfgAxisY2Visible = false;
    s.channelP.lineStyle = 7;  // no STYLEP line: P keeps what it had
    const fs::path path = folder / "tp";
    saveSettingsFile(withSettingsExtension(path.string()), s, outputs);
    ASSERT_TRUE(fs::exists(folder / "tp.cfg"));

    ProgramSettings back;
    back.channelP.lineStyle = 1;
    ASSERT_TRUE(readSettingsFile((folder / "tp.cfg").string(), back, outputs, {}));
    EXPECT_EQ(back.channelP.title, "tension (V)");
    EXPECT_EQ(back.channelA.formulaText, "A*2+P");
    EXPECT_DOUBLE_EQ(Evalue4(back.channelA.formula, 1, 10, 0, 0), 21);
    EXPECT_EQ(back.channelS.lineStyle, 2);
    EXPECT_EQ(back.channelP.lineStyle, 1);
    EXPECT_TRUE(back.channelA.takeMeasurement);
    EXPECT_TRUE(back.channelA.active);
    EXPECT_EQ(back.channelA.inputIndex, 3);
    EXPECT_EQ(back.intervalUs, 20000);
    EXPECT_EQ(back.maxMeasurements, 500);
    EXPECT_TRUE(back.rawConverterMode);
    EXPECT_EQ(back.cfgMaxX, 1234567);
    EXPECT_EQ(back.cfgMinY, -1.2345);
    EXPECT_FALSE(back.cfgAxisY2Visible);
    EXPECT_EQ(settingsFileBytes(back, outputs),
              settingsFileBytes(s, outputs)
                  .replace(settingsFileBytes(s, outputs).find("STYLEA"), 0, "STYLEP=2\r\n"));
}

TEST_F(SettingsFile, KeysAnyCaseValuesByTheirRules) {
    settings.cfgMaxY = 42;
    settings.channelS.lineStyle = 1;
    read(
        "numeap=3\r\nNbMesures=1,5e3\nMAXIY=1.2.3\rMINIX=-2,5 V\r\nSTYLES=9\n"
        "TITREA=a=b \r\nINTERVALLE=-99999999999\nOUICANDIRECT=1.0\nsans egal\n\n=5\n"
        "INCONNU=3\nNUMEAS=70000");
    EXPECT_EQ(settings.channelP.inputIndex, 3);
    EXPECT_EQ(settings.maxMeasurements, 1) << "1.53 read as an integer";
    EXPECT_EQ(settings.cfgMaxY, 42) << "a real that does not parse leaves the field";
    EXPECT_EQ(settings.cfgMinX, -2.5);
    EXPECT_EQ(settings.channelS.lineStyle, 1);
    EXPECT_EQ(settings.channelA.title, "a=b ");
    EXPECT_EQ(settings.intervalUs, INT32_MIN);
    EXPECT_FALSE(settings.rawConverterMode) << "a flag is exactly 1";
    EXPECT_EQ(settings.channelS.inputIndex, 70000 & 0xFFFF);
}

TEST_F(SettingsFile, FixedAndLogicOutputsDrivenOnceTheirDriverIsReady) {
    OutputRecorder driver;
    const std::string lib = QTL_TEST_DRIVER_OUTPUTS;
    read("SAF=1,9\r\nSB=0,1\r\nPILOTESAF=" + lib + "\r\nPILOTESB=" + lib +
         "\r\nSAF=2,1.5\r\nSAF=6,1\r\nSAF=02,1\r\nSAF=3,abc\r\n");
    EXPECT_TRUE(settings.fixedAnalogDriverReady);
    EXPECT_EQ(outputs.fixed.shown, (std::array<bool, 6>{false, false, true, false, false, false}));
    EXPECT_EQ(outputs.fixed.values[2], 1.5);
    EXPECT_EQ(driver.output(), 2);
    EXPECT_EQ(driver.real(), 1.5);

    const int calls = driver.calls();
    read("PILOTESB=" + lib + "\r\nSB=3,1\r\nSB=-1,1\r\nPILOTESAF=" + lib +
         "\r\nOUICANDIRECT=1\r\nSAF=4,2.5\r\n");
    EXPECT_EQ(driver.calls(), calls + 2) << "SB 3 then SA 4; nothing for output -1";
    EXPECT_EQ(driver.output(), 4);
    EXPECT_EQ(driver.raw(), 2) << "2.5 rounded half to even";
    EXPECT_TRUE(outputs.logic.names.empty()) << "the dialog's list is left alone";
}

TEST_F(SettingsFile, PecaWithAMissingDriverLeavesAActiveReading777) {
    read("PILOTEA=/nulle/part/absent.so\r\nPECA=1\r\n");
    EXPECT_EQ(settings.channelA.driverFile, "/nulle/part/absent.so");
    EXPECT_TRUE(settings.channelA.active);
    EXPECT_EQ(readEad(settings.channelA), NO_DRIVER_VALUE);
}

TEST_F(SettingsFile, OutputDriversChosenOnlyInTheDialogsAreNotRestored) {
    // The dialogs show outputs and check marks, but no settings file loaded their drivers.
    outputs.fixed.shown[1] = true;
    outputs.fixed.values[1] = -2.25;
    outputs.logic.names = {"SB0", "SB1"};
    outputs.logic.checked = {false, true};
    const std::vector<std::string> lines = settingsFileLines(settings, outputs);
    for (const char* line : {"PILOTESAF=", "PILOTESB=", "SAF=1,-2.250", "SB=0,0", "SB=1,1"})
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;

    OutputRecorder driver;
    const int calls = driver.calls();
    OutputsState fresh;
    applySettingsBytes(settingsFileBytes(settings, outputs), settings, fresh, {});
    EXPECT_EQ(driver.calls(), calls);
    EXPECT_EQ(fresh.fixed.shown, (std::array<bool, 6>{}));
}

TEST_F(SettingsFile, RelativeDriverPathsFollowTheSettingsFile) {
    const fs::path drivers = folder / "pilotes";
    const fs::path moved = folder / "cours";
    fs::create_directories(drivers);
    fs::create_directories(moved);
    fs::copy_file(QTL_TEST_DRIVER_COMPLETE, moved / "essai.so");
    fs::copy_file(QTL_TEST_DRIVER_COMPLETE, drivers / "commun.so");
    writeAll(moved / "tp.cfg",
             "PILOTEP=essai.so\r\nPILOTEA=commun.so\r\nPILOTES=absent.so\r\nPECS=0\r\n");
    ASSERT_TRUE(readSettingsFile(
        (moved / "tp.cfg").string(), settings, outputs,
        SettingsReadContext::forFile((moved / "tp.cfg").string(), drivers.string())));
    EXPECT_TRUE(settings.channelP.active) << "beside the settings file";
    EXPECT_TRUE(settings.channelA.active) << "in the drivers folder";
    EXPECT_FALSE(settings.channelS.active);
    EXPECT_EQ(settings.channelP.driverFile, "essai.so") << "stored as written";
    EXPECT_EQ(settings.channelA.driverFile, "commun.so");
    EXPECT_DOUBLE_EQ(readEad(settings.channelP), 2.5);
    const std::vector<std::string> lines = settingsFileLines(settings, outputs);
    EXPECT_EQ(lines[1], "PILOTEP=essai.so");
}

TEST_F(SettingsFile, MissingFileChangesNothingAndUnreadableFileIsAnError) {
    settings.channelP.active = true;
    EXPECT_FALSE(readSettingsFile((folder / "absent.cfg").string(), settings, outputs, {}));
    EXPECT_TRUE(settings.channelP.active);
    try {
        readSettingsFile(folder.string(), settings, outputs, {});  // a folder: EISDIR
        ADD_FAILURE() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(e.userText(), "Erreur E/S " + std::to_string(EISDIR));
    }
    try {
        saveSettingsFile((folder / "nulle" / "part.cfg").string(), settings, outputs);
        ADD_FAILURE() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(e.userText(), "Fichier introuvable");
    }
    EXPECT_EQ(fileErrorText(ENOSPC), "Disque plein");
}

#if defined(__linux__)
TEST_F(SettingsFile, SaveFailingMidwayLeavesThePreviousFile) {
    const fs::path path = folder / "tp.cfg";
    writeAll(path, "TITREP=ancien\r\n");
    // Writes past 64 bytes fail (EFBIG) as on a full disk, after the first lines went out.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    try {
        saveSettingsFile(path.string(), settings, outputs);
    } catch (const FileError& e) {
        error = e.userText();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(error, "Erreur E/S " + std::to_string(EFBIG));
    EXPECT_EQ(readAll(path), "TITREP=ancien\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 1)
        << "no temporary file left behind";
}
#endif

TEST_F(SettingsFile, MalformedBinaryAndHugeFilesApplyOnlyWholeLines) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 7919) & 0xFF);
    read(binary);
    read(std::string("TITREP=a\0b\r\nPILOTEP=x\0y.so\r\n", 28));
    EXPECT_EQ(settings.channelP.title.str(), std::string("a\0b", 3));
    EXPECT_FALSE(settings.channelP.active) << "a path cut by a zero byte is not loaded";

    // A 3 MB line: cut to its first 250 characters, the next line still applies.
    const fs::path path = folder / "enorme.cfg";
    writeAll(path, "TITREA=" + std::string(3'000'000, 'x') + "\rTITRES=fin");
    ASSERT_TRUE(readSettingsFile(path.string(), settings, outputs, {}));
    EXPECT_EQ(settings.channelA.title.str(), std::string(243, 'x'));
    EXPECT_EQ(settings.channelS.title, "fin");
}

TEST_F(SettingsFile, DemoSettingsStartOnTheSimulationDriver) {
    ASSERT_TRUE(readSettingsFile(QTL_DEMO_SETTINGS, settings, outputs,
                                 SettingsReadContext::forFile(QTL_DEMO_SETTINGS, "")));
    const ChannelSettings& p = settings.channelP;
    const ChannelSettings& a = settings.channelA;
    EXPECT_TRUE(p.active);
    EXPECT_TRUE(a.active && a.takeMeasurement);
    EXPECT_FALSE(settings.channelS.active);
    EXPECT_EQ(listInputNames(p.driver)[p.inputIndex], "sinus (V)");
    EXPECT_EQ(listInputNames(a.driver)[a.inputIndex], "charge RC (V)");
    EXPECT_EQ(a.title, "charge du condensateur (mV)");
    EXPECT_LE(std::abs(readEad(p)), 10.0);
    EXPECT_DOUBLE_EQ(Evalue4(a.formula, 0, 1.5, 0, 0), 1500);
    EXPECT_EQ(settingsFileBytes(settings, outputs), readAll(QTL_DEMO_SETTINGS))
        << "the demo file is what the program writes for these settings";
}

}  // namespace
}  // namespace qtl
