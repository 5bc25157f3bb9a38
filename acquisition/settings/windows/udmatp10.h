// Tfdmatp, the channel driver dialog: the driver library of P, A or S, its description and
// inputs, the channel's title, line style and formula, and for A and S "Prise de mesure ?".
// Loading a driver takes effect at once; "Ok" takes over the other fields.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QListWidget;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qtl {

class Tfdmatp : public QDialog {
    Q_OBJECT
  public:
    // A dialog for the channel 'P', 'A' or 'S', filled from the settings record.
    explicit Tfdmatp(char channel, QWidget* parent = nullptr);

    char channel() const { return channel_; }

    QLabel* Label1;
    QListWidget* ListBox1;
    QPushButton* ChoixPilote;
    QCheckBox* CheckBox1;
    QPushButton* reglages;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QRadioButton* RadioButton3;
    QLineEdit* saisietitrevoie;
    QLineEdit* Edit1;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;

  public slots:
    void ChoixPiloteClick();
    void reglagesClick();
    void OKBtnClick();
    void HelpBtnClick();

  private:
    void showDriver();

    char channel_;
    bool refreshing_ = false;  // between "réglages" and the end of the refresh it triggers
};

}  // namespace qtl
