#include "app/window_move.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace {

int g_requests = 0;

// Runs while the left button is held: either the window system moves the window (and only the
// end is watched for), or the window is moved to follow the pointer.
class PointerFollower final : public QObject
{
public:
    PointerFollower(QWidget* window, QPoint anchor, bool follow)
        : m_window(window), m_follow(follow), m_start(window->pos()), m_anchor(anchor)
    {
    }

    void Run()
    {
        if (!(QGuiApplication::mouseButtons() & Qt::LeftButton))
            return;  // released already
        qApp->installEventFilter(this);
        m_loop.exec();
        qApp->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseMove: {
            const auto* move = static_cast<QMouseEvent*>(event);
            if (!(move->buttons() & Qt::LeftButton)) {
                m_loop.quit();  // the release went elsewhere (to the window system's move)
            } else if (m_follow) {
                const QPoint pointer = move->globalPosition().toPoint();
                m_window->move(m_start + (pointer - m_anchor));
            }
            return true;
        }
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                m_loop.quit();
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return true;
        case QEvent::Enter:
        case QEvent::Leave:
            if (!m_follow && !(QGuiApplication::mouseButtons() & Qt::LeftButton))
                m_loop.quit();
            return false;
        default:
            return false;
        }
    }

private:
    QWidget* m_window;
    bool m_follow;
    QPoint m_start;
    QPoint m_anchor;
    QEventLoop m_loop;
};

}  // namespace

void MoveWindowWithPointer(QWidget* window, QPoint pressedAt)
{
    ++g_requests;
    QWindow* handle = window->windowHandle();
    const bool systemMoves = handle && handle->startSystemMove();
    PointerFollower(window, pressedAt, !systemMoves).Run();
}

namespace WindowMove {

int RequestCount()
{
    return g_requests;
}

}  // namespace WindowMove
