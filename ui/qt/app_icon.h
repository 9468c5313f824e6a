#pragma once

#include <QPixmap>

namespace quorran {

// The program's icon: icon 104, as the PNG that tools/make-icons draws from the same
// picture. Read as PNG and nothing else: QtGui reads PNG itself, whereas a reader left
// to detect the format (as QPixmap and QIcon do from a file name) first loads every
// image-format plugin.
QPixmap app_icon_picture();

}  // namespace quorran
