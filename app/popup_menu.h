#pragma once
// A popup menu: a titled menu that is never shown in a menu bar, only as a popup.

#include <QMenu>
#include <functional>
#include <vector>

class PopupMenu final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PopupMenu)

public:
    PopupMenu(const QString& title, QWidget* parent);

    // Adds an enabled item without check mark or shortcut; `handler` runs when it is chosen.
    void AddItem(const QString& text, std::function<void()> handler);

    // Opens the items as a popup with its top-left corner 3 pixels right of and 3 pixels below
    // the pointer. An item is chosen with either mouse button (or the keyboard); its handler
    // runs after the menu has closed. Dismissing the menu runs nothing.
    void ShowPopupMenu();

    QMenu* Menu() const { return m_menu; }

private:
    QMenu* m_menu;  // owned by the parent widget
    std::vector<std::pair<QAction*, std::function<void()>>> m_items;
};
