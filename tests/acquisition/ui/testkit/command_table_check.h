// One check of a window's command table: the table holds the menus and captions the window
// must show, and the window's menu bar is exactly what the table describes.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "ui/command_table.h"

namespace qtl::testkit {

// A menu as the user must see it: its caption and its items as (object name, caption).
struct ShownMenu {
    const char* caption;
    std::vector<std::pair<const char*, const char*>> items;
};

// The table against what must be shown, then the built menu bar and window actions against
// the table (names, captions, shortcuts, hints, check marks, start states, visibility).
template <class Window, class Rule>
void expectCommandTable(const Window& window, std::span<const WindowMenu<Window>> menus,
                        std::span<const WindowCommand<Window, Rule>> table,
                        const std::vector<ShownMenu>& shown) {
    ASSERT_EQ(menus.size(), shown.size());
    for (std::size_t m = 0; m < menus.size(); ++m) {
        EXPECT_STREQ(menus[m].caption, shown[m].caption);
        std::vector<std::pair<std::string, std::string>> inTable, mustShow;
        for (const auto& c : table) {
            if (c.menu != nullptr && std::string(c.menu) == menus[m].objectName)
                inTable.emplace_back(c.objectName, c.caption);
        }
        for (const auto& [name, caption] : shown[m].items) mustShow.emplace_back(name, caption);
        EXPECT_EQ(inTable, mustShow) << shown[m].caption;
    }

    const QList<QAction*> bar = window.menuBar()->actions();
    ASSERT_EQ(bar.size(), qsizetype(menus.size()));
    for (std::size_t m = 0; m < menus.size(); ++m) {
        QMenu* menu = bar[qsizetype(m)]->menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->title(), QString::fromUtf8(menus[m].caption));
        EXPECT_EQ(menu->objectName(), QString::fromLatin1(menus[m].objectName));
        EXPECT_EQ(bar[qsizetype(m)]->isVisible(), menus[m].visible) << menus[m].caption;
        if (menus[m].member != nullptr) {
            EXPECT_EQ(window.*menus[m].member, menu);
        }
        qsizetype i = 0;
        const QList<QAction*> actions = menu->actions();
        for (const auto& c : table) {
            if (c.menu == nullptr || std::string(c.menu) != menus[m].objectName) continue;
            ASSERT_LT(i, actions.size()) << c.objectName;
            const QAction* a = actions[i++];
            EXPECT_EQ(a->objectName(), QString::fromLatin1(c.objectName));
            EXPECT_EQ(a->isSeparator(), c.separator) << c.objectName;
            EXPECT_EQ(a->text(), QString::fromUtf8(c.caption)) << c.objectName;
            EXPECT_EQ(a->statusTip(), QString::fromUtf8(c.hint)) << c.objectName;
            EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromLatin1(c.shortcut))) << c.objectName;
            EXPECT_EQ(a->isCheckable(), c.checkable) << c.objectName;
            EXPECT_FALSE(a->isChecked()) << c.objectName;
            EXPECT_TRUE(a->isVisible()) << c.objectName;
            // A rule may already have changed the start state.
            if (c.enabled == nullptr) {
                EXPECT_EQ(a->isEnabled(), c.startsEnabled) << c.objectName;
            }
            if (c.member != nullptr) {
                EXPECT_EQ(window.*c.member, a) << c.objectName;
            }
        }
        EXPECT_EQ(i, actions.size()) << menus[m].caption << ": items the table does not hold";
    }
    for (const auto& c : table) {
        if (c.menu != nullptr) continue;
        const QAction* found = nullptr;
        for (const QAction* a : window.actions())
            if (a->objectName() == QString::fromLatin1(c.objectName)) found = a;
        ASSERT_NE(found, nullptr) << c.objectName << " is reachable by its shortcut";
        EXPECT_EQ(found->text(), QString::fromUtf8(c.caption));
        EXPECT_EQ(found->shortcut(), QKeySequence(QString::fromLatin1(c.shortcut)));
    }
}

}  // namespace qtl::testkit
