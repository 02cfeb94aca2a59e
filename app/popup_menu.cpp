#include "app/popup_menu.h"

#include <QCursor>

PopupMenu::PopupMenu(const QString& title, QWidget* parent)
    : QObject(parent), m_menu(new QMenu(title, parent))
{
}

void PopupMenu::AddItem(const QString& text, std::function<void()> handler)
{
    QAction* action = m_menu->addAction(text);
    m_items.emplace_back(action, std::move(handler));
}

void PopupMenu::ShowPopupMenu()
{
    // exec() returns once the menu has closed, so the chosen handler runs outside it.
    QAction* chosen = m_menu->exec(QCursor::pos() + QPoint(3, 3));
    for (const auto& [action, handler] : m_items) {
        if (action == chosen) {
            handler();
            return;
        }
    }
}
