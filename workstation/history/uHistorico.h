#pragma once
// "Histórico": a window of its own, not modal, listing every exchange of the
// session in the table gridHistorico, newest last, kept current while it is
// open. Selected rows copy to the clipboard as tab-separated text, or are
// sent again ("Reenviar"); "Salvar…" writes every row as a scenario file; a
// free command line sends any command text, and Up and Down there bring back
// the lines it sent; "Limpar" empties the history.

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

namespace Ui {
class TfrmHistorico;
}

namespace cuponex {
class CommandLineKeys;
class ExchangeHistory;
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

  private:
    void updateSelectionButtons();

    std::unique_ptr<Ui::TfrmHistorico> ui;
    cuponex::ExchangeHistory* history_;
    Send send_;
    cuponex::CommandLineKeys* freeLineKeys_ = nullptr;  // Up and Down on the free line
    bool followNewest_ = true;  // the newest row was in view before an insertion
    bool placed_ = false;       // given its first position
};
