// Interaction for window tests: answers from queues filled by the test and records every
// exchange, so a test can say "the user picks this file, presses OK" and check what followed.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "ui/interaction.h"

namespace qtl::testkit {

struct RecordedExchange {
    enum class Kind { Message, Information, OpenFile, SaveFile, InputBox, Dialog };
    Kind kind;
    QString title;  // caption, dialog title or window title
    QString text;   // message text, input prompt or file filter
    FileDialogRequest file;
};

class ScriptedInteraction : public Interaction {
  public:
    // What the dialog does while "shown": it may edit the dialog's controls; its result is
    // the dialog's result. Without a queued action a dialog is rejected untouched.
    using DialogAction = std::function<int(QDialog&)>;

    void queueFile(const QString& path) { files_.push_back(path); }
    void queueInput(std::optional<QString> typed) { inputs_.push_back(std::move(typed)); }
    void queueDialog(DialogAction action) { dialogs_.push_back(std::move(action)); }

    const std::vector<RecordedExchange>& exchanges() const { return exchanges_; }
    // Texts of every showMessage box, in order.
    QStringList messages() const;
    void clear();

    void showMessage(const QString& text) override;
    void showInformation(const QString& title, const QString& text) override;
    QString openFileName(const FileDialogRequest& request) override;
    QString saveFileName(const FileDialogRequest& request) override;
    bool inputBox(const QString& caption, const QString& prompt, QString& value) override;
    int execDialog(QDialog& dialog) override;

  private:
    QString nextFile();

    std::deque<QString> files_;  // an empty text answers as "cancelled"
    std::deque<std::optional<QString>> inputs_;
    std::deque<DialogAction> dialogs_;
    std::vector<RecordedExchange> exchanges_;
};

}  // namespace qtl::testkit
