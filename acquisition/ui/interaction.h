// Every modal exchange with the user goes through one program-wide Interaction, so that
// windows can be driven by tests: the Qt implementation shows real boxes and dialogs, a
// scripted one (tests) answers from a queue and records what was shown.
#pragma once

#include <QString>

class QDialog;

namespace qtl {

// What an open or save dialog shows.
struct FileDialogRequest {
    QString title;
    QString filter;  // "fichier DIF|*.dif|..." pairs, or Qt's "Tableaux (*.tab);;Tous (*)"
    QString defaultExtension;  // without the dot; added to a typed name that has none
    QString directory;         // starting folder; empty for the current one
    QString fileName;          // proposed name (save dialog)
};

class Interaction {
  public:
    virtual ~Interaction() = default;

    // The program's message box: question-mark icon, the text, one button "&Oui".
    virtual void showMessage(const QString& text) = 0;
    // Information box with an OK button.
    virtual void showInformation(const QString& title, const QString& text) = 0;
    // Chosen path, or an empty text when the user cancels.
    virtual QString openFileName(const FileDialogRequest& request) = 0;
    virtual QString saveFileName(const FileDialogRequest& request) = 0;
    // Input box: true and `value` replaced when confirmed; `value` is also the text shown first.
    virtual bool inputBox(const QString& caption, const QString& prompt, QString& value) = 0;
    // Runs the dialog modally; returns its result (QDialog::Accepted or QDialog::Rejected).
    virtual int execDialog(QDialog& dialog) = 0;
};

// The current program-wide Interaction (the Qt one unless replaced).
Interaction& interaction();
// Replaces the current Interaction (nullptr: back to the Qt one); returns the previous one.
// The caller keeps ownership.
Interaction* setInteraction(Interaction* replacement);

// Installs an Interaction for the lifetime of a scope (tests, screenshots).
class ScopedInteraction {
  public:
    explicit ScopedInteraction(Interaction& replacement)
        : previous_(setInteraction(&replacement)) {}
    ~ScopedInteraction() { setInteraction(previous_); }
    ScopedInteraction(const ScopedInteraction&) = delete;
    ScopedInteraction& operator=(const ScopedInteraction&) = delete;

  private:
    Interaction* previous_;
};

}  // namespace qtl
