#pragma once
// The session's exchange history as a table model for the history window:
// one row per exchange, oldest first. The rows live in an ExchangeLog; this
// class only turns its cells into what the view asks for.

#include <QAbstractTableModel>
#include <QColor>
#include <QModelIndexList>

#include "core/ExchangeLog.h"

namespace cuponex {

class ExchangeHistory : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // A new exchange, as the last row.
    void append(const ExchangeRecord& record);
    // A scenario's verdict on a row: its "Esperado" and "Resultado" cells and
    // its colour (green when equal, red when it differs).
    void setComparison(int row, const std::string& expected, ExchangeLog::Comparison comparison);
    void clear();

    // The rows of these indexes, oldest first, as tab-separated lines.
    QString tabSeparated(const QModelIndexList& indexes) const;

    const ExchangeLog& log() const { return log_; }

    // The backgrounds of a scenario's rows.
    static const QColor kDiffersColour;
    static const QColor kEqualColour;

  private:
    ExchangeLog log_;
};

}  // namespace cuponex
