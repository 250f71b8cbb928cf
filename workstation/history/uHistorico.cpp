#include "history/uHistorico.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>

#include "core/SafeFile.h"
#include "history/CommandLineKeys.h"
#include "history/ExchangeHistory.h"
#include "history/FreeLineText.h"
#include "scenario/Scenario.h"
#include "ui_uHistorico.h"
#include "widgets/ErrorDisplay.h"

using cuponex::ExchangeLog;

TfrmHistorico::AskFileName& TfrmHistorico::askFileName() {
    static AskFileName ask = [](QWidget* parent) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Salvar roteiro"), QString(),
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
    header->resizeSection(ExchangeLog::Enviado, 200);
    header->resizeSection(ExchangeLog::Hex, 200);
    header->resizeSection(ExchangeLog::Ms, textWidth("00000,0"));
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
    QModelIndexList rows = ui->gridHistorico->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    // Read before sending: every exchange adds a row.
    std::vector<std::string> commands;
    for (const QModelIndex& row : rows)
        commands.push_back(history_->log().command(static_cast<size_t>(row.row())));
    // The first error stops the rest and is shown once.
    cuponex::runGuarded(this, [&] {
        for (const std::string& command : commands) send_(command);
    });
}

void TfrmHistorico::btnSalvarClick() {
    const QString fileName = askFileName()(this);
    if (fileName.isEmpty()) return;
    cuponex::runGuarded(this, [&] {
        cuponex::writeFileWhole(QFile::encodeName(fileName).toStdString(),
                                cuponex::writeScenario(history_->log().scenario()));
    });
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

void TfrmHistorico::updateSelectionButtons() {
    const bool selected = ui->gridHistorico->selectionModel()->hasSelection();
    ui->btnCopiar->setEnabled(selected);
    ui->btnReenviar->setEnabled(selected);
}
