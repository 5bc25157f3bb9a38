// The channel dialog's logic with real test drivers: opening, driver choice, "Ok".
#include <gtest/gtest.h>

#include "formula/formula.h"
#include "settings/channel_dialog.h"
#include "settings/input_driver.h"

namespace qtl {
namespace {

class ChannelDialog : public ::testing::Test {
  protected:
    void SetUp() override { initialiseFormulaLibrary(); }
    ChannelSettings p = ChannelSettings::defaults('P');
    ChannelSettings a = ChannelSettings::defaults('A');
};

TEST_F(ChannelDialog, OpensForEachChannelWithItsCaptionAndDriver) {
    const ChannelDialogFields fp = openChannelDialog(p, 'P');
    EXPECT_EQ(fp.caption, "");
    EXPECT_FALSE(fp.showTakeMeasurement);
    EXPECT_EQ(fp.driver.label, "pilote non chargé");
    EXPECT_TRUE(fp.driver.inputs.empty());
    EXPECT_FALSE(fp.driver.calibration);
    EXPECT_EQ(fp.selectedInput, -1);
    EXPECT_EQ(openChannelDialog(ChannelSettings::defaults('S'), 'S').caption,
              "Voie supplémentaire");

    a.takeMeasurement = true;
    a.inputIndex = 1;
    a.lineStyle = 2;
    ASSERT_TRUE(chooseChannelDriver(a, QTL_TEST_DRIVER_COMPLETE));
    const ChannelDialogFields fa = openChannelDialog(a, 'A');
    EXPECT_EQ(fa.caption, "Voie auxiliaire");
    EXPECT_TRUE(fa.showTakeMeasurement && fa.takeMeasurement);
    EXPECT_EQ(fa.title, "voie auxiliaire");
    EXPECT_EQ(fa.formula, "A");
    EXPECT_EQ(fa.lineStyle, 2);
    EXPECT_EQ(fa.driver.label, "pilote d'essai éprouvé");
    EXPECT_EQ(fa.driver.inputs, (std::vector<std::string>{"EA0", "EA1"}));
    EXPECT_TRUE(fa.driver.calibration);
    EXPECT_EQ(fa.selectedInput, 1);
    a.inputIndex = 2;  // past the list: nothing selected
    EXPECT_EQ(openChannelDialog(a, 'A').selectedInput, -1);
}

TEST_F(ChannelDialog, DriverWithoutConvertedReadingOrDescription) {
    EXPECT_FALSE(chooseChannelDriver(p, QTL_TEST_DRIVER_NO_EAD) && p.active);
    EXPECT_FALSE(p.active);
    EXPECT_EQ(channelDriverView(p).label, "pilote non chargé");
    EXPECT_TRUE(channelDriverView(p).inputs.empty());
    chooseChannelDriver(p, QTL_TEST_DRIVER_NO_DETAIL);
    EXPECT_TRUE(p.active);
    EXPECT_EQ(channelDriverView(p).label, "pilote non chargé");
    EXPECT_EQ(channelDriverView(p).inputs.size(), 2u);
}

TEST_F(ChannelDialog, OkTakesOverTheFieldsByTheChannelsRules) {
    ASSERT_TRUE(chooseChannelDriver(a, QTL_TEST_DRIVER_COMPLETE));
    ChannelDialogAnswer answer{"tension", 1, false, 1, "A*2"};
    EXPECT_TRUE(confirmChannelDialog(a, 'A', answer));
    EXPECT_FALSE(a.active) << "A not measured although its driver is ready";
    EXPECT_EQ(a.inputIndex, 1);
    EXPECT_EQ(a.title, "tension");
    EXPECT_EQ(a.lineStyle, 1);
    EXPECT_DOUBLE_EQ(Evalue4(a.formula, 0, 3, 0, 0), 6);

    answer.takeMeasurement = true;
    answer.selectedInput = -1;
    EXPECT_TRUE(confirmChannelDialog(a, 'A', answer));
    EXPECT_FALSE(a.active) << "no input selected";
    EXPECT_EQ(a.inputIndex, 0);

    // P ignores "Prise de mesure ?"; a formula that does not compile stays as typed.
    ASSERT_TRUE(chooseChannelDriver(p, QTL_TEST_DRIVER_COMPLETE));
    EXPECT_FALSE(confirmChannelDialog(p, 'P', {"p", 0, false, 0, "2*Q+"}));
    EXPECT_TRUE(p.active);
    EXPECT_FALSE(p.takeMeasurement);
    EXPECT_EQ(p.formulaText, "2*Q+");
    EXPECT_DOUBLE_EQ(Evalue4(p.formula, 7, 0, 0, 0), 7) << "the fallback is the identity of P";
}

}  // namespace
}  // namespace qtl
