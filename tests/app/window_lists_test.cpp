// The two result lists, the popup menu of the lower one, and the copy commands.

#include "app/clipboard.h"
#include "app/list_view.h"
#include "app/main_window.h"
#include "app/message_box.h"
#include "app/popup_menu.h"
#include "app/text_codec.h"
#include "tests/app/qt_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>

namespace {

const QString kCopied = QStringLiteral("链接复制成功！右键点击粘贴到需要的位置\r\n");

QString Link(int n)
{
    return QStringLiteral("magnet:?xt=urn:btih:%1").arg(n, 40, 16, QLatin1Char('0'));
}

class Lists : public ShownWindow
{
protected:
    void SetUp() override
    {
        ShownWindow::SetUp();
        upper = Control<ListView>("超级列表框1");
        lower = Control<ListView>("超级列表框2");
        SetClipboardBusyForTest(false);
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    }
    void AddRows(int count)
    {
        for (int i = 0; i < count; ++i) {
            const QString path = QStringLiteral("/t/%1.torrent").arg(i);
            upper->SetCell(upper->AppendRow(), 0, path);
            const int row = lower->AppendRow();
            lower->SetCell(row, 0, path);
            lower->SetCell(row, 1, QStringLiteral("name %1").arg(i));
            lower->SetCell(row, 2, Link(i));
        }
        QApplication::processEvents();  // new rows reach the view at the next round of events
    }
    QPoint CellCentre(ListView* list, int row, int column) const
    {
        return list->visualRect(list->model()->index(row, column)).center();
    }
    void RightClick(QWidget* where, QPoint at)
    {
        QCursor::setPos(where->mapToGlobal(at));  // where the menu looks for the pointer
        QTest::mouseClick(where, Qt::RightButton, {}, at);
        QApplication::processEvents();
    }
    QString Clipboard() const { return QGuiApplication::clipboard()->text(); }

    ListView* upper = nullptr;
    ListView* lower = nullptr;
};

TEST_F(Lists, HaveTheirColumnsAndSettings)
{
    struct Column {
        ListView* list;
        int index;
        const char* title;
        int width;
    };
    const Column columns[] = {
        {upper, 0, "本地BT文件位置", 650},
        {lower, 0, "种子位置", 100},
        {lower, 1, "名称", 100},
        {lower, 2, "磁力链接地址", 570},
    };
    for (const Column& c : columns) {
        EXPECT_EQ(c.list->model()->headerData(c.index, Qt::Horizontal).toString(), QString::fromUtf8(c.title));
        EXPECT_EQ(c.list->header()->sectionSize(c.index), c.width) << c.title;
    }
    EXPECT_EQ(upper->model()->columnCount(), 1);
    EXPECT_EQ(lower->model()->columnCount(), 3);
    EXPECT_EQ(upper->selectionBehavior(), QAbstractItemView::SelectItems);
    EXPECT_EQ(lower->selectionBehavior(), QAbstractItemView::SelectRows);
    for (ListView* list : {upper, lower}) {
        EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
        EXPECT_FALSE(list->isSortingEnabled());
        EXPECT_EQ(list->editTriggers(), QAbstractItemView::NoEditTriggers);
        EXPECT_FALSE(list->rootIsDecorated());
        EXPECT_FALSE(list->header()->isHidden());
        EXPECT_EQ(list->SelectedRow(), -1);
    }
    // A cell is text alone: selectable, not editable, no check box, no image.
    AddRows(1);
    for (ListView* list : {upper, lower}) {
        const QModelIndex cell = list->model()->index(0, 0);
        EXPECT_EQ(list->model()->flags(cell) & ~Qt::ItemNeverHasChildren,
                  Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        EXPECT_FALSE(cell.data(Qt::CheckStateRole).isValid());
        EXPECT_FALSE(cell.data(Qt::DecorationRole).isValid());
        EXPECT_EQ(cell.data().toString(), QStringLiteral("/t/0.torrent"));
    }
}

TEST_F(Lists, RowOperations)
{
    EXPECT_EQ(lower->AppendRow(), 0);
    EXPECT_EQ(lower->AppendRow(), 1);
    lower->SetCell(1, 2, Link(7));
    lower->SetCell(2, 0, QStringLiteral("no such row"));
    lower->SetCell(0, 3, QStringLiteral("no such column"));
    EXPECT_EQ(lower->RowCount(), 2);
    EXPECT_EQ(lower->GetCell(1, 2), Link(7));
    EXPECT_EQ(lower->GetCell(0, 2), QString());
    EXPECT_EQ(lower->GetCell(2, 0), QString());   // one past the last row
    EXPECT_EQ(lower->GetCell(-1, 0), QString());
    const QString longText(100000, QLatin1Char('x'));
    lower->SetCell(0, 1, longText);
    EXPECT_EQ(lower->GetCell(0, 1), longText);

    QApplication::processEvents();
    lower->setCurrentIndex(lower->model()->index(1, 0));
    EXPECT_EQ(lower->SelectedRow(), 1);
    lower->DeleteAllRows();
    EXPECT_EQ(lower->RowCount(), 0);
    EXPECT_EQ(lower->SelectedRow(), -1);
    EXPECT_EQ(lower->AppendRow(), 0);
}

TEST_F(Lists, NewRowsReachTheViewTogetherWithTheirCells)
{
    const QAbstractItemModel* shown = lower->model();
    lower->SetCell(lower->AppendRow(), 1, QStringLiteral("gone"));
    lower->DeleteAllRows();  // before the view heard of the row
    QApplication::processEvents();
    EXPECT_EQ(shown->rowCount(), 0);

    lower->SetCell(lower->AppendRow(), 1, QStringLiteral("first"));
    lower->ShowNewRows();
    EXPECT_EQ(shown->rowCount(), 1);
    lower->SetCell(lower->AppendRow(), 2, Link(1));
    lower->SetCell(0, 2, Link(0));  // a shown row changes at once
    EXPECT_EQ(shown->index(0, 2).data().toString(), Link(0));
    EXPECT_EQ(lower->RowCount(), 2);  // the list's own calls see every row at once
    EXPECT_EQ(lower->GetCell(1, 2), Link(1));
    QApplication::processEvents();
    ASSERT_EQ(shown->rowCount(), 2);
    EXPECT_EQ(shown->index(0, 1).data().toString(), QStringLiteral("first"));
    EXPECT_EQ(shown->index(1, 2).data().toString(), Link(1));
    EXPECT_EQ(shown->index(1, 1).data().toString(), QString());
}

TEST_F(Lists, RowsKeepTheirOrderAndShowNamesInEitherEncoding)
{
    const QByteArray utf8("\xe7\xba\xaa\xe5\xbd\x95\xe7\x89\x87");  // 纪录片 in UTF-8
    const QByteArray gbk("\xbc\xcd\xc2\xbc\xc6\xac");              // 纪录片 in GBK
    for (const QByteArray& name : {QByteArray("zeta"), utf8, gbk, QByteArray("alpha")})
        lower->SetCell(lower->AppendRow(), 1, TextFromBytes(name));
    EXPECT_EQ(lower->GetCell(0, 1), QStringLiteral("zeta"));
    EXPECT_EQ(lower->GetCell(1, 1), QStringLiteral("纪录片"));
    EXPECT_EQ(lower->GetCell(2, 1), QStringLiteral("纪录片"));
    EXPECT_EQ(lower->GetCell(3, 1), QStringLiteral("alpha"));
    QTest::mouseClick(lower->header()->viewport(), Qt::LeftButton, {},
                      QPoint(150, lower->header()->height() / 2));  // headers do not sort
    EXPECT_EQ(lower->GetCell(0, 1), QStringLiteral("zeta"));
}

TEST_F(Lists, ClickInTheLinkColumnSelectsTheRowWithoutScrollingSideways)
{
    AddRows(3);
    QTest::mouseClick(lower->viewport(), Qt::LeftButton, {}, {400, CellCentre(lower, 1, 2).y()});
    EXPECT_EQ(lower->SelectedRow(), 1);
    EXPECT_EQ(lower->horizontalScrollBar()->value(), 0);
    QTest::keyClick(lower, Qt::Key_Down);
    EXPECT_EQ(lower->SelectedRow(), 2);
    EXPECT_EQ(lower->horizontalScrollBar()->value(), 0);
}

TEST_F(Lists, MenuOpensOnlyOnASelectedRowOfTheLowerList)
{
    ModalWatcher popups;
    RightClick(lower->viewport(), {50, 50});  // empty list
    AddRows(3);
    RightClick(lower->viewport(), {50, 120});  // below the rows: nothing selected
    EXPECT_EQ(lower->SelectedRow(), -1);
    RightClick(upper->viewport(), CellCentre(upper, 1, 0));  // the upper list has no menu
    EXPECT_EQ(popups.Seen(), 0);

    RightClick(lower->viewport(), CellCentre(lower, 2, 1));  // selects the row, then opens it
    EXPECT_EQ(lower->SelectedRow(), 2);
    EXPECT_EQ(popups.Seen(), 1);

    RightClick(lower->header()->viewport(), {50, lower->header()->height() / 2});
    EXPECT_EQ(popups.Seen(), 1);  // a header has no menu
    lower->DeleteAllRows();
    RightClick(lower->viewport(), {50, 50});
    EXPECT_EQ(popups.Seen(), 1);
}

TEST_F(Lists, MenuOpensBesideThePointerAndRunsTheChosenItemAfterClosing)
{
    AddRows(3);
    QPoint menuAt;
    QStringList items;
    ModalWatcher chooser([&](QWidget* open) {
        auto* menu = qobject_cast<QMenu*>(open);
        ASSERT_NE(menu, nullptr);
        menuAt = menu->pos();
        for (QAction* action : menu->actions())
            items << action->text();
        // The second item, chosen with the right button.
        QAction* all = menu->actions().value(1);
        ASSERT_NE(all, nullptr);
        QTest::mouseClick(menu, Qt::RightButton, {}, menu->actionGeometry(all).center());
    });
    MessageBox::SetNextAnswer();
    const QPoint at = CellCentre(lower, 0, 0);
    RightClick(lower->viewport(), at);
    EXPECT_EQ(menuAt, lower->viewport()->mapToGlobal(at) + QPoint(3, 3));
    EXPECT_EQ(items, (QStringList{QStringLiteral("复制当前链接"), QStringLiteral("复制全部链接")}));
    EXPECT_EQ(Clipboard(), Link(0) + QStringLiteral("\r\n") + Link(1) + QStringLiteral("\r\n") +
                               Link(2) + QStringLiteral("\r\n"));
    EXPECT_EQ(MessageBox::TakeAnsweredTexts(),
              QStringList{kCopied + QStringLiteral("本次共复制链接 3  条")});
}

TEST_F(Lists, CopyCurrentLinkCopiesTheCellAlone)
{
    AddRows(3);
    lower->setCurrentIndex(lower->model()->index(1, 0));
    MessageBox::SetNextAnswer();
    window->CopyCurrentLink();
    EXPECT_EQ(Clipboard(), Link(1));
    EXPECT_EQ(MessageBox::TakeAnsweredTexts(), QStringList{kCopied + Link(1)});
}

TEST_F(Lists, CopyAllLinksEndsEveryLinkWithCrLfAndCountsThem)
{
    AddRows(1);
    lower->setCurrentIndex(lower->model()->index(0, 0));
    MessageBox::SetNextAnswer();
    window->CopyAllLinks();
    EXPECT_EQ(Clipboard(), Link(0) + QStringLiteral("\r\n"));
    EXPECT_EQ(MessageBox::TakeAnsweredTexts(),
              QStringList{kCopied + QStringLiteral("本次共复制链接 1  条")});

    lower->SetCell(lower->AppendRow(), 2, QString());  // an empty link adds only CR LF
    lower->SetCell(lower->AppendRow(), 2, QStringLiteral("magnet:?xt=urn:btih:"));
    MessageBox::SetNextAnswer();
    window->CopyAllLinks();
    EXPECT_EQ(Clipboard(),
              Link(0) + QStringLiteral("\r\n\r\nmagnet:?xt=urn:btih:\r\n"));
    EXPECT_EQ(MessageBox::TakeAnsweredTexts(),
              QStringList{kCopied + QStringLiteral("本次共复制链接 3  条")});
}

TEST_F(Lists, CopyCommandsDoNothingWithoutASelection)
{
    AddRows(2);
    window->CopyCurrentLink();
    window->CopyAllLinks();
    EXPECT_EQ(Clipboard(), QStringLiteral("before"));
    EXPECT_TRUE(MessageBox::TakeAnsweredTexts().isEmpty());
}

TEST_F(Lists, CopyCommandsEndSilentlyWhenTheClipboardIsBusy)
{
    AddRows(2);
    lower->setCurrentIndex(lower->model()->index(0, 0));
    SetClipboardBusyForTest(true);
    window->CopyCurrentLink();
    window->CopyAllLinks();
    SetClipboardBusyForTest(false);
    EXPECT_EQ(Clipboard(), QStringLiteral("before"));
    EXPECT_TRUE(MessageBox::TakeAnsweredTexts().isEmpty());
}

TEST_F(Lists, RealMessageBoxShowsTheTextWithItsCaptionAndOneButton)
{
    AddRows(1);
    lower->setCurrentIndex(lower->model()->index(0, 0));
    QString caption, text;
    int buttons = 0;
    bool ownerless = false;
    ModalWatcher reader([&](QWidget* open) {
        auto* box = qobject_cast<QMessageBox*>(open);
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        text = box->text();
        buttons = int(box->buttons().size());
        ownerless = box->parentWidget() == nullptr && box->windowModality() == Qt::ApplicationModal;
        box->buttons().constFirst()->click();
    });
    window->CopyCurrentLink();
    EXPECT_EQ(reader.Seen(), 1);
    EXPECT_EQ(caption, QStringLiteral("信息："));
    EXPECT_EQ(text, QStringLiteral("链接复制成功！右键点击粘贴到需要的位置\n") + Link(0));
    EXPECT_EQ(buttons, 1);
    EXPECT_TRUE(ownerless);
}

}  // namespace
