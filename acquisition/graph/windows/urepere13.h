// Trepere, the graph window: holds the points of one experiment in its model and its
// acquisition state, draws them in its chart, and carries the menus of files, export,
// processing, views and acquisition, built from its command table (graph_commands.cpp).
// It reads the settings record once, when it is created.
#pragma once

#include <QMainWindow>
#include <string_view>
#include <vector>

#include "graph/acquisition_host.h"
#include "graph/acquisition_state.h"
#include "graph/graph_model.h"
#include "graph/graph_setup.h"
#include "graph/graph_views.h"

class QAction;
class QCloseEvent;
class QMenu;
class QTimer;

namespace qtl {

class Chart;

class Trepere : public QMainWindow, public AcquisitionHost {
    Q_OBJECT
  public:
    // Runs FormCreate with the current settings record; the window stays hidden.
    explicit Trepere(QWidget* parent = nullptr);
    ~Trepere() override;

    GraphModel& model() { return model_; }
    const GraphModel& model() const { return model_; }
    AcquisitionState& acquisition() { return acquisition_; }
    const AcquisitionState& acquisition() const { return acquisition_; }

    // AcquisitionHost: the two timers and a redraw.
    void startTimedTimer() override;
    void stopTimedTimer() override;
    bool timedTimerActive() const override;
    void startBurstTimer() override;
    void stopBurstTimer() override;
    bool burstTimerActive() const override;
    void redraw() override;
    void beep() override;

    // The action of the command table's entry with this object name, or nullptr.
    QAction* command(std::string_view objectName) const;

    // A new window from the current settings for derived points: both timers stopped, "Stop"
    // and "Nouveau Point" disabled, not shown yet. Owned by the program's window list.
    static Trepere* createDerivedWindow();

    Chart* Chart1;
    QTimer* Timerajoutepoint;  // timed acquisition
    QTimer* Timercontinu;      // burst acquisition, every 1000 ms

    QMenu* Fichier1;
    QAction* lirefichier1;
    QAction* imprimer1;
    QAction* sauvebmp;
    QAction* sauvegrapheWMF;
    QAction* N1;
    QAction* sauvegarder1;
    QAction* sauvavecdtails1;
    QAction* exportersanstitres1;
    QAction* sauvegardervirgule;
    QAction* N2;
    QAction* fermer1;
    QMenu* Editer1;
    QAction* copierpoint;
    QAction* copiervirgule;
    QAction* enjolivercadrages1;
    QMenu* Exploiter1;
    QAction* statistiques1;
    QAction* transformerPfPAST1;
    QAction* lissageP1;
    QAction* driverPX1;
    QAction* IntgrerPX1;
    QMenu* Engendrer1;
    QAction* TelQuel1;
    QAction* derivePX;
    QAction* integerationPX;
    QAction* PfX1;
    QAction* PfA1;
    QAction* PfS1;
    QAction* AfX1;
    QAction* AfS1;
    QAction* SfX1;
    QAction* FerquenceFFTP1;
    QMenu* Mesures1;
    QAction* Stop1;
    QAction* NouveauPoint1;

  public slots:
    void fermer1Click();
    void Stop1Click();
    void enjolivercadrages1Click();
    // Applies the enabling rules of the command table.
    void MainMenu1Change();
    void Fichier1Click();
    // Each view opens and returns a new window; the source window is unchanged.
    Trepere* TelQuel1Click();
    Trepere* PfX1Click();
    Trepere* AfX1Click();
    Trepere* SfX1Click();
    Trepere* PfA1Click();
    Trepere* PfS1Click();
    Trepere* AfS1Click();
    // Timer events: one timed step, one burst (the acquisition engine).
    void TimerajoutepointTimer();
    void TimercontinuTimer();

  protected:
    // FormClose: stops both timers and hides the window.
    void closeEvent(QCloseEvent* event) override;

  private:
    void FormCreate();
    void buildMenu();
    Trepere* openView(GraphView view);

    GraphModel model_;
    AcquisitionState acquisition_;
    std::vector<QAction*> commands_;  // in the order of the command table
};

}  // namespace qtl
