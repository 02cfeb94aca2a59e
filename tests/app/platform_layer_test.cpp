// The platform layer on its own: text conversion, the clipboard, the dialogs and the menu.

#include "app/clipboard.h"
#include "app/common_dlg.h"
#include "app/folder_browser.h"
#include "app/popup_menu.h"
#include "app/text_codec.h"
#include "tests/app/qt_test_support.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QTemporaryDir>

namespace {

TEST(TextFromBytes, ReadsUtf8AndFallsBackToGb18030)
{
    struct Case {
        const char* what;
        QByteArray bytes;
        QString text;
    };
    const Case cases[] = {
        {"empty", QByteArray(), QString()},
        {"ascii", QByteArray("ubuntu-22.04.iso"), QStringLiteral("ubuntu-22.04.iso")},
        {"utf-8", QByteArray("\xe7\xba\xaa\xe5\xbd\x95\xe7\x89\x87"), QStringLiteral("纪录片")},
        {"gbk", QByteArray("\xbc\xcd\xc2\xbc\xc6\xac"), QStringLiteral("纪录片")},
        {"gbk with ascii", QByteArray("[\xd6\xd0\xce\xc4]01.mkv"), QStringLiteral("[中文]01.mkv")},
        {"gb18030 four bytes", QByteArray("\x81\x30\x81\x30"), QString(QChar(0x80))},
        {"utf-8 cut short", QByteArray("\xe4\xb8"), QStringLiteral("涓")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextFromBytes(c.bytes), c.text) << c.what;
}

TEST(PathFromBytes, RoundTripsTheFileSystemsBytes)
{
    const QByteArray path("/home/lin/\xe4\xb8\x8b\xe8\xbd\xbd/a.torrent");
    EXPECT_EQ(PathFromBytes(path), QStringLiteral("/home/lin/下载/a.torrent"));
    EXPECT_EQ(BytesFromPath(PathFromBytes(path)), path);
}

TEST(SetClipboardText, PlacesTheTextOrReportsABusyClipboard)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    EXPECT_TRUE(SetClipboardText(QStringLiteral("a\r\nb\r\n")));
    EXPECT_EQ(clipboard->text(), QStringLiteral("a\r\nb\r\n"));
    EXPECT_TRUE(SetClipboardText(QString()));
    EXPECT_EQ(clipboard->text(), QString());

    clipboard->setText(QStringLiteral("kept"));
    SetClipboardBusyForTest(true);
    EXPECT_FALSE(SetClipboardText(QStringLiteral("lost")));
    SetClipboardBusyForTest(false);
    EXPECT_EQ(clipboard->text(), QStringLiteral("kept"));
}

TEST(CommonDlg, TurnsTheFilterIntoQtsForm)
{
    QWidget owner;
    CommonDlg dialog(&owner);
    dialog.SetFilter(QStringLiteral("种子文件(*.torrent)|*.torrent"));
    EXPECT_EQ(dialog.QtNameFilters(), QStringList{QStringLiteral("种子文件(*.torrent)")});
    dialog.SetFilter(QStringLiteral("A|*.a;*.b|B|*.c"));
    EXPECT_EQ(dialog.QtNameFilters(),
              (QStringList{QStringLiteral("A (*.a *.b)"), QStringLiteral("B (*.c)")}));
}

TEST(CommonDlg, AnswersFromTheSeamAndKeepsTheConfirmedPath)
{
    QWidget owner;
    CommonDlg dialog(&owner);
    dialog.SetFilter(QStringLiteral("种子文件(*.torrent)|*.torrent"));
    dialog.SetNextAnswer(QStringLiteral("/t/a.torrent"));
    EXPECT_TRUE(dialog.Show());
    EXPECT_EQ(dialog.FileName(), QStringLiteral("/t/a.torrent"));
    EXPECT_EQ(dialog.LastShownFilter(), QStringLiteral("种子文件(*.torrent)|*.torrent"));
    dialog.SetNextAnswer(std::nullopt);
    EXPECT_FALSE(dialog.Show());
    EXPECT_EQ(dialog.FileName(), QStringLiteral("/t/a.torrent"));  // offered next time
}

TEST(CommonDlg, RealDialogOffersTheLastPathAndTheFilter)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString file = folder.filePath(QStringLiteral("种子.torrent"));
    QFile(file).open(QIODevice::WriteOnly);
    QWidget owner;
    CommonDlg dialog(&owner);
    dialog.SetFilter(QStringLiteral("种子文件(*.torrent)|*.torrent"));
    dialog.SetNextAnswer(file);
    ASSERT_TRUE(dialog.Show());

    QStringList offered, filters;
    ModalWatcher reader([&](QWidget* open) {
        auto* shown = qobject_cast<QFileDialog*>(open);
        ASSERT_NE(shown, nullptr);
        offered = shown->selectedFiles();
        filters = shown->nameFilters();
        static_cast<QDialog*>(shown)->accept();  // the dialog's own accept checks the path
    });
    EXPECT_TRUE(dialog.Show());
    EXPECT_EQ(offered, QStringList{file});
    EXPECT_EQ(filters, QStringList{QStringLiteral("种子文件(*.torrent)")});
    EXPECT_EQ(dialog.FileName(), file);
}

TEST(BrowseForFolder, GivesThePathOrEmptyOnCancel)
{
    FolderBrowser::SetNextAnswer(QStringLiteral("/srv/torrents"));
    EXPECT_EQ(BrowseForFolder(QStringLiteral("请选择")), QStringLiteral("/srv/torrents"));
    EXPECT_EQ(FolderBrowser::LastTitle(), QStringLiteral("请选择"));
    FolderBrowser::SetNextAnswer(QString());
    EXPECT_EQ(BrowseForFolder(QStringLiteral("请选择")), QString());

    QString title;
    ModalWatcher canceller([&](QWidget* open) {
        title = open->windowTitle();
        if (auto* shown = qobject_cast<QFileDialog*>(open))
            shown->reject();
    });
    EXPECT_EQ(BrowseForFolder(QStringLiteral("选文件夹")), QString());
    EXPECT_EQ(title, QStringLiteral("选文件夹"));
}

TEST(PopupMenu, DismissingRunsNothing)
{
    QWidget owner;
    PopupMenu menu(QStringLiteral("当前链接"), &owner);
    int runs = 0;
    menu.AddItem(QStringLiteral("一"), [&] { ++runs; });
    ModalWatcher dismisser([](QWidget* open) { QTest::keyClick(open, Qt::Key_Escape); });
    menu.ShowPopupMenu();
    EXPECT_EQ(dismisser.Seen(), 1);
    EXPECT_EQ(runs, 0);
}

}  // namespace
