// The variable analog output dialog.
#include "outputs/windows/udmatsv.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "outputs/variable_output.h"
#include "outputs/windows/named_button.h"
#include "outputs/windows/output_file_dialog.h"
#include "settings/program_settings.h"
#include "ui/interaction.h"
#include "ui/user_guide.h"

namespace qtl {

namespace {

template <class W>
W* hidden(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setVisible(false);
    return widget;
}

}  // namespace

Tfsortiev::Tfsortiev(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fsortiev"));
    setWindowTitle(QStringLiteral("Sortie analogique variable"));

    Label_detail = hidden(new QLabel(this), "Label_detail");
    Label_detail->setWordWrap(true);
    Labelsa1 = hidden(new QLabel(this), "Labelsa1");
    Edit_formule_variable1 = hidden(new QLineEdit(this), "Edit_formule_variable1");
    Edit_formule_variable1->setMaxLength(250);
    Edit_formule_variable1->setMinimumWidth(200);
    label_formule_past =
        hidden(new QLabel(QStringLiteral("=f(P,A,S,T)"), this), "label_formule_past");
    cbsveff1 = hidden(new QCheckBox(QStringLiteral("Efficace ?"), this), "cbsveff1");
    Bchoixpilotesav = namedButton(this, "Bchoixpilotesav", QStringLiteral("Choix pilote"));
    Breglages = hidden(namedButton(this, "Breglages", QStringLiteral("Réglages")), "Breglages");
    Breglages->setEnabled(false);
    BitBtn_ok = namedButton(this, "BitBtn_ok", QStringLiteral("OK"));
    BitBtn_ok->setDefault(true);
    bb_annule = namedButton(this, "bb_annule", QStringLiteral("Annuler"));
    HelpBtn = namedButton(this, "HelpBtn", QStringLiteral("Aide"));

    connect(Bchoixpilotesav, &QPushButton::clicked, this, &Tfsortiev::BchoixpilotesavClick);
    connect(BitBtn_ok, &QPushButton::clicked, this, &Tfsortiev::BitBtn_okClick);
    connect(bb_annule, &QPushButton::clicked, this, &Tfsortiev::bb_annuleClick);
    connect(HelpBtn, &QPushButton::clicked, this,
            [] { openUserGuide(QString::fromLatin1(guide::kVariableOutputs)); });

    auto* top = new QHBoxLayout;
    top->addWidget(Label_detail, 1);
    top->addWidget(Breglages);
    top->addWidget(Bchoixpilotesav);
    auto* formula = new QGridLayout;
    formula->addWidget(Labelsa1, 0, 0);
    formula->addWidget(Edit_formule_variable1, 0, 1);
    formula->addWidget(label_formule_past, 0, 2);
    formula->addWidget(cbsveff1, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn_ok);
    buttons->addWidget(bb_annule);
    buttons->addWidget(HelpBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(formula);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(460, 180);
}

void Tfsortiev::BchoixpilotesavClick() {
    loadDriver(chooseOutputDriverFile(dialouvrepilFileName_));
}

void Tfsortiev::loadDriver(const QString& fileName) {
    dialouvrepilFileName_ = fileName;
    const auto view = chooseVariableOutputDriver(programSettings(), fileName.toStdString());
    if (!view) return;
    Label_detail->setVisible(view->detail.has_value());
    if (view->detail) Label_detail->setText(QString::fromStdString(*view->detail));
    if (view->formulaShown) {
        for (QWidget* w : std::initializer_list<QWidget*>{Labelsa1, Edit_formule_variable1,
                                                          cbsveff1, label_formule_past}) {
            w->setVisible(*view->formulaShown);
        }
        if (*view->formulaShown) Labelsa1->setText(QString::fromStdString(view->outputName));
    }
    Breglages->setVisible(view->calibrationShown);
    Breglages->setEnabled(view->calibrationShown);
}

void Tfsortiev::BitBtn_okClick() {
    const auto result = confirmVariableOutput(
        programSettings(), Edit_formule_variable1->text().toStdString(), cbsveff1->isChecked());
    if (result.formulaError) {
        interaction().showMessage(QString::fromUtf8(kFormulaErrorMessage));
        Edit_formule_variable1->setText(QString::fromStdString(result.editText));
    }
    interaction().showMessage(QString::fromStdString(result.message));
    accept();
}

void Tfsortiev::bb_annuleClick() {
    reject();
}

void Tfsortiev::reject() {
    const ProgramSettings& settings = programSettings();
    Edit_formule_variable1->setText(QString::fromStdString(settings.variableOutputFormulaText));
    cbsveff1->setChecked(settings.variableOutputActive);
    QDialog::reject();
}

}  // namespace qtl
