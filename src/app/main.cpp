#include <QApplication>
#include <QFileInfo>

#include "app/CommandLine.h"
#include "app/Form1.h"
#include "app/ProjectLinks.h"
#include "climate/ClimateCommands.h"
#include "devices/DeviceCommands.h"
#include "files/FileCommands.h"
#include "kit/ApplicationSetup.h"
#include "kit/CabinetCoolApp.h"
#include "kit/FileAccess.h"
#include "kit/QtPlatformServices.h"
#include "projectwindow/ProjectCommands.h"
#include "rise/RiseCommands.h"

#ifndef CABINETCOOL_RELATIVE_DATA_DIR
#define CABINETCOOL_RELATIVE_DATA_DIR "../share/cabinetcool"
#endif

int main(int argc, char* argv[]) {
    // --help and --version answer before anything graphical starts, so that
    // they work without a display too.
    QStringList rawArguments;
    for (int i = 1; i < argc; ++i) rawArguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine early = parseCommandLine(rawArguments);
    if (early.action == CommandLine::Action::Help) {
        writeToTerminal(commandLineHelp(), false);
        return 0;
    }
    if (early.action == CommandLine::Action::Version) {
        writeToTerminal(commandLineVersion(), false);
        return 0;
    }
    if (const QString message = missingDisplayMessage(rawArguments); !message.isEmpty()) {
        writeToTerminal(message, true);
        return 1;
    }

    QApplication application(argc, argv);
    // Read again without the options Qt has taken for itself (-platform, -style, ...).
    const CommandLine line = parseCommandLine(QCoreApplication::arguments().mid(1));
    if (line.action == CommandLine::Action::Error) {
        writeToTerminal(QStringLiteral("cabinetcool: %1\ncabinetcool --help\n").arg(line.error),
                        true);
        return 2;
    }

    setUpApplication();
    // A save into a file that had to be overwritten in place, cut off by a
    // crash or a kill, gets the file's old content back.
    recoverUnfinishedSaves();
    QtPlatformServices platform;
    CabinetCoolApp app(platform,
                       desktopInstallPaths(QCoreApplication::applicationDirPath(),
                                           QStringLiteral(CABINETCOOL_RELATIVE_DATA_DIR)));
    app.start<Form1>();
    keepClimateWindowReady(app);
    keepRiseWindowReady(app);
    keepDevicesWindowReady(app);
    keepProjectWindowReady(app);
    // A project that a run which did not end left unsaved comes back first.
    QWidget* form = app.mainWindow() ? app.mainWindow()->widget() : nullptr;
    offerProjectRecovery(app, form);
    if (!line.file.isEmpty()) openNamedFile(app, form, QFileInfo(line.file).absoluteFilePath());
    return QApplication::exec();
}
