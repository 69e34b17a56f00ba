#include "app/ApplicationSetup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/Widgets.h"
#include "info/InfoWidgets.h"

void setUpApplication() {
    QApplication::setApplicationName(QStringLiteral("CabinetCool"));
    QApplication::setFont(uiFont(9, false));
    QApplication::setWindowIcon(programIcon());
    // Qt's own dialogs (files, printing, message buttons) speak Korean like
    // the rest of the program; without the translation they stay English.
    auto* qtKorean = new QTranslator(qApp);
    if (qtKorean->load(QStringLiteral("qtbase_ko"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(qtKorean);
    } else {
        delete qtKorean;
    }
}
