// The chart's reading tools: a crosshair that follows the mouse with its X and Y in a small
// label, and two vertical measuring cursors that the user drags, with a readout of X1, X2,
// ΔX and each channel's values, ΔY and slope, and a "copier" button. What they read comes
// from the analysis library; this class only draws and follows the mouse.
#pragma once

#include <QObject>
#include <QString>
#include <array>

#include "graph/graph_model.h"

class QCustomPlot;
class QCPItemStraightLine;
class QCPLayer;
class QFrame;
class QLabel;
class QMouseEvent;
class QPushButton;
class QWidget;

namespace qtl {

class ChartCursors : public QObject {
    Q_OBJECT
  public:
    // The labels are children of `overlay`, which covers the plot at the same place.
    ChartCursors(QCustomPlot& plot, const GraphModel& model, QWidget& overlay);

    void setCrosshairVisible(bool visible);
    bool crosshairVisible() const { return crosshair_; }
    // Shown measuring cursors start at one and two thirds of the X range shown.
    void setMeasuringVisible(bool visible);
    bool measuringVisible() const { return measuring_; }

    double cursorX(int which) const { return cursorX_.at(static_cast<std::size_t>(which)); }
    void setCursorX(int which, double x);

    // The texts shown: the crosshair's label, the measuring readout (what "copier" copies).
    QString crosshairReadout() const;
    QString measuringReadout() const;
    // Puts the measuring readout on the clipboard.
    void copyReadout() const;

  private:
    void mouseMoved(QMouseEvent* event);
    void mousePressed(QMouseEvent* event);
    void mouseReleased();
    void updateReadout();
    void placeLabels();
    void replotCursors();

    QCustomPlot& plot_;
    const GraphModel& model_;
    QCPLayer* layer_;
    QCPItemStraightLine* crossX_;
    QCPItemStraightLine* crossY_;
    std::array<QCPItemStraightLine*, 2> cursorLines_{};
    std::array<double, 2> cursorX_{};
    QLabel* crossLabel_;
    QFrame* readoutPanel_;
    QLabel* readoutLabel_;
    QPushButton* copyButton_;
    bool crosshair_ = false;
    bool measuring_ = false;
    int dragging_ = -1;  // the cursor being dragged
};

}  // namespace qtl
