// Axis range checks.
#include "graph/graph_axis.h"

#include <cmath>

namespace qtl {

void GraphAxis::setMinimum(double value) {
    if (std::isnan(value) || value > maximum_) throw AxisRangeError(kAxisMinimumRefused);
    if (value == minimum_) return;
    minimum_ = value;
    ++version_;
}

void GraphAxis::setMaximum(double value) {
    if (std::isnan(value) || value < minimum_) throw AxisRangeError(kAxisMaximumRefused);
    if (value == maximum_) return;
    maximum_ = value;
    ++version_;
}

void GraphAxis::setRange(double minimum, double maximum) {
    // An inverted range keeps the plain order, as the chart is set step by step: a minimum
    // that fits under the current maximum is taken before the maximum is refused.
    if (minimum > maximum_ && minimum <= maximum) {
        setMaximum(maximum);
        setMinimum(minimum);
    } else {
        setMinimum(minimum);
        setMaximum(maximum);
    }
}

void GraphAxis::fitRange(double minimum, double maximum) {
    if (std::isnan(minimum) || std::isnan(maximum) || minimum > maximum) return;
    if (minimum == minimum_ && maximum == maximum_) return;
    minimum_ = minimum;
    maximum_ = maximum;
    ++version_;
}

void GraphAxis::setAutomatic(bool on) {
    if (on == automatic_) return;
    automatic_ = on;
    ++version_;
}

void GraphAxis::setVisible(bool on) {
    if (on == visible_) return;
    visible_ = on;
    ++version_;
}

void GraphAxis::setTitle(const std::string& title) {
    if (title == title_) return;
    title_ = title;
    ++version_;
}

}  // namespace qtl
