// Bounded little-endian reader over one data sheet block.
#include "datasheet/datasheet_cursor.h"

#include <cstring>

namespace vornik {

bool DataSheetCursor::take(size_t n) {
    if (n > remaining()) {
        overrun_ = true;
        return false;
    }
    return true;
}

uint8_t DataSheetCursor::u8() {
    if (!take(1)) return 0;
    return *pos_++;
}

uint16_t DataSheetCursor::u16() {
    if (!take(2)) return 0;
    const uint16_t v = static_cast<uint16_t>(pos_[0] | (pos_[1] << 8));
    pos_ += 2;
    return v;
}

uint32_t DataSheetCursor::u32() {
    if (!take(4)) return 0;
    const uint32_t v = static_cast<uint32_t>(pos_[0]) | (static_cast<uint32_t>(pos_[1]) << 8) |
                       (static_cast<uint32_t>(pos_[2]) << 16) |
                       (static_cast<uint32_t>(pos_[3]) << 24);
    pos_ += 4;
    return v;
}

double DataSheetCursor::real(bool fixedPoint) {
    if (!take(4)) return 0.0;
    const uint32_t bits = u32();
    if (fixedPoint) return static_cast<int32_t>(bits) / 65536.0;
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

void DataSheetCursor::text8(QString& target) {
    // Find the terminator (or the unit that stands in for it) before moving at all.
    size_t len = 0;
    const size_t avail = remaining();
    while (len < avail && len < static_cast<size_t>(kMaxTextUnits) && pos_[len] != 0) ++len;
    if (len == avail) {
        overrun_ = true;
        return;
    }
    target = QString::fromLatin1(reinterpret_cast<const char*>(pos_), static_cast<qsizetype>(len));
    pos_ += len + 1;
}

void DataSheetCursor::wideText(QString& target) {
    size_t len = 0;
    const size_t avail = remaining() / 2;
    auto unit = [this](size_t i) {
        return static_cast<char16_t>(pos_[2 * i] | (pos_[2 * i + 1] << 8));
    };
    while (len < avail && len < static_cast<size_t>(kMaxTextUnits) && unit(len) != 0) ++len;
    if (len == avail) {
        overrun_ = true;
        return;
    }
    QString text(static_cast<qsizetype>(len), Qt::Uninitialized);
    for (size_t i = 0; i < len; ++i) text[static_cast<qsizetype>(i)] = QChar(unit(i));
    target = text;
    pos_ += 2 * (len + 1);
}

bool DataSheetCursor::raw(uint8_t* target, size_t n) {
    if (!take(n)) return false;
    if (target != nullptr && n > 0) std::memcpy(target, pos_, n);
    pos_ += n;
    return true;
}

DataSheetCursor DataSheetCursor::sub(size_t n) {
    if (!take(n)) {
        DataSheetCursor empty;
        empty.overrun_ = true;
        return empty;
    }
    DataSheetCursor inner(pos_, n);
    pos_ += n;
    return inner;
}

}  // namespace vornik
