// Fuzz target: compiles an arbitrary text and evaluates it with arbitrary values. Evaluation
// returns a value or throws the fatal report; the flat program and the tree walk agree to the
// bit and to the report; the error facility is at rest afterwards.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "formula/formula.h"

namespace {

// Input layout: 4 values (32 bytes), one mode byte, then the formula text.
constexpr std::size_t kHeader = 33;
constexpr const char* kLists[] = {"PAST", "PASX", "PA", "XYZT"};

struct Outcome {
    bool thrown = false;
    double value = 0;
    std::string text;
};

template <typename F>
Outcome run(F&& f) {
    Outcome o;
    try {
        o.value = f();
    } catch (const qtl::FormulaFatalError& e) {
        o.thrown = true;
        o.text = e.userText();
    }
    return o;
}

void checkAtRest() {
    if (qtl::moduleNesting() != 0 || !qtl::fatalErrorMode ||
        std::strcmp(qtl::outermostModuleName(), qtl::kMainProgramName) != 0) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The fatal reports write a line each; keep the fuzzer's output readable.
    if (std::freopen("/dev/null", "w", stdout) == nullptr) return 0;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kHeader) return 0;
    double values[4];
    std::memcpy(values, data, sizeof values);
    const std::uint8_t mode = data[32];
    const std::string_view text(reinterpret_cast<const char*>(data + kHeader), size - kHeader);

    qtl::CompiledFormula formula;
    qtl::Definis_Fonction(kLists[mode & 3], text, formula);
    checkAtRest();
    if (formula.root() == nullptr) __builtin_trap();

    const int count = 2 + (mode >> 2) % 3;
    static const char* const kNames[] = {"Evalue2", "Evalue3", "Evalue4"};
    const Outcome fast = run([&] {
        switch (count) {
            case 2: return qtl::Evalue2(formula, values[0], values[1]);
            case 3: return qtl::Evalue3(formula, values[0], values[1], values[2]);
            default: return qtl::Evalue4(formula, values[0], values[1], values[2], values[3]);
        }
    });
    checkAtRest();
    if (formula.parameters().size() < static_cast<std::size_t>(count)) {
        if (!fast.thrown) __builtin_trap();
        return 0;
    }
    const Outcome walked = run([&] {
        qtl::ModuleScope scope(52, kNames[count - 2]);
        return qtl::EvalueArbre(*formula.root());
    });
    checkAtRest();
    if (fast.thrown != walked.thrown || fast.text != walked.text) __builtin_trap();
    // Any NaN is as good as another: which payload survives depends on operand order.
    const bool bothNan = std::isnan(fast.value) && std::isnan(walked.value);
    if (!fast.thrown && !bothNan &&
        std::memcmp(&fast.value, &walked.value, sizeof fast.value) != 0) {
        __builtin_trap();
    }
    // Copies evaluate alike and free their own tree.
    const qtl::CompiledFormula copy = formula;
    formula = qtl::CompiledFormula();
    if (!fast.thrown) {
        const Outcome again = run([&] { return qtl::EvalueArbre(*copy.root()); });
        if (again.thrown) __builtin_trap();
    }
    return 0;
}
