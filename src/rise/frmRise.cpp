#include "rise/frmRise.h"

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
#include <cmath>
#include <span>

#include "calc/ClimateDesign.h"
#include "calc/NumberText.h"
#include "kit/CabinetCoolApp.h"
#include "kit/FieldCues.h"
#include "kit/ProjectSession.h"
#include "kit/ScrollableClient.h"
#include "kit/Twips.h"
#include "kit/Widgets.h"
#include "kit/WindowKeys.h"

namespace {

const QString kDash = QStringLiteral("—");
const QString kCustom = QStringLiteral("사용자 지정");

// The arrangement the window opens with: a single enclosure, detached.
constexpr int kDefaultArrangement = 1;

// The window's design size, in twips.
constexpr int kClientWidth = 12720;
constexpr int kClientHeight = 8520;

// Input rows: caption, field name, unit, extra room above.
struct InputRow {
    const char* caption;
    const char* name;
    const char* unit;
    int gapAbove;
};
constexpr InputRow kDimensionRows[] = {
    {"높이 H", "txtRiseHeight", "m", 0},
    {"폭 W", "txtRiseWidth", "m", 0},
    {"깊이 D", "txtRiseDepth", "m", 0},
    {"수평 칸막이 수", "txtRisePartitions", "개 (0 ~ 3)", 0},
};
constexpr InputRow kVentRows[] = {
    {"흡기구 면적", "txtRiseInlet", "cm²", 0},
    {"배기구 면적", "txtRiseOutlet", "cm²", 0},
};
constexpr InputRow kHeatRows[] = {
    {"손실 전력 P", "txtRiseP", "W", 90},
    {"주위 온도 Tu", "txtRiseTu", "°C", 0},
    {"허용 온도 (1/2 높이)", "txtRiseTmax05", "°C", 0},
    {"허용 온도 (상부)", "txtRiseTmax10", "°C", 0},
};
constexpr InputRow kOverrideRows[] = {
    {"c (온도 분포 계수)", "txtRiseOverrideC", "", 0},
    {"d (칸막이 계수)", "txtRiseOverrideD", "", 0},
    {"k (외함 상수)", "txtRiseOverrideK", "", 0},
};
constexpr int kPitch = 330;

struct FaceRow {
    const char* caption;
    const char* name;
};
constexpr FaceRow kFaceRows[] = {
    {"윗면", "cboRiseTop"},       {"앞면", "cboRiseFront"},        {"뒷면", "cboRiseBack"},
    {"왼쪽 옆면", "cboRiseLeft"}, {"오른쪽 옆면", "cboRiseRight"},
};

// Result rows: caption, field name, unit, display pattern.
struct ResultRow {
    const char* caption;
    const char* name;
    const char* unit;
    int gapAbove;
};
constexpr ResultRow kResultRows[] = {
    {"Ae", "txtRiseAe", "㎡", 0},
    {"f", "txtRiseF", "", 0},
    {"k", "txtRiseK", "", 0},
    {"c", "txtRiseC", "", 0},
    {"d", "txtRiseD", "", 0},
    {"x", "txtRiseX", "", 0},
    {"Δt0.5", "txtRiseDt05", "K", 90},
    {"Δt0.75", "txtRiseDt075", "K", 0},
    {"Δt1.0", "txtRiseDt10", "K", 0},
    {"1/2 높이", "txtRiseT05", "°C", 90},
    {"3/4 높이", "txtRiseT075", "°C", 0},
    {"상부", "txtRiseT10", "°C", 0},
};

// What the user reads beside each control: meaning, unit, formula, source.
// The results' own values follow in their tooltips.
constexpr ToolTipEntry kToolTips[] = {
    {"cboRiseInstall",
     "배치: IEC/TR 60890의 일곱 가지 설치 형태. 고르면 아래 다섯 면이 그 형태로 바뀝니다. 면을 "
     "하나라도 바꾸면 \"사용자 지정\"이 됩니다"},
    {"cboRiseTop", "윗면: 노출이면 b = 1.4, 덮여 있으면 b = 0.7 (IEC/TR 60890 표면 계수 b)"},
    {"cboRiseFront",
     "앞면: 노출이면 b = 0.9, 벽이나 이웃 외함에 붙어 있으면 b = 0.5 (IEC/TR 60890 표면 계수 b)"},
    {"cboRiseBack",
     "뒷면: 노출이면 b = 0.9, 벽이나 이웃 외함에 붙어 있으면 b = 0.5 (IEC/TR 60890 표면 계수 b)"},
    {"cboRiseLeft",
     "왼쪽 옆면: 노출이면 b = 0.9, 벽이나 이웃 외함에 붙어 있으면 b = 0.5 (IEC/TR 60890 표면 계수 "
     "b)"},
    {"cboRiseRight",
     "오른쪽 옆면: 노출이면 b = 0.9, 벽이나 이웃 외함에 붙어 있으면 b = 0.5 (IEC/TR 60890 표면 "
     "계수 b)"},
    {"txtRiseHeight",
     "외함 높이 H (m). 직접 입력하기 전까지 주 화면의 높이를 따르며, 칸을 비우면 다시 따릅니다"},
    {"txtRiseWidth", "외함 폭 W (m). 직접 입력하기 전까지 주 화면의 폭을 따릅니다"},
    {"txtRiseDepth", "외함 깊이 D (m). 직접 입력하기 전까지 주 화면의 깊이를 따릅니다"},
    {"txtRisePartitions",
     "수평 칸막이 수 (개, 0 ~ 3의 정수): 칸막이 계수 d를 정합니다. 3개를 넘으면 IEC/TR 60890의 "
     "방법을 쓸 수 없습니다"},
    {"chkRiseVent",
     "환기구: 외함에 자연 환기구가 있으면 켭니다. k와 c는 흡기구 면적에 따른 곡선, 지수 x = "
     "0.715가 됩니다 (Ae > 1.25 ㎡일 때)"},
    {"txtRiseInlet",
     "흡기구 면적 S (cm²): 아래쪽 환기구의 유효 단면적. 곡선의 범위는 10 ~ 1000 cm²"},
    {"txtRiseOutlet",
     "배기구 면적 (cm²): 위쪽 환기구의 유효 단면적. 흡기구의 1.1배 이상이어야 이 방법이 "
     "맞습니다"},
    {"txtRiseP",
     "손실 전력 P (W): 외함 안 기기와 도체의 유효 전력 손실 합. 직접 입력하기 전까지 주 화면의 "
     "내부 발열량 P를 따릅니다"},
    {"txtRiseTu",
     "주위 온도 Tu (°C): 외함 밖 공기의 온도. IEC 61439-1의 하루 평균 35 °C가 기본입니다"},
    {"txtRiseTmax05",
     "허용 온도, 1/2 높이 (°C): 외함 높이의 가운데에 설치한 기기가 허용하는 주위 공기 온도 "
     "(기기 자료)"},
    {"txtRiseTmax10",
     "허용 온도, 상부 (°C): 외함 위쪽에 설치한 기기가 허용하는 주위 공기 온도 (기기 자료)"},
    {"chkRiseOverride",
     "c, d, k 직접 입력: 곡선과 표 대신 엔지니어가 정한 값을 씁니다 (예: 외함 제조사의 "
     "시험값). 켤 때 빈 칸에는 지금의 곡선 값이 들어갑니다"},
    {"txtRiseOverrideC", "직접 입력한 온도 분포 계수 c (0보다 큰 수)"},
    {"txtRiseOverrideD", "직접 입력한 칸막이 계수 d (0보다 큰 수)"},
    {"txtRiseOverrideK", "직접 입력한 외함 상수 k (0보다 큰 수)"},
    {"txtRiseAe",
     "유효 냉각 면적 Ae (㎡) = Σ A0·b: 각 면의 면적 A0에 표면 계수 b를 곱한 합. 바닥은 "
     "넣지 않습니다 (IEC/TR 60890)"},
    {"txtRiseF",
     "Ae > 1.25 ㎡: 높이 계수 f = H^1.35 / Ab (Ab = W·D, 바닥 면적). Ae ≤ 1.25 ㎡: g = H / W "
     "(IEC/TR 60890)"},
    {"txtRiseK",
     "외함 상수 k: 밀폐 Ae 1.25 ~ 12 ㎡ k = 0.58·Ae^-0.795; 환기구 k = Ak·ln S − Bk (Ak = "
     "0.0283·ln Ae − 0.1039, Bk = 0.1952·ln Ae − 0.7656); 소형 Ae ≤ 1.25 ㎡ k = 0.626·Ae^-0.737 "
     "(0.08 ㎡ 미만 4.0). IEC/TR 60890 곡선의 근사식"},
    {"txtRiseC",
     "온도 분포 계수 c: 밀폐 c = −0.0017·f² + 0.055·f + c0 (배치 곡선 1 ~ 5의 c0 = 1.182, "
     "1.164, 1.146, 1.125, 1.087); 환기구 c = 0.01·(7.6·f + 69)·S^(5.1e-4·f² − 0.0135·f + "
     "0.14931); 소형 c = 1 + 0.19354·g (g ≤ 0.8147), 그 위 0.93643 + 0.324055·(1 − "
     "e^(−1.8827·g + 0.38579)). IEC/TR 60890 곡선의 근사식"},
    {"txtRiseD",
     "칸막이 계수 d (Δt0.5 = d·k·P^x): 수평 칸막이 0, 1, 2, 3개에 밀폐 1, 1.05, 1.15, 1.3, 환기구 "
     "1, 1.05, "
     "1.1, 1.15 (IEC/TR 60890의 표. 공개 자료로 확인하지 못한 값입니다)"},
    {"txtRiseX", "P의 지수 x (Δt0.5 = d·k·P^x): 밀폐 x = 0.804, 환기구 x = 0.715 (IEC/TR 60890)"},
    {"txtRiseDt05", "1/2 높이의 공기 온도 상승 Δt0.5 (K) = d·k·P^x (IEC/TR 60890)"},
    {"txtRiseDt075",
     "3/4 높이의 공기 온도 상승 Δt0.75 (K): Ae ≤ 1.25 ㎡ Δt0.75 = c·Δt0.5; Ae > 1.25 ㎡ Δt0.75 = "
     "(Δt0.5 + Δt1.0) / 2, 두 점 사이 직선의 가운데 (IEC/TR 60890)"},
    {"txtRiseDt10",
     "상부의 공기 온도 상승 Δt1.0 (K): Ae > 1.25 ㎡ Δt1.0 = c·Δt0.5; Ae ≤ 1.25 ㎡ Δt1.0 = "
     "Δt0.75 (IEC/TR 60890)"},
    {"txtRiseT05", "1/2 높이의 공기 온도 (°C) = Tu + Δt0.5"},
    {"txtRiseT075", "3/4 높이의 공기 온도 (°C) = Tu + Δt0.75"},
    {"txtRiseT10", "상부의 공기 온도 (°C) = Tu + Δt1.0"},
    {"lblRiseVerdict",
     "판정: 1/2 높이와 상부의 공기 온도가 모두 허용 온도 이하이면 적합. 여유 = 허용 온도 − "
     "공기 온도 (K). IEC 61439-1 10.10의 계산 검증"},
    {"lblRiseNotes", "이 방법을 쓸 수 없거나 곡선의 범위를 벗어난 곳, 입력 오류"},
    {"picRiseProfile",
     "높이에 따른 공기 온도: 바닥(주위 온도)에서 1/2, 3/4 높이와 상부까지. 빨간 막대는 허용 "
     "온도"},
    {"cmdRiseExit", "닫기 (Esc): 창을 닫습니다"},
};

// The canvas of the profile, drawn afresh at the screen's resolution.
class ProfileView final : public QWidget {
public:
    explicit ProfileView(QWidget* parent) : QWidget(parent) {}
    void setProfile(const RiseProfile& profile) {
        m_profile = profile;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        drawRiseProfile(painter, QRectF(rect()).adjusted(0, 0, -1, -1), m_profile);
    }

private:
    RiseProfile m_profile;
};

void setResultLook(QLineEdit* field) {
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::ClickFocus);  // selectable for copying, not a tab stop
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    field->setPalette(palette);
}

bool isDark(const QPalette& palette) { return palette.color(QPalette::Window).lightness() < 128; }

QString reasonText(RiseReason reason) {
    switch (reason) {
        case RiseReason::None:
            break;
        case RiseReason::Unreadable:
            return QStringLiteral("숫자로 읽을 수 없는 입력이 있어 계산하지 않았습니다.");
        case RiseReason::InvalidDimensions:
            return QStringLiteral("높이·폭·깊이는 0보다 커야 합니다.");
        case RiseReason::InvalidPower:
            return QStringLiteral("손실 전력 P는 0보다 커야 합니다.");
        case RiseReason::InvalidPartitions:
            return QStringLiteral("수평 칸막이 수는 0에서 3 사이의 정수로 입력하세요.");
        case RiseReason::TooManyPartitions:
            return QStringLiteral(
                "수평 칸막이가 3개를 넘으면 IEC/TR 60890의 방법을 쓸 수 없습니다.");
        case RiseReason::InvalidOpeningArea:
            return QStringLiteral("환기구 면적은 0 이상이어야 합니다.");
        case RiseReason::InvalidOverride:
            return QStringLiteral("직접 입력하는 c, d, k는 0보다 커야 합니다.");
        case RiseReason::InvalidTemperature:
            return QStringLiteral("온도는 -273.15 °C 이상이어야 합니다.");
        case RiseReason::OutOfRange:
            return QStringLiteral(
                "입력한 값이 계산할 수 있는 범위를 벗어났습니다. 값을 확인하세요.");
    }
    return {};
}

QString number(double value, const char* pattern) {
    return QString::fromStdString(FormatNumber(value, pattern));
}

QString noteText(const RiseNote& n, const RiseResult& r) {
    const QString given = numberText(std::round(n.given * 1000) / 1000);
    const QString used = numberText(n.used);
    switch (n.kind) {
        case RiseNoteKind::OutletTooSmall:
            return QStringLiteral(
                       "배기구 %1 cm²가 흡기구의 1.1배(%2 cm²)보다 작습니다. IEC/TR 60890의 적용 "
                       "조건 밖이므로 결과는 참고값입니다.")
                .arg(given, numberText(std::round(n.used * 1000) / 1000));
        case RiseNoteKind::OpeningsOnSmallEnclosure:
            return QStringLiteral(
                "Ae ≤ 1.25 ㎡인 소형 외함의 곡선은 밀폐 외함용입니다. 환기구 없이 계산한 "
                "참고값입니다.");
        case RiseNoteKind::AeBelowCurve:
            return QStringLiteral(
                       "Ae %1 ㎡는 k 곡선의 범위(%2 ㎡ 이상) 밖이라 곡선 끝의 k = 4.0을 "
                       "썼습니다.")
                .arg(given, used);
        case RiseNoteKind::AeAboveCurve:
            return QStringLiteral(
                       "Ae %1 ㎡는 k 곡선의 범위(%2 ㎡까지) 밖이라 %2 ㎡의 값을 썼습니다.")
                .arg(given, used);
        case RiseNoteKind::FBelowCurve:
        case RiseNoteKind::FAboveCurve:
            return QStringLiteral(
                       "f = %1은 c 곡선의 범위 밖이라 가장 가까운 끝 f = %2의 값을 썼습니다.")
                .arg(given, used);
        case RiseNoteKind::GAboveCurve:
            return QStringLiteral("g = %1은 c 곡선의 범위(3까지) 밖이라 g = %2의 값을 썼습니다.")
                .arg(given, used);
        case RiseNoteKind::InletBelowCurve:
        case RiseNoteKind::InletAboveCurve:
            return QStringLiteral(
                       "흡기구 %1 cm²는 곡선의 범위(10 ~ 1000 cm²) 밖이라 %2 cm²의 값을 "
                       "썼습니다.")
                .arg(given, used);
        case RiseNoteKind::CustomArrangement:
            return QStringLiteral(
                       "일곱 가지 배치에 없는 면 조합입니다. c는 덮인 옆·앞·뒷면의 수로 정한 배치 "
                       "곡선 %1을 씁니다.")
                .arg(r.curve);
        case RiseNoteKind::Overridden: {
            auto curve = [](const RiseValue& v, const char* pattern) {
                return v.applicable() ? number(*v.value, pattern) : kDash;
            };
            return QStringLiteral(
                       "c, d, k는 직접 입력한 값입니다 (곡선과 표: c = %1, d = %2, k = %3).")
                .arg(curve(r.cCurve, "0.000"), curve(r.dTable, "0.00"), curve(r.kCurve, "0.000"));
        }
    }
    return {};
}

QString marginText(const QString& where, double margin) {
    // By the exact margin, as the verdict: a hair too warm reads "0.0 K 초과".
    if (margin >= 0) return QStringLiteral("%1 여유 %2 K").arg(where, number(margin, "0.0"));
    return QStringLiteral("%1 %2 K 초과").arg(where, number(-margin, "0.0"));
}

}  // namespace

frmRise::frmRise(CabinetCoolApp& app)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint),
      m_app(app) {
    setObjectName(QStringLiteral("frmRise"));
    setWindowTitle(QStringLiteral("제어반 내부 온도 상승 (IEC/TR 60890)"));
    buildLayout(makeScrollableClient(this, twipsSize(kClientWidth, kClientHeight)));
    setUpToolTips();
    Form_Load();
}

void frmRise::buildLayout(QWidget* client) {
    const QFont rowFont = uiFont(9, true);
    QList<QWidget*> order;

    // ---- inputs ---------------------------------------------------------
    auto* inputs = new QGroupBox(QStringLiteral("입력"), client);
    inputs->setObjectName(QStringLiteral("fraRiseInputs"));
    inputs->setFont(rowFont);
    inputs->setGeometry(twipsRect(120, 120, 5520, 8280));

    auto label = [&](QWidget* parent, const QString& text, int left, int top, int width) {
        QLabel* l = makeLabel(parent, text, left, top, width, 270, rowFont);
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return l;
    };
    auto combo = [&](QWidget* parent, const char* name, int left, int top, int width) {
        auto* c = new QComboBox(parent);
        c->setObjectName(QString::fromLatin1(name));
        c->setFont(rowFont);
        c->setGeometry(twipsRect(left, top - 30, width, 330));
        order.append(c);
        return c;
    };
    int top = 330;
    QLabel* installLabel = label(inputs, QStringLiteral("배치"), 120, top, 900);
    cboRiseInstall = combo(inputs, "cboRiseInstall", 1020, top, 4380);
    cboRiseInstall->addItem(kCustom);
    for (int type = kFirstRiseInstallation; type <= kLastRiseInstallation; ++type)
        cboRiseInstall->addItem(QString::fromUtf8(CabinetInstallationText(type).data(),
                                                  qsizetype(CabinetInstallationText(type).size())));
    installLabel->setBuddy(cboRiseInstall);
    top += kPitch + 60;

    for (const FaceRow& row : kFaceRows) {
        QLabel* l = label(inputs, QString::fromUtf8(row.caption), 360, top, 1560);
        QComboBox* c = combo(inputs, row.name, 1980, top, 2520);
        if (QLatin1String(row.name) == QLatin1String("cboRiseTop")) {
            c->addItems({QStringLiteral("노출"), QStringLiteral("덮임")});
            cboRiseTop = c;
        } else {
            c->addItems({QStringLiteral("노출"), QStringLiteral("벽에 붙음"),
                         QStringLiteral("이웃 외함에 붙음")});
        }
        l->setBuddy(c);
        connect(c, &QComboBox::currentIndexChanged, this, [this]() {
            if (!m_filling) faceChanged();
        });
        top += kPitch;
    }
    cboRiseFront = inputs->findChild<QComboBox*>(QStringLiteral("cboRiseFront"));
    cboRiseBack = inputs->findChild<QComboBox*>(QStringLiteral("cboRiseBack"));
    cboRiseLeft = inputs->findChild<QComboBox*>(QStringLiteral("cboRiseLeft"));
    cboRiseRight = inputs->findChild<QComboBox*>(QStringLiteral("cboRiseRight"));

    auto fieldRows = [&](std::span<const InputRow> rows) {
        for (const InputRow& row : rows) {
            top += row.gapAbove;
            const QString caption = QString::fromUtf8(row.caption);
            QLabel* l = label(inputs, caption, 120, top, 2760);
            QLineEdit* field =
                makeField(inputs, QString::fromLatin1(row.name), 2940, top, 1080, 270);
            field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            l->setBuddy(field);
            label(inputs, QString::fromUtf8(row.unit), 4110, top, 1320);
            m_captions.insert(field, caption);
            m_inputFields.append(field);
            order.append(field);
            connect(field, &QLineEdit::textChanged, this, [this, field]() { fieldEdited(field); });
            top += kPitch;
        }
    };
    auto check = [&](const char* name, const QString& caption) {
        auto* box = new QCheckBox(caption, inputs);
        box->setObjectName(QString::fromLatin1(name));
        box->setFont(rowFont);
        box->setGeometry(twipsRect(120, top - 15, 5280, 300));
        // As wide as its caption: the box takes clicks only where it shows.
        box->resize(std::min(box->width(), box->sizeHint().width()), box->height());
        order.append(box);
        connect(box, &QCheckBox::toggled, this, [this]() {
            updateEnabled();
            if (!m_filling) recompute();
        });
        top += kPitch;
        return box;
    };
    top += 60;
    fieldRows(kDimensionRows);
    top += 90;
    chkRiseVent = check("chkRiseVent", QStringLiteral("환기구 있음 (자연 환기)"));
    fieldRows(kVentRows);
    fieldRows(kHeatRows);
    top += 90;
    chkRiseOverride = check("chkRiseOverride", QStringLiteral("c, d, k 직접 입력"));
    fieldRows(kOverrideRows);

    auto field = [this](const char* name) { return findChild<QLineEdit*>(QLatin1String(name)); };
    txtRiseHeight = field("txtRiseHeight");
    txtRiseWidth = field("txtRiseWidth");
    txtRiseDepth = field("txtRiseDepth");
    txtRisePartitions = field("txtRisePartitions");
    txtRiseInlet = field("txtRiseInlet");
    txtRiseOutlet = field("txtRiseOutlet");
    txtRiseP = field("txtRiseP");
    txtRiseTu = field("txtRiseTu");
    txtRiseTmax05 = field("txtRiseTmax05");
    txtRiseTmax10 = field("txtRiseTmax10");
    txtRiseOverrideC = field("txtRiseOverrideC");
    txtRiseOverrideD = field("txtRiseOverrideD");
    txtRiseOverrideK = field("txtRiseOverrideK");
    m_following = {txtRiseHeight, txtRiseWidth, txtRiseDepth, txtRiseP};
    for (QLineEdit* f : m_following) addFollowAgainButton(f);
    // A following field emptied while the user is in it shows its value
    // when the user leaves it.
    for (QLineEdit* f : m_following) {
        connect(f, &QLineEdit::editingFinished, this, [this]() {
            if (!m_filling && refreshFollowing()) recompute();
        });
    }
    // The main window's edits and another current cabinet reach H, W, D
    // and P while the window is open.
    auto followMain = [this]() {
        if (m_filling || !isVisible()) return;
        const bool followed = refreshFollowing();
        // The device list's marks follow its edits too.
        if (followed || !m_app.project().current().devices.isEmpty() ||
            !m_report.profile.devices.isEmpty())
            recompute();
    };
    connect(&m_app.project(), &ProjectSession::cabinetEdited, this, followMain);
    connect(&m_app.project(), &ProjectSession::currentChanged, this, followMain);
    connect(chkRiseOverride, &QCheckBox::toggled, this, [this](bool on) {
        if (!on || m_filling) return;
        // A start from the curves' values, where the engineer has none yet.
        const RiseResult& r = m_report.result;
        for (auto [f, v] :
             {std::pair{txtRiseOverrideC, r.cCurve}, std::pair{txtRiseOverrideD, r.dTable},
              std::pair{txtRiseOverrideK, r.kCurve}}) {
            if (f->text().trimmed().isEmpty() && v.applicable()) {
                const QSignalBlocker quiet(f);
                f->setText(numberText(std::round(*v.value * 1000) / 1000));
            }
        }
        recompute();
    });

    // ---- results --------------------------------------------------------
    auto* results = new QGroupBox(QStringLiteral("계산 결과"), client);
    results->setObjectName(QStringLiteral("fraRiseResults"));
    results->setFont(rowFont);
    results->setGeometry(twipsRect(5760, 120, 3000, 6000));
    top = 330;
    for (const ResultRow& row : kResultRows) {
        top += row.gapAbove;
        QLabel* l = label(results, QString::fromUtf8(row.caption), 120, top, 1020);
        QLineEdit* f = makeField(results, QString::fromLatin1(row.name), 1140, top, 1020, 270);
        setResultLook(f);
        QLabel* unit = label(results, QString::fromUtf8(row.unit), 2220, top, 720);
        if (QLatin1String(row.name) == QLatin1String("txtRiseF")) {
            lblRiseFName = l;
            lblRiseFName->setObjectName(QStringLiteral("lblRiseFName"));
        }
        if (QLatin1String(row.name) == QLatin1String("txtRiseC")) {
            lblRiseCurve = unit;
            lblRiseCurve->setObjectName(QStringLiteral("lblRiseCurve"));
        }
        top += kPitch;
    }
    txtRiseAe = field("txtRiseAe");
    txtRiseF = field("txtRiseF");
    txtRiseK = field("txtRiseK");
    txtRiseC = field("txtRiseC");
    txtRiseD = field("txtRiseD");
    txtRiseX = field("txtRiseX");
    txtRiseDt05 = field("txtRiseDt05");
    txtRiseDt075 = field("txtRiseDt075");
    txtRiseDt10 = field("txtRiseDt10");
    txtRiseT05 = field("txtRiseT05");
    txtRiseT075 = field("txtRiseT075");
    txtRiseT10 = field("txtRiseT10");

    lblRiseVerdict =
        makeLabel(results, QString(), 120, top + 60, 2760, 5880 - top - 120, uiFont(10, true));
    lblRiseVerdict->setObjectName(QStringLiteral("lblRiseVerdict"));
    lblRiseVerdict->setWordWrap(true);
    lblRiseVerdict->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // ---- drawing, notes, close ---------------------------------------------
    auto* profile = new ProfileView(client);
    picRiseProfile = profile;
    picRiseProfile->setObjectName(QStringLiteral("picRiseProfile"));
    picRiseProfile->setGeometry(twipsRect(8880, 240, 3720, 5880));

    auto* notesArea = new QScrollArea(client);
    notesArea->setObjectName(QStringLiteral("scrRiseNotes"));
    notesArea->setGeometry(twipsRect(5760, 6240, 6840, 1500));
    notesArea->setWidgetResizable(true);
    notesArea->setFrameShape(QFrame::StyledPanel);
    lblRiseNotes = new QLabel;
    lblRiseNotes->setObjectName(QStringLiteral("lblRiseNotes"));
    lblRiseNotes->setFont(uiFont(9, false));
    lblRiseNotes->setWordWrap(true);
    lblRiseNotes->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblRiseNotes->setMargin(4);
    lblRiseNotes->setTextInteractionFlags(Qt::TextSelectableByMouse);
    notesArea->setWidget(lblRiseNotes);

    cmdRiseExit = makeButton(client, QStringLiteral("cmdRiseExit"), QStringLiteral("닫기"), 11265,
                             7890, 1335, 450);
    order.append(cmdRiseExit);
    // The order by hand: the lists' pop-ups, windows of their own, stay out.
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
    order.first()->setFocus(Qt::OtherFocusReason);
    installWindowKeys(this, nullptr, [this]() { cmdRiseExit->click(); });

    connect(cboRiseInstall, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_filling) arrangementChosen(index);
    });
    connect(cmdRiseExit, &QPushButton::clicked, this, &frmRise::cmdRiseExit_Click);
    updateVerdictColour();
}

void frmRise::setUpToolTips() {
    applyToolTips(this, kToolTips);
    for (const QLineEdit* f : findChildren<QLineEdit*>()) m_tips.insert(f, description(f));
    m_tips.insert(lblRiseVerdict, description(lblRiseVerdict));
}

void frmRise::Form_Load() {
    m_filling = true;
    m_typed.clear();
    m_followed.clear();
    txtRisePartitions->setText(QStringLiteral("0"));
    txtRiseInlet->clear();
    txtRiseOutlet->clear();
    // IEC 61439-1: the ambient air's daily mean does not exceed 35 °C.
    txtRiseTu->setText(QStringLiteral("35"));
    // What devices for enclosures are commonly rated for; the engineer puts in
    // the figures of the devices mounted.
    txtRiseTmax05->setText(QStringLiteral("55"));
    txtRiseTmax10->setText(QStringLiteral("55"));
    for (QLineEdit* f : {txtRiseOverrideC, txtRiseOverrideD, txtRiseOverrideK}) f->clear();
    chkRiseVent->setChecked(false);
    chkRiseOverride->setChecked(false);
    cboRiseInstall->setCurrentIndex(kDefaultArrangement);
    arrangementChosen(kDefaultArrangement);  // sets the faces; computes once below
    refreshFollowing();
    m_filling = false;
    updateEnabled();
    recompute();
}

void frmRise::arrangementChosen(int index) {
    const std::optional<RiseFaces> faces = RiseFacesOfInstallation(index);
    if (!faces) return;  // "사용자 지정": the faces stay as they are
    {
        const bool filling = m_filling;
        m_filling = true;
        cboRiseTop->setCurrentIndex(int(faces->top));
        cboRiseFront->setCurrentIndex(int(faces->front));
        cboRiseBack->setCurrentIndex(int(faces->back));
        cboRiseLeft->setCurrentIndex(int(faces->left));
        cboRiseRight->setCurrentIndex(int(faces->right));
        m_filling = filling;
    }
    if (!m_filling) recompute();
}

void frmRise::faceChanged() {
    const QSignalBlocker quiet(cboRiseInstall);
    cboRiseInstall->setCurrentIndex(0);
    recompute();
}

void frmRise::updateEnabled() {
    for (QLineEdit* f : {txtRiseInlet, txtRiseOutlet}) f->setEnabled(chkRiseVent->isChecked());
    for (QLineEdit* f : {txtRiseOverrideC, txtRiseOverrideD, txtRiseOverrideK})
        f->setEnabled(chkRiseOverride->isChecked());
}

Cabinet frmRise::windowCabinet() const {
    Cabinet c = m_app.project().capturedCurrent();
    c.rise = storedInputs();
    return c;
}

bool frmRise::follows(const QLineEdit* field) const {
    return m_following.contains(const_cast<QLineEdit*>(field)) && !m_typed.contains(field);
}

bool frmRise::refreshFollowing() {
    const Cabinet cabinet = windowCabinet();
    QStringList followed;
    for (QLineEdit* field : m_following) {
        const std::optional<FollowedValue> v = riseFollowedValue(cabinet, field->objectName());
        const QString text = v ? v->text : QString();
        followed << text;
        field->setPlaceholderText(text);
        const bool following = !m_typed.contains(field);
        setFieldFollows(field, following && v ? v->source : QString());
        // Not while the user has just emptied it to type anew.
        if (following && field->text() != text && !(field->hasFocus() && field->text().isEmpty())) {
            const QSignalBlocker quiet(field);
            field->setText(text);
        }
    }
    const bool changed = followed != m_followed;
    m_followed = followed;
    return changed;
}

void frmRise::fieldEdited(QLineEdit* field) {
    if (m_filling) return;
    if (m_following.contains(field)) {
        // Typing over a following value keeps the user's; emptying the
        // field makes it follow again.
        if (field->text().trimmed().isEmpty())
            m_typed.remove(field);
        else
            m_typed.insert(field);
        refreshFollowing();
    }
    recompute();
}

std::optional<double> frmRise::read(QLineEdit* field, bool used, const Cabinet& cabinet) {
    if (!used) {
        setFieldNotUsed(field, false);
        return std::nullopt;
    }
    // As the evaluation reads it: a following field by the value it follows.
    const QString text = riseInputText(cabinet, field->objectName());
    const std::optional<double> value = ParseWholeNumber(text.trimmed().toStdString());
    setFieldNotUsed(field, !value);
    if (!value) {
        // The field itself shows what was typed; the note says what it needs.
        const bool empty = text.trimmed().isEmpty();
        m_unreadable << (empty ? QStringLiteral("%1: 값을 입력하세요.")
                               : QStringLiteral("%1: 숫자 하나로 입력하세요 (단위나 쉼표 없이)."))
                            .arg(m_captions.value(field));
    }
    return value;
}

void frmRise::showResult(QLineEdit* field, const RiseValue& value, const char* pattern,
                         const QString& unit) {
    const QString base = m_tips.value(field);
    if (!value.applicable()) {
        field->setText(kDash);
        const QString why = reasonText(value.reason);
        setDescription(field, base + QStringLiteral("\n\n") + why);
        if (!m_reasons.contains(why)) m_reasons << why;
        return;
    }
    field->setText(number(*value.value, pattern));
    setDescription(field, base + QStringLiteral("\n\n계산 값: ") + numberText(*value.value) +
                              (unit.isEmpty() ? QString() : u' ' + unit));
}

void frmRise::recompute() {
    m_unreadable.clear();
    m_reasons.clear();
    // The design layer's evaluation of the cabinet with this window's
    // inputs: the verdict the report gives. The window adds the cues and
    // the notes.
    const Cabinet cabinet = windowCabinet();
    const RiseEvaluation evaluation = evaluateRise(cabinet);
    const bool openings = chkRiseVent->isChecked();
    const bool overrides = chkRiseOverride->isChecked();
    for (QLineEdit* f : {txtRiseHeight, txtRiseWidth, txtRiseDepth, txtRisePartitions})
        read(f, true, cabinet);
    read(txtRiseInlet, openings, cabinet);
    read(txtRiseOutlet, openings, cabinet);
    for (QLineEdit* f : {txtRiseP, txtRiseTu, txtRiseTmax05, txtRiseTmax10}) read(f, true, cabinet);
    for (QLineEdit* f : {txtRiseOverrideC, txtRiseOverrideD, txtRiseOverrideK})
        read(f, overrides, cabinet);
    const RiseInput& in = evaluation.input;
    const RiseResult& r = evaluation.result;

    showResult(txtRiseAe, r.ae, "0.000", QStringLiteral("㎡"));
    lblRiseFName->setText(r.small ? QStringLiteral("g") : QStringLiteral("f"));
    showResult(txtRiseF, r.small ? r.g : r.f, "0.00", QString());
    showResult(txtRiseK, r.k, "0.000", QString());
    showResult(txtRiseC, r.c, "0.000", QString());
    showResult(txtRiseD, r.d, "0.00", QString());
    showResult(txtRiseX, r.x, "0.000", QString());
    showResult(txtRiseDt05, r.dt05, "0.0", QStringLiteral("K"));
    showResult(txtRiseDt075, r.dt075, "0.0", QStringLiteral("K"));
    showResult(txtRiseDt10, r.dt10, "0.0", QStringLiteral("K"));
    showResult(txtRiseT05, r.t05, "0.0", QStringLiteral("°C"));
    showResult(txtRiseT075, r.t075, "0.0", QStringLiteral("°C"));
    showResult(txtRiseT10, r.t10, "0.0", QStringLiteral("°C"));
    // Which curve of c is read: only the closed curves above 1.25 m² have five.
    const bool curveUsed = !in.overrideFactors && !r.small && !r.openingsUsed && r.ae.applicable();
    lblRiseCurve->setText(curveUsed ? QStringLiteral("곡선 %1").arg(r.curve) : QString());

    // The verdict.
    QString verdict;
    if (r.fits) {
        verdict = (*r.fits ? QStringLiteral("적합") : QStringLiteral("부적합")) + u'\n' +
                  marginText(QStringLiteral("1/2 높이"), *r.marginMid.value) + u'\n' +
                  marginText(QStringLiteral("상부"), *r.marginTop.value);
        if (!r.withinMethod) verdict += QStringLiteral("\n(적용 범위 밖: 참고값)");
    } else {
        verdict = kDash;
        const RiseValue& missing = r.marginMid.applicable() ? r.marginTop : r.marginMid;
        const QString why = reasonText(missing.reason);
        if (!m_reasons.contains(why)) m_reasons << why;
    }
    lblRiseVerdict->setText(verdict);
    lblRiseVerdict->setProperty("ccFits", r.fits ? QVariant(*r.fits) : QVariant());
    updateVerdictColour();

    // The notes: input errors first, then why results are missing, then the
    // method's limits.
    QStringList notes = m_unreadable;
    for (const QString& why : m_reasons) {
        if (why == reasonText(RiseReason::Unreadable) && !m_unreadable.isEmpty()) continue;
        notes << why;
    }
    for (const RiseNote& n : r.notes) {
        const QString text = noteText(n, r);
        if (!notes.contains(text)) notes << text;
    }
    lblRiseNotes->setText(notes.isEmpty() ? QStringLiteral("IEC/TR 60890의 적용 범위 안에서 "
                                                           "계산했습니다.")
                                          : notes.join(u'\n'));

    RiseProfile profile;
    auto value = [](const RiseValue& v) { return v.value; };
    profile.ambient = in.ambient;
    profile.mid = value(r.t05);
    profile.threeQuarters = value(r.t075);
    profile.top = value(r.t10);
    profile.permissibleMid = in.permissibleMid;
    profile.permissibleTop = in.permissibleTop;
    if (!profile.mid || !profile.top || !profile.ambient)
        profile.missing = notes.isEmpty() ? QString() : notes.first();
    // The devices of the cabinet's list at their heights.
    if (!cabinet.devices.isEmpty())
        profile.devices = riseProfileMarks(evaluateDeviceList(
            cabinet.devices, evaluateMain(cabinet, m_app.tables()), &evaluation));
    static_cast<ProfileView*>(picRiseProfile)->setProfile(profile);

    m_report.input = in;
    m_report.result = r;
    m_report.arrangement = cboRiseInstall->currentText();
    m_report.verdict = verdict;
    m_report.notes = notes;
    m_report.profile = profile;
}

QVariantMap frmRise::inputValues() const {
    QVariantMap values;
    for (const QComboBox* c :
         {cboRiseInstall, cboRiseTop, cboRiseFront, cboRiseBack, cboRiseLeft, cboRiseRight})
        values.insert(c->objectName(), c->currentIndex());
    for (const QLineEdit* f : m_inputFields) values.insert(f->objectName(), f->text());
    for (const QCheckBox* b : {chkRiseVent, chkRiseOverride})
        values.insert(b->objectName(), b->isChecked());
    return values;
}

void frmRise::applyInputValues(const QVariantMap& values) {
    m_filling = true;
    // The arrangement first: its faces give way to faces in the map.
    if (values.contains(cboRiseInstall->objectName())) {
        const int index = values.value(cboRiseInstall->objectName()).toInt();
        if (index >= 0 && index < cboRiseInstall->count()) {
            cboRiseInstall->setCurrentIndex(index);
            arrangementChosen(index);
        }
    }
    for (QComboBox* c : {cboRiseTop, cboRiseFront, cboRiseBack, cboRiseLeft, cboRiseRight}) {
        if (!values.contains(c->objectName())) continue;
        const int index = values.value(c->objectName()).toInt();
        if (index >= 0 && index < c->count()) c->setCurrentIndex(index);
    }
    for (QLineEdit* f : m_inputFields) {
        if (!values.contains(f->objectName())) continue;
        const QString text = values.value(f->objectName()).toString();
        f->setText(text);
        // A following field given a text has it typed; given none, it follows.
        if (m_following.contains(f)) {
            if (text.trimmed().isEmpty())
                m_typed.remove(f);
            else
                m_typed.insert(f);
        }
    }
    refreshFollowing();
    for (QCheckBox* b : {chkRiseVent, chkRiseOverride}) {
        if (values.contains(b->objectName())) b->setChecked(values.value(b->objectName()).toBool());
    }
    m_filling = false;
    updateEnabled();
    recompute();
}

void frmRise::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        updateVerdictColour();
    QWidget::changeEvent(event);
}

// Green for a fit and red for none, each readable on the scheme's ground.
void frmRise::updateVerdictColour() {
    if (!lblRiseVerdict) return;
    const QVariant fits = lblRiseVerdict->property("ccFits");
    QPalette p = palette();
    const bool dark = isDark(p);
    QColor colour = p.color(QPalette::WindowText);
    if (fits.isValid()) {
        colour = fits.toBool() ? (dark ? QColor(0x7e, 0xe0, 0x8a) : QColor(0x1a, 0x7f, 0x2e))
                               : (dark ? QColor(0xff, 0x6e, 0x6e) : QColor(0xc0, 0x10, 0x10));
    }
    QPalette lp = lblRiseVerdict->palette();
    if (lp.color(QPalette::WindowText) == colour) return;
    lp.setColor(QPalette::WindowText, colour);
    lblRiseVerdict->setPalette(lp);
}

void frmRise::cmdRiseExit_Click() { m_app.unloadWindow(this); }

// The verification's own inputs, and of H, W, D and P those typed over:
// the others follow the main window in the project as here.
WindowInputs frmRise::storedInputs() const {
    WindowInputs inputs = inputValues();
    for (const QLineEdit* f : m_following) {
        if (!m_typed.contains(f)) inputs.remove(f->objectName());
    }
    return inputs;
}

void frmRise::applyStoredInputs(const WindowInputs& inputs) {
    Form_Load();
    if (inputs.isEmpty()) return;
    applyInputValues(inputs);
}

// Closing as a widget moves the focus: no field may call back into the
// window once its own part is gone.
frmRise::~frmRise() {
    for (QLineEdit* field : findChildren<QLineEdit*>()) disconnect(field, nullptr, this, nullptr);
}
