// "sauver les réglages": the lines in their order and the file written whole or not at all.
#include <filesystem>

#include "settings/file_open.h"
#include "settings/replace_file.h"
#include "settings/settings_file.h"
#include "settings/settings_values.h"
#include "settings/text_codec.h"

namespace qtl {

namespace {

std::string flag(bool on) {
    return on ? "1" : "0";
}

// A line end inside a text would start a line of its own when read: it becomes a blank.
std::string text(const SettingsText& value) {
    std::string out = value.str();
    for (char& ch : out)
        if (ch == '\r' || ch == '\n') ch = ' ';
    return out;
}

}  // namespace

std::vector<std::string> settingsFileLines(const ProgramSettings& s, const OutputsState& outputs) {
    const ChannelSettings& p = s.channelP;
    const ChannelSettings& a = s.channelA;
    const ChannelSettings& c = s.channelS;
    std::vector<std::string> lines = {
        "PILOTEA=" + text(a.driverFile),
        "PILOTEP=" + text(p.driverFile),
        "PILOTES=" + text(c.driverFile),
        "PILOTESAF=" + text(s.fixedAnalogDriverFile),
        "PILOTESAV=" + text(s.variableAnalogDriverFile),
        "PILOTESB=" + text(s.logicDriverFile),
        "AUTOCADRAGEX=" + flag(s.cfgAutoScaleX),
        "AUTOCADRAGEY=" + flag(s.cfgAutoScaleY),
        "AUTOCADRAGEY2=" + flag(s.cfgAutoScaleY2),
        "BORNEINF=" + settingsReal(s.cfgLowerBound),
        "BORNESUP=" + settingsReal(s.cfgUpperBound),
        "FONCTIONA=" + text(a.formulaText),
        "FONCTIONP=" + text(p.formulaText),
        "FONCTIONS=" + text(c.formulaText),
        "INTERVALLE=" + std::to_string(s.intervalUs),
        "MAXIX=" + settingsReal(s.cfgMaxX),
        "MAXIY=" + settingsReal(s.cfgMaxY),
        "MAXIY2=" + settingsReal(s.cfgMaxY2),
        "MINIX=" + settingsReal(s.cfgMinX),
        "MINIY=" + settingsReal(s.cfgMinY),
        "MINIY2=" + settingsReal(s.cfgMinY2),
        "NBMESURES=" + std::to_string(s.maxMeasurements),
        "NUMEAA=" + std::to_string(a.inputIndex),
        "NUMEAP=" + std::to_string(p.inputIndex),
        "NUMEAS=" + std::to_string(c.inputIndex),
        "OUICANDIRECT=" + flag(s.rawConverterMode),
        "OUIFICHMEMO=" + flag(s.memoFileOn),
        "PECA=" + flag(a.takeMeasurement),
        "PECS=" + flag(c.takeMeasurement),
    };
    for (const auto& [key, channel] :
         {std::pair{"STYLEP=", &p}, {"STYLEA=", &a}, {"STYLES=", &c}}) {
        // A style outside the three known ones has no line.
        if (channel->lineStyle <= 2) lines.push_back(key + std::to_string(channel->lineStyle + 1));
    }
    lines.push_back("TITREP=" + text(p.title));
    lines.push_back("TITREA=" + text(a.title));
    lines.push_back("TITRES=" + text(c.title));
    lines.push_back("AXEY2VISIBLE=" + flag(s.cfgAxisY2Visible));
    lines.push_back("TRACELIGNE=" + flag(s.cfgDrawLines));
    lines.push_back("TRACEPOINT=" + flag(s.cfgDrawPoints));
    const FixedOutputsState& fixed = outputs.fixed;
    for (int n = 0; n < FixedOutputsState::kCount; ++n) {
        if (fixed.shown[n])
            lines.push_back("SAF=" + std::to_string(n) + "," + settingsReal(fixed.values[n]));
    }
    const LogicOutputsState& logic = outputs.logic;
    for (std::size_t k = 0; k < logic.names.size(); ++k) {
        const bool checked = k < logic.checked.size() && logic.checked[k];
        lines.push_back("SB=" + std::to_string(k) + "," + flag(checked));
    }
    lines.push_back("CHEMINEXTERNE=" + text(s.externalPath));
    lines.push_back("LIGNEEXTERNE=" + text(s.externalLine));
    lines.push_back("MENUEXTERNE=" + text(s.externalMenu));
    return lines;
}

std::string settingsFileBytes(const ProgramSettings& settings, const OutputsState& outputs) {
    std::string bytes;
    for (const std::string& line : settingsFileLines(settings, outputs)) {
        bytes += toWindows1252(line);
        bytes += "\r\n";
    }
    return bytes;
}

std::string withSettingsExtension(const std::string& name) {
    return utf8Path(name).has_extension() ? name : name + ".cfg";
}

void saveSettingsFile(const std::string& path, const ProgramSettings& settings,
                      const OutputsState& outputs) {
    replaceFile(path, settingsFileBytes(settings, outputs));
}

}  // namespace qtl
