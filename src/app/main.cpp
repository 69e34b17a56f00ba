#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/CabinetCoolApp.h"
#include "app/QtPlatformServices.h"
#include "app/Widgets.h"
#include "info/InfoWidgets.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CabinetCool"));
    QApplication::setFont(uiFont(9, false));
    QApplication::setWindowIcon(programIcon());
    // Qt's own dialogs (files, printing, message buttons) speak Korean like
    // the rest of the program; without the translation they stay English.
    QTranslator qtKorean;
    if (qtKorean.load(QStringLiteral("qtbase_ko"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtKorean);
    }
    QtPlatformServices platform;
    CabinetCoolApp app(platform, QCoreApplication::applicationDirPath());
    app.start();
    return QApplication::exec();
}
