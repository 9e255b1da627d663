#pragma once

#include "settings/WinningList.h"

#include <QAbstractTableModel>

// The winners list as the dialog's view shows it: the rows are made once, the view asks only for
// the cells it paints, so a list of a hundred thousand winners opens as fast as a short one.
class WinningListModel : public QAbstractTableModel {
public:
    explicit WinningListModel(QObject* parent = nullptr);

    void SetRows(QList<WinningList::Row> rows);
    const QList<WinningList::Row>& Rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QList<WinningList::Row> m_rows;
};
