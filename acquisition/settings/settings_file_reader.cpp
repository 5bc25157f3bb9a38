// "lire des réglages": each line in file order, by its own rule.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "formula/formula.h"
#include "outputs/fixed_outputs.h"
#include "settings/driver_search.h"
#include "settings/file_error.h"
#include "settings/file_open.h"
#include "settings/input_driver.h"
#include "settings/output_driver.h"
#include "settings/program_places.h"
#include "settings/settings_file.h"
#include "settings/settings_values.h"
#include "settings/text_codec.h"
#include "settings/text_fields.h"

namespace qtl {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxLineChars = 250;

std::uint16_t low16(std::int64_t value) {
    return static_cast<std::uint16_t>(static_cast<std::uint64_t>(value) & 0xFFFFu);
}

std::int32_t clampedInt32(std::int64_t value) {
    constexpr std::int64_t kMin = INT32_MIN, kMax = INT32_MAX;
    return static_cast<std::int32_t>(value < kMin ? kMin : (value > kMax ? kMax : value));
}

void loadChannelDriver(ChannelSettings& channel, const std::string& written,
                       const SettingsReadContext& context) {
    const std::string path = context.locateDriver ? context.locateDriver(written) : written;
    loadInputDriver(channel, path, DriverNameSet::SettingsFile);
    channel.driverFile = written;  // kept as written, so the file can move with its drivers
}

void loadOutputDriver(ProgramSettings& s, OutputLibrary library, const std::string& written,
                      const SettingsReadContext& context) {
    const std::string path = context.locateDriver ? context.locateDriver(written) : written;
    loadOutputDriverFromSettingsFile(s, library, path);
    switch (library) {
        case OutputLibrary::Logic:
            s.logicDriverFile = written;
            break;
        case OutputLibrary::FixedAnalog:
            s.fixedAnalogDriverFile = written;
            break;
        case OutputLibrary::VariableAnalog:
            s.variableAnalogDriverFile = written;
            break;
    }
}

void setReal(double& field, const std::string& cleaned) {
    if (const std::optional<double> value = settingsRealValue(cleaned)) field = *value;
}

// "SAF=n,value": shows fixed output n with the value and drives it at once.
void applyFixedOutput(const std::string& text, ProgramSettings& s, OutputsState& outputs) {
    if (!s.fixedAnalogDriverReady) return;
    std::string rest = text;
    const std::string head = splitField(rest, ',');
    if (head.size() != 1 || head[0] < '0' || head[0] > '5') return;
    const std::optional<double> value = settingsRealValue(cleanNumber(rest));
    if (!value) return;  // nothing to show or send
    const int n = head[0] - '0';
    outputs.fixed.shown[n] = true;
    setFixedOutputValue(outputs.fixed, n, *value);
    // The output gets what its field holds, so the dialog's next "OK" sends the same value.
    setFixedAnalogOutput(s.fixedAnalogDriver, n, outputs.fixed.values[n], s.rawConverterMode);
}

// "SB=k,state": drives logic output k; the dialog's check marks stay as they are.
void applyLogicOutput(const std::string& text, ProgramSettings& s) {
    if (!s.logicDriverReady) return;
    std::string rest = text;
    const std::string head = splitField(rest, ',');
    const std::int64_t index = settingsInteger(head);
    // Outputs are numbered from 0; a negative number names no output of any driver.
    if (index < 0 || index > INT32_MAX) return;
    setLogicOutput(s.logicDriver, static_cast<std::int32_t>(index),
                   settingsFlag(cleanNumber(rest)));
}

void applyStyle(ChannelSettings& channel, const std::string& cleaned) {
    if (cleaned.empty()) return;
    if (cleaned[0] >= '1' && cleaned[0] <= '3') channel.lineStyle = cleaned[0] - '1';
}

void applyFormula(ChannelSettings& channel, const std::string& text) {
    channel.formulaText = text;
    Definis_Fonction(kChannelFormulaVariables, channel.formulaText.str(), channel.formula);
}

// Splits bytes into lines (CR LF, LF or a lone CR), keeping at most 250 bytes of each; a line
// is handed on when its end is seen, or at the end of the input.
class LineSplitter {
  public:
    template <class Apply>
    void feed(std::string_view bytes, Apply&& apply) {
        for (char c : bytes) {
            if (afterCr_) {
                afterCr_ = false;
                if (c == '\n') continue;  // the LF of a CR LF
            }
            if (c == '\r' || c == '\n') {
                afterCr_ = c == '\r';
                apply(line_);
                line_.clear();
                pending_ = false;
                continue;
            }
            pending_ = true;
            if (line_.size() < kMaxLineChars) line_ += c;
        }
    }
    template <class Apply>
    void finish(Apply&& apply) {
        if (pending_) apply(line_);
        line_.clear();
        pending_ = false;
    }

  private:
    std::string line_;
    bool afterCr_ = false;
    bool pending_ = false;
};

void clearReadyFlags(ProgramSettings& s) {
    s.channelP.active = s.channelA.active = s.channelS.active = false;
    s.logicDriverReady = s.fixedAnalogDriverReady = s.variableAnalogDriverReady = false;
}

}  // namespace

SettingsReadContext SettingsReadContext::forFile(const std::string& settingsPath,
                                                 const std::string& driversFolder) {
    const std::string folder = utf8String(utf8Path(settingsPath).parent_path());
    SettingsReadContext context;
    context.locateDriver = [folder, driversFolder](const std::string& written) {
        return qtl::locateDriver(written, folder.empty() ? "." : folder, driversFolder);
    };
    return context;
}

void applySettingsLine(std::string_view rawLine, ProgramSettings& s, OutputsState& outputs,
                       const SettingsReadContext& context) {
    const std::string line = utf8Prefix(rawLine, kMaxLineChars);
    const std::string key = fieldKey('=', line);
    if (key.empty()) return;  // no "=" (or nothing before it)
    const std::string text = fieldText('=', line);
    const std::string cleaned = cleanNumber(text);

    if (key == "PILOTEA") return loadChannelDriver(s.channelA, text, context);
    if (key == "PILOTEP") return loadChannelDriver(s.channelP, text, context);
    if (key == "PILOTES") return loadChannelDriver(s.channelS, text, context);
    if (key == "PILOTESB") return loadOutputDriver(s, OutputLibrary::Logic, text, context);
    if (key == "PILOTESAF") return loadOutputDriver(s, OutputLibrary::FixedAnalog, text, context);
    if (key == "PILOTESAV")
        return loadOutputDriver(s, OutputLibrary::VariableAnalog, text, context);
    if (key == "INTERVALLE") {
        s.intervalUs = clampedInt32(settingsInteger(cleaned));
        return;
    }
    if (key == "NBMESURES") {
        s.maxMeasurements = low16(settingsInteger(cleaned));
        return;
    }
    if (key == "NUMEAP" || key == "NUMEAA" || key == "NUMEAS") {
        s.channel(key.back()).inputIndex = low16(settingsInteger(cleaned));
        return;
    }
    if (key == "FONCTIONP" || key == "FONCTIONA" || key == "FONCTIONS")
        return applyFormula(s.channel(key.back()), text);
    if (key == "PECA" || key == "PECS") {
        ChannelSettings& channel = s.channel(key.back());
        channel.takeMeasurement = channel.active = settingsFlag(cleaned);
        return;
    }
    const std::pair<const char*, bool*> flags[] = {
        {"AUTOCADRAGEX", &s.cfgAutoScaleX},   {"AUTOCADRAGEY", &s.cfgAutoScaleY},
        {"AUTOCADRAGEY2", &s.cfgAutoScaleY2}, {"AXEY2VISIBLE", &s.cfgAxisY2Visible},
        {"TRACELIGNE", &s.cfgDrawLines},      {"TRACEPOINT", &s.cfgDrawPoints},
        {"OUICANDIRECT", &s.rawConverterMode}};
    for (const auto& [name, field] : flags) {
        if (key == name) {
            *field = settingsFlag(cleaned);
            return;
        }
    }
    const std::pair<const char*, double*> reals[] = {
        {"MINIX", &s.cfgMinX}, {"MAXIX", &s.cfgMaxX},   {"MINIY", &s.cfgMinY},
        {"MAXIY", &s.cfgMaxY}, {"MINIY2", &s.cfgMinY2}, {"MAXIY2", &s.cfgMaxY2}};
    for (const auto& [name, field] : reals) {
        if (key == name) return setReal(*field, cleaned);
    }
    if (key == "STYLEP" || key == "STYLEA" || key == "STYLES")
        return applyStyle(s.channel(key.back()), cleaned);
    if (key == "TITREP" || key == "TITREA" || key == "TITRES") {
        s.channel(key.back()).title = text;
        return;
    }
    if (key == "SAF") return applyFixedOutput(text, s, outputs);
    if (key == "SB") return applyLogicOutput(text, s);
    // Other keys, and those written only (BORNEINF, OUIFICHMEMO, CHEMINEXTERNE...), are ignored.
}

void applySettingsBytes(std::string_view bytes, ProgramSettings& settings, OutputsState& outputs,
                        const SettingsReadContext& context) {
    clearReadyFlags(settings);
    const auto apply = [&](const std::string& line) {
        applySettingsLine(fromWindows1252(line), settings, outputs, context);
    };
    LineSplitter lines;
    lines.feed(bytes, apply);
    lines.finish(apply);
}

bool readSettingsFile(const std::string& path, ProgramSettings& settings, OutputsState& outputs,
                      const SettingsReadContext& context) {
    std::error_code ec;
    if (path.empty() || !fs::exists(utf8Path(path), ec)) return false;
    errno = 0;
    const FileHandle f = openForReading(path);
    if (!f) throw FileError(errno != 0 ? errno : EIO);
    clearReadyFlags(settings);
    const auto apply = [&](const std::string& line) {
        applySettingsLine(fromWindows1252(line), settings, outputs, context);
    };
    LineSplitter lines;
    char block[65536];
    for (;;) {
        errno = 0;
        const std::size_t n = std::fread(block, 1, sizeof block, f.get());
        const int error = std::ferror(f.get()) ? (errno != 0 ? errno : EIO) : 0;
        lines.feed(std::string_view(block, n), apply);
        if (error != 0) throw FileError(error);
        if (n < sizeof block) break;
    }
    lines.finish(apply);
    return true;
}

bool readProgramSettingsFile(const std::string& path) {
    return readSettingsFile(path, programSettings(), outputsState(),
                            SettingsReadContext::forFile(path, programPlaces().driversFolder));
}

}  // namespace qtl
