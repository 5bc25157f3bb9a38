// "Fréquence FFT(P)": a new graph window with the amplitude spectrum of P over the points
// shown, against frequency in cycles per unit of X. A bar on the window chooses the
// weighting window and copies the frequency of the largest peak, which the chart title shows.
#pragma once

#include <QToolBar>
#include <optional>
#include <string>
#include <vector>

#include "analysis/spectrum.h"

class QComboBox;

namespace qtl {

class Trepere;

// Opens and returns the spectrum window; nullptr when the points shown cannot give a
// spectrum (the user is told why).
Trepere* FerquenceFFTP1Click(Trepere& source);

// The spectrum window's bar: it keeps the source points and recomputes on a new choice.
class SpectrumBar : public QToolBar {
    Q_OBJECT
  public:
    SpectrumBar(Trepere& window, std::vector<double> xs, std::vector<double> ys);

    // Computes with `w` and fills the window; throws CommandError as amplitudeSpectrum.
    void compute(SpectrumWindow w);
    // Fills the window with a spectrum computed with `w`.
    void display(SpectrumWindow w, Spectrum spectrum);
    const Spectrum& spectrum() const { return spectrum_; }
    // Puts the peak frequency on the clipboard (nothing without a peak).
    void copyPeak() const;

  private:
    Trepere& window_;
    std::vector<double> xs_;
    std::vector<double> ys_;
    Spectrum spectrum_;
    QComboBox* choice_;
};

}  // namespace qtl
