// The program's application object. Its event-level handler turns an exception that ends a
// command (a file error, a formula error report) into the error box; the program goes on.
#pragma once

#include <QApplication>

namespace qtl {

class QtlApplication : public QApplication {
    Q_OBJECT
  public:
    QtlApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows the text of an exception that ended a command; used by the handler above and by
// code that runs outside Qt's event delivery.
void reportCommandError(const std::exception& error);

}  // namespace qtl
