// Formula language against two interpreters and plain C++: compile time and evaluation time
// per formula, with values that change at every iteration. Prints a table of medians.
#include <benchmark/benchmark.h>
#include <muParser.h>
#include <fparser.hh>

#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "formula/formula.h"
#include "formula/formula_program.h"

namespace {

struct Formula {
    const char* ours;
    const char* muparser;
    const char* fparser;
    double (*native)(double, double, double, double);
};

#define QTL_NATIVE(EXPR) [](double P, double A, double S, double T) -> double { return EXPR; }

// P, A, S, T unused in some formulas.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"
const std::array<Formula, 7> kFormulas{{
    {"P", "P", "P", QTL_NATIVE(P)},
    {"2*P+1", "2*P+1", "2*P+1", QTL_NATIVE(2 * P + 1)},
    {"P*A+S/T", "P*A+S/T", "P*A+S/T", QTL_NATIVE(P* A + S / T)},
    {"SIN(P)*EXP(-T/10)+A", "sin(P)*exp(-T/10)+A", "sin(P)*exp(-T/10)+A",
     QTL_NATIVE(std::sin(P) * std::exp(-T / 10) + A)},
    {"MAX(P,A)-MIN(S,T)", "max(P,A)-min(S,T)", "max(P,A)-min(S,T)",
     QTL_NATIVE(std::max(P, A) - std::min(S, T))},
    {"SQRT(ABS(P))+LN(A+2)*COS(T)", "sqrt(abs(P))+ln(A+2)*cos(T)", "sqrt(abs(P))+log(A+2)*cos(T)",
     QTL_NATIVE(std::sqrt(std::fabs(P)) + std::log(A + 2) * std::cos(T))},
    {"((P+1)*(A-2)/(S+3))^2", "((P+1)*(A-2)/(S+3))^2", "((P+1)*(A-2)/(S+3))^2",
     QTL_NATIVE(std::pow((P + 1) * (A - 2) / (S + 3), 2))},
}};
#pragma GCC diagnostic pop

const char* const kEngines[] = {"c++",     "qtl",          "qtl-tree",   "muparser",
                                "fparser", "qtl-portable", "qtl-program"};

// Value sets inside every formula's domain (T and S+3 never 0, A+2 > 0).
constexpr std::size_t kSets = 1024;
struct ValueSet {
    double p, a, s, t;
};
const std::vector<ValueSet>& valueSets() {
    static const std::vector<ValueSet> sets = [] {
        std::vector<ValueSet> v(kSets);
        for (std::size_t i = 0; i < kSets; ++i) {
            const double x = static_cast<double>(i) / kSets;
            v[i] = {std::sin(7 * x) * 5, 1 + 3 * x, std::cos(3 * x) * 2, 0.5 + x * 9};
        }
        return v;
    }();
    return sets;
}

// Keeps the compiled C++ formula a real call, as an interpreter's caller would make it.
__attribute__((noinline)) double callNative(double (*f)(double, double, double, double),
                                            const ValueSet& v) {
    return f(v.p, v.a, v.s, v.t);
}

void evalNative(benchmark::State& state, const Formula& f) {
    const auto& sets = valueSets();
    auto* volatile fn = f.native;
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(callNative(fn, sets[i]));
        i = (i + 1) & (kSets - 1);
    }
}

void evalOurs(benchmark::State& state, const Formula& f) {
    qtl::CompiledFormula compiled;
    qtl::Definis_Fonction("PAST", f.ours, compiled);
    if (qtl::formulaError) state.SkipWithError("formula refused");
    const auto& sets = valueSets();
    std::size_t i = 0;
    for (auto _ : state) {
        const ValueSet& v = sets[i];
        benchmark::DoNotOptimize(qtl::Evalue4(compiled, v.p, v.a, v.s, v.t));
        i = (i + 1) & (kSets - 1);
    }
}

void evalTree(benchmark::State& state, const Formula& f) {
    qtl::CompiledFormula compiled;
    qtl::Definis_Fonction("PAST", f.ours, compiled);
    const auto& sets = valueSets();
    std::size_t i = 0;
    for (auto _ : state) {
        const ValueSet& v = sets[i];
        qtl::ModuleScope scope(52, "Evalue4");
        qtl::formulaVariables['P' - 'A'] = v.p;
        qtl::formulaVariables['A' - 'A'] = v.a;
        qtl::formulaVariables['S' - 'A'] = v.s;
        qtl::formulaVariables['T' - 'A'] = v.t;
        benchmark::DoNotOptimize(qtl::EvalueArbre(*compiled.root()));
        i = (i + 1) & (kSets - 1);
    }
}

// The flat program's interpreters side by side, with the same scope and binding as Evalue4:
// the one the build gives Evalue4 (direct-threaded where computed goto exists) and the standard
// C++ switch loop.
template <bool kPortable>
void evalProgram(benchmark::State& state, const Formula& f) {
    qtl::CompiledFormula compiled;
    qtl::Definis_Fonction("PAST", f.ours, compiled);
    const qtl::FormulaProgram* program = compiled.program();
    const auto& sets = valueSets();
    std::size_t i = 0;
    for (auto _ : state) {
        const ValueSet& v = sets[i];
        qtl::ModuleScope scope(52, "Evalue4");
        const double values[] = {v.p, v.a, v.s, v.t};
        program->bind(4, values);
        benchmark::DoNotOptimize(kPortable ? program->runPortable() : program->run());
        i = (i + 1) & (kSets - 1);
    }
}

void evalMuparser(benchmark::State& state, const Formula& f) {
    double p = 0, a = 0, s = 0, t = 0;
    mu::Parser parser;
    parser.DefineVar("P", &p);
    parser.DefineVar("A", &a);
    parser.DefineVar("S", &s);
    parser.DefineVar("T", &t);
    parser.SetExpr(f.muparser);
    parser.Eval();
    const auto& sets = valueSets();
    std::size_t i = 0;
    for (auto _ : state) {
        const ValueSet& v = sets[i];
        p = v.p;
        a = v.a;
        s = v.s;
        t = v.t;
        benchmark::DoNotOptimize(parser.Eval());
        i = (i + 1) & (kSets - 1);
    }
}

void evalFparser(benchmark::State& state, const Formula& f) {
    FunctionParser parser;
    if (parser.Parse(f.fparser, "P,A,S,T") >= 0) state.SkipWithError("fparser refused");
    const auto& sets = valueSets();
    std::size_t i = 0;
    for (auto _ : state) {
        const ValueSet& v = sets[i];
        const double vars[] = {v.p, v.a, v.s, v.t};
        benchmark::DoNotOptimize(parser.Eval(vars));
        i = (i + 1) & (kSets - 1);
    }
}

void compileOurs(benchmark::State& state, const Formula& f) {
    for (auto _ : state) {
        qtl::CompiledFormula compiled;
        qtl::Definis_Fonction("PAST", f.ours, compiled);
        benchmark::DoNotOptimize(compiled.root());
    }
}

void compileMuparser(benchmark::State& state, const Formula& f) {
    for (auto _ : state) {
        double p = 1, a = 1, s = 1, t = 1;
        mu::Parser parser;
        parser.DefineVar("P", &p);
        parser.DefineVar("A", &a);
        parser.DefineVar("S", &s);
        parser.DefineVar("T", &t);
        parser.SetExpr(f.muparser);
        benchmark::DoNotOptimize(parser.Eval());  // muparser builds its bytecode here
    }
}

void compileFparser(benchmark::State& state, const Formula& f) {
    for (auto _ : state) {
        FunctionParser parser;
        benchmark::DoNotOptimize(parser.Parse(f.fparser, "P,A,S,T"));
    }
}

// Collects medians (or single runs) for the summary table.
class TableReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if (!single && run.aggregate_name != "median") continue;
            std::string name = run.run_name.function_name;
            times_[name] = run.GetAdjustedCPUTime();  // ns of processor time: the machine is shared
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf(
            "\nEvaluation, ns per call (median, processor time); ratios to the compiled C++ "
            "call\n");
        std::printf("%-30s %7s %7s %8s %8s %8s | %6s %6s %6s %6s | %6s %6s\n", "formula", "c++",
                    "qtl", "qtl-tree", "muparser", "fparser", "qtl", "tree", "mu", "fp", "qtl/fp",
                    "qtl/mu");
        double logs[5] = {};
        double worstRatioToSlowerPeer = 0;
        for (std::size_t k = 0; k < kFormulas.size(); ++k) {
            double ns[5];
            for (int e = 0; e < 5; ++e) ns[e] = times_["eval/" + key(e, k)];
            for (int e = 0; e < 5; ++e) logs[e] += std::log(ns[e] / ns[0]);
            worstRatioToSlowerPeer =
                std::max(worstRatioToSlowerPeer, ns[1] / std::max(ns[3], ns[4]));
            std::printf(
                "%-30s %7.2f %7.2f %8.2f %8.2f %8.2f | %6.2f %6.2f %6.2f %6.2f | %6.2f %6.2f\n",
                kFormulas[k].ours, ns[0], ns[1], ns[2], ns[3], ns[4], ns[1] / ns[0], ns[2] / ns[0],
                ns[3] / ns[0], ns[4] / ns[0], ns[1] / ns[4], ns[1] / ns[3]);
        }
        const double n = static_cast<double>(kFormulas.size());
        std::printf("%-30s %7s %7s %8s %8s %8s | %6.2f %6.2f %6.2f %6.2f | %6.2f %6.2f\n",
                    "geometric mean of ratios", "", "", "", "", "", std::exp(logs[1] / n),
                    std::exp(logs[2] / n), std::exp(logs[3] / n), std::exp(logs[4] / n),
                    std::exp((logs[1] - logs[4]) / n), std::exp((logs[1] - logs[3]) / n));
        std::printf("worst qtl / slower peer: %.2f\n", worstRatioToSlowerPeer);

        std::printf(
            "\nInterpreters, ns per call of the same program: the build's (%s) and the standard "
            "C++ switch loop; ratio switch / build's\n",
            QTL_FORMULA_THREADED ? "direct-threaded, computed goto" : "switch loop too");
        std::printf("%-30s %9s %12s %7s\n", "formula", "build's", "switch", "ratio");
        double portableLogs = 0;
        for (std::size_t k = 0; k < kFormulas.size(); ++k) {
            const double threaded = times_["eval/" + key(6, k)];
            const double portable = times_["eval/" + key(5, k)];
            portableLogs += std::log(portable / threaded);
            std::printf("%-30s %9.2f %12.2f %7.2f\n", kFormulas[k].ours, threaded, portable,
                        portable / threaded);
        }
        std::printf("%-30s %9s %12s %7.2f\n", "geometric mean", "", "",
                    std::exp(portableLogs / static_cast<double>(kFormulas.size())));

        std::printf("\nCompilation, microseconds (median, processor time)\n");
        std::printf("%-30s %9s %9s %9s\n", "formula", "qtl", "muparser", "fparser");
        for (std::size_t k = 0; k < kFormulas.size(); ++k) {
            std::printf("%-30s %9.3f %9.3f %9.3f\n", kFormulas[k].ours,
                        times_["compile/" + key(1, k)] / 1000,
                        times_["compile/" + key(3, k)] / 1000,
                        times_["compile/" + key(4, k)] / 1000);
        }
    }

    static std::string key(int engine, std::size_t formula) {
        return std::string(kEngines[engine]) + "/" + std::to_string(formula);
    }

  private:
    std::map<std::string, double> times_;
};

void registerAll() {
    using Fn = void (*)(benchmark::State&, const Formula&);
    const Fn eval[] = {evalNative,  evalOurs,          evalTree,          evalMuparser,
                       evalFparser, evalProgram<true>, evalProgram<false>};
    for (std::size_t k = 0; k < kFormulas.size(); ++k) {
        for (int e = 0; e < 7; ++e) {
            benchmark::RegisterBenchmark(("eval/" + TableReporter::key(e, k)).c_str(), eval[e],
                                         kFormulas[k]);
        }
    }
    const std::pair<int, Fn> compile[] = {
        {1, compileOurs}, {3, compileMuparser}, {4, compileFparser}};
    for (std::size_t k = 0; k < kFormulas.size(); ++k) {
        for (const auto& [e, fn] : compile) {
            benchmark::RegisterBenchmark(("compile/" + TableReporter::key(e, k)).c_str(), fn,
                                         kFormulas[k]);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    qtl::initialiseFormulaLibrary();
    registerAll();
    benchmark::Initialize(&argc, argv);
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
