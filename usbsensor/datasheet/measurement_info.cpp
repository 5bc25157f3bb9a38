// Parsing of one measurement record and its type parameters.
#include "datasheet/measurement_info.h"

#include "datasheet/datasheet_cursor.h"

namespace vornik {

int subtypeRealCount(uint8_t subtype) {
    switch (subtype) {
        case 1:
        case 3:
        case 5:
        case 13:
        case 14:
            return 1;
        case 2:
        case 4:
        case 7:
            return 2;
        case 15:
            return 4;
        default:
            return 0;
    }
}

namespace {

void parseTypeParameters(DataSheetCursor& p, uint8_t length, bool fixedPoint, MeasurementInfo& m) {
    int reals = 0;
    switch (m.type) {
        case 0:
            m.sampleSize = 4;
            break;
        case 1:
        case 2:
            m.sampleSize = p.u8();
            break;
        case 3:
            m.reference = p.u16();
            reals = 4;
            break;
        case 7: {
            m.reference = p.u16();
            const uint8_t bits = p.u8();
            for (int i = 0; i < 4; ++i) m.typeFlags[static_cast<size_t>(i)] = (bits >> i) & 1;
            reals = 4;
            break;
        }
        case 4:
            m.reference = p.u16();
            m.subtype = p.u8();
            reals = subtypeRealCount(m.subtype);
            break;
        case 5:
            m.reference = p.u16();
            reals = (static_cast<int>(length) - 2) / 4;
            break;
        case 6:
            p.text8(m.typeText);
            break;
        case 8: {
            const uint8_t n = p.u8();
            for (int i = 0; i < n && i < 16 && !p.overrun(); ++i) m.typeValues.push_back(p.u16());
            m.typeTrailer = p.u8();
            reals = m.typeTrailer == 8 ? 4 : 0;
            break;
        }
        default:
            break;
    }
    for (int i = 0; i < reals && !p.overrun(); ++i) m.typeReals.push_back(p.real(fixedPoint));
}

}  // namespace

bool parseMeasurement(DataSheetCursor& c, uint32_t version, bool fixedPoint, MeasurementInfo& m) {
    m.id = c.u16();
    c.text8(m.name);
    c.text8(m.secondText);
    m.type = c.u8();
    const uint8_t length = c.u8();
    DataSheetCursor params = c.sub(length);
    if (!params.overrun()) {
        m.parameters = QByteArray(reinterpret_cast<const char*>(params.begin()), length);
        parseTypeParameters(params, length, fixedPoint, m);
    }
    const uint8_t flagByte = c.u8();
    if (version != 0 && version < 0x20000) {
        const bool b = flagByte != 0;
        m.flags = {b, false, b, true, false, false};
    } else {
        constexpr int kBits[6] = {0, 1, 2, 3, 6, 7};
        for (size_t i = 0; i < 6; ++i) m.flags[i] = (flagByte >> kBits[i]) & 1;
    }
    m.constant = c.real(fixedPoint);
    m.small1 = c.u8();
    m.small2 = c.u8();
    for (double& k : m.constants) k = c.real(fixedPoint);
    return !params.overrun() && !c.overrun();
}

}  // namespace vornik
