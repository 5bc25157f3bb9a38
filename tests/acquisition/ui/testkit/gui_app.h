// Qt application and menu helpers for window tests (run with QT_QPA_PLATFORM=offscreen).
#pragma once

#include <QString>

class QAction;
class QApplication;
class QWidget;

namespace qtl::testkit {

// The one application of the test program (the program's own, with its error handler),
// created on first use.
QApplication& application();

// Lets queued events and due zero-delay timers run.
void processEvents();

// The action of `window` (menus, sub-menus, hidden ones too) whose text is `text`,
// or nullptr when there is none.
QAction* findAction(const QWidget& window, const QString& text);

}  // namespace qtl::testkit
