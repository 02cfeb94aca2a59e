#include "app/list_view.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QScrollBar>

#include "app/list_model.h"

namespace {

QStringList Titles(const QList<ListView::Column>& columns)
{
    QStringList titles;
    for (const ListView::Column& column : columns)
        titles << column.title;
    return titles;
}

}  // namespace

ListView::ListView(const QList<Column>& columns, Selection selection, QWidget* parent)
    : QTreeView(parent), rows_(new ListModel(Titles(columns), this))
{
    setModel(rows_);  // before the sections' widths: the header has a section per column
    header()->setStretchLastSection(false);
    header()->setSectionsClickable(true);  // clickable, with no effect
    header()->setSortIndicatorShown(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int i = 0; i < columns.size(); ++i)
        header()->resizeSection(i, columns[i].width);

    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSortingEnabled(false);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(selection == Selection::WholeRow ? SelectRows : SelectItems);
    setAllColumnsShowFocus(selection == Selection::WholeRow);
    setHorizontalScrollMode(ScrollPerPixel);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);

    // Black on white; the selection is highlighted only while the list has the focus.
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    colours.setColor(QPalette::WindowText, Qt::black);
    colours.setColor(QPalette::Inactive, QPalette::Highlight, Qt::white);
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::black);
    setPalette(colours);
}

int ListView::AppendRow()
{
    return rows_->AppendRow();
}

void ListView::SetCell(int row, int column, const QString& text)
{
    rows_->SetCell(row, column, text);
}

QString ListView::GetCell(int row, int column) const
{
    return rows_->Cell(row, column);
}

int ListView::RowCount() const
{
    return rows_->RowCount();
}

void ListView::DeleteAllRows()
{
    rows_->DeleteAllRows();  // a reset of the model also clears the selection
}

void ListView::ShowNewRows()
{
    rows_->ShowNewRows();
}

int ListView::SelectedRow() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void ListView::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    const int sideways = horizontalScrollBar()->value();
    QTreeView::scrollTo(index, hint);
    horizontalScrollBar()->setValue(sideways);
}

void ListView::contextMenuEvent(QContextMenuEvent* event)
{
    // Only the rows' area sends this here; the header keeps its right-clicks to itself.
    if (event->reason() == QContextMenuEvent::Mouse)
        emit RightClicked();
    event->accept();
}
