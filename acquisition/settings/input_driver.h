// Loading an input driver for a channel, talking to it (description, input list,
// calibration) and the reading wrappers through which every window reads a channel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/program_settings.h"

namespace qtl {

// A list never grows past this many names, even from a driver that does not end its list.
inline constexpr std::size_t kMaxDriverListNames = 1024;

// Loads the library at `path` for the channel and looks up the six names of `names`.
// The path (cut to 250 characters) becomes driverFile whether or not the library loads;
// every entry point is replaced (absent when not found); `active` becomes true exactly when
// the input-name and converted-reading entry points were found. Returns that flag.
bool loadInputDriver(ChannelSettings& channel, std::string_view path, DriverNameSet names);

// A text returned by a driver, copied at once into UTF-8; a null pointer reads as "".
std::string driverText(const char* text);

// The driver's description, or "" when it has no description entry point.
std::string driverDescription(const DriverEntryPoints& driver);

// Calls `name` with 0, 1, 2, ... and keeps each text until the first one shorter than
// minChars characters (not kept), or kMaxDriverListNames names.
std::vector<std::string> listDriverNames(qtl_pilote_name_fn name, std::size_t minChars);

// The driver's inputs: names of two characters or more, in the driver's order.
std::vector<std::string> listInputNames(const DriverEntryPoints& driver);

// Calls the calibration entry point with the channel's calibrationText and keeps the text it
// returns as the new one. Returns false (nothing called) without a calibration entry point.
bool calibrateChannel(ChannelSettings& channel);

// Raw reading of the channel's input, or NO_DRIVER_VALUE without description or raw-reading
// entry point. The `active` flag is not looked at.
std::int32_t readEa(const ChannelSettings& channel);
// Converted reading, or NO_DRIVER_VALUE without description or converted-reading entry point.
double readEad(const ChannelSettings& channel);

// The same for the channel 'P', 'A' or 'S' of the program's settings record.
std::int32_t readEa(char channel);
double readEad(char channel);

}  // namespace qtl
