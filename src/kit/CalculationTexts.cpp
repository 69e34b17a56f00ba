#include "kit/CalculationTexts.h"

#include <QStringList>

#include "data/IniFile.h"
#include "data/ModelLists.h"
#include "kit/Widgets.h"

QString calculationMessageText(CalculationMessage message) {
    switch (message) {
        case CalculationMessage::AirconOutsideHotter:
            return QStringLiteral("계산 결과입니다.(희망설정온도<최고외기온도)");
        case CalculationMessage::AirconOutsideCooler:
            return QStringLiteral("계산 결과입니다.(희망설정온도>최고외기온도)");
        case CalculationMessage::SetTemperatureHigh:
            return QStringLiteral("설정 온도가 높습니다");
        case CalculationMessage::TemperaturesEqual:
            return QStringLiteral("최고 외기온도와 설정온도가 같습니다. 다시 입력하세요");
        case CalculationMessage::NegativeResult:
            return QStringLiteral("반 자연발생 열량 값을 높게 잡으셔야 됩니다!~ ");
        case CalculationMessage::ModelExceeded:
            return QStringLiteral(
                "선정된 모델을 초과 하였습니다. (추천모델 냉각능력 X 갯수)로 계산하세요. ");
        case CalculationMessage::SmallDifference:
            return QStringLiteral(
                "최고 외기온도와 설정온도가 차이가 적습니다(10 이상). 다시 입력하세요.");
        case CalculationMessage::OutOfRange:
            // Our own: a product of the inputs left the range of double precision.
            return QStringLiteral(
                "입력한 값이 계산할 수 있는 범위를 벗어났습니다. 값을 확인하세요.");
    }
    return {};
}

CalculationMessage messageOfFinding(HeatBalanceFinding finding) {
    switch (finding) {
        case HeatBalanceFinding::AirconOutsideHotter:
            return CalculationMessage::AirconOutsideHotter;
        case HeatBalanceFinding::AirconOutsideCooler:
            return CalculationMessage::AirconOutsideCooler;
        case HeatBalanceFinding::SetTemperatureHigh:
            return CalculationMessage::SetTemperatureHigh;
        case HeatBalanceFinding::TemperaturesEqual:
            break;
    }
    return CalculationMessage::TemperaturesEqual;
}

QString airconModelDesignation(double capacity) {
    return QStringLiteral("VKA-") + numberText(capacity) + QStringLiteral("BR");
}

ModelLinesNote unmatchedModelLinesNote(const std::filesystem::path& iniPath) {
    IniSelection selection;
    const IniFile file = IniFile::load(iniPath, selectMainModelLines(selection));
    const std::vector<UnmatchedModelLine> lines = unmatchedModelLines(file);
    if (lines.empty()) return {};
    QStringList shown, ignored;
    for (const UnmatchedModelLine& l : lines) {
        const QString line =
            QStringLiteral("[%1] %2=%3")
                .arg(QString::fromStdString(l.section), QString::fromStdString(l.key),
                     QString::fromStdString(l.value));
        if (l.shownAs.empty())
            ignored << line;
        else
            shown << QStringLiteral("%1 → \"%2\"(으)로 표시")
                         .arg(line, QString::fromStdString(l.shownAs));
    }
    QStringList parts;
    parts << QStringLiteral("app.ini의 모델 줄 가운데 적힌 이름대로 쓰이지 않는 줄이 있습니다.");
    if (!shown.isEmpty())
        parts << QStringLiteral("에어컨 모델명은 능력 값에서 만듭니다 (VKA-능력BR): ") +
                     shown.join(QStringLiteral(", ")) + QLatin1Char('.');
    if (!ignored.isEmpty())
        parts << QStringLiteral("프로그램이 아는 모델 키가 아니어서 읽지 않았습니다: ") +
                     ignored.join(QStringLiteral(", ")) + QLatin1Char('.');
    parts << QStringLiteral("직접 쓰는 장비는 프로젝트 창의 장비 라이브러리에 넣을 수 있습니다.");
    return {static_cast<int>(lines.size()), parts.join(QLatin1Char(' '))};
}
