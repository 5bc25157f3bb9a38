// The outputs core that the dialogs do not show: held fixed values, the rule that a NaN is
// never sent, and the variable output's update as the acquisition engine calls it.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "drivers/call_log.h"
#include "formula/formula.h"
#include "outputs/fixed_outputs.h"
#include "outputs/variable_output.h"
#include "settings/output_driver.h"

namespace qtl {
namespace {

using testing::CallLog;
using testing::LoggedCall;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(FixedOutputs, HeldValuesHaveFourDecimalsWithinAMillion) {
    const struct {
        double given, held;
    } cases[] = {
        {1.23456, 1.2346}, {-1.23454, -1.2345}, {-0.00004, 0.0}, {999999.99996, 1e6},
        {-2e6, -1e6},      {kInf, 1e6},         {kNaN, 0.0},     {123456.7891, 123456.7891}};
    for (const auto& c : cases) {
        const double held = heldFixedOutputValue(c.given);
        EXPECT_DOUBLE_EQ(held, c.held) << c.given;
        if (c.held == 0.0) {
            EXPECT_FALSE(std::signbit(held)) << c.given;  // no "-0.0000"
        }
    }
    FixedOutputsState state;
    EXPECT_TRUE(setFixedOutputValue(state, 5, 2.00005));
    EXPECT_DOUBLE_EQ(state.values[5], 2.0001);
    EXPECT_FALSE(setFixedOutputValue(state, 6, 1.0));
    EXPECT_FALSE(setFixedOutputValue(state, 0, kNaN));
    EXPECT_EQ(state.values[0], 0.0);
}

TEST(AnalogOutputs, NaNIsNeverSent) {
    CallLog log(QTL_OUTPUT_DRIVER_THREE);
    ASSERT_TRUE(log.loaded());
    FixedOutputsState fixed;
    chooseFixedOutputDriver(fixed, QTL_OUTPUT_DRIVER_THREE);
    fixed.values[3] = kNaN;  // only a caller bypassing the editors could put one there
    ProgramSettings settings;
    chooseVariableOutputDriver(settings, QTL_OUTPUT_DRIVER_THREE);
    confirmVariableOutput(settings, "P+A", true);
    log.reset();

    EXPECT_EQ(sendFixedOutputs(fixed), 5);
    EXPECT_FALSE(setFixedAnalogOutput(fixed.driver, 0, kNaN, false));  // the settings file's path
    EXPECT_FALSE(updateVariableOutput(settings, kNaN, 1, 0, 0));
    EXPECT_TRUE(setRealAnalogOutput(fixed.driver, 1, kInf));
    const std::vector<LoggedCall> calls = log.calls();
    ASSERT_EQ(calls.size(), 6u);
    for (const LoggedCall& call : calls) EXPECT_FALSE(std::isnan(call.value));
    EXPECT_EQ(calls.back(), (LoggedCall{'a', 1, kInf}));
}

TEST(VariableOutputUpdate, ArithmeticErrorThrowsAndTheLastLoadingProvidesTheSlots) {
    initialiseFormulaLibrary();
    CallLog log(QTL_OUTPUT_DRIVER_THREE);
    ProgramSettings settings;
    chooseVariableOutputDriver(settings, QTL_OUTPUT_DRIVER_THREE);
    confirmVariableOutput(settings, "1/(P-A)", true);
    log.reset();
    EXPECT_THROW(updateVariableOutput(settings, 2, 2, 0, 0), FormulaFatalError);
    EXPECT_TRUE(log.calls().empty());
    EXPECT_TRUE(updateVariableOutput(settings, 3, 2, 0, 0));  // the formula library goes on
    EXPECT_EQ(log.calls(), (std::vector<LoggedCall>{{'a', 0, 1.0}}));

    // A settings file's "PILOTESAV" loaded afterwards provides "SAD" instead.
    ASSERT_TRUE(loadOutputDriverFromSettingsFile(settings, OutputLibrary::VariableAnalog,
                                                 QTL_SIMULATION_DRIVER));
    log.reset();
    EXPECT_TRUE(updateVariableOutput(settings, 3, 2.5, 0, 0));
    EXPECT_TRUE(log.calls().empty());
    const auto readBack =
        findEntryPoint<qtl_pilote_real_read_fn>(loadLibrary(QTL_SIMULATION_DRIVER), "stdead");
    EXPECT_DOUBLE_EQ(readBack(4), 2.0);
}

}  // namespace
}  // namespace qtl
