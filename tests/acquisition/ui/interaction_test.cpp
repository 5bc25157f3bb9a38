// The Qt Interaction shows the boxes the program promises; the scripted one answers from its
// queues; the event-level handler turns a command's exception into the error box.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <stdexcept>

#include "qtl_error.h"
#include "testkit/gui_app.h"
#include "testkit/scripted_interaction.h"
#include "ui/qt_interaction.h"

namespace qtl {
namespace {

using testkit::RecordedExchange;
using testkit::ScriptedInteraction;

// Runs `inspect` on the modal widget once it is up (the call under test blocks meanwhile).
void whenModal(std::function<void(QWidget&)> inspect) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, inspect] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            inspect(*modal);
        }
    });
    poll->start();
}

class QtBoxes : public ::testing::Test {
  protected:
    void SetUp() override { testkit::application(); }
    QtInteraction qt;
};

TEST_F(QtBoxes, MessageBoxHasTheQuestionIconAndOneOuiButton) {
    bool seen = false;
    whenModal([&](QWidget& w) {
        auto* box = qobject_cast<QMessageBox*>(&w);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), "Erreur dans la fonction");
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        const auto buttons = box->buttons();
        ASSERT_EQ(buttons.size(), 1);
        EXPECT_EQ(buttons.front()->text(), "&Oui");
        seen = true;
        buttons.front()->click();
    });
    qt.showMessage("Erreur dans la fonction");
    EXPECT_TRUE(seen);
}

TEST_F(QtBoxes, InformationBoxHasAnOkButton) {
    bool seen = false;
    whenModal([&](QWidget& w) {
        auto* box = qobject_cast<QMessageBox*>(&w);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), "Lecture");
        EXPECT_EQ(box->icon(), QMessageBox::Information);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        seen = true;
        box->button(QMessageBox::Ok)->click();
    });
    qt.showInformation("Lecture", "12 points lus");
    EXPECT_TRUE(seen);
}

TEST_F(QtBoxes, SaveDialogTakesTitleFilterExtensionAndFolder) {
    const QString folder = QDir::tempPath();
    bool seen = false;
    whenModal([&](QWidget& w) {
        auto* dialog = qobject_cast<QFileDialog*>(&w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Sauver les mesures");
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog->defaultSuffix(), "tab");
        EXPECT_EQ(dialog->nameFilters(), (QStringList{"Tableaux (*.tab)", "Tous (*)"}));
        EXPECT_EQ(QDir(dialog->directory()).canonicalPath(), QDir(folder).canonicalPath());
        seen = true;
        dialog->reject();
    });
    const QString chosen =
        qt.saveFileName({"Sauver les mesures", "Tableaux (*.tab);;Tous (*)", "tab", folder, {}});
    EXPECT_TRUE(seen);
    EXPECT_TRUE(chosen.isEmpty()) << "cancelled";
}

TEST_F(QtBoxes, OpenDialogReturnsTheChosenFile) {
    const QString file = QDir::temp().filePath("qtl-interaction-open.tab");
    QFile(file).open(QIODevice::WriteOnly);
    whenModal([&](QWidget& w) {
        auto* dialog = qobject_cast<QFileDialog*>(&w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
        dialog->selectFile(file);
        static_cast<QDialog*>(dialog)->accept();  // protected in QFileDialog
    });
    EXPECT_EQ(qt.openFileName({"Ouvrir", "Tous (*)", {}, QDir::tempPath(), {}}), file);
    QFile::remove(file);
}

TEST_F(QtBoxes, InputBoxKeepsTheValueWhenCancelled) {
    whenModal([](QWidget& w) {
        auto* dialog = qobject_cast<QInputDialog*>(&w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->labelText(), "Valeur :");
        EXPECT_EQ(dialog->textValue(), "12");
        dialog->reject();
    });
    QString value = "12";
    EXPECT_FALSE(qt.inputBox("Seuil", "Valeur :", value));
    EXPECT_EQ(value, "12");

    whenModal([](QWidget& w) {
        auto* dialog = qobject_cast<QInputDialog*>(&w);
        ASSERT_NE(dialog, nullptr);
        dialog->setTextValue("3,5");
        dialog->accept();
    });
    EXPECT_TRUE(qt.inputBox("Seuil", "Valeur :", value));
    EXPECT_EQ(value, "3,5");
}

TEST(FileFilters, PipeSeparatedPairsBecomeQtFilters) {
    const std::pair<const char*, const char*> cases[] = {
        {"Dll de mesure|*.dll", "Dll de mesure (*.dll)"},
        {"Dll de mesure (.dll ou .pim)|*.dll;*.pim", "Dll de mesure (.dll ou .pim) (*.dll *.pim)"},
        {"fichier texte CSV (. /,)|*.csv|fichier DIF|*.dif",
         "fichier texte CSV (. /,) (*.csv);;fichier DIF (*.dif)"},
        {"fichier texte (, ; ou TAB)|*.*", "fichier texte (, ; ou TAB) (*)"},
        {"Tableaux (*.tab);;Tous (*)", "Tableaux (*.tab);;Tous (*)"},
        {"", ""},
        {"sans motif|", "sans motif ()"},
    };
    for (const auto& [given, expected] : cases)
        EXPECT_EQ(qtFileFilter(QString::fromUtf8(given)), QString::fromUtf8(expected)) << given;
}

TEST_F(QtBoxes, PipeFilterReachesTheDialogAsSeparateFilters) {
    whenModal([](QWidget& w) {
        auto* dialog = qobject_cast<QFileDialog*>(&w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->nameFilters(),
                  (QStringList{"fichier texte CSV (. /,) (*.csv)", "fichier DIF (*.dif)"}));
        dialog->reject();
    });
    qt.saveFileName({"Sauvegarde",
                     "fichier texte CSV (. /,)|*.csv|fichier DIF|*.dif",
                     "tab",
                     QDir::tempPath(),
                     {}});
}

TEST(ScriptedBoxes, AnswersFromQueuesAndRecordsInOrder) {
    testkit::application();
    ScriptedInteraction user;
    user.queueFile("/tmp/a.tab");
    user.queueInput(QString("7"));
    user.queueInput(std::nullopt);
    user.queueDialog([](QDialog&) { return int(QDialog::Accepted); });

    EXPECT_EQ(user.openFileName({"Ouvrir", "*.tab", "tab", "/tmp", {}}), "/tmp/a.tab");
    EXPECT_EQ(user.saveFileName({"Sauver", "*.tab", "tab", "/tmp", {}}), "") << "queue empty";
    QString value = "1";
    EXPECT_TRUE(user.inputBox("Seuil", "Valeur :", value));
    EXPECT_EQ(value, "7");
    EXPECT_FALSE(user.inputBox("Seuil", "Valeur :", value));
    EXPECT_EQ(value, "7");
    QDialog dialog;
    dialog.setWindowTitle("Réglages");
    EXPECT_EQ(user.execDialog(dialog), QDialog::Accepted);
    EXPECT_EQ(user.execDialog(dialog), QDialog::Rejected) << "unscripted dialogs are rejected";
    user.showMessage("m");

    const auto& seen = user.exchanges();
    ASSERT_EQ(seen.size(), 7u);
    using K = RecordedExchange::Kind;
    const K kinds[] = {K::OpenFile, K::SaveFile, K::InputBox, K::InputBox,
                       K::Dialog,   K::Dialog,   K::Message};
    for (std::size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(seen[i].kind, kinds[i]) << i;
    EXPECT_EQ(seen[1].file.defaultExtension, "tab");
    EXPECT_EQ(seen[4].title, "Réglages");
    EXPECT_EQ(user.messages(), QStringList{"m"});
}

TEST(ScopedInteraction, InstallsAndRestores) {
    testkit::application();
    Interaction& before = interaction();
    ScriptedInteraction outer, inner;
    {
        ScopedInteraction a(outer);
        EXPECT_EQ(&interaction(), &outer);
        {
            ScopedInteraction b(inner);
            EXPECT_EQ(&interaction(), &inner);
        }
        EXPECT_EQ(&interaction(), &outer);
    }
    EXPECT_EQ(&interaction(), &before);
}

// An object whose every event runs a command that may fail.
class Thrower : public QObject {
  public:
    std::function<void()> command;
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) {
            command();
            return true;
        }
        return QObject::event(e);
    }
};

TEST(EventErrorHandler, CommandErrorShowsItsTextAndTheProgramGoesOn) {
    testkit::application();
    ScriptedInteraction user;
    ScopedInteraction scope(user);
    Thrower target;
    int done = 0;
    target.command = [&] {
        ++done;  // what the command did before the error stays done
        throw CommandError("Erreur d'écriture du fichier");
    };
    QEvent first(QEvent::User);
    QApplication::sendEvent(&target, &first);
    target.command = [&] { throw std::runtime_error("autre"); };
    QEvent second(QEvent::User);
    QApplication::sendEvent(&target, &second);
    EXPECT_EQ(done, 1);
    EXPECT_EQ(user.messages(), (QStringList{"Erreur d'écriture du fichier", "autre"}));
}

TEST(EventErrorHandler, TimerCommandsKeepRunningAfterAnError) {
    testkit::application();
    ScriptedInteraction user;
    ScopedInteraction scope(user);
    int ticks = 0;
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (++ticks == 1) throw CommandError("première");
    });
    timer.start();
    for (int i = 0; i < 50 && ticks < 3; ++i) QApplication::processEvents();
    timer.stop();
    EXPECT_GE(ticks, 3);
    EXPECT_EQ(user.messages(), QStringList{"première"});
}

}  // namespace
}  // namespace qtl
