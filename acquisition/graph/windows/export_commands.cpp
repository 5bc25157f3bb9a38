// The copy, print and picture commands of the graph window. A cancelled dialog does nothing;
// a failure of the clipboard, the printer or the file system shows the error box.
#include "graph/windows/export_commands.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <string>

#include "files/clipboard_text.h"
#include "graph/windows/urepere13.h"
#include "qtl_error.h"
#include "settings/program_settings.h"
#include "ui/chart.h"
#include "ui/interaction.h"
#include "ui/qtl_application.h"

namespace qtl {

namespace {

void report(const QString& text) {
    reportCommandError(CommandError(text.toStdString()));
}

void putOnClipboard(const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QString copied = QString::fromStdString(text);
    clipboard->setText(copied);
    // The clipboard gives no error of its own: what it holds afterwards tells.
    if (clipboard->text() != copied)
        report(QStringLiteral("Impossible de copier dans le presse-papiers"));
}

QString savePicture(const QString& title, const QString& filter, const QString& extension) {
    FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    request.defaultExtension = extension;
    return interaction().saveFileName(request);
}

}  // namespace

void copierpointClick(Trepere& window) {
    putOnClipboard(copyPointText(window.model(), programSettings()));
}

void copiervirguleClick(Trepere& window) {
    putOnClipboard(copyCommaText(window.model(), programSettings()));
}

void imprimer1Click(Trepere& window) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, &window);
    if (interaction().execDialog(dialog) != QDialog::Accepted) return;
    if (!window.Chart1->print(printer)) {
        const QString where =
            printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        report(QStringLiteral("Impression impossible : %1").arg(where));
    }
}

void sauvebmpClick(Trepere& window) {
    const QString name =
        savePicture(QStringLiteral("sauver graphe bmp"), QStringLiteral("Fichier image .bmp|*.bmp"),
                    QStringLiteral("bmp"));
    if (name.isEmpty()) return;
    if (!window.Chart1->saveBitmap(name))
        report(QStringLiteral("Impossible d'écrire le fichier %1").arg(name));
}

void sauvegrapheWMFClick(Trepere& window) {
    const QString name =
        savePicture(QStringLiteral("sauver graphe wmf"),
                    QStringLiteral("image vectorielle WMF|*.wmf"), QStringLiteral("wmf"));
    if (name.isEmpty()) return;
    if (!window.Chart1->saveMetafile(name))
        report(QStringLiteral("Impossible d'écrire le fichier %1").arg(name));
}

}  // namespace qtl
