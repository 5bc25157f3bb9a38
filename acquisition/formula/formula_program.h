// Flat evaluation program derived from an expression tree at compile time.
#pragma once

#include "formula/formula.h"

namespace qtl {

class FormulaProgram {
  public:
    explicit FormulaProgram(const FormulaNode& root);
    // Value of the tree over formulaVariables, with the errors of the tree walk.
    double run() const;

  private:
    const FormulaNode* root_;
};

}  // namespace qtl
