// Text of a fit result.
#include "analysis/fit_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace qtl {

namespace {

std::string printed(const char* format, int digits, double v, char decimalMark) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, digits, v);
    std::string text = buffer;
    if (decimalMark != '.') std::replace(text.begin(), text.end(), '.', decimalMark);
    return text;
}

}  // namespace

std::string formatFitNumber(double value, double uncertainty, char decimalMark) {
    if (!std::isfinite(value)) return std::isnan(value) ? "NaN" : (value > 0 ? "+inf" : "-inf");
    int digits = 10;
    const char* format = "%.*g";
    if (std::isfinite(uncertainty) && uncertainty > 0 && value != 0) {
        const int lead = static_cast<int>(std::floor(std::log10(std::abs(value))));
        const int last = static_cast<int>(std::floor(std::log10(uncertainty))) - 1;
        digits = std::clamp(lead - last + 1, 2, 15);
        format = "%#.*g";  // trailing zeros are significant here
    }
    return printed(format, digits, value, decimalMark);
}

std::string fitResultText(const FitModel& model, const FitResult& result, char decimalMark) {
    std::string text = "Modèle : " + model.equation() + "\n";
    if (result.status == FitStatus::NotConverged) text += "Non convergé : dernière estimation\n";
    for (std::size_t i = 0; i < result.values.size() && i < result.names.size(); ++i) {
        const double u = i < result.uncertainties.size() ? result.uncertainties[i] : NAN;
        text += result.names[i] + " = " + formatFitNumber(result.values[i], u, decimalMark);
        text +=
            std::isfinite(u) ? " ± " + printed("%#.*g", 2, u, decimalMark) : " (sans incertitude)";
        text += "\n";
    }
    if (!result.values.empty() && result.pointsUsed > result.values.size()) {
        text +=
            "écart-type des résidus = " + printed("%.*g", 4, result.residualStdDev, decimalMark) +
            "\n";
        text += "R² = " +
                (std::isnan(result.rSquared) ? std::string("—")
                                             : printed("%.*f", 6, result.rSquared, decimalMark)) +
                "\n";
        text += "itérations : " + std::to_string(result.iterations) + "\n";
    }
    text += "points : " + std::to_string(result.pointsUsed);
    if (result.pointsSkipped > 0) {
        text += " (" + std::to_string(result.pointsSkipped) + " ignorés : NaN ou infinis)";
    }
    text += "\n";
    if (!result.message.empty()) text += result.message + "\n";
    return text;
}

}  // namespace qtl
