// Drawing a graph model with the plotting widget: series looks, axes, title, zoom.
#include "ui/chart.h"

#include <qcustomplot.h>
#include <QBuffer>
#include <QElapsedTimer>
#include <QPrinter>
#include <QSaveFile>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "ui/chart_cursors.h"
#include "ui/wmf_device.h"

namespace qtl {

namespace {

constexpr int kPollMs = 40;
constexpr int kTitlePointSize = 12;
// Above this many points a series shown whole is drawn from its summary: drawing all of them
// costs time in proportion to their number, for the same picture.
constexpr std::size_t kSummaryFrom = 20000;

QColor colourOf(Rgb rgb) {
    return QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>(rgb & 0xFF));
}

Qt::PenStyle penStyleOf(PenStyle s) {
    switch (s) {
        case PenStyle::Dash:
            return Qt::DashLine;
        case PenStyle::Dot:
            return Qt::DotLine;
        case PenStyle::DashDot:
            return Qt::DashDotLine;
        case PenStyle::Solid:
            break;
    }
    return Qt::SolidLine;
}

QCPScatterStyle::ScatterShape shapeOf(MarkerShape m) {
    switch (m) {
        case MarkerShape::Triangle:
            return QCPScatterStyle::ssTriangle;
        case MarkerShape::Diamond:
            return QCPScatterStyle::ssDiamond;
        case MarkerShape::Rectangle:
            break;
    }
    return QCPScatterStyle::ssSquare;
}

// The plotting widget keeps its points sorted and cannot place a NaN or infinite X; an
// infinite Y becomes a gap.
void appendPoints(QVector<QCPGraphData>& out, const DataSeries& s, std::size_t from) {
    const auto xs = s.xs();
    const auto ys = s.ys();
    out.reserve(static_cast<qsizetype>(xs.size() - from));
    for (std::size_t i = from; i < xs.size(); ++i) {
        if (!std::isfinite(xs[i])) continue;
        const double y = std::isfinite(ys[i]) ? ys[i] : std::nan("");
        out.append(QCPGraphData(xs[i], y));
    }
}

}  // namespace

Chart::Chart(GraphModel& model, QWidget* parent)
    : QWidget(parent), model_(model), plot_(new QCustomPlot(this)), poll_(new QTimer(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(plot_);

    plot_->legend->setVisible(false);
    plot_->plotLayout()->insertRow(0);
    QFont titleFont = font();
    titleFont.setPointSize(kTitlePointSize);
    title_ = new QCPTextElement(plot_, QString(), titleFont);
    plot_->plotLayout()->addElement(0, 0, title_);

    for (std::size_t i = 0; i < graphs_.size(); ++i) {
        graphs_[i] = plot_->addGraph(plot_->xAxis, plot_->yAxis);
        graphs_[i]->setAdaptiveSampling(true);
    }
    plot_->yAxis2->setVisible(true);
    // Lines wider than one pixel in one polyline call: stroking them segment by segment is
    // what a redraw of a long series spends its time on.
    plot_->setPlottingHint(QCP::phFastPolylines, true);

    // Wheel and rubber-band zoom on every axis; the left button draws the band.
    plot_->setInteraction(QCP::iRangeZoom, true);
    plot_->setSelectionRectMode(QCP::srmZoom);
    plot_->axisRect()->setRangeZoomAxes({plot_->xAxis}, {plot_->yAxis, plot_->yAxis2});
    for (QCPAxis* axis : {plot_->xAxis, plot_->yAxis, plot_->yAxis2}) {
        connect(axis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this, [this] {
            if (!applyingRanges_) setZoomed(true);
        });
    }
    connect(plot_, &QCustomPlot::mouseDoubleClick, this, [this] { resetZoom(); });

    cursors_ = new ChartCursors(*plot_, model_, *this);

    connect(poll_, &QTimer::timeout, this, &Chart::syncIfChanged);
    poll_->start(kPollMs);
    sync();
}

ValueRange Chart::shownXRange() const {
    return {plot_->xAxis->range().lower, plot_->xAxis->range().upper};
}

Chart::~Chart() = default;

void Chart::redraw() {
    sync();
    plot_->replot();
}

void Chart::setZoomed(bool zoomed) {
    if (zoomed == zoomed_) return;
    zoomed_ = zoomed;
    // A zoomed view shows only part of the series: it gets every point there.
    for (std::size_t i = 0; i < graphs_.size(); ++i) {
        if (drawsSummary(model_.series(static_cast<int>(i) + 1)) != synced_[i].summarised) {
            synced_[i].data = ~std::uint64_t{0};
            syncSeries(i);
        }
    }
}

void Chart::resetZoom() {
    setZoomed(false);
    applyAxes();
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void Chart::syncIfChanged() {
    if (model_.version() == seenVersion_) return;
    QElapsedTimer clock;
    clock.start();
    sync();
    plot_->replot(QCustomPlot::rpRefreshHint);
    // With millions of points a redraw takes tens of milliseconds: keep at least two thirds
    // of the time for the user while points keep arriving.
    poll_->setInterval(std::max<int>(kPollMs, static_cast<int>(2 * clock.elapsed())));
}

void Chart::sync() {
    for (std::size_t i = 0; i < graphs_.size(); ++i) syncSeries(i);
    title_->setText(QString::fromStdString(model_.chartTitle()));
    applyAxes();
    seenVersion_ = model_.version();
}

bool Chart::drawsSummary(const DataSeries& s) const {
    return !zoomed_ && s.count() > kSummaryFrom;
}

void Chart::syncSeries(std::size_t i) {
    const DataSeries& s = model_.series(static_cast<int>(i) + 1);
    Synced& seen = synced_[i];
    if (s.styleVersion() != seen.style) {
        applyStyle(i);
        seen.style = s.styleVersion();
    }
    if (s.dataVersion() == seen.data) return;
    QVector<QCPGraphData> points;
    const bool appended = s.resetVersion() == seen.reset && s.count() >= seen.count;
    if (drawsSummary(s)) {
        SeriesSummary& summary = summaries_[i];
        summary.update(s, !appended || !seen.summarised);
        const auto& kept = summary.keptIndices();
        const auto xs = s.xs();
        const auto ys = s.ys();
        points.reserve(static_cast<qsizetype>(kept.size()));
        for (std::size_t k : kept) {
            if (!std::isfinite(xs[k])) continue;
            points.append(QCPGraphData(xs[k], std::isfinite(ys[k]) ? ys[k] : std::nan("")));
        }
        graphs_[i]->data()->set(points, true);
        seen.summarised = true;
    } else if (appended && !seen.summarised) {
        appendPoints(points, s, seen.count);
        graphs_[i]->data()->add(points, true);
    } else {
        appendPoints(points, s, 0);
        graphs_[i]->data()->set(points, true);
        summaries_[i].clear();
        seen.summarised = false;
    }
    seen.data = s.dataVersion();
    seen.reset = s.resetVersion();
    seen.count = s.count();
}

void Chart::applyStyle(std::size_t i) {
    const SeriesStyle& st = model_.series(static_cast<int>(i) + 1).style();
    QCPGraph* g = graphs_[i];
    QPen pen(colourOf(st.colour));
    pen.setWidth(st.lineWidth);
    pen.setStyle(penStyleOf(st.lineStyle));
    g->setPen(pen);
    g->setLineStyle(st.lineVisible ? QCPGraph::lsLine : QCPGraph::lsNone);
    if (st.markerVisible) {
        const double size = 2.0 * std::max(st.markerWidth, st.markerHeight) + 1.0;
        g->setScatterStyle(QCPScatterStyle(shapeOf(st.marker), QPen(colourOf(st.colour)),
                                           QBrush(colourOf(st.markerBrush)), size));
    } else {
        g->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
    }
    QCPAxis* axis = st.axis == VerticalAxis::Left ? plot_->yAxis : plot_->yAxis2;
    if (g->valueAxis() != axis) g->setValueAxis(axis);
}

void Chart::applyAxes() {
    plot_->xAxis->setLabel(QString::fromStdString(model_.bottomAxis().title()));
    plot_->yAxis->setLabel(QString::fromStdString(model_.leftAxis().title()));
    plot_->yAxis2->setLabel(QString::fromStdString(model_.rightAxis().title()));
    plot_->xAxis->setVisible(model_.bottomAxis().visible());
    plot_->yAxis->setVisible(model_.leftAxis().visible());
    plot_->yAxis2->setVisible(model_.rightAxis().visible());
    if (zoomed_) return;
    showRange(plot_->xAxis, model_.bottomAxis());
    showRange(plot_->yAxis, model_.leftAxis());
    showRange(plot_->yAxis2, model_.rightAxis());
}

void Chart::showRange(QCPAxis* axis, const GraphAxis& m) {
    double lo = m.minimum();
    double hi = m.maximum();
    if (!(hi > lo)) {
        // A single value still needs some room to be drawn.
        const double pad = lo == 0 ? 1.0 : std::abs(lo) * 0.05;
        lo -= pad;
        hi += pad;
    }
    applyingRanges_ = true;
    axis->setRange(lo, hi);
    applyingRanges_ = false;
}

QSize Chart::layoutSize() const {
    // The plot follows the chart's size once shown; a chart without a size takes its
    // preferred one.
    return width() > 1 && height() > 1 ? size() : sizeHint();
}

namespace {

bool writeWhole(const QString& fileName, const QByteArray& bytes) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes) != bytes.size()) return false;
    return file.commit();
}

}  // namespace

bool Chart::saveBitmap(const QString& fileName, int width, int height) {
    redraw();
    const QSize size = width > 0 && height > 0 ? QSize(width, height) : layoutSize();
    // Without alpha the image writer makes the common 24-bit bitmap.
    const QImage image = plot_->toPixmap(size.width(), size.height())
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "BMP")) return false;
    return writeWhole(fileName, bytes);
}

bool Chart::savePng(const QString& fileName, int width, int height) {
    redraw();
    return plot_->savePng(fileName, width, height);
}

bool Chart::saveMetafile(const QString& fileName) {
    const QSize size = layoutSize();
    WmfDevice device(size);
    render(device, size.width(), size.height());
    const QByteArray bytes = device.file();
    return !bytes.isEmpty() && writeWhole(fileName, bytes);
}

namespace {

// Fonts sized in pixels of the screen, for the time of a printing: a printer resolves point
// sizes at its own resolution, which would make the texts outgrow the chart laid out for
// the screen.
class ScreenPixelFonts {
  public:
    ScreenPixelFonts(QCustomPlot& plot, QCPTextElement& title) {
        for (QCPAxis* axis : plot.axisRect()->axes()) {
            keep([axis] { return axis->labelFont(); },
                 [axis](const QFont& f) { axis->setLabelFont(f); });
            keep([axis] { return axis->tickLabelFont(); },
                 [axis](const QFont& f) { axis->setTickLabelFont(f); });
        }
        keep([&title] { return title.font(); }, [&title](const QFont& f) { title.setFont(f); });
    }
    ~ScreenPixelFonts() {
        for (auto& restore : restores_) restore();
    }
    ScreenPixelFonts(const ScreenPixelFonts&) = delete;
    ScreenPixelFonts& operator=(const ScreenPixelFonts&) = delete;

  private:
    template <typename Get, typename Set>
    void keep(Get get, Set set) {
        const QFont original = get();
        if (original.pointSizeF() <= 0) return;
        QFont pixels = original;
        pixels.setPixelSize(
            std::max(1, static_cast<int>(std::lround(original.pointSizeF() * kScreenDpi / 72.0))));
        set(pixels);
        restores_.push_back([set, original] { set(original); });
    }

    static constexpr double kScreenDpi = 96;
    std::vector<std::function<void()>> restores_;
};

}  // namespace

bool Chart::print(QPrinter& printer) {
    redraw();
    printer.setDocName(QString::fromStdString(model_.chartTitle()));
    const QSize size = layoutSize();
    QCPPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const double scale = std::min(page.width() / size.width(), page.height() / size.height());
    painter.translate((page.width() - size.width() * scale) / 2,
                      (page.height() - size.height() * scale) / 2);
    painter.scale(scale, scale);
    {
        const ScreenPixelFonts fonts(*plot_, *title_);
        plot_->toPainter(&painter, size.width(), size.height());
    }
    return painter.end();
}

void Chart::render(QPaintDevice& device, int width, int height) {
    redraw();
    QCPPainter painter(&device);
    plot_->toPainter(&painter, width, height);
}

}  // namespace qtl
