#include "app/list_view.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <limits>

ListView::ListView(const QList<Column>& columns, Selection selection, QWidget* parent)
    : QTreeWidget(parent)
{
    setColumnCount(int(columns.size()));
    QStringList titles;
    for (const Column& column : columns)
        titles << column.title;
    setHeaderLabels(titles);
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
    const int row = topLevelItemCount();
    if (row == std::numeric_limits<int>::max())
        return -1;
    auto* item = new QTreeWidgetItem(QStringList(QList<QString>(columnCount())));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    addTopLevelItem(item);  // the list owns the item from here
    return row;
}

void ListView::SetCell(int row, int column, const QString& text)
{
    QTreeWidgetItem* item = topLevelItem(row);
    if (item && column >= 0 && column < columnCount())
        item->setText(column, text);
}

QString ListView::GetCell(int row, int column) const
{
    const QTreeWidgetItem* item = topLevelItem(row);
    if (!item || column < 0 || column >= columnCount())
        return QString();
    return item->text(column);
}

int ListView::RowCount() const
{
    return topLevelItemCount();
}

void ListView::DeleteAllRows()
{
    clear();
}

int ListView::SelectedRow() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void ListView::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    const int sideways = horizontalScrollBar()->value();
    QTreeWidget::scrollTo(index, hint);
    horizontalScrollBar()->setValue(sideways);
}

void ListView::contextMenuEvent(QContextMenuEvent* event)
{
    // Only the rows' area sends this here; the header keeps its right-clicks to itself.
    if (event->reason() == QContextMenuEvent::Mouse)
        emit RightClicked();
    event->accept();
}
