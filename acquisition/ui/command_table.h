// A window's commands as one table: each entry gives a menu item's caption, object name,
// shortcut, enabling rule and handler. The window builds its menu bar and tool bar from its
// table, and the tests check the table instead of a copy of the menu code.
#pragma once

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QObject>
#include <QStyle>
#include <QToolBar>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace qtl {

// One menu of the menu bar, in the order of the bar.
template <class Window>
struct WindowMenu {
    const char* objectName = "";
    const char* caption = "";          // UTF-8, exactly as shown
    QMenu* Window::*member = nullptr;  // where the window keeps it, if anywhere
    bool visible = true;
};

// One command. `Rule` is the type of the enabling rule: a plain function over the window's
// model or state (no widgets), so that a rule can be tested without a window.
template <class Window, class Rule>
struct WindowCommand {
    const char* menu = nullptr;  // object name of its menu; nullptr: shortcut only
    const char* objectName = "";
    const char* caption = "";            // UTF-8, exactly as shown
    const char* hint = "";               // status line text
    const char* shortcut = "";           // QKeySequence text ("Ctrl+O"), empty for none
    Rule enabled = nullptr;              // nullptr: the entry keeps its start state
    void (*handler)(Window&) = nullptr;  // nullptr: the entry does nothing (yet)
    QAction* Window::*member = nullptr;  // where the window keeps the action, if anywhere
    bool separator = false;
    bool checkable = false;
    bool startsEnabled = true;
    bool toolBar = false;
    std::optional<QStyle::StandardPixmap> icon = std::nullopt;
};

// The command of the table with this object name, or nullptr.
template <class Command>
const Command* findCommand(std::span<const Command> table, std::string_view objectName) {
    for (const Command& c : table) {
        if (objectName == c.objectName) return &c;
    }
    return nullptr;
}

// Builds the menus and actions of `table` into `window` (menus on its menu bar, shortcut-only
// commands on the window itself, tool bar entries on `toolBar`), connects the handlers and
// returns the actions in the order of the table.
template <class Window, class Rule>
std::vector<QAction*> buildCommands(Window& window, std::span<const WindowMenu<Window>> menus,
                                    std::span<const WindowCommand<Window, Rule>> table,
                                    QToolBar* toolBar = nullptr) {
    std::vector<std::pair<std::string_view, QMenu*>> built;
    for (const WindowMenu<Window>& m : menus) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromUtf8(m.caption));
        menu->setObjectName(QString::fromLatin1(m.objectName));
        menu->menuAction()->setVisible(m.visible);
        if (m.member != nullptr) window.*m.member = menu;
        built.emplace_back(m.objectName, menu);
    }
    std::vector<QAction*> actions;
    actions.reserve(table.size());
    for (const WindowCommand<Window, Rule>& c : table) {
        QMenu* menu = nullptr;
        for (const auto& [name, m] : built) {
            if (c.menu != nullptr && name == c.menu) menu = m;
        }
        QAction* action = nullptr;
        if (c.separator) {
            action = menu != nullptr ? menu->addSeparator() : new QAction(&window);
            action->setSeparator(true);
        } else if (menu != nullptr) {
            action = menu->addAction(QString::fromUtf8(c.caption));
        } else {
            action = new QAction(QString::fromUtf8(c.caption), &window);
            window.addAction(action);
        }
        action->setObjectName(QString::fromLatin1(c.objectName));
        // A separator keeps its caption, as the menu lists it among its items.
        if (c.separator) action->setText(QString::fromUtf8(c.caption));
        if (*c.hint != '\0') action->setStatusTip(QString::fromUtf8(c.hint));
        if (*c.shortcut != '\0') action->setShortcut(QKeySequence(QString::fromLatin1(c.shortcut)));
        if (c.icon) action->setIcon(window.style()->standardIcon(*c.icon));
        action->setCheckable(c.checkable);
        action->setEnabled(c.startsEnabled);
        if (c.toolBar && toolBar != nullptr) toolBar->addAction(action);
        if (c.handler != nullptr) {
            QObject::connect(action, &QAction::triggered, &window,
                             [&window, handler = c.handler] { handler(window); });
        }
        if (c.member != nullptr) window.*c.member = action;
        actions.push_back(action);
    }
    return actions;
}

}  // namespace qtl
