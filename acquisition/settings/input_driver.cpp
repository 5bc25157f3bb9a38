// Input driver loading, listing, calibration and the reading wrappers.
#include "settings/input_driver.h"

#include <array>

#include "settings/dynamic_library.h"
#include "settings/text_codec.h"

namespace qtl {

const std::array<std::string_view, 6>& inputDriverNames(DriverNameSet set) {
    static constexpr std::array<std::string_view, 6> kDialog = {
        "stddetail", "stdnea", "stdea", "stdnead", "stdead", "stdcalibration"};
    static constexpr std::array<std::string_view, 6> kSettingsFile = {
        "detail", "NEA", "EA", "NEAD", "EAD", "calibration"};
    return set == DriverNameSet::Dialog ? kDialog : kSettingsFile;
}

bool loadInputDriver(ChannelSettings& channel, std::string_view path, DriverNameSet names) {
    const LibraryHandle library = loadLibrary(path);
    channel.driverFile = path;
    const auto& n = inputDriverNames(names);
    DriverEntryPoints& d = channel.driver;
    d.description = findEntryPoint<qtl_pilote_text_fn>(library, n[0]);
    d.inputCount = findEntryPoint<qtl_pilote_count_fn>(library, n[1]);
    d.rawReading = findEntryPoint<qtl_pilote_raw_read_fn>(library, n[2]);
    d.inputName = findEntryPoint<qtl_pilote_name_fn>(library, n[3]);
    d.realReading = findEntryPoint<qtl_pilote_real_read_fn>(library, n[4]);
    d.calibration = findEntryPoint<qtl_pilote_calibration_fn>(library, n[5]);
    channel.active = d.ready();
    return channel.active;
}

std::string driverText(const char* text) {
    return text == nullptr ? std::string() : fromWindows1252(text);
}

std::string driverDescription(const DriverEntryPoints& driver) {
    return driver.description ? driverText(driver.description()) : std::string();
}

std::vector<std::string> listDriverNames(qtl_pilote_name_fn name, std::size_t minChars) {
    std::vector<std::string> names;
    if (name == nullptr) return names;
    for (std::int32_t i = 0; names.size() < kMaxDriverListNames; ++i) {
        std::string text = driverText(name(i));
        if (utf8Length(text) < minChars) break;
        names.push_back(std::move(text));
    }
    return names;
}

std::vector<std::string> listInputNames(const DriverEntryPoints& driver) {
    return listDriverNames(driver.inputName, 2);
}

bool calibrateChannel(ChannelSettings& channel) {
    if (channel.driver.calibration == nullptr) return false;
    // The driver gets its own Windows-1252 copy, valid for the whole call, even if the
    // record changes while its dialog is open.
    const std::string argument = toWindows1252(channel.calibrationText);
    channel.calibrationText = driverText(channel.driver.calibration(argument.c_str()));
    return true;
}

std::int32_t readEa(char channel) {
    return readEa(programSettings().channel(channel));
}

double readEad(char channel) {
    return readEad(programSettings().channel(channel));
}

}  // namespace qtl
