// The fixed analog outputs dialog's operations: held values, the lines a driver names, OK
// sending all six outputs, the driver's settings, and the rule that a NaN is never sent.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "drivers/call_log.h"
#include "outputs/fixed_outputs.h"
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
    } cases[] = {{1.23456, 1.2346},
                 {-1.23454, -1.2345},
                 {0.00004, 0.0},
                 {-0.00004, 0.0},
                 {999999.99996, 1e6},
                 {2e6, 1e6},
                 {-2e6, -1e6},
                 {kInf, 1e6},
                 {-kInf, -1e6},
                 {kNaN, 0.0},
                 {123456.7891, 123456.7891}};
    for (const auto& c : cases) {
        const double held = heldFixedOutputValue(c.given);
        EXPECT_DOUBLE_EQ(held, c.held) << c.given;
        EXPECT_FALSE(std::signbit(held) && held == 0.0) << c.given;
    }
    FixedOutputsState state;
    EXPECT_TRUE(setFixedOutputValue(state, 5, 2.00005));
    EXPECT_DOUBLE_EQ(state.values[5], 2.0001);
    for (const auto& [index, value] : {std::pair{6, 1.0}, {-1, 1.0}, {0, kNaN}}) {
        EXPECT_FALSE(setFixedOutputValue(state, index, value)) << index;
    }
    EXPECT_EQ(state.values[0], 0.0);
}

TEST(FixedOutputs, ThreeNamedOutputsShowThreeLinesAndOkSendsSix) {
    FixedOutputsState state;
    CallLog log(QTL_OUTPUT_DRIVER_THREE);
    ASSERT_TRUE(log.loaded());
    chooseFixedOutputDriver(state, QTL_OUTPUT_DRIVER_THREE);
    EXPECT_EQ(state.shown, (std::array<bool, 6>{true, true, true, false, false, false}));
    EXPECT_EQ(state.names[2], "chauffage");
    EXPECT_EQ(state.title, "Sorties d'essai");
    setFixedOutputValue(state, 0, 1.5);
    setFixedOutputValue(state, 2, -0.25);
    log.reset();
    EXPECT_EQ(sendFixedOutputs(state), 6);
    EXPECT_EQ(log.calls(), (std::vector<LoggedCall>{{'a', 0, 1.5},
                                                    {'a', 1, 0.0},
                                                    {'a', 2, -0.25},
                                                    {'a', 3, 0.0},
                                                    {'a', 4, 0.0},
                                                    {'a', 5, 0.0}}));
}

TEST(FixedOutputs, SecondDriverNamingFewerHidesTheExtraLines) {
    FixedOutputsState state;
    chooseFixedOutputDriver(state, QTL_OUTPUT_DRIVER_THREE);
    setFixedOutputValue(state, 2, 7.0);
    chooseFixedOutputDriver(state, QTL_OUTPUT_DRIVER_FEW);
    EXPECT_EQ(state.shown, (std::array<bool, 6>{true, false, false, false, false, false}));
    EXPECT_EQ(state.names[0], "V0");
    EXPECT_EQ(state.title, "Sorties d'essai");  // no "stdtitre": the label keeps its text
    EXPECT_DOUBLE_EQ(state.values[2], 7.0);     // a hidden editor keeps its value
    EXPECT_FALSE(calibrateFixedOutputDriver(state));

    chooseFixedOutputDriver(state, QTL_OUTPUT_DRIVER_ENDLESS);  // ends after 1024 names
    EXPECT_EQ(state.shown, (std::array<bool, 6>{true, true, true, true, true, true}));
    EXPECT_EQ(state.names[5], "analogique 5");

    chooseFixedOutputDriver(state, "/nonexistent/sorties.so");
    EXPECT_EQ(state.shown, (std::array<bool, 6>{}));
    EXPECT_EQ(sendFixedOutputs(state), 0);
}

TEST(FixedOutputs, SettingsAreCalledWithAnEmptyText) {
    FixedOutputsState state;
    CallLog log(QTL_OUTPUT_DRIVER_THREE);
    chooseFixedOutputDriver(state, QTL_OUTPUT_DRIVER_THREE);
    log.reset();
    EXPECT_TRUE(calibrateFixedOutputDriver(state));
    EXPECT_EQ(log.calls(), (std::vector<LoggedCall>{{'c', -1, 0.0}}));  // strlen of ""
}

TEST(AnalogOutputNaN, NeverSentThroughAnyPath) {
    FixedOutputsState state;
    CallLog log(QTL_OUTPUT_DRIVER_THREE);
    chooseFixedOutputDriver(state, QTL_OUTPUT_DRIVER_THREE);
    state.values[3] = kNaN;  // only a caller bypassing the editors could put one there
    log.reset();
    EXPECT_EQ(sendFixedOutputs(state), 5);
    for (const LoggedCall& call : log.calls()) EXPECT_NE(call.output, 3);

    log.reset();
    EXPECT_FALSE(setRealAnalogOutput(state.driver, 0, kNaN));
    EXPECT_FALSE(setFixedAnalogOutput(state.driver, 0, kNaN, false));
    EXPECT_TRUE(setRealAnalogOutput(state.driver, 1, kInf));
    EXPECT_EQ(log.calls(), (std::vector<LoggedCall>{{'a', 1, kInf}}));
}

}  // namespace
}  // namespace qtl
