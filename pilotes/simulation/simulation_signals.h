// The simulated laboratory behind the simulation driver: signals computed from a monotonic
// clock, and the outputs a program sets, remembered so that one input can read them back.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace simulation {

inline constexpr int kInputCount = 5;
inline constexpr int kLogicOutputCount = 4;
inline constexpr int kAnalogOutputCount = 2;
inline constexpr double kFullScaleVolts = 10.0;  // the converter spans -10 V to +10 V

enum Input { Sine = 0, Triangle = 1, Noise = 2, RcCharge = 3, AnalogOutput0 = 4 };

struct Parameters {
    double amplitude = 5.0;  // volts
    double frequency = 1.0;  // hertz, of the sine; the other signals scale with it
};

class Laboratory {
  public:
    // Value of an input, in volts, at `seconds` of the monotonic clock; 0 for an unknown input.
    double volts(int input, double seconds);

    // 12-bit code of a voltage: 0 for -10 V, 4095 for +10 V, clamped.
    static std::int32_t toCode(double volts);
    static double fromCode(std::int32_t code);

    bool setLogic(int output, bool on);
    bool logic(int output) const;
    // Stores the value (clamped to the converter's range); false for an unknown output.
    bool setAnalog(int output, double volts);
    double analog(int output) const;

    const Parameters& parameters() const { return parameters_; }
    // Reads "amplitude=...;frequence=..." (keys in any case, ',' or '.' as decimal mark);
    // unknown keys and unreadable values are ignored, values are kept within range.
    void applySettings(const std::string& text);
    std::string settingsText() const;

  private:
    Parameters parameters_;
    std::array<bool, kLogicOutputCount> logic_{};
    std::array<double, kAnalogOutputCount> analog_{};
    std::uint64_t noiseState_ = 0x9E3779B97F4A7C15ull;
};

// Seconds of the monotonic clock since the library was loaded.
double secondsSinceLoad();

// The one laboratory of the library.
Laboratory& laboratory();

}  // namespace simulation
