// The chart adapter: what the plotting widget receives from a graph model (points, looks,
// axes, titles), how it follows changes, zoom, and a rendering smoke test.
#include "ui/chart.h"

#include <gtest/gtest.h>

#include <qcustomplot.h>
#include <QDir>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QThread>
#include <QWheelEvent>
#include <cmath>
#include <limits>
#include <memory>

#include "graph/graph_setup.h"
#include "graph/windows/graph_windows.h"
#include "graph/windows/urepere13.h"
#include "settings/program_settings.h"
#include "testkit/gui_app.h"

namespace qtl {
namespace {

class ChartTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testkit::application();
        resetProgramSettings();
        chartOwner = std::make_unique<Chart>(model);
        chart().resize(600, 400);
    }
    void TearDown() override {
        destroyGraphWindows();
        resetProgramSettings();
    }

    Chart& chart() { return *chartOwner; }
    QCustomPlot& plot() { return *chart().findChild<QCustomPlot*>(); }
    QCPGraph& graph(int seriesNumber) { return *plot().graph(seriesNumber - 1); }
    std::vector<double> keys(int seriesNumber) {
        std::vector<double> k;
        for (const auto& d : *graph(seriesNumber).data()) k.push_back(d.key);
        return k;
    }

    GraphModel model;
    std::unique_ptr<Chart> chartOwner;
};

TEST_F(ChartTest, SeriesLooksReachTheGraphs) {
    ProgramSettings s;
    s.continuousLine = false;
    s.seriesSOnLeft = false;
    s.pointSize = 3;
    setUpGraphFromSettings(model, s);
    chart().redraw();
    struct Expect {
        int number;
        QCPScatterStyle::ScatterShape shape;
        QColor brush;
        QCPGraph::LineStyle line;
        Qt::PenStyle pen;
        QColor colour;
        bool onRight;
    };
    const Expect expected[] = {
        {1, QCPScatterStyle::ssSquare, Qt::red, QCPGraph::lsNone, Qt::SolidLine, Qt::red, false},
        {2, QCPScatterStyle::ssTriangle, QColor(0, 128, 0), QCPGraph::lsNone, Qt::SolidLine,
         QColor(0, 128, 0), true},
        {3, QCPScatterStyle::ssDiamond, Qt::blue, QCPGraph::lsNone, Qt::SolidLine, Qt::yellow,
         true},
        {4, QCPScatterStyle::ssNone, {}, QCPGraph::lsLine, Qt::DashLine, Qt::red, false},
        {5,
         QCPScatterStyle::ssNone,
         {},
         QCPGraph::lsLine,
         Qt::DashDotLine,
         QColor(0, 128, 0),
         true},
        {6, QCPScatterStyle::ssNone, {}, QCPGraph::lsLine, Qt::DotLine, Qt::blue, true},
    };
    for (const auto& e : expected) {
        QCPGraph& g = graph(e.number);
        EXPECT_EQ(g.scatterStyle().shape(), e.shape) << e.number;
        if (e.shape != QCPScatterStyle::ssNone) {
            EXPECT_EQ(g.scatterStyle().brush().color(), e.brush) << e.number;
            EXPECT_EQ(g.scatterStyle().pen().color(), e.colour) << e.number;
            EXPECT_EQ(g.scatterStyle().size(), 7) << e.number;
        } else {
            EXPECT_EQ(g.pen().color(), e.colour) << e.number;
            EXPECT_EQ(g.pen().style(), e.pen) << e.number;
            EXPECT_EQ(g.pen().width(), 1) << e.number;
        }
        EXPECT_EQ(g.lineStyle(), e.line) << e.number;
        EXPECT_EQ(g.valueAxis(), e.onRight ? plot().yAxis2 : plot().yAxis) << e.number;
        EXPECT_TRUE(g.adaptiveSampling());
    }
    // Moving S back to the left moves its graphs.
    model.points(Channel::S).setVerticalAxis(VerticalAxis::Left);
    chart().redraw();
    EXPECT_EQ(graph(3).valueAxis(), plot().yAxis);
}

TEST_F(ChartTest, TitlesAxesAndLegend) {
    ProgramSettings s;
    s.chartTitle = "Chute libre";
    s.channelP.title = "hauteur";
    s.channelA.active = false;
    setUpGraphFromSettings(model, s);
    chart().redraw();
    auto* title = qobject_cast<QCPTextElement*>(plot().plotLayout()->element(0, 0));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), "Chute libre");
    EXPECT_EQ(title->font().pointSize(), 12);
    EXPECT_EQ(plot().xAxis->label(), "temps");
    EXPECT_EQ(plot().yAxis->label(), "hauteur");
    EXPECT_FALSE(plot().yAxis2->visible());
    EXPECT_FALSE(plot().legend->visible());
    model.rightAxis().setVisible(true);
    chart().redraw();
    EXPECT_TRUE(plot().yAxis2->visible());
}

TEST_F(ChartTest, AppendsNewPointsAndRetakesAfterOtherChanges) {
    DataSeries& p = model.points(Channel::P);
    for (int i = 0; i < 3; ++i) p.add(i, i);
    chart().redraw();
    EXPECT_EQ(keys(1), (std::vector<double>{0, 1, 2}));
    p.add(3, 3);
    p.add(4, 4);
    chart().redraw();
    EXPECT_EQ(keys(1), (std::vector<double>{0, 1, 2, 3, 4}));
    p.add(1.5, 9);  // inserted in the middle
    chart().redraw();
    EXPECT_EQ(keys(1), (std::vector<double>{0, 1, 1.5, 2, 3, 4}));
    p.setY(0, 42);
    chart().redraw();
    EXPECT_EQ(graph(1).data()->at(0)->value, 42);
    // A burst replaces the block: cleared, then refilled with as many points.
    p.clear();
    for (int i = 0; i < 6; ++i) p.add(10 + i, i);
    chart().redraw();
    EXPECT_EQ(keys(1), (std::vector<double>{10, 11, 12, 13, 14, 15}));
    EXPECT_EQ(graph(4).data()->size(), 0);
}

TEST_F(ChartTest, NonFiniteXIsLeftOutAndInfiniteYIsAGap) {
    DataSeries& p = model.points(Channel::P);
    p.add(1, 1);
    p.add(2, std::numeric_limits<double>::infinity());
    p.add(std::nan(""), 3);
    chart().redraw();
    ASSERT_EQ(keys(1), (std::vector<double>{1, 2}));
    EXPECT_TRUE(std::isnan(graph(1).data()->at(1)->value));
}

TEST_F(ChartTest, ASingleValueGetsRoomAround) {
    model.addPoint(Channel::P, 5, 0);
    chart().redraw();
    EXPECT_EQ(plot().yAxis->range(), QCPRange(-1, 1));
    EXPECT_EQ(plot().xAxis->range(), QCPRange(4.75, 5.25));
}

TEST_F(ChartTest, FollowsTheModelWithoutBeingAsked) {
    model.addPoint(Channel::P, 1, 2);
    for (int i = 0; i < 20 && graph(1).data()->size() == 0; ++i) {
        QThread::msleep(20);
        testkit::processEvents();
    }
    EXPECT_EQ(graph(1).data()->size(), 1);
    EXPECT_EQ(graph(4).data()->size(), 1);
}

TEST_F(ChartTest, AutomaticAxesFollowTheDataManualOnesStay) {
    model.leftAxis().setRange(0, 1000);
    model.rightAxis().setAutomatic(false);
    model.rightAxis().setRange(-5, 5);
    model.addPoint(Channel::P, 0, 10);
    model.addPoint(Channel::P, 4, 30);
    model.addPoint(Channel::A, 2, 100);
    chart().redraw();
    EXPECT_EQ(plot().yAxis->range(), QCPRange(10, 30));
    EXPECT_EQ(plot().xAxis->range(), QCPRange(0, 4));
    EXPECT_EQ(plot().yAxis2->range(), QCPRange(-5, 5));
    model.addPoint(Channel::P, 5, 50);
    chart().redraw();
    EXPECT_EQ(plot().yAxis->range(), QCPRange(10, 50));
    EXPECT_EQ(plot().xAxis->range(), QCPRange(0, 5));
}

TEST_F(ChartTest, ZoomChangesTheViewOnlyAndDoubleClickReturns) {
    chart().show();
    for (int i = 0; i <= 100; ++i) model.addPoint(Channel::P, i, i);
    chart().redraw();
    ASSERT_FALSE(chart().zoomed());
    // The rubber band zooms the axes to the rectangle.
    const QRect rect = plot().axisRect()->rect();
    plot().axisRect()->zoom(QRectF(rect.center(), rect.bottomRight()));
    EXPECT_TRUE(chart().zoomed());
    const QCPRange zoomedX = plot().xAxis->range();
    EXPECT_LT(zoomedX.size(), 100);
    EXPECT_EQ(model.bottomAxis().maximum(), 100);  // the model keeps its range
    model.addPoint(Channel::P, 200, 200);
    chart().redraw();
    EXPECT_EQ(plot().xAxis->range(), zoomedX);  // new points do not undo the zoom

    QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(rect.center()),
                      plot().mapToGlobal(QPointF(rect.center())), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&plot(), &twice);
    EXPECT_FALSE(chart().zoomed());
    EXPECT_EQ(plot().xAxis->range(), QCPRange(0, 200));

    // The wheel zooms too.
    const QPointF at(rect.center());
    QWheelEvent wheel(at, plot().mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&plot(), &wheel);
    EXPECT_TRUE(chart().zoomed());
    EXPECT_LT(plot().xAxis->range().size(), 200);
    chart().resetZoom();
    EXPECT_EQ(plot().xAxis->range(), QCPRange(0, 200));
}

int countNear(const QImage& image, QColor colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) < 40 &&
                std::abs(c.green() - colour.green()) < 40 &&
                std::abs(c.blue() - colour.blue()) < 40) {
                ++n;
            }
        }
    }
    return n;
}

TEST(ChartRendering, WindowWithPointsSavesAPicture) {
    testkit::application();
    resetProgramSettings();
    programSettings().channelA.active = true;
    programSettings().channelS.active = true;
    programSettings().chartTitle = "Rendu";
    Trepere* w = openGraphWindow();
    w->resize(640, 480);
    for (int i = 0; i <= 40; ++i) {
        const double t = i * 0.25;
        w->model().addPoint(Channel::P, t, 500 + 400 * std::sin(t));
        w->model().addPoint(Channel::A, t, 20 * std::cos(t));
        w->model().addPoint(Channel::S, t, 100 + 30 * t);
    }
    testkit::processEvents();
    QTemporaryDir dir;
    const QString file = dir.filePath("graphe.png");
    ASSERT_TRUE(w->Chart1->savePng(file, 640, 440));
    const QImage image(file);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(640, 440));
    EXPECT_GT(countNear(image, Qt::red), 100);
    EXPECT_GT(countNear(image, QColor(0, 128, 0)), 50);
    EXPECT_GT(countNear(image, Qt::blue), 50);
    EXPECT_GT(countNear(image, Qt::white), 640 * 440 / 2);
    if (const QByteArray keep = qgetenv("QTL_KEEP_RENDER"); !keep.isEmpty()) {
        QFile::copy(file, QString::fromLocal8Bit(keep));
    }
    const QString bmp = dir.filePath("graphe.bmp");
    EXPECT_TRUE(w->Chart1->saveBitmap(bmp));
    EXPECT_FALSE(QImage(bmp).isNull());
    destroyGraphWindows();
}

}  // namespace
}  // namespace qtl
