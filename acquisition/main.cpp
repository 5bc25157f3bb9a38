// qtl32: start-up of the measurement workbench.
#include <QApplication>

#include "ui/placeholder_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PlaceholderWindow w;
    w.show();
    return app.exec();
}
