// The variable analog output: driver choice, the formula confirmed by OK, and the update the
// acquisition engine calls, checked on the simulation driver's read-back of output 0.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "drivers/call_log.h"
#include "formula/formula.h"
#include "outputs/variable_output.h"
#include "settings/dynamic_library.h"
#include "settings/output_driver.h"

namespace qtl {
namespace {

using testing::CallLog;
using testing::LoggedCall;

// Output 0 of the simulation driver, read back on its input 4.
double simulatedOutput0() {
    const auto read =
        findEntryPoint<qtl_pilote_real_read_fn>(loadLibrary(QTL_SIMULATION_DRIVER), "stdead");
    return read(4);
}

class VariableOutput : public ::testing::Test {
  protected:
    void SetUp() override { initialiseFormulaLibrary(); }
    ProgramSettings settings;
};

TEST_F(VariableOutput, DriverChoiceShowsTheFormulaForANameOfThreeCharacters) {
    const auto three = chooseVariableOutputDriver(settings, QTL_OUTPUT_DRIVER_THREE);
    ASSERT_TRUE(three);
    EXPECT_EQ(three->detail, "sorties d'essai (détail)");
    EXPECT_EQ(three->formulaShown, true);
    EXPECT_EQ(three->outputName, "tension 0");
    EXPECT_TRUE(three->calibrationShown);
    EXPECT_EQ(settings.variableAnalogDriverFile, QTL_OUTPUT_DRIVER_THREE);

    const auto few = chooseVariableOutputDriver(settings, QTL_OUTPUT_DRIVER_FEW);
    ASSERT_TRUE(few);
    EXPECT_FALSE(few->detail);
    EXPECT_EQ(few->formulaShown, false);  // "V0" has 2 characters
    EXPECT_FALSE(few->calibrationShown);

    const auto none = chooseVariableOutputDriver(settings, "/nonexistent/sortie.so");
    ASSERT_TRUE(none);
    EXPECT_FALSE(none->formulaShown);  // no "stdnsad": the controls keep their state
    EXPECT_EQ(settings.variableAnalogDriver, AnalogOutputEntryPoints{});

    EXPECT_FALSE(chooseVariableOutputDriver(settings, ""));
    EXPECT_EQ(settings.variableAnalogDriverFile, "/nonexistent/sortie.so");
}

TEST_F(VariableOutput, ActivatedFormulaDrivesOutputZero) {
    chooseVariableOutputDriver(settings, QTL_SIMULATION_DRIVER);
    EXPECT_FALSE(updateVariableOutput(settings, 1, 2, 3, 4));  // not active yet

    const auto ok = confirmVariableOutput(settings, "2*P+1", true);
    EXPECT_FALSE(ok.formulaError);
    EXPECT_EQ(ok.message, "sortie variable activée");
    EXPECT_EQ(settings.variableOutputFormulaText, "2*P+1");
    EXPECT_TRUE(settings.variableOutputActive);

    const struct { double p, sent; } cases[] = {{3.0, 7.0}, {-2.25, -3.5}, {0.0, 1.0}};
    for (const auto& c : cases) {
        EXPECT_TRUE(updateVariableOutput(settings, c.p, 100, 100, 100));
        EXPECT_DOUBLE_EQ(simulatedOutput0(), c.sent) << c.p;
    }

    const auto off = confirmVariableOutput(settings, "2*P+1", false);
    EXPECT_EQ(off.message, "sortie variable non activée");
    EXPECT_FALSE(updateVariableOutput(settings, 4.0, 0, 0, 0));
    EXPECT_DOUBLE_EQ(simulatedOutput0(), 1.0);
}

TEST_F(VariableOutput, FaultyFormulaKeepsTheTextAndFollowsP) {
    CallLog log(QTL_OUTPUT_DRIVER_THREE);
    chooseVariableOutputDriver(settings, QTL_OUTPUT_DRIVER_THREE);
    confirmVariableOutput(settings, "T+S*A", true);
    const auto bad = confirmVariableOutput(settings, "2*Q", true);
    EXPECT_TRUE(bad.formulaError);
    EXPECT_EQ(bad.editText, "T+S*A");
    EXPECT_EQ(settings.variableOutputFormulaText, "T+S*A");
    EXPECT_TRUE(settings.variableOutputActive);
    log.reset();
    EXPECT_TRUE(updateVariableOutput(settings, 2.5, 10, 20, 30));
    EXPECT_EQ(log.calls(), (std::vector<LoggedCall>{{'a', 0, 2.5}}));
}

TEST_F(VariableOutput, NaNIsNotSentAndArithmeticErrorsThrow) {
    CallLog log(QTL_OUTPUT_DRIVER_THREE);
    chooseVariableOutputDriver(settings, QTL_OUTPUT_DRIVER_THREE);
    confirmVariableOutput(settings, "P+A", true);
    log.reset();
    EXPECT_FALSE(updateVariableOutput(settings, std::numeric_limits<double>::quiet_NaN(), 1, 0, 0));

    confirmVariableOutput(settings, "1/(P-A)", true);
    EXPECT_THROW(updateVariableOutput(settings, 2, 2, 0, 0), FormulaFatalError);
    EXPECT_TRUE(log.calls().empty());
    // The error leaves the library able to go on.
    EXPECT_TRUE(updateVariableOutput(settings, 3, 2, 0, 0));
    EXPECT_EQ(log.calls(), (std::vector<LoggedCall>{{'a', 0, 1.0}}));
}

TEST_F(VariableOutput, SlotsComeFromWhicheverLoadingRanLast) {
    CallLog log(QTL_OUTPUT_DRIVER_THREE);
    chooseVariableOutputDriver(settings, QTL_OUTPUT_DRIVER_THREE);
    confirmVariableOutput(settings, "P", true);
    // A settings file's "PILOTESAV" then provides "SAD": the simulation gets the value.
    ASSERT_TRUE(loadOutputDriverFromSettingsFile(settings, OutputLibrary::VariableAnalog,
                                                 QTL_SIMULATION_DRIVER));
    log.reset();
    EXPECT_TRUE(updateVariableOutput(settings, 4.5, 0, 0, 0));
    EXPECT_DOUBLE_EQ(simulatedOutput0(), 4.5);
    EXPECT_TRUE(log.calls().empty());
    // And the dialog again after it.
    chooseVariableOutputDriver(settings, QTL_OUTPUT_DRIVER_THREE);
    EXPECT_FALSE(settings.variableAnalogDriverReady);
    EXPECT_TRUE(updateVariableOutput(settings, 5.5, 0, 0, 0));
    EXPECT_EQ(log.calls(), (std::vector<LoggedCall>{{'a', 0, 5.5}}));
    EXPECT_DOUBLE_EQ(simulatedOutput0(), 4.5);
}

}  // namespace
}  // namespace qtl
