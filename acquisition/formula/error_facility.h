// Error facility shared by every routine of the formula library: registration of the
// guarded operations, the fatal report and the recorded error number during compilation.
#pragma once

#include <string>
#include <string_view>

#include "qtl_error.h"

namespace qtl {

// Fatal by default; only Definis_Fonction turns it off while it builds a tree.
inline bool fatalErrorMode = true;
// Error number recorded in non-fatal mode; 0 means none.
inline int pendingErrorNumber = 0;

inline constexpr const char* kMainProgramName = "le programme principal";

// A fatal report. It ends the current command, never the program: the event-level handler
// shows text() in the error box. number() is the reported error number (0 for the guards
// of the facility itself).
class FormulaFatalError : public CommandError {
  public:
    FormulaFatalError(int number, const std::string& text) : CommandError(text), number_(number) {}
    int number() const { return number_; }

  private:
    int number_;
};

namespace detail {
[[noreturn]] void nestingOverflow();
void tooManyFinModule();
}  // namespace detail

inline constexpr int kMaxModuleNesting = 255;

inline void DebutModule(int number, const char* name);
inline void FinModule();
// Fatal mode: writes the standard-output line and throws FormulaFatalError.
// Otherwise records the number of the outermost operation when nothing is pending.
void reportLibraryError(int number, std::string_view message);

// "Erreur fatale 3: 'division réelle par zéro'détectée dans Evalue4"
std::string fatalReportText(int number, std::string_view message, std::string_view moduleName);

// Read-only view of the registration state.
int moduleNesting();
const char* outermostModuleName();
int outermostModuleNumber();

// Start-up state: fatal mode, nothing pending, nothing registered.
void resetErrorFacility();

namespace detail {
inline int moduleNesting = 0;
inline const char* outermostName = kMainProgramName;
inline int outermostNumber = 0;
void restoreNesting(int level) noexcept;
}  // namespace detail

inline void DebutModule(int number, const char* name) {
    if (detail::moduleNesting >= kMaxModuleNesting) detail::nestingOverflow();
    if (detail::moduleNesting == 0) {
        detail::outermostName = name;
        detail::outermostNumber = number;
    }
    ++detail::moduleNesting;
}

inline void FinModule() {
    if (detail::moduleNesting <= 0) {
        detail::tooManyFinModule();
        return;
    }
    if (--detail::moduleNesting == 0) {
        detail::outermostName = kMainProgramName;
        detail::outermostNumber = 0;
    }
}

// Keeps DebutModule/FinModule paired, also when a report unwinds through the operation:
// inner scopes unwind first, so each one finds its own level again.
class ModuleScope {
  public:
    ModuleScope(int number, const char* name) : levelOnEntry_(detail::moduleNesting) {
        DebutModule(number, name);
    }
    ~ModuleScope() {
        if (detail::moduleNesting == levelOnEntry_ + 1) {
            FinModule();
        } else {
            detail::restoreNesting(levelOnEntry_);
        }
    }
    ModuleScope(const ModuleScope&) = delete;
    ModuleScope& operator=(const ModuleScope&) = delete;

  private:
    int levelOnEntry_;
};

}  // namespace qtl
