// The conversion commands through the real window, headless: the buttons are clicked, the
// message box, the folder browser and the open-file dialog are answered through their seams,
// and the lists and labels are read back.
#include <QTimer>
#include <gtest/gtest.h>

#include "app/common_dlg.h"
#include "app/conversion_commands.h"
#include "app/folder_browser.h"
#include "app/list_view.h"
#include "app/main_window.h"
#include "app/message_box.h"
#include "app/super_btn.h"
#include "app/text_codec.h"
#include "app/trans_label.h"
#include "tests/app/qt_test_support.h"
#include "tests/app/temp_tree.h"

namespace {

QString Path(const TempTree& tree, std::string_view relative)
{
    return PathFromBytes(QByteArray::fromStdString(tree.Path(relative)));
}

QString Root(const TempTree& tree)
{
    return PathFromBytes(QByteArray::fromStdString(tree.Root()));
}

// The shown window with its two conversion commands connected, as the tool starts it.
class WindowBatchTest : public ShownWindow {
protected:
    void SetUp() override
    {
        ShownWindow::SetUp();
        new ConversionCommands(window);  // a child of the window
    }

    TempTree tree;
};

TEST_F(WindowBatchTest, BatchFillsBothListsInOrder)
{
    tree.File("b.torrent", TorrentBytes("beta"));
    tree.File("a.torrent", TorrentBytes("alpha"));
    tree.File("sub/c.torrent", TorrentBytes("gamma"));
    tree.File(".hidden/d.torrent", TorrentBytes("delta"));
    MessageBox::SetNextAnswer();
    FolderBrowser::SetNextAnswer(Root(tree));

    QTest::mouseClick(window->BatchButton(), Qt::LeftButton);

    EXPECT_EQ(MessageBox::TakeAnsweredTexts(),
              QStringList{QStringLiteral("如果种子较多，或文件夹文件较多，搜索时间可能会减慢。请耐心等待一小会！")});
    EXPECT_EQ(FolderBrowser::LastTitle(),
              QStringLiteral("请选择BT文件搜在的磁盘或文件夹。软件会自动搜索并转换所有BT文件！"));
    ListView* files = window->FileList();
    ListView* links = window->LinkList();
    ASSERT_EQ(files->RowCount(), 3);
    ASSERT_EQ(links->RowCount(), 3);
    const char* relative[] = {"a.torrent", "b.torrent", "sub/c.torrent"};
    const char* names[] = {"alpha", "beta", "gamma"};
    const char* hashes[] = {"cb8556ff088c9ac4130448ec9c9dcf017e864b04", "5c8195fb5b9a6ad63c6e80a0607e9c0fb2b66d89",
                            "27e47947bd59e5eac82d27f50995fd71b6cfc615"};
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(files->GetCell(row, 0), Path(tree, relative[row]));
        EXPECT_EQ(links->GetCell(row, 0), Path(tree, relative[row]));
        EXPECT_EQ(links->GetCell(row, 1), QString::fromLatin1(names[row]));
        EXPECT_EQ(links->GetCell(row, 2), QStringLiteral("magnet:?xt=urn:btih:") + QString::fromLatin1(hashes[row]));
    }
    EXPECT_EQ(window->FolderLabel()->text(), QStringLiteral("正在转换BT： 结束"));
    EXPECT_EQ(window->FileLabel()->text(), QStringLiteral("正在转换BT： 结束"));
}

TEST_F(WindowBatchTest, SingleConversionReplacesTheBatchsRows)
{
    tree.File("a.torrent", TorrentBytes("alpha"));
    tree.File("b.torrent", TorrentBytes("beta"));
    MessageBox::SetNextAnswer();
    FolderBrowser::SetNextAnswer(Root(tree));
    QTest::mouseClick(window->BatchButton(), Qt::LeftButton);
    ASSERT_EQ(window->LinkList()->RowCount(), 2);
    MessageBox::TakeAnsweredTexts();

    window->OpenFileDialog()->SetNextAnswer(Path(tree, "b.torrent"));
    QTest::mouseClick(window->SingleButton(), Qt::LeftButton);

    EXPECT_EQ(window->OpenFileDialog()->LastShownFilter(), QStringLiteral("种子文件(*.torrent)|*.torrent"));
    ASSERT_EQ(window->FileList()->RowCount(), 1);
    ASSERT_EQ(window->LinkList()->RowCount(), 1);
    EXPECT_EQ(window->LinkList()->GetCell(0, 1), QStringLiteral("beta"));

    window->OpenFileDialog()->SetNextAnswer(std::nullopt);  // cancelled
    QTest::mouseClick(window->SingleButton(), Qt::LeftButton);
    EXPECT_EQ(window->FileList()->RowCount(), 0);
    EXPECT_EQ(window->LinkList()->RowCount(), 0);
}

TEST_F(WindowBatchTest, ClosingTheWindowEndsTheBatchAndTheTool)
{
    for (int i = 0; i < 20; ++i)
        tree.File("f" + std::to_string(i) + ".torrent", TorrentBytes("alpha"));
    MessageBox::SetNextAnswer();
    FolderBrowser::SetNextAnswer(Root(tree));
    // A close from the window system arrives while the batch runs; the batch lets it through.
    QTimer::singleShot(0, window, [this] { window->close(); });

    QTest::mouseClick(window->BatchButton(), Qt::LeftButton);

    EXPECT_EQ(MessageBox::TakeAnsweredTexts().size(), 1);
    EXPECT_EQ(endRequests, 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_LT(window->LinkList()->RowCount(), 20);
}

}  // namespace
