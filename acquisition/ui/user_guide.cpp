// The user guide's page, found in the program's docs folder and opened in the browser.
#include "ui/user_guide.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

#include "settings/program_places.h"
#include "ui/interaction.h"

namespace qtl {

namespace guide {
std::span<const char* const> sections() {
    static constexpr const char* kAll[] = {kChannels, kFraming, kLogicOutputs, kFixedOutputs,
                                           kVariableOutputs};
    return kAll;
}
}  // namespace guide

namespace {

UrlOpener& opener() {
    static UrlOpener current;
    return current;
}

QString docsFolder() {
    return QString::fromStdString(programPlaces().docsFolder);
}

}  // namespace

QUrl userGuideUrl(const QString& section) {
    const QDir folder(docsFolder());
    // The Markdown page stands in when the build had no converter to HTML.
    for (const char* name : {"guide-utilisateur.html", "guide-utilisateur.md"}) {
        const QFileInfo page(folder.filePath(QString::fromLatin1(name)));
        if (!page.isFile()) continue;
        QUrl url = QUrl::fromLocalFile(page.absoluteFilePath());
        if (!section.isEmpty()) url.setFragment(section);
        return url;
    }
    return {};
}

void openUserGuide(const QString& section) {
    const QUrl url = userGuideUrl(section);
    if (url.isEmpty()) {
        interaction().showInformation(
            QStringLiteral("Mode d'emploi"),
            QStringLiteral("Le mode d'emploi est introuvable : il devrait se trouver dans le "
                           "dossier %1 (fichier guide-utilisateur.html).")
                .arg(QDir::toNativeSeparators(docsFolder())));
        return;
    }
    const bool opened = opener() ? opener()(url) : QDesktopServices::openUrl(url);
    if (!opened) {
        interaction().showInformation(
            QStringLiteral("Mode d'emploi"),
            QStringLiteral("Aucun navigateur n'a pu ouvrir le mode d'emploi. Ouvrez vous-même "
                           "le fichier %1.")
                .arg(QDir::toNativeSeparators(url.toLocalFile())));
    }
}

UrlOpener setUrlOpener(UrlOpener replacement) {
    UrlOpener previous = std::move(opener());
    opener() = std::move(replacement);
    return previous;
}

}  // namespace qtl
