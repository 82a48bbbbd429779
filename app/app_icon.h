#pragma once
// The program's icon, drawn in code: a small beige resistor with colour bands.

#include <QIcon>
#include <QImage>

namespace app {

QImage appIconImage(int size);
QIcon appIcon();

} // namespace app
