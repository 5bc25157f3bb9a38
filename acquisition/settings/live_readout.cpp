// Live readout texts.
#include "settings/live_readout.h"

#include "formula/formula.h"
#include "qtl_error.h"
#include "settings/input_driver.h"
#include "settings/number_format.h"
#include "settings/text_codec.h"

namespace qtl {

namespace {

struct Readings {
    double p, a, s;
};

Readings rawReadings(const ProgramSettings& settings) {
    const double p = readEa(settings.channelP);
    const double a = readEa(settings.channelA);
    return {p, a, static_cast<double>(readEa(settings.channelS))};
}

Readings convertedReadings(const ProgramSettings& settings) {
    const double p = readEad(settings.channelP);
    const double a = readEad(settings.channelA);
    return {p, a, readEad(settings.channelS)};
}

std::string channelText(const ProgramSettings& settings, const ChannelSettings& channel,
                        const char* name) {
    const std::string prefix = std::string("V") + name;
    if (!channel.active) return prefix + " indisp.";
    std::string value;
    try {
        if (settings.rawConverterMode) {
            const Readings r = rawReadings(settings);
            value = formatFixed(5, Evalue4(channel.formula, r.p, r.a, r.s, 0.0));
        } else {
            const Readings r = convertedReadings(settings);
            value =
                formatShort(settings.displayDigits, Evalue4(channel.formula, r.p, r.a, r.s, 0.0));
        }
    } catch (const CommandError&) {
        // A box at every tick would leave the user no way to reach the formula to fix it.
        value = "erreur";
    }
    return std::string(utf8Prefix(prefix + ":" + value, kReadoutTextMax));
}

}  // namespace

bool pointByPointEnabled(const ProgramSettings& settings) {
    return settings.channelA.takeMeasurement && settings.channelA.active;
}

bool autoTriggerEnabled(const ProgramSettings& settings) {
    return settings.intervalUs / 1000 <= settings.oscilloThresholdMs && !settings.rawConverterMode;
}

ReadoutTexts readoutTexts(ProgramSettings& settings) {
    if (!settings.rawConverterMode && settings.channelP.active)
        Definis_Fonction(kChannelFormulaVariables, settings.channelP.formulaText.str(),
                         settings.channelP.formula);
    return {channelText(settings, settings.channelP, "P"),
            channelText(settings, settings.channelA, "A"),
            channelText(settings, settings.channelS, "S")};
}

std::string readoutCaption(const ReadoutTexts& texts) {
    return "QTL32 " + texts.p + "   " + texts.a + "   " + texts.s;
}

}  // namespace qtl
