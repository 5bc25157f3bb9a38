// Reading a sensor's data sheet through its interface: header probe with its checks, the
// whole block with retries, and the raw read.
#pragma once
#include <QString>
#include <cstdint>
#include <memory>

#include "datasheet/sensor_datasheet.h"

namespace vornik {

class SensorInterface;

inline constexpr int kReadAttempts = 5;
// A total of this many bytes or fewer means that there is no usable data sheet.
inline constexpr int kMinSheetTotal = 50;

struct DataSheetHeader {
    uint16_t sensorId = 0;
    uint16_t maxSize = 0;
    uint16_t sheetSize = 0;
    uint16_t extendedSize = 0;

    // Length to read: the main part, plus the extension when it has at least its checksum.
    int total() const { return sheetSize + (extendedSize >= 4 ? extendedSize : 0); }
};

// The first failing header check as a reason text, or empty when the header is usable.
// `idAccepted` tells whether the sensor id and maximum size checks passed.
QString checkHeader(const DataSheetHeader& header, bool* idAccepted = nullptr);
DataSheetHeader decodeHeader(const uint8_t* bytes);

struct DataSheetReadResult {
    std::unique_ptr<SensorDataSheet> sheet;  // null when nothing usable was read
    uint16_t sensorId = 0;                   // the id read in the header, 0 when none
    QString reason;                          // the last failure
};

DataSheetReadResult readDataSheet(SensorInterface& interface, int channel);
// Total length from the first header that passes every check; -1 after 5 attempts or when
// the total is 50 or less.
int32_t probeDataSheetSize(SensorInterface& interface, int channel);
// Request 0x01 for `length` bytes, up to 5 attempts; the bytes transferred or -1.
int32_t readRawDataSheet(SensorInterface& interface, int channel, void* buffer, int32_t length);

}  // namespace vornik
