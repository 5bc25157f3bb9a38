// TMainForm, the main window: a 450 x 80 banner that carries the program's menu and, in its
// caption, the live values of the three channels. Its menus and tool bar come from its
// command table (main_commands.cpp); entries whose windows do not exist yet do nothing.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <string_view>
#include <vector>

class QAction;
class QMdiArea;
class QMenu;
class QTimer;
class QToolBar;

namespace qtl {

class Tfdmatp;

class TMainForm : public QMainWindow {
    Q_OBJECT
  public:
    explicit TMainForm(QWidget* parent = nullptr);

    // Fichier
    QMenu* Fichier1;
    QAction* Ouvrir1;
    QAction* Quitter1;
    // Fenêtre (hidden)
    QMenu* Fentre1;
    QAction* Cascade1;
    QAction* Mosaquehorizontale1;
    QAction* Mosaqueverticale1;
    QAction* Toutrduire1;
    QAction* Toutrorganiser1;
    // Réglages
    QMenu* Rglages1;
    QAction* temps1;
    QAction* matrielvoieP1;
    QAction* matrielvoieAux1;
    QAction* MatrielvoieSupp1;
    QAction* cadrages1;
    QAction* sortieslogiques1;
    QAction* sortiesanalogiquesfixes1;
    QAction* sortiesanalogiquesvariables1;
    QAction* seuilsdedclenchementautomatique1;
    // Acquisition
    QMenu* Acquisition1;
    QAction* mesuresftemps1;
    QAction* ouvrefentre1;
    QAction* prestissimo1;
    QAction* pointparpoint1;
    QAction* dclenchementautomatique1;
    // Options
    QMenu* Options1;
    QAction* fichiermmo1;
    QAction* sauverlesrglages1;
    QAction* liredesrglages1;
    QAction* groschiffres1;
    // Aide
    QMenu* Aide1;
    QAction* Apropos1;
    QAction* Modedemploi1;
    // Reached by its shortcut only.
    QAction* Nouveau1;

    QToolBar* ToolBar1;
    QMdiArea* ClientArea;
    QTimer* timeractuel;

    // True once a channel dialog has been used: the banner then stays above other windows.
    bool alwaysOnTop() const;

    // The action of the command table's entry with this object name, or nullptr.
    QAction* command(std::string_view objectName) const;

  signals:
    // The main window was closed: the program ends.
    void FormClose();

  public slots:
    void Ouvrir1Click();
    void Quitter1Click();
    void Cascade1Click();
    void Mosaquehorizontale1Click();
    void Mosaqueverticale1Click();
    void Toutrduire1Click();
    void Toutrorganiser1Click();
    void temps1Click();
    void matrielvoieP1Click();
    void matrielvoieAux1Click();
    void MatrielvoieSupp1Click();
    void cadrages1Click();
    void mesuresftemps1Click();
    void ouvrefentre1Click();
    void prestissimo1Click();
    void pointparpoint1Click();
    void fichiermmo1Click();
    void groschiffres1Click();
    void Apropos1Click();
    void Nouveau1Click();
    void timeractuelTimer();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();
    // Applies the enabling rules of the command table (at every readout tick).
    void applyEnablingRules();
    // The channel dialog for the letter, between the two window-state changes it needs.
    void channelDialog(char letter);
    // A new channel dialog for currentChannel, shown modally.
    void showChannelDialog();
    void setAlwaysOnTop(bool on);

    std::vector<QAction*> commands_;   // in the order of the command table
    QPointer<Tfdmatp> channelDialog_;  // the last one, kept until the next one is made
};

}  // namespace qtl
