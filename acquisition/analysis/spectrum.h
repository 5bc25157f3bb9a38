// The amplitude spectrum of a series: its points resampled linearly onto an even grid of as
// many points, weighted by a window, padded with zeros to a length with only small prime
// factors (so the transform stays fast for any count), transformed, and scaled so that a
// sine of amplitude a shows a peak of a.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace qtl {

enum class SpectrumWindow { Rectangular, Hann, Hamming, BlackmanHarris };

inline constexpr SpectrumWindow kSpectrumWindows[] = {SpectrumWindow::Rectangular,
                                                      SpectrumWindow::Hann, SpectrumWindow::Hamming,
                                                      SpectrumWindow::BlackmanHarris};

// "rectangulaire", "Hann", "Hamming", "Blackman-Harris".
const char* spectrumWindowCaption(SpectrumWindow w);

// The smallest length >= n whose prime factors are all 2, 3, 5 or 7 (1 for n <= 1).
std::size_t fftLength(std::size_t n);

// The values of the polyline through the finite points (xs ascending) at `length` evenly
// spaced abscissas from the first to the last finite X; one pass over the points.
struct EvenGrid {
    double start = 0;
    double step = 0;
    std::vector<double> values;
};
EvenGrid resampleEvenly(std::span<const double> xs, std::span<const double> ys, std::size_t length);

struct Spectrum {
    std::vector<double> frequencies;  // cycles per unit of X, from 0 to the Nyquist frequency
    std::vector<double> amplitudes;
    std::size_t gridLength = 0;  // of the transform, zeros included
    // The largest local maximum above frequency 0, interpolated between bins.
    std::optional<double> peakFrequency;
    double peakAmplitude = 0;
};

// Throws CommandError (French text) with fewer than two finite points of distinct X.
Spectrum amplitudeSpectrum(std::span<const double> xs, std::span<const double> ys,
                           SpectrumWindow window = SpectrumWindow::Hann);

// The index range [first, last) of the points with min <= x <= max (xs ascending).
std::pair<std::size_t, std::size_t> shownRange(std::span<const double> xs, double min, double max);

// "pic à 12.5" (the peak frequency) or "pas de pic".
std::string spectrumPeakText(const Spectrum& s);

}  // namespace qtl
