// The four save commands of a graph window differ only in the export flags and decimal mark
// they set for the writer; the flags go back afterwards, whatever happens.
#pragma once

namespace qtl {

struct ProgramSettings;

enum class SaveCommand {
    Data,           // "sauvegarder données"
    WithDetails,    // "sauv. avec détails"
    WithoutTitles,  // "exporter sans titres"
    DecimalComma,   // "sauvegarder (virgule)"
};

// Sets the flags of the command for its lifetime; then exportTitles is true, exportDetails
// false and the decimal mark is what it was before.
class SaveCommandScope {
  public:
    SaveCommandScope(ProgramSettings& settings, SaveCommand command);
    ~SaveCommandScope();
    SaveCommandScope(const SaveCommandScope&) = delete;
    SaveCommandScope& operator=(const SaveCommandScope&) = delete;

  private:
    ProgramSettings& settings_;
    char decimalSeparator_;
};

}  // namespace qtl
