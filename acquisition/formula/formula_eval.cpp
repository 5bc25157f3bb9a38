// Evaluation of compiled formulas (Evalue2, Evalue3, Evalue4) and the reference tree walk.
#include <cstring>

#include "formula/formula.h"
#include "formula/formula_program.h"

namespace qtl {

namespace {

double evaluate(const CompiledFormula& formula, int count, const double* values, const char* name) {
    ModuleScope scope(52, name);
    const FormulaProgram* program = formula.program();
    if (program == nullptr || program->parameterCount() < count) {
        reportLibraryError(52, "liste de paramètres effectifs incorrecte");
        return 0.0;
    }
    program->bind(count, values);
    return program->run();
}

}  // namespace

double Evalue2(const CompiledFormula& formula, double v1, double v2) {
    const double values[] = {v1, v2};
    return evaluate(formula, 2, values, "Evalue2");
}

double Evalue3(const CompiledFormula& formula, double v1, double v2, double v3) {
    const double values[] = {v1, v2, v3};
    return evaluate(formula, 3, values, "Evalue3");
}

double Evalue4(const CompiledFormula& formula, double v1, double v2, double v3, double v4) {
    const double values[] = {v1, v2, v3, v4};
    return evaluate(formula, 4, values, "Evalue4");
}

double EvalueN(const CompiledFormula& formula, std::span<const double> values) {
    if (values.size() > kMaxFormulaParameters) {
        ModuleScope scope(52, "EvalueN");
        reportLibraryError(52, "liste de paramètres effectifs incorrecte");
        return 0.0;
    }
    return evaluate(formula, static_cast<int>(values.size()), values.data(), "EvalueN");
}

double EvalueArbre(const FormulaNode& node) {
    switch (node.kind) {
        case FormulaNodeKind::Operator: {
            const double left = EvalueArbre(*node.first);
            const double right = EvalueArbre(*node.second);
            return operatorRoutine(node.tag)(left, right);
        }
        case FormulaNodeKind::Function:
            return functionRoutine(node.tag)(EvalueArbre(*node.first));
        case FormulaNodeKind::Variable:
            return formulaVariables[static_cast<std::size_t>(node.tag - 'A')];
        case FormulaNodeKind::Constant:
            return node.value;
        case FormulaNodeKind::Sign: {
            const double v = EvalueArbre(*node.first);
            return node.tag == '-' ? -v : v;
        }
    }
    return 0.0;
}

}  // namespace qtl
