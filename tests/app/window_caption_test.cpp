// The window, its controls' places and colours, the painted caption with its close box, moving
// and ending.

#include "app/colour.h"
#include "app/draw_panel.h"
#include "app/list_view.h"
#include "app/main_window.h"
#include "app/super_btn.h"
#include "app/trans_label.h"
#include "app/window_move.h"
#include "tests/app/qt_test_support.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QSignalSpy>

namespace {

const QColor kWindowBack(160, 205, 224);
const QColor kCaptionBlue(48, 151, 204);
const QColor kWhite(255, 255, 255);
const QColor kGreen(0, 255, 0);
const QColor kRed(255, 0, 0);

TEST(ColorFromBgr, RedIsTheLowByte)
{
    EXPECT_EQ(ColorFromBgr(0x00E0CDA0), kWindowBack);
    EXPECT_EQ(ColorFromBgr(0x00CC9730), kCaptionBlue);
    EXPECT_EQ(ColorFromBgr(0x000000FF), kRed);
    EXPECT_EQ(ColorFromBgr(0x0000FF00), kGreen);
}

TEST(CloseBox, TestCoversTheBoxWithoutItsLeftColumnAndTheRowsAboveIt)
{
    struct Case {
        int x, y;
        bool inside;
    };
    // W = 688: the outline occupies columns 653..682 and rows 5..34.
    const Case cases[] = {
        {653, 20, false}, {654, 20, true},  {682, 20, true}, {683, 20, false},
        {667, 0, false},  {667, 1, true},   {667, 4, true},  {667, 34, true},
        {667, 35, false}, {654, 1, true},   {682, 34, true}, {646, 20, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MainWindow::InCloseBox(c.x, c.y, 688), c.inside) << c.x << ", " << c.y;
}

class Window : public ShownWindow
{
protected:
    QColor CaptionPixel(int x, int y) const { return ScreenOf(*window).pixelColor(x, y); }
    void MoveOverCaption(int x, int y) { QTest::mouseMove(Control<DrawPanel>("画板1"), {x, y}); }
};

TEST_F(Window, HasItsTitleSizeAndPlace)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("青岚BT转磁力链接工具"));
    EXPECT_EQ(window->size(), QSize(688, 403));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(window->windowIcon().pixmap(32, 32).isNull());
    const QRect screen = window->screen()->geometry();
    EXPECT_EQ(window->pos(), QPoint((screen.width() - 688) / 2, (screen.height() - 403) / 2));
}

TEST_F(Window, ControlsHaveTheirKindParentAndPlace)
{
    struct Place {
        const char* name;
        const char* parent;
        QRect geometry;
    };
    const Place places[] = {
        {"画板1", nullptr, {0, 0, 688, 50}},
        {"超级按钮1", "画板1", {81, 24, 72, 24}},
        {"超级按钮2", "画板1", {177, 24, 72, 24}},
        {"透明标签4", "画板1", {367, 17, 208, 32}},
        {"透明标签2", nullptr, {5, 51, 664, 20}},
        {"透明标签3", nullptr, {5, 71, 664, 20}},
        {"超级列表框1", nullptr, {5, 89, 672, 132}},
        {"透明标签1", nullptr, {203, 220, 192, 24}},
        {"超级列表框2", nullptr, {5, 244, 672, 132}},
    };
    for (const Place& p : places) {
        QWidget* control = Control<QWidget>(p.name);
        ASSERT_NE(control, nullptr);
        const QWidget* parent = p.parent ? Control<QWidget>(p.parent) : window;
        EXPECT_EQ(control->parentWidget(), parent) << p.name;
        EXPECT_EQ(control->geometry(), p.geometry) << p.name;
    }
    EXPECT_NE(Control<SuperBtn>("超级按钮1"), nullptr);
    EXPECT_NE(Control<SuperBtn>("超级按钮2"), nullptr);
    EXPECT_NE(Control<ListView>("超级列表框1"), nullptr);
    EXPECT_NE(Control<ListView>("超级列表框2"), nullptr);
    for (const char* label : {"透明标签1", "透明标签2", "透明标签3", "透明标签4"})
        EXPECT_NE(Control<TransLabel>(label), nullptr) << label;
    EXPECT_EQ(Control<SuperBtn>("超级按钮1")->text(), QStringLiteral("单个BT转换"));
    EXPECT_EQ(Control<SuperBtn>("超级按钮2")->text(), QStringLiteral("批量转换"));
    EXPECT_EQ(Control<TransLabel>("透明标签1")->text(), QStringLiteral("↓↓↓转换后的磁力链接地址↓↓↓"));
    EXPECT_EQ(Control<TransLabel>("透明标签4")->text().count(QLatin1Char('\n')), 1);
    EXPECT_TRUE(Control<TransLabel>("透明标签2")->text().isEmpty());
    EXPECT_NE(window->findChild<QObject*>(QStringLiteral("通用对话框1")), nullptr);
}

TEST_F(Window, ShowsItsColours)
{
    const QImage screen = ScreenOf(*window);
    EXPECT_EQ(screen.pixelColor(2, 395), kWindowBack);   // below the lower list
    EXPECT_EQ(screen.pixelColor(300, 45), kCaptionBlue);  // caption, below the buttons
    EXPECT_EQ(Control<DrawPanel>("画板1")->BackColor(), kCaptionBlue);
    for (const char* name : {"透明标签1", "透明标签4"})
        EXPECT_EQ(Control<TransLabel>(name)->palette().color(QPalette::WindowText), Qt::black);

    auto* button = Control<SuperBtn>("超级按钮1");
    Control<ListView>("超级列表框1")->setFocus();  // the button has the focus at the start
    EXPECT_EQ(button->CurrentBkColor(), kCaptionBlue);
    EXPECT_EQ(button->CurrentFgColor(), kWhite);
    EXPECT_EQ(screen.pixelColor(button->geometry().topLeft() + QPoint(4, 12)), kCaptionBlue);
    QCursor::setPos(button->mapToGlobal(QPoint(36, 12)));
    EXPECT_SOON(button->CurrentFgColor() == kGreen);
    QCursor::setPos(window->mapToGlobal(QPoint(300, 45)));
    EXPECT_SOON(button->CurrentFgColor() == kWhite);
    button->setFocus();
    EXPECT_EQ(button->CurrentFgColor(), kGreen);
    EXPECT_EQ(button->CurrentBkColor(), kCaptionBlue);
}

TEST_F(Window, CaptionShowsTitleAndCloseBoxAtRest)
{
    const QImage screen = ScreenOf(*window);
    for (QPoint outline : {QPoint(653, 20), QPoint(682, 20), QPoint(667, 5), QPoint(667, 34)})
        EXPECT_EQ(screen.pixelColor(outline), kWhite) << outline.x() << ", " << outline.y();
    for (QPoint outside : {QPoint(652, 20), QPoint(683, 20), QPoint(667, 4), QPoint(667, 35)})
        EXPECT_EQ(screen.pixelColor(outside), kCaptionBlue) << outside.x() << ", " << outside.y();
    EXPECT_EQ(screen.pixelColor(655, 32), kCaptionBlue);  // interior
    // The title is black text at (10, 5): some of its pixels are dark, none above row 5.
    bool dark = false;
    for (int x = 10; x < 150; ++x) {
        EXPECT_EQ(screen.pixelColor(x, 4), kCaptionBlue) << x;
        for (int y = 5; y < 25; ++y)
            dark = dark || screen.pixelColor(x, y).lightness() < 40;
    }
    EXPECT_TRUE(dark);
}

TEST_F(Window, CloseBoxLightsUnderThePointerAndRestsOutsideIt)
{
    MoveOverCaption(660, 20);
    EXPECT_SOON(CaptionPixel(653, 20) == kRed);
    EXPECT_EQ(CaptionPixel(682, 34), kRed);
    EXPECT_EQ(CaptionPixel(655, 32), kCaptionBlue);

    MoveOverCaption(620, 20);  // hover area, outside the box
    EXPECT_SOON(CaptionPixel(653, 20) == kWhite);

    MoveOverCaption(660, 20);
    EXPECT_SOON(CaptionPixel(653, 20) == kRed);
    MoveOverCaption(660, 45);  // out of the hover area downwards: the box stays lit
    QApplication::processEvents();
    EXPECT_EQ(CaptionPixel(653, 20), kRed);
    MoveOverCaption(590, 20);  // out of it to the left
    QApplication::processEvents();
    EXPECT_EQ(CaptionPixel(653, 20), kRed);

    Control<DrawPanel>("画板1")->update();  // a repaint of the panel puts it back to rest
    EXPECT_SOON(CaptionPixel(653, 20) == kWhite);
}

TEST_F(Window, RedrawingTheCaptionOverItselfKeepsItsLook)
{
    auto* caption = Control<DrawPanel>("画板1");
    const QImage rest = caption->Picture();
    for (int i = 0; i < 30; ++i)
        MoveOverCaption(610 + i, 20);
    MoveOverCaption(660, 20);
    MoveOverCaption(620, 20);
    EXPECT_EQ(caption->Picture(), rest);
    // On the screen too: the title (left of the buttons and the label) and the close box.
    for (const QRect part : {QRect(0, 0, 360, 24), QRect(600, 0, 88, 50)}) {
        const QImage expected = rest.copy(part).convertToFormat(QImage::Format_RGB32);
        EXPECT_SOON(ScreenOf(*window).copy(part).convertToFormat(QImage::Format_RGB32) ==
                    expected);
    }
}

// Presses the left button at `at` on the caption; `whileHeld` runs inside the move, then the
// button is released there.
void PressCaption(QWidget* caption, QPoint at, std::function<void()> whileHeld = {})
{
    QTimer::singleShot(0, caption, [=] {
        if (whileHeld)
            whileHeld();
        QTest::mouseRelease(caption, Qt::LeftButton, {}, at);
    });
    QTest::mousePress(caption, Qt::LeftButton, {}, at);
}

TEST_F(Window, PressInTheCloseBoxEndsTheToolAfterTheMove)
{
    const int moves = WindowMove::RequestCount();
    PressCaption(Control<DrawPanel>("画板1"), {660, 20});
    EXPECT_EQ(WindowMove::RequestCount(), moves + 1);
    EXPECT_EQ(endRequests, 1);

    PressCaption(Control<DrawPanel>("画板1"), {653, 20});  // the left outline is outside
    EXPECT_EQ(endRequests, 1);
}

TEST_F(Window, PressElsewhereDragsTheWindowAndEndsNothing)
{
    auto* caption = Control<DrawPanel>("画板1");
    const QPoint start = window->pos();
    PressCaption(caption, {300, 10});  // no move: the window stays
    EXPECT_EQ(window->pos(), start);

    PressCaption(caption, {300, 10}, [&] { QTest::mouseMove(caption, {330, 20}); });
    EXPECT_SOON(window->pos() == start + QPoint(30, 10));
    EXPECT_EQ(endRequests, 0);
}

TEST_F(Window, PressOnAButtonIsItsClickAndNoMove)
{
    auto* button = Control<SuperBtn>("超级按钮2");
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    const int moves = WindowMove::RequestCount();
    QTest::mouseClick(button, Qt::LeftButton, {}, {36, 12});
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(WindowMove::RequestCount(), moves);
}

TEST_F(Window, EscapeClosesIt)
{
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_EQ(endRequests, 1);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(Window, LabelShowsItsTextAtOnce)
{
    auto* label = Control<TransLabel>("透明标签2");
    const QRect box = label->geometry();
    auto darkPixels = [&] {
        const QImage shown = ScreenOf(*window).copy(box);
        int dark = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                dark += shown.pixelColor(x, y).lightness() < 60;
        return dark;
    };
    EXPECT_EQ(darkPixels(), 0);
    label->SetText(QStringLiteral("正在搜索目录： /home/lin/下载/"));
    EXPECT_GT(darkPixels(), 20);  // no event was processed in between
}

}  // namespace
