#include "info/InfoKeys.h"

#include "info/frmAbout.h"
#include "kit/FieldCues.h"

namespace {

constexpr ToolTipEntry kAboutToolTips[] = {
    {"cmdOK", "확인 (Enter, Esc): 이 창을 닫습니다"},
    {"cmdSysInfo", "시스템 정보: 이 컴퓨터의 시스템 정보 도구를 엽니다"},
};

}  // namespace

void setUpAboutToolTips(frmAbout& window) { applyToolTips(&window, kAboutToolTips); }
