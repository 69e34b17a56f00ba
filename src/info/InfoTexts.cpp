#include "info/InfoTexts.h"

QString programVersion() {
    return QStringLiteral("%1.%2.%3")
        .arg(CABINETCOOL_VERSION_MAJOR)
        .arg(CABINETCOOL_VERSION_MINOR)
        .arg(CABINETCOOL_VERSION_PATCH);
}
