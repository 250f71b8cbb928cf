#include "uPrincipal.h"

#include <QDate>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QTime>

#include "ErrorDisplay.h"
#include "Exchange.h"
#include "Latin1.h"
#include "RadioGroup.h"
#include "commands/CommandFormat.h"

TfrmPrincipal* frmPrincipal = nullptr;

using cuponex::fromLatin1;
using cuponex::latin1;

// One control of the printer-line table: shown on each line or not.
struct TfrmPrincipal::LineRow {
    QWidget* control;
    bool shown[3];  // 4100, 6100, RX
};

TfrmPrincipal::TfrmPrincipal(QWidget* parent) : QWidget(parent), fieldRules_(this) {
    ui.setupUi(this);
    frmPrincipal = this;
    addPage(t01, ".01");
    addPage(t02, ".02");
    addPage(t03, ".03");
    addPage(t04, ".04");
    addPage(t05, ".05");
    addPage(t06, ".06");
    addPage(t07, ".07");
    addPage(t08, ".08");
    addPage(t09, ".09");
    addPage(t10, ".10");
    addPage(t11, ".11");
    addPage(t12, ".12");
    addPage(t13, ".13");
    addPage(t14, ".14");
    addPage(t15, ".15");
    addPage(t16, ".16");
    addPage(t17, ".17");
    addPage(t18, ".18");
    addPage(t19, ".19");
    addPage(t20, ".20");
    addPage(t21, ".21");
    addPage(t22, ".22");
    addPage(t23, ".23");
    addPage(t24, ".24");
    addPage(t25, ".25");
    addPage(t26, ".26");
    addPage(t27, ".27");
    addPage(t28, ".28");
    addPage(t29, ".29");
    addPage(t30, ".30");
    addPage(t31, ".31");
    addPage(t33, ".33");
    addPage(t34, ".34");
    addPage(t35, ".35");
    addPage(t36, ".36");
    addPage(t38, ".38");
    addPage(t39, ".39");
    addPage(t40, ".40");
    addPage(t41, ".41");
    addPage(t42, ".42");
    addPage(t43, ".43");
    addPage(t44, ".44");
    addPage(t45, ".45");
    addPage(t46, ".46");
    addPage(t47, ".47");
    addPage(t48, ".48");
    addPage(t49, ".49");
    addPage(t50, ".50");
    addPage(t51, ".51");
    addPage(t53, ".53");
    addPage(t54, ".54");
    ui.PageControl1Tabs->attach(ui.PageControl1, 17);

    QFont exchangeFont(QStringLiteral("Helvetica"));
    exchangeFont.setPixelSize(11);
    ui.edEnviado->setFont(exchangeFont);
    ui.edRecebido->setFont(exchangeFont);
    ui.edCaminho->setVisible(false);  // shown by FormCreate

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(Timer1); });

    exchange_ = std::make_unique<cuponex::Exchange>(
        [this] { return ui.edCaminho->text(); },
        [this] {
            cuponex::messageBoxes().information(
                this, QStringLiteral("Erro ao mudar os direitos do arquivo de resposta"));
        });

    for (auto* item : ui.rgLinha->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly))
        connect(item, &QAbstractButton::clicked, this, [this] { rgLinhaClick(ui.rgLinha); });

    setupLineTable();
    setupParameterlessTabs();
    setupSaleCouponTabs();
    setupLogoTab();
    FormCreate();
    connect(ui.PageControl1, &QTabWidget::currentChanged, this,
            [this] { PageControl1Change(ui.PageControl1); });

    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                    QGuiApplication::primaryScreen()->availableGeometry()));
    ui.edRecebido->setFocus();
}

TfrmPrincipal::~TfrmPrincipal() {
    if (frmPrincipal == this) frmPrincipal = nullptr;
}

template <class Ui>
void TfrmPrincipal::addPage(Ui& page, const char* caption) {
    auto* sheet = new QWidget;
    page.setupUi(sheet);
    ui.PageControl1->addTab(sheet, QString::fromLatin1(caption));
}

void TfrmPrincipal::setupLineTable() {
    lineTable_ = {
        {t02.Label104, {true, false, false}},
        {t02.Label15, {false, true, true}},
        {t03.Label105, {true, false, false}},
        {t03.Label17, {false, true, true}},
        {t06.Label119, {true, false, false}},
        {t06.Panel5, {false, true, true}},
        {t13.edTituloGerencial, {false, false, true}},
        {t13.Label122, {false, false, true}},
        {t14.cbRZ, {true, true, false}},
        {t14.edData, {false, false, true}},
        {t14.Label124, {false, false, true}},
        {t14.edHora, {false, false, true}},
        {t14.Label125, {false, false, true}},
        {t19.rgVersao4100, {true, false, false}},
        {t19.edParcelas, {false, true, true}},
        {t19.Label120, {false, true, true}},
        {t19.cbSegTEF, {false, true, true}},
        {t20.edAlfa, {false, true, true}},
        {t20.Label106, {false, true, true}},
        {t28.Label14, {true, false, false}},
        {t28.rgTipo28, {false, true, true}},
        {t48.Label107, {true, false, false}},
        {t48.rgLimpaTabCheq, {false, true, true}},
        {t49.Label108, {true, false, false}},
        {t49.rgLeituraCmc7, {false, true, true}},
        {t51.Label115, {true, false, false}},
        {t51.Panel4, {false, true, true}},
        {t53.Label121, {true, true, false}},
        {t53.Label126, {false, false, true}},
        {t53.BitBtn61, {false, false, true}},
        {t54.Label123, {true, true, false}},
        {t54.gbTipoIsento, {false, false, true}},
        {t54.BitBtn62, {false, false, true}},
    };
}

void TfrmPrincipal::setupParameterlessTabs() {
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{
             t05.btnEnviaSemParametro, t18.BitBtn21, t21.BitBtn10, t22.BitBtn23, t23.BitBtn3,
             t25.BitBtn24, t26.BitBtn25, t42.BitBtn42, t43.BitBtn44, t53.BitBtn61})
        onClick(button, &TfrmPrincipal::btnEnviaSemParametroClick);
}

// The window starts in the state of line 4100: the line table's first column.
void TfrmPrincipal::FormCreate() {
    applyLine(0);
    if (auto* senha = findChild<QWidget*>(QStringLiteral("edSenha"))) senha->hide();
    ui.edCaminho->show();
    ui.PageControl1->setCurrentIndex(0);
}

PrinterLine TfrmPrincipal::printerLine() const {
    return static_cast<PrinterLine>(cuponex::radioItemIndex(ui.rgLinha));
}

void TfrmPrincipal::rgLinhaClick(QObject*) {
    const int line = static_cast<int>(printerLine());
    if (line >= 0 && line <= 2) applyLine(line);
}

void TfrmPrincipal::applyLine(int line) {
    for (const LineRow& row : lineTable_) row.control->setVisible(row.shown[line]);
    t01.edDescrA->setMaxLength(line == 2 ? 233 : 42);
    t39.edNomeFormatoModa->setMaxLength(line == 2 ? 320 : 160);
}

void TfrmPrincipal::PageControl1Change(QObject*) {
    Timer1->start();
}

void TfrmPrincipal::Timer1Timer(QObject*) {
    const QDate date = QDate::currentDate();
    const QTime time = QTime::currentTime();
    t14.edData->setText(
        QString::asprintf("%02d%02d%02d", date.day(), date.month(), date.year() % 100));
    t14.edHora->setText(
        QString::asprintf("%02d%02d%02d", time.hour(), time.minute(), time.second()));
}

QString TfrmPrincipal::EnviaComando(const std::string& commandText) {
    const std::string frame = cuponex::Exchange::frame(commandText);
    ui.edEnviado->setText(fromLatin1(frame));
    return fromLatin1(exchange_->run(frame));
}

void TfrmPrincipal::btnEnviaSemParametroClick(QObject* Sender) {
    const int code = Sender->property("Tag").toInt();
    ui.edRecebido->setText(EnviaComando(cuponex::formatPattern("%.2d", {code})));
}

std::string TfrmPrincipal::text(const QLineEdit* field) {
    return latin1(field->text());
}

void TfrmPrincipal::onClick(QAbstractButton* button, Handler handler) {
    connect(button, &QAbstractButton::clicked, this, [this, button, handler] {
        cuponex::runGuarded(this, [&] { (this->*handler)(button); });
    });
}

void TfrmPrincipal::rules(QLineEdit* field, KeyHandler key, Handler exit) {
    cuponex::FieldRules::KeyFilter keyFilter;
    cuponex::FieldRules::ExitRule exitRule;
    if (key) keyFilter = [this, key](QLineEdit* f, QChar& k) { (this->*key)(f, k); };
    if (exit) exitRule = [this, exit](QLineEdit* f) { (this->*exit)(f); };
    fieldRules_.attach(field, std::move(keyFilter), std::move(exitRule));
}
