// TAboutBox, the "A propos" box: icon, program name, version and what the program does.
#pragma once

#include <QDialog>

class QPushButton;

namespace qtl {

class TAboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QPushButton* OKButton;

  protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace qtl
