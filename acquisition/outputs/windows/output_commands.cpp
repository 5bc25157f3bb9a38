// Showing the output dialogs, created at start-up and kept.
#include "outputs/windows/output_commands.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QListWidget>

#include "outputs/windows/udmatsf.h"
#include "outputs/windows/udmatsl.h"
#include "outputs/windows/udmatsv.h"
#include "settings/windows/program_windows.h"
#include "ui/interaction.h"

namespace qtl {

void sortieslogiques1Click(TMainForm&) {
    TFsortieslogiques& dialog = *programWindows().Fsortieslogiques;
    dialog.refresh();  // what a settings file or an earlier use left in the outputs state
    interaction().execDialog(dialog);
}

void sortiesanalogiquesfixes1Click(TMainForm&) {
    Tfsortiesfixes& dialog = *programWindows().fsortiesfixes;
    dialog.refresh();
    interaction().execDialog(dialog);
}

void sortiesanalogiquesvariables1Click(TMainForm&) {
    interaction().execDialog(*programWindows().fsortiev);
}

void prepareOutputDialogsExample(const QString& driverFile) {
    ProgramWindows& w = programWindows();
    w.Fsortieslogiques->loadDriver(driverFile);
    if (w.Fsortieslogiques->CheckListBox1->count() > 1) {
        w.Fsortieslogiques->CheckListBox1->item(1)->setCheckState(Qt::Checked);
    }
    w.fsortiesfixes->loadDriver(driverFile);
    w.fsortiesfixes->editors[0]->setValue(2.5);
    w.fsortiev->loadDriver(driverFile);
    w.fsortiev->Edit_formule_variable1->setText(QStringLiteral("2*P+1"));
    w.fsortiev->cbsveff1->setChecked(true);
}

}  // namespace qtl
