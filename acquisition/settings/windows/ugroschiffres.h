// Tfgroschiffres, the big digits window: the three channel texts of the live readout in
// very large red, green and blue digits. Closing it only hides it.
#pragma once

#include <QWidget>

class QLabel;

namespace qtl {

class Tfgroschiffres : public QWidget {
    Q_OBJECT
  public:
    explicit Tfgroschiffres(QWidget* parent = nullptr);

    void showTexts(const QString& p, const QString& a, const QString& s);

    QLabel* labelp;
    QLabel* labelA;
    QLabel* LabelS;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void FormResize();
};

}  // namespace qtl
