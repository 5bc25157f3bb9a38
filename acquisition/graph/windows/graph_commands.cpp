// The graph window's menus and commands.
//
// To add a command: add one entry to kCommands below, at its place in its menu, and point
// `handler` at a `void(Trepere&)` function declared in your own header and defined in your
// own file (include the header here); the handler works on window.model(),
// window.acquisition() and the window's AcquisitionHost side. An entry whose handler is
// nullptr is shown and does nothing yet: to fill it, set its handler. `enabled` is a rule
// over the model and the acquisition state, applied by MainMenu1Change. Give `member` only
// when code must reach the action by name; otherwise use Trepere::command("objectName").
#include "graph/windows/graph_commands.h"

#include "files/windows/graph_file_commands.h"
#include "graph/graph_views.h"
#include "graph/windows/cursor_commands.h"
#include "graph/windows/export_commands.h"
#include "graph/windows/modelling_dialog.h"
#include "graph/windows/processing_handlers.h"
#include "graph/windows/spectrum_window.h"
#include "graph/windows/urepere13.h"

namespace qtl {

namespace {

constexpr GraphMenuEntry kMenus[] = {
    {"Fichier1", "Fichier", &Trepere::Fichier1},
    {"Editer1", "Editer", &Trepere::Editer1},
    {"Exploiter1", "Exploiter", &Trepere::Exploiter1},
    {"Engendrer1", "Engendrer", &Trepere::Engendrer1},
    {"Mesures1", "Mesures", &Trepere::Mesures1},
};

bool pfaRule(const GraphModel& m, const AcquisitionState&) {
    return viewEnabling(m).PfA;
}
bool afxRule(const GraphModel& m, const AcquisitionState&) {
    return viewEnabling(m).AfX;
}
bool pfsRule(const GraphModel& m, const AcquisitionState&) {
    return viewEnabling(m).PfS;
}
bool sfxRule(const GraphModel& m, const AcquisitionState&) {
    return viewEnabling(m).SfX;
}
bool afsRule(const GraphModel& m, const AcquisitionState&) {
    return viewEnabling(m).AfS;
}
bool spectrumRule(const GraphModel& m, const AcquisitionState&) {
    return m.points(Channel::P).count() >= 2;
}

const GraphCommand kCommands[] = {
    // Fichier
    {.menu = "Fichier1",
     .objectName = "lirefichier1",
     .caption = "lirefichier",
     .handler = OpenDialogCanClose,
     .member = &Trepere::lirefichier1},
    {.menu = "Fichier1",
     .objectName = "imprimer1",
     .caption = "imprimer graphe",
     .handler = imprimer1Click,
     .member = &Trepere::imprimer1},
    {.menu = "Fichier1",
     .objectName = "sauvebmp",
     .caption = "sauver graphe bmp",
     .handler = sauvebmpClick,
     .member = &Trepere::sauvebmp},
    {.menu = "Fichier1",
     .objectName = "sauvegrapheWMF",
     .caption = "sauver graphe wmf",
     .handler = sauvegrapheWMFClick,
     .member = &Trepere::sauvegrapheWMF},
    {.menu = "Fichier1",
     .objectName = "N1",
     .caption = "----------",
     .member = &Trepere::N1,
     .separator = true},
    {.menu = "Fichier1",
     .objectName = "sauvegarder1",
     .caption = "sauvegarder données",
     .handler = sauvegarder1Click,
     .member = &Trepere::sauvegarder1},
    {.menu = "Fichier1",
     .objectName = "sauvavecdtails1",
     .caption = "sauv. avec détails",
     .handler = sauvavecdtails1Click,
     .member = &Trepere::sauvavecdtails1},
    {.menu = "Fichier1",
     .objectName = "exportersanstitres1",
     .caption = "exporter sans titres",
     .handler = exportersanstitres1Click,
     .member = &Trepere::exportersanstitres1},
    {.menu = "Fichier1",
     .objectName = "sauvegardervirgule",
     .caption = "sauvegarder (virgule)",
     .handler = sauvegardervirguleClick,
     .member = &Trepere::sauvegardervirgule},
    {.menu = "Fichier1",
     .objectName = "N2",
     .caption = "--------",
     .member = &Trepere::N2,
     .separator = true},
    {.menu = "Fichier1",
     .objectName = "fermer1",
     .caption = "fermer",
     .handler = [](Trepere& w) { w.fermer1Click(); },
     .member = &Trepere::fermer1},

    // Editer
    {.menu = "Editer1",
     .objectName = "copierpoint",
     .caption = "copier (point decimal)",
     .handler = copierpointClick,
     .member = &Trepere::copierpoint},
    {.menu = "Editer1",
     .objectName = "copiervirgule",
     .caption = "copier (virgule decimale)",
     .handler = copiervirguleClick,
     .member = &Trepere::copiervirgule},
    {.menu = "Editer1",
     .objectName = "enjolivercadrages1",
     .caption = "enjoliver-cadrages",
     .handler = [](Trepere& w) { w.enjolivercadrages1Click(); },
     .member = &Trepere::enjolivercadrages1},

    // Exploiter ("dériver P/X" and "Intégrer P/X" stay inert)
    {.menu = "Exploiter1",
     .objectName = "statistiques1",
     .caption = "statistiques",
     .enabled =
         [](const GraphModel& m, const AcquisitionState&) {
             return processingCommandEnabled("statistiques1", m);
         },
     .handler = [](Trepere& w) { runProcessingCommand(w, "statistiques1"); },
     .member = &Trepere::statistiques1},
    {.menu = "Exploiter1",
     .objectName = "transformerPfPAST1",
     .caption = "transformer P=f(PAST)",
     .enabled =
         [](const GraphModel& m, const AcquisitionState&) {
             return processingCommandEnabled("transformerPfPAST1", m);
         },
     .handler = [](Trepere& w) { runProcessingCommand(w, "transformerPfPAST1"); },
     .member = &Trepere::transformerPfPAST1},
    {.menu = "Exploiter1",
     .objectName = "lissageP1",
     .caption = "lissage P",
     .enabled = [](const GraphModel& m,
                   const AcquisitionState&) { return processingCommandEnabled("lissageP1", m); },
     .handler = [](Trepere& w) { runProcessingCommand(w, "lissageP1"); },
     .member = &Trepere::lissageP1},
    {.menu = "Exploiter1",
     .objectName = "driverPX1",
     .caption = "dériver P/X",
     .member = &Trepere::driverPX1},
    {.menu = "Exploiter1",
     .objectName = "IntgrerPX1",
     .caption = "Intégrer P/X",
     .member = &Trepere::IntgrerPX1},
    {.menu = "Exploiter1",
     .objectName = "Reticule1",
     .caption = "Réticule",
     .handler = Reticule1Click,
     .checkable = true},
    {.menu = "Exploiter1",
     .objectName = "Curseurs1",
     .caption = "curseurs de mesure",
     .handler = Curseurs1Click,
     .checkable = true},
    {.menu = "Exploiter1",
     .objectName = "modeliser1",
     .caption = "modéliser…",
     .handler = modeliser1Click},

    // Engendrer
    {.menu = "Engendrer1",
     .objectName = "TelQuel1",
     .caption = "Tel Quel",
     .handler = [](Trepere& w) { w.TelQuel1Click(); },
     .member = &Trepere::TelQuel1},
    {.menu = "Engendrer1",
     .objectName = "derivePX",
     .caption = "Dérivée P/X",
     .enabled = [](const GraphModel& m,
                   const AcquisitionState&) { return processingCommandEnabled("derivePX", m); },
     .handler = [](Trepere& w) { runProcessingCommand(w, "derivePX"); },
     .member = &Trepere::derivePX},
    {.menu = "Engendrer1",
     .objectName = "integerationPX",
     .caption = "Intégration P/X",
     .enabled =
         [](const GraphModel& m, const AcquisitionState&) {
             return processingCommandEnabled("integerationPX", m);
         },
     .handler = [](Trepere& w) { runProcessingCommand(w, "integerationPX"); },
     .member = &Trepere::integerationPX},
    {.menu = "Engendrer1",
     .objectName = "PfX1",
     .caption = "P=f(X)",
     .handler = [](Trepere& w) { w.PfX1Click(); },
     .member = &Trepere::PfX1},
    {.menu = "Engendrer1",
     .objectName = "PfA1",
     .caption = "P=f(A)",
     .enabled = pfaRule,
     .handler = [](Trepere& w) { w.PfA1Click(); },
     .member = &Trepere::PfA1},
    {.menu = "Engendrer1",
     .objectName = "PfS1",
     .caption = "P=f(S)",
     .enabled = pfsRule,
     .handler = [](Trepere& w) { w.PfS1Click(); },
     .member = &Trepere::PfS1},
    {.menu = "Engendrer1",
     .objectName = "AfX1",
     .caption = "A=f(X)",
     .enabled = afxRule,
     .handler = [](Trepere& w) { w.AfX1Click(); },
     .member = &Trepere::AfX1},
    {.menu = "Engendrer1",
     .objectName = "AfS1",
     .caption = "A=f(S)",
     .enabled = afsRule,
     .handler = [](Trepere& w) { w.AfS1Click(); },
     .member = &Trepere::AfS1},
    {.menu = "Engendrer1",
     .objectName = "SfX1",
     .caption = "S=f(X)",
     .enabled = sfxRule,
     .handler = [](Trepere& w) { w.SfX1Click(); },
     .member = &Trepere::SfX1},
    {.menu = "Engendrer1",
     .objectName = "FerquenceFFTP1",
     .caption = "Fréquence FFT(P)",
     .enabled = spectrumRule,
     .handler = [](Trepere& w) { FerquenceFFTP1Click(w); },
     .member = &Trepere::FerquenceFFTP1},

    // Mesures (the caption of "Stop" follows acquisitionRunning at creation; "Nouveau Point"
    // stays inert)
    {.menu = "Mesures1",
     .objectName = "Stop1",
     .caption = "Stop",
     .handler = [](Trepere& w) { w.Stop1Click(); },
     .member = &Trepere::Stop1},
    {.menu = "Mesures1",
     .objectName = "NouveauPoint1",
     .caption = "Nouveau Point",
     .member = &Trepere::NouveauPoint1},
};

}  // namespace

std::span<const GraphMenuEntry> graphMenus() {
    return kMenus;
}

std::span<const GraphCommand> graphCommands() {
    return kCommands;
}

}  // namespace qtl
