#include "history/uHistorico.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>
#include <optional>

#include "core/Exchange.h"
#include "core/SafeFile.h"
#include "history/CommandLineKeys.h"
#include "history/ExchangeHistory.h"
#include "history/FreeLineText.h"
#include "history/ScenarioComparison.h"
#include "history/ScenarioMessages.h"
#include "history/StepSequence.h"
#include "scenario/Scenario.h"
#include "ui_uHistorico.h"
#include "widgets/ErrorDisplay.h"
#include "widgets/Latin1.h"

using cuponex::ExchangeLog;
using cuponex::ExchangeReply;

namespace {

// Why a run stops at a request no link took.
const QString kNotTakenReason = QStringLiteral(
    "nenhum eqlink retirou o pedido do diretório de trabalho; ele foi desfeito e não chega à "
    "impressora. Verifique se o eqlink está em execução");

// A shortcut of the whole window that clicks a button (nothing while the
// button is disabled).
void clickOn(QWidget* window, const QKeySequence& key, QAbstractButton* button) {
    auto* action = new QAction(window);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    window->addAction(action);
    QObject::connect(action, &QAction::triggered, button, &QAbstractButton::click);
}

ExchangeReply::Outcome replyOutcome(cuponex::ExchangeOutcome outcome) {
    switch (outcome) {
        case cuponex::ExchangeOutcome::Reply:
            return ExchangeReply::Outcome::Reply;
        case cuponex::ExchangeOutcome::Timeout:
            return ExchangeReply::Outcome::TimedOut;
        case cuponex::ExchangeOutcome::NotTaken:
            return ExchangeReply::Outcome::NotTaken;
        case cuponex::ExchangeOutcome::IoError:
            break;
    }
    return ExchangeReply::Outcome::Failed;
}

QString codeOf(const std::string& command) {
    return cuponex::fromLatin1(cuponex::readableBytes(command.substr(0, 2)));
}

}  // namespace

TfrmHistorico::AskFileName& TfrmHistorico::askFileName() {
    static AskFileName ask = [](QWidget* parent) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Salvar roteiro"), QString(),
                                            QStringLiteral("Roteiros (*.txt);;Todos (*)"));
    };
    return ask;
}

TfrmHistorico::AskFileName& TfrmHistorico::askScenarioName() {
    static AskFileName ask = [](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Executar roteiro"), QString(),
                                            QStringLiteral("Roteiros (*.txt);;Todos (*)"));
    };
    return ask;
}

TfrmHistorico::TfrmHistorico(cuponex::ExchangeHistory* history, Send send, QWidget* parent)
    : QWidget(parent, Qt::Window),
      ui(std::make_unique<Ui::TfrmHistorico>()),
      history_(history),
      send_(std::move(send)) {
    ui->setupUi(this);
    QTableView* grid = ui->gridHistorico;
    grid->setModel(history_);

    // Row heights and column widths never depend on the contents, so a long
    // history costs nothing to lay out.
    const int lineHeight = grid->fontMetrics().height() + 4;
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(lineHeight);
    grid->verticalHeader()->hide();
    QHeaderView* header = grid->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStretchLastSection(false);
    const auto textWidth = [grid](const char* sample) {
        return grid->fontMetrics().horizontalAdvance(QString::fromLatin1(sample)) + 16;
    };
    header->resizeSection(ExchangeLog::Hora, textWidth("00:00:00.000"));
    header->resizeSection(ExchangeLog::Comando, textWidth("Comando"));
    header->resizeSection(ExchangeLog::Enviado, 170);
    header->resizeSection(ExchangeLog::Hex, 170);
    header->resizeSection(ExchangeLog::Ms, textWidth("00000,0"));
    header->resizeSection(ExchangeLog::Esperado, 150);
    header->resizeSection(
        ExchangeLog::Resultado,
        grid->fontMetrics().horizontalAdvance(QStringLiteral("não comparado")) + 16);
    header->setSectionResizeMode(ExchangeLog::Recebido, QHeaderView::Stretch);

    // Ctrl+C on the table copies whole selected rows (the view alone would
    // copy only the current cell).
    auto* copy = new QAction(this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    grid->addAction(copy);
    connect(copy, &QAction::triggered, this, &TfrmHistorico::btnCopiarClick);
    connect(ui->btnCopiar, &QPushButton::clicked, this, &TfrmHistorico::btnCopiarClick);
    connect(ui->btnLimpar, &QPushButton::clicked, this, &TfrmHistorico::btnLimparClick);
    connect(ui->btnReenviar, &QPushButton::clicked, this, &TfrmHistorico::btnReenviarClick);
    connect(ui->btnSalvar, &QPushButton::clicked, this, &TfrmHistorico::btnSalvarClick);
    connect(ui->btnEnviarLivre, &QPushButton::clicked, this, &TfrmHistorico::btnEnviarLivreClick);
    connect(ui->edComandoLivre, &QLineEdit::returnPressed, this,
            &TfrmHistorico::btnEnviarLivreClick);
    freeLineKeys_ = new cuponex::CommandLineKeys(ui->edComandoLivre);
    auto* save = new QAction(this);
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    save->setShortcutContext(Qt::WindowShortcut);
    addAction(save);
    connect(save, &QAction::triggered, this, &TfrmHistorico::btnSalvarClick);

    sequence_ = new cuponex::StepSequence(this);
    connect(sequence_, &cuponex::StepSequence::finished, this, &TfrmHistorico::runFinished);
    connect(ui->btnExecutar, &QPushButton::clicked, this, &TfrmHistorico::btnExecutarClick);
    connect(ui->btnParar, &QPushButton::clicked, this, &TfrmHistorico::btnPararClick);
    clickOn(this, QKeySequence(Qt::CTRL | Qt::Key_O), ui->btnExecutar);
    clickOn(this, QKeySequence(Qt::Key_Escape), ui->btnParar);

    // New rows keep the newest in view unless the operator scrolled away.
    connect(history_, &QAbstractItemModel::rowsAboutToBeInserted, this, [this] {
        const QScrollBar* bar = ui->gridHistorico->verticalScrollBar();
        followNewest_ = bar->value() == bar->maximum();
    });
    connect(history_, &QAbstractItemModel::rowsInserted, this, [this] {
        if (followNewest_ && isVisible()) ui->gridHistorico->scrollToBottom();
    });
    connect(grid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TfrmHistorico::updateSelectionButtons);
    connect(history_, &QAbstractItemModel::modelReset, this,
            &TfrmHistorico::updateSelectionButtons);
    updateSelectionButtons();
}

TfrmHistorico::~TfrmHistorico() = default;

QTableView* TfrmHistorico::grid() const {
    return ui->gridHistorico;
}

void TfrmHistorico::open() {
    const bool wasVisible = isVisible();
    if (!placed_ && parentWidget()) {
        // The first time, over the middle of the main window.
        move(parentWidget()->frameGeometry().center() - rect().center());
        placed_ = true;
    }
    show();
    if (!wasVisible) ui->gridHistorico->scrollToBottom();
    raise();
    activateWindow();
}

void TfrmHistorico::btnCopiarClick() {
    const QModelIndexList rows = ui->gridHistorico->selectionModel()->selectedRows();
    if (rows.isEmpty()) return;
    QGuiApplication::clipboard()->setText(history_->tabSeparated(rows));
}

void TfrmHistorico::btnLimparClick() {
    history_->clear();
}

void TfrmHistorico::btnReenviarClick() {
    if (sequence_->running()) return;
    QModelIndexList rows = ui->gridHistorico->selectionModel()->selectedRows();
    if (rows.isEmpty()) return;
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    // Read before sending: every exchange adds a row.
    steps_.clear();
    for (const QModelIndex& row : rows)
        steps_.push_back({history_->log().command(static_cast<size_t>(row.row())), {}, 0, {}});
    next_ = 0;
    resending_ = true;
    ui->lblRoteiro->setText(cuponex::resendStepText(1, steps_.size(), steps_.front().command));
    sequence_->start([this] { return resendStep(); });
    updateSelectionButtons();
}

void TfrmHistorico::btnSalvarClick() {
    const QString fileName = askFileName()(this);
    if (fileName.isEmpty()) return;
    cuponex::runGuarded(this, [&] {
        try {
            cuponex::writeFileWhole(QFile::encodeName(fileName).toStdString(),
                                    cuponex::writeScenario(history_->log().scenario()));
        } catch (const cuponex::FileWriteError& error) {
            cuponex::showError(this, cuponex::scenarioSaveError(error));
        } catch (const cuponex::ScenarioError& error) {
            cuponex::showError(this, cuponex::scenarioSaveError(error.what()));
        }
    });
}

// The whole file is read and checked before anything is sent.
void TfrmHistorico::btnExecutarClick() {
    if (sequence_->running()) return;
    const QString fileName = askScenarioName()(this);
    if (fileName.isEmpty()) return;
    const std::string path = QFile::encodeName(fileName).toStdString();
    bool read = false;
    cuponex::runGuarded(this, [&] {
        steps_.clear();
        try {
            steps_ = cuponex::readScenarioFile(path);
            read = true;
        } catch (const cuponex::ScenarioError& error) {
            cuponex::showError(this, cuponex::scenarioReadError(path, error.what()));
        }
    });
    if (!read) return;
    next_ = 0;
    resending_ = false;
    counts_ = {};
    if (steps_.empty()) {
        ui->lblRoteiro->setText(cuponex::countsText(counts_));
        return;
    }
    ui->lblRoteiro->setText(
        cuponex::scenarioStepText(steps_.front().line, steps_.back().line, steps_.front().command));
    sequence_->start([this] { return runScenarioStep(); });
    updateSelectionButtons();
}

void TfrmHistorico::btnPararClick() {
    sequence_->stop();
}

TfrmHistorico::Sent TfrmHistorico::sendOne(const std::string& command) {
    Sent sent;
    const int before = history_->rowCount();
    std::optional<std::string> failure;
    try {
        send_(command);
    } catch (const cuponex::ExchangeError& error) {
        failure = error.what();  // the window's own text, in ISO-8859-1
    }
    if (history_->rowCount() == before + 1) sent.row = before;
    if (failure) {
        sent.reply = {ExchangeReply::Outcome::Failed, *failure};
    } else if (sent.row < 0) {
        sent.reply = {ExchangeReply::Outcome::Failed,
                      "A troca n\xE3o ficou no hist\xF3rico; o envio parou."};
    } else {
        const auto row = static_cast<size_t>(sent.row);
        sent.reply = {replyOutcome(history_->log().outcome(row)), history_->log().reply(row)};
    }
    return sent;
}

bool TfrmHistorico::stoppedBy(const Sent& sent, const QString& where) {
    if (sent.reply.outcome == ExchangeReply::Outcome::NotTaken) {
        cuponex::showError(this, where + QStringLiteral(": ") + kNotTakenReason);
        return true;
    }
    if (sent.reply.outcome == ExchangeReply::Outcome::Failed) {
        cuponex::showError(this,
                           where + QStringLiteral(": ") + cuponex::fromLatin1(sent.reply.text));
        return true;
    }
    return false;
}

bool TfrmHistorico::runScenarioStep() {
    const cuponex::ScenarioStep& step = steps_[next_];
    bool more = false;
    const bool ran = cuponex::runGuarded(this, [&] {
        const Sent sent = sendOne(step.command);
        const cuponex::Verdict verdict = cuponex::compareReply(step, sent.reply);
        if (sent.row >= 0)
            history_->setComparison(sent.row, cuponex::expectedText(step),
                                    cuponex::comparisonOf(verdict));
        if (verdict == cuponex::Verdict::Equal) ++counts_.equal;
        if (verdict == cuponex::Verdict::Differs) ++counts_.differ;
        if (verdict == cuponex::Verdict::NotCompared) ++counts_.notCompared;
        const QString where = QStringLiteral("O roteiro parou na linha %1 (comando %2)")
                                  .arg(step.line)
                                  .arg(codeOf(step.command));
        if (stoppedBy(sent, where)) {
            ui->lblRoteiro->setText(cuponex::scenarioFailedText(step.line, counts_));
            return;
        }
        if (++next_ == steps_.size()) {
            ui->lblRoteiro->setText(cuponex::countsText(counts_));
            return;
        }
        const cuponex::ScenarioStep& following = steps_[next_];
        ui->lblRoteiro->setText(
            cuponex::scenarioStepText(following.line, steps_.back().line, following.command));
        more = true;
    });
    if (!ran) ui->lblRoteiro->setText(cuponex::scenarioFailedText(step.line, counts_));
    return more;
}

bool TfrmHistorico::resendStep() {
    const std::string command = steps_[next_].command;
    const size_t count = steps_.size();
    bool more = false;
    const bool ran = cuponex::runGuarded(this, [&] {
        const Sent sent = sendOne(command);
        const QString where = QStringLiteral("O reenvio parou no comando %1 de %2 (%3)")
                                  .arg(next_ + 1)
                                  .arg(count)
                                  .arg(codeOf(command));
        if (stoppedBy(sent, where)) {
            ui->lblRoteiro->setText(cuponex::resendStoppedText(next_ + 1, count));
            return;
        }
        if (++next_ == count) {
            ui->lblRoteiro->setText(cuponex::resendDoneText(count));
            return;
        }
        ui->lblRoteiro->setText(cuponex::resendStepText(next_ + 1, count, steps_[next_].command));
        more = true;
    });
    if (!ran) ui->lblRoteiro->setText(cuponex::resendStoppedText(next_ + 1, count));
    return more;
}

// Stopped by "Parar": the step that would have come next was not sent.
void TfrmHistorico::runFinished(bool stopped) {
    if (stopped && next_ < steps_.size()) {
        ui->lblRoteiro->setText(resending_
                                    ? cuponex::resendStoppedText(next_, steps_.size())
                                    : cuponex::scenarioStoppedText(steps_[next_].line, counts_));
    }
    updateSelectionButtons();
}

// A text the notation rejects stays in the line to be put right. One that goes
// out leaves the line empty, even when its exchange fails: Up brings it back.
void TfrmHistorico::btnEnviarLivreClick() {
    const cuponex::FreeLineText text = cuponex::freeLineText(ui->edComandoLivre->text());
    if (!text.error.isEmpty()) {
        cuponex::showError(this, text.error);
        return;
    }
    freeLineKeys_->sent();
    cuponex::runGuarded(this, [&] { send_(text.command); });
}

// While a run goes on, nothing starts another.
void TfrmHistorico::updateSelectionButtons() {
    const bool selected = ui->gridHistorico->selectionModel()->hasSelection();
    const bool running = sequence_ && sequence_->running();
    ui->btnCopiar->setEnabled(selected);
    ui->btnReenviar->setEnabled(selected && !running);
    ui->btnExecutar->setEnabled(!running);
    ui->btnParar->setEnabled(running);
}
