#include "heat/HeatKeys.h"

#include <QLineEdit>
#include <QPushButton>

#include "design/HeatValueTable.h"
#include "heat/frmHeatProduced.h"
#include "heat/frmHeatValue.h"
#include "kit/FieldCues.h"
#include "kit/Widgets.h"
#include "kit/WindowKeys.h"

namespace {

constexpr ToolTipEntry kHeatValueToolTips[] = {
    {"txtTotalHeatValue",
     "총 발열량 (W): 수량 × 대당 발열량의 합. 계   산(적용)이 본 창의 제어반내 발열량 P에도 "
     "씁니다"},
    {"cmdCalValue",
     "계   산(적용) (Enter): 총 발열량을 계산해 본 창의 제어반내 발열량 P에 씁니다. "
     "본 창의 결과는 계 산을 다시 눌러야 바뀝니다"},
    {"cmdInitValue",
     "초기화: 모든 수량과 총 발열량을 0으로 되돌립니다. 본 창의 발열량 P는 그대로입니다"},
    {"cmdExit", "Exit (Esc): 이 창을 닫습니다. 수량은 남지 않습니다"},
};
// A count field, by its row: %1 the component, %2 its loss, %3 and %4 the
// section and key of the configuration file it comes from.
const char* const kCountToolTip =
    "%1 수량 (개): 한 개의 발열량 %2 W × 수량을 총 발열량에 더합니다 "
    "(대당 발열량은 설정 파일 env/app.ini의 [%3] %4)";

constexpr ToolTipEntry kHeatProducedToolTips[] = {
    {"OptHeatProduced1", "참고표 1: 전원·변압기 기기의 발열량"},
    {"OptHeatProduced2", "참고표 2: 앰프(서보 앰프, 인버터, 사이리스터)의 발열량"},
    {"OptHeatProduced3", "참고표 3: 배선 기기(차단기 등)의 발열량"},
    {"OptHeatProduced4", "참고표 4: 컴퓨터 관련 기기의 발열량"},
    {"OptHeatProduced5", "참고표 5: 내장 기기의 정격 용량별 발열량"},
    {"OptHeatProduced6", "참고표 6: 보조 기기의 정격 용량별 발열량"},
};

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

void setUpHeatValueKeys(frmHeatValue& w, const EquipmentHeatTables& tables) {
    applyToolTips(&w, kHeatValueToolTips);
    for (const HeatFamilyRows& family : heatFamilies()) {
        const std::span<const double> losses = familyLosses(tables, family.family);
        for (size_t i = 0; i < family.rows.size(); ++i) {
            QLineEdit* field = w.countField(family.family, static_cast<int>(i));
            QString component = qs(family.rows[i].label);
            if (component.endsWith(QStringLiteral(" x"))) component.chop(2);
            const double loss = i < losses.size() ? losses[i] : 0.0;
            setDescription(field, QString::fromUtf8(kCountToolTip)
                                      .arg(component, numberText(loss), qs(family.section),
                                           qs(family.rows[i].key)));
            watchFieldReading(field);
        }
    }
    // The Tab order stays the window's own: down each frame, then the
    // buttons. The window opens ready for the first count.
    w.countField(HeatFamily::Transformer, 0)->setFocus(Qt::OtherFocusReason);
    installWindowKeys(&w, w.cmdCalValue, [&w]() { w.cmdExit->click(); });
}

void setUpHeatProducedKeys(frmHeatProduced& w) {
    applyToolTips(&w, kHeatProducedToolTips);
    // The window opens on the first picture's button; the arrow keys choose
    // among the six as among option buttons.
    w.OptHeatProduced[0]->setFocus(Qt::OtherFocusReason);
    // No Exit button: Escape closes the window as its close box does.
    installWindowKeys(&w, nullptr, [&w]() { w.close(); });
}
