// Flat evaluation program.
#include "formula/formula_program.h"

namespace qtl {

FormulaProgram::FormulaProgram(const FormulaNode& root) : root_(&root) {}

double FormulaProgram::run() const {
    return EvalueArbre(*root_);
}

}  // namespace qtl
