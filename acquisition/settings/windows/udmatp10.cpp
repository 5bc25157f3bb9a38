// The channel driver dialog: controls and short handlers over the core's channel dialog.
#include "settings/windows/udmatp10.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "settings/channel_dialog.h"
#include "settings/dynamic_library.h"
#include "settings/input_driver.h"
#include "settings/program_places.h"
#include "settings/program_settings.h"
#include "ui/interaction.h"
#include "ui/user_guide.h"

namespace qtl {

namespace {

template <class W>
W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

}  // namespace

Tfdmatp::Tfdmatp(char channel, QWidget* parent) : QDialog(parent), channel_(channel) {
    setObjectName(QStringLiteral("fdmatp"));
    setModal(true);

    Label1 = named(new QLabel(QStringLiteral("Chargement d'un pilote ?"), this), "Label1");
    Label1->setWordWrap(true);
    Label1->setMinimumWidth(360);
    ListBox1 = named(new QListWidget(this), "ListBox1");
    ChoixPilote = named(new QPushButton(QStringLiteral("ChoixPilote"), this), "ChoixPilote");
    CheckBox1 = named(new QCheckBox(QStringLiteral("Prise de mesure ?"), this), "CheckBox1");
    reglages = named(new QPushButton(QStringLiteral("réglages"), this), "reglages");
    RadioButton1 = named(new QRadioButton(QStringLiteral("continu"), this), "RadioButton1");
    RadioButton2 = named(new QRadioButton(QStringLiteral("tireté"), this), "RadioButton2");
    RadioButton3 = named(new QRadioButton(QStringLiteral("pointillé"), this), "RadioButton3");
    saisietitrevoie = named(new QLineEdit(this), "saisietitrevoie");
    Edit1 = named(new QLineEdit(this), "Edit1");
    OKBtn = named(new QPushButton(QStringLiteral("Ok"), this), "OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = named(new QPushButton(QStringLiteral("Annule"), this), "CancelBtn");
    HelpBtn = named(new QPushButton(QStringLiteral("&Aide"), this), "HelpBtn");

    auto* driverRow = new QHBoxLayout;
    driverRow->addWidget(ChoixPilote);
    driverRow->addWidget(reglages);
    driverRow->addStretch();
    driverRow->addWidget(CheckBox1);

    auto* styleBox = new QVBoxLayout;
    styleBox->addWidget(new QLabel(QStringLiteral("aspect de la "), this));
    styleBox->addWidget(new QLabel(QStringLiteral("ligne graphique :"), this));
    styleBox->addWidget(RadioButton1);
    styleBox->addWidget(RadioButton2);
    styleBox->addWidget(RadioButton3);
    styleBox->addStretch();

    auto* fields = new QVBoxLayout;
    fields->addWidget(new QLabel(QStringLiteral("titre des mesures à réaliser :"), this));
    fields->addWidget(saisietitrevoie);
    fields->addWidget(new QLabel(QStringLiteral("Fonction de transformation f(P,A,S,T)"), this));
    fields->addWidget(Edit1);
    fields->addStretch();

    auto* lower = new QHBoxLayout;
    lower->addLayout(fields, 1);
    lower->addLayout(styleBox);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ListBox1, 1);
    layout->addLayout(driverRow);
    layout->addLayout(lower);
    layout->addLayout(buttons);

    connect(ChoixPilote, &QPushButton::clicked, this, &Tfdmatp::ChoixPiloteClick);
    connect(reglages, &QPushButton::clicked, this, &Tfdmatp::reglagesClick);
    connect(OKBtn, &QPushButton::clicked, this, &Tfdmatp::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, &Tfdmatp::HelpBtnClick);

    // Opening: the channel's fields, its driver's description and inputs.
    const ChannelDialogFields f = openChannelDialog(programSettings().channel(channel_), channel_);
    setWindowTitle(text(f.caption));
    CheckBox1->setVisible(f.showTakeMeasurement);
    CheckBox1->setChecked(f.takeMeasurement);
    saisietitrevoie->setText(text(f.title));
    Edit1->setText(text(f.formula));
    QRadioButton* styles[] = {RadioButton1, RadioButton2, RadioButton3};
    if (f.lineStyle >= 0) styles[f.lineStyle]->setChecked(true);
    for (const std::string& input : f.driver.inputs) ListBox1->addItem(text(input));
    if (f.selectedInput >= 0) ListBox1->setCurrentRow(f.selectedInput);
    Label1->setText(text(f.driver.label));
    reglages->setEnabled(f.driver.calibration);
}

void Tfdmatp::ChoixPiloteClick() {
    ChannelSettings& channel = programSettings().channel(channel_);
    if (!refreshing_) {
        FileDialogRequest request;
        request.title = QStringLiteral("Choix du pilote (V. princ)");
        request.filter = QString::fromStdString(inputDriverFileFilter());
        request.directory = QString::fromStdString(programPlaces().driversFolder);
        const QString path = interaction().openFileName(request);
        if (!path.isEmpty()) reglages->setEnabled(chooseChannelDriver(channel, path.toStdString()));
    }
    showDriver();
    refreshing_ = false;
}

void Tfdmatp::showDriver() {
    const ChannelDriverView view = channelDriverView(programSettings().channel(channel_));
    ListBox1->clear();
    Label1->setText(text(view.label));
    if (!programSettings().channel(channel_).active) return;
    for (const std::string& input : view.inputs) ListBox1->addItem(text(input));
    ListBox1->setCurrentRow(-1);
    reglages->setVisible(view.calibration);
}

void Tfdmatp::reglagesClick() {
    calibrateChannel(programSettings().channel(channel_));
    refreshing_ = true;
    ChoixPiloteClick();
}

void Tfdmatp::OKBtnClick() {
    ChannelDialogAnswer answer;
    answer.title = saisietitrevoie->text().toStdString();
    answer.lineStyle = RadioButton1->isChecked()   ? 0
                       : RadioButton2->isChecked() ? 1
                       : RadioButton3->isChecked() ? 2
                                                   : -1;
    answer.takeMeasurement = CheckBox1->isChecked();
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    answer.selectedInput = selected.isEmpty() ? -1 : ListBox1->row(selected.front());
    answer.formula = Edit1->text().toStdString();
    if (!confirmChannelDialog(programSettings().channel(channel_), channel_, answer))
        interaction().showMessage(QStringLiteral("Erreur dans la fonction"));
    accept();
}

void Tfdmatp::HelpBtnClick() {
    openUserGuide(QString::fromLatin1(guide::kChannels));
}

}  // namespace qtl
