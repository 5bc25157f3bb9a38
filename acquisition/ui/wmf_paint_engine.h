// Paint engine that turns what a QPainter draws into metafile records: lines and polylines,
// filled shapes, ellipses, texts (Windows-1252) with their fonts, pens and brushes, rectangular
// clipping and pictures. Transforms are applied here, so everything stays a vector record.
#pragma once

#include <QBrush>
#include <QFont>
#include <QPaintEngine>
#include <QPen>
#include <QTransform>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "ui/wmf_records.h"

namespace qtl {

class WmfPaintEngine : public QPaintEngine {
  public:
    // `size` in device pixels; each pixel is `unitsPerPixel` logical units of the file.
    WmfPaintEngine(QSize size, int unitsPerPixel, int dotsPerInch);

    bool begin(QPaintDevice* device) override;
    bool end() override;
    void updateState(const QPaintEngineState& state) override;
    Type type() const override;

    void drawLines(const QLineF* lines, int lineCount) override;
    void drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode) override;
    void drawRects(const QRectF* rects, int rectCount) override;
    void drawEllipse(const QRectF& r) override;
    void drawPath(const QPainterPath& path) override;
    void drawPoints(const QPointF* points, int pointCount) override;
    void drawTextItem(const QPointF& p, const QTextItem& textItem) override;
    void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr) override;
    void drawImage(const QRectF& r, const QImage& image, const QRectF& sr,
                   Qt::ImageConversionFlags flags) override;

    // The file written by the last painting; empty before its end.
    const std::vector<std::uint8_t>& file() const { return file_; }

  private:
    // What the player's device context holds; SaveDC and RestoreDC keep and bring back all of it.
    struct DcState {
        std::optional<std::uint16_t> pen, brush, font;
        std::optional<wmf::ColorRef> textColour;
        std::optional<std::uint16_t> fillMode;
    };

    wmf::Point map(const QPointF& p) const;
    std::vector<wmf::Point> mapPolygon(const QPolygonF& polygon) const;
    double scale() const;
    wmf::Pen wmfPen() const;
    wmf::Brush wmfBrush() const;
    void usePen(const wmf::Pen& pen);
    void useBrush(const wmf::Brush& brush);
    void useFont(const wmf::Font& font);
    void useTextColour(wmf::ColorRef colour);
    void useFillMode(std::uint16_t mode);
    void select(std::optional<std::uint16_t>& selected, std::uint16_t slot);
    void pruneObjects();
    void applyClip();
    // Selects the pen and brush for a primitive: fill with the brush, outline with the pen.
    void prepare(bool fill, bool stroke);
    void strokePolylines(const QList<QPolygonF>& lines);
    void drawPicture(const QRectF& r, const QImage& image);

    QSize size_;
    int unitsPerPixel_;
    int dotsPerInch_;
    wmf::Recorder recorder_;
    std::vector<std::uint8_t> file_;

    QTransform transform_;
    QPen pen_;
    QBrush brush_;
    QFont font_;
    bool clipDirty_ = false;
    std::optional<wmf::Rect> clip_;  // the clip in force, inside a SaveDC
    DcState dc_;
    DcState saved_;
    std::map<wmf::Pen, std::uint16_t> pens_;
    std::map<wmf::Brush, std::uint16_t> brushes_;
    std::map<wmf::Font, std::uint16_t> fonts_;
};

}  // namespace qtl
