#include "history/uHistorico.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScrollBar>

#include "history/ExchangeHistory.h"
#include "ui_uHistorico.h"

using cuponex::ExchangeLog;

TfrmHistorico::TfrmHistorico(cuponex::ExchangeHistory* history, QWidget* parent)
    : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::TfrmHistorico>()), history_(history) {
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

    // New rows keep the newest in view unless the operator scrolled away.
    connect(history_, &QAbstractItemModel::rowsAboutToBeInserted, this, [this] {
        const QScrollBar* bar = ui->gridHistorico->verticalScrollBar();
        followNewest_ = bar->value() == bar->maximum();
    });
    connect(history_, &QAbstractItemModel::rowsInserted, this, [this] {
        if (followNewest_ && isVisible()) ui->gridHistorico->scrollToBottom();
    });
    connect(grid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TfrmHistorico::updateCopyButton);
    connect(history_, &QAbstractItemModel::modelReset, this, &TfrmHistorico::updateCopyButton);
    updateCopyButton();
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

void TfrmHistorico::updateCopyButton() {
    ui->btnCopiar->setEnabled(ui->gridHistorico->selectionModel()->hasSelection());
}
