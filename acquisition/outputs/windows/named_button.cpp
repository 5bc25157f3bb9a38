// Named push buttons of the output dialogs.
#include "outputs/windows/named_button.h"

#include <QPushButton>

namespace qtl {

QPushButton* namedButton(QWidget* parent, const char* objectName, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(objectName));
    return b;
}

}  // namespace qtl
