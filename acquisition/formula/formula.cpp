// Compilation of a formula text into a CompiledFormula (Definis_Fonction) and the record's
// value semantics.
#include "formula/formula.h"

#include <cmath>

#include "formula/formula_builder.h"
#include "formula/formula_program.h"

namespace qtl {

namespace {

constexpr std::string_view kParameterLetters = "AZRTYUIOPQSDFGHJKLMWXCVBN";

// First n characters (not bytes) of a UTF-8 text.
std::string firstCharacters(std::string_view text, std::size_t n) {
    std::size_t count = 0;
    std::size_t i = 0;
    for (; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (count == n) break;
            ++count;
        }
    }
    return std::string(text.substr(0, i));
}

bool validParameterList(const std::string& list, std::size_t maxLetters) {
    // An empty list would leave no first letter to fall back to.
    if (list.empty() || list.size() > maxLetters) return false;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (kParameterLetters.find(list[i]) == std::string_view::npos) return false;
        if (list.find(list[i], i + 1) != std::string::npos) return false;
    }
    return true;
}

bool variablesWithin(const FormulaNode* node, const std::string& list) {
    if (node == nullptr) return true;
    if (node->kind == FormulaNodeKind::Variable) return list.find(node->tag) != std::string::npos;
    if (node->kind == FormulaNodeKind::Constant) return true;
    return variablesWithin(node->first.get(), list) && variablesWithin(node->second.get(), list);
}

// Restores the error mode of the caller whatever way the build ends.
class SavedErrorMode {
  public:
    SavedErrorMode() : fatal_(fatalErrorMode), pending_(pendingErrorNumber) {
        fatalErrorMode = false;
        pendingErrorNumber = 0;
    }
    ~SavedErrorMode() {
        fatalErrorMode = fatal_;
        pendingErrorNumber = pending_;
    }
    SavedErrorMode(const SavedErrorMode&) = delete;
    SavedErrorMode& operator=(const SavedErrorMode&) = delete;

  private:
    bool fatal_;
    int pending_;
};

}  // namespace

std::unique_ptr<FormulaNode> FormulaNode::clone() const {
    auto copy = std::make_unique<FormulaNode>();
    copy->kind = kind;
    copy->tag = tag;
    copy->value = value;
    if (first) copy->first = first->clone();
    if (second) copy->second = second->clone();
    return copy;
}

CompiledFormula::CompiledFormula(const CompiledFormula& other)
    : root_(other.root_ ? other.root_->clone() : nullptr),
      parameters_(other.parameters_),
      text_(other.text_),
      program_(other.program_) {}

CompiledFormula& CompiledFormula::operator=(const CompiledFormula& other) {
    if (this != &other) *this = CompiledFormula(other);
    return *this;
}

CompiledFormula::~CompiledFormula() = default;

double constantE() {
    static const double e = std::exp(1.0);
    return e;
}

void compileFormula(std::string_view parameters, std::size_t maxLetters, std::string_view text,
                    CompiledFormula& formula) {
    ModuleScope scope(51, "Definis_Fonction");
    std::string list = firstCharacters(parameters, kMaxFormulaLength);
    for (char& c : list) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    if (!validParameterList(list, maxLetters)) {
        reportLibraryError(51, "liste de paramètres formels incorrecte");
        return;
    }
    formulaError = false;

    BuildResult built;
    bool succeeded = false;
    {
        SavedErrorMode saved;
        built = aa_FONCTOR(text);
        succeeded = pendingErrorNumber == 0 && built.root != nullptr;
    }
    if (succeeded && variablesWithin(built.root.get(), list)) {
        auto program = std::make_shared<const FormulaProgram>(*built.root, list);
        formula.root_ = std::move(built.root);
        formula.parameters_ = std::move(list);
        formula.text_ = firstCharacters(text, kMaxFormulaLength);
        formula.program_ = std::move(program);
        return;
    }
    const std::string fallback(1, list[0]);
    compileFormula(list, maxLetters, fallback, formula);
    formulaError = true;
}

void Definis_Fonction(std::string_view parameters, std::string_view text,
                      CompiledFormula& formula) {
    compileFormula(parameters, kMaxChannelParameters, text, formula);
}

void Definis_FonctionN(std::string_view parameters, std::string_view text,
                       CompiledFormula& formula) {
    compileFormula(parameters, kMaxFormulaParameters, text, formula);
}

void initialiseFormulaLibrary() {
    resetErrorFacility();
    formulaVariables.fill(0.0);
    formulaError = false;
    constantE();
}

}  // namespace qtl
