// What the channel driver dialog shows and does, without Qt: the fields it opens with for P, A
// or S, the driver part it refreshes after a driver choice or the driver's own settings, and
// what "Ok" writes back into the channel.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/program_settings.h"

namespace qtl {

inline constexpr std::string_view kDriverNotLoaded = "pilote non chargé";

// The driver part of the dialog.
struct ChannelDriverView {
    std::string label;                // the driver's description, or "pilote non chargé"
    std::vector<std::string> inputs;  // the driver's inputs, only for an active channel
    bool calibration = false;         // the driver has its own settings ("réglages")
};

// For an active channel: its description (or "pilote non chargé" without one) and its inputs;
// otherwise "pilote non chargé" and no input.
ChannelDriverView channelDriverView(const ChannelSettings& channel);

// The dialog as it opens for the channel 'P', 'A' or 'S'.
struct ChannelDialogFields {
    std::string caption;       // "" for P, "Voie auxiliaire", "Voie supplémentaire"
    bool showTakeMeasurement;  // "Prise de mesure ?" is hidden for P
    bool takeMeasurement;
    std::string title;
    std::string formula;
    int lineStyle;  // radio button 0, 1 or 2 (none for another style)
    ChannelDriverView driver;
    int selectedInput;  // inputIndex when the list has that line, otherwise -1
};

ChannelDialogFields openChannelDialog(const ChannelSettings& channel, char letter);

// "ChoixPilote" with a chosen file: loads the library with the dialog's names. Returns whether
// the driver has a calibration entry point (the "réglages" button's enabled state).
bool chooseChannelDriver(ChannelSettings& channel, std::string_view path);

// What the controls hold when "Ok" is pressed.
struct ChannelDialogAnswer {
    std::string title;
    int lineStyle = 0;  // the checked radio button
    bool takeMeasurement = false;
    int selectedInput = -1;  // -1: no line selected
    std::string formula;
};

// "Ok" steps 1 to 5 for the channel 'P', 'A' or 'S'. Returns false when the formula does not
// compile (the caller shows "Erreur dans la fonction"); the text stays stored as typed.
bool confirmChannelDialog(ChannelSettings& channel, char letter, const ChannelDialogAnswer& answer);

}  // namespace qtl
