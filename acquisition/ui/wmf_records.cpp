// Encoding of metafile records: sizes in 16-bit words, fields little-endian.
#include "ui/wmf_records.h"

#include <algorithm>
#include <cmath>

namespace qtl::wmf {

namespace {

constexpr std::uint32_t kRasterSourceCopy = 0x00CC0020;
constexpr std::size_t kFaceNameBytes = 32;

void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

}  // namespace

std::int16_t coordinate(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<std::int16_t>(std::lround(std::clamp(v, -32768.0, 32767.0)));
}

// One record being built: its parameters, padded to whole words when done.
class Recorder::Record {
  public:
    explicit Record(Function f) : function_(f) {}
    Record& u16(std::uint16_t v) {
        put16(params_, v);
        return *this;
    }
    Record& i16(std::int16_t v) { return u16(static_cast<std::uint16_t>(v)); }
    Record& u32(std::uint32_t v) {
        put32(params_, v);
        return *this;
    }
    Record& bytes(std::string_view b) {
        params_.insert(params_.end(), b.begin(), b.end());
        return *this;
    }
    Record& point(const Point& p) { return i16(p.x).i16(p.y); }

    Function function() const { return function_; }
    // The parameters padded to an even length.
    std::vector<std::uint8_t> params() const {
        std::vector<std::uint8_t> p = params_;
        if (p.size() % 2 != 0) p.push_back(0);
        return p;
    }

  private:
    Function function_;
    std::vector<std::uint8_t> params_;
};

void Recorder::add(const Record& r) {
    const std::vector<std::uint8_t> params = r.params();
    const auto words = static_cast<std::uint32_t>(3 + params.size() / 2);
    put32(body_, words);
    put16(body_, static_cast<std::uint16_t>(r.function()));
    body_.insert(body_.end(), params.begin(), params.end());
    maxRecordWords_ = std::max(maxRecordWords_, words);
    ++records_;
}

std::uint16_t Recorder::takeSlot() {
    const auto free = std::find(slots_.begin(), slots_.end(), false);
    const auto slot = static_cast<std::uint16_t>(free - slots_.begin());
    if (free == slots_.end()) {
        slots_.push_back(true);
    } else {
        *free = true;
    }
    return slot;
}

void Recorder::setMapMode(std::uint16_t mode) {
    add(Record(Function::SetMapMode).u16(mode));
}

void Recorder::setWindowOrg(std::int16_t x, std::int16_t y) {
    add(Record(Function::SetWindowOrg).i16(y).i16(x));
}

void Recorder::setWindowExt(std::int16_t width, std::int16_t height) {
    add(Record(Function::SetWindowExt).i16(height).i16(width));
}

void Recorder::setBkMode(std::uint16_t mode) {
    add(Record(Function::SetBkMode).u16(mode));
}

void Recorder::setBkColor(ColorRef colour) {
    add(Record(Function::SetBkColor).u32(colour));
}

void Recorder::setTextAlign(std::uint16_t align) {
    add(Record(Function::SetTextAlign).u16(align));
}

void Recorder::setTextColor(ColorRef colour) {
    add(Record(Function::SetTextColor).u32(colour));
}

void Recorder::setPolyFillMode(std::uint16_t mode) {
    add(Record(Function::SetPolyFillMode).u16(mode));
}

std::uint16_t Recorder::createPen(const Pen& pen) {
    add(Record(Function::CreatePenIndirect).u16(pen.style).i16(pen.width).i16(0).u32(pen.colour));
    return takeSlot();
}

std::uint16_t Recorder::createBrush(const Brush& brush) {
    add(Record(Function::CreateBrushIndirect).u16(brush.style).u32(brush.colour).u16(brush.hatch));
    return takeSlot();
}

std::uint16_t Recorder::createFont(const Font& font) {
    Record r(Function::CreateFontIndirect);
    r.i16(font.height).i16(0).i16(font.escapement).i16(font.escapement).i16(font.weight);
    std::string flags;
    flags += static_cast<char>(font.italic ? 1 : 0);
    flags += static_cast<char>(font.underline ? 1 : 0);
    flags += static_cast<char>(font.strikeOut ? 1 : 0);
    // Character set, output and clipping precision, quality, pitch and family: defaults.
    flags += std::string(5, '\0');
    r.bytes(flags);
    std::string face = font.faceName.substr(0, kFaceNameBytes - 1);
    face.resize(kFaceNameBytes, '\0');
    r.bytes(face);
    add(r);
    return takeSlot();
}

void Recorder::selectObject(std::uint16_t slot) {
    add(Record(Function::SelectObject).u16(slot));
}

void Recorder::deleteObject(std::uint16_t slot) {
    add(Record(Function::DeleteObject).u16(slot));
    if (slot < slots_.size()) slots_[slot] = false;
}

void Recorder::saveDc() {
    add(Record(Function::SaveDc));
}

void Recorder::restoreDc() {
    add(Record(Function::RestoreDc).i16(-1));
}

void Recorder::intersectClipRect(const Rect& r) {
    add(Record(Function::IntersectClipRect).i16(r.bottom).i16(r.right).i16(r.top).i16(r.left));
}

void Recorder::polyline(std::span<const Point> points) {
    if (points.size() < 2) return;
    // Pieces overlap by one point so that the line stays connected.
    for (std::size_t first = 0; first + 1 < points.size(); first += kMaxPoints - 1) {
        const std::size_t n = std::min(kMaxPoints, points.size() - first);
        Record r(Function::Polyline);
        r.i16(static_cast<std::int16_t>(n));
        for (std::size_t i = first; i < first + n; ++i) r.point(points[i]);
        add(r);
    }
}

void Recorder::polygon(std::span<const Point> points) {
    if (points.size() < 2) return;
    if (points.size() > kMaxPoints) {
        polyPolygon(std::vector<std::vector<Point>>{{points.begin(), points.end()}});
        return;
    }
    Record r(Function::Polygon);
    r.i16(static_cast<std::int16_t>(points.size()));
    for (const Point& p : points) r.point(p);
    add(r);
}

void Recorder::polyPolygon(std::span<const std::vector<Point>> polygons) {
    // A polygon too long for one count is thinned to fit: its outline keeps its extents.
    std::vector<std::vector<Point>> kept;
    for (const auto& poly : polygons) {
        if (poly.size() < 2) continue;
        if (poly.size() <= kMaxPoints) {
            kept.push_back(poly);
            continue;
        }
        const std::size_t step = (poly.size() + kMaxPoints - 1) / kMaxPoints;
        std::vector<Point> thin;
        for (std::size_t i = 0; i < poly.size(); i += step) thin.push_back(poly[i]);
        kept.push_back(std::move(thin));
    }
    if (kept.empty()) return;
    for (std::size_t first = 0; first < kept.size(); first += 0x7FFF) {
        const std::size_t n = std::min<std::size_t>(0x7FFF, kept.size() - first);
        Record r(Function::PolyPolygon);
        r.u16(static_cast<std::uint16_t>(n));
        for (std::size_t i = first; i < first + n; ++i)
            r.u16(static_cast<std::uint16_t>(kept[i].size()));
        for (std::size_t i = first; i < first + n; ++i)
            for (const Point& p : kept[i]) r.point(p);
        add(r);
    }
}

void Recorder::ellipse(const Rect& rc) {
    add(Record(Function::Ellipse).i16(rc.bottom).i16(rc.right).i16(rc.top).i16(rc.left));
}

void Recorder::textOut(std::int16_t x, std::int16_t y, std::string_view bytes) {
    if (bytes.empty()) return;
    bytes = bytes.substr(0, 0x7FFF);
    Record r(Function::TextOut);
    r.i16(static_cast<std::int16_t>(bytes.size())).bytes(bytes);
    if (bytes.size() % 2 != 0) r.bytes(std::string_view("\0", 1));
    r.i16(y).i16(x);
    add(r);
}

void Recorder::stretchDib(const Rect& d, const Picture& picture) {
    if (picture.width <= 0 || picture.height <= 0) return;
    const auto w = static_cast<std::size_t>(picture.width);
    const auto h = static_cast<std::size_t>(picture.height);
    if (picture.bgr.size() < w * h * 3) return;
    const std::size_t stride = (w * 3 + 3) / 4 * 4;
    Record r(Function::StretchDib);
    r.u32(kRasterSourceCopy).u16(0);  // colours given as RGB
    r.i16(static_cast<std::int16_t>(picture.height)).i16(static_cast<std::int16_t>(picture.width));
    r.i16(0).i16(0);
    r.i16(static_cast<std::int16_t>(d.bottom - d.top))
        .i16(static_cast<std::int16_t>(d.right - d.left));
    r.i16(d.top).i16(d.left);
    // Bitmap information header, then the rows from the bottom up.
    r.u32(40)
        .u32(static_cast<std::uint32_t>(picture.width))
        .u32(static_cast<std::uint32_t>(picture.height));
    r.u16(1).u16(24).u32(0).u32(static_cast<std::uint32_t>(stride * h));
    r.u32(3780).u32(3780).u32(0).u32(0);  // 96 dots per inch
    std::string rows(stride * h, '\0');
    for (std::size_t y = 0; y < h; ++y) {
        const std::uint8_t* src = picture.bgr.data() + (h - 1 - y) * w * 3;
        std::copy(src, src + w * 3, rows.begin() + static_cast<std::ptrdiff_t>(y * stride));
    }
    r.bytes(rows);
    add(r);
}

std::vector<std::uint8_t> Recorder::file(const Rect& bounds, std::uint16_t unitsPerInch) const {
    std::vector<std::uint8_t> out;
    out.reserve(kPlaceableHeaderBytes + kHeaderWords * 2 + body_.size() + 6);

    put32(out, kPlaceableKey);
    put16(out, 0);
    put16(out, static_cast<std::uint16_t>(bounds.left));
    put16(out, static_cast<std::uint16_t>(bounds.top));
    put16(out, static_cast<std::uint16_t>(bounds.right));
    put16(out, static_cast<std::uint16_t>(bounds.bottom));
    put16(out, unitsPerInch);
    put32(out, 0);
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < out.size(); i += 2)
        checksum ^= static_cast<std::uint16_t>(out[i] | (out[i + 1] << 8));
    put16(out, checksum);

    const auto totalWords = static_cast<std::uint32_t>(kHeaderWords + body_.size() / 2 + 3);
    put16(out, 1);  // a metafile in memory (not on disk)
    put16(out, static_cast<std::uint16_t>(kHeaderWords));
    put16(out, 0x0300);
    put32(out, totalWords);
    put16(out, static_cast<std::uint16_t>(slots_.size()));
    put32(out, maxRecordWords_);
    put16(out, 0);

    out.insert(out.end(), body_.begin(), body_.end());
    put32(out, 3);
    put16(out, static_cast<std::uint16_t>(Function::Eof));
    return out;
}

}  // namespace qtl::wmf
