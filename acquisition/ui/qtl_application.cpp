// Event-level error handler of the program.
#include "ui/qtl_application.h"

#include <exception>

#include "qtl_error.h"
#include "ui/interaction.h"

namespace qtl {

QtlApplication::QtlApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void reportCommandError(const std::exception& error) {
    interaction().showMessage(QString::fromUtf8(error.what()));
}

bool QtlApplication::notify(QObject* receiver, QEvent* event) {
    // What the command did before the error stays done; only its rest is skipped.
    try {
        return QApplication::notify(receiver, event);
    } catch (const CommandError& error) {
        reportCommandError(error);
    } catch (const std::exception& error) {
        reportCommandError(error);
    }
    return false;
}

}  // namespace qtl
