#pragma once

#include <QIcon>
#include <QPixmap>

// Our artwork, compiled into the program.
QPixmap logoPixmap();  // 335 x 131
QPixmap iconPixmap();  // 32 x 32
QIcon programIcon();   // for window title bars, in two sizes
