#include "window/uPrincipal.h"

#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTime>

#include "commands/CommandTabs.h"
#include "commands/GoToCommand.h"
#include "commands/TableCommands.h"
#include "core/CommandFormat.h"
#include "core/Exchange.h"
#include "history/ExchangeHistory.h"
#include "history/uHistorico.h"
#include "widgets/ErrorDisplay.h"
#include "widgets/Latin1.h"
#include "widgets/LengthLimit.h"
#include "widgets/RadioGroup.h"

TfrmPrincipal* frmPrincipal = nullptr;

using cuponex::fromLatin1;
using cuponex::latin1;

namespace {

// The tabs in their order on screen: the command codes with a leading point.
const char* const kTabCaptions[] = {
    ".01", ".02", ".03", ".04", ".05", ".06", ".07", ".08", ".09", ".10", ".11", ".12", ".13",
    ".14", ".15", ".16", ".17", ".18", ".19", ".20", ".21", ".22", ".23", ".24", ".25", ".26",
    ".27", ".28", ".29", ".30", ".31", ".33", ".34", ".35", ".36", ".38", ".39", ".40", ".41",
    ".42", ".43", ".44", ".45", ".46", ".47", ".48", ".49", ".50", ".51", ".53", ".54"};

// The controls whose visibility follows the printer line: 4100, 6100, RX.
struct LineEntry {
    const char* name;
    bool shown[3];
};
const LineEntry kLineTable[] = {
    {"Label104", {true, false, false}},
    {"Label15", {false, true, true}},
    {"Label105", {true, false, false}},
    {"Label17", {false, true, true}},
    {"Label119", {true, false, false}},
    {"Panel5", {false, true, true}},
    {"edTituloGerencial", {false, false, true}},
    {"Label122", {false, false, true}},
    {"cbRZ", {true, true, false}},
    {"edData", {false, false, true}},
    {"Label124", {false, false, true}},
    {"edHora", {false, false, true}},
    {"Label125", {false, false, true}},
    {"rgVersao4100", {true, false, false}},
    {"edParcelas", {false, true, true}},
    {"Label120", {false, true, true}},
    {"cbSegTEF", {false, true, true}},
    {"edAlfa", {false, true, true}},
    {"Label106", {false, true, true}},
    {"Label14", {true, false, false}},
    {"rgTipo28", {false, true, true}},
    {"Label107", {true, false, false}},
    {"rgLimpaTabCheq", {false, true, true}},
    {"Label108", {true, false, false}},
    {"rgLeituraCmc7", {false, true, true}},
    {"Label115", {true, false, false}},
    {"Panel4", {false, true, true}},
    {"Label121", {true, true, false}},
    {"Label126", {false, false, true}},
    {"BitBtn61", {false, false, true}},
    {"Label123", {true, true, false}},
    {"gbTipoIsento", {false, false, true}},
    {"BitBtn62", {false, false, true}},
};

// What follows the printer line besides visibility: 4100, 6100, RX.
constexpr int kDescrALimit[] = {42, 42, 233};     // characters of an item's additional description
constexpr int kPaymentModeRows[] = {10, 10, 20};  // rows of the payment-mode table

// The 51 tab buttons in three rows.
constexpr int kTabStripColumns = 17;

// A control the window cannot do without; its absence is a fault of the forms.
template <class Widget>
Widget* required(const QWidget* window, const char* name) {
    auto* widget = window->findChild<Widget*>(QString::fromLatin1(name));
    if (!widget) qFatal("the window has no control named %s", name);
    return widget;
}

}  // namespace

// One control of the printer-line table: shown on each line or not.
struct TfrmPrincipal::LineRow {
    QWidget* control;
    const bool* shown;  // 4100, 6100, RX
};

TfrmPrincipal::TfrmPrincipal(QWidget* parent) : QWidget(parent), keyAndExitRules_(this) {
    ui.setupUi(this);
    frmPrincipal = this;
    for (const char* caption : kTabCaptions)
        ui.PageControl1->addTab(new QWidget, QString::fromLatin1(caption));
    cuponex::nameTabs(ui.PageControl1);  // before the strip, which shows the tool tips
    ui.PageControl1Tabs->attach(ui.PageControl1, kTabStripColumns);

    QFont exchangeFont(QStringLiteral("Helvetica"));
    exchangeFont.setPixelSize(11);
    ui.edEnviado->setFont(exchangeFont);
    ui.edRecebido->setFont(exchangeFont);
    ui.edCaminho->setText(QFile::decodeName(cuponex::kDefaultWorkingDirectory));
    ui.edCaminho->setVisible(false);  // shown by FormCreate

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(Timer1); });

    exchange_ = std::make_unique<cuponex::Exchange>([this] {
        cuponex::messageBoxes().information(
            this, QStringLiteral("Erro ao mudar os direitos do arquivo de resposta"));
    });

    history_ = new cuponex::ExchangeHistory(this);
    onClick(ui.btnHistorico, &TfrmPrincipal::btnHistoricoClick);
    auto* historyKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_H), this);
    connect(historyKey, &QShortcut::activated, this,
            [this] { cuponex::runGuarded(this, [this] { btnHistoricoClick(ui.btnHistorico); }); });
    auto* goToKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_G), this);
    connect(goToKey, &QShortcut::activated, this, [this] {
        cuponex::runGuarded(this, [this] { cuponex::goToCommand(ui.PageControl1, this); });
    });

    for (auto* item : ui.rgLinha->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly))
        connect(item, &QAbstractButton::clicked, this, [this] { rgLinhaClick(ui.rgLinha); });

    setupSaleCouponTabs();
    setupReportTabs();
    setupIdentificationTabs();
    setupChequePrintingTab();
    setupPrinterSetupTabs();
    setupTableTabs();
    setupLogoTab();
    setupChequeTabs();
    setupOptionTabs();
    setupLineTable();
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

QWidget* TfrmPrincipal::page(const char* caption) const {
    for (int i = 0; i < ui.PageControl1->count(); ++i)
        if (ui.PageControl1->tabText(i) == QLatin1String(caption))
            return ui.PageControl1->widget(i);
    qFatal("the window has no tab %s", caption);
}

void TfrmPrincipal::setupLineTable() {
    for (const LineEntry& entry : kLineTable)
        lineTable_.push_back({required<QWidget>(this, entry.name), entry.shown});
    edDescrA_ = required<QLineEdit>(this, "edDescrA");
    edNomeFormatoModa_ = required<QLineEdit>(this, "edNomeFormatoModa");
    edData_ = required<QLineEdit>(this, "edData");
    edHora_ = required<QLineEdit>(this, "edHora");
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

// A lowered limit never cuts what the field already holds (an edit would drop
// the excess silently: rows of a table, the end of a description).
void TfrmPrincipal::applyLine(int line) {
    for (const LineRow& row : lineTable_) row.control->setVisible(row.shown[line]);
    cuponex::setOwnLimit(edDescrA_, kDescrALimit[line]);
    cuponex::setOwnLimit(edNomeFormatoModa_, kPaymentModeRows[line] * cuponex::kPaymentModeRowSize);
}

// Switches the clock on; a clock already running keeps its rhythm (starting it
// again would push its next tick back on every change of tab).
void TfrmPrincipal::PageControl1Change(QObject*) {
    if (!Timer1->isActive()) Timer1->start();
}

void TfrmPrincipal::Timer1Timer(QObject*) {
    const QDate date = QDate::currentDate();
    const QTime time = QTime::currentTime();
    edData_->setText(
        QString::asprintf("%02d%02d%02d", date.day(), date.month(), date.year() % 100));
    edHora_->setText(QString::asprintf("%02d%02d%02d", time.hour(), time.minute(), time.second()));
}

namespace {

cuponex::ExchangeOutcome outcomeOf(cuponex::Exchange::Outcome outcome) {
    switch (outcome) {
        case cuponex::Exchange::Outcome::TimedOut:
            return cuponex::ExchangeOutcome::Timeout;
        case cuponex::Exchange::Outcome::NotTaken:
            return cuponex::ExchangeOutcome::NotTaken;
        case cuponex::Exchange::Outcome::Reply:
            break;
    }
    return cuponex::ExchangeOutcome::Reply;
}

}  // namespace

QString TfrmPrincipal::EnviaComando(const std::string& commandText) {
    const std::string frame = cuponex::Exchange::frame(commandText);
    ui.edEnviado->setText(fromLatin1(frame));

    cuponex::ExchangeRecord record;
    record.time = latin1(QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz")));
    record.frame = frame;
    QElapsedTimer clock;
    clock.start();
    try {
        // The field is a plain prefix of the file names, in the file system's bytes.
        record.reply = exchange_->run(QFile::encodeName(ui.edCaminho->text()).toStdString(), frame);
        record.outcome = outcomeOf(exchange_->outcome());
    } catch (const cuponex::ExchangeError& error) {
        record.reply = error.what();
        record.outcome = cuponex::ExchangeOutcome::IoError;
        record.microseconds = clock.nsecsElapsed() / 1000;
        history_->append(record);
        throw;
    }
    record.microseconds = clock.nsecsElapsed() / 1000;
    history_->append(record);
    return fromLatin1(record.reply);
}

void TfrmPrincipal::send(const std::optional<std::string>& commandText) {
    if (commandText) ui.edRecebido->setText(EnviaComando(*commandText));
}

void TfrmPrincipal::btnEnviaSemParametroClick(QObject* Sender) {
    const int code = Sender->property("Tag").toInt();
    send(cuponex::formatPattern("%.2d", {code}));
}

void TfrmPrincipal::btnHistoricoClick(QObject*) {
    if (!frmHistorico_) {
        frmHistorico_ = new TfrmHistorico(
            history_, [this](const std::string& commandText) { send(commandText); }, this);
    }
    frmHistorico_->open();
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
    cuponex::KeyAndExitRules::KeyFilter keyFilter;
    cuponex::KeyAndExitRules::ExitRule exitRule;
    if (key) keyFilter = [this, key](QLineEdit* f, QChar& k) { (this->*key)(f, k); };
    if (exit) exitRule = [this, exit](QLineEdit* f) { (this->*exit)(f); };
    keyAndExitRules_.attach(field, std::move(keyFilter), std::move(exitRule));
}
