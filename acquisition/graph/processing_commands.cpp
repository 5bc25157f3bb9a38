// The table of processing commands.
#include "graph/processing_commands.h"

#include <algorithm>
#include <array>

#include "graph/processing_calculus.h"
#include "graph/processing_smoothing.h"
#include "graph/processing_statistics.h"
#include "graph/processing_transform.h"
#include "settings/program_settings.h"

namespace qtl {

namespace {

bool always(const GraphModel&) {
    return true;
}

bool hasPPoints(const GraphModel& m) {
    return !m.points(Channel::P).empty() || !m.line(Channel::P).empty();
}

// Rules that match what each command skips: nothing to do, nothing offered.
bool anySeriesOver5(const GraphModel& m) {
    for (int number = 1; number <= static_cast<int>(GraphModel::kSeriesCount); ++number) {
        if (m.series(number).count() > 5) return true;
    }
    return false;
}

bool anyPointSeriesOver2(const GraphModel& m) {
    return m.points(Channel::P).count() > 2 || m.points(Channel::A).count() > 2 ||
           m.points(Channel::S).count() > 2;
}

ProcessingOutcome statistics(GraphModel& m, const std::string&) {
    return {statisticsText(m, programSettings().decimalSeparator), std::nullopt};
}

ProcessingOutcome transform(GraphModel& m, const std::string& formulaText) {
    transformP(m, formulaText);
    return {};
}

ProcessingOutcome smooth(GraphModel& m, const std::string&) {
    smoothAllSeries(m);
    return {};
}

ProcessingOutcome derivative(GraphModel& m, const std::string&) {
    ProcessingOutcome out;
    fillDerivative(m, out.derived.emplace());
    return out;
}

ProcessingOutcome integral(GraphModel& m, const std::string&) {
    ProcessingOutcome out;
    fillIntegral(m, out.derived.emplace());
    return out;
}

const std::array<ProcessingCommand, 5> kCommands = {{
    {"statistiques1", "statistiques", GraphMenu::Exploiter, always, std::nullopt, statistics},
    {"transformerPfPAST1", "transformer P=f(PAST)", GraphMenu::Exploiter, hasPPoints,
     ProcessingInput{"Transformation f(P,A,S,X)", "votre choix ?", "P"}, transform},
    {"lissageP1", "lissage P", GraphMenu::Exploiter, anySeriesOver5, std::nullopt, smooth},
    {"derivePX", "Dérivée P/X", GraphMenu::Engendrer, anyPointSeriesOver2, std::nullopt,
     derivative},
    {"integerationPX", "Intégration P/X", GraphMenu::Engendrer, anyPointSeriesOver2, std::nullopt,
     integral},
}};

}  // namespace

std::span<const ProcessingCommand> processingCommands() {
    return kCommands;
}

const ProcessingCommand* findProcessingCommand(std::string_view objectName) {
    const auto it =
        std::find_if(kCommands.begin(), kCommands.end(),
                     [&](const ProcessingCommand& c) { return c.objectName == objectName; });
    return it == kCommands.end() ? nullptr : &*it;
}

}  // namespace qtl
