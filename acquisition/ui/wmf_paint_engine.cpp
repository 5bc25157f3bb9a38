// From painter state and primitives to metafile records.
#include "ui/wmf_paint_engine.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "settings/text_codec.h"

namespace qtl {

namespace {

// Past this many cached pens, brushes and fonts, those not in use are deleted.
constexpr std::size_t kMaxCachedObjects = 200;

constexpr wmf::Pen kNullPen{wmf::kPenNull, 0, 0};
constexpr wmf::Brush kNullBrush{wmf::kBrushNull, 0, 0};

wmf::ColorRef colorRefOf(const QColor& c) {
    const QColor rgb = c.toRgb();
    return wmf::colorRef(rgb.red(), rgb.green(), rgb.blue());
}

std::uint16_t penStyleBits(const QPen& pen) {
    std::uint16_t bits = wmf::kPenSolid;
    switch (pen.style()) {
        case Qt::DashLine:
        case Qt::CustomDashLine:
            bits = wmf::kPenDash;
            break;
        case Qt::DotLine:
            bits = wmf::kPenDot;
            break;
        case Qt::DashDotLine:
            bits = wmf::kPenDashDot;
            break;
        case Qt::DashDotDotLine:
            bits = wmf::kPenDashDotDot;
            break;
        default:
            break;
    }
    if (pen.capStyle() == Qt::FlatCap) bits |= wmf::kPenEndCapFlat;
    if (pen.capStyle() == Qt::SquareCap) bits |= wmf::kPenEndCapSquare;
    if (pen.joinStyle() == Qt::BevelJoin) bits |= wmf::kPenJoinBevel;
    if (pen.joinStyle() == Qt::MiterJoin || pen.joinStyle() == Qt::SvgMiterJoin)
        bits |= wmf::kPenJoinMiter;
    return bits;
}

// The colour a brush shows most: its own, or the first stop of a gradient.
QColor brushColour(const QBrush& b) {
    if (b.gradient() != nullptr && !b.gradient()->stops().isEmpty())
        return b.gradient()->stops().constFirst().second;
    return b.color();
}

std::int16_t toInt16(double v) {
    return wmf::coordinate(v);
}

}  // namespace

WmfPaintEngine::WmfPaintEngine(QSize size, int unitsPerPixel, int dotsPerInch)
    // Every feature is claimed so that the painter never falls back to drawing pixels;
    // what the records cannot show (gradients, alpha) is drawn in its nearest plain form.
    : QPaintEngine(AllFeatures),
      size_(size),
      unitsPerPixel_(std::max(unitsPerPixel, 1)),
      dotsPerInch_(dotsPerInch) {}

QPaintEngine::Type WmfPaintEngine::type() const {
    return User;
}

bool WmfPaintEngine::begin(QPaintDevice*) {
    recorder_ = wmf::Recorder();
    file_.clear();
    transform_ = QTransform();
    pen_ = QPen();
    brush_ = QBrush();
    clipDirty_ = false;
    clip_.reset();
    dc_ = {};
    saved_ = {};
    pens_.clear();
    brushes_.clear();
    fonts_.clear();

    // Logical units map onto the picture's bounds; texts are placed on their base line.
    recorder_.setMapMode(wmf::kMapModeAnisotropic);
    recorder_.setWindowOrg(0, 0);
    recorder_.setWindowExt(toInt16(size_.width() * unitsPerPixel_),
                           toInt16(size_.height() * unitsPerPixel_));
    recorder_.setBkMode(wmf::kBkTransparent);
    recorder_.setTextAlign(wmf::kTextAlignBaseline);
    useFillMode(wmf::kFillAlternate);
    setActive(true);
    return true;
}

bool WmfPaintEngine::end() {
    if (clip_) recorder_.restoreDc();
    clip_.reset();
    const wmf::Rect bounds{0, 0, toInt16(size_.width() * unitsPerPixel_),
                           toInt16(size_.height() * unitsPerPixel_)};
    file_ = recorder_.file(bounds, static_cast<std::uint16_t>(dotsPerInch_ * unitsPerPixel_));
    setActive(false);
    return true;
}

void WmfPaintEngine::updateState(const QPaintEngineState& state) {
    const DirtyFlags flags = state.state();
    if (flags & DirtyTransform) transform_ = state.transform();
    if (flags & DirtyPen) pen_ = state.pen();
    if (flags & DirtyBrush) brush_ = state.brush();
    if (flags & DirtyFont) font_ = state.font();
    // The painter may replay several clips in a row; only the last one counts, at the next draw.
    if (flags & (DirtyClipRegion | DirtyClipPath | DirtyClipEnabled)) clipDirty_ = true;
}

wmf::Point WmfPaintEngine::map(const QPointF& p) const {
    const QPointF d = transform_.map(p) * unitsPerPixel_;
    return {toInt16(d.x()), toInt16(d.y())};
}

std::vector<wmf::Point> WmfPaintEngine::mapPolygon(const QPolygonF& polygon) const {
    std::vector<wmf::Point> out;
    out.reserve(static_cast<std::size_t>(polygon.size()));
    for (const QPointF& p : polygon) {
        const wmf::Point m{toInt16(p.x()), toInt16(p.y())};
        // Points that fall on the same logical unit add nothing.
        if (out.empty() || !(out.back() == m)) out.push_back(m);
    }
    return out;
}

double WmfPaintEngine::scale() const {
    return std::sqrt(
        std::abs(transform_.m11() * transform_.m22() - transform_.m12() * transform_.m21()));
}

wmf::Pen WmfPaintEngine::wmfPen() const {
    if (pen_.style() == Qt::NoPen || pen_.brush().style() == Qt::NoBrush ||
        pen_.color().alpha() == 0)
        return kNullPen;
    const double width = pen_.isCosmetic() ? std::max(pen_.widthF(), 1.0) : pen_.widthF() * scale();
    const double units = std::max(1.0, std::round(width * unitsPerPixel_));
    return {penStyleBits(pen_), toInt16(units), colorRefOf(brushColour(pen_.brush()))};
}

wmf::Brush WmfPaintEngine::wmfBrush() const {
    const QColor colour = brushColour(brush_);
    if (brush_.style() == Qt::NoBrush || colour.alpha() == 0) return kNullBrush;
    const wmf::ColorRef ref = colorRefOf(colour);
    switch (brush_.style()) {
        case Qt::HorPattern:
            return {wmf::kBrushHatched, ref, 0};
        case Qt::VerPattern:
            return {wmf::kBrushHatched, ref, 1};
        case Qt::FDiagPattern:
            return {wmf::kBrushHatched, ref, 2};
        case Qt::BDiagPattern:
            return {wmf::kBrushHatched, ref, 3};
        case Qt::CrossPattern:
            return {wmf::kBrushHatched, ref, 4};
        case Qt::DiagCrossPattern:
            return {wmf::kBrushHatched, ref, 5};
        default:
            return {wmf::kBrushSolid, ref, 0};
    }
}

void WmfPaintEngine::select(std::optional<std::uint16_t>& selected, std::uint16_t slot) {
    if (selected == slot) return;
    recorder_.selectObject(slot);
    selected = slot;
}

void WmfPaintEngine::pruneObjects() {
    if (pens_.size() + brushes_.size() + fonts_.size() < kMaxCachedObjects) return;
    auto inUse = [this](std::uint16_t slot) {
        const auto used = [slot](const DcState& s) {
            return s.pen == slot || s.brush == slot || s.font == slot;
        };
        return used(dc_) || (clip_ && used(saved_));
    };
    auto prune = [&](auto& cache) {
        for (auto it = cache.begin(); it != cache.end();) {
            if (inUse(it->second)) {
                ++it;
                continue;
            }
            recorder_.deleteObject(it->second);
            it = cache.erase(it);
        }
    };
    prune(pens_);
    prune(brushes_);
    prune(fonts_);
}

void WmfPaintEngine::usePen(const wmf::Pen& pen) {
    auto it = pens_.find(pen);
    if (it == pens_.end()) {
        pruneObjects();
        it = pens_.emplace(pen, recorder_.createPen(pen)).first;
    }
    select(dc_.pen, it->second);
}

void WmfPaintEngine::useBrush(const wmf::Brush& brush) {
    auto it = brushes_.find(brush);
    if (it == brushes_.end()) {
        pruneObjects();
        it = brushes_.emplace(brush, recorder_.createBrush(brush)).first;
    }
    select(dc_.brush, it->second);
}

void WmfPaintEngine::useFont(const wmf::Font& font) {
    auto it = fonts_.find(font);
    if (it == fonts_.end()) {
        pruneObjects();
        it = fonts_.emplace(font, recorder_.createFont(font)).first;
    }
    select(dc_.font, it->second);
}

void WmfPaintEngine::useTextColour(wmf::ColorRef colour) {
    if (dc_.textColour == colour) return;
    recorder_.setTextColor(colour);
    dc_.textColour = colour;
}

void WmfPaintEngine::useFillMode(std::uint16_t mode) {
    if (dc_.fillMode == mode) return;
    recorder_.setPolyFillMode(mode);
    dc_.fillMode = mode;
}

void WmfPaintEngine::applyClip() {
    if (!clipDirty_) return;
    clipDirty_ = false;
    std::optional<wmf::Rect> wanted;
    const QPainter* p = painter();
    if (p != nullptr && p->hasClipping()) {
        // Only rectangles clip in the records; any other clip keeps its bounding rectangle.
        const QRectF r = p->combinedTransform().mapRect(p->clipBoundingRect());
        const double k = unitsPerPixel_;
        wanted = wmf::Rect{toInt16(std::floor(r.left() * k)), toInt16(std::floor(r.top() * k)),
                           toInt16(std::ceil(r.right() * k)), toInt16(std::ceil(r.bottom() * k))};
    }
    if (wanted == clip_) return;
    if (clip_) {
        recorder_.restoreDc();
        dc_ = saved_;
        clip_.reset();
    }
    if (wanted) {
        recorder_.saveDc();
        saved_ = dc_;
        recorder_.intersectClipRect(*wanted);
        clip_ = wanted;
    }
}

void WmfPaintEngine::prepare(bool fill, bool stroke) {
    applyClip();
    usePen(stroke ? wmfPen() : kNullPen);
    useBrush(fill ? wmfBrush() : kNullBrush);
}

void WmfPaintEngine::strokePolylines(const QList<QPolygonF>& lines) {
    if (wmfPen() == kNullPen) return;
    prepare(false, true);
    for (const QPolygonF& line : lines) recorder_.polyline(mapPolygon(line));
}

void WmfPaintEngine::drawLines(const QLineF* lines, int lineCount) {
    // Lines that continue one another become one polyline.
    QList<QPolygonF> polylines;
    for (int i = 0; i < lineCount; ++i) {
        const QPointF a = transform_.map(lines[i].p1()) * unitsPerPixel_;
        const QPointF b = transform_.map(lines[i].p2()) * unitsPerPixel_;
        if (polylines.isEmpty() || polylines.back().back() != a) polylines.append(QPolygonF{a});
        polylines.back().append(b);
    }
    strokePolylines(polylines);
}

void WmfPaintEngine::drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode) {
    QPolygonF polygon;
    polygon.reserve(pointCount);
    for (int i = 0; i < pointCount; ++i) polygon.append(transform_.map(points[i]) * unitsPerPixel_);
    if (mode == PolylineMode) {
        strokePolylines({polygon});
        return;
    }
    useFillMode(mode == WindingMode ? wmf::kFillWinding : wmf::kFillAlternate);
    prepare(true, true);
    recorder_.polygon(mapPolygon(polygon));
}

void WmfPaintEngine::drawRects(const QRectF* rects, int rectCount) {
    for (int i = 0; i < rectCount; ++i) {
        const QRectF& r = rects[i];
        const QPointF corners[] = {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()};
        drawPolygon(corners, 4, ConvexMode);
    }
}

void WmfPaintEngine::drawEllipse(const QRectF& r) {
    if (transform_.type() > QTransform::TxScale) {
        QPainterPath path;
        path.addEllipse(r);
        drawPath(path);
        return;
    }
    const QRectF d = transform_.mapRect(r);
    const double k = unitsPerPixel_;
    prepare(true, true);
    recorder_.ellipse({toInt16(d.left() * k), toInt16(d.top() * k), toInt16(d.right() * k),
                       toInt16(d.bottom() * k)});
}

void WmfPaintEngine::drawPath(const QPainterPath& path) {
    const QTransform toUnits = transform_ * QTransform::fromScale(unitsPerPixel_, unitsPerPixel_);
    const QList<QPolygonF> subpaths = path.toSubpathPolygons(toUnits);
    const bool fill = !(wmfBrush() == kNullBrush);
    if (fill) {
        useFillMode(path.fillRule() == Qt::WindingFill ? wmf::kFillWinding : wmf::kFillAlternate);
        std::vector<std::vector<wmf::Point>> polygons;
        for (const QPolygonF& s : subpaths) polygons.push_back(mapPolygon(s));
        prepare(true, false);
        if (polygons.size() == 1) {
            recorder_.polygon(polygons.front());
        } else {
            recorder_.polyPolygon(polygons);
        }
    }
    strokePolylines(subpaths);
}

void WmfPaintEngine::drawPoints(const QPointF* points, int pointCount) {
    if (wmfPen() == kNullPen) return;
    prepare(false, true);
    for (int i = 0; i < pointCount; ++i) {
        const wmf::Point p = map(points[i]);
        const wmf::Point dot[] = {p, {static_cast<std::int16_t>(p.x + 1), p.y}};
        recorder_.polyline(dot);
    }
}

void WmfPaintEngine::drawTextItem(const QPointF& p, const QTextItem& textItem) {
    const QString text = textItem.text();
    if (text.isEmpty()) return;
    applyClip();
    const QFont f = textItem.font();
    const double pixels = f.pixelSize() > 0 ? f.pixelSize() : f.pointSizeF() * dotsPerInch_ / 72.0;
    wmf::Font font;
    font.height = toInt16(-std::max(1.0, std::round(pixels * scale() * unitsPerPixel_)));
    // The records count angles counter-clockwise on the screen, whose Y axis points down.
    const double degrees =
        std::atan2(-transform_.m12(), transform_.m11()) * 180.0 / std::numbers::pi;
    long tenths = std::lround(degrees * 10.0) % 3600;
    if (tenths < 0) tenths += 3600;
    font.escapement = static_cast<std::int16_t>(tenths);
    font.weight = static_cast<std::int16_t>(std::clamp(static_cast<int>(f.weight()), 100, 900));
    font.italic = f.italic();
    font.underline = f.underline() || textItem.renderFlags().testFlag(QTextItem::Underline);
    font.strikeOut = f.strikeOut() || textItem.renderFlags().testFlag(QTextItem::StrikeOut);
    font.faceName = toWindows1252(f.family().toStdString());
    useFont(font);
    useTextColour(colorRefOf(brushColour(pen_.brush())));
    const wmf::Point at = map(p);
    recorder_.textOut(at.x, at.y, toWindows1252(text.toStdString()));
}

void WmfPaintEngine::drawPicture(const QRectF& r, const QImage& image) {
    if (image.isNull()) return;
    applyClip();
    // Transparent parts show white, as on paper.
    QImage flat(image.size(), QImage::Format_RGB888);
    flat.fill(Qt::white);
    {
        QPainter onto(&flat);
        onto.drawImage(0, 0, image);
    }
    wmf::Picture picture{flat.width(), flat.height(), {}};
    picture.bgr.reserve(static_cast<std::size_t>(flat.width() * flat.height() * 3));
    for (int y = 0; y < flat.height(); ++y) {
        const uchar* row = flat.constScanLine(y);
        for (int x = 0; x < flat.width(); ++x) {
            picture.bgr.push_back(row[3 * x + 2]);
            picture.bgr.push_back(row[3 * x + 1]);
            picture.bgr.push_back(row[3 * x]);
        }
    }
    const QRectF d = transform_.mapRect(r);
    const double k = unitsPerPixel_;
    recorder_.stretchDib({toInt16(d.left() * k), toInt16(d.top() * k), toInt16(d.right() * k),
                          toInt16(d.bottom() * k)},
                         picture);
}

void WmfPaintEngine::drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr) {
    drawPicture(r, pm.toImage().copy(sr.toAlignedRect()));
}

void WmfPaintEngine::drawImage(const QRectF& r, const QImage& image, const QRectF& sr,
                               Qt::ImageConversionFlags) {
    drawPicture(r, image.copy(sr.toAlignedRect()));
}

}  // namespace qtl
