#pragma once

#include "store/LoNuInfo.h"

#include <QAbstractTableModel>

class NuFileDeal;

// The numbers list's rows, read from the pool only when the view asks for a cell: a pool of a
// million numbers costs no more than the rows on the screen. The row count is set from outside,
// like a virtual list's item count, so the list keeps showing its rows (empty) while an
// operation rewrites the pool.
class NumberListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit NumberListModel(NuFileDeal* pool, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Grows or shrinks the list at its end; rows that stay keep their selection.
    void SetRowCount(qint64 rows);
    // The records may have changed: every visible cell is read again.
    void Repaint();

private:
    const LoNuInfo& Record(int row) const;

    NuFileDeal* m_pPool;
    int m_nRows = 0;
    // The view asks for both cells of a row one after the other.
    mutable LoNuInfo m_cached;
};
