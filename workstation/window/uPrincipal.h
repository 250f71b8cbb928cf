#pragma once
// The main window: the working-directory field, the printer-line choice, the
// book of command tabs and the sent/received panel.
//
// Each tab's form is created by the file of its command group
// (commands/*Tabs.cpp, logo/LogoTab.cpp), which includes the generated form
// headers of its tabs and wires its buttons and fields; besides these only
// window/NumberFieldHandlers.cpp includes one (tab .01, whose description
// decides the unit price's pattern). This header only names the forms, so
// touching one form recompiles its group and at most those handlers, not the
// window.

#include <QTimer>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/PrinterLine.h"
#include "ui_uPrincipal.h"
#include "widgets/KeyAndExitRules.h"

class QAbstractButton;
class QLineEdit;

namespace Ui {
class Tab01;
class Tab02;
class Tab03;
class Tab04;
class Tab05;
class Tab06;
class Tab07;
class Tab08;
class Tab09;
class Tab10;
class Tab11;
class Tab12;
class Tab13;
class Tab14;
class Tab15;
class Tab16;
class Tab17;
class Tab18;
class Tab19;
class Tab20;
class Tab21;
class Tab22;
class Tab23;
class Tab24;
class Tab25;
class Tab26;
class Tab27;
class Tab28;
class Tab29;
class Tab30;
class Tab31;
class Tab33;
class Tab34;
class Tab35;
class Tab36;
class Tab38;
class Tab39;
class Tab40;
class Tab41;
class Tab42;
class Tab43;
class Tab44;
class Tab45;
class Tab46;
class Tab47;
class Tab48;
class Tab49;
class Tab50;
class Tab51;
class Tab53;
class Tab54;
}  // namespace Ui

namespace cuponex {
class Exchange;
class ExchangeHistory;
}  // namespace cuponex
class TfrmHistorico;

using cuponex::PrinterLine;

class TfrmPrincipal : public QWidget {
    Q_OBJECT
  public:
    explicit TfrmPrincipal(QWidget* parent = nullptr);
    ~TfrmPrincipal() override;

    // Frames the command text, exchanges it with the link program and returns
    // the reply (or the timeout reply). Throws cuponex::ExchangeError. Every
    // exchange, failed ones included, is added to the history first.
    QString EnviaComando(const std::string& commandText);

    // Every exchange of the session, oldest first.
    cuponex::ExchangeHistory* history() const { return history_; }
    // The history window once opened (it is then kept, hidden when closed).
    TfrmHistorico* frmHistorico() const { return frmHistorico_; }

    PrinterLine printerLine() const;

    // Text of a field as 8-bit command text.
    static std::string text(const QLineEdit* field);

    // Sends a command and shows the reply in edRecebido; nothing (a line with
    // no form of the command) sends nothing and leaves edRecebido alone.
    void send(const std::optional<std::string>& commandText);

    Ui::TfrmPrincipal ui;
    QTimer* Timer1;

    // The tab forms, set while the window is built.
    // Sale coupon (.01 to .12)
    Ui::Tab01* t01 = nullptr;
    Ui::Tab02* t02 = nullptr;
    Ui::Tab03* t03 = nullptr;
    Ui::Tab04* t04 = nullptr;
    Ui::Tab05* t05 = nullptr;
    Ui::Tab06* t06 = nullptr;
    Ui::Tab07* t07 = nullptr;
    Ui::Tab08* t08 = nullptr;
    Ui::Tab09* t09 = nullptr;
    Ui::Tab10* t10 = nullptr;
    Ui::Tab11* t11 = nullptr;
    Ui::Tab12* t12 = nullptr;

    // Readings and reports (.13 to .16, .18, .21 to .23, .25 to .29)
    Ui::Tab13* t13 = nullptr;
    Ui::Tab14* t14 = nullptr;
    Ui::Tab15* t15 = nullptr;
    Ui::Tab16* t16 = nullptr;
    Ui::Tab18* t18 = nullptr;
    Ui::Tab21* t21 = nullptr;
    Ui::Tab22* t22 = nullptr;
    Ui::Tab23* t23 = nullptr;
    Ui::Tab25* t25 = nullptr;
    Ui::Tab26* t26 = nullptr;
    Ui::Tab27* t27 = nullptr;
    Ui::Tab28* t28 = nullptr;
    Ui::Tab29* t29 = nullptr;

    // Customer identification and authentication (.17, .19, .20)
    Ui::Tab17* t17 = nullptr;
    Ui::Tab19* t19 = nullptr;
    Ui::Tab20* t20 = nullptr;

    // Cheque printing (.24)
    Ui::Tab24* t24 = nullptr;

    // Printer set-up (.30, .31, .33 to .36)
    Ui::Tab30* t30 = nullptr;
    Ui::Tab31* t31 = nullptr;
    Ui::Tab33* t33 = nullptr;
    Ui::Tab34* t34 = nullptr;
    Ui::Tab35* t35 = nullptr;
    Ui::Tab36* t36 = nullptr;

    // Legend and payment-mode tables (.38, .39, .47)
    Ui::Tab38* t38 = nullptr;
    Ui::Tab39* t39 = nullptr;
    Ui::Tab47* t47 = nullptr;

    // Logo (.40)
    Ui::Tab40* t40 = nullptr;

    // Cheque functions (.44 to .46, .48, .49, .51)
    Ui::Tab44* t44 = nullptr;
    Ui::Tab45* t45 = nullptr;
    Ui::Tab46* t46 = nullptr;
    Ui::Tab48* t48 = nullptr;
    Ui::Tab49* t49 = nullptr;
    Ui::Tab51* t51 = nullptr;

    // Printer options (.41 to .43, .50, .53, .54)
    Ui::Tab41* t41 = nullptr;
    Ui::Tab42* t42 = nullptr;
    Ui::Tab43* t43 = nullptr;
    Ui::Tab50* t50 = nullptr;
    Ui::Tab53* t53 = nullptr;
    Ui::Tab54* t54 = nullptr;

  public slots:
    void FormCreate();
    void rgLinhaClick(QObject* Sender);
    void PageControl1Change(QObject* Sender);
    void Timer1Timer(QObject* Sender);
    void btnEnviaSemParametroClick(QObject* Sender);
    // "Histórico" and Ctrl+H: opens the history window or brings it forward.
    void btnHistoricoClick(QObject* Sender);

    // Sale coupon (.01 to .12)
    void BitBtn1Click(QObject* Sender);
    void BitBtn8Click(QObject* Sender);
    void BitBtn9Click(QObject* Sender);
    void bitCancelaItemClick(QObject* Sender);
    void BitBtn60Click(QObject* Sender);
    void BitBtn12Click(QObject* Sender);
    void BitBtn13Click(QObject* Sender);
    void BitBtn14Click(QObject* Sender);
    void BitBtn15Click(QObject* Sender);
    void BitBtn16Click(QObject* Sender);
    void BitBtn17Click(QObject* Sender);
    void BitBtn54Click(QObject* Sender);
    void BitBtn55Click(QObject* Sender);
    void BitBtn56Click(QObject* Sender);
    void BitBtn18Click(QObject* Sender);

    // Readings and reports: .13, .14, .15, .16, .27, .28, .29
    void BitBtn6Click(QObject* Sender);
    void BitBtn7Click(QObject* Sender);
    void BitBtn19Click(QObject* Sender);
    void BitBtn20Click(QObject* Sender);
    void BitBtn5Click(QObject* Sender);
    void BitBtn4Click(QObject* Sender);
    void BitBtn26Click(QObject* Sender);

    // Customer identification and authentication: .17, .19, .20
    void BitBtn2Click(QObject* Sender);
    void BitBtn22Click(QObject* Sender);
    void cbSegTEFClick(QObject* Sender);
    void rgVersao4100Click(QObject* Sender);
    void BitBtn11Click(QObject* Sender);

    // Cheque printing: .24
    void BitBtn27Click(QObject* Sender);

    // Printer set-up: .30, .31, .33 (Aplicar, Limpar, Enviar), .34, .35, .36
    void BitBtn28Click(QObject* Sender);
    void BitBtn29Click(QObject* Sender);
    void BitBtn30Click(QObject* Sender);
    void BitBtn31Click(QObject* Sender);
    void BitBtn32Click(QObject* Sender);
    void BitBtn33Click(QObject* Sender);
    void cbSenhaClick(QObject* Sender);
    void BitBtn34Click(QObject* Sender);
    void BitBtn35Click(QObject* Sender);

    // Legend and payment-mode tables: .38 (Aplicar, Limpar, Enviar),
    // .39 (Aplicar, Limpar, Enviar and the two exclusive boxes), .47
    void BitBtn36Click(QObject* Sender);
    void BitBtn37Click(QObject* Sender);
    void BitBtn38Click(QObject* Sender);
    void BitBtn40Click(QObject* Sender);
    void BitBtn39Click(QObject* Sender);
    void BitBtn41Click(QObject* Sender);
    void cbCheqClick(QObject* Sender);
    void cbContraValeClick(QObject* Sender);
    void BitBtn48Click(QObject* Sender);
    void BitBtn49Click(QObject* Sender);
    void BitBtn50Click(QObject* Sender);

    // Logo (.40)
    void BitBtn52Click(QObject* Sender);
    void BitBtn53Click(QObject* Sender);

    // Cheque functions: .44, .45, .46, .48, .49, .51
    void BitBtn45Click(QObject* Sender);
    void BitBtn46Click(QObject* Sender);
    void BitBtn47Click(QObject* Sender);
    void BitBtn58Click(QObject* Sender);
    void BitBtn59Click(QObject* Sender);
    void BitBtn57Click(QObject* Sender);

    // Printer options: .41, .50, .54
    void BitBtn43Click(QObject* Sender);
    void BitBtn51Click(QObject* Sender);
    void BitBtn62Click(QObject* Sender);

    // Exit rules: each rewrites the field it is given.
    void edPrecoExit(QObject* Sender);
    void edQuantExit(QObject* Sender);
    void edDescItemValorExit(QObject* Sender);
    void edItemExit(QObject* Sender);
    void edCodModaExit(QObject* Sender);
    void edRedInExit(QObject* Sender);
    void edAtrib1Exit(QObject* Sender);
    void edDescItemTextoExit(QObject* Sender);
    void edDescSubTextExit(QObject* Sender);

  public:
    // Key filters: Key is the typed character; set to QChar() to drop it.
    void edPrecoKeyPress(QObject* Sender, QChar& Key);
    void edItemKeyPress(QObject* Sender, QChar& Key);

    using Handler = void (TfrmPrincipal::*)(QObject*);
    using KeyHandler = void (TfrmPrincipal::*)(QObject*, QChar&);

  protected:
    // Connects a button to its click handler through the error boundary.
    void onClick(QAbstractButton* button, Handler handler);
    // Gives a field its key filter and exit rule (either may be null).
    void rules(QLineEdit* field, KeyHandler key, Handler exit);

  private:
    // Builds the form of the tab captioned caption on that tab's page; the
    // window owns it.
    template <class Form>
    Form* makeForm(const char* caption);
    QWidget* page(const char* caption) const;

    // One per command group, each in the group's own file.
    void setupSaleCouponTabs();
    void setupReportTabs();
    void setupIdentificationTabs();
    void setupChequePrintingTab();
    void setupPrinterSetupTabs();
    void setupTableTabs();
    void setupLogoTab();
    void setupChequeTabs();
    void setupOptionTabs();

    void setupLineTable();
    // Sets every control of the line table to its column for line 0, 1 or 2.
    void applyLine(int line);

    std::unique_ptr<cuponex::Exchange> exchange_;
    cuponex::ExchangeHistory* history_ = nullptr;
    TfrmHistorico* frmHistorico_ = nullptr;
    cuponex::KeyAndExitRules keyAndExitRules_;
    std::vector<std::shared_ptr<void>> forms_;
    struct LineRow;
    std::vector<LineRow> lineTable_;
    QLineEdit* edDescrA_ = nullptr;
    QLineEdit* edNomeFormatoModa_ = nullptr;
    QLineEdit* edData_ = nullptr;
    QLineEdit* edHora_ = nullptr;
};

template <class Form>
Form* TfrmPrincipal::makeForm(const char* caption) {
    auto form = std::make_shared<Form>();
    form->setupUi(page(caption));
    forms_.push_back(form);
    return form.get();
}

// The application's single main window, once created.
extern TfrmPrincipal* frmPrincipal;
