// The main window's menus and commands.
//
// To add a command: add one entry to kCommands below, at its place in its menu, and point
// `handler` at a `void(TMainForm&)` function declared in your own header and defined in your
// own file (include the header here). An entry whose handler is nullptr is shown and does
// nothing yet: to fill it, set its handler. `enabled` is a rule over the settings record,
// applied at every readout tick. Give `member` only when code must reach the action by name;
// otherwise find it with TMainForm::command("objectName").
#include "settings/windows/main_commands.h"

#include "outputs/windows/output_commands.h"
#include "settings/live_readout.h"
#include "settings/windows/Main13.h"
#include "settings/windows/settings_commands.h"
#include "ui/user_guide.h"

namespace qtl {

namespace {

constexpr MainMenuEntry kMenus[] = {
    {"Fichier1", "&Fichier", &TMainForm::Fichier1},
    {"Fentre1", "Fe&nêtre", &TMainForm::Fentre1, false},
    {"Rglages1", "Réglages", &TMainForm::Rglages1},
    {"Acquisition1", "Acquisition", &TMainForm::Acquisition1},
    {"Options1", "Options", &TMainForm::Options1},
    {"Aide1", "&Aide", &TMainForm::Aide1},
};

const MainCommand kCommands[] = {
    // Fichier
    {.menu = "Fichier1",
     .objectName = "Ouvrir1",
     .caption = "&Ouvrir",
     .hint = "Ouvre un fichier de mesures dans une nouvelle fenêtre",
     .shortcut = "Ctrl+O",
     .handler = [](TMainForm& f) { f.Ouvrir1Click(); },
     .member = &TMainForm::Ouvrir1,
     .toolBar = true,
     .icon = QStyle::SP_DialogOpenButton},
    {.menu = "Fichier1", .separator = true},
    {.menu = "Fichier1",
     .objectName = "Quitter1",
     .caption = "&Quitter",
     .hint = "Termine le programme",
     .handler = [](TMainForm& f) { f.Quitter1Click(); },
     .member = &TMainForm::Quitter1},

    // Fenêtre (hidden; graph windows are top-level, so its arrangements find no child)
    {.menu = "Fentre1",
     .objectName = "Cascade1",
     .caption = "&Cascade",
     .hint = "Dispose les fenêtres en cascade",
     .handler = [](TMainForm& f) { f.Cascade1Click(); },
     .member = &TMainForm::Cascade1},
    {.menu = "Fentre1",
     .objectName = "Mosaquehorizontale1",
     .caption = "Mosaïque &horizontale",
     .hint = "Dispose les fenêtres les unes sous les autres",
     .handler = [](TMainForm& f) { f.Mosaquehorizontale1Click(); },
     .member = &TMainForm::Mosaquehorizontale1},
    {.menu = "Fentre1",
     .objectName = "Mosaqueverticale1",
     .caption = "Mosaïque &verticale",
     .hint = "Dispose les fenêtres côte à côte",
     .handler = [](TMainForm& f) { f.Mosaqueverticale1Click(); },
     .member = &TMainForm::Mosaqueverticale1},
    {.menu = "Fentre1",
     .objectName = "Toutrduire1",
     .caption = "&Tout réduire",
     .hint = "Réduit toutes les fenêtres",
     .handler = [](TMainForm& f) { f.Toutrduire1Click(); },
     .member = &TMainForm::Toutrduire1},
    {.menu = "Fentre1",
     .objectName = "Toutrorganiser1",
     .caption = "Tout ré&organiser",
     .hint = "Range les icônes des fenêtres réduites",
     .handler = [](TMainForm& f) { f.Toutrorganiser1Click(); },
     .member = &TMainForm::Toutrorganiser1},

    // Réglages
    {.menu = "Rglages1",
     .objectName = "temps1",
     .caption = "temps",
     .hint = "Intervalle, nombre de mesures et rafraichissement du bandeau",
     .handler = [](TMainForm& f) { f.temps1Click(); },
     .member = &TMainForm::temps1},
    {.menu = "Rglages1",
     .objectName = "matrielvoieP1",
     .caption = "matériel voie P",
     .hint = "Pilote et entrée de la voie principale",
     .handler = [](TMainForm& f) { f.matrielvoieP1Click(); },
     .member = &TMainForm::matrielvoieP1},
    {.menu = "Rglages1",
     .objectName = "matrielvoieAux1",
     .caption = "matériel voie Aux",
     .hint = "Pilote et entrée de la voie auxiliaire",
     .handler = [](TMainForm& f) { f.matrielvoieAux1Click(); },
     .member = &TMainForm::matrielvoieAux1},
    {.menu = "Rglages1",
     .objectName = "MatrielvoieSupp1",
     .caption = "Matériel voie Supp",
     .hint = "Pilote et entrée de la voie supplémentaire",
     .handler = [](TMainForm& f) { f.MatrielvoieSupp1Click(); },
     .member = &TMainForm::MatrielvoieSupp1},
    {.menu = "Rglages1",
     .objectName = "cadrages1",
     .caption = "cadrages",
     .hint = "Cadrages des prochaines fenêtres de mesures",
     .handler = [](TMainForm& f) { f.cadrages1Click(); },
     .member = &TMainForm::cadrages1},
    {.menu = "Rglages1",
     .objectName = "sortieslogiques1",
     .caption = "sorties logiques",
     .hint = "Commande des sorties logiques",
     .handler = sortieslogiques1Click,
     .member = &TMainForm::sortieslogiques1},
    {.menu = "Rglages1",
     .objectName = "sortiesanalogiquesfixes1",
     .caption = "sorties analogiques fixes",
     .hint = "Commande des sorties analogiques fixes",
     .handler = sortiesanalogiquesfixes1Click,
     .member = &TMainForm::sortiesanalogiquesfixes1},
    {.menu = "Rglages1",
     .objectName = "sortiesanalogiquesvariables1",
     .caption = "sorties analogiques variables",
     .hint = "Sortie analogique qui suit une fonction des mesures",
     .handler = sortiesanalogiquesvariables1Click,
     .member = &TMainForm::sortiesanalogiquesvariables1},
    {.menu = "Rglages1",
     .objectName = "seuilsdedclenchementautomatique1",
     .caption = "seuils de déclenchement automatique",
     .hint = "Seuils du déclenchement automatique",
     .member = &TMainForm::seuilsdedclenchementautomatique1,
     .startsEnabled = false},

    // Acquisition
    {.menu = "Acquisition1",
     .objectName = "mesuresftemps1",
     .caption = "mesures = f(temps)",
     .hint = "Lance une acquisition en fonction du temps",
     .handler = [](TMainForm& f) { f.mesuresftemps1Click(); },
     .member = &TMainForm::mesuresftemps1},
    {.menu = "Acquisition1",
     .objectName = "ouvrefentre1",
     .caption = "ouvre fenêtre (décl. ultérieur)",
     .hint = "Ouvre une fenêtre de mesures à déclencher plus tard",
     .handler = [](TMainForm& f) { f.ouvrefentre1Click(); },
     .member = &TMainForm::ouvrefentre1,
     .startsEnabled = false},
    {.menu = "Acquisition1",
     .objectName = "prestissimo1",
     .caption = "prestissimo",
     .hint = "Acquisition rapide en continu",
     .handler = [](TMainForm& f) { f.prestissimo1Click(); },
     .member = &TMainForm::prestissimo1},
    {.menu = "Acquisition1",
     .objectName = "pointparpoint1",
     .caption = "point par point",
     .hint = "Mesures à la demande, en fonction de la voie Aux",
     .enabled = pointByPointEnabled,
     .handler = [](TMainForm& f) { f.pointparpoint1Click(); },
     .member = &TMainForm::pointparpoint1,
     .startsEnabled = false},
    {.menu = "Acquisition1",
     .objectName = "dclenchementautomatique1",
     .caption = "déclenchement automatique",
     .hint = "Acquisition rapide lancée par un seuil",
     .enabled = autoTriggerEnabled,
     .member = &TMainForm::dclenchementautomatique1,
     .startsEnabled = false},

    // Options
    {.menu = "Options1",
     .objectName = "fichiermmo1",
     .caption = "fichier mémo",
     .hint = "Enregistre aussi les mesures dans memo.csv",
     .handler = [](TMainForm& f) { f.fichiermmo1Click(); },
     .member = &TMainForm::fichiermmo1,
     .checkable = true},
    {.menu = "Options1",
     .objectName = "sauverlesrglages1",
     .caption = "sauver les réglages",
     .hint = "Enregistre les réglages dans un fichier",
     .handler = [](TMainForm&) { saveSettingsCommand(); },
     .member = &TMainForm::sauverlesrglages1},
    {.menu = "Options1",
     .objectName = "liredesrglages1",
     .caption = "lire des réglages",
     .hint = "Lit les réglages d'un fichier",
     .handler = [](TMainForm&) { readSettingsCommand(); },
     .member = &TMainForm::liredesrglages1},
    {.menu = "Options1",
     .objectName = "groschiffres1",
     .caption = "gros chiffres",
     .hint = "Affiche les valeurs actuelles en gros chiffres",
     .handler = [](TMainForm& f) { f.groschiffres1Click(); },
     .member = &TMainForm::groschiffres1,
     .checkable = true},

    // Aide
    {.menu = "Aide1",
     .objectName = "Apropos1",
     .caption = "&A propos...",
     .hint = "Version et description du programme",
     .handler = [](TMainForm& f) { f.Apropos1Click(); },
     .member = &TMainForm::Apropos1},
    {.menu = "Aide1",
     .objectName = "Modedemploi1",
     .caption = "Mode d'emploi F1",
     .hint = "Mode d'emploi",
     .shortcut = "F1",
     .handler = [](TMainForm&) { openUserGuide(); },
     .member = &TMainForm::Modedemploi1},

    // Reached by its shortcut only.
    {.objectName = "Nouveau1",
     .caption = "&Nouveau",
     .shortcut = "Ctrl+N",
     .handler = [](TMainForm& f) { f.Nouveau1Click(); },
     .member = &TMainForm::Nouveau1},
};

}  // namespace

std::span<const MainMenuEntry> mainMenus() {
    return kMenus;
}

std::span<const MainCommand> mainCommands() {
    return kCommands;
}

}  // namespace qtl
