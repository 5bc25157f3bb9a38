// Screenshots of modelling.
#include "graph/windows/modelling_screenshot.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPixmap>
#include <QThread>
#include <cmath>
#include <memory>
#include <numbers>
#include <random>

#include "graph/windows/graph_windows.h"
#include "graph/windows/modelling_dialog.h"
#include "graph/windows/urepere13.h"
#include "ui/chart.h"

namespace qtl {

namespace {

bool grab(QWidget& widget, const QString& path) {
    widget.show();
    widget.raise();
    for (int i = 0; i < 10; ++i) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
    return widget.grab().save(path, "PNG");
}

}  // namespace

bool saveModellingScreenshots(const QString& folder) {
    const QDir dir(folder);
    Trepere* graph = adoptGraphWindow(std::make_unique<Trepere>());
    graph->model().setChartTitle("Oscillations amorties");
    std::mt19937 engine(7);
    std::normal_distribution<double> noise(0.0, 0.03);
    for (int i = 0; i <= 300; ++i) {
        const double t = 0.02 * i;
        const double v =
            1.8 * std::exp(-t / 2.5) * std::sin(2 * std::numbers::pi * t / 0.9 + 0.4) + 0.2;
        graph->model().addPoint(Channel::P, t, v + noise(engine));
    }
    // Points only, so that the model curve shows between them.
    graph->model().line(Channel::P).setLineVisible(false);
    graph->resize(720, 520);
    graph->Chart1->redraw();
    ModellingDialog dialog(*graph, graph);
    dialog.findChild<QComboBox*>("modele")->setCurrentIndex(6);
    dialog.modeliserClick();
    bool saved = grab(dialog, dir.filePath("modelisation.png"));
    dialog.hide();
    graph->Chart1->redraw();
    saved = grab(*graph, dir.filePath("modelisation_graphe.png")) && saved;
    graph->hide();
    return saved;
}

}  // namespace qtl
