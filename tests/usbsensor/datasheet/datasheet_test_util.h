// Helpers for the data sheet tests: a typical sheet and byte patching.
#pragma once
#include <cstdint>
#include <vector>

#include "datasheet/datasheet_builder.h"
#include "datasheet/sensor_datasheet.h"

namespace sheettest {

// A three-measurement sheet: two sampled ones (2 and 4 bytes) and one derived from the first,
// written out of id order.
inline vornik::DataSheetBuilder typicalSheet(uint16_t sensorId = 1234) {
    vornik::DataSheetBuilder b;
    b.sensorId = sensorId;
    b.name = "Thermo";
    b.shortText = "TH-1";
    b.minRate = 10;
    b.maxRate = 5000;
    b.defaultRate = 200;
    b.measurements.push_back(vornik::MeasurementSpec::sampled(7, "Pressure", 4));
    b.measurements.push_back(vornik::MeasurementSpec::sampled(3, "Temperature", 2));
    b.measurements.push_back(
        vornik::MeasurementSpec::derived(5, "Kelvin", 3, b.fixedPoint(), {1, 273.15, 0, 0}));
    b.measurements.back().constant = 1.5;
    return b;
}

inline vornik::SensorDataSheet parsed(const std::vector<uint8_t>& bytes, bool* ok = nullptr) {
    vornik::SensorDataSheet s;
    const bool r = s.parse(bytes.data(), bytes.size());
    if (ok != nullptr) *ok = r;
    return s;
}

inline uint16_t u16At(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

inline void setU16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

// Recomputes the main part's checksum after a patch.
inline void resum(std::vector<uint8_t>& b) {
    const size_t main = u16At(b, 4);
    const uint32_t sum = vornik::sheetChecksum(b.data(), main - 4);
    for (int i = 0; i < 4; ++i) b[main - 4 + i] = static_cast<uint8_t>(sum >> (8 * i));
}

}  // namespace sheettest
