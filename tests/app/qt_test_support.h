#pragma once
// What the window tests share: one QApplication for the whole run, waiting for a condition, and
// a watcher for popup menus and modal dialogs.

#include "app/main_window.h"

#include <QImage>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

// Processes events until `cond` holds (up to 5 s); the test fails when it never does.
#define EXPECT_SOON(cond) EXPECT_TRUE(QTest::qWaitFor([&] { return bool(cond); }, 5000)) << #cond

// What the screen shows of `window` (not a repaint: QWidget::grab would paint afresh).
QImage ScreenOf(const QWidget& window);

// Runs `answer` on each popup menu or modal dialog that opens while it lives, then closes that
// popup or dialog if `answer` left it open. Counts what it saw.
class ModalWatcher final
{
public:
    explicit ModalWatcher(std::function<void(QWidget*)> answer = {});
    ~ModalWatcher();
    int Seen() const { return m_seen; }

private:
    void Poll();

    std::function<void(QWidget*)> m_answer;
    QTimer m_timer;
    int m_seen = 0;
};

// A shown, exposed and active main window, with the tool's ending recorded instead of done.
class ShownWindow : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;
    template <class T>
    T* Control(const char* name) const;

    MainWindow* window = nullptr;
    int endRequests = 0;
};

template <class T>
T* ShownWindow::Control(const char* name) const
{
    T* control = window->findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

// Readable failure messages.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QPoint& point, std::ostream* os)
{
    *os << '(' << point.x() << ", " << point.y() << ')';
}
inline void PrintTo(const QColor& color, std::ostream* os)
{
    *os << "rgb(" << color.red() << ", " << color.green() << ", " << color.blue() << ')';
}
