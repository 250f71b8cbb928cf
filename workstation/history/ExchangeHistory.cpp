#include "history/ExchangeHistory.h"

#include <QBrush>
#include <QColor>
#include <algorithm>

#include "widgets/Latin1.h"

namespace cuponex {

const QColor ExchangeHistory::kDiffersColour(255, 205, 205);
const QColor ExchangeHistory::kEqualColour(205, 240, 205);

int ExchangeHistory::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(log_.size());
}

int ExchangeHistory::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ExchangeLog::kColumns;
}

QVariant ExchangeHistory::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const auto row = static_cast<size_t>(index.row());
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
            return fromLatin1(log_.cell(row, column));
        case Qt::ToolTipRole:
            if (column == ExchangeLog::Recebido && log_.outcome(row) == ExchangeOutcome::NotTaken)
                return QString::fromLatin1(ExchangeLog::kNotTakenHint);
            // The long cells are cut at the column's edge; the tip shows them whole.
            if (column == ExchangeLog::Enviado || column == ExchangeLog::Hex ||
                column == ExchangeLog::Recebido || column == ExchangeLog::Esperado)
                return fromLatin1(log_.cell(row, column));
            return {};
        case Qt::TextAlignmentRole:
            if (column == ExchangeLog::Ms)
                return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
            return {};
        case Qt::ForegroundRole:
            if (log_.outcome(row) != ExchangeOutcome::Reply) return QBrush(QColor(176, 0, 0));
            return {};
        case Qt::BackgroundRole:
            if (log_.comparison(row) == ExchangeLog::Comparison::Differs)
                return QBrush(kDiffersColour);
            if (log_.comparison(row) == ExchangeLog::Comparison::Equal) return QBrush(kEqualColour);
            return {};
        default:
            return {};
    }
}

QVariant ExchangeHistory::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ExchangeLog::kColumns)
        return QString::fromLatin1(ExchangeLog::kHeaders[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void ExchangeHistory::append(const ExchangeRecord& record) {
    const int row = rowCount();
    beginInsertRows({}, row, row);
    log_.append(record);
    endInsertRows();
}

void ExchangeHistory::setComparison(int row, const std::string& expected,
                                    ExchangeLog::Comparison comparison) {
    if (row < 0 || row >= rowCount()) return;
    log_.setComparison(static_cast<size_t>(row), expected, comparison);
    emit dataChanged(index(row, 0), index(row, ExchangeLog::kColumns - 1));
}

void ExchangeHistory::clear() {
    beginResetModel();
    log_.clear();
    endResetModel();
}

QString ExchangeHistory::tabSeparated(const QModelIndexList& indexes) const {
    std::vector<size_t> rows;
    for (const QModelIndex& index : indexes)
        if (index.isValid() && index.model() == this && index.row() < rowCount())
            rows.push_back(static_cast<size_t>(index.row()));
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return fromLatin1(log_.tabSeparated(rows));
}

}  // namespace cuponex
