#pragma once

#include <QString>

// Our own texts of the start-up window and the About box. The two windows
// and the main window's footer say the same things about the program.

// The short legal notice under the title.
inline QString noticeText() {
    return QStringLiteral("© CabinetCool. 무단 복제와 배포를 금합니다.");
}

inline QString companyText() { return QStringLiteral("CabinetCool"); }

// Where the maker's telephone and fax numbers would stand: we publish none,
// so the line says whom to ask and where the guide is.
inline QString contactText() {
    return QStringLiteral("문의: CabinetCool 개발팀 · 먼저 사용 안내를 보세요.");
}

// The About box's legal warning.
inline QString disclaimerText() {
    return QStringLiteral(
        "이 프로그램의 모든 권리는 CabinetCool에 있습니다. 계산 결과는 설계 참고용입니다.");
}

// The fixed version text of the start-up window.
inline QString startUpVersionText() { return QStringLiteral("Ver 1.0.006"); }

// The program's version as the build sets it, "major.minor.patch".
QString programVersion();
