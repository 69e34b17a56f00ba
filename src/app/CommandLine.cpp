#include "app/CommandLine.h"

#include <QUrl>
#include <QtGlobal>
#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

CommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine line;
    QStringList files;
    QString error;
    bool optionsEnded = false;
    for (const QString& argument : arguments) {
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded &&
                   (argument == QLatin1String("--help") || argument == QLatin1String("-h"))) {
            line.action = CommandLine::Action::Help;
            return line;
        } else if (!optionsEnded && argument == QLatin1String("--version")) {
            line.action = CommandLine::Action::Version;
            return line;
        } else if (!optionsEnded && argument.size() > 1 && argument.startsWith(u'-')) {
            if (error.isEmpty()) error = QStringLiteral("알 수 없는 옵션입니다: %1").arg(argument);
        } else if (argument.isEmpty()) {
            if (error.isEmpty()) error = QStringLiteral("파일 이름이 비어 있습니다.");
        } else if (argument.startsWith(QLatin1String("file:"))) {
            // Some desktops hand over an address even for a local file.
            files.append(QUrl(argument).toLocalFile());
        } else {
            files.append(argument);
        }
    }
    if (error.isEmpty() && files.size() > 1) {
        error =
            QStringLiteral("파일은 하나만 열 수 있습니다: %1").arg(files.join(QLatin1String(", ")));
    }
    if (!error.isEmpty()) {
        line.action = CommandLine::Action::Error;
        line.error = error;
        return line;
    }
    if (!files.isEmpty()) line.file = files.first();
    return line;
}

QString commandLineHelp() {
    return QStringLiteral(
        "사용법: cabinetcool [파일.ccproj | 파일.col]\n"
        "Usage: cabinetcool [FILE.ccproj | FILE.col]\n"
        "\n"
        "제어반의 열 설계 도구입니다. 파일을 주면 시작 화면 뒤에 엽니다: 프로젝트\n"
        "파일(.ccproj)은 프로젝트 창의 \"열기...\"처럼, 계산 파일(.col)은 주 화면의\n"
        "\"Open\"처럼 현재 제어반으로 엽니다.\n"
        "Thermal design of control cabinets. A file given opens after the start-up\n"
        "window: a project (.ccproj) as the project window's \"열기...\" opens it, a\n"
        "calculation file (.col) into the current cabinet as \"Open\" does.\n"
        "\n"
        "  -h, --help     이 안내를 보이고 끝냅니다 (show this help and exit)\n"
        "      --version  버전을 보이고 끝냅니다 (show the version and exit)\n"
        "\n"
        "창을 여는 데 그래픽 세션(X11 또는 Wayland)이 필요합니다.\n"
        "A graphical session (X11 or Wayland) is needed for the windows.\n");
}

QString commandLineVersion() {
    return QStringLiteral("CabinetCool %1.%2.%3\n")
        .arg(CABINETCOOL_VERSION_MAJOR)
        .arg(CABINETCOOL_VERSION_MINOR)
        .arg(CABINETCOOL_VERSION_PATCH);
}

QString missingDisplayMessage(const QStringList& rawArguments) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (!qEnvironmentVariableIsEmpty(name)) return {};
    }
    for (const QString& argument : rawArguments) {
        if (argument == QLatin1String("-platform") || argument == QLatin1String("--platform") ||
            argument.startsWith(QLatin1String("-platform=")) ||
            argument.startsWith(QLatin1String("--platform="))) {
            return {};
        }
    }
    return QStringLiteral(
        "cabinetcool: 그래픽 화면이 없어 창을 열 수 없습니다. 데스크톱 세션(X11 또는 Wayland)에서 "
        "실행하세요.\n"
        "cabinetcool: no graphical display: DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM are all "
        "unset. Start it from a desktop session (X11 or Wayland).\n");
#else
    Q_UNUSED(rawArguments);
    return {};
#endif
}

void writeToTerminal(const QString& text, bool error) {
#ifdef Q_OS_WIN
    // A windowed program has no console of its own; the one it was started
    // from, if any, shows the text.
    static const bool attached = [] {
        if (!AttachConsole(ATTACH_PARENT_PROCESS)) return false;
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
        return true;
    }();
    Q_UNUSED(attached);
#endif
    FILE* stream = error ? stderr : stdout;
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}
