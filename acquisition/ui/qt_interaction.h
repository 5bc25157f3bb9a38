// The Interaction of the running program: real Qt message boxes and dialogs.
#pragma once

#include "ui/interaction.h"

namespace qtl {

// A filter in the "description|patterns|description|patterns" form (patterns separated by
// ';') becomes Qt's "description (patterns);;..." form; a filter without '|' is kept as is.
QString qtFileFilter(const QString& filter);

class QtInteraction : public Interaction {
  public:
    void showMessage(const QString& text) override;
    void showInformation(const QString& title, const QString& text) override;
    QString openFileName(const FileDialogRequest& request) override;
    QString saveFileName(const FileDialogRequest& request) override;
    bool inputBox(const QString& caption, const QString& prompt, QString& value) override;
    int execDialog(QDialog& dialog) override;
};

}  // namespace qtl
