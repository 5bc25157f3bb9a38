// A push button that tests and the screenshot mode find by its object name, as the output
// dialogs build them.
#pragma once

#include <QString>

class QPushButton;
class QWidget;

namespace qtl {

QPushButton* namedButton(QWidget* parent, const char* objectName, const QString& caption);

}  // namespace qtl
