#include "climate/frmClimate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>
#include <limits>

#include "calc/HeatBalance.h"
#include "calc/NumberText.h"
#include "climate/InstallationPictogram.h"
#include "data/ModelLists.h"
#include "kit/CabinetCoolApp.h"
#include "kit/FieldCues.h"
#include "kit/ProjectSession.h"
#include "kit/ScrollableClient.h"
#include "kit/Twips.h"
#include "kit/Widgets.h"
#include "kit/WindowKeys.h"

namespace {

const QString kNotApplicable = QStringLiteral("—");
const QString kOutOfRange =
    QStringLiteral("입력한 값이 계산할 수 있는 범위를 벗어났습니다. 값을 확인하세요.");

// Temperatures the window calculates with. The formulas take any number, but
// a cabinet colder than -100 °C or hotter than 200 °C is a typing error (and
// below -273.15 °C nothing is).
constexpr double kMinTemperature = -100;
constexpr double kMaxTemperature = 200;

// The installation type the window opens with: a single free-standing cabinet.
constexpr int kDefaultInstallation = 1;

// The window's design size and its two columns, in twips.
constexpr int kClientWidth = 11400;
constexpr int kClientHeight = 9930;
// The results' group, from the top; the notes and the buttons below it.
constexpr int kResultsHeight = 6290;

// Input rows: caption, field name, unit, and extra room above the row to set
// the groups apart.
struct InputRow {
    const char* caption;
    const char* name;
    const char* unit;
    int gapAbove;
};
constexpr InputRow kInputRows[] = {
    {"높이 H", "txtClimH", "m", 0},
    {"폭 W", "txtClimW", "m", 0},
    {"깊이 D", "txtClimD", "m", 0},
    {"내부 발열량 P", "txtClimP", "W", 60},
    {"열관류율 U", "txtClimK", "W/(m²·K)", 0},
    {"최고 외기 온도 Tu", "txtClimTu", "°C", 0},
    {"희망 반내 온도 Ti", "txtClimTi", "°C", 0},
    {"설치 고도", "txtClimAlt", "m", 0},
    {"최저 외기 온도", "txtClimTuMin", "°C", 60},
    {"최저 반내 온도", "txtClimTiMin", "°C", 0},
    {"그때 켜져 있는 장비 발열", "txtClimPMin", "W", 0},
    {"습한 날 기온", "txtClimDayT", "°C", 60},
    {"습한 날 상대습도", "txtClimRH", "%", 0},
    {"그날 밤 최저 기온", "txtClimNightT", "°C", 0},
    {nullptr, "chkClimSun", nullptr, 60},
    {"일사량", "txtClimSunE", "W/m²", 0},
    {"표면 일사 흡수율", "txtClimSunAbs", "(0 ~ 1)", 0},
    {"햇빛 받는 면적", "txtClimSunArea", "m²", 0},
    {"외표면 열저항 Rse", "txtClimSunRse", "m²·K/W", 0},
    {"안전 여유", "txtClimMargin", "%", 60},
};
constexpr int kInputTop = 2160;
constexpr int kInputPitch = 300;
// The line under P that says where its value comes from, and the one under
// the humid day's night that says what the defaults stand for.
constexpr int kSourceLineHeight = 270;

// What each control is, its unit and, for the results, the formula.
constexpr ToolTipEntry kToolTips[] = {
    {"cboClimInstall",
     "제어반이 놓인 방식 (IEC/TR 60890). 벽이나 이웃 반에 덮인 면은 열을 덜 내보내므로 유효 "
     "방열 면적 A가 달라집니다."},
    {"txtClimH",
     "제어반의 높이 H, m. 직접 입력하기 전까지 주 화면의 높이를 따르며, 칸을 비우면 다시 "
     "따릅니다."},
    {"txtClimW", "제어반의 폭 W, m. 직접 입력하기 전까지 주 화면의 폭을 따릅니다."},
    {"txtClimD", "제어반의 깊이 D, m. 직접 입력하기 전까지 주 화면의 깊이를 따릅니다."},
    {"txtClimP",
     "반내 장비의 발열량 P, W: 냉각이 없애야 하는 열. 직접 입력하기 전까지 주 화면을 따르며, "
     "값의 출처는 칸 아래에 표시됩니다."},
    {"txtClimK",
     "벽의 열관류율 U, W/(m²·K): 벽 1 m²가 안팎 온도차 1 K마다 전하는 열. 주 화면의 재질 값은 "
     "강판 5, 수지 3.7입니다."},
    {"txtClimTu",
     "여름철 최고 외기 온도 Tu, °C: 냉각의 설계 조건. 직접 입력하기 전까지 주 화면의 T1을 "
     "따릅니다. 결로 판정에는 쓰지 않습니다 (습한 날 기온을 씁니다)."},
    {"txtClimTi",
     "유지하려는 희망 반내 온도 Ti, °C. 직접 입력하기 전까지 주 화면의 T2를 따릅니다."},
    {"txtClimAlt",
     "설치 장소의 해발 고도, m (-5000 ~ 11000, 표준 대기). 공기가 희박할수록 같은 열을 "
     "나르는 데 풍량이 더 필요합니다."},
    {"txtClimTuMin", "겨울철 최저 외기 온도 TuMin, °C."},
    {"txtClimTiMin", "반내가 내려가도 되는 최저 온도 TiMin, °C. 동결 방지 히터 출력에 씁니다."},
    {"txtClimPMin",
     "가장 추울 때와 습한 날 밤에도 켜져 있는 장비의 발열량 PMin, W. 동결 방지와 결로 방지 "
     "히터 출력에서 뺍니다."},
    {"txtClimDayT",
     "습한 날의 기온 Td_air, °C: 제어반이 들이쉬는 공기. 이 공기의 이슬점으로 결로를 "
     "판정합니다. 기본값 25 °C는 온화한 여름의 습한 날입니다. 현장의 값을 넣으세요."},
    {"txtClimRH",
     "습한 날 공기의 상대습도 RH, % (0 초과 100 이하). 습한 날 기온과 함께 이슬점을 "
     "정합니다. 기본값 60 %: 25 °C에서 이슬점 약 16.7 °C. 현장의 값을 넣으세요."},
    {"txtClimNightT",
     "그 습한 날 밤의 최저 기온, °C: 벽이 식어 반내 공기가 이슬점에 닿는지 봅니다. 그날 밤 "
     "반내 온도 = 밤 최저 기온 + PMin/(U·A). 기본값 18 °C는 낮보다 7 K 서늘한 밤입니다. "
     "현장의 값을 넣으세요."},
    {"lblClimHumidNote",
     "결로는 하루의 공기로 판정합니다: 습한 날 낮에 들어온 공기의 수분이 그날 밤 식은 반 안에서 "
     "맺힙니다. 기본값은 온화한 여름의 습한 날(25 °C, 60 %)과 7 K 서늘한 그 밤(18 °C)입니다."},
    {"chkClimSun",
     "제어반이 옥외에서 햇빛을 받으면 켭니다. 벽을 지나 들어오는 일사 열량을 "
     "냉각 부하에 더합니다."},
    {"txtClimSunE", "햇빛 받는 면에 닿는 일사량 E, W/m². 한여름 맑은 날 약 800 ~ 1000."},
    {"txtClimSunAbs",
     "도장 표면의 일사 흡수율 α, 0 ~ 1. 흰색 약 0.3, 밝은 회색 약 0.5, 검정 약 0.9."},
    {"txtClimSunArea",
     "햇빛 받는 면적 A_sun, m². 직접 입력하기 전까지 이 창의 치수에서 지붕과 앞면의 면적 "
     "W·D + W·H를 따르며, 비워 두면 다시 따릅니다."},
    {"txtClimSunRse",
     "외표면 열저항 Rse, m²·K/W: 벽 바깥 면과 외기 사이의 열저항 (EN ISO 6946: 0.04). 일사 "
     "열량 Qsun = α·E·A_sun·U·Rse: 흡수한 일사 가운데 U·Rse의 몫만 벽을 지나 안으로 "
     "들어오고 나머지는 바깥 공기로 돌아갑니다."},
    {"txtClimMargin", "냉각 능력, 열교환기·팬 용량과 필터팬 풍량에 더하는 안전 여유, %."},
    {"txtClimA",
     "유효 방열 면적 A, m²: 설치 방식에서 열을 내보내는 면의 넓이 (IEC/TR 60890). 식은 그림 "
     "옆에 있습니다."},
    {"txtClimQs",
     "벽면 통과 열량 Qs, W = U·A·(Ti − Tu). 양수는 벽으로 빠져나가는 열, 음수는 벽으로 "
     "들어오는 열입니다."},
    {"txtClimQsun", "일사 열량 Qsun, W = α·E·A_sun·U·Rse. 햇빛을 받지 않으면 0입니다."},
    {"txtClimCool", "에어컨 냉각 능력, W = (P + Qsun − Qs)·(1 + 안전 여유/100)."},
    {"txtClimCoolModel", "냉각 능력이 필요량을 넘는 첫 에어컨 모델 (주 화면과 같은 선정)."},
    {"txtClimQw",
     "열교환기·팬 용량, W/K = (P + Qsun − Qs)/(Ti − Tu)·(1 + 안전 여유/100). Ti가 Tu보다 "
     "높을 때만 계산합니다."},
    {"txtClimFanModel", "용량이 필요량을 넘는 첫 열교환기·팬 모델 (주 화면과 같은 선정)."},
    {"txtClimFlow",
     "필터팬 풍량 V, m³/h = f·(P + Qsun − Qs)/(Ti − Tu)·(1 + 안전 여유/100); f는 아래의 "
     "풍량 계수입니다."},
    {"txtClimFlowCfm", "필터팬 풍량, cfm = V / 1.699 (1 cfm = 1.699 m³/h)."},
    {"txtClimFlowModel", "풍량이 필요량 이상인 가장 작은 필터팬 (app.ini의 [FilterFan-Model])."},
    {"txtClimHeater",
     "동결 방지 히터 출력, W: 겨울 최저 외기 온도 TuMin에서 반내를 최저 반내 온도 TiMin으로 "
     "지키는 출력 = U·A·(TiMin − TuMin) − PMin; 0 미만이면 필요 없습니다 (0)."},
    {"txtClimHeaterModel",
     "동결 방지 히터: 출력이 필요량 이상인 가장 작은 히터 (app.ini의 [Heater-Model])."},
    {"txtClimDew",
     "습한 날 공기의 이슬점 Td, °C: 습한 날 기온 T와 상대습도 RH에서 Magnus 식으로 (a = "
     "17.27, b = 237.7 °C): γ = a·T/(b + T) + ln(RH/100), Td = b·γ/(a − γ). 그날 밤 반내 "
     "온도가 이 값 이하이면 결로 위험입니다."},
    {"txtClimDewHeater",
     "결로 방지 히터 출력, W: 습한 날 밤 최저 기온 Tn에서 반내를 이슬점 + 3 K로 지키는 출력 "
     "= U·A·(Td + 3 − Tn) − PMin; 0 미만이면 필요 없습니다 (0). 동결 방지 히터와 따로 "
     "계산하며, 한 대로 둘 다 맡기려면 큰 쪽을 고릅니다."},
    {"txtClimDewHeaterModel",
     "결로 방지 히터: 출력이 필요량 이상인 가장 작은 히터 (app.ini의 [Heater-Model])."},
    {"lblClimFlowFactor",
     "풍량 계수 f, m³·K/(W·h) = 3.1 × (해수면 공기 밀도 / 설치 고도의 공기 밀도), ICAO 표준 "
     "대기."},
    {"lblClimCondensation",
     "습한 날 밤의 반내 온도(밤 최저 기온 + PMin/(U·A), °C)가 습한 날 공기의 이슬점 이하이면 "
     "결로 위험입니다. 결로가 없는 반내 온도는 이슬점 + 3 K이며, 그 온도를 지키는 결로 방지 "
     "히터 출력은 U·A·(이슬점 + 3 K − 밤 최저 기온) − PMin입니다."},
    {"lblClimStatus", "입력 오류와 계산할 수 없는 결과의 이유, 모델 선정에 관한 알림."},
    {"cmdClimateReport", "주 화면과 이 창의 값으로 설계 보고서를 PDF 파일로 저장합니다."},
    {"cmdClimateExit", "이 창을 닫습니다 (Esc). 주 화면의 값은 바뀌지 않습니다."},
};

// The decimals a result shows: about three significant digits, at most
// `maxDecimals`.
int shownDecimals(double value, int maxDecimals) {
    if (value == 0 || !std::isfinite(value)) return maxDecimals;
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    return std::clamp(2 - magnitude, 0, maxDecimals);
}

// A number rounded to `decimals`, written without trailing zeros.
QString roundedText(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    double rounded = std::round(value * scale) / scale;
    if (!std::isfinite(rounded)) rounded = value;  // too large to scale: already whole
    if (rounded == 0) rounded = 0;                 // no "-0"
    return numberText(rounded);
}

// A number as the results show it.
QString displayText(double value, int maxDecimals) {
    return roundedText(value, shownDecimals(value, maxDecimals));
}

// A number as the tooltips give it: one digit more than the result shows.
QString tipText(double value, int maxDecimals) {
    return roundedText(value, shownDecimals(value, maxDecimals) + 1);
}

// The pictogram of the chosen type, painted afresh at the screen's
// resolution whenever it is shown.
class PictogramView final : public QWidget {
public:
    explicit PictogramView(QWidget* parent) : QWidget(parent) {}
    void setInstallation(int installation) {
        m_installation = installation;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        drawInstallationPictogram(painter, QRectF(rect()), m_installation);
    }

private:
    int m_installation = kDefaultInstallation;
};

// What the status line says for a result that is not applicable.
QString reasonText(ClimateReason reason) {
    switch (reason) {
        case ClimateReason::None:
            break;
        case ClimateReason::InvalidDimensions:
            return QStringLiteral("높이·폭·깊이는 0보다 커야 합니다.");
        case ClimateReason::InvalidInstallation:
            return QStringLiteral("설치 방식을 고르세요.");
        case ClimateReason::InvalidCoefficient:
            return QStringLiteral("열관류율 U는 0 이상이어야 합니다.");
        case ClimateReason::InvalidSolarInput:
            return QStringLiteral(
                "일사: 흡수율은 0 ~ 1, 일사량·면적·외표면 열저항 Rse는 0 이상으로 입력하세요.");
        case ClimateReason::InvalidMargin:
            return QStringLiteral("안전 여유는 0 % 이상이어야 합니다.");
        case ClimateReason::AmbientNotBelowInside:
            return QStringLiteral(
                "팬·열교환기·필터팬: 희망 반내 온도가 최고 외기 온도보다 높아야 합니다. 외기보다 "
                "낮게는 냉각할 수 없으니 에어컨을 쓰세요.");
        case ClimateReason::AltitudeOutOfRange:
            return QStringLiteral("설치 고도는 -5000 m에서 11000 m 사이로 입력하세요 (표준 대기).");
        case ClimateReason::HumidityOutOfRange:
            return QStringLiteral("상대 습도는 0 %보다 크고 100 % 이하여야 합니다.");
        case ClimateReason::TemperatureOutOfRange:
            return QStringLiteral("이슬점: 최고 외기 온도가 계산할 수 있는 범위를 벗어났습니다.");
        case ClimateReason::OutOfRange:
            return kOutOfRange;
    }
    return {};
}

// A result as the window shows it: a number, or the reason there is none.
// A result that depends on an input that was not read says so without a
// note of its own: the input's note names it.
struct Shown {
    std::optional<double> value;
    QString why;
    bool inputError = false;
};

Shown shown(const ClimateValue& v) {
    if (v.applicable()) return {v.value, {}};
    return {std::nullopt, reasonText(v.reason)};
}

// A check of the window's own on the inputs of a result.
void require(Shown& s, bool ok, const QString& why) {
    if (!ok) s = {std::nullopt, why};
}

// A tooltip: the result's line above the field's description.
QString withDescription(const QString& first, const QLineEdit* field) {
    const QString text = toolTipLines(description(field));
    if (first.isEmpty()) return text;
    return text.isEmpty() ? first : first + u'\n' + text;
}

// Writes the results: rounded numbers with one digit more in the tooltip,
// or "—" with the reason; every reason once in the status line.
class ResultWriter {
public:
    explicit ResultWriter(QStringList& notes) : m_notes(notes) {}

    bool show(QLineEdit* field, const Shown& s, int maxDecimals, const QString& unit) {
        if (!s.value) {
            notApplicable(field, s.why);
            if (!s.inputError) note(s.why);
            return false;
        }
        field->setText(displayText(*s.value, maxDecimals));
        const QString value = tipText(*s.value, maxDecimals);
        field->setToolTip(withDescription(unit.isEmpty() ? value : value + u' ' + unit, field));
        return true;
    }
    void notApplicable(QLineEdit* field, const QString& reason) {
        field->setText(kNotApplicable);
        field->setToolTip(withDescription(reason, field));
    }
    void text(QLineEdit* field, const QString& text, const QString& tip) {
        field->setText(text);
        field->setToolTip(withDescription(tip, field));
    }
    void note(const QString& text) {
        if (!text.isEmpty() && !m_notes.contains(text)) m_notes.append(text);
    }

private:
    QStringList& m_notes;
};

void setResultLook(QLineEdit* field, bool number) {
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::ClickFocus);  // selectable for copying, not a tab stop
    field->setAlignment((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    field->setPalette(palette);
}

bool isDark(const QPalette& palette) { return palette.color(QPalette::Window).lightness() < 128; }

}  // namespace

frmClimate::frmClimate(CabinetCoolApp& app)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint),
      m_app(app) {
    setObjectName(QStringLiteral("frmClimate"));
    setWindowTitle(QStringLiteral("제어반 상세 기후 설계"));
    buildLayout(makeScrollableClient(this, twipsSize(kClientWidth, kClientHeight)));
    Form_Load();
}

// Closing as a widget moves the focus: no field may call back into the
// window once its own part is gone.
frmClimate::~frmClimate() {
    for (QLineEdit* field : findChildren<QLineEdit*>()) disconnect(field, nullptr, this, nullptr);
}

void frmClimate::buildLayout(QWidget* client) {
    // One font for every caption, the main window's: each further font (a
    // lighter weight, a smaller size) costs the first opening its own font
    // lookup and its own rendering of every Korean glyph.
    const QFont rowFont = uiFont(9, true);

    // ---- inputs ---------------------------------------------------------
    auto* inputs = new QGroupBox(QStringLiteral("입력"), client);
    inputs->setObjectName(QStringLiteral("fraClimInputs"));
    inputs->setFont(rowFont);
    inputs->setGeometry(twipsRect(120, 120, 5400, kClientHeight - 240));

    QLabel* installLabel = makeLabel(inputs, QStringLiteral("설치 방식"), 120, 330, 1080, 300);
    cboClimInstall = new QComboBox(inputs);
    cboClimInstall->setObjectName(QStringLiteral("cboClimInstall"));
    cboClimInstall->setFont(rowFont);
    cboClimInstall->setGeometry(twipsRect(1200, 270, 4080, 450));
    cboClimInstall->setIconSize(QSize(36, 27));
    for (int type = 0; type < kCabinetInstallationCount; ++type)
        cboClimInstall->addItem(::installationIcon(type), ::installationCaption(type));
    installLabel->setBuddy(cboClimInstall);

    auto* pictogram = new PictogramView(inputs);
    pictogram->setObjectName(QStringLiteral("picClimInstall"));
    pictogram->setGeometry(twipsRect(120, 810, 1620, 1215));
    pictogram->setToolTip(
        QStringLiteral("고른 설치 방식: 회색 면은 벽이나 이웃 반에 덮인 면입니다."));
    lblClimFormula = makeLabel(inputs, QString(), 1860, 810, 3420, 1215, rowFont);
    lblClimFormula->setObjectName(QStringLiteral("lblClimFormula"));
    lblClimFormula->setWordWrap(true);
    lblClimFormula->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    QList<QWidget*> inputOrder{cboClimInstall};
    QList<QLineEdit*> fields;
    int top = kInputTop;
    for (const InputRow& row : kInputRows) {
        top += row.gapAbove;
        const QString name = QString::fromLatin1(row.name);
        if (!row.caption) {
            chkClimSun = new QCheckBox(QStringLiteral("옥외 설치, 햇빛을 받음"), inputs);
            chkClimSun->setObjectName(name);
            chkClimSun->setFont(rowFont);
            chkClimSun->setGeometry(twipsRect(120, top - 15, 5100, 300));
            inputOrder.append(chkClimSun);
        } else {
            const QString caption = QString::fromUtf8(row.caption);
            QLabel* label = makeLabel(inputs, caption, 120, top, 2760, 270, rowFont);
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            QLineEdit* field = makeField(inputs, name, 2940, top, 1080, 270);
            field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            label->setBuddy(field);
            makeLabel(inputs, QString::fromUtf8(row.unit), 4110, top, 1200, 270, rowFont)
                ->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            m_captions.insert(field, caption);
            fields.append(field);
            inputOrder.append(field);
            if (name == QLatin1String("txtClimP")) {
                lblClimPSource = makeLabel(inputs, QString(), 2940, top + kInputPitch - 30, 2370,
                                           kSourceLineHeight, rowFont);
                lblClimPSource->setObjectName(QStringLiteral("lblClimPSource"));
                lblClimPSource->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
                top += kSourceLineHeight;
            }
            if (name == QLatin1String("txtClimNightT")) {
                // Two lines: why these defaults, and that the site's belong here.
                QLabel* note =
                    makeLabel(inputs,
                              QStringLiteral("기본값: 온화한 여름의 습한 날과 7 K 서늘한 그 밤.\n"
                                             "현장의 값을 넣으세요."),
                              120, top + kInputPitch - 30, 5190, 2 * kSourceLineHeight, rowFont);
                note->setObjectName(QStringLiteral("lblClimHumidNote"));
                note->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
                top += kSourceLineHeight;
                top += kSourceLineHeight;
            }
        }
        top += kInputPitch;
    }
    auto input = [&](const char* name) {
        return inputs->findChild<QLineEdit*>(QLatin1String(name));
    };
    txtClimH = input("txtClimH");
    txtClimW = input("txtClimW");
    txtClimD = input("txtClimD");
    txtClimP = input("txtClimP");
    txtClimK = input("txtClimK");
    txtClimTu = input("txtClimTu");
    txtClimTi = input("txtClimTi");
    txtClimAlt = input("txtClimAlt");
    txtClimTuMin = input("txtClimTuMin");
    txtClimTiMin = input("txtClimTiMin");
    txtClimPMin = input("txtClimPMin");
    txtClimDayT = input("txtClimDayT");
    txtClimRH = input("txtClimRH");
    txtClimNightT = input("txtClimNightT");
    txtClimSunE = input("txtClimSunE");
    txtClimSunAbs = input("txtClimSunAbs");
    txtClimSunArea = input("txtClimSunArea");
    txtClimSunRse = input("txtClimSunRse");
    txtClimMargin = input("txtClimMargin");
    m_following = {txtClimH, txtClimW,  txtClimD,  txtClimP,
                   txtClimK, txtClimTu, txtClimTi, txtClimSunArea};
    for (QLineEdit* f : m_following) addFollowAgainButton(f);

    // ---- results --------------------------------------------------------
    auto* results = new QGroupBox(QStringLiteral("계산 결과"), client);
    results->setObjectName(QStringLiteral("fraClimResults"));
    results->setFont(rowFont);
    results->setGeometry(twipsRect(5640, 120, 5640, kResultsHeight));
    makeLabel(results, QStringLiteral("추천 모델"), 3960, 270, 1560, 270, rowFont);

    // Rows top down; the airflow's factor takes two lines under the airflow.
    constexpr int kResultTop = 570;
    constexpr int kResultPitch = 390;
    constexpr int kFactorTop = kResultTop + 7 * kResultPitch - 90;
    constexpr int kFactorHeight = 600;
    constexpr int kBelowFactor = kFactorTop + kFactorHeight + 60;  // row 8 and on
    auto resultRow = [&](int row, const char* caption, const char* name, const char* unit,
                         const char* modelName) -> std::pair<QLineEdit*, QLineEdit*> {
        const int y =
            row < 8 ? kResultTop + row * kResultPitch : kBelowFactor + (row - 8) * kResultPitch;
        QLabel* label = makeLabel(results, QString::fromUtf8(caption), 120, y, 2160, 285, rowFont);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        QLineEdit* field = makeField(results, QString::fromLatin1(name), 2340, y, 1080, 285);
        setResultLook(field, true);
        label->setBuddy(field);
        QLabel* unitLabel = makeLabel(results, QString::fromUtf8(unit), 3465, y, 480, 285, rowFont);
        unitLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        QLineEdit* model = nullptr;
        if (modelName) {
            model = makeField(results, QString::fromLatin1(modelName), 3960, y, 1560, 285);
            setResultLook(model, false);
        }
        m_rows.append({field, unitLabel, model, twipsRect(2340, y, 1080, 285),
                       twipsRect(2340, y, (modelName ? 5520 : 3945) - 2340, 285)});
        return {field, model};
    };
    txtClimA = resultRow(0, "유효 방열 면적 A", "txtClimA", "m²", nullptr).first;
    txtClimQs = resultRow(1, "벽면 통과 열량 Qs", "txtClimQs", "W", nullptr).first;
    txtClimQsun = resultRow(2, "일사 열량 Qsun", "txtClimQsun", "W", nullptr).first;
    std::tie(txtClimCool, txtClimCoolModel) =
        resultRow(3, "에어컨 냉각 능력", "txtClimCool", "W", "txtClimCoolModel");
    std::tie(txtClimQw, txtClimFanModel) =
        resultRow(4, "열교환기·팬 용량", "txtClimQw", "W/K", "txtClimFanModel");
    std::tie(txtClimFlow, txtClimFlowModel) =
        resultRow(5, "필터팬 풍량", "txtClimFlow", "m³/h", "txtClimFlowModel");
    txtClimFlowCfm = resultRow(6, "", "txtClimFlowCfm", "cfm", nullptr).first;
    lblClimFlowFactor =
        makeLabel(results, QString(), 120, kFactorTop, 5400, kFactorHeight, rowFont);
    lblClimFlowFactor->setObjectName(QStringLiteral("lblClimFlowFactor"));
    lblClimFlowFactor->setWordWrap(true);
    lblClimFlowFactor->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    std::tie(txtClimHeater, txtClimHeaterModel) =
        resultRow(8, "히터 출력 (동결 방지)", "txtClimHeater", "W", "txtClimHeaterModel");
    txtClimDew = resultRow(9, "습한 날 공기의 이슬점", "txtClimDew", "°C", nullptr).first;
    std::tie(txtClimDewHeater, txtClimDewHeaterModel) =
        resultRow(10, "결로 방지 히터", "txtClimDewHeater", "W", "txtClimDewHeaterModel");
    const int condensationTop = kBelowFactor + 3 * kResultPitch - 30;
    lblClimCondensation = makeLabel(results, QString(), 120, condensationTop, 5400,
                                    kResultsHeight - condensationTop - 90, rowFont);
    lblClimCondensation->setObjectName(QStringLiteral("lblClimCondensation"));
    lblClimCondensation->setWordWrap(true);
    lblClimCondensation->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblClimCondensation->setVisible(false);

    // ---- status line and buttons ------------------------------------------
    // The notes take the room they need; beyond the box, it scrolls.
    constexpr int kStatusTop = 120 + kResultsHeight + 120;
    constexpr int kButtonTop = kClientHeight - 120 - 450;
    constexpr int kStatusHeight = kButtonTop - 120 - kStatusTop;
    auto* status = new QGroupBox(QStringLiteral("알림"), client);
    status->setObjectName(QStringLiteral("fraClimStatus"));
    status->setFont(rowFont);
    status->setGeometry(twipsRect(5640, kStatusTop, 5640, kStatusHeight));
    scrClimStatus = new QScrollArea(status);
    scrClimStatus->setObjectName(QStringLiteral("scrClimStatus"));
    scrClimStatus->setGeometry(twipsRect(60, 300, 5520, kStatusHeight - 360));
    scrClimStatus->setFrameShape(QFrame::NoFrame);
    scrClimStatus->setWidgetResizable(true);
    scrClimStatus->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrClimStatus->viewport()->setAutoFillBackground(false);
    lblClimStatus = new QLabel(scrClimStatus);
    lblClimStatus->setObjectName(QStringLiteral("lblClimStatus"));
    lblClimStatus->setFont(rowFont);
    lblClimStatus->setWordWrap(true);
    lblClimStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblClimStatus->setContentsMargins(twips(60), 0, twips(60), 0);
    lblClimStatus->setAutoFillBackground(false);
    lblClimStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    scrClimStatus->setWidget(lblClimStatus);

    cmdClimateReport = makeButton(client, QStringLiteral("cmdClimateReport"),
                                  QStringLiteral("보고서 PDF..."), 5640, kButtonTop, 1800, 450);
    cmdClimateExit = makeButton(client, QStringLiteral("cmdClimateExit"), QStringLiteral("Exit"),
                                9945, kButtonTop, 1335, 450);
    inputOrder << cmdClimateReport << cmdClimateExit;
    for (qsizetype i = 1; i < inputOrder.size(); ++i) setTabOrder(inputOrder[i - 1], inputOrder[i]);

    applyToolTips(this, kToolTips);
    installWindowKeys(this, nullptr, [this]() { cmdClimateExit_Click(); });

    // ---- live calculation -------------------------------------------------
    // One calculation for each edit; an edit of a following input says
    // whether it follows, and the dimensions move the sunlit area.
    for (QLineEdit* field : fields)
        connect(field, &QLineEdit::textChanged, this, [this, field]() { fieldEdited(field); });
    // A following field emptied while the user is in it shows its value
    // when the user leaves it.
    for (QLineEdit* field : m_following) {
        connect(field, &QLineEdit::editingFinished, this, [this]() {
            if (!m_filling && refreshFollowing()) recompute();
        });
    }
    // The main window's edits and another current cabinet reach the
    // following inputs while the window is open.
    auto followMain = [this]() {
        if (m_filling || !isVisible()) return;
        updatePSource();
        if (refreshFollowing()) recompute();
    };
    connect(&m_app.project(), &ProjectSession::cabinetEdited, this, followMain);
    connect(&m_app.project(), &ProjectSession::currentChanged, this, followMain);
    connect(cboClimInstall, &QComboBox::currentIndexChanged, this, [this, pictogram](int index) {
        pictogram->setInstallation(index);
        updatePictogram();
        if (!m_filling) recompute();
    });
    connect(chkClimSun, &QCheckBox::toggled, this, [this](bool on) {
        for (QLineEdit* f : {txtClimSunE, txtClimSunAbs, txtClimSunArea, txtClimSunRse})
            f->setEnabled(on);
        if (!m_filling) recompute();
    });
    connect(cmdClimateReport, &QPushButton::clicked, this, &frmClimate::reportRequested);
    connect(cmdClimateExit, &QPushButton::clicked, this, &frmClimate::cmdClimateExit_Click);
    updatePictogram();
    updateWarningColour();
}

void frmClimate::Form_Load() {
    // The lists as the file holds them now: read at every opening, like the
    // component heat window reads its tables.
    IniSelection selection;
    const IniFile file = IniFile::load(m_app.iniPath(), selectModelLists(selection));
    auto models = [&file](std::string_view section) {
        std::vector<ClimateModel> list;
        for (const NamedValue& m : LoadModelList(file, section)) list.push_back({m.name, m.value});
        return list;
    };
    m_filterFans = models(kFilterFanModelSection);
    m_heaters = models(kHeaterModelSection);

    m_filling = true;
    // The window's own inputs at their defaults; the following ones follow.
    for (auto it = climateDefaults().constBegin(); it != climateDefaults().constEnd(); ++it) {
        if (auto* field = findChild<QLineEdit*>(it.key())) field->setText(it->toString());
    }
    chkClimSun->setChecked(climateDefaults().value(QStringLiteral("chkClimSun")).toBool());
    for (QLineEdit* f : {txtClimSunE, txtClimSunAbs, txtClimSunArea, txtClimSunRse})
        f->setEnabled(chkClimSun->isChecked());
    cboClimInstall->setCurrentIndex(
        climateDefaults().value(QStringLiteral("cboClimInstall"), kDefaultInstallation).toInt());
    m_typed.clear();
    m_followed.clear();
    refreshFollowing();
    updatePSource();
    m_filling = false;
    recompute();
}

Cabinet frmClimate::windowCabinet() const {
    Cabinet c = m_app.project().capturedCurrent();
    c.climate = storedInputs();
    return c;
}

bool frmClimate::follows(const QLineEdit* field) const {
    return m_following.contains(const_cast<QLineEdit*>(field)) && !m_typed.contains(field);
}

bool frmClimate::refreshFollowing() {
    const Cabinet cabinet = windowCabinet();
    QStringList followed;
    // In order: the sunlit area follows the dimensions, typed or followed.
    for (QLineEdit* field : m_following) {
        const std::optional<FollowedValue> v = climateFollowedValue(cabinet, field->objectName());
        const QString text = v ? v->text : QString();
        followed << text;
        field->setPlaceholderText(text);
        const bool following = !m_typed.contains(field);
        setFieldFollows(field, following && v ? v->source : QString());
        // Not while the user has just emptied it to type anew.
        if (following && field->text() != text && !(field->hasFocus() && field->text().isEmpty())) {
            const QSignalBlocker quiet(field);
            field->setText(text);
            setFieldNotUsed(field, false);
        }
    }
    const bool changed = followed != m_followed;
    m_followed = followed;
    return changed;
}

void frmClimate::fieldEdited(QLineEdit* field) {
    if (m_filling) return;
    if (m_following.contains(field)) {
        // Typing over a following value keeps the user's; emptying the
        // field makes it follow again.
        if (field->text().trimmed().isEmpty())
            m_typed.remove(field);
        else
            m_typed.insert(field);
        if (field == txtClimP) updatePSource();
    }
    refreshFollowing();
    recompute();
}

// Where P comes from, beneath it: the main window's heat, the heat its
// measurements imply, or the user's own.
void frmClimate::updatePSource() {
    if (m_typed.contains(txtClimP)) {
        lblClimPSource->setText(QStringLiteral("직접 입력"));
        lblClimPSource->setToolTip(QStringLiteral(
            "이 창에서 직접 입력한 발열량입니다. 칸을 비우면 다시 주 화면을 따릅니다."));
        return;
    }
    const MainWindow* main = m_app.mainWindow();
    if (main && main->selectedMode() == SelectionMode::Fan2) {
        // The main window hides its P in this mode: the heat the measured
        // rise implies, U·A·(T4 − T3), with the main window's surface, as
        // its own calculation counts the walls.
        const double u = main->fieldValue(CabinetField::UValue);
        const double a = ComputeSurfaceArea(main->fieldValue(CabinetField::Height),
                                            main->fieldValue(CabinetField::Width),
                                            main->fieldValue(CabinetField::Depth));
        const double t3 = main->fieldValue(CabinetField::T3);
        const double t4 = main->fieldValue(CabinetField::T4);
        const double p = u * a * (t4 - t3);
        lblClimPSource->setText(QStringLiteral("측정값에서 추정"));
        lblClimPSource->setToolTip(
            QStringLiteral("주 화면의 측정 온도에서 추정한 발열량을 따릅니다: P = U·A·(T4 − T3) = "
                           "%1 × %2 × (%3 − %4) = %5 W. A는 주 화면의 방열 면적(모든 면, m²), "
                           "U는 W/(m²·K), T3·T4는 측정한 외기·반내 온도(°C)입니다.")
                .arg(numberText(u), tipText(a, 3), numberText(t4), numberText(t3),
                     std::isfinite(p) ? tipText(p, 1) : kNotApplicable));
    } else {
        lblClimPSource->setText(QStringLiteral("주 화면의 P"));
        lblClimPSource->setToolTip(
            QStringLiteral("주 화면의 내부 발열량 P를 따릅니다 (주 화면에서 바꾸면 여기도 "
                           "바뀝니다)."));
    }
}

void frmClimate::updatePictogram() {
    const int type = cboClimInstall->currentIndex();
    lblClimFormula->setText(QStringLiteral("유효 방열 면적 (덮인 면은 회색)\n") +
                            installationFormula(type));
}

int frmClimate::installationType() const { return cboClimInstall->currentIndex(); }

QString frmClimate::installationCaption() const {
    return ::installationCaption(installationType());
}

QPixmap frmClimate::installationPictogram(QSize logicalSize, qreal devicePixelRatio) const {
    return ::installationPictogram(installationType(), logicalSize, devicePixelRatio);
}

QIcon frmClimate::installationIcon() const { return ::installationIcon(installationType()); }

void frmClimate::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        updateWarningColour();
    QWidget::changeEvent(event);
}

// Red that reads on the scheme's background, light or dark.
void frmClimate::updateWarningColour() {
    if (!lblClimCondensation) return;
    QPalette p = lblClimCondensation->palette();
    p.setColor(QPalette::WindowText,
               isDark(palette()) ? QColor(0xff, 0x6e, 0x6e) : QColor(0xc0, 0x10, 0x10));
    lblClimCondensation->setPalette(p);
}

void frmClimate::setRowNotNeeded(const ResultRow& row, bool notNeeded) {
    row.value->setGeometry(notNeeded ? row.wide : row.normal);
    row.value->setAlignment((notNeeded ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    row.unit->setVisible(!notNeeded);
    if (row.model) row.model->setVisible(!notNeeded);
}

void frmClimate::recompute() {
    // The design layer's evaluation of the cabinet with this window's
    // inputs: the numbers the report gives. The window adds the cues, the
    // notes and the picks' texts.
    const Cabinet cabinet = windowCabinet();
    const DesignTables designTables{&m_app.tables(), m_filterFans, m_heaters, {}};
    const ClimateEvaluation evaluation = evaluateClimate(cabinet, designTables);
    // Each input read whole as the evaluation reads it (a following one as
    // it follows); a text that is not one number is not used.
    m_unreadCaptions.clear();
    QList<const QLineEdit*> unread;
    auto read = [&](QLineEdit* field) {
        const QString text = climateInputText(cabinet, field->objectName());
        const std::optional<double> value = ParseWholeNumber(text.trimmed().toStdString());
        setFieldNotUsed(field, !value);
        if (value) return;
        unread.append(field);
        m_unreadCaptions.append(m_captions.value(field));
    };
    const bool sun = chkClimSun->isChecked();
    for (QLineEdit* field : {txtClimH, txtClimW, txtClimD, txtClimP, txtClimK, txtClimTu, txtClimTi,
                             txtClimAlt, txtClimTuMin, txtClimTiMin, txtClimPMin, txtClimDayT,
                             txtClimRH, txtClimNightT, txtClimMargin})
        read(field);
    // The sun's fields count only with the sun; their cue goes with it. A
    // following sunlit area stands for the roof and the front.
    const bool sunAreaGiven = !evaluation.sunlitAreaFollows;
    for (QLineEdit* field : {txtClimSunE, txtClimSunAbs, txtClimSunArea, txtClimSunRse}) {
        if (sun && (field != txtClimSunArea || sunAreaGiven))
            read(field);
        else
            setFieldNotUsed(field, false);
    }
    m_input = evaluation.input;
    m_result = evaluation.result;
    // The area the field shows while it follows the dimensions, as the
    // inputs have always given it to the report; the results are the same.
    if (sun && !sunAreaGiven && m_result.sunlitArea.applicable())
        m_input.sunlitArea = m_result.sunlitArea.value;
    const ClimateDesignInput& in = m_input;
    const ClimateDesignResult& r = m_result;

    m_notes.clear();
    m_picks = {};
    ResultWriter out(m_notes);
    // First the inputs that were not used, each by its name; the field's
    // tooltip quotes the text.
    for (const QLineEdit* field : unread) {
        out.note(field->text().trimmed().isEmpty()
                     ? QStringLiteral("입력 오류: %1 칸이 비어 있습니다. 이 값에 따른 결과는 "
                                      "계산하지 않았습니다.")
                           .arg(m_captions.value(field))
                     : QStringLiteral("입력 오류: %1 칸의 내용은 숫자 하나가 아니어서 쓰지 "
                                      "않았습니다. 이 값에 따른 결과는 계산하지 않았습니다.")
                           .arg(m_captions.value(field)));
    }
    // Which inputs each result is computed from.
    using Inputs = QList<const QLineEdit*>;
    const Inputs areaFrom = {txtClimH, txtClimW, txtClimD};
    const Inputs wallFrom = areaFrom + Inputs{txtClimK, txtClimTu, txtClimTi};
    Inputs solarFrom;
    if (sun) {
        solarFrom = {txtClimSunE, txtClimSunAbs, txtClimSunRse, txtClimK};
        solarFrom += sunAreaGiven ? Inputs{txtClimSunArea} : areaFrom;
    }
    const Inputs coolingFrom = wallFrom + solarFrom + Inputs{txtClimP, txtClimMargin};
    const Inputs airflowFrom = coolingFrom + Inputs{txtClimAlt};
    const Inputs heaterFrom = areaFrom + Inputs{txtClimK, txtClimTuMin, txtClimTiMin, txtClimPMin};
    const Inputs dewFrom = {txtClimDayT, txtClimRH};
    const Inputs nightFrom = areaFrom + Inputs{txtClimK, txtClimNightT, txtClimPMin};
    const Inputs dewHeaterFrom = nightFrom + dewFrom;
    // A result whose inputs were not all read: "—", and which inputs.
    auto requireRead = [&](Shown& s, const Inputs& from) {
        QStringList names;
        for (const QLineEdit* f : from) {
            if (unread.contains(f) && !names.contains(m_captions.value(f)))
                names << m_captions.value(f);
        }
        if (!names.isEmpty()) {
            s = {std::nullopt,
                 QStringLiteral("입력 오류 (%1): 계산하지 않았습니다.").arg(names.join(", ")),
                 true};
        }
    };

    // What the formulas take but no cabinet has: a negative heat, or a
    // temperature out of this world.
    auto temperature = [](double t) { return t >= kMinTemperature && t <= kMaxTemperature; };
    const QString badTemperature = QStringLiteral("온도는 -100 °C에서 200 °C 사이로 입력하세요.");
    const bool summerOk = temperature(in.ambientMax) && temperature(in.insideDesired);
    const bool winterOk = temperature(in.ambientMin) && temperature(in.insideMin);
    const bool humidOk = temperature(in.humidDayTemperature) && temperature(in.humidNightMin);
    const bool heatOk = in.internalHeat >= 0;
    const QString badHeat = QStringLiteral("내부 발열량은 0 이상이어야 합니다.");
    const bool heatMinOk = in.internalHeatMin >= 0;
    const QString badHeatMin = QStringLiteral("최저 온도일 때의 장비 발열은 0 이상이어야 합니다.");

    Shown area = shown(r.area);
    requireRead(area, areaFrom);
    Shown wall = shown(r.wallHeat);
    require(wall, summerOk, badTemperature);
    requireRead(wall, wallFrom);
    Shown solar = shown(r.solarHeat);
    requireRead(solar, solarFrom);
    Shown cooling = shown(r.coolingPower);
    Shown exchanger = shown(r.heatExchangerCapacity);
    Shown airflow = shown(r.airflow);
    Shown cfm = shown(r.airflowCfm);
    for (Shown* s : {&cooling, &exchanger, &airflow, &cfm}) {
        require(*s, summerOk, badTemperature);
        require(*s, heatOk, badHeat);
    }
    requireRead(cooling, coolingFrom);
    requireRead(exchanger, coolingFrom);
    requireRead(airflow, airflowFrom);
    requireRead(cfm, airflowFrom);
    Shown heater = shown(r.heaterPower);
    require(heater, winterOk, badTemperature);
    require(heater, heatMinOk, badHeatMin);
    requireRead(heater, heaterFrom);
    Shown dew = shown(r.dewPoint);
    require(dew, temperature(in.humidDayTemperature), badTemperature);
    requireRead(dew, dewFrom);
    Shown dewHeater = shown(r.condensationFreeHeaterPower);
    require(dewHeater, humidOk, badTemperature);
    require(dewHeater, heatMinOk, badHeatMin);
    requireRead(dewHeater, dewHeaterFrom);
    Shown night = shown(r.nightInsideTemperature);
    require(night, humidOk, badTemperature);
    requireRead(night, nightFrom);

    out.show(txtClimA, area, 3, QStringLiteral("m²"));
    out.show(txtClimQs, wall, 1, QStringLiteral("W"));
    out.show(txtClimQsun, solar, 1, QStringLiteral("W"));
    out.show(txtClimHeater, heater, 1, QStringLiteral("W"));
    out.show(txtClimDew, dew, 1, QStringLiteral("°C"));
    out.show(txtClimDewHeater, dewHeater, 1, QStringLiteral("W"));

    // Cooling, heat exchanger and filter fan: not needed when the walls
    // carry away more than the cabinet produces and the sun brings.
    const bool notNeeded = r.coolingNotNeeded() && cooling.value;
    const QString carried = notNeeded ? displayText(-*r.heatSurplus.value, 1) : QString();
    const QString notNeededText = QStringLiteral("필요 없음 (벽으로 %1 W 방출)").arg(carried);
    const QString notNeededTip =
        notNeeded ? QStringLiteral(
                        "필요 없음: 벽이 P + Qsun보다 %1 W 더 내보냅니다 "
                        "(P + Qsun − Qs = %2 W).")
                        .arg(tipText(-*r.heatSurplus.value, 1), tipText(*r.heatSurplus.value, 1))
                  : QString();
    struct Requirement {
        QLineEdit* field;
        const Shown& need;
        int decimals;
        QString unit;
    };
    for (const Requirement& q : {Requirement{txtClimCool, cooling, 1, QStringLiteral("W")},
                                 Requirement{txtClimQw, exchanger, 2, QStringLiteral("W/K")},
                                 Requirement{txtClimFlow, airflow, 1, QStringLiteral("m³/h")},
                                 Requirement{txtClimFlowCfm, cfm, 1, QStringLiteral("cfm")}}) {
        const bool rowNotNeeded = notNeeded && q.need.value;
        for (const ResultRow& row : m_rows) {
            if (row.value == q.field) setRowNotNeeded(row, rowNotNeeded);
        }
        if (rowNotNeeded) {
            // The airflow's second unit: the row above says the rest.
            out.text(q.field,
                     q.field == txtClimFlowCfm ? QStringLiteral("필요 없음") : notNeededText,
                     notNeededTip);
        } else {
            out.show(q.field, q.need, q.decimals, q.unit);
        }
    }
    for (QLineEdit* model : {txtClimCoolModel, txtClimFanModel, txtClimFlowModel}) {
        if (model->isHidden()) out.text(model, QString(), QString());
    }

    // The models, for the results that stand.
    const auto& tables = m_app.tables();
    const QString noHeater =
        QStringLiteral("동결 방지 히터: 최저 온도에서도 반내 온도가 유지되어 필요하지 않습니다.");
    const QString noDewHeater = QStringLiteral(
        "결로 방지 히터: 습한 날 밤에도 반내가 이슬점 + 3 K 위에 있어 필요하지 않습니다.");
    auto fallsShort = [&out](const QString& kind, const QString& name) {
        out.note(QStringLiteral("%1: 가장 큰 모델(%2)로도 부족합니다. 여러 대로 나누어 계산하세요.")
                     .arg(kind, name));
    };
    auto missing = [&out](QLineEdit* field, const QString& kind, const QString& section) {
        const QString why = QStringLiteral("%1: app.ini에 %2 절이 없어 모델을 고를 수 없습니다.")
                                .arg(kind, section);
        out.text(field, QString(), why);
        out.note(why);
    };
    // Whether a result has a model to pick: none when it does not apply or
    // is not needed.
    auto needs = [&out, notNeeded](QLineEdit* model, const Shown& s) {
        if (!s.value) {
            out.notApplicable(model, s.why);
            return false;
        }
        return !notNeeded;
    };
    if (notNeeded) {
        out.note(QStringLiteral(
                     "냉각: 벽이 발열과 일사 열량보다 %1 W 더 내보내어 에어컨·열교환기·필터팬이 "
                     "필요 없습니다.")
                     .arg(carried));
    }

    // Air conditioner and box fan: by the main window's own search over its
    // tables, the first model whose capacity is above the requirement.
    if (needs(txtClimCoolModel, cooling)) {
        const auto& capacities = tables.AirconModelCapacity;
        if (std::all_of(capacities.begin(), capacities.end(), [](double c) { return c <= 0; })) {
            missing(txtClimCoolModel, QStringLiteral("에어컨"), QStringLiteral("[Aircon-Model]"));
        } else {
            const double capacity =
                capacities[static_cast<size_t>(RecommendAirconModel(*cooling.value, capacities))];
            m_picks.aircon = QStringLiteral("VKA-%1BR").arg(numberText(capacity));
            out.text(txtClimCoolModel, m_picks.aircon,
                     QStringLiteral("냉각 능력 %1 W").arg(numberText(capacity)));
            if (capacity < *cooling.value) fallsShort(QStringLiteral("에어컨"), m_picks.aircon);
        }
    }
    if (needs(txtClimFanModel, exchanger)) {
        const auto& capacities = tables.FanModelCapacity;
        if (std::all_of(capacities.begin(), capacities.end(), [](double c) { return c <= 0; })) {
            missing(txtClimFanModel, QStringLiteral("열교환기·팬"), QStringLiteral("[FAN-Model]"));
        } else {
            const auto i = static_cast<size_t>(RecommendFanModel(*exchanger.value, capacities));
            m_picks.fan = QString::fromStdString(tables.FanModelName[i]);
            out.text(txtClimFanModel, m_picks.fan,
                     QStringLiteral("용량 %1 W/K").arg(numberText(capacities[i])));
            if (capacities[i] < *exchanger.value)
                fallsShort(QStringLiteral("열교환기·팬"), m_picks.fan);
        }
    }
    // Filter fans and heaters: the smallest that reaches the requirement.
    auto pickFromList = [&](QLineEdit* field, const Shown& need,
                            const std::vector<ClimateModel>& models, QString* pick,
                            const QString& kind, const QString& section, const QString& rating) {
        const ModelChoice choice = PickModel(*need.value, models);
        if (!choice.index) {
            missing(field, kind, section);
            return;
        }
        const ClimateModel& m = models[*choice.index];
        *pick = QString::fromStdString(m.designation);
        out.text(field, *pick, rating.arg(numberText(m.value)));
        if (choice.exceeds) fallsShort(kind, *pick);
    };
    if (needs(txtClimFlowModel, airflow)) {
        pickFromList(txtClimFlowModel, airflow, m_filterFans, &m_picks.filterFan,
                     QStringLiteral("필터팬"), QStringLiteral("[FilterFan-Model]"),
                     QStringLiteral("풍량 %1 m³/h"));
    }
    if (!heater.value) {
        out.notApplicable(txtClimHeaterModel, heater.why);
    } else if (*heater.value <= 0) {
        out.notApplicable(txtClimHeaterModel, noHeater);
        out.note(noHeater);
    } else {
        pickFromList(txtClimHeaterModel, heater, m_heaters, &m_picks.heater,
                     QStringLiteral("동결 방지 히터"), QStringLiteral("[Heater-Model]"),
                     QStringLiteral("출력 %1 W"));
    }
    if (!dewHeater.value) {
        out.notApplicable(txtClimDewHeaterModel, dewHeater.why);
    } else if (*dewHeater.value <= 0) {
        out.notApplicable(txtClimDewHeaterModel, noDewHeater);
    } else {
        pickFromList(txtClimDewHeaterModel, dewHeater, m_heaters, &m_picks.condensationHeater,
                     QStringLiteral("결로 방지 히터"), QStringLiteral("[Heater-Model]"),
                     QStringLiteral("출력 %1 W"));
    }

    // The altitude's factor, which the airflow was computed with.
    Shown factor = shown(r.airflowFactor);
    requireRead(factor, {txtClimAlt});
    if (factor.value) {
        // f grows as the air thins: the same mass of air, which carries the
        // heat, takes up more volume.
        lblClimFlowFactor->setText(
            QStringLiteral(
                "풍량 계수 f = %1 m³·K/(W·h)\n고도 %2 m의 공기 밀도 %3 % (해수면에서 f = %4)")
                .arg(displayText(*factor.value, 3), numberText(in.altitude),
                     displayText(100 * kSeaLevelAirflowFactor / *factor.value, 1),
                     numberText(kSeaLevelAirflowFactor)));
    } else {
        lblClimFlowFactor->setText(QStringLiteral("풍량 계수 f: ") + factor.why);
        if (!factor.inputError) out.note(factor.why);
    }

    // Condensation: when the cabinet, on the humid day's night, cools to the
    // dew point of the air it took in that day.
    m_condensation = dew.value && night.value && r.condensation.value_or(false);
    if (m_condensation) {
        QString text =
            QStringLiteral(
                "결로 위험: 습한 날 밤의 반내 온도 %1 °C (밤 최저 기온 %2 °C + PMin/(U·A))가 "
                "습한 날 공기(%3 °C, 상대습도 %4 %)의 이슬점 %5 °C 이하입니다.")
                .arg(displayText(*night.value, 1), numberText(in.humidNightMin),
                     numberText(in.humidDayTemperature), numberText(in.relativeHumidity),
                     displayText(*dew.value, 1));
        const QString safe = displayText(*r.condensationFreeInsideMin.value, 1);
        if (dewHeater.value) {
            text += QStringLiteral(
                        " 결로가 없는 반내 온도는 %1 °C (이슬점 + %2 K)이며, 이를 유지하는 결로 "
                        "방지 히터 출력은 %3 W입니다.")
                        .arg(safe, numberText(kDewPointMargin), displayText(*dewHeater.value, 1));
        } else {
            text += QStringLiteral(" 결로가 없는 반내 온도는 %1 °C (이슬점 + %2 K)입니다.")
                        .arg(safe, numberText(kDewPointMargin));
        }
        lblClimCondensation->setText(text);
    }
    lblClimCondensation->setVisible(m_condensation);

    lblClimStatus->setText(m_notes.isEmpty() ? QStringLiteral("모든 결과가 계산되었습니다.")
                                             : m_notes.join(u'\n'));
}

void frmClimate::cmdClimateExit_Click() { m_app.unloadWindow(this); }

// The window's own inputs, and of the following ones those the user typed.
WindowInputs frmClimate::storedInputs() const {
    WindowInputs inputs = captureControls(this);
    for (const QLineEdit* field : m_following) {
        if (!m_typed.contains(field)) inputs.remove(field->objectName());
    }
    return inputs;
}

void frmClimate::applyStoredInputs(const WindowInputs& inputs) {
    // Everything afresh, then the cabinet's: a following input it keeps a
    // text for was typed; one it keeps none for follows.
    Form_Load();
    if (inputs.isEmpty()) return;
    m_filling = true;
    applyControls(this, inputs);
    for (QLineEdit* field : m_following) {
        if (!field->text().trimmed().isEmpty() && inputs.contains(field->objectName()))
            m_typed.insert(field);
    }
    for (QLineEdit* f : {txtClimSunE, txtClimSunAbs, txtClimSunArea, txtClimSunRse})
        f->setEnabled(chkClimSun->isChecked());
    refreshFollowing();
    updatePSource();
    m_filling = false;
    recompute();
}
