// The modelling dialog.
#include "graph/windows/modelling_dialog.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "analysis/fit_report.h"
#include "graph/windows/urepere13.h"
#include "ui/chart.h"
#include "ui/interaction.h"

namespace qtl {

namespace {

struct ModelEntry {
    const char* caption;
    ModelKind kind;
    int degree;
};

constexpr ModelEntry kModels[] = {
    {"linéaire  a·X", ModelKind::Linear, 1},
    {"affine  a·X+b", ModelKind::Affine, 1},
    {"parabole  a·X²+b·X+c", ModelKind::Polynomial, 2},
    {"polynôme de degré n", ModelKind::Polynomial, 3},
    {"exponentielle  A·exp(−X/τ)+B", ModelKind::Exponential, 0},
    {"premier ordre  A·(1−exp(−X/τ))+B", ModelKind::FirstOrderRise, 0},
    {"sinusoïde amortie  A·exp(−X/τ)·sin(2π·X/T+φ)+B", ModelKind::DampedSine, 0},
    {"puissance  A·X^n", ModelKind::Power, 0},
    {"modèle libre", ModelKind::Free, 0},
};
constexpr int kPolynomialEntry = 3;
constexpr int kFreeEntry = 8;
constexpr int kCurvePoints = 500;

Channel channelOf(const QString& letter) {
    if (letter == "A") return Channel::A;
    if (letter == "S") return Channel::S;
    return Channel::P;
}

// Starting values separated by ';' (a decimal comma is accepted); false on a value that does
// not read as a number.
bool readStartValues(const QString& text, std::vector<double>& values) {
    values.clear();
    const QStringList parts = text.split(';', Qt::SkipEmptyParts);
    for (QString part : parts) {
        part = part.trimmed().replace(',', '.');
        if (part.isEmpty()) continue;
        bool ok = false;
        const double v = part.toDouble(&ok);
        if (!ok || !std::isfinite(v)) return false;
        values.push_back(v);
    }
    return true;
}

}  // namespace

ModellingDialog::ModellingDialog(Trepere& window, QWidget* parent)
    : QDialog(parent), window_(window) {
    setWindowTitle("Modéliser");
    setObjectName("modelisation");

    voie_ = new QComboBox(this);
    voie_->setObjectName("voie");
    voie_->addItem("P");
    if (window.model().aActive || !window.model().points(Channel::A).empty()) voie_->addItem("A");
    if (window.model().sActive || !window.model().points(Channel::S).empty()) voie_->addItem("S");

    modele_ = new QComboBox(this);
    modele_->setObjectName("modele");
    for (const ModelEntry& m : kModels) modele_->addItem(QString::fromUtf8(m.caption));
    modele_->setCurrentIndex(1);

    degre_ = new QSpinBox(this);
    degre_->setObjectName("degre");
    degre_->setRange(kMinPolynomialDegree, kMaxPolynomialDegree);
    degre_->setValue(3);

    formule_ = new QLineEdit(this);
    formule_->setObjectName("formule");
    formule_->setMaxLength(kMaxFormulaLength - 1);
    formule_->setPlaceholderText("ex. K*X/(M+X)+C");
    parametres_ = new QLabel(this);
    parametres_->setObjectName("parametres");
    depart_ = new QLineEdit(this);
    depart_->setObjectName("depart");
    depart_->setPlaceholderText("valeurs séparées par ;");

    zoom_ = new QCheckBox("domaine affiché seulement (zoom)", this);
    zoom_->setObjectName("zoom");

    auto* form = new QFormLayout;
    form->addRow("Voie (en fonction de X) :", voie_);
    form->addRow("Modèle :", modele_);
    form->addRow("Degré du polynôme :", degre_);
    form->addRow("Modèle libre  y = ", formule_);
    form->addRow("Paramètres :", parametres_);
    form->addRow("Valeurs de départ :", depart_);
    form->addRow(QString(), zoom_);

    resultat_ = new QPlainTextEdit(this);
    resultat_->setObjectName("resultat");
    resultat_->setReadOnly(true);
    resultat_->setMinimumSize(420, 180);
    message_ = new QLabel(this);
    message_->setObjectName("message");
    message_->setWordWrap(true);
    message_->setStyleSheet("color: #B00000;");

    auto* modeliser = new QPushButton("Modéliser", this);
    modeliser->setObjectName("modeliser");
    modeliser->setDefault(true);
    copierpoint_ = new QPushButton("Copier (point décimal)", this);
    copierpoint_->setObjectName("copierpoint");
    copiervirgule_ = new QPushButton("Copier (virgule décimale)", this);
    copiervirgule_->setObjectName("copiervirgule");
    auto* effacer = new QPushButton("Effacer le modèle", this);
    effacer->setObjectName("effacer");
    auto* fermer = new QPushButton("Fermer", this);
    fermer->setObjectName("fermer");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(modeliser);
    buttons->addWidget(copierpoint_);
    buttons->addWidget(copiervirgule_);
    buttons->addWidget(effacer);
    buttons->addStretch();
    buttons->addWidget(fermer);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(resultat_);
    layout->addWidget(message_);
    layout->addLayout(buttons);

    connect(modeliser, &QPushButton::clicked, this, &ModellingDialog::modeliserClick);
    connect(copierpoint_, &QPushButton::clicked, this, &ModellingDialog::copierpointClick);
    connect(copiervirgule_, &QPushButton::clicked, this, &ModellingDialog::copiervirguleClick);
    connect(effacer, &QPushButton::clicked, this, &ModellingDialog::effacerClick);
    connect(fermer, &QPushButton::clicked, this, &QDialog::accept);
    connect(modele_, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this] { modelChanged(); });
    connect(formule_, &QLineEdit::textChanged, this, [this] { modelChanged(); });
    modelChanged();
}

void ModellingDialog::modelChanged() {
    const int entry = modele_->currentIndex();
    degre_->setEnabled(entry == kPolynomialEntry);
    const bool free = entry == kFreeEntry;
    formule_->setEnabled(free);
    depart_->setEnabled(free);
    if (!free) {
        parametres_->setText(QString());
        return;
    }
    const FreeModelLetters letters = freeModelLetters(formule_->text().toStdString());
    QString shown;
    for (char c : letters.letters) {
        if (!shown.isEmpty()) shown += "; ";
        shown += QChar(c);
    }
    parametres_->setText(shown);
}

void ModellingDialog::modeliserClick() {
    const ModelEntry& entry = kModels[std::clamp(modele_->currentIndex(), 0, kFreeEntry)];
    ModelChoice choice{entry.kind, entry.degree, formule_->text().toStdString()};
    if (modele_->currentIndex() == kPolynomialEntry) choice.degree = degre_->value();
    FitOptions options;
    if (entry.kind == ModelKind::Free && !readStartValues(depart_->text(), options.start)) {
        message_->setText("Valeur de départ illisible : séparez les nombres par ;");
        return;
    }
    if (zoom_->isChecked()) {
        const ValueRange shown = window_.Chart1->shownXRange();
        options.xRange = std::make_pair(shown.min, shown.max);
    }

    const Channel channel = channelOf(voie_->currentText());
    const DataSeries& series = window_.model().points(channel);
    model_.emplace(choice);
    result_ = fitCurve(*model_, series.xs(), series.ys(), options);
    const FitResult& r = *result_;

    resultat_->setPlainText(QString::fromStdString(fitResultText(*model_, r, '.')));
    // A last estimate that did not converge is shown greyed.
    resultat_->setStyleSheet(r.converged() ? QString() : "color: gray;");
    message_->setText(QString::fromStdString(r.message));

    if (!r.converged()) {
        window_.Chart1->clearModelCurve();
        return;
    }
    double lo = 0;
    double hi = 0;
    bool any = false;
    const auto xs = series.xs();
    const auto ys = series.ys();
    for (std::size_t i = 0; i < xs.size(); ++i) {
        if (!std::isfinite(xs[i]) || !std::isfinite(ys[i])) continue;
        if (options.xRange && (xs[i] < options.xRange->first || xs[i] > options.xRange->second)) {
            continue;
        }
        lo = any ? std::min(lo, xs[i]) : xs[i];
        hi = any ? std::max(hi, xs[i]) : xs[i];
        any = true;
    }
    std::vector<double> cx;
    std::vector<double> cy;
    for (int k = 0; k < kCurvePoints; ++k) {
        const double x = lo + (hi - lo) * k / (kCurvePoints - 1);
        cx.push_back(x);
        cy.push_back(model_->value(r.values, x));
    }
    window_.Chart1->setModelCurve(cx, cy, series.style().axis);
}

void ModellingDialog::copy(char decimalMark) {
    if (!model_ || !result_) return;
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(fitResultText(*model_, *result_, decimalMark)));
}

void ModellingDialog::copierpointClick() {
    copy('.');
}

void ModellingDialog::copiervirguleClick() {
    copy(',');
}

void ModellingDialog::effacerClick() {
    window_.Chart1->clearModelCurve();
}

void modeliser1Click(Trepere& window) {
    ModellingDialog dialog(window, &window);
    interaction().execDialog(dialog);
}

}  // namespace qtl
