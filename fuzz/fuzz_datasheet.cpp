// Fuzz target: the data sheet parser over arbitrary blocks (every byte of which may be wrong).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "datasheet/datasheet_cursor.h"
#include "datasheet/sensor_datasheet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size copy so that any read past the block is caught.
    std::vector<uint8_t> block(data, data + size);
    vornik::SensorDataSheet sheet;
    const bool ok = sheet.parse(block.data(), block.size());
    if (ok != (sheet.errorCode == 0)) __builtin_trap();
    if (sheet.measurements.size() > static_cast<size_t>(vornik::kMaxMeasurements)) __builtin_trap();
    for (const vornik::MeasurementInfo& m : sheet.measurements) {
        if (m.linked >= static_cast<int>(sheet.measurements.size())) __builtin_trap();
        if (m.name.size() > vornik::kMaxTextUnits) __builtin_trap();
    }
    (void)sheet.sampleSize();
    (void)sheet.feature(vornik::kFeatureProbeValidity);
    return 0;
}
