// A parsed sensor data sheet: identity, sample rates, measurements and the extension.
#pragma once
#include <QByteArray>
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "datasheet/measurement_info.h"

namespace vornik {

class DataSheetCursor;

// Parse error codes.
inline constexpr uint32_t kSheetTooManyMeasurements = 0x81000001;
inline constexpr uint32_t kSheetSizeMismatch = 0x81000002;
inline constexpr uint32_t kSheetBadRecord = 0x81000003;
inline constexpr uint32_t kSheetNoChecksum = 0x81000004;
inline constexpr uint32_t kSheetChecksumMismatch = 0x81000005;
inline constexpr uint32_t kSheetTooLarge = 0x81000006;

inline constexpr int kMaxMeasurements = 32;
inline constexpr int kMaxSheetSize = 8192;
inline constexpr uint8_t kFeatureProbeValidity = 0x40;
// Sheets of this version or later may carry an extension after the main part.
inline constexpr uint32_t kFirstVersionWithExtension = 0x20000;  // "2.0"

// Extension block types.
namespace extension_block {
inline constexpr uint8_t kFeatureTable = 1;  // entries of kFeatureEntrySize bytes
inline constexpr uint8_t kWideTexts = 2;     // a value, a wide name, wide texts per measurement
inline constexpr uint8_t kExtraTexts = 3;    // one 8-bit text per measurement
inline constexpr std::size_t kFeatureEntrySize = 18;
}  // namespace extension_block

struct FeatureEntry {
    uint8_t code = 0;
    uint8_t value = 0;
    std::array<uint8_t, 16> rest{};
};

struct SensorDataSheet {
    uint16_t sensorId = 0;
    uint16_t maxSize = 0;
    uint16_t sheetSize = 0;     // main part, checksum included
    uint16_t extendedSize = 0;  // extension, its checksum included
    uint16_t reservedWord = 0;
    std::array<uint8_t, 4> versionText{};
    uint32_t version = 0;  // major * 65536 + minor
    QString shortText;
    uint16_t count = 0;
    QByteArray reservedBlock;
    QString name;
    uint32_t minRate = 0;
    uint32_t maxRate = 0;
    uint32_t defaultRate = 0;
    std::array<uint32_t, 2> rateWords{};
    std::vector<MeasurementInfo> measurements;  // sorted by id after parsing
    uint32_t checksum = 0;

    bool hasFeatureTable = false;
    std::vector<FeatureEntry> features;
    uint16_t extensionValue = 0;
    QString wideName;

    bool fixedPoint = true;
    uint32_t errorCode = 0;

    // Parses a whole block (main part and extension); true exactly when errorCode stays 0.
    // On failure the fields hold whatever was read up to the failure.
    bool parse(const uint8_t* data, size_t size);

  private:
    void parseHeader(DataSheetCursor& c);
    bool parseMeasurements(DataSheetCursor& c);
    bool checkMainPart(DataSheetCursor& c, const uint8_t* data);
    void parseExtension(DataSheetCursor& c, const uint8_t* data);
    void linkReferences();

  public:
    // Value of the first feature entry with this code.
    std::optional<uint8_t> feature(uint8_t code) const;
    // Bytes of one sample: the sum of the measurements' sample sizes.
    int sampleSize() const;
    MeasurementInfo* measurementById(uint16_t id);
};

// Version number of a 4-character version text ("1.05" gives 0x10005).
uint32_t versionNumber(const std::array<uint8_t, 4>& text);
// Sensors in these id ranges store reals as floats, every other one as 16.16 fixed point.
bool usesFixedPoint(uint16_t sensorId);
// Bitwise NOT of the 32-bit sum of the bytes.
uint32_t sheetChecksum(const uint8_t* data, size_t size);

}  // namespace vornik
