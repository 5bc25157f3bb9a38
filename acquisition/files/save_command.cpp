// Export flags of the save commands.
#include "files/save_command.h"

#include "settings/program_settings.h"

namespace qtl {

SaveCommandScope::SaveCommandScope(ProgramSettings& settings, SaveCommand command)
    : settings_(settings), decimalSeparator_(settings.decimalSeparator) {
    settings.exportTitles = command != SaveCommand::WithoutTitles;
    settings.exportDetails = command == SaveCommand::WithDetails;
    if (command == SaveCommand::DecimalComma) settings.decimalSeparator = ',';
}

SaveCommandScope::~SaveCommandScope() {
    settings_.exportTitles = true;
    settings_.exportDetails = false;
    settings_.decimalSeparator = decimalSeparator_;
}

}  // namespace qtl
