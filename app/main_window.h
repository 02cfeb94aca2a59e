#pragma once
// The tool's one window: a self-painted caption panel carrying the two command buttons, two
// status labels, the two result lists with their popup menu, and the copy commands.
//
// Controls carry their names as objectName: 画板1, 超级按钮1, 超级按钮2, 透明标签1..4,
// 超级列表框1, 超级列表框2, 通用对话框1.

#include <QWidget>

class CommonDlg;
class DrawPanel;
class ListView;
class PopupMenu;
class SuperBtn;
class TransLabel;

class MainWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    // Creates the window and its controls, then runs OnWindowCreated. Not shown yet.
    MainWindow();
    ~MainWindow() override;

    // The controls the conversion commands work with.
    SuperBtn* SingleButton() const { return m_singleButton; }  // 超级按钮1 "单个BT转换"
    SuperBtn* BatchButton() const { return m_batchButton; }    // 超级按钮2 "批量转换"
    TransLabel* FolderLabel() const { return m_folderLabel; }  // 透明标签2: folder searched
    TransLabel* FileLabel() const { return m_fileLabel; }      // 透明标签3: file converted
    ListView* FileList() const { return m_fileList; }          // 超级列表框1: paths
    ListView* LinkList() const { return m_linkList; }          // 超级列表框2: path, name, link
    CommonDlg* OpenFileDialog() const { return m_openFileDialog; }  // 通用对话框1

    // The close-box test of the caption: W − 35 < x < W − 5 and 0 < y < 35, W the panel's width.
    static bool InCloseBox(int x, int y, int w);

    // Event handlers.
    void OnWindowCreated();
    void PaintCaption(int left, int top, int right, int bottom);
    void OnCaptionMouseMove(int x, int y, int keys);
    void OnCaptionLeftDown(int x, int y, int keys);
    void OnLinkListRightClick();
    void CopyCurrentLink();
    void CopyAllLinks();

signals:
    // The tool is to end with exit code 0: the close box was pressed or the window was closed.
    void EndRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    DrawPanel* m_caption;
    SuperBtn* m_singleButton;
    SuperBtn* m_batchButton;
    TransLabel* m_invitation;
    TransLabel* m_folderLabel;
    TransLabel* m_fileLabel;
    ListView* m_fileList;
    TransLabel* m_linkHeading;
    ListView* m_linkList;
    CommonDlg* m_openFileDialog;
    PopupMenu* m_linkMenu;
};
