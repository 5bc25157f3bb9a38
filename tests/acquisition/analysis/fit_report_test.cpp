// The result's text: rounding to the uncertainty, the decimal mark of each copy.
#include "analysis/fit_report.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qtl {
namespace {

TEST(FitReport, NumbersFollowTheirUncertaintyAndDecimalMark) {
    struct Row {
        double value, uncertainty;
        char mark;
        const char* text;
    } rows[] = {
        {1.234567, 0.0012, '.', "1.2346"},           {1.234567, 0.0012, ',', "1,2346"},
        {-1234.5678, 2.5, '.', "-1234.6"},           {0.000123456, 1.1e-6, ',', "0,0001235"},
        {3.14159265358979, NAN, '.', "3.141592654"}, {2.0e9, 3.0e6, '.', "2.0000e+09"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(formatFitNumber(row.value, row.uncertainty, row.mark), row.text) << row.text;
    }
}

TEST(FitReport, TextListsEveryFactWithTheChosenMark) {
    const FitModel model(ModelChoice{ModelKind::Exponential, 2, ""});
    FitResult r;
    r.status = FitStatus::Ok;
    r.names = model.names();
    r.values = {5.125, 1.5, 0.75};
    r.uncertainties = {0.01, 0.002, NAN};
    r.residualStdDev = 0.0213;
    r.rSquared = 0.99875;
    r.iterations = 7;
    r.pointsUsed = 98;
    r.pointsSkipped = 2;
    const std::string comma = fitResultText(model, r, ',');
    EXPECT_EQ(comma,
              "Modèle : y = A·exp(−X/τ)+B\n"
              "A = 5,125 ± 0,010\n"
              "τ = 1,5000 ± 0,0020\n"
              "B = 0,75 (sans incertitude)\n"
              "écart-type des résidus = 0,0213\n"
              "R² = 0,998750\n"
              "itérations : 7\n"
              "points : 98 (2 ignorés : NaN ou infinis)\n");
    const std::string point = fitResultText(model, r, '.');
    EXPECT_NE(point.find("A = 5.125 ± 0.010\n"), std::string::npos);
    EXPECT_EQ(point.find(','), std::string::npos);
}

}  // namespace
}  // namespace qtl
