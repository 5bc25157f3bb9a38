// Tfdtemps, the "Réglages temporels" dialog: interval, number of measurements, burst threshold,
// repetitions, date time axis and readout period. Its controls keep their last values
// between uses; only "Accepter" writes the settings record.
#pragma once

#include <QDialog>

#include "graph/timing_choice.h"

class QCheckBox;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace qtl {

class Tfdtemps : public QDialog {
    Q_OBJECT
  public:
    explicit Tfdtemps(QWidget* parent = nullptr);

    // What the controls show now.
    TimingChoice choice() const;

    QSpinBox* Spinintervalle;
    QRadioButton* rbus;
    QRadioButton* rbms;
    QRadioButton* rbs;
    QSpinBox* Spinnbmax;
    QSpinBox* Spinseuil;
    QSpinBox* Spinrepet;
    QCheckBox* cbdate;
    QSpinBox* Spinbandeau;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

  public slots:
    void OKBtnClick();
};

}  // namespace qtl
