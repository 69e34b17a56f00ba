#include "kit/ApplicationSetup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

#include "kit/Artwork.h"
#include "kit/Widgets.h"

namespace {

// What no window needs in its first moment on screen, done while the
// information window is up: the program icon of every title bar (decoding
// and handing it to each window costs the first window a few milliseconds)
// and Qt's own texts (file and print dialogs, message buttons, the fields'
// context menus) in Korean like the rest of the program; without the
// translation they stay English.
void finishSetUp() {
    QApplication::setWindowIcon(programIcon());
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_ko"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

// Well after the information window is on screen and long before the main
// window follows it.
constexpr int kFinishDelayMs = 200;

}  // namespace

void setUpApplication() {
    QApplication::setApplicationName(QStringLiteral("CabinetCool"));
    QApplication::setFont(uiFont(9, false));
    QTimer::singleShot(kFinishDelayMs, QCoreApplication::instance(), finishSetUp);
}
