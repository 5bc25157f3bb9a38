// Writer of the records of a placeable Windows metafile (16-bit coordinates, little-endian),
// without any toolkit: the paint engine decides what to draw, this file only encodes it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qtl::wmf {

// Record functions of the records written here.
enum class Function : std::uint16_t {
    Eof = 0x0000,
    SaveDc = 0x001E,
    SetBkMode = 0x0102,
    SetMapMode = 0x0103,
    SetPolyFillMode = 0x0106,
    RestoreDc = 0x0127,
    SelectObject = 0x012D,
    SetTextAlign = 0x012E,
    DeleteObject = 0x01F0,
    SetBkColor = 0x0201,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    IntersectClipRect = 0x0416,
    Ellipse = 0x0418,
    TextOut = 0x0521,
    Polygon = 0x0324,
    Polyline = 0x0325,
    PolyPolygon = 0x0538,
    StretchDib = 0x0F43,
};

inline constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
inline constexpr std::size_t kPlaceableHeaderBytes = 22;
inline constexpr std::size_t kHeaderWords = 9;
// Most points one polyline or polygon record can hold (a signed 16-bit count).
inline constexpr std::size_t kMaxPoints = 32767;

// Values of the records' fields.
inline constexpr std::uint16_t kMapModeAnisotropic = 8;
inline constexpr std::uint16_t kBkTransparent = 1;
inline constexpr std::uint16_t kBkOpaque = 2;
inline constexpr std::uint16_t kTextAlignBaseline = 24;
inline constexpr std::uint16_t kFillAlternate = 1;
inline constexpr std::uint16_t kFillWinding = 2;

enum PenStyleBits : std::uint16_t {
    kPenSolid = 0,
    kPenDash = 1,
    kPenDot = 2,
    kPenDashDot = 3,
    kPenDashDotDot = 4,
    kPenNull = 5,
    kPenEndCapSquare = 0x0100,
    kPenEndCapFlat = 0x0200,
    kPenJoinBevel = 0x1000,
    kPenJoinMiter = 0x2000,
};

enum BrushStyle : std::uint16_t { kBrushSolid = 0, kBrushNull = 1, kBrushHatched = 2 };

// 0x00BBGGRR, as the records hold colours.
using ColorRef = std::uint32_t;
constexpr ColorRef colorRef(int r, int g, int b) {
    return static_cast<ColorRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

struct Point {
    std::int16_t x = 0;
    std::int16_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    std::int16_t left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Pen {
    std::uint16_t style = kPenSolid;
    std::int16_t width = 1;
    ColorRef colour = 0;
    friend auto operator<=>(const Pen&, const Pen&) = default;
};

struct Brush {
    std::uint16_t style = kBrushSolid;
    ColorRef colour = 0;
    std::uint16_t hatch = 0;
    friend auto operator<=>(const Brush&, const Brush&) = default;
};

struct Font {
    std::int16_t height = -12;    // negative: the characters' em height in logical units
    std::int16_t escapement = 0;  // tenths of a degree, counter-clockwise
    std::int16_t weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::string faceName;  // Windows-1252, at most 31 bytes are kept
    friend auto operator<=>(const Font&, const Font&) = default;
};

// A 24-bit picture, rows top to bottom, 3 bytes (blue, green, red) a pixel, no padding.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgr;
};

// Clamps a coordinate to the 16 bits of the records.
std::int16_t coordinate(double v);

// Collects records; file() puts the placeable header and the metafile header before them and
// the end record after them. Objects take the lowest free slot of the object table, as a
// player does when it plays the records back.
class Recorder {
  public:
    void setMapMode(std::uint16_t mode);
    void setWindowOrg(std::int16_t x, std::int16_t y);
    void setWindowExt(std::int16_t width, std::int16_t height);
    void setBkMode(std::uint16_t mode);
    void setBkColor(ColorRef colour);
    void setTextAlign(std::uint16_t align);
    void setTextColor(ColorRef colour);
    void setPolyFillMode(std::uint16_t mode);

    // Each returns the slot of the new object.
    std::uint16_t createPen(const Pen& pen);
    std::uint16_t createBrush(const Brush& brush);
    std::uint16_t createFont(const Font& font);
    void selectObject(std::uint16_t slot);
    void deleteObject(std::uint16_t slot);

    void saveDc();
    void restoreDc();
    void intersectClipRect(const Rect& r);

    // Longer point lists are cut into several records (a polyline's pieces share their ends).
    void polyline(std::span<const Point> points);
    void polygon(std::span<const Point> points);
    // Several closed polygons filled together; empty polygons are left out.
    void polyPolygon(std::span<const std::vector<Point>> polygons);
    void ellipse(const Rect& r);
    // Text in Windows-1252 bytes, placed by the current text alignment.
    void textOut(std::int16_t x, std::int16_t y, std::string_view bytes);
    void stretchDib(const Rect& destination, const Picture& picture);

    std::size_t recordCount() const { return records_; }

    // The whole file: `bounds` in logical units, `unitsPerInch` the logical units of an inch.
    std::vector<std::uint8_t> file(const Rect& bounds, std::uint16_t unitsPerInch) const;

  private:
    class Record;
    void add(const Record& r);
    std::uint16_t takeSlot();

    std::vector<std::uint8_t> body_;
    std::size_t records_ = 0;
    std::uint32_t maxRecordWords_ = 3;  // the end record
    std::vector<bool> slots_;
};

}  // namespace qtl::wmf
