#include "app/Form1Keyboard.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/Form1.h"
#include "kit/FieldCues.h"
#include "kit/WindowKeys.h"

namespace {

// What each field and button is, its unit and where its value comes from.
constexpr ToolTipEntry kToolTips[] = {
    {"OptBoxAircon",
     "Box Aircon: 제어반용 에어컨을 고릅니다. 내부 발열량과 벽을 지나는 열로 "
     "필요한 냉각 능력(W)을 계산합니다"},
    {"OptBoxFan1",
     "Box Fan (내부발열량): 박스팬·열교환기를 고릅니다. 내부 발열량으로 "
     "필요한 열교환 능력(W/K)을 계산합니다"},
    {"OptBoxFan2",
     "Box Fan (측정온도): 박스팬을 고릅니다. 측정한 외기 온도와 반내 온도로 "
     "필요한 열교환 능력(W/K)을 계산합니다"},
    {"cmdOpen",
     "Open: 저장한 계산 파일(*.col)을 엽니다. 모드와 입력, 결과가 파일의 값으로 바뀝니다"},
    {"cmdSaveAs", "Save As: 지금의 모드와 입력, 결과를 계산 파일(*.col)로 저장합니다"},
    {"cmdPrint", "화면 Print: 이 창을 프린터로 인쇄합니다"},
    {"cmdHelp", "About: 프로그램 정보를 봅니다"},
    {"txtHeight", "높이 H (m): 캐비넷의 바깥 높이, 그림의 C"},
    {"txtWidth", "폭 W (m): 캐비넷의 바깥 폭(가로), 그림의 B"},
    {"txtDepth", "깊이 D (m): 캐비넷의 바깥 깊이(세로), 그림의 A"},
    {"cmdSS", "계산: 높이, 폭, 깊이로 반의 표면적(㎡)을 계산합니다"},
    {"txtSS",
     "반의 표면적 A (㎡): 열을 내보내는 면적 (양 옆면, 앞뒷면, 윗면; 바닥은 빼고). "
     "계산 버튼과 계 산이 높이, 폭, 깊이로 씁니다"},
    {"txtPP",
     "반내 발열량 P (W): 반 안의 기기가 내는 열의 추정치. "
     "종류별 발열량 창에서 합산할 수 있습니다"},
    {"cmdHeatValue", "종류별 발열량: 부품 수량으로 반내 발열량을 합산해 P에 적용하는 창을 엽니다"},
    {"cmdHeatproduced", "발열량List: 기기별 발열량 참고표 창을 엽니다"},
    {"txtT3", "외기 온도 측정치 T3 (℃): 측정한 바깥 공기의 온도"},
    {"txtT4", "반내 온도 측정치 T4 (℃): 측정한 제어반 안의 온도"},
    {"txtT1", "최고 외기 온도 T1 (℃): 설치 장소에서 바깥 공기가 가장 더울 때의 온도"},
    {"txtT2",
     "반내 온도 T2 (℃): Box Aircon에서는 희망 설정 온도, Box Fan에서는 허용 온도. "
     "최고 외기 온도와 10 이상 차이 나면 계 산 뒤에 도표가 열립니다"},
    {"optSel_0", "철판: 벽의 열통과율 U = 5 W/㎡K"},
    {"optSel_1", "수지: 벽의 열통과율 U = 3.7 W/㎡K"},
    {"txtUU", "열통과율 U (W/㎡K): 캐비넷 벽의 열통과율. 재질(철판 5, 수지 3.7)을 고르면 바뀝니다"},
    {"cmdCal",
     "계 산 (Enter): 열수지로 냉각 능력을 계산하고 모델을 추천합니다. "
     "온도 차가 10 이상이면 도표를 엽니다"},
    {"txtPT",
     "냉각 능력 R: Box Aircon에서는 필요한 냉각 능력(W), Box Fan에서는 필요한 "
     "열교환 능력(W/K). 계 산이 씁니다"},
    {"txtKind", "추천 모델: 냉각 능력 R보다 큰 첫 모델 (설정 파일의 모델표). 계 산이 씁니다"},
    {"txtCoolValue", "추천 모델의 냉각 능력 (W): 설정 파일의 모델표에서. 계 산이 씁니다"},
    {"cmdExit", "Exit: 프로그램을 끝냅니다. 열린 창도 모두 닫힙니다"},
    {"cmdURL", "관련 웹 페이지를 브라우저로 엽니다"},
    {"cmdDiagram", "Diagram View: 지금 모드의 도표 창을 엽니다"},
    {"cmdClimate",
     "상세 설계: 설치 형태, 일사, 고도, 히터와 결로까지 따지는 기후 설계 창을 엽니다. "
     "이 창의 값으로 시작하며, 거기서 바꾼 값은 이 창에 돌아오지 않습니다"},
    {"cmdReport",
     "보고서: 입력, 지금 입력으로 다시 한 계산의 결과, 추천 모델과 도표를 "
     "A4 PDF 문서로 저장합니다"},
    {"cmdProject",
     "프로젝트: 여러 제어반과 그 모든 입력(상세 설계, 종류별 발열량 포함)을 한 파일 "
     "(*.ccproj)에 저장하고 엽니다. 지금 화면은 프로젝트의 현재 제어반입니다"},
    {"cmdRise",
     "온도 상승 검증: IEC/TR 60890의 계산법으로 제어반 안 공기의 온도 상승을 구하고 "
     "기기의 허용 온도와 비교하는 창을 엽니다 (IEC 61439-1 10.10). 이 창의 높이·폭·깊이와 "
     "내부 발열량으로 시작합니다"},
    {"cmdDevices",
     "기기 목록: 제어반의 기기와 도체를 정격 손실, 부하 전류, IEC 61439-2 분산율로 적어 "
     "발열량 P (W)를 구하고, 기기마다 설치 높이의 공기 온도와 허용 온도를 비교하는 창을 "
     "엽니다. 손실 Pv = n · Pn · (Ib / In)²"},
};

}  // namespace

void setUpForm1Keyboard(Form1& form) {
    applyToolTips(&form, kToolTips);

    // The steps of the window: 1 mode, 2 dimensions, 3 heat (or the measured
    // temperatures), 4 temperatures, 5 material, 6 calculate, the results,
    // the detailed design, then files and help. Hidden controls are passed over by Tab.
    // clang-format off
    setKeyboardOrder(&form, {
        form.OptBoxAircon, form.OptBoxFan1, form.OptBoxFan2,
        form.txtHeight, form.txtWidth, form.txtDepth, form.cmdSS, form.txtSS,
        form.txtPP, form.cmdHeatValue, form.cmdHeatproduced, form.txtT3, form.txtT4,
        form.txtT1, form.txtT2,
        form.optSel[0], form.optSel[1], form.txtUU,
        form.cmdCal,
        form.txtPT, form.txtKind, form.txtCoolValue,
        form.cmdClimate, form.cmdReport, form.cmdRise, form.cmdDevices,
        form.cmdOpen, form.cmdSaveAs, form.cmdPrint, form.cmdHelp, form.cmdProject,
        form.cmdURL, form.cmdExit,
    });
    // clang-format on

    // Enter in any field runs the calculation; Escape does not close the
    // main window, which would end the program.
    installWindowKeys(&form, form.cmdCal);
}
