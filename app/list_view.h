#pragma once
// ListView: a report list (rows and titled columns) with single selection, no sorting, no
// editing, no grid and no images. Rows and columns are counted from 0. The rows live in a
// ListModel of plain texts, so a row costs no item object and a cell change repaints one cell.

#include <QList>
#include <QString>
#include <QTreeView>

class ListModel;

class ListView final : public QTreeView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ListView)

public:
    struct Column {
        QString title;
        int width;
    };
    enum class Selection {
        Cell,     // a click selects the cell that was hit
        WholeRow, // a click anywhere in the row selects it and highlights the whole row
    };
    ListView(const QList<Column>& columns, Selection selection, QWidget* parent);

    // Adds a row with empty cells after the last one; returns its index (the number of rows
    // before the call), or -1 when no row can be added.
    int AppendRow();
    // The cell shows the text; nothing happens for a row or column that does not exist.
    void SetCell(int row, int column, const QString& text);
    // The cell's text; empty when the cell is empty or does not exist.
    QString GetCell(int row, int column) const;
    int RowCount() const;
    // Empties the list; no row is selected afterwards.
    void DeleteAllRows();
    // The selected row, -1 when none is.
    int SelectedRow() const;
    // Lets the next repaint show the rows added so far; without it they reach the view at the
    // list's next round of events, which may come after that repaint.
    void ShowNewRows();

    // Keeps the list where it is sideways when a cell becomes current: the link column is wider
    // than the list, and a click in it would otherwise scroll its end into view.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

signals:
    // A right-click on a row or on the empty part of the list (not on the header), after the
    // list has handled the click itself (a click on a row selects it).
    void RightClicked();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    ListModel* rows_;  // owned by the list
};
