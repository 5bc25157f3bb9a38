// What a user meets when a fit cannot give a good answer: a clear message, and never a wrong
// answer presented as good.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "analysis/curve_fit.h"
#include "fit_test_support.h"

namespace qtl {
namespace {

bool converged(const FitResult& r) {
    return r.status == FitStatus::Ok;
}

TEST(FitFailures, FreeModelsThatCannotBeUsedSaySo) {
    struct Row {
        const char* text;
        const char* message;
    } rows[] = {
        {"C*(X", "Erreur dans la fonction : le modèle libre ne se compile pas."},
        {"P*X+C", "Le paramètre P n'est pas permis : P, A, S, T, X et E sont réservés."},
        {"C*X+T", "Le paramètre T n'est pas permis : P, A, S, T, X et E sont réservés."},
        {"2*X+E", "Le modèle libre doit contenir au moins un paramètre (une lettre)."},
        {"B+C*X+D*X^2+F*X^3+G*X^4+H*X^5+K*X^6", "Le modèle libre a au plus 6 paramètres (ici 7)."},
        {"C*X+CC", "Erreur dans la fonction : le modèle libre ne se compile pas."},
    };
    const std::vector<double> xs{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    for (const Row& row : rows) {
        const FitModel model(ModelChoice{ModelKind::Free, 2, row.text});
        EXPECT_FALSE(model.valid()) << row.text;
        const FitResult r = fitCurve(model, xs, xs);
        EXPECT_EQ(r.status, FitStatus::Failed) << row.text;
        EXPECT_EQ(r.message, row.message) << row.text;
    }
    // Letters are found in order of first use; E in a number's exponent is no letter.
    const FitModel ok(ModelChoice{ModelKind::Free, 2, "k*exp(-x/u)+1e-3*x+b"});
    ASSERT_TRUE(ok.valid()) << ok.error();
    EXPECT_EQ(ok.names(), (std::vector<std::string>{"K", "U", "B"}));
}

TEST(FitFailures, TooFewPointsAndNonFinitePoints) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const FitModel parabola(ModelChoice{ModelKind::Polynomial, 2, ""});
    const std::vector<double> xs{0, 1, nan, 2, 3, inf};
    const std::vector<double> ys{1, 2, 5, inf, 10, 4};
    FitResult r = fitCurve(parabola, xs, ys);
    EXPECT_EQ(r.status, FitStatus::Failed);
    EXPECT_EQ(r.message,
              "Trop peu de points : 3 point(s) utilisable(s), il en faut au moins 4 pour ce "
              "modèle.");
    EXPECT_EQ(r.pointsSkipped, 3u);

    // The same points and one more: the non-finite ones are skipped and counted.
    const std::vector<double> xs2{0, 1, nan, 2, 3, inf, 4};
    const std::vector<double> ys2{1, 2, 5, inf, 10, 4, 17};
    r = fitCurve(parabola, xs2, ys2);
    ASSERT_EQ(r.status, FitStatus::Ok) << r.message;
    EXPECT_EQ(r.pointsUsed, 4u);
    EXPECT_EQ(r.pointsSkipped, 3u);
    EXPECT_NEAR(r.values[0], 1, 1e-12);  // y = X²+1
    EXPECT_NEAR(r.values[1], 0, 1e-12);
    EXPECT_NEAR(r.values[2], 1, 1e-12);

    const FitModel power(ModelChoice{ModelKind::Power, 2, ""});
    r = fitCurve(power, std::vector<double>{-1, 1, 2, 3}, std::vector<double>{1, 1, 4, 9});
    EXPECT_EQ(r.message, "Le modèle puissance demande des X positifs ou nuls.");
}

TEST(FitFailures, NonConvergenceKeepsTheLastEstimate) {
    const FitModel model(ModelChoice{ModelKind::Free, 2, "U*SIN(W*X)"});
    const test::Samples s = test::samplesOf(model, {1, 5}, 0, 10, 300);
    const FitResult r = fitCurve(model, s.x, s.y, FitOptions{{}, {1, 4.8}, 3});
    EXPECT_EQ(r.status, FitStatus::NotConverged);
    EXPECT_EQ(r.message,
              "Le modèle ne converge pas après 3 itérations. La dernière estimation est "
              "affichée en grisé.");
    ASSERT_EQ(r.values.size(), 2u);
    EXPECT_TRUE(std::isfinite(r.values[0]) && std::isfinite(r.values[1]));
    EXPECT_FALSE(r.converged());
}

TEST(FitFailures, RedundantParametersHaveNoUncertainty) {
    const FitModel model(ModelChoice{ModelKind::Free, 2, "C*D*X+B"});
    const test::Samples s = test::samplesOf(model, {2, 3, 1}, 0, 10, 50, 0.01);
    const FitResult r = fitCurve(model, s.x, s.y, FitOptions{{}, {1, 1, 0}, 500});
    EXPECT_EQ(r.status, FitStatus::Undetermined);
    EXPECT_NE(r.message.find("Paramètre sans incertitude (jacobien singulier) : "),
              std::string::npos)
        << r.message;
    EXPECT_TRUE(std::isnan(r.uncertainties[0]) || std::isnan(r.uncertainties[1]));
    EXPECT_NEAR(r.values[0] * r.values[1], 6, 0.01);

    // All X equal: the slope of a line is not determined.
    const FitModel affine(ModelChoice{ModelKind::Affine, 2, ""});
    const FitResult a =
        fitCurve(affine, std::vector<double>{2, 2, 2, 2}, std::vector<double>{1, 2, 3, 4});
    EXPECT_EQ(a.status, FitStatus::Undetermined);
    EXPECT_TRUE(std::isnan(a.uncertainties[0]));
}

TEST(FitFailures, ArithmeticErrorsInTrialsAreRejectedSteps) {
    // SQRT(X−D) has no value once a trial puts D past the smallest X.
    const FitModel model(ModelChoice{ModelKind::Free, 2, "C*SQRT(X-D)"});
    const test::Samples s = test::samplesOf(model, {2, 1}, 1.001, 5, 200);
    const FitResult r = fitCurve(model, s.x, s.y, FitOptions{{}, {1, 0.5}, 500});
    ASSERT_EQ(r.status, FitStatus::Ok) << r.message;
    EXPECT_GT(r.rejectedEvaluations, 0);
    EXPECT_NEAR(r.values[0], 2, 1e-8);
    EXPECT_NEAR(r.values[1], 1, 1e-8);
    EXPECT_TRUE(fatalErrorMode);
    EXPECT_EQ(pendingErrorNumber, 0);

    // Where the starting values themselves cannot be evaluated, the fit cannot proceed.
    const FitResult bad = fitCurve(model, s.x, s.y, FitOptions{{}, {1, 3}, 500});
    EXPECT_EQ(bad.status, FitStatus::Failed);
    EXPECT_EQ(bad.message.rfind("Le modèle ne peut pas être calculé aux valeurs de départ", 0), 0u)
        << bad.message;
}

// Ill-conditioned cases end with a message, or with values within their uncertainties.
void expectMessageOrRightAnswer(const FitResult& r, const std::vector<double>& truth) {
    if (!converged(r)) {
        EXPECT_FALSE(r.message.empty());
        return;
    }
    for (std::size_t j = 0; j < truth.size(); ++j) {
        ASSERT_TRUE(std::isfinite(r.uncertainties[j])) << r.names[j];
        EXPECT_LE(std::abs(r.values[j] - truth[j]),
                  3 * r.uncertainties[j] + 1e-9 * std::abs(truth[j]))
            << r.names[j];
    }
}

TEST(FitFailures, IllConditionedCasesNeverGiveAWrongAnswerAsGood) {
    {  // two close time constants
        const FitModel model(ModelChoice{ModelKind::Free, 2, "C*EXP(-X/U)+D*EXP(-X/V)"});
        const std::vector<double> truth{1, 1, 1, 1.05};
        const test::Samples s = test::samplesOf(model, truth, 0, 8, 400, 1e-3);
        const FitResult r = fitCurve(model, s.x, s.y, FitOptions{{}, {0.8, 0.7, 1.2, 1.4}, 500});
        expectMessageOrRightAnswer(r, truth);
    }
    {  // a large offset on small variations
        const FitModel model(ModelChoice{ModelKind::Exponential, 2, ""});
        const std::vector<double> truth{2e-3, 1.5, 1e6};
        const test::Samples s = test::samplesOf(model, truth, 0, 8, 400, 2e-5);
        const FitResult r = fitCurve(model, s.x, s.y);
        expectMessageOrRightAnswer(r, truth);
        const FitModel affine(ModelChoice{ModelKind::Affine, 2, ""});
        const std::vector<double> line{1e-4, 5e6};
        const test::Samples l = test::samplesOf(affine, line, 0, 10, 400, 1e-5);
        expectMessageOrRightAnswer(fitCurve(affine, l.x, l.y), line);
    }
    {  // a degree-6 polynomial over X far from 0
        const FitModel model(ModelChoice{ModelKind::Polynomial, 6, ""});
        const std::vector<double> truth{1, 2, -1, 0.5, 0.1, -0.05, 0.01};
        const test::Samples s = test::samplesOf(model, truth, 1000, 1010, 400, 1e-3);
        const FitResult r = fitCurve(model, s.x, s.y);
        expectMessageOrRightAnswer(r, truth);
        // Small variations around X = 1005: the powers of X cancel each other to within
        // more than the variations themselves.
        const FitModel shifted(ModelChoice{ModelKind::Free, 2, "C+D*(X-1005)^6"});
        const test::Samples v = test::samplesOf(shifted, {1, 1e-3}, 1000, 1010, 400, 1e-4);
        const FitResult f = fitCurve(model, v.x, v.y);
        EXPECT_EQ(f.status, FitStatus::Failed);
        EXPECT_EQ(f.message.rfind("Modèle mal conditionné", 0), 0u) << f.message;
    }
}

}  // namespace
}  // namespace qtl
