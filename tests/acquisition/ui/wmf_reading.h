// A strict reader of placeable metafiles for the tests: checks the headers, the checksum, the
// record sizes, the object table and the end record, and hands back the records.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <string>
#include <vector>

namespace qtl::testing {

struct WmfRecord {
    std::uint16_t function = 0;
    std::vector<std::uint8_t> params;
    // Slot of the object a CreateXxx record made, or that SelectObject chose.
    int slot = -1;

    std::uint16_t u16(std::size_t word) const;
    std::int16_t i16(std::size_t word) const { return static_cast<std::int16_t>(u16(word)); }
    std::uint32_t u32(std::size_t word) const;
};

struct WmfFile {
    std::string error;  // empty when the file is well formed
    std::int16_t left = 0, top = 0, right = 0, bottom = 0;
    std::uint16_t unitsPerInch = 0;
    std::uint16_t numberOfObjects = 0;
    std::vector<WmfRecord> records;  // without the end record

    std::vector<const WmfRecord*> all(std::uint16_t function) const;
    // The object record (pen, brush, font) selected in `slot` when record `index` plays.
    const WmfRecord* selectedBefore(std::size_t index, std::uint16_t kind) const;
};

WmfFile readWmf(const QByteArray& bytes);

// Points of a polyline or polygon record.
std::vector<std::pair<int, int>> points(const WmfRecord& r);
// Bytes of a text-out record's string.
std::string textOf(const WmfRecord& r);

}  // namespace qtl::testing
