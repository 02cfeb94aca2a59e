#include "app/list_model.h"

#include <limits>

ListModel::ListModel(const QStringList& titles, QObject* parent)
    : QAbstractTableModel(parent), titles_(titles), columnCount_(int(titles.size()))
{
}

int ListModel::AppendRow()
{
    const int row = rowCount_;
    if (row == std::numeric_limits<int>::max())
        return -1;
    cells_.resize(cells_.size() + size_t(columnCount_));
    ++rowCount_;
    if (!showNewRowsPosted_) {
        showNewRowsPosted_ = true;
        QMetaObject::invokeMethod(this, [this] { showNewRowsPosted_ = false; ShowNewRows(); }, Qt::QueuedConnection);
    }
    return row;
}

void ListModel::SetCell(int row, int column, const QString& text)
{
    if (!HasCell(row, column))
        return;
    cells_[size_t(row) * size_t(columnCount_) + size_t(column)] = text;
    if (row >= shownRows_)
        return;  // the views read the cell when they hear of its row
    static const QList<int> kTextOnly{Qt::DisplayRole};  // shared, not built for every cell
    const QModelIndex cell = index(row, column);
    emit dataChanged(cell, cell, kTextOnly);
}

QString ListModel::Cell(int row, int column) const
{
    if (!HasCell(row, column))
        return QString();
    return cells_[size_t(row) * size_t(columnCount_) + size_t(column)];
}

void ListModel::DeleteAllRows()
{
    beginResetModel();
    cells_.clear();
    rowCount_ = 0;
    shownRows_ = 0;
    endResetModel();
}

void ListModel::ShowNewRows()
{
    if (shownRows_ == rowCount_)
        return;
    beginInsertRows(QModelIndex(), shownRows_, rowCount_ - 1);
    shownRows_ = rowCount_;
    endInsertRows();
}

QModelIndex ListModel::index(int row, int column, const QModelIndex& parent) const
{
    if (parent.isValid() || row < 0 || row >= shownRows_ || column < 0 || column >= columnCount_)
        return QModelIndex();
    return createIndex(row, column);
}

int ListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : shownRows_;  // the rows have no rows below them
}

int ListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columnCount_;
}

QVariant ListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return QVariant();
    return Cell(index.row(), index.column());
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount_)
        return QVariant();
    return titles_.at(section);
}

Qt::ItemFlags ListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

bool ListModel::HasCell(int row, int column) const
{
    return row >= 0 && row < rowCount_ && column >= 0 && column < columnCount_;
}
