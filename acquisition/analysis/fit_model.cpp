// Built-in model formulas, their derivatives, and the free model over the formula language.
#include "analysis/fit_model.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "formula/formula_builder.h"

namespace qtl {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

std::vector<std::string> builtInNames(const ModelChoice& c) {
    switch (c.kind) {
        case ModelKind::Linear:
            return {"a"};
        case ModelKind::Affine:
            return {"a", "b"};
        case ModelKind::Polynomial: {
            if (c.degree == 2) return {"a", "b", "c"};
            std::vector<std::string> names;
            for (int k = 0; k <= c.degree; ++k) {
                std::string name = "a";
                name += std::to_string(k);
                names.push_back(std::move(name));
            }
            return names;
        }
        case ModelKind::Exponential:
        case ModelKind::FirstOrderRise:
            return {"A", "τ", "B"};
        case ModelKind::DampedSine:
            return {"A", "τ", "T", "φ", "B"};
        case ModelKind::Power:
            return {"A", "n"};
        case ModelKind::Free:
            break;
    }
    return {};
}

}  // namespace

FreeModelLetters freeModelLetters(std::string_view text) {
    FreeModelLetters result;
    const PreparedText prepared = prepareFormulaText(text);
    const std::string& t = prepared.text;
    for (std::size_t i = 0; i < t.size();) {
        if (t[i] < 'A' || t[i] > 'Z') {
            // A number's exponent "1E5" is not a name.
            if (t[i] >= '0' && t[i] <= '9') {
                while (i < t.size() && ((t[i] >= '0' && t[i] <= '9') || t[i] == '.')) ++i;
                if (i < t.size() && t[i] == 'E') {
                    ++i;
                    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
                }
                continue;
            }
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < t.size() && t[end] >= 'A' && t[end] <= 'Z') ++end;
        if (end - i == 1) {
            const char letter = t[i];
            if (letter != 'E' && letter != 'X' &&
                result.letters.find(letter) == std::string::npos) {
                if (std::string_view("PAST").find(letter) != std::string_view::npos) {
                    result.error = std::string("Le paramètre ") + letter +
                                   " n'est pas permis : P, A, S, T, X et E sont réservés.";
                    return result;
                }
                result.letters += letter;
            }
        }
        i = end;
    }
    if (result.letters.empty()) {
        result.error = "Le modèle libre doit contenir au moins un paramètre (une lettre).";
    } else if (result.letters.size() > kMaxFreeParameters) {
        result.error = "Le modèle libre a au plus 6 paramètres (ici " +
                       std::to_string(result.letters.size()) + ").";
    }
    return result;
}

FitModel::FitModel(const ModelChoice& choice) : choice_(choice) {
    if (choice_.kind == ModelKind::Polynomial &&
        (choice_.degree < kMinPolynomialDegree || choice_.degree > kMaxPolynomialDegree)) {
        error_ = "Le degré du polynôme va de 2 à 6.";
        return;
    }
    if (choice_.kind != ModelKind::Free) {
        names_ = builtInNames(choice_);
        return;
    }
    if (choice_.text.size() >= static_cast<std::size_t>(kMaxFormulaLength)) {
        error_ = "Erreur dans la fonction : le modèle libre a 80 caractères ou plus.";
        return;
    }
    const FreeModelLetters letters = freeModelLetters(choice_.text);
    if (!letters.error.empty()) {
        error_ = letters.error;
        return;
    }
    Definis_FonctionN("X" + letters.letters, choice_.text, formula_);
    if (formulaError) {
        error_ = "Erreur dans la fonction : le modèle libre ne se compile pas.";
        return;
    }
    for (char c : letters.letters) names_.emplace_back(1, c);
    bound_.resize(names_.size() + 1);
}

bool FitModel::isLinear() const {
    return choice_.kind == ModelKind::Linear || choice_.kind == ModelKind::Affine ||
           choice_.kind == ModelKind::Polynomial;
}

std::string FitModel::equation() const {
    switch (choice_.kind) {
        case ModelKind::Linear:
            return "y = a·X";
        case ModelKind::Affine:
            return "y = a·X+b";
        case ModelKind::Polynomial: {
            if (choice_.degree == 2) return "y = a·X²+b·X+c";
            std::string text = "y = a0+a1·X";
            for (int k = 2; k <= choice_.degree; ++k) {
                text += "+a" + std::to_string(k) + "·X^" + std::to_string(k);
            }
            return text;
        }
        case ModelKind::Exponential:
            return "y = A·exp(−X/τ)+B";
        case ModelKind::FirstOrderRise:
            return "y = A·(1−exp(−X/τ))+B";
        case ModelKind::DampedSine:
            return "y = A·exp(−X/τ)·sin(2π·X/T+φ)+B";
        case ModelKind::Power:
            return "y = A·X^n";
        case ModelKind::Free:
            break;
    }
    return "y = " + choice_.text;
}

double FitModel::value(std::span<const double> p, double x) const {
    switch (choice_.kind) {
        case ModelKind::Linear:
            return p[0] * x;
        case ModelKind::Affine:
            return p[0] * x + p[1];
        case ModelKind::Polynomial: {
            if (choice_.degree == 2) return (p[0] * x + p[1]) * x + p[2];
            double v = 0;
            for (std::size_t k = p.size(); k-- > 0;) v = v * x + p[k];
            return v;
        }
        case ModelKind::Exponential:
            return p[0] * std::exp(-x / p[1]) + p[2];
        case ModelKind::FirstOrderRise:
            return p[0] * (1 - std::exp(-x / p[1])) + p[2];
        case ModelKind::DampedSine:
            return p[0] * std::exp(-x / p[1]) * std::sin(kTwoPi * x / p[2] + p[3]) + p[4];
        case ModelKind::Power:
            return p[0] * std::pow(x, p[1]);
        case ModelKind::Free:
            break;
    }
    bound_[0] = x;
    for (std::size_t i = 0; i < p.size(); ++i) bound_[i + 1] = p[i];
    // Errors are recorded, not thrown, while the model is evaluated.
    const bool fatal = fatalErrorMode;
    const int pending = pendingErrorNumber;
    fatalErrorMode = false;
    pendingErrorNumber = 0;
    double v = EvalueN(formula_, bound_);
    if (pendingErrorNumber != 0) v = std::numeric_limits<double>::quiet_NaN();
    fatalErrorMode = fatal;
    pendingErrorNumber = pending;
    return v;
}

bool FitModel::derivatives(std::span<const double> p, double x, std::span<double> row) const {
    switch (choice_.kind) {
        case ModelKind::Linear:
            row[0] = x;
            return true;
        case ModelKind::Affine:
            row[0] = x;
            row[1] = 1;
            return true;
        case ModelKind::Polynomial: {
            const bool parabola = choice_.degree == 2;
            double power = 1;
            for (std::size_t k = 0; k < p.size(); ++k) {
                row[parabola ? 2 - k : k] = power;
                power *= x;
            }
            return true;
        }
        case ModelKind::Exponential:
        case ModelKind::FirstOrderRise: {
            const double e = std::exp(-x / p[1]);
            const double sign = choice_.kind == ModelKind::Exponential ? 1 : -1;
            row[0] = choice_.kind == ModelKind::Exponential ? e : 1 - e;
            row[1] = sign * p[0] * e * x / (p[1] * p[1]);
            row[2] = 1;
            return true;
        }
        case ModelKind::DampedSine: {
            const double e = std::exp(-x / p[1]);
            const double angle = kTwoPi * x / p[2] + p[3];
            const double s = std::sin(angle);
            const double c = std::cos(angle);
            row[0] = e * s;
            row[1] = p[0] * e * s * x / (p[1] * p[1]);
            row[2] = -p[0] * e * c * kTwoPi * x / (p[2] * p[2]);
            row[3] = p[0] * e * c;
            row[4] = 1;
            return true;
        }
        case ModelKind::Power: {
            const double v = std::pow(x, p[1]);
            row[0] = v;
            row[1] = x > 0 ? p[0] * v * std::log(x) : 0;
            return true;
        }
        case ModelKind::Free:
            break;
    }
    return false;
}

}  // namespace qtl
