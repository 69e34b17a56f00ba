#include "kit/Artwork.h"

QPixmap logoPixmap() { return QPixmap(QStringLiteral(":/assets/art/cabinetcool-logo.png")); }

QPixmap iconPixmap() { return QPixmap(QStringLiteral(":/assets/art/cabinetcool-icon.png")); }

QIcon programIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/assets/art/cabinetcool-icon.png"));
    icon.addFile(QStringLiteral(":/assets/art/cabinetcool-icon-128.png"));
    return icon;
}
