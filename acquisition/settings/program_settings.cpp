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

ProgramSettings& programSettings() {
    static ProgramSettings instance;
    return instance;
}

void resetProgramSettings() {
    programSettings() = ProgramSettings{};
}

}  // namespace qtl
