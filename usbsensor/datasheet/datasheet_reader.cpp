// Data sheet reading with its checks, retries and reason texts.
#include "datasheet/datasheet_reader.h"

#include <algorithm>
#include <vector>

#include "protocol/sensor_interface.h"

namespace vornik {

namespace {

constexpr int kHeaderBytes = 8;
constexpr uint16_t kMaxSensorId = 0x7000;
constexpr uint16_t kSheetSizeOfEarlyPilotRun = 0x600;

QString hexReason(const char* format, uint16_t value) {
    return QString::asprintf(format, static_cast<unsigned>(value));
}

// One header read; false on a failed or short transfer.
bool readHeader(SensorInterface& interface, int channel, DataSheetHeader& header) {
    uint8_t bytes[kHeaderBytes] = {};
    int32_t got = 0;
    if (!interface.readDataSheetBytes(channel, bytes, kHeaderBytes, &got) || got < kHeaderBytes)
        return false;
    header = decodeHeader(bytes);
    return true;
}

}  // namespace

DataSheetHeader decodeHeader(const uint8_t* b) {
    auto u16 = [b](int at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); };
    return {u16(0), u16(2), u16(4), u16(6)};
}

QString checkHeader(const DataSheetHeader& h, bool* idAccepted) {
    if (idAccepted != nullptr) *idAccepted = false;
    if (h.sensorId == 0 || h.sensorId > kMaxSensorId)
        return hexReason("Read invalid sensor id: 0x%04x", h.sensorId);
    if (h.maxSize < 4 || h.maxSize > kMaxSheetSize)
        return hexReason("Read invalid maximum datasheet size: 0x%04x", h.maxSize);
    if (idAccepted != nullptr) *idAccepted = true;
    if (h.sheetSize > kMaxSheetSize)
        return hexReason("Read invalid datasheet size: 0x%04x", h.sheetSize);
    if (h.extendedSize > kMaxSheetSize)
        return hexReason("Read invalid extended datasheet size: 0x%04x", h.extendedSize);
    return {};
}

DataSheetReadResult readDataSheet(SensorInterface& interface, int channel) {
    DataSheetReadResult result;
    bool idRecorded = false;
    int total = 0;
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        DataSheetHeader header;
        if (!readHeader(interface, channel, header)) {
            result.reason = "Failed to read the sensor id and data sheet size.";
            continue;
        }
        bool idAccepted = false;
        const QString reason = checkHeader(header, &idAccepted);
        if (idAccepted) {
            result.sensorId = header.sensorId;
            idRecorded = true;
        }
        if (!reason.isEmpty()) {
            result.reason = reason;
            continue;
        }
        total = header.total();
        break;
    }
    if (!idRecorded || total <= kMinSheetTotal) return result;

    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        std::vector<uint8_t> buffer(static_cast<size_t>(total));
        int32_t got = 0;
        if (!interface.readDataSheetBytes(channel, buffer.data(), total, &got)) {
            result.reason = "Failed to read the sensor data sheet.";
            continue;
        }
        // Only the bytes that came are parsed.
        auto sheet = std::make_unique<SensorDataSheet>();
        if (sheet->parse(buffer.data(), static_cast<size_t>(std::clamp(got, 0, total)))) {
            result.sheet = std::move(sheet);
            return result;
        }
        if (sheet->sheetSize == kSheetSizeOfEarlyPilotRun) {
            result.reason = "Early pilot-run TRAXEL sensor datasheet error.";
            result.sheet = std::move(sheet);
            return result;
        }
        result.reason = "Failed to parse the sensor data sheet.";
    }
    return result;
}

int32_t probeDataSheetSize(SensorInterface& interface, int channel) {
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        DataSheetHeader header;
        if (!readHeader(interface, channel, header) || !checkHeader(header).isEmpty()) continue;
        return header.total() > kMinSheetTotal ? header.total() : -1;
    }
    return -1;
}

int32_t readRawDataSheet(SensorInterface& interface, int channel, void* buffer, int32_t length) {
    if (buffer == nullptr || length < 1) return -1;
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        int32_t got = 0;
        if (interface.readDataSheetBytes(channel, buffer, length, &got)) return got;
    }
    return -1;
}

}  // namespace vornik
