// Builds data sheet images: valid ones with correct sizes and checksums for the emulated
// interfaces, and deliberately broken variants for tests.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vornik {

struct MeasurementSpec {
    uint16_t id = 0;
    std::string name;  // 8-bit (Latin-1) bytes as stored
    std::string secondText;
    uint8_t type = 1;
    std::vector<uint8_t> parameters;  // the type parameters, written as given
    uint8_t flags = 0;
    double constant = 0.0;
    uint8_t small1 = 0;
    uint8_t small2 = 0;
    std::array<double, 4> constants{};

    // A measurement that occupies `size` bytes of each sample (type 1).
    static MeasurementSpec sampled(uint16_t id, std::string name, uint8_t size);
    // A measurement computed from another one (type 3 with four reals), no sample bytes.
    static MeasurementSpec derived(uint16_t id, std::string name, uint16_t reference,
                                   bool fixedPoint, std::array<double, 4> reals = {});
};

struct ExtensionBlockSpec {
    uint8_t type = 0;
    std::vector<uint8_t> body;
    std::optional<uint16_t> lengthOverride;  // a wrong stated length, for broken images
};

class DataSheetBuilder {
  public:
    uint16_t sensorId = 1000;
    uint16_t maxSize = 8192;
    uint16_t reservedWord = 0;
    std::string versionText = "2.0";  // padded with NULs to 4 bytes
    std::string shortText;            // at most 10 bytes
    std::string name = "Sensor";
    uint32_t minRate = 1;
    uint32_t maxRate = 10000;
    uint32_t defaultRate = 100;
    std::array<uint32_t, 2> rateWords{};
    std::vector<MeasurementSpec> measurements;
    std::vector<ExtensionBlockSpec> blocks;

    // Broken variants: fields written as given instead of as computed.
    std::optional<uint16_t> countOverride;
    std::optional<uint16_t> sheetSizeOverride;
    std::optional<uint16_t> extendedSizeOverride;
    bool breakChecksum = false;
    bool breakExtensionChecksum = false;

    bool fixedPoint() const;
    // Extension helpers.
    void addFeatureTable(const std::vector<std::pair<uint8_t, uint8_t>>& codeValue);
    void addWideTexts(uint16_t value, const std::u16string& sensorText,
                      const std::vector<std::pair<uint16_t, std::array<std::u16string, 3>>>& texts);
    void addExtraTexts(const std::vector<std::pair<uint16_t, std::string>>& texts);

    std::vector<uint8_t> build() const;
};

// Little-endian writers shared by the builder and the tests.
void putU8(std::vector<uint8_t>& out, uint8_t v);
void putU16(std::vector<uint8_t>& out, uint16_t v);
void putU32(std::vector<uint8_t>& out, uint32_t v);
void putReal(std::vector<uint8_t>& out, double v, bool fixedPoint);
void putText8(std::vector<uint8_t>& out, const std::string& text);
void putWideText(std::vector<uint8_t>& out, const std::u16string& text);

}  // namespace vornik
