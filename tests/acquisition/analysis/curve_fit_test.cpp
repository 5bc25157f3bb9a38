// Accuracy of every model: exact data give the parameters back to 1e-8 from the automatic
// starting values (the free model from values within a factor 2), noisy data (fixed seed)
// within 3 standard uncertainties; only the X range asked for is fitted.
#include "analysis/curve_fit.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fit_test_support.h"

namespace qtl {
namespace {

struct Case {
    const char* name;
    ModelChoice choice;
    std::vector<double> truth;
    double x0, x1;
    double noise;
    std::vector<double> start;  // free model only
};

std::vector<Case> cases() {
    return {
        {"linear", {ModelKind::Linear, 2, ""}, {2.5}, -3, 7, 0.05, {}},
        {"affine", {ModelKind::Affine, 2, ""}, {-1.25, 4}, 0, 10, 0.1, {}},
        {"parabola", {ModelKind::Polynomial, 2, ""}, {0.5, -2, 0}, -4, 6, 0.1, {}},
        {"degree3", {ModelKind::Polynomial, 3, ""}, {1, 0, -0.5, 0.25}, -2, 3, 0.05, {}},
        {"degree6",
         {ModelKind::Polynomial, 6, ""},
         {0.3, -1, 0.5, 0.2, -0.1, 0.02, 0.004},
         -2,
         3,
         0.01,
         {}},
        {"exponential", {ModelKind::Exponential, 2, ""}, {5, 1.5, 0.75}, 0, 8, 0.02, {}},
        {"growth", {ModelKind::Exponential, 2, ""}, {0.2, -2, -1}, 0, 5, 0.02, {}},
        {"rise", {ModelKind::FirstOrderRise, 2, ""}, {3.3, 0.02, 0.1}, 0, 0.15, 0.01, {}},
        {"dampedSine", {ModelKind::DampedSine, 2, ""}, {2, 3, 0.8, 0.6, 0.5}, 0, 6, 0.02, {}},
        {"undampedSine", {ModelKind::DampedSine, 2, ""}, {1, 500, 2, -2.5, 0}, 0, 10, 0.02, {}},
        {"power", {ModelKind::Power, 2, ""}, {1.7, -0.5}, 0.5, 20, 0.005, {}},
        {"free", {ModelKind::Free, 2, "K*X/(M+X)+C"}, {4, 1.5, 0.3}, 0, 10, 0.02, {2, 3, 0.6}},
        {"freeSine",
         {ModelKind::Free, 2, "U*COS(W*X+F)"},
         {1.5, 3, 0.4},
         0,
         4,
         0.02,
         {1, 2.5, 0.3}},
    };
}

class Accuracy : public ::testing::TestWithParam<Case> {};

TEST_P(Accuracy, ExactDataGiveTheParametersBack) {
    const Case& c = GetParam();
    const FitModel model(c.choice);
    ASSERT_TRUE(model.valid()) << model.error();
    const test::Samples s = test::samplesOf(model, c.truth, c.x0, c.x1, 200);
    const FitResult r = fitCurve(model, s.x, s.y, FitOptions{{}, c.start, 500});
    ASSERT_EQ(r.status, FitStatus::Ok) << r.message;
    ASSERT_EQ(r.values.size(), c.truth.size());
    for (std::size_t j = 0; j < c.truth.size(); ++j) {
        const double tolerance = c.truth[j] == 0 ? 1e-8 : 1e-8 * std::abs(c.truth[j]);
        EXPECT_NEAR(r.values[j], c.truth[j], tolerance) << r.names[j];
    }
    EXPECT_NEAR(r.rSquared, 1.0, 1e-12);
    EXPECT_LT(r.residualStdDev, 1e-7);
}

TEST_P(Accuracy, NoisyDataWithinThreeUncertainties) {
    const Case& c = GetParam();
    const FitModel model(c.choice);
    const test::Samples s = test::samplesOf(model, c.truth, c.x0, c.x1, 400, c.noise);
    const FitResult r = fitCurve(model, s.x, s.y, FitOptions{{}, c.start, 500});
    ASSERT_EQ(r.status, FitStatus::Ok) << r.message;
    for (std::size_t j = 0; j < c.truth.size(); ++j) {
        ASSERT_TRUE(std::isfinite(r.uncertainties[j])) << r.names[j];
        EXPECT_GT(r.uncertainties[j], 0) << r.names[j];
        EXPECT_LE(std::abs(r.values[j] - c.truth[j]), 3 * r.uncertainties[j]) << r.names[j];
    }
    // The residual standard deviation estimates the noise.
    EXPECT_NEAR(r.residualStdDev, c.noise, 0.15 * c.noise);
    EXPECT_EQ(r.pointsUsed, 400u);
    EXPECT_EQ(r.pointsSkipped, 0u);
}

INSTANTIATE_TEST_SUITE_P(Models, Accuracy, ::testing::ValuesIn(cases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CurveFit, OnlyTheRangeAskedForIsFitted) {
    const FitModel model(ModelChoice{ModelKind::Affine, 2, ""});
    test::Samples s = test::samplesOf(model, {2, 1}, 0, 10, 101);
    for (std::size_t i = 0; i < s.x.size(); ++i) {
        if (s.x[i] > 5) s.y[i] = 1000;  // outside the range shown
    }
    const FitResult r = fitCurve(model, s.x, s.y, FitOptions{{{0.0, 5.0}}, {}, 500});
    ASSERT_EQ(r.status, FitStatus::Ok);
    EXPECT_EQ(r.pointsUsed, 51u);
    EXPECT_NEAR(r.values[0], 2, 1e-10);
    EXPECT_NEAR(r.values[1], 1, 1e-10);
}

}  // namespace
}  // namespace qtl
