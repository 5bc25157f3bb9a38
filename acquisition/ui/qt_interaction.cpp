// Qt message boxes and dialogs behind the Interaction seam.
#include "ui/qt_interaction.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace qtl {

namespace {

QtInteraction& qtInteraction() {
    static QtInteraction instance;
    return instance;
}

Interaction* current = nullptr;

QWidget* dialogParent() {
    return QApplication::activeWindow();
}

QString runFileDialog(const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(dialogParent(), request.title, request.directory,
                       qtFileFilter(request.filter));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    if (!request.defaultExtension.isEmpty()) dialog.setDefaultSuffix(request.defaultExtension);
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QString qtFileFilter(const QString& filter) {
    if (!filter.contains(QLatin1Char('|'))) return filter;
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns) {
            p = p.trimmed();
            // "*.*" means every file, with or without a dot in its name.
            if (p == QStringLiteral("*.*")) p = QStringLiteral("*");
        }
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(QLatin1Char(' ')));
    }
    return filters.join(QStringLiteral(";;"));
}

Interaction& interaction() {
    return current != nullptr ? *current : qtInteraction();
}

Interaction* setInteraction(Interaction* replacement) {
    Interaction* previous = current;
    current = replacement;
    return previous;
}

void QtInteraction::showMessage(const QString& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("QTL"), text, QMessageBox::NoButton,
                    dialogParent());
    box.addButton(QStringLiteral("&Oui"), QMessageBox::AcceptRole);
    box.exec();
}

void QtInteraction::showInformation(const QString& title, const QString& text) {
    QMessageBox::information(dialogParent(), title, text, QMessageBox::Ok);
}

QString QtInteraction::openFileName(const FileDialogRequest& request) {
    return runFileDialog(request, QFileDialog::AcceptOpen);
}

QString QtInteraction::saveFileName(const FileDialogRequest& request) {
    return runFileDialog(request, QFileDialog::AcceptSave);
}

bool QtInteraction::inputBox(const QString& caption, const QString& prompt, QString& value) {
    bool ok = false;
    const QString typed =
        QInputDialog::getText(dialogParent(), caption, prompt, QLineEdit::Normal, value, &ok);
    if (ok) value = typed;
    return ok;
}

int QtInteraction::execDialog(QDialog& dialog) {
    return dialog.exec();
}

}  // namespace qtl
