// Arbitrary bytes read as a settings file: no crash, no hang, texts within their bounds, output
// lines only for outputs 0 to 5, and what was read is written back and read again unchanged.
// No library is ever loaded: driver paths are only stored.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "formula/formula.h"
#include "settings/settings_file.h"
#include "settings/text_codec.h"

namespace {

int fixedCalls = 0;
int logicCalls = 0;

double QTL_PILOTE_CALL fakeSetReal(std::int32_t output, double value) {
    if (output < 0 || output > 5 || !std::isfinite(value)) std::abort();
    ++fixedCalls;
    return value;
}
std::int32_t QTL_PILOTE_CALL fakeSetRaw(std::int32_t output, std::int32_t) {
    if (output < 0 || output > 5) std::abort();
    ++fixedCalls;
    return 0;
}
std::int32_t QTL_PILOTE_CALL fakeSetLogic(std::int32_t output, std::int32_t on) {
    if (output < 0 || (on != 0 && on != 1)) std::abort();
    ++logicCalls;
    return 0;
}
const char* QTL_PILOTE_CALL fakeName(std::int32_t) {
    return "";
}

void checkBounds(const qtl::ProgramSettings& s) {
    for (const qtl::ChannelSettings* c : {&s.channelP, &s.channelA, &s.channelS}) {
        if (qtl::utf8Length(c->title.str()) > 250 || qtl::utf8Length(c->formulaText.str()) > 250 ||
            qtl::utf8Length(c->driverFile.str()) > 250 || c->lineStyle > 2) {
            std::abort();
        }
    }
}

bool hugeReal(const qtl::ProgramSettings& s) {
    // Past ~1e240 the fixed notation no longer fits in a 250-character line.
    for (double x : {s.cfgMinX, s.cfgMaxX, s.cfgMinY, s.cfgMaxY, s.cfgMinY2, s.cfgMaxY2})
        if (std::fabs(x) > 1e200) return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool initialised = (qtl::initialiseFormulaLibrary(), true);
    (void)initialised;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    qtl::SettingsReadContext context;
    context.locateDriver = [](const std::string&) { return std::string(); };  // load nothing

    // 1. The whole file, as the menu command reads it.
    qtl::ProgramSettings settings;
    qtl::OutputsState outputs;
    qtl::applySettingsBytes(bytes, settings, outputs, context);
    checkBounds(settings);

    // 2. Written and read back, it gives the same file.
    if (!hugeReal(settings)) {
        const std::string written = qtl::settingsFileBytes(settings, outputs);
        qtl::ProgramSettings again;
        qtl::OutputsState againOutputs = outputs;
        qtl::applySettingsBytes(written, again, againOutputs, context);
        if (qtl::settingsFileBytes(again, againOutputs) != written) std::abort();
    }

    // 3. Line by line with output drivers ready: only outputs 0 to 5 are shown and driven.
    qtl::ProgramSettings ready;
    ready.fixedAnalogDriverReady = ready.logicDriverReady = true;
    ready.fixedAnalogDriver.setReal = fakeSetReal;
    ready.fixedAnalogDriver.setRaw = fakeSetRaw;
    ready.fixedAnalogDriver.outputName = fakeName;
    ready.logicDriver.setOutput = fakeSetLogic;
    ready.logicDriver.outputName = fakeName;
    qtl::OutputsState shown;
    std::string_view rest = bytes;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find_first_of("\r\n"), rest.size());
        qtl::applySettingsLine(qtl::fromWindows1252(rest.substr(0, end)), ready, shown, context);
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    for (double v : shown.fixed.values)
        if (!std::isfinite(v)) std::abort();
    checkBounds(ready);
    return 0;
}
