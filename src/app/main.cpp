#include <QApplication>

#include "app/ApplicationSetup.h"
#include "app/CabinetCoolApp.h"
#include "app/QtPlatformServices.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    setUpApplication();
    QtPlatformServices platform;
    CabinetCoolApp app(platform, QCoreApplication::applicationDirPath());
    app.start();
    return QApplication::exec();
}
