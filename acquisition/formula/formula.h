// Formula language: compiling a text into an expression tree bound to parameter letters,
// and evaluating it with the guarded arithmetic.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "formula/error_facility.h"
#include "formula/guarded_arithmetic.h"

namespace qtl {

enum class FormulaNodeKind : std::uint8_t {
    Operator = 0,  // tag: one of "+-*/^%><"; first, second: operands
    Function = 1,  // tag: function number 1..24; first: argument
    Variable = 2,  // tag: the letter
    Constant = 3,  // value
    Sign = 4,      // tag: '+' or '-'; first: operand
};

struct FormulaNode {
    FormulaNodeKind kind = FormulaNodeKind::Constant;
    char tag = 0;
    std::unique_ptr<FormulaNode> first;
    std::unique_ptr<FormulaNode> second;
    double value = 0.0;

    std::unique_ptr<FormulaNode> clone() const;
};

class FormulaProgram;  // flat evaluation program derived from the tree
class CompiledFormula;

// Shared body of Definis_Fonction and Definis_FonctionN (list of at most maxLetters letters).
void compileFormula(std::string_view parameters, std::size_t maxLetters, std::string_view text,
                    CompiledFormula& formula);

// The result of a compilation. Copies are independent; compiling into a record replaces
// (and frees) its whole previous content.
class CompiledFormula {
  public:
    CompiledFormula() = default;
    CompiledFormula(const CompiledFormula& other);
    CompiledFormula& operator=(const CompiledFormula& other);
    CompiledFormula(CompiledFormula&&) noexcept = default;
    CompiledFormula& operator=(CompiledFormula&&) noexcept = default;
    ~CompiledFormula();

    const FormulaNode* root() const { return root_.get(); }
    // Upper-cased parameter letters, e.g. "PAST".
    const std::string& parameters() const { return parameters_; }
    // Text as given to the compiler (or the one-letter fallback text).
    const std::string& text() const { return text_; }
    bool empty() const { return root_ == nullptr; }
    const FormulaProgram* program() const { return program_.get(); }

  private:
    friend void compileFormula(std::string_view, std::size_t, std::string_view, CompiledFormula&);

    std::unique_ptr<FormulaNode> root_;
    std::string parameters_;
    std::string text_;
    std::shared_ptr<const FormulaProgram> program_;
};

// One slot per letter A..Z, shared by every formula; slots keep the last value bound.
inline std::array<double, 26> formulaVariables{};
// True after a compilation that fell back to the identity of the first parameter.
inline bool formulaError = false;

inline constexpr int kMaxFormulaLength = 80;
// Channel formulas take at most 4 parameter letters; model formulas (curve fitting) up to 7.
inline constexpr std::size_t kMaxChannelParameters = 4;
inline constexpr std::size_t kMaxFormulaParameters = 7;

// Euler's number and pi as the formula language knows them.
double constantE();
inline constexpr double kConstantPi = 3.141592653589793;

// Compiles text for the parameter letters. Never fails outwardly on a faulty text (falls back
// to the first parameter and sets formulaError); an invalid parameter list is a fatal report.
void Definis_Fonction(std::string_view parameters, std::string_view text, CompiledFormula& formula);

// Definis_Fonction for a list of up to 7 letters (the model formulas of curve fitting), with
// the same fallback and formulaError.
void Definis_FonctionN(std::string_view parameters, std::string_view text,
                       CompiledFormula& formula);

// Bind the values to the first parameter letters, in order, and evaluate.
double Evalue2(const CompiledFormula& formula, double v1, double v2);
double Evalue3(const CompiledFormula& formula, double v1, double v2, double v3);
double Evalue4(const CompiledFormula& formula, double v1, double v2, double v3, double v4);

// Binds values[i] to the i-th parameter letter (at most 7 values) and evaluates; errors are
// reported like those of Evalue4, under the name EvalueN.
double EvalueN(const CompiledFormula& formula, std::span<const double> values);

// The plain recursive walk of a tree over formulaVariables (reference for the fast path).
double EvalueArbre(const FormulaNode& node);

// Start-up: error facility at rest and variables at 0.
void initialiseFormulaLibrary();

}  // namespace qtl
