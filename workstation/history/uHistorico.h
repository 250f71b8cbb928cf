#pragma once
// "Histórico": a window of its own, not modal, listing every exchange of the
// session in the table gridHistorico, newest last, kept current while it is
// open. Selected rows copy to the clipboard as tab-separated text, or are
// sent again ("Reenviar"); "Salvar…" writes every row as a scenario file; a
// free command line sends any command text, and Up and Down there bring back
// the lines it sent; "Limpar" empties the history. "Executar roteiro…" runs
// a scenario file, each exchange a new row judged as `--replay` judges it.
// A run and a "Reenviar" send one exchange per turn of the event loop, so the
// window stays alive between exchanges and "Parar" (Esc) stops them.

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "history/RunTexts.h"
#include "scenario/Replay.h"
#include "scenario/Scenario.h"

namespace Ui {
class TfrmHistorico;
}

namespace cuponex {
class CommandLineKeys;
class ExchangeHistory;
class StepSequence;
}  // namespace cuponex

class QTableView;

class TfrmHistorico : public QWidget {
    Q_OBJECT
  public:
    // Sends one command text as a tab would (the reply shown, a new row).
    using Send = std::function<void(const std::string& commandText)>;
    // Asks for the name of the file to save to; empty when cancelled. Tests
    // replace it.
    using AskFileName = std::function<QString(QWidget* parent)>;
    static AskFileName& askFileName();
    // Asks for the scenario to run; empty when cancelled. Tests replace it.
    static AskFileName& askScenarioName();

    // The window shows history, which outlives it; parent is the main window.
    TfrmHistorico(cuponex::ExchangeHistory* history, Send send, QWidget* parent);
    ~TfrmHistorico() override;

    QTableView* grid() const;

  public slots:
    // Shows the window, or brings it to the front, with the newest row in view.
    void open();
    void btnCopiarClick();
    void btnLimparClick();
    void btnReenviarClick();
    void btnSalvarClick();
    void btnEnviarLivreClick();
    void btnExecutarClick();
    void btnPararClick();

  private:
    // How one exchange of a run ended: the row it added and the reply as the
    // replay sees it.
    struct Sent {
        int row = -1;  // -1: none was added
        cuponex::ExchangeReply reply;
    };
    Sent sendOne(const std::string& command);
    bool runScenarioStep();
    bool resendStep();
    // Shows, once, why an exchange stopped a run; false when it did not.
    bool stoppedBy(const Sent& sent, const QString& where);
    void runFinished(bool stopped);
    void updateSelectionButtons();

    std::unique_ptr<Ui::TfrmHistorico> ui;
    cuponex::ExchangeHistory* history_;
    Send send_;
    cuponex::CommandLineKeys* freeLineKeys_ = nullptr;  // Up and Down on the free line
    bool followNewest_ = true;  // the newest row was in view before an insertion
    bool placed_ = false;       // given its first position

    cuponex::StepSequence* sequence_ = nullptr;  // the scenario or "Reenviar" running
    // The scenario run, or the commands "Reenviar" sends again.
    std::vector<cuponex::ScenarioStep> steps_;
    std::size_t next_ = 0;  // the step to send next
    bool resending_ = false;
    cuponex::RunCounts counts_;
};
