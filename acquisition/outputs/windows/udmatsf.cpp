// The fixed analog outputs dialog.
#include "outputs/windows/udmatsf.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "outputs/fixed_outputs.h"
#include "outputs/windows/named_button.h"
#include "outputs/windows/output_file_dialog.h"
#include "ui/user_guide.h"

namespace qtl {

namespace {

constexpr const char* kLabelNames[6] = {"labelsa0", "Labelsa1", "Labelsa2",
                                        "Labelsa3", "labelsa4", "labelsa5"};
constexpr const char* kStepCaptions[5] = {"10", "1", "0.1", "0.01", "0.001"};

}  // namespace

Tfsortiesfixes::Tfsortiesfixes(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fsortiesfixes"));
    setWindowTitle(QStringLiteral("Sorties analogiques fixes"));

    Label1 = new QLabel(QStringLiteral("(pilote non chargé)"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Choixpilote = namedButton(this, "Choixpilote", QStringLiteral("Choix pilote"));
    Button1 = namedButton(this, "Button1", QStringLiteral("réglages ?"));
    Button1->setVisible(false);
    Button1->setEnabled(false);

    auto* lines = new QGridLayout;
    for (int i = 0; i < FixedOutputsState::kCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        labels[k] = new QLabel(this);
        labels[k]->setObjectName(QString::fromLatin1(kLabelNames[k]));
        editors[k] = new QDoubleSpinBox(this);
        editors[k]->setObjectName(QStringLiteral("sesf%1").arg(i));
        editors[k]->setDecimals(kFixedOutputDecimals);
        editors[k]->setRange(-kFixedOutputLimit, kFixedOutputLimit);
        editors[k]->setSingleStep(kFixedOutputSteps[kDefaultFixedOutputStep]);
        editors[k]->setMinimumWidth(140);
        labels[k]->setVisible(false);
        editors[k]->setVisible(false);
        lines->addWidget(labels[k], i, 0);
        lines->addWidget(editors[k], i, 1);
        connect(editors[k], &QDoubleSpinBox::valueChanged, this,
                [this, i](double value) { editorChanged(i, value); });
    }

    lines->setRowStretch(FixedOutputsState::kCount, 1);  // shown lines stay at the top

    RadioGroup1 = new QGroupBox(QStringLiteral("incrément"), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    auto* steps = new QVBoxLayout(RadioGroup1);
    for (std::size_t k = 0; k < RadioGroup1Items.size(); ++k) {
        RadioGroup1Items[k] = new QRadioButton(QString::fromLatin1(kStepCaptions[k]), RadioGroup1);
        steps->addWidget(RadioGroup1Items[k]);
        connect(RadioGroup1Items[k], &QRadioButton::clicked, this,
                &Tfsortiesfixes::RadioGroup1Click);
    }
    RadioGroup1Items[kDefaultFixedOutputStep]->setChecked(true);

    OKBtn = namedButton(this, "OKBtn", QStringLiteral("OK"));
    OKBtn->setDefault(true);
    CancelBtn = namedButton(this, "CancelBtn", QStringLiteral("Annuler"));
    HelpBtn = namedButton(this, "HelpBtn", QStringLiteral("Aide"));

    connect(Choixpilote, &QPushButton::clicked, this, &Tfsortiesfixes::ChoixpiloteClick);
    connect(OKBtn, &QPushButton::clicked, this, &Tfsortiesfixes::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this,
            [] { openUserGuide(QString::fromLatin1(guide::kFixedOutputs)); });
    connect(Button1, &QPushButton::clicked, this, &Tfsortiesfixes::Button1Click);

    auto* top = new QHBoxLayout;
    top->addWidget(Label1, 1);
    top->addWidget(Button1);
    top->addWidget(Choixpilote);
    auto* middle = new QHBoxLayout;
    middle->addLayout(lines, 1);
    middle->addWidget(RadioGroup1, 0, Qt::AlignTop);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(460, 300);
}

void Tfsortiesfixes::refresh() {
    const FixedOutputsState& state = outputsState().fixed;
    refreshing_ = true;
    Label1->setText(state.title.empty() ? QStringLiteral("(pilote non chargé)")
                                        : QString::fromStdString(state.title));
    const bool calibration = state.driver.calibration != nullptr;
    Button1->setVisible(calibration);
    Button1->setEnabled(calibration);
    for (std::size_t k = 0; k < editors.size(); ++k) {
        // A line a settings file showed may have no name from a driver.
        const QString name = state.names[k].empty() ? QStringLiteral("sortie %1").arg(k)
                                                    : QString::fromStdString(state.names[k]);
        labels[k]->setText(name);
        labels[k]->setVisible(state.shown[k]);
        editors[k]->setVisible(state.shown[k]);
        editors[k]->setValue(state.values[k]);
    }
    refreshing_ = false;
}

void Tfsortiesfixes::showEvent(QShowEvent* event) {
    refresh();
    QDialog::showEvent(event);
}

void Tfsortiesfixes::editorChanged(int index, double value) {
    if (!refreshing_) setFixedOutputValue(outputsState().fixed, index, value);
}

void Tfsortiesfixes::ChoixpiloteClick() {
    loadDriver(chooseOutputDriverFile(dialouvrepilFileName_));
}

void Tfsortiesfixes::loadDriver(const QString& fileName) {
    dialouvrepilFileName_ = fileName;
    chooseFixedOutputDriver(outputsState().fixed, fileName.toStdString());
    refresh();
}

void Tfsortiesfixes::RadioGroup1Click() {
    for (std::size_t k = 0; k < RadioGroup1Items.size(); ++k) {
        if (!RadioGroup1Items[k]->isChecked()) continue;
        for (QDoubleSpinBox* editor : editors) editor->setSingleStep(kFixedOutputSteps[k]);
    }
}

void Tfsortiesfixes::Button1Click() {
    calibrateFixedOutputDriver(outputsState().fixed);
}

void Tfsortiesfixes::OKBtnClick() {
    sendFixedOutputs(outputsState().fixed);
    accept();
}

}  // namespace qtl
