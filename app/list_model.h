#pragma once
// ListModel: the rows of a ListView, each a fixed number of text cells, kept in one flat vector.
// A row is added, a cell is set and the whole list is emptied; nothing else changes it, and it
// offers no sorting, no editing, no check boxes and no images.
//
// Added rows reach the views together, at ShowNewRows or else at the next round of events,
// instead of one by one: a batch adds thousands of rows between two repaints, and telling the
// views about each of them took longer than the rows themselves. AppendRow, SetCell, Cell and
// RowCount see every row at once; rowCount() and index(), which the views use, see the rows
// shown so far.

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

class ListModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ListModel)

public:
    // One column per title; `parent` owns the model.
    ListModel(const QStringList& titles, QObject* parent);

    // Adds a row with empty cells after the last one; returns its index, or -1 when no row can
    // be added.
    int AppendRow();
    // Tells the views about this one cell only; nothing happens for a cell that does not exist.
    void SetCell(int row, int column, const QString& text);
    // Empty for a cell that does not exist.
    QString Cell(int row, int column) const;
    int RowCount() const { return rowCount_; }
    void DeleteAllRows();
    // Tells the views about the rows added since they last heard of new rows.
    void ShowNewRows();

    // The view asks for every shown row at each layout: a direct check, no calls back.
    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    bool HasCell(int row, int column) const;

    const QStringList titles_;
    const int columnCount_;
    int rowCount_ = 0;
    int shownRows_ = 0;               // the rows the views know of
    bool showNewRowsPosted_ = false;  // a ShowNewRows waits in the event queue
    std::vector<QString> cells_;  // row after row, columnCount_ cells each
};
