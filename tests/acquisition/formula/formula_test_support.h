// Shared helpers of the formula tests: start every test with the library at rest, and check
// fatal reports.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "formula/formula.h"

namespace qtl::test {

class FormulaTest : public ::testing::Test {
  protected:
    void SetUp() override { initialiseFormulaLibrary(); }
    void TearDown() override {
        EXPECT_EQ(moduleNesting(), 0);
        EXPECT_TRUE(fatalErrorMode);
    }
};

struct Report {
    bool thrown = false;
    int number = -1;
    std::string text;
};

inline Report reportOf(const std::function<void()>& action) {
    Report report;
    try {
        action();
    } catch (const FormulaFatalError& e) {
        report.thrown = true;
        report.number = e.number();
        report.text = e.userText();
    }
    return report;
}

}  // namespace qtl::test
