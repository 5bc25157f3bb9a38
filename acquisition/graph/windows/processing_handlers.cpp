// Graph window handlers of the processing commands.
#include "graph/windows/processing_handlers.h"

#include <string>

#include "graph/processing_commands.h"
#include "graph/windows/urepere13.h"
#include "qtl_error.h"
#include "ui/interaction.h"
#include "ui/qtl_application.h"

namespace qtl {

namespace {

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

void runProcessingCommand(Trepere& window, std::string_view objectName) {
    const ProcessingCommand* command = findProcessingCommand(objectName);
    if (command == nullptr) return;

    std::string input;
    if (command->input) {
        const ProcessingInput& ask = *command->input;
        QString value = text(ask.defaultText);
        if (!interaction().inputBox(text(ask.caption), text(ask.prompt), value)) {
            value = text(ask.defaultText);
        }
        interaction().showMessage(value);
        input = value.toStdString();
    }

    ProcessingOutcome outcome;
    try {
        outcome = command->run(window.model(), input);
    } catch (const CommandError& error) {
        reportCommandError(error);
        window.redraw();
        return;
    }
    window.redraw();
    if (!outcome.message.empty()) interaction().showMessage(text(outcome.message));
    if (outcome.derived) {
        Trepere* derived = Trepere::createDerivedWindow();
        derived->model().copyPointsFrom(*outcome.derived);
        derived->MainMenu1Change();
        derived->show();
    }
}

bool processingCommandEnabled(std::string_view objectName, const GraphModel& model) {
    const ProcessingCommand* command = findProcessingCommand(objectName);
    return command != nullptr && command->enabled(model);
}

}  // namespace qtl
