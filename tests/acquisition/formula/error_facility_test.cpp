// Error facility: registration, report text, standard-output line, state after a report.
#include <gtest/gtest.h>

#include "formula/error_facility.h"
#include "formula_test_support.h"

namespace qtl::test {
namespace {

using ErrorFacilityTest = FormulaTest;

TEST_F(ErrorFacilityTest, ReportTextHasNoBlankBeforeDetectee) {
    EXPECT_EQ(fatalReportText(3, "division réelle par zéro", "Evalue4"),
              "Erreur fatale 3: 'division réelle par zéro'détectée dans Evalue4");
}

TEST_F(ErrorFacilityTest, OutermostOperationIsNamedInTheReport) {
    Report r = reportOf([] {
        ModuleScope outer(52, "Evalue4");
        ModuleScope inner(3, "DivReal");
        EXPECT_EQ(moduleNesting(), 2);
        reportLibraryError(3, "division réelle par zéro");
    });
    EXPECT_TRUE(r.thrown);
    EXPECT_EQ(r.number, 3);
    EXPECT_EQ(r.text, "Erreur fatale 3: 'division réelle par zéro'détectée dans Evalue4");
    EXPECT_EQ(moduleNesting(), 0);
    EXPECT_STREQ(outermostModuleName(), "le programme principal");
}

TEST_F(ErrorFacilityTest, ReportOutsideAnyOperationNamesTheMainProgram) {
    Report r = reportOf([] { reportLibraryError(7, "x"); });
    EXPECT_EQ(r.text, "Erreur fatale 7: 'x'détectée dans le programme principal");
}

TEST_F(ErrorFacilityTest, ReportIsACommandError) {
    try {
        reportLibraryError(5, "Racine carrée d'un nombre négatif");
        FAIL() << "no exception";
    } catch (const CommandError& e) {
        EXPECT_EQ(e.userText(),
                  "Erreur fatale 5: 'Racine carrée d'un nombre négatif'détectée dans le "
                  "programme principal");
    }
}

TEST_F(ErrorFacilityTest, StandardOutputLineWithoutPendingNumber) {
    testing::internal::CaptureStdout();
    reportOf([] { reportLibraryError(3, "division réelle par zéro"); });
    EXPECT_EQ(testing::internal::GetCapturedStdout(), ".\n");
}

TEST_F(ErrorFacilityTest, StandardOutputLineNamesThePendingNumber) {
    pendingErrorNumber = 69;
    testing::internal::CaptureStdout();
    reportOf([] { reportLibraryError(3, "division réelle par zéro"); });
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              ", une erreur 69 s'étant produite auparavant.\n");
    EXPECT_EQ(pendingErrorNumber, 69);
}

TEST_F(ErrorFacilityTest, RegistrationKeepsTheOutermostOperation) {
    DebutModule(52, "Evalue4");
    DebutModule(15, "PuissReal");
    EXPECT_STREQ(outermostModuleName(), "Evalue4");
    EXPECT_EQ(outermostModuleNumber(), 52);
    FinModule();
    EXPECT_STREQ(outermostModuleName(), "Evalue4");
    FinModule();
    EXPECT_STREQ(outermostModuleName(), "le programme principal");
    EXPECT_EQ(moduleNesting(), 0);
}

struct NonFatalCase {
    int outerNumber;  // 0: the reporting operation is the outermost one
    int reported;
    int pendingBefore;
    int expected;
};

class NonFatalRecording : public FormulaTest, public testing::WithParamInterface<NonFatalCase> {};

TEST_P(NonFatalRecording, RecordsOutermostNumberOnce) {
    const NonFatalCase c = GetParam();
    fatalErrorMode = false;
    pendingErrorNumber = c.pendingBefore;
    {
        std::optional<ModuleScope> outer;
        if (c.outerNumber != 0) outer.emplace(c.outerNumber, "outer");
        ModuleScope inner(c.reported, "inner");
        testing::internal::CaptureStdout();
        reportLibraryError(c.reported, "m");
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    }
    EXPECT_EQ(pendingErrorNumber, c.expected);
    fatalErrorMode = true;
}

INSTANTIATE_TEST_SUITE_P(Cases, NonFatalRecording,
                         testing::Values(NonFatalCase{0, 3, 0, 3}, NonFatalCase{51, 69, 0, 51},
                                         NonFatalCase{52, 3, 0, 52}, NonFatalCase{0, 3, 7, 7},
                                         NonFatalCase{51, 69, 69, 69}));

TEST_F(ErrorFacilityTest, TooManyFinModuleIsFatalAndLeavesTheFacilityAtRest) {
    Report r = reportOf([] { FinModule(); });
    EXPECT_TRUE(r.thrown);
    EXPECT_EQ(r.text, "Erreur fatale Plus de 'FinModule' que de 'DebutModule'");
    EXPECT_EQ(moduleNesting(), 0);
}

TEST_F(ErrorFacilityTest, NestingOverflowIsFatalAndUnwindsCleanly) {
    std::function<void(int)> nest = [&](int depth) {
        ModuleScope scope(1, "deep");
        if (depth < 1000) nest(depth + 1);
    };
    Report r = reportOf([&] { nest(0); });
    EXPECT_TRUE(r.thrown);
    EXPECT_EQ(r.text, "Erreur fatale Appels de modules de bibliotheques trop nombreux");
    EXPECT_EQ(moduleNesting(), 0);
    EXPECT_STREQ(outermostModuleName(), "le programme principal");
}

TEST_F(ErrorFacilityTest, ScopeRestoresItsLevelWhenTheInsideUnbalancedIt) {
    {
        ModuleScope scope(2, "MultReal");
        DebutModule(3, "DivReal");  // never closed
    }
    EXPECT_EQ(moduleNesting(), 0);
    EXPECT_STREQ(outermostModuleName(), "le programme principal");
}

}  // namespace
}  // namespace qtl::test
