// "modéliser…": fits a model to one channel of a graph window against X, shows the parameters
// with their uncertainties, copies them as text, and draws the model curve on the window's
// chart, where it stays until the window is closed or the model is removed.
#pragma once

#include <QDialog>
#include <optional>

#include "analysis/curve_fit.h"
#include "analysis/fit_model.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace qtl {

class Trepere;

class ModellingDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ModellingDialog(Trepere& window, QWidget* parent = nullptr);

    // The last fit (nothing before the first).
    const std::optional<FitResult>& lastResult() const { return result_; }

  public slots:
    void modeliserClick();
    void copierpointClick();
    void copiervirguleClick();
    void effacerClick();

  private:
    void modelChanged();
    void copy(char decimalMark);

    Trepere& window_;
    QComboBox* voie_;
    QComboBox* modele_;
    QSpinBox* degre_;
    QLineEdit* formule_;
    QLabel* parametres_;
    QLineEdit* depart_;
    QCheckBox* zoom_;
    QPlainTextEdit* resultat_;
    QLabel* message_;
    QPushButton* copierpoint_;
    QPushButton* copiervirgule_;
    std::optional<FitModel> model_;
    std::optional<FitResult> result_;
};

// The command of the "Exploiter" menu: runs the dialog modally through the interaction.
void modeliser1Click(Trepere& window);

}  // namespace qtl
