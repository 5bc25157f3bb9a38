// Creation of the program's long-lived windows.
#include "settings/windows/program_windows.h"

#include "graph/windows/graph_windows.h"
#include "graph/windows/udtemps10.h"
#include "outputs/windows/udmatsf.h"
#include "outputs/windows/udmatsl.h"
#include "outputs/windows/udmatsv.h"
#include "settings/windows/Main13.h"
#include "settings/windows/about10.h"
#include "settings/windows/ugroschiffres.h"

namespace qtl {

ProgramWindows::ProgramWindows() = default;
ProgramWindows::~ProgramWindows() = default;

ProgramWindows& programWindows() {
    static ProgramWindows windows;
    return windows;
}

void createProgramWindows() {
    ProgramWindows& w = programWindows();
    w.MainForm = std::make_unique<TMainForm>();
    w.AboutBox = std::make_unique<TAboutBox>();
    w.fdtemps = std::make_unique<Tfdtemps>();
    w.fgroschiffres = std::make_unique<Tfgroschiffres>();
    // The channel dialog is made afresh for each use; the axis dialog lives with the graph
    // windows but is created here, in its place in the order.
    static_cast<void>(cadrageDlg());
    w.Fsortieslogiques = std::make_unique<TFsortieslogiques>();
    w.fsortiesfixes = std::make_unique<Tfsortiesfixes>();
    w.fsortiev = std::make_unique<Tfsortiev>();
}

void destroyProgramWindows() {
    ProgramWindows& w = programWindows();
    w.fsortiev.reset();
    w.fsortiesfixes.reset();
    w.Fsortieslogiques.reset();
    w.fgroschiffres.reset();
    w.fdtemps.reset();
    w.AboutBox.reset();
    w.MainForm.reset();
}

}  // namespace qtl
