// TFsortieslogiques, the "Sorties logiques" dialog: chooses a logic output driver, lists the
// outputs it names with a check mark each, and sets every listed output on OK. Its list and
// driver live in the outputs state; it keeps only the name its file dialog holds.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace qtl {

class TFsortieslogiques : public QDialog {
    Q_OBJECT
  public:
    explicit TFsortieslogiques(QWidget* parent = nullptr);

    // Shows the outputs state again (called whenever the dialog is shown).
    void refresh();
    // What "Choix pilote" does once the file dialog holds `fileName`.
    void loadDriver(const QString& fileName);

    QLabel* Label1;
    QPushButton* Choixpilote;
    QListWidget* CheckListBox1;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;

  public slots:
    void ChoixpiloteClick();
    void OKBtnClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void CheckListBox1Changed(QListWidgetItem* item);

    QString dialouvrepilFileName_;  // what the file dialog holds: the last name chosen
    bool refreshing_ = false;
};

}  // namespace qtl
