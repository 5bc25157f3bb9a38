// Builds the example through the windows' own commands, as a user would.
#include "graph/windows/cursors_spectrum_example.h"

#include <qcustomplot.h>
#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <cmath>
#include <numbers>
#include <random>

#include "graph/windows/graph_windows.h"
#include "graph/windows/spectrum_window.h"
#include "graph/windows/urepere13.h"
#include "ui/chart.h"
#include "ui/chart_cursors.h"

namespace qtl {

CursorsSpectrumExample openCursorsSpectrumExample() {
    CursorsSpectrumExample e;
    e.signal = openGraphWindow();
    GraphModel& m = e.signal->model();
    m.bottomAxis().setTitle("temps (s)");
    m.leftAxis().setTitle("U (V)");
    m.setChartTitle("signal à deux fréquences");
    // 5 Hz and 12 Hz over one second, sampled every 2 ms or so, unevenly.
    std::mt19937 random(11);
    std::uniform_real_distribution<double> jitter(-0.3, 0.3);
    for (int i = 0; i < 500; ++i) {
        const double t = (i + jitter(random)) * 0.002;
        m.addPoint(Channel::P, t,
                   2 * std::sin(2 * std::numbers::pi * 5 * t) +
                       0.6 * std::sin(2 * std::numbers::pi * 12 * t));
    }
    e.signal->resize(720, 520);
    e.signal->show();
    e.signal->redraw();
    QApplication::processEvents();

    e.signal->command("Curseurs1")->trigger();
    e.signal->command("Reticule1")->trigger();
    ChartCursors& cursors = e.signal->Chart1->cursors();
    cursors.setCursorX(0, 0.05);
    cursors.setCursorX(1, 0.15);
    if (auto* plot = e.signal->Chart1->findChild<QCustomPlot*>()) {
        const QPointF at(plot->xAxis->coordToPixel(0.62), plot->yAxis->coordToPixel(1.2));
        QMouseEvent move(QEvent::MouseMove, at, plot->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(plot, &move);
    }
    e.signal->redraw();

    e.spectrum = FerquenceFFTP1Click(*e.signal);
    if (e.spectrum != nullptr) {
        e.spectrum->resize(720, 520);
        // Only the low frequencies carry the signal.
        e.spectrum->model().bottomAxis().setAutomatic(false);
        e.spectrum->model().bottomAxis().setRange(0, 40);
        e.spectrum->redraw();
    }
    return e;
}

}  // namespace qtl
