// The chart of a graph window: draws a GraphModel over the toolkit's plotting widget.
// Windows and commands change the model only; the chart picks up what changed (new points at
// the end of a series are added on their own, anything else is taken again) on a short poll
// or at once through redraw(). Zooming (wheel, rubber band) changes only the view;
// a double-click returns to the model's ranges.
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "graph/graph_model.h"
#include "graph/series_summary.h"

class QCustomPlot;
class QCPGraph;
class QCPTextElement;
class QCPAxis;
class QPaintDevice;
class QPrinter;
class QTimer;

namespace qtl {

class ChartCursors;

class Chart : public QWidget {
    Q_OBJECT
  public:
    explicit Chart(GraphModel& model, QWidget* parent = nullptr);
    ~Chart() override;

    GraphModel& model() { return model_; }

    // Takes every change of the model now and draws the chart again.
    void redraw();

    bool zoomed() const { return zoomed_; }
    // Back to the model's ranges.
    void resetZoom();

    // The X range on show, zoom included.
    ValueRange shownXRange() const;
    // The crosshair and the measuring cursors.
    ChartCursors& cursors() { return *cursors_; }

    // A fitted model's curve, drawn over the series in its own style (and so printed and
    // exported with the chart) until cleared; it is not part of the model's series.
    void setModelCurve(const std::vector<double>& xs, const std::vector<double>& ys,
                       VerticalAxis axis);
    void clearModelCurve();
    // Points of the model curve drawn (0: none).
    std::size_t modelCurveCount() const;

    // Picture of the chart at its current size (or the given one), as a 24-bit Windows
    // bitmap. Written beside the target and renamed over it only when complete.
    bool saveBitmap(const QString& fileName, int width = 0, int height = 0);
    bool savePng(const QString& fileName, int width = 0, int height = 0);
    // The chart at its current size as a placeable Windows metafile of vector records; written
    // like the bitmap. False when the file cannot be written.
    bool saveMetafile(const QString& fileName);
    // The chart laid out at its current size, scaled to fill the printer's page and centred;
    // false when the printer refuses.
    bool print(QPrinter& printer);
    // Draws the chart onto any paint device (printer, vector picture) at the given size.
    void render(QPaintDevice& device, int width, int height);

  protected:
    QSize sizeHint() const override { return {640, 480}; }

  private:
    struct Synced {
        std::uint64_t data = ~std::uint64_t{0};
        std::uint64_t reset = ~std::uint64_t{0};
        std::uint64_t style = ~std::uint64_t{0};
        std::size_t count = 0;
        bool summarised = false;  // the plot holds the series' summary, not all its points
    };

    void syncIfChanged();
    void sync();
    void syncSeries(std::size_t i);
    bool drawsSummary(const DataSeries& s) const;
    void setZoomed(bool zoomed);
    void applyStyle(std::size_t i);
    void applyAxes();
    void showRange(QCPAxis* axis, const GraphAxis& model);
    QSize layoutSize() const;

    GraphModel& model_;
    QCustomPlot* plot_;  // owned by this widget
    QCPTextElement* title_;
    std::array<QCPGraph*, GraphModel::kSeriesCount> graphs_{};
    std::array<Synced, GraphModel::kSeriesCount> synced_{};
    std::array<SeriesSummary, GraphModel::kSeriesCount> summaries_;
    std::uint64_t seenVersion_ = ~std::uint64_t{0};
    QTimer* poll_;
    QCPGraph* modelCurve_ = nullptr;
    ChartCursors* cursors_;  // owned by this widget
    bool zoomed_ = false;
    bool applyingRanges_ = false;
};

}  // namespace qtl
