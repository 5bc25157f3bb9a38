// The models a graph window fits to a series: the built-in ones and a free model typed in the
// formula language with X and up to 6 one-letter parameters.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "formula/formula.h"

namespace qtl {

enum class ModelKind {
    Linear,          // a·X
    Affine,          // a·X+b
    Polynomial,      // degree 2 (parabola) to 6
    Exponential,     // A·exp(−X/τ)+B
    FirstOrderRise,  // A·(1−exp(−X/τ))+B
    DampedSine,      // A·exp(−X/τ)·sin(2π·X/T+φ)+B
    Power,           // A·X^n
    Free,            // a formula of X and parameter letters
};

struct ModelChoice {
    ModelKind kind = ModelKind::Affine;
    int degree = 2;    // Polynomial only
    std::string text;  // Free only
};

inline constexpr int kMinPolynomialDegree = 2;
inline constexpr int kMaxPolynomialDegree = 6;
inline constexpr std::size_t kMaxFreeParameters = 6;

class FitModel {
  public:
    // A built-in model, or a free model compiled from its text; error() says why a free model
    // cannot be used (empty when it can).
    explicit FitModel(const ModelChoice& choice);

    const ModelChoice& choice() const { return choice_; }
    bool valid() const { return error_.empty(); }
    const std::string& error() const { return error_; }

    std::size_t parameterCount() const { return names_.size(); }
    const std::vector<std::string>& names() const { return names_; }
    // Solved by linear least squares (a polynomial in X).
    bool isLinear() const;
    // "y = A·exp(−X/τ)+B"; the free model's own text.
    std::string equation() const;

    // Value at x; NaN where the guarded arithmetic of the free model reports an error (the
    // report is not shown: it only marks the value as unusable). Built-in models may return
    // infinities or NaN as well.
    double value(std::span<const double> p, double x) const;
    // Partial derivatives at x for the built-in models (row of p values); false for the free
    // model, which is differentiated numerically.
    bool derivatives(std::span<const double> p, double x, std::span<double> row) const;

  private:
    ModelChoice choice_;
    std::vector<std::string> names_;
    std::string error_;
    CompiledFormula formula_;  // free model: parameters "X" then the letters
    mutable std::vector<double> bound_;
};

// The parameter letters of a free model text, in order of first use (X left out), or an error
// message.
struct FreeModelLetters {
    std::string letters;
    std::string error;
};
FreeModelLetters freeModelLetters(std::string_view text);

}  // namespace qtl
