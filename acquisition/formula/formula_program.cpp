// Flat evaluation program: generation from the tree and the step interpreter.
#include "formula/formula_program.h"

#include "formula/guarded_core.h"

namespace qtl {

namespace {

constexpr int kStackSize = 64;

std::size_t countConstants(const FormulaNode* node) {
    if (node == nullptr) return 0;
    return (node->kind == FormulaNodeKind::Constant ? 1 : 0) + countConstants(node->first.get()) +
           countConstants(node->second.get());
}

// Routines without registration on the error-free path; a tripped guard goes through the
// registered routine, which reports exactly as the tree walk does.
RealFunction fastFunction(int number) {
    switch (number) {
        case kExp:
            return [](double x) { return guarded::exp(x); };
        case kLn:
            return [](double x) { return guarded::ln(x); };
        case kSqrt:
            return [](double x) { return guarded::sqrt(x); };
        case kSqr:
            return [](double x) { return guarded::sqr(x); };
        default:
            return functionRoutine(number);
    }
}

}  // namespace

// Binary operators, each in four forms: S = on the stack, M = read in place.
#define QTL_BINARY_FORMS(NAME) NAME##SS, NAME##SM, NAME##MS, NAME##MM
enum class FormulaProgram::Op : std::uint8_t {
    Ret,
    Neg,
    NegM,
    FnS,
    FnM,
    PowIS,
    PowIM,
    QTL_BINARY_FORMS(Add),
    QTL_BINARY_FORMS(Sub),
    QTL_BINARY_FORMS(Mul),
    QTL_BINARY_FORMS(Div),
    QTL_BINARY_FORMS(Pow),
    QTL_BINARY_FORMS(Mod),
    QTL_BINARY_FORMS(Max),
    QTL_BINARY_FORMS(Min),
};
#undef QTL_BINARY_FORMS

struct FormulaProgram::Operand {
    const double* memory;  // null: the value is on top of the stack
};

FormulaProgram::FormulaProgram(const FormulaNode& root) {
    const std::size_t constants = countConstants(&root);
    constants_ = std::make_unique<double[]>(constants == 0 ? 1 : constants);
    const Operand result = generate(root);
    if (result.memory != nullptr) {
        single_ = result.memory;
        steps_.clear();
        return;
    }
    steps_.push_back(Step{Op::Ret, 0, nullptr, nullptr, nullptr});
    if (maxDepth_ >= kStackSize) fallbackTree_ = root.clone();
}

void FormulaProgram::emit(Step step, int push) {
    steps_.push_back(step);
    depth_ += push;
    if (depth_ > maxDepth_) maxDepth_ = depth_;
}

FormulaProgram::Operand FormulaProgram::generate(const FormulaNode& node) {
    switch (node.kind) {
        case FormulaNodeKind::Variable:
            return {&formulaVariables[static_cast<std::size_t>(node.tag - 'A')]};
        case FormulaNodeKind::Constant:
            constants_[constantCount_] = node.value;
            return {&constants_[constantCount_++]};
        case FormulaNodeKind::Sign: {
            const Operand operand = generate(*node.first);
            if (node.tag != '-') return operand;
            if (operand.memory != nullptr) {
                emit({Op::NegM, 0, nullptr, operand.memory, nullptr}, 1);
            } else {
                emit({Op::Neg, 0, nullptr, nullptr, nullptr}, 0);
            }
            return {nullptr};
        }
        case FormulaNodeKind::Function: {
            const Operand operand = generate(*node.first);
            const RealFunction f = fastFunction(node.tag);
            if (operand.memory != nullptr) {
                emit({Op::FnM, 0, f, operand.memory, nullptr}, 1);
            } else {
                emit({Op::FnS, 0, f, nullptr, nullptr}, 0);
            }
            return {nullptr};
        }
        case FormulaNodeKind::Operator:
            break;
    }
    const Operand left = generate(*node.first);
    const FormulaNode& rightNode = *node.second;
    if (node.tag == '^' && rightNode.kind == FormulaNodeKind::Constant &&
        guarded::smallWholeExponent(rightNode.value)) {
        const auto n = static_cast<std::int8_t>(rightNode.value);
        if (left.memory != nullptr) {
            emit({Op::PowIM, n, nullptr, left.memory, nullptr}, 1);
        } else {
            emit({Op::PowIS, n, nullptr, nullptr, nullptr}, 0);
        }
        return {nullptr};
    }
    const Operand right = generate(rightNode);
    int base = 0;
    switch (node.tag) {
        case '+':
            base = static_cast<int>(Op::AddSS);
            break;
        case '-':
            base = static_cast<int>(Op::SubSS);
            break;
        case '*':
            base = static_cast<int>(Op::MulSS);
            break;
        case '/':
            base = static_cast<int>(Op::DivSS);
            break;
        case '^':
            base = static_cast<int>(Op::PowSS);
            break;
        case '%':
            base = static_cast<int>(Op::ModSS);
            break;
        case '>':
            base = static_cast<int>(Op::MaxSS);
            break;
        default:
            base = static_cast<int>(Op::MinSS);
            break;
    }
    // Forms in order SS, SM, MS, MM; stack pushes: -1, 0, 0, +1.
    const int form = (left.memory != nullptr ? 2 : 0) + (right.memory != nullptr ? 1 : 0);
    static constexpr int kPush[] = {-1, 0, 0, 1};
    emit({static_cast<Op>(base + form), 0, nullptr, left.memory, right.memory}, kPush[form]);
    return {nullptr};
}

#define QTL_BINARY_CASES(NAME, FN)             \
    case Op::NAME##SS:                         \
        --sp;                                  \
        top = FN(*sp, top);                    \
        break;                                 \
    case Op::NAME##SM:                         \
        top = FN(top, *s->b);                  \
        break;                                 \
    case Op::NAME##MS:                         \
        top = FN(*s->a, top);                  \
        break;                                 \
    case Op::NAME##MM: {                       \
        const double value = FN(*s->a, *s->b); \
        *sp++ = top;                           \
        top = value;                           \
        break;                                 \
    }

double FormulaProgram::runSteps() const {
    if (fallbackTree_) return EvalueArbre(*fallbackTree_);
    double stack[kStackSize];
    double* sp = stack;
    double top = 0.0;
    for (const Step* s = steps_.data();; ++s) {
        switch (s->op) {
            case Op::Ret:
                return top;
            case Op::Neg:
                top = -top;
                break;
            case Op::NegM:
                *sp++ = top;
                top = -*s->a;
                break;
            case Op::FnS:
                top = s->function(top);
                break;
            case Op::FnM: {
                const double value = s->function(*s->a);
                *sp++ = top;
                top = value;
                break;
            }
            case Op::PowIS:
                top = guarded::wholePower(top, s->exponent);
                break;
            case Op::PowIM: {
                const double value = guarded::wholePower(*s->a, s->exponent);
                *sp++ = top;
                top = value;
                break;
            }
                QTL_BINARY_CASES(Add, guarded::add)
                QTL_BINARY_CASES(Sub, guarded::sub)
                QTL_BINARY_CASES(Mul, guarded::mult)
                QTL_BINARY_CASES(Div, guarded::div)
                QTL_BINARY_CASES(Pow, guarded::power)
                QTL_BINARY_CASES(Mod, guarded::modulo)
                QTL_BINARY_CASES(Max, guarded::maxOf)
                QTL_BINARY_CASES(Min, guarded::minOf)
        }
    }
}

#undef QTL_BINARY_CASES

}  // namespace qtl
