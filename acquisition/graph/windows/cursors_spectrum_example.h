// The example windows of the guide's pictures of the cursors and the spectrum: a graph
// window holding a two-tone signal with the crosshair and the measuring cursors on, and its
// spectrum window.
#pragma once

namespace qtl {

class Trepere;

struct CursorsSpectrumExample {
    Trepere* signal = nullptr;
    Trepere* spectrum = nullptr;
};

// Both windows shown, laid out, with the mouse over the signal's chart.
CursorsSpectrumExample openCursorsSpectrumExample();

}  // namespace qtl
