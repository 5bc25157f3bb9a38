// Tfsortiev, the "Sortie analogique variable" dialog: chooses the variable output's driver
// and the formula f(P,A,S,T) that the acquisition sends to output 0 while the output is
// active. Driver, formula and active flag live in the settings record.
#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qtl {

class Tfsortiev : public QDialog {
    Q_OBJECT
  public:
    explicit Tfsortiev(QWidget* parent = nullptr);

    // What "Choix pilote" does once the file dialog holds `fileName`.
    void loadDriver(const QString& fileName);

    QLabel* Label_detail;
    QLabel* Labelsa1;
    QLineEdit* Edit_formule_variable1;
    QLabel* label_formule_past;
    QCheckBox* cbsveff1;
    QPushButton* Bchoixpilotesav;
    QPushButton* Breglages;  // has no action
    QPushButton* BitBtn_ok;
    QPushButton* bb_annule;
    QPushButton* HelpBtn;

  public slots:
    void BchoixpilotesavClick();
    void BitBtn_okClick();
    void bb_annuleClick();

  public:
    // Escape and the close box cancel too: the controls go back to the record.
    void reject() override;

  private:
    QString dialouvrepilFileName_;  // what the file dialog holds: the last name chosen
};

}  // namespace qtl
