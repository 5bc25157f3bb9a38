// Reading a metafile as a player would, with every rule checked.
#include "wmf_reading.h"

#include <algorithm>
#include <map>

namespace qtl::testing {

namespace {

constexpr std::uint16_t kSelectObject = 0x012D;
constexpr std::uint16_t kDeleteObject = 0x01F0;
constexpr std::uint16_t kSaveDc = 0x001E;
constexpr std::uint16_t kRestoreDc = 0x0127;

bool createsObject(std::uint16_t f) {
    return f == 0x02FA || f == 0x02FB || f == 0x02FC;
}

std::uint16_t word(const QByteArray& b, qsizetype at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) |
                                      (static_cast<std::uint8_t>(b[at + 1]) << 8));
}

std::uint32_t dword(const QByteArray& b, qsizetype at) {
    return word(b, at) | (static_cast<std::uint32_t>(word(b, at + 2)) << 16);
}

}  // namespace

std::uint16_t WmfRecord::u16(std::size_t w) const {
    if (2 * w + 1 >= params.size()) return 0;
    return static_cast<std::uint16_t>(params[2 * w] | (params[2 * w + 1] << 8));
}

std::uint32_t WmfRecord::u32(std::size_t w) const {
    return u16(w) | (static_cast<std::uint32_t>(u16(w + 1)) << 16);
}

std::vector<const WmfRecord*> WmfFile::all(std::uint16_t function) const {
    std::vector<const WmfRecord*> out;
    for (const WmfRecord& r : records)
        if (r.function == function) out.push_back(&r);
    return out;
}

const WmfRecord* WmfFile::selectedBefore(std::size_t index, std::uint16_t kind) const {
    // Replays selections, saves and restores up to `index`.
    std::map<int, const WmfRecord*> table;
    std::vector<std::map<std::uint16_t, const WmfRecord*>> stack(1);
    for (std::size_t i = 0; i < index && i < records.size(); ++i) {
        const WmfRecord& r = records[i];
        if (createsObject(r.function)) table[r.slot] = &r;
        if (r.function == kSelectObject && table.count(r.slot))
            stack.back()[table[r.slot]->function] = table[r.slot];
        if (r.function == kSaveDc) stack.push_back(stack.back());
        if (r.function == kRestoreDc && stack.size() > 1) stack.pop_back();
    }
    const auto it = stack.back().find(kind);
    return it == stack.back().end() ? nullptr : it->second;
}

WmfFile readWmf(const QByteArray& b) {
    WmfFile f;
    auto fail = [&f](std::string why) {
        f.error = std::move(why);
        return f;
    };
    if (b.size() < 22 + 18 + 6) return fail("too short");
    if (dword(b, 0) != 0x9AC6CDD7) return fail("no placeable key");
    std::uint16_t sum = 0;
    for (qsizetype i = 0; i < 20; i += 2) sum ^= word(b, i);
    if (sum != word(b, 20)) return fail("placeable checksum");
    f.left = static_cast<std::int16_t>(word(b, 6));
    f.top = static_cast<std::int16_t>(word(b, 8));
    f.right = static_cast<std::int16_t>(word(b, 10));
    f.bottom = static_cast<std::int16_t>(word(b, 12));
    f.unitsPerInch = word(b, 14);

    const qsizetype h = 22;
    if (word(b, h) != 1 || word(b, h + 2) != 9 || word(b, h + 4) != 0x0300)
        return fail("metafile header type, size or version");
    const std::uint32_t totalWords = dword(b, h + 6);
    f.numberOfObjects = word(b, h + 10);
    const std::uint32_t maxRecord = dword(b, h + 12);
    if (static_cast<qsizetype>(totalWords) * 2 != b.size() - h) return fail("file size in header");

    std::vector<bool> inUse(f.numberOfObjects, false);
    std::uint32_t largest = 0;
    int saves = 0;
    qsizetype at = h + 18;
    bool ended = false;
    while (at < b.size()) {
        if (ended) return fail("records after the end record");
        if (at + 6 > b.size()) return fail("record header cut short");
        const std::uint32_t words = dword(b, at);
        const std::uint16_t function = word(b, at + 4);
        if (words < 3 || at + static_cast<qsizetype>(words) * 2 > b.size())
            return fail("record size");
        largest = std::max(largest, words);
        if (function == 0) {
            if (words != 3) return fail("end record size");
            ended = true;
            at += 6;
            continue;
        }
        WmfRecord r;
        r.function = function;
        r.params.assign(b.begin() + at + 6, b.begin() + at + words * 2);
        if (createsObject(function)) {
            const auto free = std::find(inUse.begin(), inUse.end(), false);
            if (free == inUse.end()) return fail("more objects than the header says");
            *free = true;
            r.slot = static_cast<int>(free - inUse.begin());
        }
        if (function == kSelectObject || function == kDeleteObject) {
            r.slot = r.u16(0);
            if (r.slot >= static_cast<int>(inUse.size()) || !inUse[r.slot])
                return fail("select or delete of an empty slot");
            if (function == kDeleteObject) inUse[r.slot] = false;
        }
        if (function == kSaveDc) ++saves;
        if (function == kRestoreDc && --saves < 0) return fail("restore without save");
        f.records.push_back(std::move(r));
        at += static_cast<qsizetype>(words) * 2;
    }
    if (!ended) return fail("no end record");
    if (largest != maxRecord) return fail("largest record in header");
    if (saves != 0) return fail("saves not restored");
    return f;
}

std::vector<std::pair<int, int>> points(const WmfRecord& r) {
    std::vector<std::pair<int, int>> out;
    const int n = r.i16(0);
    for (int i = 0; i < n; ++i) out.emplace_back(r.i16(1 + 2 * i), r.i16(2 + 2 * i));
    return out;
}

std::string textOf(const WmfRecord& r) {
    const auto n = static_cast<std::size_t>(r.i16(0));
    if (2 + n > r.params.size()) return {};
    return std::string(r.params.begin() + 2, r.params.begin() + 2 + static_cast<std::ptrdiff_t>(n));
}

}  // namespace qtl::testing
