// Text preparation, tokens and recursive-descent grammar of the formula language.
#include "formula/formula_builder.h"

#include <charconv>
#include <cstring>
#include <vector>

#include "formula/error_facility.h"

namespace qtl {

namespace {

constexpr std::size_t kOperandStackSize = 50;

bool isLetter(char c) {
    return c >= 'A' && c <= 'Z';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t utf8Length(std::string_view text) {
    std::size_t n = 0;
    for (char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    }
    return n;
}

// Rewrites MAX(a,b) into (a)>(b) and MIN(a,b) into (a)<(b), comma by comma from the left.
bool rewriteMinMax(std::string& s) {
    for (std::size_t comma = s.find(','); comma != std::string::npos; comma = s.find(',')) {
        const std::string_view before(s.data(), comma);
        const std::size_t min = before.rfind("MIN");
        const std::size_t max = before.rfind("MAX");
        if (min == std::string_view::npos && max == std::string_view::npos) return false;
        const bool maxLater =
            max != std::string_view::npos && (min == std::string_view::npos || max > min);
        const std::size_t name = maxLater ? max : min;
        std::string out;
        out.reserve(s.size() + 2);
        out.append(s, 0, name);
        out.append(s, name + 3, comma - name - 3);
        out.append(maxLater ? ")>(" : ")<(");
        out.append(s, comma + 1, std::string::npos);
        s = std::move(out);
    }
    return true;
}

class Builder {
  public:
    explicit Builder(const std::string& text) : s_(text) {}

    BuildResult run() {
        BuildResult result;
        if (parseExpression() && expectEnd()) {
            result.root = std::move(stack_.back());
        }
        stack_.clear();
        result.failure = failure_;
        return result;
    }

  private:
    char peek() const { return pos_ < s_.size() ? s_[pos_] : '\0'; }

    bool fail(BuildFailure kind) {
        failure_ = kind;
        return false;
    }

    bool push(std::unique_ptr<FormulaNode> node) {
        if (stack_.size() >= kOperandStackSize) return fail(BuildFailure::TooManyOperands);
        stack_.push_back(std::move(node));
        return true;
    }

    std::unique_ptr<FormulaNode> pop() {
        auto node = std::move(stack_.back());
        stack_.pop_back();
        return node;
    }

    bool combine(FormulaNodeKind kind, char tag) {
        auto node = std::make_unique<FormulaNode>();
        node->kind = kind;
        node->tag = tag;
        if (kind == FormulaNodeKind::Operator) node->second = pop();
        node->first = pop();
        return push(std::move(node));
    }

    bool expectEnd() {
        // The end marker must be the last character: a '$' typed by the user is no end.
        if (pos_ + 1 != s_.size() || s_[pos_] != '$') return fail(BuildFailure::TrailingCharacters);
        return true;
    }

    bool parseExpression() {
        char sign = 0;
        if (peek() == '+' || peek() == '-') sign = s_[pos_++];
        if (!parseTerm()) return false;
        if (sign != 0 && !combine(FormulaNodeKind::Sign, sign)) return false;
        while (peek() == '+' || peek() == '-') {
            const char op = s_[pos_++];
            if (!parseTerm() || !combine(FormulaNodeKind::Operator, op)) return false;
        }
        return true;
    }

    bool parseTerm() {
        if (!parsePower()) return false;
        while (peek() == '*' || peek() == '/' || peek() == '%') {
            const char op = s_[pos_++];
            if (!parsePower() || !combine(FormulaNodeKind::Operator, op)) return false;
        }
        return true;
    }

    bool parsePower() {
        if (!parsePrimary()) return false;
        while (peek() == '^') {
            ++pos_;
            if (!parsePrimary() || !combine(FormulaNodeKind::Operator, '^')) return false;
        }
        return true;
    }

    bool parsePrimary() {
        const char c = peek();
        if (isDigit(c)) return parseNumber();
        if (isLetter(c)) return parseName();
        if (c != '(') return fail(BuildFailure::OperandExpected);
        ++pos_;
        if (!parseExpression()) return false;
        if (peek() != ')') return fail(BuildFailure::MissingClosingParenthesis);
        ++pos_;
        // Only a parenthesised primary takes the operators produced by MAX and MIN.
        for (const char op : {'>', '<'}) {
            while (peek() == op) {
                ++pos_;
                if (!parsePrimary() || !combine(FormulaNodeKind::Operator, op)) return false;
            }
        }
        return true;
    }

    bool parseNumber() {
        const std::size_t start = pos_;
        while (isDigit(peek())) ++pos_;
        if (peek() == '.') {
            ++pos_;
            while (isDigit(peek())) ++pos_;
        }
        bool negativeExponent = false;
        if (peek() == 'E') {
            ++pos_;
            if (peek() == '+' || peek() == '-') negativeExponent = s_[pos_++] == '-';
            const std::size_t digits = pos_;
            while (isDigit(peek())) ++pos_;
            if (pos_ == digits) return fail(BuildFailure::MalformedNumber);
        }
        double value = 0.0;
        const char* first = s_.data() + start;
        const char* last = s_.data() + pos_;
        const auto [end, ec] = std::from_chars(first, last, value);
        if (ec == std::errc::result_out_of_range && negativeExponent) {
            value = 0.0;  // too small to represent
        } else if (ec != std::errc() || end != last) {
            return fail(BuildFailure::MalformedNumber);
        }
        auto node = std::make_unique<FormulaNode>();
        node->kind = FormulaNodeKind::Constant;
        node->value = value;
        return push(std::move(node));
    }

    bool parseName() {
        const std::size_t start = pos_;
        while (isLetter(peek())) ++pos_;
        const std::string_view name(s_.data() + start, pos_ - start);
        auto node = std::make_unique<FormulaNode>();
        if (name == "E" || name == "PI") {
            node->kind = FormulaNodeKind::Constant;
            node->value = name == "E" ? constantE() : kConstantPi;
            return push(std::move(node));
        }
        for (int number = 1; number <= kFunctionCount; ++number) {
            if (name != functionName(number)) continue;
            if (peek() != '(') return fail(BuildFailure::FunctionWithoutParenthesis);
            ++pos_;
            if (!parseExpression()) return false;
            if (peek() != ')') return fail(BuildFailure::MissingClosingParenthesis);
            ++pos_;
            return combine(FormulaNodeKind::Function, static_cast<char>(number));
        }
        if (name.size() != 1) return fail(BuildFailure::UnknownName);
        node->kind = FormulaNodeKind::Variable;
        node->tag = name[0];
        return push(std::move(node));
    }

    const std::string& s_;
    std::size_t pos_ = 0;
    std::vector<std::unique_ptr<FormulaNode>> stack_;
    BuildFailure failure_ = BuildFailure::None;
};

}  // namespace

PreparedText prepareFormulaText(std::string_view text) {
    PreparedText prepared;
    if (utf8Length(text) >= static_cast<std::size_t>(kMaxFormulaLength)) {
        prepared.failure = BuildFailure::TooLong;
        return prepared;
    }
    std::string& s = prepared.text;
    s.reserve(text.size() + 1);
    for (char c : text) {
        if (c == ' ') continue;
        s += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    s += '$';
    std::string withoutMod;
    withoutMod.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s.compare(i, 3, "MOD") == 0) {
            withoutMod += '%';
            i += 2;
        } else {
            withoutMod += s[i];
        }
    }
    s = std::move(withoutMod);
    if (!rewriteMinMax(s) || s == "$") prepared.failure = BuildFailure::EmptyOrStrayComma;
    return prepared;
}

BuildResult aa_FONCTOR(std::string_view text) {
    ModuleScope scope(69, "aa_FONCTOR");
    PreparedText prepared = prepareFormulaText(text);
    BuildResult result;
    if (prepared.failure == BuildFailure::None) {
        result = Builder(prepared.text).run();
    } else {
        result.failure = prepared.failure;
    }
    if (result.failure != BuildFailure::None) {
        result.root.reset();
        reportLibraryError(69, "Erreur de syntaxe");
    }
    return result;
}

}  // namespace qtl
