// The windows created once at start-up and kept until exit, in their creation order.
// Each is shown when its menu entry asks for it and hidden when closed.
#pragma once

#include <memory>

namespace qtl {

class TMainForm;
class TAboutBox;
class Tfdtemps;
class Tfgroschiffres;
class TFsortieslogiques;
class Tfsortiesfixes;
class Tfsortiev;

struct ProgramWindows {
    std::unique_ptr<TMainForm> MainForm;
    std::unique_ptr<TAboutBox> AboutBox;
    std::unique_ptr<Tfdtemps> fdtemps;
    // The channel dialog is made afresh for each use, so it has no slot here.
    std::unique_ptr<Tfgroschiffres> fgroschiffres;
    // The axis dialog lives with the graph windows (created in its place in the order).
    std::unique_ptr<TFsortieslogiques> Fsortieslogiques;
    std::unique_ptr<Tfsortiesfixes> fsortiesfixes;
    std::unique_ptr<Tfsortiev> fsortiev;

    ProgramWindows();
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;
};

// The windows of the run; empty before createProgramWindows.
ProgramWindows& programWindows();

// Creates every window in order (the main window first).
void createProgramWindows();
// Destroys them in reverse order (tests; the program ends with them alive).
void destroyProgramWindows();

}  // namespace qtl
