// The user guide: its HTML page in the program's docs folder, opened in the desktop's browser,
// at a section for a dialog's help button. The opening goes through a replaceable opener so
// that offscreen tests see which address would be opened without starting a browser.
#pragma once

#include <QString>
#include <QUrl>
#include <functional>
#include <span>

namespace qtl {

namespace guide {
// Sections the program opens; each is a raw anchor <a id="..."> of docs/guide-utilisateur.md.
inline constexpr char kChannels[] = "materiel-des-voies";
inline constexpr char kFraming[] = "cadrages";
inline constexpr char kLogicOutputs[] = "sorties-logiques";
inline constexpr char kFixedOutputs[] = "sorties-fixes";
inline constexpr char kVariableOutputs[] = "sorties-variables";
std::span<const char* const> sections();
}  // namespace guide

// The guide's page as a file URL with `section` as its fragment (none when empty), or an
// empty URL when the docs folder holds no guide.
QUrl userGuideUrl(const QString& section = {});

// Opens the guide at `section`. A missing guide or a browser that cannot be started is told
// in a French message through the Interaction.
void openUserGuide(const QString& section = {});

// Opens an address in the desktop's browser; true when it could.
using UrlOpener = std::function<bool(const QUrl&)>;
// Replaces the opener (an empty one: back to the desktop's); returns the previous one.
UrlOpener setUrlOpener(UrlOpener opener);

}  // namespace qtl
