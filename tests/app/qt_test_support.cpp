#include "tests/app/qt_test_support.h"

#include "app/main_window.h"
#include "app/message_box.h"

#include <QApplication>
#include <QMenu>
#include <QScreen>

namespace {

// The QApplication of the test run. GoogleTest lists the tests without running environments,
// so listing needs no display.
class QtEnvironment final : public ::testing::Environment
{
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "window_test";
        static char* argv[] = {name, nullptr};
        m_app = std::make_unique<QApplication>(argc, argv);
        // A test closes windows; closing the last one must not end the event loops for good.
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] ::testing::Environment* const g_qt =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

QImage ScreenOf(const QWidget& window)
{
    return window.screen()->grabWindow(window.winId()).toImage();
}

ModalWatcher::ModalWatcher(std::function<void(QWidget*)> answer) : m_answer(std::move(answer))
{
    QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
    m_timer.start(10);
}

ModalWatcher::~ModalWatcher() = default;

void ModalWatcher::Poll()
{
    QWidget* open = QApplication::activePopupWidget();
    if (!open)
        open = QApplication::activeModalWidget();
    if (!open || !open->isVisible())
        return;
    ++m_seen;
    if (m_answer)
        m_answer(open);
    if (open->isVisible())
        open->close();
}

void ShownWindow::SetUp()
{
    MessageBox::TakeAnsweredTexts();
    window = new MainWindow;
    QObject::connect(window, &MainWindow::EndRequested, [this] { ++endRequests; });
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

void ShownWindow::TearDown()
{
    delete window;
    EXPECT_TRUE(MessageBox::TakeAnsweredTexts().isEmpty()) << "an answered box was not checked";
}
