// The graph window's save and read commands.
#include "files/windows/graph_file_commands.h"

#include "files/windows/data_file_dialogs.h"
#include "graph/windows/urepere13.h"

namespace qtl {

void sauvegarder1Click(Trepere& window) {
    runSaveCommand(window.model(), SaveCommand::Data);
}

void sauvavecdtails1Click(Trepere& window) {
    runSaveCommand(window.model(), SaveCommand::WithDetails);
}

void exportersanstitres1Click(Trepere& window) {
    runSaveCommand(window.model(), SaveCommand::WithoutTitles);
}

void sauvegardervirguleClick(Trepere& window) {
    runSaveCommand(window.model(), SaveCommand::DecimalComma);
}

void OpenDialogCanClose(Trepere& window) {
    // The points read before an error stay and are shown.
    struct Redraw {
        Trepere& w;
        ~Redraw() { w.redraw(); }
    } redraw{window};
    runReadCommand(window.model());
}

}  // namespace qtl
