// Amplitude spectrum through GSL's mixed-radix real FFT.
#include "analysis/spectrum.h"

#include <gsl/gsl_errno.h>
#include <gsl/gsl_fft_real.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <memory>
#include <numbers>

#include "analysis/cursor_readout.h"
#include "qtl_error.h"

namespace qtl {

namespace {

constexpr const char* kTooFewPoints =
    "Pas assez de points pour un spectre : il en faut au moins deux d'abscisses différentes.";

double windowWeight(SpectrumWindow w, std::size_t i, std::size_t m) {
    const double t = 2 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(m);
    switch (w) {
        case SpectrumWindow::Rectangular:
            return 1;
        case SpectrumWindow::Hann:
            return 0.5 - 0.5 * std::cos(t);
        case SpectrumWindow::Hamming:
            return 0.54 - 0.46 * std::cos(t);
        case SpectrumWindow::BlackmanHarris:
            return 0.35875 - 0.48829 * std::cos(t) + 0.14128 * std::cos(2 * t) -
                   0.01168 * std::cos(3 * t);
    }
    return 1;
}

// GSL's default handler aborts the process; errors come back as return codes instead.
class GslErrorsReturned {
  public:
    GslErrorsReturned() : previous_(gsl_set_error_handler_off()) {}
    ~GslErrorsReturned() { gsl_set_error_handler(previous_); }
    GslErrorsReturned(const GslErrorsReturned&) = delete;
    GslErrorsReturned& operator=(const GslErrorsReturned&) = delete;

  private:
    gsl_error_handler_t* previous_;
};

struct WavetableFree {
    void operator()(gsl_fft_real_wavetable* p) const { gsl_fft_real_wavetable_free(p); }
};
struct WorkspaceFree {
    void operator()(gsl_fft_real_workspace* p) const { gsl_fft_real_workspace_free(p); }
};

void realFft(std::vector<double>& data) {
    const GslErrorsReturned guard;
    const std::unique_ptr<gsl_fft_real_wavetable, WavetableFree> table(
        gsl_fft_real_wavetable_alloc(data.size()));
    const std::unique_ptr<gsl_fft_real_workspace, WorkspaceFree> work(
        gsl_fft_real_workspace_alloc(data.size()));
    if (!table || !work ||
        gsl_fft_real_transform(data.data(), 1, data.size(), table.get(), work.get()) != GSL_SUCCESS)
        throw CommandError("Le calcul du spectre a échoué.");
}

// The response of the window over n samples, padded to m, to a sine `delta` bins away from a
// bin, relative to a sine on it.
double windowResponse(SpectrumWindow w, std::size_t n, std::size_t m, double delta) {
    const std::complex<double> turn =
        std::polar(1.0, 2 * std::numbers::pi * delta / static_cast<double>(m));
    std::complex<double> phase = 1, sum = 0;
    double weightSum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double weight = windowWeight(w, i, n);
        sum += weight * phase;
        weightSum += weight;
        phase *= turn;
    }
    return std::abs(sum) / weightSum;
}

// Refines a peak at bin k by a parabola through the logarithms of its neighbours, then
// undoes the window's loss at that distance from the bin.
void interpolatePeak(const std::vector<double>& a, std::size_t k, double df, SpectrumWindow w,
                     std::size_t n, std::size_t m, Spectrum& s) {
    s.peakFrequency = static_cast<double>(k) * df;
    s.peakAmplitude = a[k];
    // A sine exactly on a bin of the rectangular window leaves its neighbours at rounding
    // noise, whose logarithms would only move the peak.
    const double negligible = 1e-9 * a[k];
    if (k + 1 >= a.size() || a[k - 1] <= negligible || a[k + 1] <= negligible) return;
    const double l = std::log(a[k - 1]), c = std::log(a[k]), r = std::log(a[k + 1]);
    const double den = l - 2 * c + r;
    if (den >= 0) return;
    const double p = std::clamp(0.5 * (l - r) / den, -0.5, 0.5);
    s.peakFrequency = (static_cast<double>(k) + p) * df;
    s.peakAmplitude = a[k] / windowResponse(w, n, m, p);
}

}  // namespace

const char* spectrumWindowCaption(SpectrumWindow w) {
    switch (w) {
        case SpectrumWindow::Rectangular:
            return "rectangulaire";
        case SpectrumWindow::Hann:
            return "Hann";
        case SpectrumWindow::Hamming:
            return "Hamming";
        case SpectrumWindow::BlackmanHarris:
            return "Blackman-Harris";
    }
    return "";
}

std::size_t fftLength(std::size_t n) {
    for (std::size_t m = std::max<std::size_t>(n, 1);; ++m) {
        std::size_t r = m;
        for (const std::size_t p : {2, 3, 5, 7})
            while (r % p == 0) r /= p;
        if (r == 1) return m;
    }
}

EvenGrid resampleEvenly(std::span<const double> xs, std::span<const double> ys,
                        std::size_t length) {
    const std::size_t n = std::min(xs.size(), ys.size());
    std::vector<std::size_t> kept;  // finite points only
    kept.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        if (std::isfinite(xs[i]) && std::isfinite(ys[i])) kept.push_back(i);
    if (kept.size() < 2 || length < 2 || !(xs[kept.back()] > xs[kept.front()]))
        throw CommandError(kTooFewPoints);
    EvenGrid g;
    g.start = xs[kept.front()];
    const double end = xs[kept.back()];
    g.step = (end - g.start) / static_cast<double>(length - 1);
    g.values.resize(length);
    std::size_t j = 0;  // segment kept[j] .. kept[j + 1]
    for (std::size_t i = 0; i < length; ++i) {
        const double x = i + 1 == length ? end : g.start + static_cast<double>(i) * g.step;
        while (j + 2 < kept.size() && xs[kept[j + 1]] <= x) ++j;
        const double x0 = xs[kept[j]], x1 = xs[kept[j + 1]];
        const double y0 = ys[kept[j]], y1 = ys[kept[j + 1]];
        // Past a repeated X the last of its points leads; a zero-width segment is left only
        // when the last X repeats, and its first point gives the value.
        g.values[i] = x1 > x0 ? y0 + (std::min(x, x1) - x0) / (x1 - x0) * (y1 - y0) : y0;
    }
    return g;
}

Spectrum amplitudeSpectrum(std::span<const double> xs, std::span<const double> ys,
                           SpectrumWindow window) {
    std::size_t finite = 0;
    for (std::size_t i = 0, n = std::min(xs.size(), ys.size()); i < n; ++i)
        finite += std::isfinite(xs[i]) && std::isfinite(ys[i]) ? 1 : 0;
    // Evenly spaced points fall on the grid as they are; the padding to a fast length adds
    // zeros after them rather than stretching the grid, which would interpolate every value.
    const std::size_t n = std::max<std::size_t>(finite, 2);
    const std::size_t m = fftLength(n);
    EvenGrid g = resampleEvenly(xs, ys, n);
    double weightSum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double w = windowWeight(window, i, n);
        g.values[i] *= w;
        weightSum += w;
    }
    g.values.resize(m, 0.0);
    realFft(g.values);

    // Half-complex order: re0, re1, im1, re2, im2, ..., and re(m/2) last when m is even.
    Spectrum s;
    s.gridLength = m;
    const std::size_t bins = m / 2 + 1;
    const double df = 1 / (static_cast<double>(m) * g.step);
    s.frequencies.resize(bins);
    s.amplitudes.resize(bins);
    for (std::size_t k = 0; k < bins; ++k) {
        double magnitude;
        if (k == 0)
            magnitude = std::abs(g.values[0]);
        else if (2 * k == m)
            magnitude = std::abs(g.values[m - 1]);
        else
            magnitude = std::hypot(g.values[2 * k - 1], g.values[2 * k]);
        // One-sided: every bin but 0 and Nyquist carries half the sine's power on each side.
        const double scale = (k == 0 || 2 * k == m) ? 1 : 2;
        s.frequencies[k] = static_cast<double>(k) * df;
        s.amplitudes[k] = scale * magnitude / weightSum;
    }

    std::optional<std::size_t> best;
    for (std::size_t k = 1; k < bins; ++k) {
        const bool rises = s.amplitudes[k] >= s.amplitudes[k - 1];
        const bool falls = k + 1 == bins || s.amplitudes[k] > s.amplitudes[k + 1];
        if (rises && falls && s.amplitudes[k] > 0 &&
            (!best || s.amplitudes[k] > s.amplitudes[*best]))
            best = k;
    }
    if (best) interpolatePeak(s.amplitudes, *best, df, window, n, m, s);
    return s;
}

std::pair<std::size_t, std::size_t> shownRange(std::span<const double> xs, double min, double max) {
    const auto first = std::lower_bound(xs.begin(), xs.end(), min);
    const auto last = std::upper_bound(first, xs.end(), max);
    return {static_cast<std::size_t>(first - xs.begin()),
            static_cast<std::size_t>(last - xs.begin())};
}

std::string spectrumPeakText(const Spectrum& s) {
    if (!s.peakFrequency) return "pas de pic";
    return "pic à " + formatCursorNumber(*s.peakFrequency);
}

}  // namespace qtl
