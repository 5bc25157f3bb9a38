// Channel dialog logic.
#include "settings/channel_dialog.h"

#include "formula/formula.h"
#include "settings/input_driver.h"

namespace qtl {

namespace {

bool isPrincipal(char letter) {
    return letter != 'A' && letter != 'a' && letter != 'S' && letter != 's';
}

}  // namespace

ChannelDriverView channelDriverView(const ChannelSettings& channel) {
    ChannelDriverView view;
    view.label = std::string(kDriverNotLoaded);
    view.calibration = channel.driver.calibration != nullptr;
    if (!channel.active) return view;
    if (channel.driver.description != nullptr) view.label = driverDescription(channel.driver);
    view.inputs = listInputNames(channel.driver);
    return view;
}

ChannelDialogFields openChannelDialog(const ChannelSettings& channel, char letter) {
    ChannelDialogFields f;
    const bool principal = isPrincipal(letter);
    f.caption = principal
                    ? ""
                    : (letter == 'A' || letter == 'a' ? "Voie auxiliaire" : "Voie supplémentaire");
    f.showTakeMeasurement = !principal;
    f.takeMeasurement = channel.takeMeasurement;
    f.title = channel.title.str();
    f.formula = channel.formulaText.str();
    f.lineStyle = channel.lineStyle <= 2 ? channel.lineStyle : -1;
    f.driver = channelDriverView(channel);
    f.selectedInput =
        channel.inputIndex < f.driver.inputs.size() ? static_cast<int>(channel.inputIndex) : -1;
    return f;
}

bool chooseChannelDriver(ChannelSettings& channel, std::string_view path) {
    loadInputDriver(channel, path, DriverNameSet::Dialog);
    return channel.driver.calibration != nullptr;
}

bool confirmChannelDialog(ChannelSettings& channel, char letter,
                          const ChannelDialogAnswer& answer) {
    channel.inputIndex = 0;
    channel.title = answer.title;
    if (answer.lineStyle >= 0 && answer.lineStyle <= 2)
        channel.lineStyle = static_cast<std::uint8_t>(answer.lineStyle);
    if (!isPrincipal(letter)) channel.takeMeasurement = channel.active = answer.takeMeasurement;
    if (answer.selectedInput < 0) {
        channel.active = false;
    } else {
        channel.inputIndex = static_cast<std::uint16_t>(answer.selectedInput);
    }
    channel.formulaText = answer.formula;
    Definis_Fonction(kChannelFormulaVariables, channel.formulaText.str(), channel.formula);
    return !formulaError;
}

}  // namespace qtl
