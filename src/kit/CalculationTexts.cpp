#include "kit/CalculationTexts.h"

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
