// The axis and style dialog.
#include "graph/windows/udcadrages10.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "settings/program_settings.h"
#include "ui/interaction.h"
#include "ui/user_guide.h"

namespace qtl {

namespace {

constexpr int kRangeLimit = 1'000'000;

QSpinBox* spin(QWidget* parent, const char* name, int low, int high, int start) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setValue(start);
    return box;
}

QCheckBox* check(QWidget* parent, const char* name, const QString& caption, bool checked) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
    return box;
}

QLineEdit* edit(QWidget* parent, const char* name, const QString& start) {
    auto* line = new QLineEdit(start, parent);
    line->setObjectName(QString::fromLatin1(name));
    return line;
}

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

TcadrageDlg::TcadrageDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("cadrageDlg"));
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->addTab(seriesPage(), QStringLiteral("Séries de points"));
    PageControl1->addTab(axesPage(), QStringLiteral("Axes"));
    PageControl1->addTab(titlesPage(), QStringLiteral("Titres"));

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Annuler"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    HelpBtn = new QPushButton(QStringLiteral("&Aide"), this);
    HelpBtn->setObjectName(QStringLiteral("HelpBtn"));
    connect(OKBtn, &QPushButton::clicked, this, &TcadrageDlg::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TcadrageDlg::CancelBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this,
            [] { openUserGuide(QString::fromLatin1(guide::kFraming)); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addLayout(buttons);

    setCaption();
}

QWidget* TcadrageDlg::seriesPage() {
    auto* series = new QWidget(PageControl1);
    cbpoints = check(series, "cbpoints", QStringLiteral("Points ?"), true);
    cblignes = check(series, "cblignes", QStringLiteral("Lignes ?"), true);
    SpinEditpoint = spin(series, "SpinEditpoint", 1, 10, 2);
    SpinEditligne = spin(series, "SpinEditligne", 0, 10, 2);
    cbtraitcontinu =
        check(series, "cbtraitcontinu",
              QStringLiteral("trait continu ? (sinon trait discontinu, largeur 1)"), true);
    auto* seriesLayout = new QFormLayout(series);
    seriesLayout->addRow(cbpoints);
    seriesLayout->addRow(cblignes);
    seriesLayout->addRow(QStringLiteral("largeur point :"), SpinEditpoint);
    seriesLayout->addRow(QStringLiteral("largeur ligne :"), SpinEditligne);
    seriesLayout->addRow(cbtraitcontinu);
    return series;
}

QWidget* TcadrageDlg::axesPage() {
    auto* axes = new QWidget(PageControl1);
    cbYPautomatique = check(axes, "cbYPautomatique", QStringLiteral("axe YP automatique  "), true);
    SpinEditYpmin = spin(axes, "SpinEditYpmin", -kRangeLimit, kRangeLimit, 0);
    spineditypmax = spin(axes, "spineditypmax", -kRangeLimit, kRangeLimit, 1000);
    cbYAautomatique = check(axes, "cbYAautomatique", QStringLiteral("axe YA automatique"), true);
    SpinEditYAmin = spin(axes, "SpinEditYAmin", -kRangeLimit, kRangeLimit, 0);
    SpinEditYamax = spin(axes, "SpinEditYamax", -kRangeLimit, kRangeLimit, 1000);
    cbaxeS =
        check(axes, "cbaxeS", QStringLiteral("axe voie sup = axe gauche (sinon axe droit)"), true);
    auto* axesLayout = new QGridLayout(axes);
    axesLayout->addWidget(cbYPautomatique, 0, 0, 1, 4);
    axesLayout->addWidget(new QLabel(QStringLiteral("sinon axe Y principal (gauche) :"), axes), 1,
                          0, 1, 4);
    axesLayout->addWidget(new QLabel(QStringLiteral("minimum"), axes), 2, 0);
    axesLayout->addWidget(SpinEditYpmin, 2, 1);
    axesLayout->addWidget(new QLabel(QStringLiteral("maximum"), axes), 2, 2);
    axesLayout->addWidget(spineditypmax, 2, 3);
    axesLayout->addWidget(cbYAautomatique, 3, 0, 1, 4);
    axesLayout->addWidget(new QLabel(QStringLiteral("sinon axe Y auxiliaire (droite)"), axes), 4, 0,
                          1, 4);
    axesLayout->addWidget(new QLabel(QStringLiteral("minimum"), axes), 5, 0);
    axesLayout->addWidget(SpinEditYAmin, 5, 1);
    axesLayout->addWidget(new QLabel(QStringLiteral("maximum"), axes), 5, 2);
    axesLayout->addWidget(SpinEditYamax, 5, 3);
    axesLayout->addWidget(cbaxeS, 6, 0, 1, 4);
    return axes;
}

QWidget* TcadrageDlg::titlesPage() {
    auto* titles = new QWidget(PageControl1);
    Edit1 = edit(titles, "Edit1", QStringLiteral("Mesures"));
    Edit2 = edit(titles, "Edit2", QStringLiteral("temps"));
    Edit3 = edit(titles, "Edit3", QStringLiteral("voie P"));
    Edit4 = edit(titles, "Edit4", QStringLiteral("voie A"));
    Edit5 = edit(titles, "Edit5", QStringLiteral("voie S"));
    auto* titlesLayout = new QFormLayout(titles);
    titlesLayout->addRow(QStringLiteral("titre général"), Edit1);
    titlesLayout->addRow(QStringLiteral("titre des abscisses  = titre X"), Edit2);
    titlesLayout->addRow(QStringLiteral("Titre Voie Principale"), Edit3);
    titlesLayout->addRow(QStringLiteral("titre voie Auxiliaire"), Edit4);
    titlesLayout->addRow(QStringLiteral("titre voie Supplémentaire"), Edit5);
    return titles;
}

void TcadrageDlg::setCaption() {
    setWindowTitle(programSettings().framingFuture ? QStringLiteral("cadrages FUTURS")
                                                   : QStringLiteral("cadrages ACTUELS"));
}

int TcadrageDlg::ShowModal() {
    FormShow();
    return interaction().execDialog(*this);
}

void TcadrageDlg::FormShow() {
    setCaption();
    if (programSettings().framingFuture) setValues(framingFromSettings(programSettings()));
}

void TcadrageDlg::OKBtnClick() {
    if (programSettings().framingFuture) framingToSettings(values(), programSettings());
    accept();
}

void TcadrageDlg::CancelBtnClick() {
    reject();
}

FramingValues TcadrageDlg::values() const {
    FramingValues v;
    v.pointSize = SpinEditpoint->value();
    v.lineWidth = SpinEditligne->value();
    v.showPoints = cbpoints->isChecked();
    v.showLines = cblignes->isChecked();
    v.continuousLine = cbtraitcontinu->isChecked();
    v.autoScaleYP = cbYPautomatique->isChecked();
    v.minYP = SpinEditYpmin->value();
    v.maxYP = spineditypmax->value();
    v.autoScaleYA = cbYAautomatique->isChecked();
    v.minYA = SpinEditYAmin->value();
    v.maxYA = SpinEditYamax->value();
    v.seriesSOnLeft = cbaxeS->isChecked();
    v.chartTitle = Edit1->text().toStdString();
    v.xTitle = Edit2->text().toStdString();
    v.pTitle = Edit3->text().toStdString();
    v.aTitle = Edit4->text().toStdString();
    v.sTitle = Edit5->text().toStdString();
    return v;
}

void TcadrageDlg::setValues(const FramingValues& v) {
    SpinEditpoint->setValue(v.pointSize);
    SpinEditligne->setValue(v.lineWidth);
    cbpoints->setChecked(v.showPoints);
    cblignes->setChecked(v.showLines);
    cbtraitcontinu->setChecked(v.continuousLine);
    cbYPautomatique->setChecked(v.autoScaleYP);
    SpinEditYpmin->setValue(v.minYP);
    spineditypmax->setValue(v.maxYP);
    cbYAautomatique->setChecked(v.autoScaleYA);
    SpinEditYAmin->setValue(v.minYA);
    SpinEditYamax->setValue(v.maxYA);
    cbaxeS->setChecked(v.seriesSOnLeft);
    Edit1->setText(q(v.chartTitle));
    Edit2->setText(q(v.xTitle));
    Edit3->setText(q(v.pTitle));
    Edit4->setText(q(v.aTitle));
    Edit5->setText(q(v.sTitle));
}

}  // namespace qtl
