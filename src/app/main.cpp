#include <QApplication>

#include "app/Form1.h"
#include "kit/ApplicationSetup.h"
#include "kit/CabinetCoolApp.h"
#include "kit/QtPlatformServices.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    setUpApplication();
    QtPlatformServices platform;
    CabinetCoolApp app(platform, QCoreApplication::applicationDirPath());
    app.start<Form1>();
    return QApplication::exec();
}
