// Output libraries loaded the way a settings file loads them, and the calls it makes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "settings/dynamic_library.h"
#include "settings/output_driver.h"
#include "settings/program_settings.h"

namespace qtl {
namespace {

// Reads back what the test output driver last received.
struct Recorder {
    LibraryHandle lib = loadLibrary(QTL_TEST_DRIVER_OUTPUTS);
    qtl_pilote_count_fn output = findEntryPoint<qtl_pilote_count_fn>(lib, "test_last_output");
    qtl_pilote_count_fn raw = findEntryPoint<qtl_pilote_count_fn>(lib, "test_last_raw");
    qtl_pilote_count_fn calls = findEntryPoint<qtl_pilote_count_fn>(lib, "test_set_calls");
    using RealFn = double(QTL_PILOTE_CALL*)(void);
    RealFn real = findEntryPoint<RealFn>(lib, "test_last_real");
};

TEST(OutputDriverFromSettingsFile, ReadyWhenTheSetterAndTheNamesAreFound) {
    ProgramSettings s;
    EXPECT_TRUE(loadOutputDriverFromSettingsFile(s, OutputLibrary::Logic, QTL_TEST_DRIVER_OUTPUTS));
    EXPECT_TRUE(s.logicDriverReady);
    EXPECT_EQ(s.logicDriverFile, QTL_TEST_DRIVER_OUTPUTS);
    EXPECT_NE(s.logicDriver.description, nullptr);
    EXPECT_EQ(s.logicDriver.readOutput, nullptr);  // "RSB" is not exported

    EXPECT_TRUE(
        loadOutputDriverFromSettingsFile(s, OutputLibrary::FixedAnalog, QTL_TEST_DRIVER_OUTPUTS));
    EXPECT_TRUE(s.fixedAnalogDriverReady);
    EXPECT_NE(s.fixedAnalogDriver.setReal, nullptr);
    EXPECT_FALSE(s.variableAnalogDriverReady);

    EXPECT_TRUE(loadOutputDriverFromSettingsFile(s, OutputLibrary::VariableAnalog,
                                                 QTL_TEST_DRIVER_OUTPUTS));
    EXPECT_TRUE(s.variableAnalogDriverReady);
    EXPECT_EQ(s.variableAnalogDriverFile, QTL_TEST_DRIVER_OUTPUTS);
    EXPECT_EQ(s.variableAnalogDriver, s.fixedAnalogDriver);
}

TEST(OutputDriverFromSettingsFile, NotReadyWithoutNamesOrLibrary) {
    ProgramSettings s;
    ASSERT_TRUE(loadOutputDriverFromSettingsFile(s, OutputLibrary::Logic, QTL_TEST_DRIVER_OUTPUTS));
    EXPECT_FALSE(loadOutputDriverFromSettingsFile(s, OutputLibrary::Logic,
                                                  QTL_TEST_DRIVER_OUTPUTS_NO_NAMES));
    EXPECT_FALSE(s.logicDriverReady);
    EXPECT_NE(s.logicDriver.setOutput, nullptr);  // found, but "NSB" is missing
    EXPECT_EQ(s.logicDriverFile, QTL_TEST_DRIVER_OUTPUTS_NO_NAMES);

    EXPECT_FALSE(
        loadOutputDriverFromSettingsFile(s, OutputLibrary::FixedAnalog, "/nonexistent/sorties.so"));
    EXPECT_FALSE(s.fixedAnalogDriverReady);
    EXPECT_EQ(s.fixedAnalogDriver, AnalogOutputEntryPoints{});
    EXPECT_EQ(s.fixedAnalogDriverFile, "/nonexistent/sorties.so");
}

TEST(OutputDriverFromSettingsFile, ReloadingFromTheStoredPath) {
    ProgramSettings s;
    for (const auto library :
         {OutputLibrary::Logic, OutputLibrary::FixedAnalog, OutputLibrary::VariableAnalog}) {
        ASSERT_TRUE(loadOutputDriverFromSettingsFile(s, library, QTL_TEST_DRIVER_OUTPUTS));
    }
    // The path handed in is the record's own text, replaced by the call.
    EXPECT_TRUE(loadOutputDriverFromSettingsFile(s, OutputLibrary::Logic, s.logicDriverFile.str()));
    EXPECT_TRUE(loadOutputDriverFromSettingsFile(s, OutputLibrary::FixedAnalog,
                                                 s.fixedAnalogDriverFile.str()));
    EXPECT_TRUE(loadOutputDriverFromSettingsFile(s, OutputLibrary::VariableAnalog,
                                                 s.variableAnalogDriverFile.str()));
    EXPECT_EQ(s.variableAnalogDriverFile, QTL_TEST_DRIVER_OUTPUTS);
}

TEST(OutputCalls, LogicOutputSendsOneOrZero) {
    ProgramSettings s;
    loadOutputDriverFromSettingsFile(s, OutputLibrary::Logic, QTL_TEST_DRIVER_OUTPUTS);
    Recorder r;
    EXPECT_TRUE(setLogicOutput(s.logicDriver, 2, true));
    EXPECT_EQ(r.output(), 2);
    EXPECT_EQ(r.raw(), 1);
    EXPECT_TRUE(setLogicOutput(s.logicDriver, 3, false));
    EXPECT_EQ(r.raw(), 0);
    EXPECT_FALSE(setLogicOutput(LogicOutputEntryPoints{}, 0, true));
}

TEST(OutputCalls, RawModeRoundsHalvesToEvenWithin32Bits) {
    ProgramSettings s;
    loadOutputDriverFromSettingsFile(s, OutputLibrary::FixedAnalog, QTL_TEST_DRIVER_OUTPUTS);
    Recorder r;
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    const struct {
        double value;
        std::int32_t sent;
    } cases[] = {{1.5, 2},    {2.5, 2},     {-0.5, 0},     {-1.5, -2},      {3.49, 3},
                 {-2.51, -3}, {1e12, kMax}, {-1e12, kMin}, {INFINITY, kMax}};
    for (const auto& c : cases) {
        EXPECT_TRUE(setFixedAnalogOutput(s.fixedAnalogDriver, 4, c.value, true));
        EXPECT_EQ(r.raw(), c.sent) << c.value;
        EXPECT_EQ(r.output(), 4);
    }
    const int before = r.calls();
    EXPECT_FALSE(setFixedAnalogOutput(s.fixedAnalogDriver, 4, std::nan(""), true));
    EXPECT_EQ(r.calls(), before);
}

TEST(OutputCalls, ConvertedModeSendsTheReal) {
    ProgramSettings s;
    loadOutputDriverFromSettingsFile(s, OutputLibrary::FixedAnalog, QTL_TEST_DRIVER_OUTPUTS);
    Recorder r;
    EXPECT_TRUE(setFixedAnalogOutput(s.fixedAnalogDriver, 1, 1.2345, false));
    EXPECT_EQ(r.output(), 1);
    EXPECT_DOUBLE_EQ(r.real(), 1.2345);
    EXPECT_FALSE(setFixedAnalogOutput(AnalogOutputEntryPoints{}, 1, 1.0, false));
    EXPECT_FALSE(setFixedAnalogOutput(AnalogOutputEntryPoints{}, 1, 1.0, true));
}

}  // namespace
}  // namespace qtl
