// Arbitrary bytes through the text and DIF readers: no crash, rows stay aligned, and once
// normalised by one save, a DIF file reads back to the same values and titles.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

#include "files/data_file_reader.h"
#include "files/data_file_writer.h"

namespace {

using qtl::Channel;
using qtl::GraphModel;

GraphModel readDif(std::string_view bytes) {
    GraphModel m;
    qtl::MemorySource source(bytes);
    qtl::LineReader lines(source);
    qtl::readDif(lines, qtl::FieldConversion::Dif, m);
    return m;
}

std::string saveDif(const GraphModel& m) {
    std::string out;
    qtl::appendDataFile(out, qtl::SaveFormat::Dif, m, {true, false, '.'});
    return out;
}

bool same(std::span<const double> a, std::span<const double> b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!(a[i] == b[i] || (std::isnan(a[i]) && std::isnan(b[i])))) return false;
    }
    return true;
}

void checkAligned(const GraphModel& m) {
    const std::size_t rows = m.points(Channel::P).count();
    if (m.points(Channel::A).count() > rows || m.points(Channel::S).count() > rows) std::abort();
    if (m.aActive != (m.points(Channel::A).count() > 0)) std::abort();
    if (m.sActive != (m.points(Channel::S).count() > 0)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto mode = data[0] % 4;
    if (mode < 3) {
        GraphModel m;
        qtl::MemorySource source(bytes);
        qtl::LineReader lines(source);
        const qtl::FieldConversion kinds[] = {qtl::FieldConversion::Text, qtl::FieldConversion::Dif,
                                              qtl::FieldConversion::None};
        qtl::readTextTable(lines, (data[0] & 4) != 0, kinds[mode], m);
        checkAligned(m);
        return 0;
    }
    const GraphModel first = readDif(bytes);
    checkAligned(first);
    const GraphModel second = readDif(saveDif(first));
    const GraphModel third = readDif(saveDif(second));
    for (Channel c : {Channel::P, Channel::A, Channel::S}) {
        if (!same(second.points(c).ys(), third.points(c).ys())) std::abort();
    }
    if (!same(second.points(Channel::P).xs(), third.points(Channel::P).xs())) std::abort();
    if (second.leftAxis().title() != third.leftAxis().title() ||
        second.sTitle() != third.sTitle()) {
        std::abort();
    }
    return 0;
}
