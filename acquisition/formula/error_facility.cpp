// Error facility of the formula library.
#include "formula/error_facility.h"

#include <cstdio>

namespace qtl {

namespace {

[[noreturn]] void throwFatal(int number, const std::string& text) {
    throw FormulaFatalError(number, text);
}

void writeStandardOutputLine() {
    if (pendingErrorNumber != 0) {
        std::printf(", une erreur %d s'étant produite auparavant.\n", pendingErrorNumber);
    } else {
        std::printf(".\n");
    }
    std::fflush(stdout);
}

void restAt(int level) {
    detail::moduleNesting = level < 0 ? 0 : level;
    if (detail::moduleNesting == 0) {
        detail::outermostName = kMainProgramName;
        detail::outermostNumber = 0;
    }
}

}  // namespace

namespace detail {

void nestingOverflow() {
    throwFatal(0, "Erreur fatale Appels de modules de bibliotheques trop nombreux");
}

void tooManyFinModule() {
    restAt(0);
    throwFatal(0, "Erreur fatale Plus de 'FinModule' que de 'DebutModule'");
}

void restoreNesting(int level) noexcept {
    restAt(level);
}

}  // namespace detail

std::string fatalReportText(int number, std::string_view message, std::string_view moduleName) {
    std::string text = "Erreur fatale ";
    text += std::to_string(number);
    text += ": '";
    text += message;
    text += "'détectée dans ";
    text += moduleName;
    return text;
}

void reportLibraryError(int number, std::string_view message) {
    if (fatalErrorMode) {
        std::string text = fatalReportText(number, message, detail::outermostName);
        writeStandardOutputLine();
        // The scope guards of the operations being left restore the registration state.
        throwFatal(number, text);
    }
    if (pendingErrorNumber == 0) {
        pendingErrorNumber = detail::moduleNesting <= 1 ? number : detail::outermostNumber;
    }
}

int moduleNesting() {
    return detail::moduleNesting;
}
const char* outermostModuleName() {
    return detail::outermostName;
}
int outermostModuleNumber() {
    return detail::outermostNumber;
}

void resetErrorFacility() {
    fatalErrorMode = true;
    pendingErrorNumber = 0;
    restAt(0);
}

}  // namespace qtl
