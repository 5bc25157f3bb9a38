// Data sheet image builder.
#include "datasheet/datasheet_builder.h"

#include <cmath>
#include <cstring>

#include "datasheet/sensor_datasheet.h"

namespace vornik {

void putU8(std::vector<uint8_t>& out, uint8_t v) {
    out.push_back(v);
}

void putU16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void putU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void putReal(std::vector<uint8_t>& out, double v, bool fixedPoint) {
    uint32_t bits;
    if (fixedPoint) {
        bits = static_cast<uint32_t>(static_cast<int32_t>(std::lround(v * 65536.0)));
    } else {
        const float f = static_cast<float>(v);
        std::memcpy(&bits, &f, sizeof bits);
    }
    putU32(out, bits);
}

void putText8(std::vector<uint8_t>& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
}

void putWideText(std::vector<uint8_t>& out, const std::u16string& text) {
    for (char16_t u : text) putU16(out, u);
    putU16(out, 0);
}

MeasurementSpec MeasurementSpec::sampled(uint16_t id, std::string name, uint8_t size) {
    MeasurementSpec m;
    m.id = id;
    m.name = std::move(name);
    m.type = 1;
    m.parameters = {size};
    return m;
}

MeasurementSpec MeasurementSpec::derived(uint16_t id, std::string name, uint16_t reference,
                                         bool fixedPoint, std::array<double, 4> reals) {
    MeasurementSpec m;
    m.id = id;
    m.name = std::move(name);
    m.type = 3;
    putU16(m.parameters, reference);
    for (double r : reals) putReal(m.parameters, r, fixedPoint);
    return m;
}

bool DataSheetBuilder::fixedPoint() const {
    return usesFixedPoint(sensorId);
}

void DataSheetBuilder::addFeatureTable(const std::vector<std::pair<uint8_t, uint8_t>>& entries) {
    ExtensionBlockSpec b;
    b.type = 1;
    for (const auto& [code, value] : entries) {
        b.body.push_back(code);
        b.body.push_back(value);
        b.body.insert(b.body.end(), 16, 0);
    }
    blocks.push_back(std::move(b));
}

void DataSheetBuilder::addWideTexts(
    uint16_t value, const std::u16string& sensorText,
    const std::vector<std::pair<uint16_t, std::array<std::u16string, 3>>>& texts) {
    ExtensionBlockSpec b;
    b.type = 2;
    putU16(b.body, value);
    putWideText(b.body, sensorText);
    for (const auto& [id, three] : texts) {
        putU16(b.body, id);
        for (const std::u16string& t : three) putWideText(b.body, t);
    }
    blocks.push_back(std::move(b));
}

void DataSheetBuilder::addExtraTexts(const std::vector<std::pair<uint16_t, std::string>>& texts) {
    ExtensionBlockSpec b;
    b.type = 3;
    for (const auto& [id, text] : texts) {
        putU16(b.body, id);
        putText8(b.body, text);
    }
    blocks.push_back(std::move(b));
}

std::vector<uint8_t> DataSheetBuilder::build() const {
    const bool fixed = fixedPoint();
    std::vector<uint8_t> out;
    putU16(out, sensorId);
    putU16(out, maxSize);
    const size_t sheetSizeAt = out.size();
    putU16(out, 0);
    const size_t extSizeAt = out.size();
    putU16(out, 0);
    putU16(out, reservedWord);
    for (size_t i = 0; i < 4; ++i)
        out.push_back(i < versionText.size() ? static_cast<uint8_t>(versionText[i]) : 0);
    for (size_t i = 0; i < 10; ++i)
        out.push_back(i < shortText.size() ? static_cast<uint8_t>(shortText[i]) : 0);
    putU16(out, countOverride.value_or(static_cast<uint16_t>(measurements.size())));
    out.insert(out.end(), 32, 0);
    putText8(out, name);
    putU32(out, minRate);
    putU32(out, maxRate);
    putU32(out, defaultRate);
    putU32(out, rateWords[0]);
    putU32(out, rateWords[1]);
    for (const MeasurementSpec& m : measurements) {
        putU16(out, m.id);
        putText8(out, m.name);
        putText8(out, m.secondText);
        putU8(out, m.type);
        putU8(out, static_cast<uint8_t>(m.parameters.size()));
        out.insert(out.end(), m.parameters.begin(), m.parameters.end());
        putU8(out, m.flags);
        putReal(out, m.constant, fixed);
        putU8(out, m.small1);
        putU8(out, m.small2);
        for (double k : m.constants) putReal(out, k, fixed);
    }
    const uint16_t sheetSize = sheetSizeOverride.value_or(static_cast<uint16_t>(out.size() + 4));
    out[sheetSizeAt] = static_cast<uint8_t>(sheetSize);
    out[sheetSizeAt + 1] = static_cast<uint8_t>(sheetSize >> 8);

    std::vector<uint8_t> ext;
    for (const ExtensionBlockSpec& b : blocks) {
        putU8(ext, b.type);
        putU16(ext, b.lengthOverride.value_or(static_cast<uint16_t>(b.body.size())));
        ext.insert(ext.end(), b.body.begin(), b.body.end());
    }
    const uint16_t extSize = extendedSizeOverride.value_or(
        blocks.empty() ? uint16_t{0} : static_cast<uint16_t>(ext.size() + 4));
    out[extSizeAt] = static_cast<uint8_t>(extSize);
    out[extSizeAt + 1] = static_cast<uint8_t>(extSize >> 8);

    putU32(out, sheetChecksum(out.data(), out.size()) ^ (breakChecksum ? 1u : 0u));
    if (!blocks.empty()) {
        const uint32_t extSum = sheetChecksum(ext.data(), ext.size());
        out.insert(out.end(), ext.begin(), ext.end());
        putU32(out, extSum ^ (breakExtensionChecksum ? 1u : 0u));
    }
    return out;
}

}  // namespace vornik
