// Bounded little-endian reader over one data sheet block; it never reads outside the block.
#pragma once
#include <QString>
#include <cstddef>
#include <cstdint>

namespace vornik {

class DataSheetCursor {
  public:
    DataSheetCursor() = default;
    DataSheetCursor(const uint8_t* data, size_t size)
        : start_(data), pos_(data), end_(data + size) {}

    // A read that would pass the end sets the overrun flag (for good), yields 0 or leaves the
    // target unchanged, and does not move.
    uint8_t u8();
    uint16_t u16();
    uint32_t u32();
    // A real is a 32-bit float or signed 16.16 fixed point, as the sheet's sensor id decides.
    double real(bool fixedPoint);
    // NUL-terminated texts of at most 1023 units; without a terminator by then, the next unit
    // is consumed as if it were one. 8-bit texts are Latin-1, wide texts UTF-16.
    void text8(QString& target);
    void wideText(QString& target);
    // Copies n bytes (or nothing on overrun); a null target just skips them.
    bool raw(uint8_t* target, size_t n);
    bool skip(size_t n) { return raw(nullptr, n); }
    // A cursor over the next n bytes, which this cursor skips; an empty overrun cursor when
    // fewer remain.
    DataSheetCursor sub(size_t n);

    bool overrun() const { return overrun_; }
    size_t offset() const { return static_cast<size_t>(pos_ - start_); }
    size_t remaining() const { return static_cast<size_t>(end_ - pos_); }
    bool atEnd() const { return pos_ == end_; }
    const uint8_t* position() const { return pos_; }
    const uint8_t* begin() const { return start_; }

  private:
    bool take(size_t n);

    const uint8_t* start_ = nullptr;
    const uint8_t* pos_ = nullptr;
    const uint8_t* end_ = nullptr;
    bool overrun_ = false;
};

// Texts longer than this many units are cut by the reader.
inline constexpr int kMaxTextUnits = 1023;

}  // namespace vornik
