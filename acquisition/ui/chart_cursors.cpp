// Crosshair and measuring cursors drawn on their own buffered layer, so that following the
// mouse repaints only them and not the series.
#include "ui/chart_cursors.h"

#include <qcustomplot.h>
#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <optional>

#include "analysis/cursor_readout.h"

namespace qtl {

namespace {

constexpr int kGrabPixels = 5;
const QColor kCrosshairColour(110, 110, 110);
const QColor kCursorColour(160, 0, 160);

QCPItemStraightLine* makeLine(QCustomPlot& plot, QCPLayer* layer, const QPen& pen) {
    auto* line = new QCPItemStraightLine(&plot);  // owned by the plot
    line->setLayer(layer);
    line->setPen(pen);
    line->setSelectable(false);
    line->setVisible(false);
    return line;
}

void placeVertical(QCPItemStraightLine* line, double x) {
    line->point1->setCoords(x, 0);
    line->point2->setCoords(x, 1);
}

}  // namespace

ChartCursors::ChartCursors(QCustomPlot& plot, const GraphModel& model, QWidget& overlay)
    : QObject(&overlay), plot_(plot), model_(model) {
    plot_.addLayer(QStringLiteral("cursors"), plot_.layer(QStringLiteral("main")),
                   QCustomPlot::limAbove);
    layer_ = plot_.layer(QStringLiteral("cursors"));
    layer_->setMode(QCPLayer::lmBuffered);

    QPen dashed(kCrosshairColour);
    dashed.setStyle(Qt::DashLine);
    crossX_ = makeLine(plot_, layer_, dashed);
    crossY_ = makeLine(plot_, layer_, dashed);
    QPen cursorPen(kCursorColour);
    cursorPen.setWidth(2);
    for (auto& line : cursorLines_) line = makeLine(plot_, layer_, cursorPen);

    crossLabel_ = new QLabel(&overlay);
    crossLabel_->setObjectName(QStringLiteral("reticuleLabel"));
    crossLabel_->setStyleSheet(
        QStringLiteral("background: rgba(255,255,255,220); border: 1px solid gray; padding: 2px"));
    crossLabel_->hide();

    readoutPanel_ = new QFrame(&overlay);
    readoutPanel_->setObjectName(QStringLiteral("curseursPanel"));
    readoutPanel_->setFrameShape(QFrame::Box);
    readoutPanel_->setStyleSheet(
        QStringLiteral("QFrame#curseursPanel { background: rgba(255,255,255,230) }"));
    auto* layout = new QVBoxLayout(readoutPanel_);
    layout->setContentsMargins(4, 4, 4, 4);
    readoutLabel_ = new QLabel(readoutPanel_);
    readoutLabel_->setObjectName(QStringLiteral("curseursLabel"));
    readoutLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(readoutLabel_);
    copyButton_ = new QPushButton(QStringLiteral("copier"), readoutPanel_);
    copyButton_->setObjectName(QStringLiteral("copiercurseurs"));
    layout->addWidget(copyButton_, 0, Qt::AlignLeft);
    readoutPanel_->hide();
    connect(copyButton_, &QPushButton::clicked, this, [this] { copyReadout(); });

    plot_.setMouseTracking(true);
    connect(&plot_, &QCustomPlot::mouseMove, this, &ChartCursors::mouseMoved);
    connect(&plot_, &QCustomPlot::mousePress, this, &ChartCursors::mousePressed);
    connect(&plot_, &QCustomPlot::mouseRelease, this, [this] { mouseReleased(); });
    // New points, zoom and resizing move what the readout and labels show.
    connect(&plot_, &QCustomPlot::afterReplot, this, [this] {
        if (measuring_) updateReadout();
        placeLabels();
    });
}

void ChartCursors::setCrosshairVisible(bool visible) {
    crosshair_ = visible;
    if (!visible) {
        crossX_->setVisible(false);
        crossY_->setVisible(false);
        crossLabel_->hide();
        replotCursors();
    }
}

void ChartCursors::setMeasuringVisible(bool visible) {
    measuring_ = visible;
    if (visible) {
        const QCPRange shown = plot_.xAxis->range();
        setCursorX(0, shown.lower + shown.size() / 3);
        setCursorX(1, shown.lower + 2 * shown.size() / 3);
        readoutPanel_->show();
        readoutPanel_->raise();
        placeLabels();
    } else {
        readoutPanel_->hide();
        dragging_ = -1;
    }
    for (auto* line : cursorLines_) line->setVisible(visible);
    replotCursors();
}

void ChartCursors::setCursorX(int which, double x) {
    const auto i = static_cast<std::size_t>(which);
    cursorX_.at(i) = x;
    placeVertical(cursorLines_[i], x);
    updateReadout();
}

QString ChartCursors::crosshairReadout() const {
    return crossLabel_->text();
}

QString ChartCursors::measuringReadout() const {
    return QString::fromStdString(cursorReadoutText(readCursors(model_, cursorX_[0], cursorX_[1])));
}

void ChartCursors::copyReadout() const {
    QGuiApplication::clipboard()->setText(measuringReadout());
}

void ChartCursors::updateReadout() {
    readoutLabel_->setText(measuringReadout());
    readoutPanel_->adjustSize();
}

void ChartCursors::placeLabels() {
    // The plot sits at the overlay's origin; the labels keep to the corners of its axes.
    const QRect area = plot_.axisRect()->rect();
    readoutPanel_->move(area.left() + 6, area.top() + 6);
    crossLabel_->adjustSize();
    crossLabel_->move(area.left() + 6, area.bottom() - crossLabel_->height() - 6);
}

void ChartCursors::mouseMoved(QMouseEvent* event) {
    const QPointF at = event->position();
    if (dragging_ >= 0) {
        setCursorX(dragging_, plot_.xAxis->pixelToCoord(at.x()));
        replotCursors();
    }
    if (!crosshair_) return;
    const bool inside = plot_.axisRect()->rect().contains(at.toPoint());
    crossX_->setVisible(inside);
    crossY_->setVisible(inside);
    crossLabel_->setVisible(inside);
    if (inside) {
        const double x = plot_.xAxis->pixelToCoord(at.x());
        const double y = plot_.yAxis->pixelToCoord(at.y());
        std::optional<double> yRight;
        if (plot_.yAxis2->visible()) yRight = plot_.yAxis2->pixelToCoord(at.y());
        placeVertical(crossX_, x);
        crossY_->point1->setCoords(0, y);
        crossY_->point2->setCoords(1, y);
        crossLabel_->setText(QString::fromStdString(crosshairText(x, y, yRight)));
        crossLabel_->raise();
        placeLabels();
    }
    replotCursors();
}

void ChartCursors::mousePressed(QMouseEvent* event) {
    if (!measuring_ || event->button() != Qt::LeftButton) return;
    const double px = event->position().x();
    for (int i = 0; i < 2; ++i) {
        if (std::abs(plot_.xAxis->coordToPixel(cursorX_[static_cast<std::size_t>(i)]) - px) <=
            kGrabPixels) {
            dragging_ = i;
            // The press would otherwise start the rubber band of the zoom.
            plot_.setSelectionRectMode(QCP::srmNone);
            return;
        }
    }
}

void ChartCursors::mouseReleased() {
    if (dragging_ < 0) return;
    dragging_ = -1;
    plot_.setSelectionRectMode(QCP::srmZoom);
}

void ChartCursors::replotCursors() {
    layer_->replot();
}

}  // namespace qtl
