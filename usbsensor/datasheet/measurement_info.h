// One measurement record of a sensor data sheet.
#pragma once
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace vornik {

class DataSheetCursor;

struct MeasurementInfo {
    uint16_t id = 0;
    QString name;
    QString secondText;
    uint8_t type = 0;
    QByteArray parameters;  // the type parameters as stored

    // Decoded type parameters (which ones are set depends on the type).
    uint16_t reference = 0;            // id of another measurement (types 3, 4, 5, 7)
    int linked = -1;                   // index of the referenced record after sorting, -1 when none
    uint8_t subtype = 0;               // type 4
    std::array<bool, 4> typeFlags{};   // type 7
    QString typeText;                  // type 6
    std::vector<uint16_t> typeValues;  // type 8
    uint8_t typeTrailer = 0;           // type 8
    std::vector<double> typeReals;
    int sampleSize = 0;  // bytes of this measurement in one sample

    std::array<bool, 6> flags{};
    double constant = 0.0;
    uint8_t small1 = 0;
    uint8_t small2 = 0;
    std::array<double, 4> constants{};

    // Extension texts, when the sheet has them.
    std::array<QString, 3> wideTexts;
    QString extraText;

    bool usesReference() const { return type == 3 || type == 4 || type == 5 || type == 7; }
};

// Parses one record at the cursor. `version` is the sheet's version number (it decides how the
// flag byte reads). Fails when the record or its parameters ran past their block.
bool parseMeasurement(DataSheetCursor& cursor, uint32_t version, bool fixedPoint,
                      MeasurementInfo& out);

// How many reals follow the type-specific parameters of a type 4 record with this subtype.
int subtypeRealCount(uint8_t subtype);

}  // namespace vornik
