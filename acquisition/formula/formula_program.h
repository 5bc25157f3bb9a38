// Flat evaluation program derived from an expression tree at compile time: a postfix list of
// steps whose leaf operands are read in place (variable slots, constants), with fused steps
// for common shapes such as P*A, (P+1)*A or P*A+S/T. Results and reports equal those of the
// tree walk.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "formula/formula.h"

// The direct-threaded interpreter needs labels as values (a GNU extension).
#if defined(__GNUC__) && !defined(QTL_FORMULA_PORTABLE)
#define QTL_FORMULA_THREADED 1
#else
#define QTL_FORMULA_THREADED 0
#endif

namespace qtl {

class FormulaProgram {
  public:
    FormulaProgram(const FormulaNode& root, std::string_view parameters);
    FormulaProgram(const FormulaProgram&) = delete;
    FormulaProgram& operator=(const FormulaProgram&) = delete;

    int parameterCount() const { return parameterCount_; }
    // Stores the i-th value in the formulaVariables slot of the i-th parameter letter.
    void bind(int count, const double* values) const {
        for (int i = 0; i < count; ++i) *slots_[i] = values[i];
    }
    // Value of the formula over formulaVariables.
    double run() const {
        if (single_ != nullptr) return *single_;
        return runSteps();
    }
    // The same value through the standard C++ interpreter, whichever one run() uses (so that
    // the two can be timed side by side).
    double runPortable() const {
        if (single_ != nullptr) return *single_;
        return runSwitch();
    }

    enum class Op : std::uint8_t;
    struct Step {
        Op op;
        std::int8_t exponent;  // whole power steps
        double (*function)(double);
        const double* a;  // left or only operand in memory
        const double* b;  // right operand in memory
        const double* c;  // further operands of fused steps
        const double* d;
    };

  private:
    struct Operand;
    Operand generate(const FormulaNode& node);
    void emit(Step step, int push);
    double runSteps() const;
    double runSwitch() const;
#if QTL_FORMULA_THREADED
    double runThreaded() const;
#endif

    std::vector<Step> steps_;
    std::unique_ptr<double[]> constants_;
    std::size_t constantCount_ = 0;
    const double* single_ = nullptr;  // the whole formula is one variable or constant
    double* slots_[4] = {};
    int parameterCount_ = 0;
    int depth_ = 0;
    int maxDepth_ = 0;
    std::unique_ptr<FormulaNode> fallbackTree_;  // too deep for the fixed stack: walk a copy
};

}  // namespace qtl
