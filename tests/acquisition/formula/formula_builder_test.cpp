// Tree builder: preparation, tokens, grammar (precedence, associativity, MIN/MAX) and the
// fallback of Definis_Fonction.
#include <gtest/gtest.h>

#include <string>

#include "formula/formula_builder.h"
#include "formula_test_support.h"

namespace qtl::test {
namespace {

// Fully parenthesised rendering of a tree: operators in prefix form.
std::string render(const FormulaNode* n) {
    if (n == nullptr) return "null";
    switch (n->kind) {
        case FormulaNodeKind::Operator:
            return std::string(1, n->tag) + "(" + render(n->first.get()) + "," +
                   render(n->second.get()) + ")";
        case FormulaNodeKind::Function:
            return std::string(functionName(n->tag)) + "(" + render(n->first.get()) + ")";
        case FormulaNodeKind::Variable:
            return std::string(1, n->tag);
        case FormulaNodeKind::Constant: {
            std::string s = std::to_string(n->value);
            s.erase(s.find_last_not_of('0') + 1);
            if (s.back() == '.') s.pop_back();
            return s;
        }
        case FormulaNodeKind::Sign:
            return std::string(1, n->tag) + render(n->first.get());
    }
    return "?";
}

std::string treeOf(std::string_view text) {
    fatalErrorMode = false;
    BuildResult built = aa_FONCTOR(text);
    fatalErrorMode = true;
    pendingErrorNumber = 0;
    return built.failure == BuildFailure::None ? render(built.root.get()) : "fail";
}

BuildFailure failureOf(std::string_view text) {
    fatalErrorMode = false;
    BuildResult built = aa_FONCTOR(text);
    fatalErrorMode = true;
    pendingErrorNumber = 0;
    EXPECT_EQ(built.root == nullptr, built.failure != BuildFailure::None);
    return built.failure;
}

struct PrepCase {
    const char* text;
    const char* prepared;
    BuildFailure failure;
};

class Preparation : public FormulaTest, public testing::WithParamInterface<PrepCase> {};

TEST_P(Preparation, RewritesTheText) {
    const PrepCase c = GetParam();
    PreparedText p = prepareFormulaText(c.text);
    EXPECT_EQ(p.failure, c.failure) << c.text;
    if (c.failure == BuildFailure::None) {
        EXPECT_EQ(p.text, c.prepared) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Preparation,
    testing::Values(PrepCase{"p + a", "P+A$", BuildFailure::None},
                    PrepCase{"1 000*p", "1000*P$", BuildFailure::None},
                    PrepCase{"s in(p)", "SIN(P)$", BuildFailure::None},
                    PrepCase{"p mod a", "P%A$", BuildFailure::None},
                    PrepCase{"max(p,a)", "(P)>(A)$", BuildFailure::None},
                    PrepCase{"MIN(P,A)", "(P)<(A)$", BuildFailure::None},
                    PrepCase{"MIN(P,MAX(A,S))", "(P)<((A)>(S))$", BuildFailure::None},
                    PrepCase{"MAX(MIN(P,A),S)", "((P)<(A))>(S)$", BuildFailure::None},
                    PrepCase{"Été", "ÉTé$", BuildFailure::None},
                    PrepCase{"1,5*P", "", BuildFailure::EmptyOrStrayComma},
                    PrepCase{"", "", BuildFailure::EmptyOrStrayComma},
                    PrepCase{"   ", "", BuildFailure::EmptyOrStrayComma},
                    PrepCase{"P,A", "", BuildFailure::EmptyOrStrayComma}));

TEST_F(FormulaTest, EightyCharactersLeaveNoRoomForTheEndMarker) {
    const std::string ok = "P" + std::string(78, ' ');
    const std::string tooLong = "P" + std::string(79, ' ');
    EXPECT_EQ(prepareFormulaText(ok).failure, BuildFailure::None);
    EXPECT_EQ(prepareFormulaText(tooLong).failure, BuildFailure::TooLong);
    // Characters, not bytes: 79 accented letters still fit.
    std::string accents;
    for (int i = 0; i < 79; ++i) accents += "é";
    EXPECT_EQ(prepareFormulaText(accents).failure, BuildFailure::None);
}

struct TreeCase {
    const char* text;
    const char* tree;
};

class Grammar : public FormulaTest, public testing::WithParamInterface<TreeCase> {};

TEST_P(Grammar, BuildsTheTree) {
    const TreeCase c = GetParam();
    EXPECT_EQ(treeOf(c.text), c.tree) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Precedence, Grammar,
    testing::Values(TreeCase{"P+A*S", "+(P,*(A,S))"}, TreeCase{"P*A+S", "+(*(P,A),S)"},
                    TreeCase{"P-A-S", "-(-(P,A),S)"}, TreeCase{"P/A/S", "/(/(P,A),S)"},
                    TreeCase{"2^3^2", "^(^(2,3),2)"}, TreeCase{"P*A^2", "*(P,^(A,2))"},
                    TreeCase{"-P^2", "-^(P,2)"}, TreeCase{"-7 MOD 2", "-%(7,2)"},
                    TreeCase{"(-7) MOD 2", "%(-7,2)"}, TreeCase{"+P-A", "-(+P,A)"},
                    TreeCase{"-P*A+S", "+(-*(P,A),S)"}, TreeCase{"2^(-1)", "^(2,-1)"},
                    TreeCase{"SIN(-P)", "SIN(-P)"}, TreeCase{"((P))", "P"},
                    TreeCase{"PI*E", "*(3.141593,2.718282)"}, TreeCase{"p+a", "+(P,A)"},
                    TreeCase{"P%A*S", "*(%(P,A),S)"}, TreeCase{"LOG(P)", "LOG(P)"},
                    TreeCase{"sqrt(abs(p))", "SQRT(ABS(P))"}));

INSTANTIATE_TEST_SUITE_P(
    MinMax, Grammar,
    testing::Values(TreeCase{"MAX(P,A)", ">(P,A)"}, TreeCase{"MIN(P,A)", "<(P,A)"},
                    TreeCase{"MIN(P,MAX(A,S))", "<(P,>(A,S))"},
                    TreeCase{"MAX(MAX(P,A),S)", ">(>(P,A),S)"}, TreeCase{"(P)>(A)", ">(P,A)"},
                    TreeCase{"(P)>A>S", ">(>(P,A),S)"}, TreeCase{"(P)>(A)<(S)", ">(P,<(A,S))"},
                    TreeCase{"MAX(P,A)-MIN(S,T)", "-(>(P,A),<(S,T))"},
                    TreeCase{"MAX(P,A)^2", "^(>(P,A),2)"},
                    TreeCase{"MAX(P+1,A*2)", ">(+(P,1),*(A,2))"}));

INSTANTIATE_TEST_SUITE_P(Numbers, Grammar,
                         testing::Values(TreeCase{"1.5E3", "1500"}, TreeCase{"1.5e-3", "0.0015"},
                                         TreeCase{"2E+2", "200"}, TreeCase{"1.", "1"},
                                         TreeCase{"007", "7"}, TreeCase{"1E-400", "0"},
                                         TreeCase{"2*E", "*(2,2.718282)"}));

struct FailureCase {
    const char* text;
    BuildFailure failure;
};

class Failures : public FormulaTest, public testing::WithParamInterface<FailureCase> {};

TEST_P(Failures, StopsWithTheKind) {
    const FailureCase c = GetParam();
    EXPECT_EQ(failureOf(c.text), c.failure) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Failures,
    testing::Values(FailureCase{"LOG10(P)", BuildFailure::FunctionWithoutParenthesis},
                    FailureCase{"SIN 2", BuildFailure::FunctionWithoutParenthesis},
                    FailureCase{"SIN(P", BuildFailure::MissingClosingParenthesis},
                    FailureCase{"(P+A", BuildFailure::MissingClosingParenthesis},
                    FailureCase{"SINP", BuildFailure::UnknownName},
                    FailureCase{"PIE", BuildFailure::UnknownName},
                    FailureCase{"P*-A", BuildFailure::OperandExpected},
                    FailureCase{"2^-1", BuildFailure::OperandExpected},
                    FailureCase{"P+", BuildFailure::OperandExpected},
                    FailureCase{".5", BuildFailure::OperandExpected},
                    FailureCase{"--P", BuildFailure::OperandExpected},
                    FailureCase{"P>0", BuildFailure::TrailingCharacters},
                    FailureCase{"2P", BuildFailure::TrailingCharacters},
                    FailureCase{"P)", BuildFailure::TrailingCharacters},
                    FailureCase{"P$A", BuildFailure::TrailingCharacters},
                    FailureCase{"1.5.3", BuildFailure::TrailingCharacters},
                    FailureCase{"SIN(P)>(A)", BuildFailure::TrailingCharacters},
                    FailureCase{"1,5*P", BuildFailure::EmptyOrStrayComma},
                    FailureCase{"", BuildFailure::EmptyOrStrayComma},
                    FailureCase{"2EXP(1)", BuildFailure::MalformedNumber},
                    FailureCase{"2E", BuildFailure::MalformedNumber},
                    FailureCase{"1E999", BuildFailure::MalformedNumber}));

TEST_F(FormulaTest, BuildFailureIsRecordedAsSyntaxError) {
    fatalErrorMode = false;
    BuildResult built = aa_FONCTOR("P+");
    EXPECT_EQ(pendingErrorNumber, 69);
    EXPECT_EQ(built.root, nullptr);
    pendingErrorNumber = 0;
    fatalErrorMode = true;
}

TEST_F(FormulaTest, BuildFailureOutsideCompilationIsFatal) {
    Report r = reportOf([] { aa_FONCTOR("P+"); });
    EXPECT_EQ(r.text, "Erreur fatale 69: 'Erreur de syntaxe'détectée dans aa_FONCTOR");
}

// --- Definis_Fonction ---------------------------------------------------------------------

struct CompileCase {
    const char* text;
    bool fallsBack;
};

class Compile : public FormulaTest, public testing::WithParamInterface<CompileCase> {};

TEST_P(Compile, FallsBackToTheFirstParameter) {
    const CompileCase c = GetParam();
    CompiledFormula f;
    Definis_Fonction("past", c.text, f);
    EXPECT_EQ(formulaError, c.fallsBack) << c.text;
    EXPECT_EQ(f.parameters(), "PAST");
    EXPECT_EQ(f.text(), c.fallsBack ? std::string("P") : std::string(c.text));
    EXPECT_EQ(Evalue4(f, 3, 5, 7, 11) == 3.0, c.fallsBack || std::string(c.text) == "P") << c.text;
    EXPECT_EQ(pendingErrorNumber, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, Compile,
                         testing::Values(CompileCase{"P", false}, CompileCase{"a+s", false},
                                         CompileCase{"MAX(P,A)*T", false},
                                         CompileCase{"LOG10(P)", true}, CompileCase{"SINP", true},
                                         CompileCase{"2P", true}, CompileCase{"Q", true},
                                         CompileCase{"X+P", true}, CompileCase{"P>A", true},
                                         CompileCase{"1,5*P", true}, CompileCase{"2^-1", true},
                                         CompileCase{"", true}, CompileCase{"E", false}));

TEST_F(FormulaTest, CompileKeepsThePendingNumberAndFatalModeOfTheCaller) {
    pendingErrorNumber = 12;
    CompiledFormula f;
    Definis_Fonction("PAST", "P+", f);
    EXPECT_TRUE(formulaError);
    EXPECT_EQ(pendingErrorNumber, 12);
    EXPECT_TRUE(fatalErrorMode);
    pendingErrorNumber = 0;
}

TEST_F(FormulaTest, SuccessfulCompileClearsFormulaError) {
    CompiledFormula f;
    Definis_Fonction("PAST", "P+", f);
    ASSERT_TRUE(formulaError);
    Definis_Fonction("PAST", "P+1", f);
    EXPECT_FALSE(formulaError);
}

TEST_F(FormulaTest, TransformationListFallsBackToItsFirstLetter) {
    CompiledFormula f;
    Definis_Fonction("ASXP", "T", f);
    EXPECT_TRUE(formulaError);
    EXPECT_EQ(f.text(), "A");
    EXPECT_EQ(Evalue4(f, 2, 3, 4, 5), 2.0);
}

class BadParameterList : public FormulaTest, public testing::WithParamInterface<const char*> {};

TEST_P(BadParameterList, IsFatal) {
    CompiledFormula f;
    testing::internal::CaptureStdout();
    Report r = reportOf([&] { Definis_Fonction(GetParam(), "P", f); });
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(r.number, 51);
    EXPECT_EQ(r.text,
              "Erreur fatale 51: 'liste de paramètres formels incorrecte'détectée dans "
              "Definis_Fonction");
    EXPECT_TRUE(f.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, BadParameterList,
                         testing::Values("PASTX", "PAP", "PE", "P1", "", "PÉ"));

TEST_F(FormulaTest, RecompilingReplacesTheWholeRecord) {
    CompiledFormula f;
    Definis_Fonction("PAST", "P*A", f);
    CompiledFormula copy = f;
    Definis_Fonction("PA", "A-P", f);
    EXPECT_EQ(f.text(), "A-P");
    EXPECT_EQ(f.parameters(), "PA");
    EXPECT_EQ(Evalue2(f, 2, 10), 8.0);
    // The copy is independent of the recompiled record.
    EXPECT_EQ(copy.text(), "P*A");
    EXPECT_EQ(Evalue4(copy, 2, 10, 0, 0), 20.0);
    EXPECT_NE(copy.root(), f.root());
}

}  // namespace
}  // namespace qtl::test
