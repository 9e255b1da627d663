#include "settings/WinningListModel.h"

namespace {

constexpr int kColumns = 4;

} // namespace

WinningListModel::WinningListModel(QObject* parent) : QAbstractTableModel(parent) {}

void WinningListModel::SetRows(QList<WinningList::Row> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int WinningListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int WinningListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant WinningListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_rows.size())
        return {};
    const WinningList::Row& row = m_rows.at(index.row());
    switch (index.column()) {
    case 0:
        return row.serial;
    case 1:
        return row.level;
    case 2:
        return row.number;
    case 3:
        return row.info;
    default:
        return {};
    }
}

QVariant WinningListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const kTitles[kColumns] = {"SN.", "Prize level", "Winning numbers",
                                                  "Additional information"};
    return section >= 0 && section < kColumns ? QString::fromLatin1(kTitles[section]) : QVariant();
}
