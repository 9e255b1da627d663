#include "settings/NumberListModel.h"

#include "settings/NumberPageText.h"
#include "store/NuFileDeal.h"

#include <limits>

NumberListModel::NumberListModel(NuFileDeal* pool, QObject* parent)
    : QAbstractTableModel(parent), m_pPool(pool) {}

int NumberListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_nRows;
}

int NumberListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

const LoNuInfo& NumberListModel::Record(int row) const {
    if (m_cached.m_nIndex != row)
        m_cached = m_pPool->ReadNumber(quint32(row));
    return m_cached;
}

QVariant NumberListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || !m_pPool || !m_pPool->IsReady())
        return QVariant();
    const LoNuInfo& record = Record(index.row());
    if (!record.IsValid())
        return QVariant();
    return index.column() == 0 ? NumberPageText::ListNumber(record.m_strNumber)
                               : NumberPageText::ListInfo(record.m_strInfo);
}

QVariant NumberListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return section == 0 ? NumberPageText::ColumnNumber() : NumberPageText::ColumnInfo();
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return QVariant();
}

void NumberListModel::SetRowCount(qint64 rows) {
    const int n = int(std::clamp<qint64>(rows, 0, std::numeric_limits<int>::max()));
    m_cached = LoNuInfo();
    if (n > m_nRows) {
        beginInsertRows(QModelIndex(), m_nRows, n - 1);
        m_nRows = n;
        endInsertRows();
    } else if (n < m_nRows) {
        beginRemoveRows(QModelIndex(), n, m_nRows - 1);
        m_nRows = n;
        endRemoveRows();
    }
    Repaint();
}

void NumberListModel::Repaint() {
    m_cached = LoNuInfo();
    if (m_nRows > 0)
        Q_EMIT dataChanged(index(0, 0), index(m_nRows - 1, 1), {Qt::DisplayRole});
}
