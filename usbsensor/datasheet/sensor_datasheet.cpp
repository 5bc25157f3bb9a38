// Data sheet parser: header, measurement records, checksums, extension blocks, references.
#include "datasheet/sensor_datasheet.h"

#include <algorithm>

#include "datasheet/datasheet_cursor.h"

namespace vornik {

uint32_t versionNumber(const std::array<uint8_t, 4>& text) {
    uint32_t major = 0;
    uint32_t minor = 0;
    bool afterPoint = false;
    for (uint8_t ch : text) {
        if (ch == '.') {
            afterPoint = true;
        } else if (ch >= '0' && ch <= '9') {
            uint32_t& part = afterPoint ? minor : major;
            part = part * 10 + (ch - '0');
        }
    }
    return (major << 16) + minor;
}

bool usesFixedPoint(uint16_t id) {
    // Sensor id ranges whose sheets store reals as floats.
    constexpr uint16_t kFloatRanges[][2] = {{20000, 20999}, {30000, 30999}};
    for (const auto& range : kFloatRanges)
        if (id >= range[0] && id <= range[1]) return false;
    return true;
}

uint32_t sheetChecksum(const uint8_t* data, size_t size) {
    uint32_t sum = 0;
    for (size_t i = 0; i < size; ++i) sum += data[i];
    return ~sum;
}

std::optional<uint8_t> SensorDataSheet::feature(uint8_t code) const {
    for (const FeatureEntry& e : features)
        if (e.code == code) return e.value;
    return std::nullopt;
}

int SensorDataSheet::sampleSize() const {
    int total = 0;
    for (const MeasurementInfo& m : measurements) total += m.sampleSize;
    return total;
}

MeasurementInfo* SensorDataSheet::measurementById(uint16_t id) {
    for (MeasurementInfo& m : measurements)
        if (m.id == id) return &m;
    return nullptr;
}

namespace {

// One extension block's body; false when its content is malformed in a way the cursor sees.
void parseExtensionBlock(SensorDataSheet& sheet, uint8_t type, DataSheetCursor& c,
                         size_t blockEnd) {
    switch (type) {
        case extension_block::kFeatureTable: {
            sheet.hasFeatureTable = true;
            const size_t entries = (blockEnd - c.offset()) / extension_block::kFeatureEntrySize;
            for (size_t i = 0; i < entries && !c.overrun(); ++i) {
                FeatureEntry e;
                e.code = c.u8();
                e.value = c.u8();
                if (c.raw(e.rest.data(), e.rest.size())) sheet.features.push_back(e);
            }
            break;
        }
        case extension_block::kWideTexts:
            sheet.extensionValue = c.u16();
            c.wideText(sheet.wideName);
            while (c.offset() < blockEnd && !c.overrun()) {
                MeasurementInfo* m = sheet.measurementById(c.u16());
                if (m == nullptr) continue;
                for (QString& text : m->wideTexts) c.wideText(text);
            }
            break;
        case extension_block::kExtraTexts:
            while (c.offset() < blockEnd && !c.overrun()) {
                MeasurementInfo* m = sheet.measurementById(c.u16());
                if (m != nullptr) c.text8(m->extraText);
            }
            break;
        default:
            c.skip(blockEnd - c.offset());
            break;
    }
}

}  // namespace

bool SensorDataSheet::parse(const uint8_t* data, size_t size) {
    errorCode = 0;
    DataSheetCursor c(data, size);
    parseHeader(c);
    if (sheetSize > kMaxSheetSize || sheetSize > maxSize) {
        errorCode = kSheetTooLarge;
        return false;
    }
    if (count > kMaxMeasurements) {
        errorCode = kSheetTooManyMeasurements;
        return false;
    }
    if (!parseMeasurements(c) || !checkMainPart(c, data)) return false;
    if (!c.overrun() && version >= kFirstVersionWithExtension && extendedSize > 4)
        parseExtension(c, data);
    linkReferences();
    if (errorCode == 0 && c.overrun()) errorCode = kSheetBadRecord;
    return errorCode == 0;
}

void SensorDataSheet::parseHeader(DataSheetCursor& c) {
    sensorId = c.u16();
    fixedPoint = usesFixedPoint(sensorId);
    maxSize = c.u16();
    sheetSize = c.u16();
    extendedSize = c.u16();
    reservedWord = c.u16();
    c.raw(versionText.data(), versionText.size());
    version = versionNumber(versionText);
    std::array<uint8_t, 10> shortBytes{};
    if (c.raw(shortBytes.data(), shortBytes.size())) {
        const auto end = std::find(shortBytes.begin(), shortBytes.end(), 0);
        shortText = QString::fromLatin1(reinterpret_cast<const char*>(shortBytes.data()),
                                        end - shortBytes.begin());
    }
    count = c.u16();
    std::array<uint8_t, 32> reserved{};
    if (c.raw(reserved.data(), reserved.size()))
        reservedBlock = QByteArray(reinterpret_cast<const char*>(reserved.data()),
                                   static_cast<qsizetype>(reserved.size()));
    c.text8(name);
    minRate = c.u32();
    maxRate = c.u32();
    defaultRate = c.u32();
    rateWords[0] = c.u32();
    rateWords[1] = c.u32();
}

// The records, sorted by id; false (with the error code) at the first malformed one.
bool SensorDataSheet::parseMeasurements(DataSheetCursor& c) {
    for (int i = 0; i < count && !c.overrun(); ++i) {
        MeasurementInfo m;
        const bool ok = parseMeasurement(c, version, fixedPoint, m);
        measurements.push_back(std::move(m));
        if (!ok) {
            errorCode = kSheetBadRecord;
            return false;
        }
    }
    std::stable_sort(
        measurements.begin(), measurements.end(),
        [](const MeasurementInfo& a, const MeasurementInfo& b) { return a.id < b.id; });
    return true;
}

// The main part's checksum and its size; false (with the error code) when either is wrong.
bool SensorDataSheet::checkMainPart(DataSheetCursor& c, const uint8_t* data) {
    if (c.overrun()) return true;  // reported at the end as a bad record
    const size_t mainBytes = c.offset();
    checksum = c.u32();
    if (c.overrun()) {
        errorCode = kSheetNoChecksum;
        return false;
    }
    if (checksum != sheetChecksum(data, mainBytes)) {
        errorCode = kSheetChecksumMismatch;
        return false;
    }
    if (sheetSize != c.offset()) {
        errorCode = kSheetSizeMismatch;
        return false;
    }
    return true;
}

// The extension's blocks, then its checksum.
void SensorDataSheet::parseExtension(DataSheetCursor& c, const uint8_t* data) {
    const size_t extStart = c.offset();
    const size_t areaEnd = extStart + extendedSize - 4;
    while (c.offset() < areaEnd && !c.overrun()) {
        const uint8_t type = c.u8();
        const size_t length = c.u16();
        const size_t blockEnd = c.offset() + length;
        if (c.overrun()) break;
        if (blockEnd > areaEnd) {
            errorCode = kSheetBadRecord;  // a block reaching into the checksum
            return;
        }
        parseExtensionBlock(*this, type, c, blockEnd);
        if (c.overrun()) break;
        if (c.offset() != blockEnd) {
            errorCode = kSheetBadRecord;
            return;
        }
    }
    // A block loop ended by an overrun leaves no error yet: the extension ended before its
    // checksum.
    const size_t extBytes = c.offset() - extStart;
    const uint32_t extSum = c.u32();
    if (c.overrun())
        errorCode = kSheetNoChecksum;
    else if (extSum != sheetChecksum(data + extStart, extBytes))
        errorCode = kSheetChecksumMismatch;
}

// Each measurement that refers to another learns its position.
void SensorDataSheet::linkReferences() {
    for (MeasurementInfo& m : measurements) {
        if (!m.usesReference()) continue;
        for (size_t j = 0; j < measurements.size(); ++j)
            if (measurements[j].id == m.reference) {
                m.linked = static_cast<int>(j);
                break;
            }
    }
}

}  // namespace vornik
