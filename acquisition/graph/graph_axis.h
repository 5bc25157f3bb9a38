// One axis of a graph window's chart: its range, automatic scaling, visibility and title.
// Like the chart it stands for, it refuses a minimum above its current maximum and a maximum
// below its current minimum; the refusal ends the user's command with the chart's text.
#pragma once

#include <cstdint>
#include <string>

#include "qtl_error.h"

namespace qtl {

class AxisRangeError : public CommandError {
  public:
    using CommandError::CommandError;
};

inline constexpr const char* kAxisMinimumRefused =
    "La valeur minimum de l'axe doit être <= Maximum";
inline constexpr const char* kAxisMaximumRefused =
    "La valeur maximum de l'axe doit être >= Minimum";

class GraphAxis {
  public:
    double minimum() const { return minimum_; }
    double maximum() const { return maximum_; }
    // Throw AxisRangeError when the value would cross the other bound (or is not a number).
    void setMinimum(double value);
    void setMaximum(double value);
    // Sets both bounds, minimum first; a range that lies wholly above the current one takes
    // its maximum first, so that any range with minimum <= maximum is accepted.
    void setRange(double minimum, double maximum);
    // The range found by automatic scaling: no refusal, the bounds come from the data.
    void fitRange(double minimum, double maximum);

    bool automatic() const { return automatic_; }
    void setAutomatic(bool on);
    bool visible() const { return visible_; }
    void setVisible(bool on);
    const std::string& title() const { return title_; }
    void setTitle(const std::string& title);

    std::uint64_t version() const { return version_; }

  private:
    double minimum_ = 0;
    double maximum_ = 0;
    bool automatic_ = true;
    bool visible_ = true;
    std::string title_;
    std::uint64_t version_ = 0;
};

}  // namespace qtl
