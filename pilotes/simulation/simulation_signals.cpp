// Signals and remembered outputs of the simulation driver.
#include "simulation_signals.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>

namespace simulation {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRcPeriodSeconds = 10.0;
constexpr double kRcTimeConstant = 2.0;
constexpr double kTrianglePeriodAt1Hz = 20.0;

const auto kLoadTime = std::chrono::steady_clock::now();

std::string lower(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

std::string trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// from_chars and to_chars ignore the C locale: a host program on a desktop with a decimal
// comma must not make "0.5" unreadable or the answer come back as "0,5".
bool parseNumber(std::string text, double& value) {
    std::replace(text.begin(), text.end(), ',', '.');
    text = trim(text);
    const char* first = text.data();
    const char* const last = text.data() + text.size();
    if (first != last && *first == '+') ++first;
    double v = 0.0;
    const auto res = std::from_chars(first, last, v);
    if (first == last || res.ec != std::errc{} || res.ptr != last || !std::isfinite(v)) {
        return false;
    }
    value = v;
    return true;
}

std::string shortNumber(double v) {
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 6);
    return std::string(buf, res.ptr);
}

}  // namespace

double secondsSinceLoad() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - kLoadTime).count();
}

Laboratory& laboratory() {
    static Laboratory lab;
    return lab;
}

double Laboratory::volts(int input, double seconds) {
    const double a = parameters_.amplitude;
    const double f = parameters_.frequency;
    switch (input) {
        case Sine:
            return a * std::sin(2.0 * kPi * f * seconds);
        case Triangle: {
            const double period = kTrianglePeriodAt1Hz / f;
            const double phase = std::fmod(seconds, period) / period;  // 0..1
            return a * (phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase);
        }
        case Noise: {
            // xorshift64*: cheap, repeatable, good enough for a noisy trace.
            noiseState_ ^= noiseState_ >> 12;
            noiseState_ ^= noiseState_ << 25;
            noiseState_ ^= noiseState_ >> 27;
            const std::uint64_t r = noiseState_ * 0x2545F4914F6CDD1Dull;
            const double unit = static_cast<double>(r >> 11) / 9007199254740992.0;  // [0, 1)
            return a * 0.1 * (2.0 * unit - 1.0);
        }
        case RcCharge: {
            const double t = std::fmod(seconds, kRcPeriodSeconds);
            return a * (1.0 - std::exp(-t / kRcTimeConstant));
        }
        case AnalogOutput0:
            return analog_[0];
        default:
            return 0.0;
    }
}

std::int32_t Laboratory::toCode(double volts) {
    if (std::isnan(volts)) return 0;
    const double code = std::round((volts + kFullScaleVolts) / (2.0 * kFullScaleVolts) * 4095.0);
    return static_cast<std::int32_t>(std::clamp(code, 0.0, 4095.0));
}

double Laboratory::fromCode(std::int32_t code) {
    const std::int32_t c = std::clamp<std::int32_t>(code, 0, 4095);
    return c / 4095.0 * 2.0 * kFullScaleVolts - kFullScaleVolts;
}

bool Laboratory::setLogic(int output, bool on) {
    if (output < 0 || output >= kLogicOutputCount) return false;
    logic_[static_cast<std::size_t>(output)] = on;
    return true;
}

bool Laboratory::logic(int output) const {
    return output >= 0 && output < kLogicOutputCount && logic_[static_cast<std::size_t>(output)];
}

bool Laboratory::setAnalog(int output, double volts) {
    if (output < 0 || output >= kAnalogOutputCount || std::isnan(volts)) return false;
    analog_[static_cast<std::size_t>(output)] =
        std::clamp(volts, -kFullScaleVolts, kFullScaleVolts);
    return true;
}

double Laboratory::analog(int output) const {
    if (output < 0 || output >= kAnalogOutputCount) return 0.0;
    return analog_[static_cast<std::size_t>(output)];
}

void Laboratory::applySettings(const std::string& text) {
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find_first_of(";\r\n", start), text.size());
        const std::string item = text.substr(start, end - start);
        const std::size_t eq = item.find('=');
        if (eq != std::string::npos) {
            const std::string key = lower(trim(item.substr(0, eq)));
            double value = 0.0;
            if (parseNumber(item.substr(eq + 1), value)) {
                if (key == "amplitude") {
                    parameters_.amplitude = std::clamp(value, 0.0, kFullScaleVolts);
                } else if (key == "frequence" || key == "fr\xE9quence") {
                    parameters_.frequency = std::clamp(value, 0.001, 100.0);
                }
            }
        }
        start = end + 1;
    }
}

std::string Laboratory::settingsText() const {
    return "amplitude=" + shortNumber(parameters_.amplitude) +
           ";frequence=" + shortNumber(parameters_.frequency);
}

}  // namespace simulation
