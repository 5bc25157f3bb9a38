// Qt application and menu helpers for window tests.
#include "testkit/gui_app.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QWidget>
#include <memory>

#include "ui/qtl_application.h"

namespace qtl::testkit {

QApplication& application() {
    static int argc = 1;
    static char name[] = "qtl-tests";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QtlApplication> app = [] {
        qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty()
                                       ? QByteArray("offscreen")
                                       : qgetenv("QT_QPA_PLATFORM"));
        return std::make_unique<QtlApplication>(argc, argv);
    }();
    return *app;
}

void processEvents() {
    QApplication::processEvents();
}

namespace {

QAction* searchMenu(const QList<QAction*>& actions, const QString& text) {
    for (QAction* action : actions) {
        if (action->text() == text) return action;
        if (QMenu* menu = action->menu()) {
            if (QAction* found = searchMenu(menu->actions(), text)) return found;
        }
    }
    return nullptr;
}

}  // namespace

QAction* findAction(const QWidget& window, const QString& text) {
    if (QAction* found = searchMenu(window.actions(), text)) return found;
    for (const QMenu* menu : window.findChildren<QMenu*>()) {
        if (menu->title() == text) return menu->menuAction();
        if (QAction* found = searchMenu(menu->actions(), text)) return found;
    }
    return nullptr;
}

}  // namespace qtl::testkit
