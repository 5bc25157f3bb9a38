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
// Inline: the bursts read through them in their tightest loops.
inline std::int32_t readEa(const ChannelSettings& channel) {
    const DriverEntryPoints& d = channel.driver;
    if (d.description == nullptr || d.rawReading == nullptr) return NO_DRIVER_VALUE;
    return d.rawReading(static_cast<std::int32_t>(channel.inputIndex));
}
// Converted reading, or NO_DRIVER_VALUE without description or converted-reading entry point.
inline double readEad(const ChannelSettings& channel) {
    const DriverEntryPoints& d = channel.driver;
    if (d.description == nullptr || d.realReading == nullptr) return NO_DRIVER_VALUE;
    return d.realReading(static_cast<std::int32_t>(channel.inputIndex));
}

// One channel's readings as the wrappers make them, with the wrappers' test done once: for a
// loop that reads the same channel many times while nothing can change its driver (a burst).
struct ChannelReader {
    explicit ChannelReader(const ChannelSettings& channel)
        : input(static_cast<std::int32_t>(channel.inputIndex)),
          raw(channel.driver.description ? channel.driver.rawReading : nullptr),
          real(channel.driver.description ? channel.driver.realReading : nullptr) {}
    std::int32_t readEa() const { return raw ? raw(input) : NO_DRIVER_VALUE; }
    double readEad() const { return real ? real(input) : NO_DRIVER_VALUE; }

    std::int32_t input;
    qtl_pilote_raw_read_fn raw;
    qtl_pilote_real_read_fn real;
};

// The same for the channel 'P', 'A' or 'S' of the program's settings record.
std::int32_t readEa(char channel);
double readEad(char channel);

}  // namespace qtl
