// Defaults of the settings record and its single instance.
#include "settings/program_settings.h"

namespace qtl {

ChannelSettings ChannelSettings::defaults(char letter) {
    ChannelSettings c;
    switch (letter) {
        case 'A':
            c.title = "voie auxiliaire";
            c.formulaText = "A";
            break;
        case 'S':
            c.title = "voie supplémentaire";
            c.formulaText = "S";
            break;
        default:
            c.title = "voie principale";
            c.formulaText = "P";
            break;
    }
    return c;
}

ChannelSettings& ProgramSettings::channel(char letter) {
    switch (letter) {
        case 'A':
        case 'a':
            return channelA;
        case 'S':
        case 's':
            return channelS;
        default:
            return channelP;
    }
}

const ChannelSettings& ProgramSettings::channel(char letter) const {
    return const_cast<ProgramSettings*>(this)->channel(letter);
}

void compileChannelFormulas(ProgramSettings& settings) {
    for (ChannelSettings* c : {&settings.channelP, &settings.channelA, &settings.channelS}) {
        Definis_Fonction(kChannelFormulaVariables, c->formulaText.str(), c->formula);
    }
}

namespace {

ProgramSettings startUpSettings() {
    ProgramSettings s;
    compileChannelFormulas(s);
    return s;
}

}  // namespace

ProgramSettings& programSettings() {
    static ProgramSettings instance = startUpSettings();
    return instance;
}

void resetProgramSettings() {
    programSettings() = startUpSettings();
}

}  // namespace qtl
