#pragma once
// The main window: the working-directory field, the printer-line choice, the
// book of command tabs and the sent/received panel.

#include <QTimer>
#include <QWidget>
#include <memory>
#include <string>

#include "FieldRules.h"
#include "commands/PrinterLine.h"
#include "ui_tab01.h"
#include "ui_tab02.h"
#include "ui_tab03.h"
#include "ui_tab04.h"
#include "ui_tab05.h"
#include "ui_tab06.h"
#include "ui_tab07.h"
#include "ui_tab08.h"
#include "ui_tab09.h"
#include "ui_tab10.h"
#include "ui_tab11.h"
#include "ui_tab12.h"
#include "ui_tab13.h"
#include "ui_tab14.h"
#include "ui_tab15.h"
#include "ui_tab16.h"
#include "ui_tab17.h"
#include "ui_tab18.h"
#include "ui_tab19.h"
#include "ui_tab20.h"
#include "ui_tab21.h"
#include "ui_tab22.h"
#include "ui_tab23.h"
#include "ui_tab24.h"
#include "ui_tab25.h"
#include "ui_tab26.h"
#include "ui_tab27.h"
#include "ui_tab28.h"
#include "ui_tab29.h"
#include "ui_tab30.h"
#include "ui_tab31.h"
#include "ui_tab33.h"
#include "ui_tab34.h"
#include "ui_tab35.h"
#include "ui_tab36.h"
#include "ui_tab38.h"
#include "ui_tab39.h"
#include "ui_tab40.h"
#include "ui_tab41.h"
#include "ui_tab42.h"
#include "ui_tab43.h"
#include "ui_tab44.h"
#include "ui_tab45.h"
#include "ui_tab46.h"
#include "ui_tab47.h"
#include "ui_tab48.h"
#include "ui_tab49.h"
#include "ui_tab50.h"
#include "ui_tab51.h"
#include "ui_tab53.h"
#include "ui_tab54.h"
#include "ui_uPrincipal.h"

class QAbstractButton;
class QLineEdit;

namespace cuponex {
class Exchange;
}

using cuponex::PrinterLine;

class TfrmPrincipal : public QWidget {
    Q_OBJECT
  public:
    explicit TfrmPrincipal(QWidget* parent = nullptr);
    ~TfrmPrincipal() override;

    // Frames the command text, exchanges it with the link program and returns
    // the reply (or the timeout reply). Throws cuponex::ExchangeError.
    QString EnviaComando(const std::string& commandText);

    PrinterLine printerLine() const;

    // Text of a field as 8-bit command text.
    static std::string text(const QLineEdit* field);

    Ui::TfrmPrincipal ui;
    Ui::Tab01 t01;
    Ui::Tab02 t02;
    Ui::Tab03 t03;
    Ui::Tab04 t04;
    Ui::Tab05 t05;
    Ui::Tab06 t06;
    Ui::Tab07 t07;
    Ui::Tab08 t08;
    Ui::Tab09 t09;
    Ui::Tab10 t10;
    Ui::Tab11 t11;
    Ui::Tab12 t12;
    Ui::Tab13 t13;
    Ui::Tab14 t14;
    Ui::Tab15 t15;
    Ui::Tab16 t16;
    Ui::Tab17 t17;
    Ui::Tab18 t18;
    Ui::Tab19 t19;
    Ui::Tab20 t20;
    Ui::Tab21 t21;
    Ui::Tab22 t22;
    Ui::Tab23 t23;
    Ui::Tab24 t24;
    Ui::Tab25 t25;
    Ui::Tab26 t26;
    Ui::Tab27 t27;
    Ui::Tab28 t28;
    Ui::Tab29 t29;
    Ui::Tab30 t30;
    Ui::Tab31 t31;
    Ui::Tab33 t33;
    Ui::Tab34 t34;
    Ui::Tab35 t35;
    Ui::Tab36 t36;
    Ui::Tab38 t38;
    Ui::Tab39 t39;
    Ui::Tab40 t40;
    Ui::Tab41 t41;
    Ui::Tab42 t42;
    Ui::Tab43 t43;
    Ui::Tab44 t44;
    Ui::Tab45 t45;
    Ui::Tab46 t46;
    Ui::Tab47 t47;
    Ui::Tab48 t48;
    Ui::Tab49 t49;
    Ui::Tab50 t50;
    Ui::Tab51 t51;
    Ui::Tab53 t53;
    Ui::Tab54 t54;
    QTimer* Timer1;

  public slots:
    void FormCreate();
    void rgLinhaClick(QObject* Sender);
    void PageControl1Change(QObject* Sender);
    void Timer1Timer(QObject* Sender);
    void btnEnviaSemParametroClick(QObject* Sender);

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

    // Logo (.40)
    void BitBtn52Click(QObject* Sender);
    void BitBtn53Click(QObject* Sender);

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
    template <class Ui>
    void addPage(Ui& page, const char* caption);
    void setupLineTable();
    // Sets every control of the line table to its column for line 0, 1 or 2.
    void applyLine(int line);
    void setupParameterlessTabs();
    void setupSaleCouponTabs();
    void setupLogoTab();

    std::unique_ptr<cuponex::Exchange> exchange_;
    cuponex::FieldRules fieldRules_;
    struct LineRow;
    std::vector<LineRow> lineTable_;
};

// The application's single main window, once created.
extern TfrmPrincipal* frmPrincipal;
