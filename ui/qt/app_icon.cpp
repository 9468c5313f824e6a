#include "ui/qt/app_icon.h"

#include <QImageReader>

namespace quorran {

QPixmap app_icon_picture() {
    QImageReader reader(QStringLiteral(":/icons/quorran.png"), "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

}  // namespace quorran
