// Model formulas: lists of up to 7 letters and EvalueN; channel formulas keep their 4 letters.
#include <gtest/gtest.h>

#include <vector>

#include "formula_test_support.h"

namespace qtl {
namespace {

using test::FormulaTest;
using test::Report;
using test::reportOf;

TEST_F(FormulaTest, SevenLettersBindInOrderThroughEvalueN) {
    CompiledFormula f;
    Definis_FonctionN("xbcdfgh", "X+10*B+100*C+1000*D+1E4*F+1E5*G+1E6*H", f);
    ASSERT_FALSE(formulaError);
    EXPECT_EQ(f.parameters(), "XBCDFGH");
    const std::vector<double> values{1, 2, 3, 4, 5, 6, 7};
    EXPECT_EQ(EvalueN(f, values), 7654321.0);
    // Fewer values than letters: the others keep their slots.
    const std::vector<double> two{9, 0};
    EXPECT_EQ(EvalueN(f, two), 7654309.0);
}

TEST_F(FormulaTest, WideListsAreRefusedWhereTheyDoNotBelong) {
    struct Row {
        std::function<void()> action;
        int number;
        const char* text;
    } rows[] = {
        {[] {
             CompiledFormula f;
             Definis_Fonction("PASXB", "P", f);
         },
         51,
         "Erreur fatale 51: 'liste de paramètres formels incorrecte'détectée dans "
         "Definis_Fonction"},
        {[] {
             CompiledFormula f;
             Definis_FonctionN("XBCDFGHK", "X", f);
         },
         51,
         "Erreur fatale 51: 'liste de paramètres formels incorrecte'détectée dans "
         "Definis_Fonction"},
        {[] {
             CompiledFormula f;
             Definis_FonctionN("XEB", "X", f);
         },
         51,
         "Erreur fatale 51: 'liste de paramètres formels incorrecte'détectée dans "
         "Definis_Fonction"},
        {[] {
             CompiledFormula f;
             Definis_FonctionN("XB", "X+B", f);
             const std::vector<double> v{1, 2, 3};
             EvalueN(f, v);
         },
         52, "Erreur fatale 52: 'liste de paramètres effectifs incorrecte'détectée dans EvalueN"},
        {[] {
             CompiledFormula f;
             Definis_FonctionN("XB", "X/B", f);
             const std::vector<double> v{1, 0};
             EvalueN(f, v);
         },
         3, "Erreur fatale 3: 'division réelle par zéro'détectée dans EvalueN"},
    };
    testing::internal::CaptureStdout();
    for (const Row& row : rows) {
        const Report r = reportOf(row.action);
        EXPECT_TRUE(r.thrown) << row.text;
        EXPECT_EQ(r.number, row.number) << row.text;
        EXPECT_EQ(r.text, row.text);
    }
    testing::internal::GetCapturedStdout();
}

TEST_F(FormulaTest, FaultyModelTextFallsBackToTheFirstLetter) {
    CompiledFormula f;
    Definis_FonctionN("XBCDFGH", "B*(X", f);
    EXPECT_TRUE(formulaError);
    EXPECT_EQ(f.text(), "X");
    const std::vector<double> values{3, 1, 1, 1, 1, 1, 1};
    EXPECT_EQ(EvalueN(f, values), 3.0);
    // A letter outside the list is a failure too.
    Definis_FonctionN("XB", "X*K", f);
    EXPECT_TRUE(formulaError);
}

}  // namespace
}  // namespace qtl
