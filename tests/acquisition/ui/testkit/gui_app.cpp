// Qt application and menu helpers for window tests.
#include "testkit/gui_app.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QWidget>
#include <clocale>
#include <memory>

#include <gtest/gtest.h>

#include "ui/qtl_application.h"

namespace qtl::testkit {

namespace {

// Owns the application; destroyed when the test program's environments are torn down,
// while Qt's own globals still exist (an application destroyed at exit crashes in Qt).
class ApplicationEnvironment : public ::testing::Environment {
  public:
    QtlApplication& app() {
        if (!app_) {
            if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
            app_ = std::make_unique<QtlApplication>(argc_, argv_);
            // Qt adopts the session's locale; the program's numbers always use the point.
            std::setlocale(LC_NUMERIC, "C");
        }
        return *app_;
    }
    void TearDown() override { app_.reset(); }

  private:
    int argc_ = 1;
    char name_[10] = "qtl-tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QtlApplication> app_;
};

ApplicationEnvironment* environment = nullptr;

}  // namespace

QApplication& application() {
    // gtest owns and deletes registered environments.
    if (environment == nullptr)
        environment = static_cast<ApplicationEnvironment*>(
            ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment));
    return environment->app();
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
