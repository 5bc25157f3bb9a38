// The graph windows of the run and the axis dialog, owned here until the program ends, and
// the entries the main window's menu calls.
#pragma once

#include <memory>
#include <vector>

namespace qtl {

class Trepere;
class TcadrageDlg;

// "&Nouveau": a new graph window from the current settings, shown.
Trepere* openGraphWindow();

// "cadrages": the axis dialog in future mode, shown modally.
void openFutureFraming();

// The one axis dialog, created on first use and kept hidden between uses.
TcadrageDlg& cadrageDlg();

// Takes ownership of a window until the program ends (or destroyGraphWindows).
Trepere* adoptGraphWindow(std::unique_ptr<Trepere> window);

// Every graph window created so far, hidden ones included, oldest first.
std::vector<Trepere*> graphWindows();

// Destroys every graph window and the axis dialog (tests; the end of the event loop).
void destroyGraphWindows();

}  // namespace qtl
