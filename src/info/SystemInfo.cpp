#include "info/SystemInfo.h"

#include "kit/PlatformServices.h"

namespace {

const QString kLocalMachine = QStringLiteral("HKEY_LOCAL_MACHINE");

// Where Windows keeps the path of its system-information tool; older
// systems keep only the folder of the shared tools.
const QString kMsinfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kMsinfoValue = QStringLiteral("PATH");
const QString kSharedToolsKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString kSharedToolsValue = QStringLiteral("MSINFO");
const QString kMsinfoExe = QStringLiteral("\\MSINFO32.EXE");

// The tool's full path, or empty text when Windows names none.
QString findWindowsSysInfo(PlatformServices& platform) {
    const KeyValue path = GetKeyValue(platform, kLocalMachine, kMsinfoKey, kMsinfoValue);
    if (path.found) return path.text;
    const KeyValue folder =
        GetKeyValue(platform, kLocalMachine, kSharedToolsKey, kSharedToolsValue);
    if (!folder.found) return {};
    const QString joined = folder.text + kMsinfoExe;
    return platform.fileExists(joined) ? joined : QString();
}

QString findOtherSysInfo(PlatformServices& platform) {
    for (const QString& name : systemInfoPrograms()) {
        const QString path = platform.findProgram(name);
        if (!path.isEmpty()) return path;
    }
    return {};
}

}  // namespace

KeyValue GetKeyValue(PlatformServices& platform, const QString& root, const QString& keyPath,
                     const QString& valueName) {
    QByteArray data;
    if (!platform.readRegistryValue(root, keyPath, valueName, &data)) return {};
    if (data.endsWith('\0')) data.chop(1);
    // The registry's narrow strings are in the system's code page.
    return {true, QString::fromLocal8Bit(data)};
}

SysInfoHost currentSysInfoHost() {
#ifdef Q_OS_WIN
    return SysInfoHost::Windows;
#else
    return SysInfoHost::Other;
#endif
}

const QStringList& systemInfoPrograms() {
    // Desktop tools that show the hardware and the system, as the Windows
    // tool does: two generations of HardInfo, KDE's Info Center, CPU-X.
    static const QStringList programs = {QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"),
                                         QStringLiteral("kinfocenter"), QStringLiteral("cpu-x")};
    return programs;
}

QString sysInfoUnavailableText() {
    return QStringLiteral("지금은 시스템 정보를 사용할 수 없습니다.");
}

void StartSysInfo(PlatformServices& platform, QWidget* parent, SysInfoHost host) {
    const QString program =
        host == SysInfoHost::Windows ? findWindowsSysInfo(platform) : findOtherSysInfo(platform);
    if (!program.isEmpty() && platform.startProgram(program, {})) return;
    platform.messageBox(parent, sysInfoUnavailableText());
}
