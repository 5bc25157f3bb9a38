// Queue-driven Interaction for window tests.
#include "testkit/scripted_interaction.h"

namespace qtl::testkit {

QStringList ScriptedInteraction::messages() const {
    QStringList texts;
    for (const RecordedExchange& e : exchanges_)
        if (e.kind == RecordedExchange::Kind::Message) texts << e.text;
    return texts;
}

void ScriptedInteraction::clear() {
    files_.clear();
    inputs_.clear();
    dialogs_.clear();
    exchanges_.clear();
}

void ScriptedInteraction::showMessage(const QString& text) {
    exchanges_.push_back({RecordedExchange::Kind::Message, {}, text, {}});
}

void ScriptedInteraction::showInformation(const QString& title, const QString& text) {
    exchanges_.push_back({RecordedExchange::Kind::Information, title, text, {}});
}

QString ScriptedInteraction::nextFile() {
    if (files_.empty()) return {};
    QString path = files_.front();
    files_.pop_front();
    return path;
}

QString ScriptedInteraction::openFileName(const FileDialogRequest& request) {
    exchanges_.push_back(
        {RecordedExchange::Kind::OpenFile, request.title, request.filter, request});
    return nextFile();
}

QString ScriptedInteraction::saveFileName(const FileDialogRequest& request) {
    exchanges_.push_back(
        {RecordedExchange::Kind::SaveFile, request.title, request.filter, request});
    return nextFile();
}

bool ScriptedInteraction::inputBox(const QString& caption, const QString& prompt, QString& value) {
    exchanges_.push_back({RecordedExchange::Kind::InputBox, caption, prompt, {}});
    if (inputs_.empty()) return false;
    std::optional<QString> typed = inputs_.front();
    inputs_.pop_front();
    if (!typed) return false;
    value = *typed;
    return true;
}

int ScriptedInteraction::execDialog(QDialog& dialog) {
    exchanges_.push_back({RecordedExchange::Kind::Dialog, dialog.windowTitle(), {}, {}});
    if (dialogs_.empty()) return QDialog::Rejected;
    DialogAction action = std::move(dialogs_.front());
    dialogs_.pop_front();
    const int result = action(dialog);
    dialog.setResult(result);
    return result;
}

}  // namespace qtl::testkit
