// The tree builder of the formula language (operation aa_FONCTOR): text preparation,
// tokens and grammar. Definis_Fonction wraps it with the parameter list and the fallback.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "formula/formula.h"

namespace qtl {

// Why a build stopped. The kinds are internal: every one leads to the same fallback.
enum class BuildFailure {
    None = 0,
    FunctionWithoutParenthesis = 1,
    MissingClosingParenthesis = 2,
    UnknownName = 3,
    OperandExpected = 4,
    TrailingCharacters = 5,
    EmptyOrStrayComma = 6,
    MalformedNumber = 7,
    TooLong = 8,         // 80 characters or more: no room for the end marker
    TooManyOperands = 9  // operand stack of 50 entries full
};

struct PreparedText {
    std::string text;  // upper-cased, blanks removed, MOD and MIN/MAX rewritten, ends with '$'
    BuildFailure failure = BuildFailure::None;
};

// First part of aa_FONCTOR.
PreparedText prepareFormulaText(std::string_view text);

struct BuildResult {
    std::unique_ptr<FormulaNode> root;  // null on failure
    BuildFailure failure = BuildFailure::None;
};

// Builds the tree. A failure is reported as error 69 "Erreur de syntaxe" through the facility
// (recorded in non-fatal mode, as during compilation).
BuildResult aa_FONCTOR(std::string_view text);

}  // namespace qtl
