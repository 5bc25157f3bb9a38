// The timing dialog.
#include "graph/windows/udtemps10.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace qtl {

namespace {

QSpinBox* spin(QWidget* parent, const char* name, TimingBounds bounds, int start) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(bounds.low, bounds.high);
    box->setValue(start);
    return box;
}

}  // namespace

Tfdtemps::Tfdtemps(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fdtemps"));
    setWindowTitle(QStringLiteral("Réglages temporels"));

    Spinintervalle = spin(this, "Spinintervalle", kIntervalBounds, 1000);
    Spinnbmax = spin(this, "Spinnbmax", kMaxMeasurementsBounds, 200);
    Spinseuil = spin(this, "Spinseuil", kOscilloThresholdBounds, 50);
    Spinrepet = spin(this, "Spinrepet", kRepeatsBounds, 10);
    Spinbandeau = spin(this, "Spinbandeau", kStatusRefreshBounds, 1000);
    Spinbandeau->setSingleStep(100);

    auto* unitBox = new QGroupBox(QStringLiteral("Unité :"), this);
    rbus = new QRadioButton(QStringLiteral("microsecondes"), unitBox);
    rbms = new QRadioButton(QStringLiteral("millisecondes"), unitBox);
    rbs = new QRadioButton(QStringLiteral("secondes"), unitBox);
    rbus->setObjectName(QStringLiteral("rbus"));
    rbms->setObjectName(QStringLiteral("rbms"));
    rbs->setObjectName(QStringLiteral("rbs"));
    rbms->setChecked(true);
    auto* unitLayout = new QVBoxLayout(unitBox);
    unitLayout->addWidget(rbus);
    unitLayout->addWidget(rbms);
    unitLayout->addWidget(rbs);

    cbdate = new QCheckBox(QStringLiteral("(temps = jours depuis 1900 ?)"), this);
    cbdate->setObjectName(QStringLiteral("cbdate"));

    auto* grid = new QGridLayout;
    int row = 0;
    auto addRow = [&](const QString& label, QWidget* field, const QString& note) {
        grid->addWidget(new QLabel(label, this), row, 0);
        grid->addWidget(field, row, 1);
        if (!note.isEmpty()) grid->addWidget(new QLabel(note, this), row, 2);
        ++row;
    };
    addRow(QStringLiteral("Intervalle entre mesures"), Spinintervalle, {});
    grid->addWidget(unitBox, row++, 1, 1, 2);
    addRow(QStringLiteral("Nombre max. de mesures"), Spinnbmax,
           QStringLiteral("(1200 pour oscillo)"));
    addRow(QStringLiteral("Seuil du mode oscillo (ms)"), Spinseuil,
           QStringLiteral("Valeur conseillée : 50"));
    addRow(QStringLiteral("Nombre max de répétitions par\nmesure (mode normal)"), Spinrepet, {});
    grid->addWidget(cbdate, row++, 0, 1, 3);
    addRow(QStringLiteral("rafraichissement du bandeau general QTL (ms)"), Spinbandeau, {});

    OKBtn = new QPushButton(QStringLiteral("Accepter"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Annuler"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    connect(OKBtn, &QPushButton::clicked, this, &Tfdtemps::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

TimingChoice Tfdtemps::choice() const {
    TimingChoice c;
    c.interval = Spinintervalle->value();
    c.unit = rbs->isChecked()    ? IntervalUnit::Seconds
             : rbus->isChecked() ? IntervalUnit::Microseconds
                                 : IntervalUnit::Milliseconds;
    c.maxMeasurements = Spinnbmax->value();
    c.oscilloThresholdMs = Spinseuil->value();
    c.repeatsPerMeasurement = Spinrepet->value();
    c.timeAsDate = cbdate->isChecked();
    c.statusRefreshMs = Spinbandeau->value();
    return c;
}

void Tfdtemps::OKBtnClick() {
    applyTimingChoice(choice(), programSettings());
    accept();
}

}  // namespace qtl
