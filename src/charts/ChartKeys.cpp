#include "charts/ChartKeys.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "charts/frmAircon.h"
#include "charts/frmFan1.h"
#include "charts/frmFan2.h"
#include "kit/FieldCues.h"
#include "kit/WindowKeys.h"

namespace {

constexpr ToolTipEntry kFan1ToolTips[] = {
    {"txtPP", "반내 발열량 P (W): 도표를 열 때 본 창의 제어반내 발열량에서 가져옵니다"},
    {"txtSS", "유효 방열 면적 S (㎡): 도표를 열 때 본 창의 반의 표면적에서 가져옵니다"},
    {"txtXX",
     "열관류율 X (W/K): 도표에서 구한 열교환기의 필요 능력. "
     "P에서 온도 차 선까지(A), S 선까지(B), 그리고 아래로 읽습니다"},
    {"cmdcaldraw", "계산 (Enter): 지금의 P, S와 본 창의 온도 차로 도표를 다시 그립니다"},
    {"cmdExit", "Exit (Esc): 이 창을 닫습니다"},
};

constexpr ToolTipEntry kFan2ToolTips[] = {
    {"txtDetaT", "반내 온도와 최고 외부 온도 차 (K): 본 창의 측정 온도 T4 - T3"},
    {"txtdeltaT1", "반내 허용 온도와 최고 외부 온도 차 (K): 본 창의 T2 - T1"},
    {"txtSS", "유효 방열 면적 S (㎡): 도표를 열 때 본 창의 반의 표면적에서 가져옵니다"},
    {"txtXX0", "최소값 (W/K): 면적 S가 든 구간에서 읽은 열교환기 능력의 작은 쪽"},
    {"txtXX", "최대값 (W/K): 면적 S가 든 구간에서 읽은 열교환기 능력의 큰 쪽"},
    {"txtYY", "Y축 결과값: 왼쪽 도표에서 읽은 값"},
    {"HScroll1", "반내 온도와 최고 외부 온도 차 (K)를 가리킵니다. 움직여도 다시 계산하지 않습니다"},
    {"VScroll1",
     "반내 허용 온도와 최고 외부 온도 차 (K)를 가리킵니다. 움직여도 다시 계산하지 않습니다"},
    {"HScroll2", "오른쪽 도표에서 읽은 능력의 자리를 가리킵니다. 움직여도 다시 계산하지 않습니다"},
    {"cmdExit", "Exit (Esc): 이 창을 닫습니다"},
};

constexpr ToolTipEntry kAirconToolTips[] = {
    {"txtSS",
     "유효 방열 면적 S (㎡): 도표를 열 때 본 창의 반의 표면적에서 가져옵니다. "
     "이 도표의 값은 온도로만 정해집니다"},
    {"txtWW", "필요한 냉각 능력 (W): 선 값 × 80"},
    {"txtyy2",
     "선 값: 희망 설정 온도가 든 선에서 최고 외기 온도로 읽은 값 "
     "(희망 설정 온도 55 이상은 선이 없어 비어 있습니다)"},
    {"cmdExit", "Exit (Esc): 이 창을 닫습니다"},
};

}  // namespace

void setUpFan1Keys(frmFan1& w) {
    applyToolTips(&w, kFan1ToolTips);
    setKeyboardOrder(&w, {w.txtSS, w.txtPP, w.cmdcaldraw, w.txtXX, w.cmdExit});
    installWindowKeys(&w, w.cmdcaldraw, [&w]() { w.cmdExit->click(); });
}

void setUpFan2Keys(frmFan2& w) {
    applyToolTips(&w, kFan2ToolTips);
    // The scroll bars are indicators, out of the Tab order as scroll bars are.
    setKeyboardOrder(&w,
                     {w.txtSS, w.txtDetaT, w.txtdeltaT1, w.txtYY, w.txtXX0, w.txtXX, w.cmdExit});
    installWindowKeys(&w, nullptr, [&w]() { w.cmdExit->click(); });
}

void setUpAirconKeys(frmAircon& w) {
    applyToolTips(&w, kAirconToolTips);
    setKeyboardOrder(&w, {w.txtSS, w.cmdExit, w.txtWW, w.txtyy2});
    installWindowKeys(&w, nullptr, [&w]() { w.cmdExit->click(); });
}
