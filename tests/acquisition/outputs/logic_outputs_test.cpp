// The logic outputs dialog's operations: the list built from the driver, and OK sending
// every listed output.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drivers/call_log.h"
#include "outputs/logic_outputs.h"
#include "settings/input_driver.h"

namespace qtl {
namespace {

using testing::CallLog;
using testing::LoggedCall;

TEST(LogicOutputs, ListEndsAtTheFirstShortNameAndSendsEveryLine) {
    LogicOutputsState state;
    CallLog log(QTL_OUTPUT_DRIVER_THREE);
    ASSERT_TRUE(log.loaded());
    log.reset();
    chooseLogicOutputDriver(state, QTL_OUTPUT_DRIVER_THREE);
    EXPECT_EQ(state.names, (std::vector<std::string>{"lampe", "moteur"}));  // "x" ends it
    EXPECT_EQ(state.checked, (std::vector<bool>{false, false}));
    EXPECT_EQ(state.description, "sorties d'essai (détail)");

    state.checked[1] = true;
    EXPECT_EQ(sendLogicOutputs(state), 2);
    EXPECT_EQ(log.calls(), (std::vector<LoggedCall>{{'b', 0, 0.0}, {'b', 1, 1.0}}));

    // Choosing again (as a cancelled file dialog does, with the same name) rebuilds the list
    // unchecked.
    chooseLogicOutputDriver(state, QTL_OUTPUT_DRIVER_THREE);
    EXPECT_EQ(state.checked, (std::vector<bool>{false, false}));
}

TEST(LogicOutputs, NoDriverOrNoListSendsNothing) {
    LogicOutputsState state;
    chooseLogicOutputDriver(state, "");  // never chosen, file dialog cancelled
    EXPECT_TRUE(state.names.empty());
    EXPECT_EQ(sendLogicOutputs(state), 0);

    CallLog log(QTL_OUTPUT_DRIVER_THREE);
    chooseLogicOutputDriver(state, QTL_OUTPUT_DRIVER_THREE);
    chooseLogicOutputDriver(state, "/nonexistent/sorties.so");
    EXPECT_TRUE(state.names.empty());
    EXPECT_EQ(state.driver, LogicOutputEntryPoints{});
    EXPECT_EQ(state.description, "sorties d'essai (détail)");  // kept: no new description
    log.reset();
    EXPECT_EQ(sendLogicOutputs(state), 0);
    EXPECT_TRUE(log.calls().empty());
}

TEST(LogicOutputs, ListThatNeverEndsStopsAt1024Names) {
    LogicOutputsState state;
    chooseLogicOutputDriver(state, QTL_OUTPUT_DRIVER_ENDLESS);
    ASSERT_EQ(state.names.size(), kMaxDriverListNames);
    EXPECT_EQ(state.names.back(), "logique 1023");
    EXPECT_EQ(state.checked.size(), kMaxDriverListNames);
}

TEST(LogicOutputs, TwoCharacterNameIsAnOutput) {
    LogicOutputsState state;
    chooseLogicOutputDriver(state, QTL_OUTPUT_DRIVER_FEW);
    EXPECT_EQ(state.names, (std::vector<std::string>{"L0"}));
    EXPECT_TRUE(state.description.empty());  // the driver has no "stddetail"
}

}  // namespace
}  // namespace qtl
