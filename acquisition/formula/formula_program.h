// Flat evaluation program derived from an expression tree at compile time: a postfix list of
// steps whose leaf operands are read in place (variable slots, constants), so that common
// shapes such as P*A or X^2 take one step. Results and reports equal those of the tree walk.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "formula/formula.h"

namespace qtl {

class FormulaProgram {
  public:
    explicit FormulaProgram(const FormulaNode& root);
    FormulaProgram(const FormulaProgram&) = delete;
    FormulaProgram& operator=(const FormulaProgram&) = delete;

    // Value of the formula over formulaVariables.
    double run() const {
        if (single_ != nullptr) return *single_;
        return runSteps();
    }

    enum class Op : std::uint8_t;
    struct Step {
        Op op;
        std::int8_t exponent;  // whole power steps
        double (*function)(double);
        const double* a;  // left or only operand in memory
        const double* b;  // right operand in memory
    };

  private:
    struct Operand;
    Operand generate(const FormulaNode& node);
    void emit(Step step, int push);
    double runSteps() const;

    std::vector<Step> steps_;
    std::unique_ptr<double[]> constants_;
    std::size_t constantCount_ = 0;
    const double* single_ = nullptr;  // the whole formula is one variable or constant
    int depth_ = 0;
    int maxDepth_ = 0;
    std::unique_ptr<FormulaNode> fallbackTree_;  // too deep for the fixed stack: walk a copy
};

}  // namespace qtl
