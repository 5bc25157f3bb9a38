// The program's icon, drawn rather than shipped as a file.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace qtl {

QPixmap programPixmap(int size);
QIcon programIcon();

}  // namespace qtl
