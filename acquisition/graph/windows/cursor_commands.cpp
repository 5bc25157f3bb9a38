// The cursor toggles follow their menu items' check marks.
#include "graph/windows/cursor_commands.h"

#include <QAction>

#include "graph/windows/urepere13.h"
#include "ui/chart.h"
#include "ui/chart_cursors.h"

namespace qtl {

void Reticule1Click(Trepere& window) {
    window.Chart1->cursors().setCrosshairVisible(window.command("Reticule1")->isChecked());
}

void Curseurs1Click(Trepere& window) {
    window.Chart1->cursors().setMeasuringVisible(window.command("Curseurs1")->isChecked());
}

}  // namespace qtl
