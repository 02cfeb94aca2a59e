#include "app/main_window.h"

#include "app/clipboard.h"
#include "app/colour.h"
#include "app/common_dlg.h"
#include "app/draw_panel.h"
#include "app/list_view.h"
#include "app/message_box.h"
#include "app/popup_menu.h"
#include "app/super_btn.h"
#include "app/trans_label.h"
#include "app/window_move.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QShortcut>

namespace {

constexpr uint32_t kWindowBack = 0x00E0CDA0;
constexpr uint32_t kCaptionBlue = 0x00CC9730;  // caption, buttons, close-box interior
constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kGreen = 0x0000FF00;
constexpr uint32_t kRed = 0x000000FF;
constexpr uint32_t kBlack = 0x00000000;

constexpr int kWidth = 688;
constexpr int kHeight = 403;

QString Title()
{
    return QStringLiteral("青岚BT转磁力链接工具");
}

QString CopiedMessage()
{
    return QStringLiteral("链接复制成功！右键点击粘贴到需要的位置\r\n");
}

void SetSixColours(SuperBtn* button)
{
    button->SetBkColorOut(ColorFromBgr(kCaptionBlue));
    button->SetBkColorIn(ColorFromBgr(kCaptionBlue));
    button->SetBkColorFocus(ColorFromBgr(kCaptionBlue));
    button->SetFgColorFocus(ColorFromBgr(kGreen));
    button->SetFgColorIn(ColorFromBgr(kGreen));
    button->SetFgColorOut(ColorFromBgr(kWhite));
}

template <class Control>
Control* Named(Control* control, const QString& name, QRect place)
{
    control->setObjectName(name);
    control->setGeometry(place);
    return control;
}

}  // namespace

MainWindow::MainWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    setWindowTitle(Title());
    setWindowIcon(QIcon(QStringLiteral(":/btmagnet/btmagnet.png")));
    setFixedSize(kWidth, kHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - kWidth) / 2, area.y() + (area.height() - kHeight) / 2);
    }

    m_caption = Named(new DrawPanel(this), QStringLiteral("画板1"), QRect(1, 0, 680, 50));
    m_caption->SetBackColor(ColorFromBgr(kGreen));
    m_singleButton = Named(new SuperBtn(QStringLiteral("单个BT转换"), m_caption),
                           QStringLiteral("超级按钮1"), QRect(81, 24, 72, 24));
    m_batchButton = Named(new SuperBtn(QStringLiteral("批量转换"), m_caption),
                          QStringLiteral("超级按钮2"), QRect(177, 24, 72, 24));
    // There is no chat group; the label invites users to say what goes wrong or could be better.
    m_invitation = Named(new TransLabel(QStringLiteral("遇到问题或有新的想法？\n"
                                                       "欢迎反馈，帮我们改进这个工具。"),
                                        TransLabel::Lines::Several, m_caption),
                         QStringLiteral("透明标签4"), QRect(367, 17, 208, 32));
    m_folderLabel = Named(new TransLabel(QString(), TransLabel::Lines::One, this),
                          QStringLiteral("透明标签2"), QRect(5, 51, 664, 20));
    m_fileLabel = Named(new TransLabel(QString(), TransLabel::Lines::One, this),
                        QStringLiteral("透明标签3"), QRect(5, 71, 664, 20));
    m_fileList = Named(new ListView({{QStringLiteral("本地BT文件位置"), 650}},
                                    ListView::Selection::Cell, this),
                       QStringLiteral("超级列表框1"), QRect(5, 89, 672, 132));
    m_linkHeading = Named(new TransLabel(QStringLiteral("↓↓↓转换后的磁力链接地址↓↓↓"),
                                         TransLabel::Lines::One, this),
                          QStringLiteral("透明标签1"), QRect(203, 220, 192, 24));
    m_linkList = Named(new ListView({{QStringLiteral("种子位置"), 100},
                                     {QStringLiteral("名称"), 100},
                                     {QStringLiteral("磁力链接地址"), 570}},
                                    ListView::Selection::WholeRow, this),
                       QStringLiteral("超级列表框2"), QRect(5, 244, 672, 132));
    m_openFileDialog = new CommonDlg(this);
    m_openFileDialog->setObjectName(QStringLiteral("通用对话框1"));

    m_linkMenu = new PopupMenu(QStringLiteral("当前链接"), this);
    m_linkMenu->AddItem(QStringLiteral("复制当前链接"), [this] { CopyCurrentLink(); });
    m_linkMenu->AddItem(QStringLiteral("复制全部链接"), [this] { CopyAllLinks(); });

    connect(m_caption, &DrawPanel::Paint, this, &MainWindow::PaintCaption);
    connect(m_caption, &DrawPanel::MouseMove, this, &MainWindow::OnCaptionMouseMove);
    connect(m_caption, &DrawPanel::LeftDown, this, &MainWindow::OnCaptionLeftDown);
    connect(m_linkList, &ListView::RightClicked, this, &MainWindow::OnLinkListRightClick);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);

    OnWindowCreated();
}

MainWindow::~MainWindow() = default;

void MainWindow::OnWindowCreated()
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, ColorFromBgr(kWindowBack));
    setPalette(colours);
    setAutoFillBackground(true);
    m_caption->resize(width(), m_caption->height());
    m_caption->resize(m_caption->width(), 50);
    m_caption->move(0, m_caption->y());
    m_caption->SetBackColor(ColorFromBgr(kCaptionBlue));
    SetSixColours(m_singleButton);
    SetSixColours(m_batchButton);
}

bool MainWindow::InCloseBox(int x, int y, int w)
{
    return double(x) - double(w - 35) > 1e-7 && double(x) - double(w - 5) < -1e-7 && y > 0 &&
           y < 35;
}

void MainWindow::PaintCaption(int, int, int, int)
{
    const int w = m_caption->width();
    m_caption->SetBrushStyle(Qt::SolidPattern);
    m_caption->SetBrushColor(ColorFromBgr(kCaptionBlue));
    m_caption->SetPenColor(ColorFromBgr(kWhite));
    m_caption->SetTextColor(ColorFromBgr(kBlack));
    m_caption->WriteText(10, 5, Title());
    m_caption->DrawRect(w - 35, 5, w - 5, 35);
    m_caption->SetTextColor(ColorFromBgr(kWhite));
    m_caption->WriteText(w - 29, 10, QStringLiteral("EST"));
}

void MainWindow::OnCaptionMouseMove(int x, int y, int)
{
    if (x <= 600 || y >= 38)
        return;  // outside the hover area nothing changes: a lit box stays lit
    const int w = m_caption->width();
    const int h = m_caption->height();
    if (InCloseBox(x, y, w)) {
        // The brush is still the caption blue the last PaintCaption set.
        m_caption->SetPenColor(ColorFromBgr(kRed));
        m_caption->SetTextColor(ColorFromBgr(kRed));
        m_caption->DrawRect(w - 35, 5, w - 5, 35);
        m_caption->WriteText(w - 29, 10, QStringLiteral("EST"));
    } else {
        PaintCaption(w - 40, 0, w, h);  // directly: nothing is erased first
    }
}

void MainWindow::OnCaptionLeftDown(int x, int y, int)
{
    MoveWindowWithPointer(this, m_caption->mapToGlobal(QPoint(x, y)));
    // The place of the press decides, not that of the release.
    if (x > 645 && y < 38 && InCloseBox(x, y, m_caption->width()))
        emit EndRequested();
}

void MainWindow::OnLinkListRightClick()
{
    if (m_linkList->SelectedRow() == -1)
        return;
    m_linkMenu->ShowPopupMenu();
}

void MainWindow::CopyCurrentLink()
{
    const int row = m_linkList->SelectedRow();
    if (row == -1)
        return;
    if (!SetClipboardText(m_linkList->GetCell(row, 2)))
        return;
    MessageBox::Show(CopiedMessage() + m_linkList->GetCell(row, 2));
}

void MainWindow::CopyAllLinks()
{
    if (m_linkList->SelectedRow() == -1)
        return;
    const int rows = m_linkList->RowCount();
    QString links;
    for (int row = 0; row < rows; ++row)
        links += m_linkList->GetCell(row, 2) + QStringLiteral("\r\n");
    if (!SetClipboardText(links))
        return;
    MessageBox::Show(CopiedMessage() + QStringLiteral("本次共复制链接 ") + QString::number(rows) +
                     QStringLiteral("  条"));
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit EndRequested();
}
