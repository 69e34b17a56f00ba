#include <QApplication>

#include "app/CabinetCoolApp.h"
#include "app/QtPlatformServices.h"
#include "app/Widgets.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CabinetCool"));
    QApplication::setFont(uiFont(9, false));
    QtPlatformServices platform;
    CabinetCoolApp app(platform, QCoreApplication::applicationDirPath());
    app.start();
    return QApplication::exec();
}
