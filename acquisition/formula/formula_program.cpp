// Flat evaluation program: generation from the tree and the step interpreters.
//
// Where the compiler has labels as values (GCC, clang) the interpreter is direct-threaded (each
// step jumps to the next one's handler through a label table): every handler has its own
// indirect jump, which the processor predicts far better than the single jump of a switch loop.
// Elsewhere, or with QTL_FORMULA_PORTABLE, a switch loop in standard C++ runs the same handlers.
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

// Position of an operator among + - * / (the rows and columns of the fused steps), or -1.
int arithmeticIndex(char op) {
    switch (op) {
        case '+':
            return 0;
        case '-':
            return 1;
        case '*':
            return 2;
        case '/':
            return 3;
        default:
            return -1;
    }
}

bool isLeaf(const FormulaNode* node) {
    return node->kind == FormulaNodeKind::Variable || node->kind == FormulaNodeKind::Constant;
}

// a op b with both operands leaves and op among + - * /.
bool isLeafArithmetic(const FormulaNode* node) {
    return node->kind == FormulaNodeKind::Operator && arithmeticIndex(node->tag) >= 0 &&
           isLeaf(node->first.get()) && isLeaf(node->second.get());
}

}  // namespace

// Every step kind, in the order of the label table. Suffix S: operand on the stack; M: read
// in place. Binary operators come in four forms (left, right).
// clang-format off
#define QTL_BINARY(X, N) X(N##SS) X(N##SM) X(N##MS) X(N##MM)
#define QTL_UNARY(X, N) X(N##S) X(N##M)
// (a op1 b) op2 c
#define QTL_FUSED3_ROW(X, F) X(F##Add) X(F##Sub) X(F##Mul) X(F##Div)
// (a op1 b) op2 (c op3 d)
#define QTL_FUSED4_COL(X, F, G) X(F##G##Add) X(F##G##Sub) X(F##G##Mul) X(F##G##Div)
#define QTL_FUSED4_ROW(X, F) \
    QTL_FUSED4_COL(X, F, Add) QTL_FUSED4_COL(X, F, Sub) \
    QTL_FUSED4_COL(X, F, Mul) QTL_FUSED4_COL(X, F, Div)
#define QTL_STEP_KINDS(X)                                                                  \
    X(End) X(Neg) X(NegM) X(FnS) X(FnM) X(PowIS) X(PowIM)                                  \
    QTL_UNARY(X, Abs) QTL_UNARY(X, Sqrt) QTL_UNARY(X, Sqr) QTL_UNARY(X, Ln)                \
    QTL_UNARY(X, Exp) QTL_UNARY(X, Sin) QTL_UNARY(X, Cos)                                  \
    QTL_BINARY(X, Add) QTL_BINARY(X, Sub) QTL_BINARY(X, Mul) QTL_BINARY(X, Div)            \
    QTL_BINARY(X, Pow) QTL_BINARY(X, Mod) QTL_BINARY(X, Max) QTL_BINARY(X, Min)            \
    QTL_FUSED3_ROW(X, Add) QTL_FUSED3_ROW(X, Sub) QTL_FUSED3_ROW(X, Mul) QTL_FUSED3_ROW(X, Div) \
    QTL_FUSED4_ROW(X, Add) QTL_FUSED4_ROW(X, Sub) QTL_FUSED4_ROW(X, Mul) QTL_FUSED4_ROW(X, Div)
// clang-format on

#define QTL_ENUM_ENTRY(N) N,
enum class FormulaProgram::Op : std::uint8_t { QTL_STEP_KINDS(QTL_ENUM_ENTRY) };
#undef QTL_ENUM_ENTRY

namespace {

using Op = FormulaProgram::Op;

Op opAt(Op base, int offset) {
    return static_cast<Op>(static_cast<int>(base) + offset);
}

// Inlined function steps (stack form), by function number.
bool inlinedFunction(int number, Op& op) {
    switch (number) {
        case kAbs:
            op = Op::AbsS;
            return true;
        case kSqrt:
            op = Op::SqrtS;
            return true;
        case kSqr:
            op = Op::SqrS;
            return true;
        case kLn:
            op = Op::LnS;
            return true;
        case kExp:
            op = Op::ExpS;
            return true;
        case kSin:
            op = Op::SinS;
            return true;
        case kCos:
            op = Op::CosS;
            return true;
        default:
            return false;
    }
}

Op binaryBase(char op) {
    switch (op) {
        case '+':
            return Op::AddSS;
        case '-':
            return Op::SubSS;
        case '*':
            return Op::MulSS;
        case '/':
            return Op::DivSS;
        case '^':
            return Op::PowSS;
        case '%':
            return Op::ModSS;
        case '>':
            return Op::MaxSS;
        default:
            return Op::MinSS;
    }
}

}  // namespace

namespace {

// -(a * k) is a * (-k) and -(a / k) is a / (-k), to the bit: products and quotients round
// symmetrically, and their guards look at magnitudes only, so values and reports stay the
// same without a negation step. Returns that rewritten copy, or null when it does not apply.
std::unique_ptr<FormulaNode> negatedConstantOperand(const FormulaNode& node) {
    if (node.kind != FormulaNodeKind::Operator || (node.tag != '*' && node.tag != '/')) {
        return nullptr;
    }
    const bool right = node.second->kind == FormulaNodeKind::Constant;
    const bool left = node.first->kind == FormulaNodeKind::Constant;
    if (!right && !left) return nullptr;
    auto copy = node.clone();
    FormulaNode& constant = right ? *copy->second : *copy->first;
    constant.value = -constant.value;
    return copy;
}

}  // namespace

struct FormulaProgram::Operand {
    const double* memory;  // null: the value is on top of the stack
};

FormulaProgram::FormulaProgram(const FormulaNode& root, std::string_view parameters) {
    parameterCount_ = static_cast<int>(parameters.size() < 4 ? parameters.size() : 4);
    for (int i = 0; i < parameterCount_; ++i) {
        slots_[i] = &formulaVariables[static_cast<std::size_t>(parameters[i] - 'A')];
    }
    const std::size_t constants = countConstants(&root);
    constants_ = std::make_unique<double[]>(constants == 0 ? 1 : constants);
    const Operand result = generate(root);
    if (result.memory != nullptr) {
        single_ = result.memory;
        steps_.clear();
        return;
    }
    steps_.push_back(Step{Op::End, 0, nullptr, nullptr, nullptr, nullptr, nullptr});
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
            if (node.tag == '-') {
                if (auto folded = negatedConstantOperand(*node.first)) return generate(*folded);
            }
            const Operand operand = generate(*node.first);
            if (node.tag != '-') return operand;
            if (operand.memory != nullptr) {
                emit({Op::NegM, 0, nullptr, operand.memory, nullptr, nullptr, nullptr}, 1);
            } else {
                emit({Op::Neg, 0, nullptr, nullptr, nullptr, nullptr, nullptr}, 0);
            }
            return {nullptr};
        }
        case FormulaNodeKind::Function: {
            const Operand operand = generate(*node.first);
            const bool inMemory = operand.memory != nullptr;
            Op op = Op::FnS;
            RealFunction f = nullptr;
            if (!inlinedFunction(node.tag, op)) f = functionRoutine(node.tag);
            emit({opAt(op, inMemory ? 1 : 0), 0, f, operand.memory, nullptr, nullptr, nullptr},
                 inMemory ? 1 : 0);
            return {nullptr};
        }
        case FormulaNodeKind::Operator:
            break;
    }
    const FormulaNode* left = node.first.get();
    const FormulaNode* right = node.second.get();
    const int outer = arithmeticIndex(node.tag);
    // Leaves are read when the step runs; evaluation order only matters between steps that
    // can report, and the fused steps keep it (left pair, right pair, then the outer operator).
    if (outer >= 0 && isLeafArithmetic(left) && (isLeaf(right) || isLeafArithmetic(right))) {
        const double* a = generate(*left->first).memory;
        const double* b = generate(*left->second).memory;
        const int inner = arithmeticIndex(left->tag);
        if (isLeaf(right)) {
            const double* c = generate(*right).memory;
            emit({opAt(Op::AddAdd, 4 * inner + outer), 0, nullptr, a, b, c, nullptr}, 1);
        } else {
            const double* c = generate(*right->first).memory;
            const double* d = generate(*right->second).memory;
            const int third = arithmeticIndex(right->tag);
            emit({opAt(Op::AddAddAdd, 16 * inner + 4 * outer + third), 0, nullptr, a, b, c, d}, 1);
        }
        return {nullptr};
    }
    const Operand l = generate(*left);
    if (node.tag == '^' && right->kind == FormulaNodeKind::Constant &&
        guarded::smallWholeExponent(right->value)) {
        const auto n = static_cast<std::int8_t>(right->value);
        const bool inMemory = l.memory != nullptr;
        emit({inMemory ? Op::PowIM : Op::PowIS, n, nullptr, l.memory, nullptr, nullptr, nullptr},
             inMemory ? 1 : 0);
        return {nullptr};
    }
    const Operand r = generate(*right);
    // Forms in order SS, SM, MS, MM; stack pushes: -1, 0, 0, +1.
    const int form = (l.memory != nullptr ? 2 : 0) + (r.memory != nullptr ? 1 : 0);
    static constexpr int kPush[] = {-1, 0, 0, 1};
    emit({opAt(binaryBase(node.tag), form), 0, nullptr, l.memory, r.memory, nullptr, nullptr},
         kPush[form]);
    return {nullptr};
}

// Every step handler, once: QTL_STEP(N) opens the handler of step kind N, QTL_NEXT goes on to
// the next step. The two interpreters below give them their meaning.
// clang-format off
#define QTL_PUSH(VALUE)            \
    {                              \
        const double v_ = (VALUE); \
        *sp++ = top;               \
        top = v_;                  \
    }                              \
    QTL_NEXT;

#define QTL_UNARY_HANDLERS(N, FN)             \
    QTL_STEP(N##S) top = FN(top); QTL_NEXT;   \
    QTL_STEP(N##M) QTL_PUSH(FN(*s->a))

#define QTL_BINARY_HANDLERS(N, FN)                      \
    QTL_STEP(N##SS) --sp; top = FN(*sp, top); QTL_NEXT; \
    QTL_STEP(N##SM) top = FN(top, *s->b); QTL_NEXT;     \
    QTL_STEP(N##MS) top = FN(*s->a, top); QTL_NEXT;     \
    QTL_STEP(N##MM) QTL_PUSH(FN(*s->a, *s->b))

#define QTL_FUSED3_HANDLER(F, FN, G, GN) QTL_STEP(F##G) QTL_PUSH(GN(FN(*s->a, *s->b), *s->c))
#define QTL_FUSED3_HANDLERS(F, FN)                \
    QTL_FUSED3_HANDLER(F, FN, Add, guarded::add)  \
    QTL_FUSED3_HANDLER(F, FN, Sub, guarded::sub)  \
    QTL_FUSED3_HANDLER(F, FN, Mul, guarded::mult) \
    QTL_FUSED3_HANDLER(F, FN, Div, guarded::div)

#define QTL_FUSED4_HANDLER(F, FN, G, GN, H, HN) \
    QTL_STEP(F##G##H) {                         \
        const double left_ = FN(*s->a, *s->b);  \
        const double right_ = HN(*s->c, *s->d); \
        QTL_PUSH(GN(left_, right_))             \
    }
#define QTL_FUSED4_THIRD(F, FN, G, GN)                   \
    QTL_FUSED4_HANDLER(F, FN, G, GN, Add, guarded::add)  \
    QTL_FUSED4_HANDLER(F, FN, G, GN, Sub, guarded::sub)  \
    QTL_FUSED4_HANDLER(F, FN, G, GN, Mul, guarded::mult) \
    QTL_FUSED4_HANDLER(F, FN, G, GN, Div, guarded::div)
#define QTL_FUSED4_HANDLERS(F, FN)              \
    QTL_FUSED4_THIRD(F, FN, Add, guarded::add)  \
    QTL_FUSED4_THIRD(F, FN, Sub, guarded::sub)  \
    QTL_FUSED4_THIRD(F, FN, Mul, guarded::mult) \
    QTL_FUSED4_THIRD(F, FN, Div, guarded::div)

#define QTL_ALL_HANDLERS                                         \
    QTL_STEP(End) return top;                                    \
    QTL_STEP(Neg) top = -top; QTL_NEXT;                          \
    QTL_STEP(NegM) QTL_PUSH(-*s->a)                              \
    QTL_STEP(FnS) top = s->function(top); QTL_NEXT;              \
    QTL_STEP(FnM) QTL_PUSH(s->function(*s->a))                   \
    QTL_STEP(PowIS) top = guarded::wholePower(top, s->exponent); QTL_NEXT; \
    QTL_STEP(PowIM) QTL_PUSH(guarded::wholePower(*s->a, s->exponent)) \
    QTL_UNARY_HANDLERS(Abs, std::fabs)                           \
    QTL_UNARY_HANDLERS(Sqrt, guarded::sqrt)                      \
    QTL_UNARY_HANDLERS(Sqr, guarded::sqr)                        \
    QTL_UNARY_HANDLERS(Ln, guarded::ln)                          \
    QTL_UNARY_HANDLERS(Exp, guarded::exp)                        \
    QTL_UNARY_HANDLERS(Sin, std::sin)                            \
    QTL_UNARY_HANDLERS(Cos, std::cos)                            \
    QTL_BINARY_HANDLERS(Add, guarded::add)                       \
    QTL_BINARY_HANDLERS(Sub, guarded::sub)                       \
    QTL_BINARY_HANDLERS(Mul, guarded::mult)                      \
    QTL_BINARY_HANDLERS(Div, guarded::div)                       \
    QTL_BINARY_HANDLERS(Pow, guarded::power)                     \
    QTL_BINARY_HANDLERS(Mod, guarded::modulo)                    \
    QTL_BINARY_HANDLERS(Max, guarded::maxOf)                     \
    QTL_BINARY_HANDLERS(Min, guarded::minOf)                     \
    QTL_FUSED3_HANDLERS(Add, guarded::add)                       \
    QTL_FUSED3_HANDLERS(Sub, guarded::sub)                       \
    QTL_FUSED3_HANDLERS(Mul, guarded::mult)                      \
    QTL_FUSED3_HANDLERS(Div, guarded::div)                       \
    QTL_FUSED4_HANDLERS(Add, guarded::add)                       \
    QTL_FUSED4_HANDLERS(Sub, guarded::sub)                       \
    QTL_FUSED4_HANDLERS(Mul, guarded::mult)                      \
    QTL_FUSED4_HANDLERS(Div, guarded::div)
// clang-format on

double FormulaProgram::runSteps() const {
#if QTL_FORMULA_THREADED
    return runThreaded();
#else
    return runSwitch();
#endif
}

// The standard C++ interpreter: one switch over the step kind in a loop.
double FormulaProgram::runSwitch() const {
    if (fallbackTree_) return EvalueArbre(*fallbackTree_);
    double stack[kStackSize];
    double* sp = stack;
    double top = 0.0;
    const Step* s = steps_.data();
#define QTL_STEP(N) case Op::N:
#define QTL_NEXT continue
    for (;; ++s) {
        switch (s->op) { QTL_ALL_HANDLERS }
    }
#undef QTL_STEP
#undef QTL_NEXT
}

#if QTL_FORMULA_THREADED
// Labels as values are a GNU extension (GCC and clang), used here on purpose.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpedantic"
#ifdef __clang__
#pragma clang diagnostic ignored "-Wgnu-label-as-value"
#endif

#define QTL_LABEL_ENTRY(N) &&L_##N,

double FormulaProgram::runThreaded() const {
    if (fallbackTree_) return EvalueArbre(*fallbackTree_);
    static const void* const kLabels[] = {QTL_STEP_KINDS(QTL_LABEL_ENTRY)};
    double stack[kStackSize];
    double* sp = stack;
    double top = 0.0;
    const Step* s = steps_.data();
#define QTL_STEP(N) L_##N:
#define QTL_NEXT goto* kLabels[static_cast<int>((++s)->op)]
    goto* kLabels[static_cast<int>(s->op)];
    QTL_ALL_HANDLERS
#undef QTL_STEP
#undef QTL_NEXT
}

#pragma GCC diagnostic pop
#endif

}  // namespace qtl
