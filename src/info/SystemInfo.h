#pragma once

#include <QString>
#include <QStringList>

class PlatformServices;
class QWidget;

// One registry value as text: found is false, and the text empty, when the
// key or the value does not exist.
struct KeyValue {
    bool found = false;
    QString text;
};

// Reads a string value of the registry. The length the registry reports
// includes the terminating zero byte of a string; a last zero byte is
// dropped, data that ends on another byte is taken whole.
KeyValue GetKeyValue(PlatformServices& platform, const QString& root, const QString& keyPath,
                     const QString& valueName);

// Where the system-information tool is looked for: the Windows registry, or
// the programs of another desktop.
enum class SysInfoHost { Windows, Other };
SysInfoHost currentSysInfoHost();

// The system-information programs of other desktops, the first one installed
// is started.
const QStringList& systemInfoPrograms();

// The message when no system-information tool can be started.
QString sysInfoUnavailableText();

// "시스템 정보(&S)...": starts the platform's system-information tool, or
// tells the user in a message box over `parent` that there is none.
void StartSysInfo(PlatformServices& platform, QWidget* parent,
                  SysInfoHost host = currentSysInfoHost());
