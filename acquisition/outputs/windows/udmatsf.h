// Tfsortiesfixes, the "Sorties analogiques fixes" dialog: chooses an analog output driver,
// shows a labelled real editor for each of the first six outputs it names, and sends all six
// values on OK. Values, shown lines and driver live in the outputs state (a settings file may
// set them too); the dialog keeps only the name its file dialog holds and the step chosen.
#pragma once

#include <QDialog>
#include <QString>
#include <array>

class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace qtl {

class Tfsortiesfixes : public QDialog {
    Q_OBJECT
  public:
    explicit Tfsortiesfixes(QWidget* parent = nullptr);

    // Shows the outputs state again (called whenever the dialog is shown).
    void refresh();
    // What "Choix pilote" does once the file dialog holds `fileName`.
    void loadDriver(const QString& fileName);

    QLabel* Label1;
    QPushButton* Choixpilote;
    // labelsa0, Labelsa1, Labelsa2, Labelsa3, labelsa4, labelsa5 and sesf0 to sesf5.
    std::array<QLabel*, 6> labels{};
    std::array<QDoubleSpinBox*, 6> editors{};
    QGroupBox* RadioGroup1;  // "incrément"
    std::array<QRadioButton*, 5> RadioGroup1Items{};
    QPushButton* Button1;  // "réglages ?"
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;

  public slots:
    void ChoixpiloteClick();
    void OKBtnClick();
    void Button1Click();
    void RadioGroup1Click();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void editorChanged(int index, double value);

    QString dialouvrepilFileName_;  // what the file dialog holds: the last name chosen
    bool refreshing_ = false;
};

}  // namespace qtl
