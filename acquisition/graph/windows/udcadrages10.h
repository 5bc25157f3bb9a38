// TcadrageDlg, the "cadrages" dialog: marker and line styles, the two vertical axis ranges,
// the axis of channel S and the five titles. In future mode it fills from and writes to the
// settings record; in current mode the graph window fills it and applies what it returns.
#pragma once

#include <QDialog>

#include "graph/framing.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace qtl {

class TcadrageDlg : public QDialog {
    Q_OBJECT
  public:
    explicit TcadrageDlg(QWidget* parent = nullptr);

    // What the controls show, and filling them.
    FramingValues values() const;
    void setValues(const FramingValues& values);

    QTabWidget* PageControl1;
    QCheckBox* cbpoints;
    QCheckBox* cblignes;
    QSpinBox* SpinEditpoint;
    QSpinBox* SpinEditligne;
    QCheckBox* cbtraitcontinu;
    QCheckBox* cbYPautomatique;
    QSpinBox* SpinEditYpmin;
    QSpinBox* spineditypmax;
    QCheckBox* cbYAautomatique;
    QSpinBox* SpinEditYAmin;
    QSpinBox* SpinEditYamax;
    QCheckBox* cbaxeS;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QLineEdit* Edit5;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;

    // Shows the dialog modally through the program's Interaction, after FormShow; returns
    // QDialog::Accepted or QDialog::Rejected.
    int ShowModal();

  public slots:
    void FormShow();
    void OKBtnClick();
    void CancelBtnClick();

  private:
    // The three pages of PageControl1, with their controls.
    QWidget* seriesPage();
    QWidget* axesPage();
    QWidget* titlesPage();
    void setCaption();
};

}  // namespace qtl
