#include "ui/placeholder_window.h"

PlaceholderWindow::PlaceholderWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("QTL"));
    resize(450, 80);
}
