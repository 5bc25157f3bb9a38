// The logic outputs dialog.
#include "outputs/windows/udmatsl.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "outputs/logic_outputs.h"
#include "outputs/windows/named_button.h"
#include "outputs/windows/output_file_dialog.h"
#include "ui/user_guide.h"

namespace qtl {

TFsortieslogiques::TFsortieslogiques(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Fsortieslogiques"));
    setWindowTitle(QStringLiteral("Sorties logiques"));

    Label1 = new QLabel(QStringLiteral("(pilote non chargé)"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Choixpilote = namedButton(this, "Choixpilote", QStringLiteral("Choix pilote"));
    CheckListBox1 = new QListWidget(this);
    CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
    OKBtn = namedButton(this, "OKBtn", QStringLiteral("OK"));
    OKBtn->setDefault(true);
    CancelBtn = namedButton(this, "CancelBtn", QStringLiteral("Annuler"));
    HelpBtn = namedButton(this, "HelpBtn", QStringLiteral("Aide"));

    connect(Choixpilote, &QPushButton::clicked, this, &TFsortieslogiques::ChoixpiloteClick);
    connect(OKBtn, &QPushButton::clicked, this, &TFsortieslogiques::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this,
            [] { openUserGuide(QString::fromLatin1(guide::kLogicOutputs)); });
    connect(CheckListBox1, &QListWidget::itemChanged, this,
            &TFsortieslogiques::CheckListBox1Changed);

    auto* top = new QHBoxLayout;
    top->addWidget(Label1, 1);
    top->addWidget(Choixpilote);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(CheckListBox1, 1);
    layout->addLayout(buttons);
    resize(380, 300);
}

void TFsortieslogiques::refresh() {
    const LogicOutputsState& state = outputsState().logic;
    refreshing_ = true;
    Label1->setText(state.description.empty() ? QStringLiteral("(pilote non chargé)")
                                              : QString::fromStdString(state.description));
    CheckListBox1->clear();
    for (std::size_t k = 0; k < state.names.size(); ++k) {
        auto* item = new QListWidgetItem(QString::fromStdString(state.names[k]), CheckListBox1);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        const bool on = k < state.checked.size() && state.checked[k];
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    refreshing_ = false;
}

void TFsortieslogiques::showEvent(QShowEvent* event) {
    refresh();
    QDialog::showEvent(event);
}

void TFsortieslogiques::CheckListBox1Changed(QListWidgetItem* item) {
    if (refreshing_) return;
    LogicOutputsState& state = outputsState().logic;
    const auto row = static_cast<std::size_t>(CheckListBox1->row(item));
    if (row < state.checked.size()) state.checked[row] = item->checkState() == Qt::Checked;
}

void TFsortieslogiques::ChoixpiloteClick() {
    LogicOutputsState& state = outputsState().logic;
    state.names.clear();
    state.checked.clear();
    refresh();
    loadDriver(chooseOutputDriverFile(dialouvrepilFileName_));
}

void TFsortieslogiques::loadDriver(const QString& fileName) {
    dialouvrepilFileName_ = fileName;
    chooseLogicOutputDriver(outputsState().logic, fileName.toStdString());
    refresh();
}

void TFsortieslogiques::OKBtnClick() {
    sendLogicOutputs(outputsState().logic);
    accept();
}

}  // namespace qtl
