#pragma once
// "Histórico": a window of its own, not modal, listing every exchange of the
// session in the table gridHistorico, newest last, kept current while it is
// open. Selected rows copy to the clipboard as tab-separated text; "Limpar"
// empties the history.

#include <QWidget>
#include <memory>

namespace Ui {
class TfrmHistorico;
}

namespace cuponex {
class ExchangeHistory;
}

class QTableView;

class TfrmHistorico : public QWidget {
    Q_OBJECT
  public:
    // The window shows history, which outlives it; parent is the main window.
    TfrmHistorico(cuponex::ExchangeHistory* history, QWidget* parent);
    ~TfrmHistorico() override;

    QTableView* grid() const;

  public slots:
    // Shows the window, or brings it to the front, with the newest row in view.
    void open();
    void btnCopiarClick();
    void btnLimparClick();

  private:
    void updateCopyButton();

    std::unique_ptr<Ui::TfrmHistorico> ui;
    cuponex::ExchangeHistory* history_;
    bool followNewest_ = true;  // the newest row was in view before an insertion
    bool placed_ = false;       // given its first position
};
