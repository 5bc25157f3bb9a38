// The live readout of one tick: which acquisition entries are usable, the text of each
// channel (its formula over fresh readings) and the banner caption built from them.
#pragma once

#include <string>

#include "settings/program_settings.h"

namespace qtl {

// Each text holds at most this many characters.
inline constexpr std::size_t kReadoutTextMax = 23;

struct ReadoutTexts {
    std::string p;  // "VP:2.5000", "VP indisp." or "VP:erreur"
    std::string a;
    std::string s;
};

// "point par point": channel A is measured and active.
bool pointByPointEnabled(const ProgramSettings& settings);
// "déclenchement automatique": interval at or below the burst threshold, converted readings.
bool autoTriggerEnabled(const ProgramSettings& settings);

// Reads the drivers of the active channels (three readings each, P, A, S in order) and
// evaluates their formulas with T = 0. In the normal mode P's formula is compiled again
// from its text first. A formula whose evaluation reports an arithmetic error gives
// "Vx:erreur" instead of ending the tick.
ReadoutTexts readoutTexts(ProgramSettings& settings);

// "QTL32 " + P + three blanks + A + three blanks + S.
std::string readoutCaption(const ReadoutTexts& texts);

}  // namespace qtl
