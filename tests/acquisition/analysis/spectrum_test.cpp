// Spectra of sampled sines of known frequency and amplitude: even and uneven sampling, a
// prime number of points, every window; grid lengths and the resampling itself.
#include "analysis/spectrum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <random>
#include <vector>

#include "qtl_error.h"

namespace qtl {
namespace {

struct Samples {
    std::vector<double> xs, ys;
};

// offset + a sin(2 pi f x) at x = i h, each moved by up to jitter * h when jitter > 0.
Samples sine(std::size_t n, double h, double f, double a, double jitter = 0, double offset = 0) {
    Samples s;
    std::mt19937 random(7);
    std::uniform_real_distribution<double> move(-jitter, jitter);
    for (std::size_t i = 0; i < n; ++i) {
        const double x = (static_cast<double>(i) + (jitter > 0 ? move(random) : 0)) * h;
        s.xs.push_back(x);
        s.ys.push_back(offset + a * std::sin(2 * std::numbers::pi * f * x));
    }
    return s;
}

TEST(Spectrum, SineOnABinGivesItsAmplitudeAndFrequencyInEveryWindow) {
    // 1000 points 1 ms apart: bins 1 Hz apart, 50 Hz falls on one.
    const Samples s = sine(1000, 0.001, 50, 2.5, 0, 1);
    for (const SpectrumWindow w : kSpectrumWindows) {
        const Spectrum sp = amplitudeSpectrum(s.xs, s.ys, w);
        SCOPED_TRACE(spectrumWindowCaption(w));
        EXPECT_EQ(sp.gridLength, 1000u);
        ASSERT_EQ(sp.frequencies.size(), 501u);
        EXPECT_NEAR(sp.frequencies[1], 1, 1e-9);
        EXPECT_NEAR(sp.frequencies.back(), 500, 1e-6);
        ASSERT_TRUE(sp.peakFrequency);
        EXPECT_NEAR(*sp.peakFrequency, 50, 1e-6);
        EXPECT_NEAR(sp.peakAmplitude, 2.5, 1e-6);
        EXPECT_NEAR(sp.amplitudes[50], 2.5, 1e-6);
        EXPECT_NEAR(sp.amplitudes[0], 1, 1e-6);  // the offset, not taken for the peak
    }
}

TEST(Spectrum, SineBetweenBinsEvenUnevenAndPrimeCounts) {
    const struct {
        const char* what;
        std::size_t n;
        double jitter;
        double f;
        std::size_t grid;
    } cases[] = {
        {"even, between bins", 1000, 0, 50.3, 1000},
        {"prime count", 1009, 0, 123.4, 1024},
        {"uneven", 2000, 0.3, 37.7, 2000},
        {"uneven, prime count", 997, 0.4, 61.2, 1000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Samples s = sine(c.n, 0.001, c.f, 1.7, c.jitter);
        const Spectrum sp = amplitudeSpectrum(s.xs, s.ys);
        EXPECT_EQ(sp.gridLength, c.grid);
        const double binWidth = sp.frequencies[1];
        ASSERT_TRUE(sp.peakFrequency);
        EXPECT_NEAR(*sp.peakFrequency, c.f, 0.05 * binWidth);
        EXPECT_NEAR(sp.peakAmplitude, 1.7, 0.02 * 1.7);
        EXPECT_EQ(spectrumPeakText(sp).rfind("pic à ", 0), 0u);
    }
}

TEST(Spectrum, TooFewPointsAndNoPeak) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(amplitudeSpectrum(std::vector<double>{1}, std::vector<double>{2}), CommandError);
    EXPECT_THROW(amplitudeSpectrum(std::vector<double>{1, 1, 1}, std::vector<double>{2, 3, 4}),
                 CommandError);
    EXPECT_THROW(amplitudeSpectrum(std::vector<double>{0, 1}, std::vector<double>{nan, 4}),
                 CommandError);
    const std::vector<double> xs{0, 1, 2, 3, 4, 5, 6, 7};
    const Spectrum flat =
        amplitudeSpectrum(xs, std::vector<double>(8, 3.0), SpectrumWindow::Rectangular);
    EXPECT_FALSE(flat.peakFrequency);
    EXPECT_EQ(spectrumPeakText(flat), "pas de pic");
    EXPECT_NEAR(flat.amplitudes[0], 3, 1e-12);
}

TEST(Spectrum, GridLengthsHaveOnlySmallPrimeFactors) {
    const struct {
        std::size_t n, m;
    } cases[] = {
        {0, 1},           {1, 1}, {7, 7}, {11, 12}, {13, 14}, {1009, 1024}, {1000000, 1000000},
        {999983, 1000000}};
    for (const auto& c : cases) EXPECT_EQ(fftLength(c.n), c.m) << c.n;
}

TEST(Spectrum, ResamplingIsLinearSkipsGapsAndKeepsTheEnds) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // y = 2x + 1 on uneven X, with a gap and a repeated last X.
    const std::vector<double> xs{0, 0.3, 1, 1.5, 2.9, 4, 4};
    const std::vector<double> ys{1, 1.6, nan, 4, 6.8, 9, 100};
    const EvenGrid g = resampleEvenly(xs, ys, 9);
    EXPECT_DOUBLE_EQ(g.start, 0);
    EXPECT_DOUBLE_EQ(g.step, 0.5);
    ASSERT_EQ(g.values.size(), 9u);
    for (std::size_t i = 0; i < g.values.size(); ++i)
        EXPECT_NEAR(g.values[i], 2 * (0.5 * static_cast<double>(i)) + 1, 1e-12) << i;

    const std::vector<double> shown{0, 1, 2, 2, 3, 5};
    EXPECT_EQ(shownRange(shown, 1, 3), (std::pair<std::size_t, std::size_t>{1, 5}));
    EXPECT_EQ(shownRange(shown, 3.5, 4), (std::pair<std::size_t, std::size_t>{5, 5}));
}

}  // namespace
}  // namespace qtl
