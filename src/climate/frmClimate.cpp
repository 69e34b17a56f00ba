#include "climate/frmClimate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <cmath>

#include "climate/InstallationPictogram.h"
#include "kit/CabinetCoolApp.h"
#include "kit/ScrollableClient.h"
#include "kit/Twips.h"
#include "kit/Widgets.h"

namespace {

const QString kNotApplicable = QStringLiteral("—");
const QString kOutOfRange =
    QStringLiteral("입력한 값이 계산할 수 있는 범위를 벗어났습니다. 값을 확인하세요.");

// Bounds of what the window calculates with. Outside them a result would be
// meaningless (a cabinet at 300 °C, humidity of 120 %) or the standard
// atmosphere no longer holds (above the troposphere).
constexpr double kMinTemperature = -100;
constexpr double kMaxTemperature = 200;
constexpr double kMinAltitude = -500;
constexpr double kMaxAltitude = 11000;
constexpr double kMaxIrradiance = 1500;  // above the solar constant
constexpr double kMaxMargin = 100;

// The installation type the window opens with: a single free-standing cabinet.
constexpr int kDefaultInstallation = 1;

// The window's design size and its two columns, in twips.
constexpr int kClientWidth = 11400;
constexpr int kClientHeight = 7920;

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
    {"열통과율 k", "txtClimK", "W/(㎡·K)", 0},
    {"최고 외기 온도 Tu", "txtClimTu", "°C", 0},
    {"희망 반내 온도 Ti", "txtClimTi", "°C", 0},
    {"설치 고도", "txtClimAlt", "m", 0},
    {"최저 외기 온도", "txtClimTuMin", "°C", 60},
    {"최저 반내 온도", "txtClimTiMin", "°C", 0},
    {"그때 켜져 있는 장비 발열", "txtClimPMin", "W", 0},
    {"반내 상대 습도", "txtClimRH", "%", 0},
    {nullptr, "chkClimSun", nullptr, 60},
    {"일사량", "txtClimSunE", "W/㎡", 0},
    {"표면 일사 흡수율", "txtClimSunAbs", "(0 ~ 1)", 0},
    {"햇빛 받는 면적", "txtClimSunArea", "㎡", 0},
    {"안전 여유", "txtClimMargin", "%", 60},
};
constexpr int kInputTop = 2160;
constexpr int kInputPitch = 300;

QString qs(const std::string& s) { return QString::fromStdString(s); }

// A number as the results show it: about three significant digits, at most
// `maxDecimals` decimals, the rest dropped (the tooltip has the full value).
QString displayText(double value, int maxDecimals) {
    int decimals = maxDecimals;
    if (value != 0) {
        const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
        decimals = std::clamp(2 - magnitude, 0, maxDecimals);
    }
    const double scale = std::pow(10.0, decimals);
    double rounded = std::round(value * scale) / scale;
    if (!std::isfinite(rounded)) rounded = value;  // too large to scale: already whole
    if (rounded == 0) rounded = 0;                 // no "-0"
    return numberText(rounded);
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

// Shows a result, or "—" with the reason it does not apply.
class ResultWriter {
public:
    explicit ResultWriter(QStringList& notes) : m_notes(notes) {}

    // Writes `value` rounded for display, the full value in the tooltip; a
    // value out of the range of double precision is not shown.
    bool value(QLineEdit* field, double value, int maxDecimals, const QString& unit) {
        if (!std::isfinite(value)) {
            outOfRange(field);
            return false;
        }
        field->setText(displayText(value, maxDecimals));
        field->setToolTip(unit.isEmpty() ? numberText(value) : numberText(value) + u' ' + unit);
        return true;
    }
    void notApplicable(QLineEdit* field, const QString& reason) {
        field->setText(kNotApplicable);
        field->setToolTip(reason);
    }
    void text(QLineEdit* field, const QString& text, const QString& tip) {
        field->setText(text);
        field->setToolTip(tip);
    }
    void outOfRange(QLineEdit* field) {
        notApplicable(field, kOutOfRange);
        note(kOutOfRange);
    }
    void note(const QString& text) {
        if (!m_notes.contains(text)) m_notes.append(text);
    }

private:
    QStringList& m_notes;
};

bool inRange(double v, double lo, double hi) { return v >= lo && v <= hi; }

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

void frmClimate::buildLayout(QWidget* client) {
    const QFont rowFont = uiFont(9, false);

    // ---- inputs ---------------------------------------------------------
    auto* inputs = new QGroupBox(QStringLiteral("입력"), client);
    inputs->setObjectName(QStringLiteral("fraClimInputs"));
    inputs->setFont(uiFont(9, true));
    inputs->setGeometry(twipsRect(120, 120, 5400, 7680));

    QLabel* installLabel = makeLabel(inputs, QStringLiteral("설치 방식"), 120, 330, 1080, 300);
    cboClimInstall = new QComboBox(inputs);
    cboClimInstall->setObjectName(QStringLiteral("cboClimInstall"));
    cboClimInstall->setFont(uiFont(9, false));
    cboClimInstall->setGeometry(twipsRect(1200, 270, 4080, 450));
    cboClimInstall->setIconSize(QSize(36, 27));
    for (int type = 0; type < kInstallationTypeCount; ++type)
        cboClimInstall->addItem(::installationIcon(type), ::installationCaption(type));
    installLabel->setBuddy(cboClimInstall);

    auto* pictogram = new PictogramView(inputs);
    pictogram->setObjectName(QStringLiteral("picClimInstall"));
    pictogram->setGeometry(twipsRect(120, 810, 1620, 1215));
    lblClimFormula = makeLabel(inputs, QString(), 1860, 810, 3420, 1215, false);
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
            QLabel* label =
                makeLabel(inputs, QString::fromUtf8(row.caption), 120, top, 2760, 270, rowFont);
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            QLineEdit* field = makeField(inputs, name, 2940, top, 1080, 270);
            field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            label->setBuddy(field);
            makeLabel(inputs, QString::fromUtf8(row.unit), 4110, top, 1200, 270, rowFont)
                ->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            fields.append(field);
            inputOrder.append(field);
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
    txtClimRH = input("txtClimRH");
    txtClimSunE = input("txtClimSunE");
    txtClimSunAbs = input("txtClimSunAbs");
    txtClimSunArea = input("txtClimSunArea");
    txtClimMargin = input("txtClimMargin");
    txtClimSunArea->setToolTip(
        QStringLiteral("처음에는 지붕(W·D)과 앞면(W·H)의 면적입니다. 직접 입력할 수 있습니다."));
    txtClimPMin->setToolTip(QStringLiteral("최저 외기 온도일 때에도 켜져 있는 장비의 발열량"));

    // ---- results --------------------------------------------------------
    auto* results = new QGroupBox(QStringLiteral("계산 결과"), client);
    results->setObjectName(QStringLiteral("fraClimResults"));
    results->setFont(uiFont(9, true));
    results->setGeometry(twipsRect(5640, 120, 5640, 5400));
    makeLabel(results, QStringLiteral("추천 모델"), 3960, 270, 1560, 270, false);

    constexpr int kResultTop = 570;
    constexpr int kResultPitch = 420;
    auto resultRow = [&](int row, const char* caption, const char* name, const char* unit,
                         const char* modelName) -> std::pair<QLineEdit*, QLineEdit*> {
        const int y = kResultTop + row * kResultPitch;
        QLabel* label = makeLabel(results, QString::fromUtf8(caption), 120, y, 2160, 285, rowFont);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        QLineEdit* field = makeField(results, QString::fromLatin1(name), 2340, y, 1080, 285);
        setResultLook(field, true);
        label->setBuddy(field);
        makeLabel(results, QString::fromUtf8(unit), 3465, y, 480, 285, rowFont)
            ->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        QLineEdit* model = nullptr;
        if (modelName) {
            model = makeField(results, QString::fromLatin1(modelName), 3960, y, 1560, 285);
            setResultLook(model, false);
        }
        return {field, model};
    };
    txtClimA = resultRow(0, "유효 방열 면적 A", "txtClimA", "㎡", nullptr).first;
    txtClimQs = resultRow(1, "벽면 통과 열량", "txtClimQs", "W", nullptr).first;
    txtClimQsun = resultRow(2, "일사 열량", "txtClimQsun", "W", nullptr).first;
    std::tie(txtClimCool, txtClimCoolModel) =
        resultRow(3, "에어컨 냉각 능력", "txtClimCool", "W", "txtClimCoolModel");
    std::tie(txtClimQw, txtClimFanModel) =
        resultRow(4, "열교환기·팬 용량", "txtClimQw", "W/K", "txtClimFanModel");
    std::tie(txtClimFlow, txtClimFlowModel) =
        resultRow(5, "필터팬 풍량", "txtClimFlow", "㎥/h", "txtClimFlowModel");
    txtClimFlowCfm = resultRow(6, "", "txtClimFlowCfm", "cfm", nullptr).first;
    lblClimFlowFactor = makeLabel(results, QString(), 120, kResultTop + 7 * kResultPitch - 30, 5400,
                                  330, uiFont(8.25, false));
    lblClimFlowFactor->setObjectName(QStringLiteral("lblClimFlowFactor"));
    std::tie(txtClimHeater, txtClimHeaterModel) =
        resultRow(8, "히터 출력", "txtClimHeater", "W", "txtClimHeaterModel");
    txtClimDew = resultRow(9, "반내 공기 이슬점", "txtClimDew", "°C", nullptr).first;
    lblClimCondensation = makeLabel(results, QString(), 120, kResultTop + 10 * kResultPitch - 30,
                                    5400, 540, uiFont(9, true));
    lblClimCondensation->setObjectName(QStringLiteral("lblClimCondensation"));
    lblClimCondensation->setWordWrap(true);
    lblClimCondensation->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblClimCondensation->setVisible(false);

    // ---- status line and buttons ------------------------------------------
    auto* status = new QGroupBox(QStringLiteral("알림"), client);
    status->setObjectName(QStringLiteral("fraClimStatus"));
    status->setFont(uiFont(9, true));
    status->setGeometry(twipsRect(5640, 5640, 5640, 1620));
    lblClimStatus = makeLabel(status, QString(), 120, 300, 5400, 1260, rowFont);
    lblClimStatus->setObjectName(QStringLiteral("lblClimStatus"));
    lblClimStatus->setWordWrap(true);
    lblClimStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    cmdClimateReport = makeButton(client, QStringLiteral("cmdClimateReport"),
                                  QStringLiteral("보고서 PDF..."), 5640, 7380, 1800, 450);
    cmdClimateExit = makeButton(client, QStringLiteral("cmdClimateExit"), QStringLiteral("Exit"),
                                9945, 7380, 1335, 450);
    inputOrder << cmdClimateReport << cmdClimateExit;
    for (qsizetype i = 1; i < inputOrder.size(); ++i) setTabOrder(inputOrder[i - 1], inputOrder[i]);

    // ---- live calculation -------------------------------------------------
    auto changed = [this]() {
        if (!m_filling) recompute();
    };
    for (QLineEdit* field : fields) connect(field, &QLineEdit::textChanged, this, changed);
    for (QLineEdit* dimension : {txtClimH, txtClimW, txtClimD}) {
        connect(dimension, &QLineEdit::textChanged, this, [this]() {
            if (!m_filling) updateSunArea();
        });
    }
    // Only typing counts: the window's own writes of the area do not.
    // Emptying the field gives it back to the dimensions.
    connect(txtClimSunArea, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_sunAreaTyped = !text.trimmed().isEmpty(); });
    connect(cboClimInstall, &QComboBox::currentIndexChanged, this, [this, pictogram](int index) {
        pictogram->setInstallation(index);
        updatePictogram();
        if (!m_filling) recompute();
    });
    connect(chkClimSun, &QCheckBox::toggled, this, [this](bool on) {
        for (QLineEdit* f : {txtClimSunE, txtClimSunAbs, txtClimSunArea}) f->setEnabled(on);
        if (!m_filling) recompute();
    });
    connect(cmdClimateReport, &QPushButton::clicked, this, &frmClimate::reportRequested);
    connect(cmdClimateExit, &QPushButton::clicked, this, &frmClimate::cmdClimateExit_Click);
    updatePictogram();
    updateWarningColour();
}

void frmClimate::Form_Load() {
    m_filterFans = readModelList(m_app.iniPath(), kFilterFanSection);
    m_heaters = readModelList(m_app.iniPath(), kHeaterSection);

    m_filling = true;
    // The main window's values, read as it reads them and written as numbers:
    // a field holding "12,5" or text arrives here as the number it counts as.
    struct Copy {
        QLineEdit* field;
        CabinetField from;
        const char* fallback;  // without a main window: its start-up values
    };
    const MainWindow* main = m_app.mainWindow();
    for (const Copy& c :
         {Copy{txtClimH, CabinetField::Height, "2"}, Copy{txtClimW, CabinetField::Width, "1"},
          Copy{txtClimD, CabinetField::Depth, "0.6"},
          Copy{txtClimP, CabinetField::InternalHeat, "1100"},
          Copy{txtClimK, CabinetField::UValue, "5"}, Copy{txtClimTu, CabinetField::T1, "40"},
          Copy{txtClimTi, CabinetField::T2, "35"}}) {
        c.field->setText(main ? numberText(main->fieldValue(c.from))
                              : QString::fromLatin1(c.fallback));
    }
    txtClimAlt->setText(QStringLiteral("0"));
    txtClimTuMin->setText(QStringLiteral("-10"));
    txtClimTiMin->setText(QStringLiteral("10"));
    txtClimPMin->setText(QStringLiteral("0"));
    txtClimRH->setText(QStringLiteral("60"));
    txtClimSunE->setText(QStringLiteral("800"));
    txtClimSunAbs->setText(QStringLiteral("0.5"));
    txtClimMargin->setText(QStringLiteral("10"));
    chkClimSun->setChecked(false);
    for (QLineEdit* f : {txtClimSunE, txtClimSunAbs, txtClimSunArea}) f->setEnabled(false);
    cboClimInstall->setCurrentIndex(kDefaultInstallation);
    m_sunAreaTyped = false;
    updateSunArea();
    m_filling = false;
    recompute();
}

void frmClimate::updateSunArea() {
    if (m_sunAreaTyped) return;
    const double w = fieldNumber(txtClimW);
    const double area = w * fieldNumber(txtClimD) + w * fieldNumber(txtClimH);
    const QSignalBlocker quiet(txtClimSunArea);
    txtClimSunArea->setText(numberText(area));
    if (!m_filling) recompute();
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

void frmClimate::recompute() {
    ClimateInput in;
    in.installation = cboClimInstall->currentIndex();
    in.height = fieldNumber(txtClimH);
    in.width = fieldNumber(txtClimW);
    in.depth = fieldNumber(txtClimD);
    in.internalHeat = fieldNumber(txtClimP);
    in.uValue = fieldNumber(txtClimK);
    in.ambientMax = fieldNumber(txtClimTu);
    in.insideMax = fieldNumber(txtClimTi);
    in.altitude = fieldNumber(txtClimAlt);
    in.ambientMin = fieldNumber(txtClimTuMin);
    in.insideMin = fieldNumber(txtClimTiMin);
    in.heatAtMin = fieldNumber(txtClimPMin);
    in.humidity = fieldNumber(txtClimRH);
    in.sun = chkClimSun->isChecked();
    in.irradiance = fieldNumber(txtClimSunE);
    in.absorptance = fieldNumber(txtClimSunAbs);
    in.sunArea = fieldNumber(txtClimSunArea);
    in.marginPercent = fieldNumber(txtClimMargin);
    m_input = in;
    m_result = ComputeClimate(in);
    const ClimateResult& r = m_result;

    m_notes.clear();
    m_picks = {};
    ResultWriter out(m_notes);

    // What the inputs allow. Each failed check names itself once in the
    // status line, and every result that depends on it shows "—".
    auto check = [&out](bool ok, const QString& message) {
        if (!ok) out.note(message);
        return ok;
    };
    const bool dimensionsOk = check(in.height > 0 && in.width > 0 && in.depth > 0,
                                    QStringLiteral("높이·폭·깊이는 0보다 커야 합니다."));
    const bool kOk = check(in.uValue >= 0, QStringLiteral("열통과율 k는 0 이상이어야 합니다."));
    const bool heatOk =
        check(in.internalHeat >= 0, QStringLiteral("내부 발열량은 0 이상이어야 합니다."));
    const bool designTemperaturesOk =
        check(inRange(in.ambientMax, kMinTemperature, kMaxTemperature) &&
                  inRange(in.insideMax, kMinTemperature, kMaxTemperature),
              QStringLiteral("온도는 -100 °C에서 200 °C 사이로 입력하세요."));
    const bool winterTemperaturesOk =
        check(inRange(in.ambientMin, kMinTemperature, kMaxTemperature) &&
                  inRange(in.insideMin, kMinTemperature, kMaxTemperature),
              QStringLiteral("온도는 -100 °C에서 200 °C 사이로 입력하세요."));
    const bool heatAtMinOk = check(
        in.heatAtMin >= 0, QStringLiteral("최저 온도일 때의 장비 발열은 0 이상이어야 합니다."));
    const bool altitudeOk =
        check(inRange(in.altitude, kMinAltitude, kMaxAltitude),
              QStringLiteral("설치 고도는 -500 m에서 11000 m 사이로 입력하세요."));
    const bool humidityOk =
        check(in.humidity > 0 && in.humidity <= 100,
              QStringLiteral("상대 습도는 0 %보다 크고 100 % 이하여야 합니다."));
    const bool marginOk = check(inRange(in.marginPercent, 0, kMaxMargin),
                                QStringLiteral("안전 여유는 0 %에서 100 % 사이로 입력하세요."));
    const bool sunOk =
        !in.sun ||
        check(inRange(in.irradiance, 0, kMaxIrradiance) && inRange(in.absorptance, 0, 1) &&
                  in.sunArea >= 0,
              QStringLiteral(
                  "일사: 일사량은 0 ~ 1500 W/㎡, 흡수율은 0 ~ 1, 면적은 0 이상으로 입력하세요."));

    const QString badInput = QStringLiteral("입력값을 확인하세요 (알림 참조).");

    // Area, heat through the walls, solar gain.
    const bool areaOk = dimensionsOk && out.value(txtClimA, r.area, 3, QStringLiteral("㎡"));
    if (!dimensionsOk) out.notApplicable(txtClimA, badInput);
    const bool wallOk = areaOk && kOk && designTemperaturesOk &&
                        out.value(txtClimQs, r.wallHeat, 1, QStringLiteral("W"));
    if (!(areaOk && kOk && designTemperaturesOk)) out.notApplicable(txtClimQs, badInput);
    const bool solarOk = sunOk && out.value(txtClimQsun, r.solarGain, 1, QStringLiteral("W"));
    if (!sunOk) out.notApplicable(txtClimQsun, badInput);
    const bool balanceOk = wallOk && solarOk && heatOk && marginOk;

    // Air conditioner.
    const auto& tables = m_app.tables();
    if (!balanceOk) {
        out.notApplicable(txtClimCool, badInput);
        out.notApplicable(txtClimCoolModel, badInput);
    } else if (out.value(txtClimCool, r.coolingPower, 1, QStringLiteral("W"))) {
        if (r.coolingPower <= 0) {
            const QString why = QStringLiteral(
                "에어컨: 벽면으로 빠지는 열이 발열보다 많아 냉각이 필요하지 않습니다.");
            out.notApplicable(txtClimCoolModel, why);
            out.note(why);
        } else {
            std::vector<ModelRating> aircons;
            for (double capacity : tables.AirconModelCapacity)
                aircons.push_back({"VKA-" + NumberText(capacity) + "BR", capacity});
            const ModelPick pick = pickModel(r.coolingPower, aircons, true);
            if (pick.index < 0) {
                const QString why = QStringLiteral(
                    "에어컨: app.ini에 [Aircon-Model] 용량이 없어 모델을 고를 수 없습니다.");
                out.notApplicable(txtClimCoolModel, why);
                out.note(why);
            } else {
                const ModelRating& m = aircons[static_cast<size_t>(pick.index)];
                m_picks.aircon = qs(m.name);
                out.text(txtClimCoolModel, m_picks.aircon,
                         QStringLiteral("냉각 능력 %1 W").arg(numberText(m.rating)));
                if (pick.fallsShort)
                    out.note(
                        QStringLiteral(
                            "에어컨: 가장 큰 모델(%1)로도 부족합니다. 여러 대로 나누어 계산하세요.")
                            .arg(m_picks.aircon));
            }
        }
    } else {
        out.notApplicable(txtClimCoolModel, kOutOfRange);
    }

    // Heat exchanger (W/K) and filter fan (m³/h): only while the inside may be
    // warmer than the air around the cabinet.
    const bool fanPossible = in.insideMax > in.ambientMax;
    const QString noFan = QStringLiteral(
        "팬·열교환기·필터팬: 희망 반내 온도가 최고 외기 온도보다 높아야 합니다. 외기보다 낮게는 "
        "냉각할 수 없으니 에어컨을 쓰세요.");
    struct FanRow {
        QLineEdit* value;
        QLineEdit* model;
        std::optional<double> requirement;
        bool extraOk;
    };
    const bool flowInputsOk = altitudeOk;
    for (const FanRow& row : {FanRow{txtClimQw, txtClimFanModel, r.specificCapacity, true},
                              FanRow{txtClimFlow, txtClimFlowModel, r.airflow, flowInputsOk}}) {
        if (!balanceOk || !row.extraOk) {
            out.notApplicable(row.value, badInput);
            out.notApplicable(row.model, badInput);
            continue;
        }
        if (!fanPossible || !row.requirement) {
            out.notApplicable(row.value, noFan);
            out.notApplicable(row.model, noFan);
            out.note(noFan);
            continue;
        }
        const bool isFlow = row.value == txtClimFlow;
        const double need = *row.requirement;
        if (!out.value(row.value, need, isFlow ? 1 : 2,
                       isFlow ? QStringLiteral("㎥/h") : QStringLiteral("W/K"))) {
            out.notApplicable(row.model, kOutOfRange);
            continue;
        }
        if (need <= 0) {
            const QString why =
                QStringLiteral("팬·열교환기·필터팬: 벽면 방열만으로 충분해 필요하지 않습니다.");
            out.notApplicable(row.model, why);
            out.note(why);
            continue;
        }
        std::vector<ModelRating> models;
        QString section;
        if (isFlow) {
            models = m_filterFans;
            section = QStringLiteral("[FilterFan-Model]");
        } else {
            for (size_t i = 0; i < tables.FanModelCapacity.size(); ++i)
                models.push_back({tables.FanModelName[i], tables.FanModelCapacity[i]});
            section = QStringLiteral("[FAN-Model]");
        }
        // The fan table is searched as the main window searches it; the
        // filter fans by the smallest that reaches the airflow.
        const ModelPick pick = pickModel(need, models, !isFlow);
        const QString kind = isFlow ? QStringLiteral("필터팬") : QStringLiteral("열교환기·팬");
        if (pick.index < 0) {
            const QString why =
                QStringLiteral("%1: app.ini에 %2 절이 없어 모델을 고를 수 없습니다.")
                    .arg(kind, section);
            out.text(row.model, QString(), why);
            out.note(why);
            continue;
        }
        const ModelRating& m = models[static_cast<size_t>(pick.index)];
        const QString name = qs(m.name);
        (isFlow ? m_picks.filterFan : m_picks.fan) = name;
        out.text(row.model, name,
                 isFlow ? QStringLiteral("풍량 %1 ㎥/h").arg(numberText(m.rating))
                        : QStringLiteral("용량 %1 W/K").arg(numberText(m.rating)));
        if (pick.fallsShort)
            out.note(QStringLiteral("%1: 가장 큰 모델(%2)로도 부족합니다. 여러 대를 쓰세요.")
                         .arg(kind, name));
    }
    // The airflow in cfm, and the altitude factor it was computed with.
    if (txtClimFlow->text() == kNotApplicable) {
        out.notApplicable(txtClimFlowCfm, txtClimFlow->toolTip());
    } else {
        out.value(txtClimFlowCfm, *r.airflow / kCubicMetresPerHourPerCfm, 1, QStringLiteral("cfm"));
    }
    if (altitudeOk && std::isfinite(r.altitudeFactor)) {
        // f grows as the air thins: the same mass of air, which carries the
        // heat, takes up more volume.
        lblClimFlowFactor->setText(
            QStringLiteral("풍량 계수 f = %1 ㎥·K/(W·h) (해수면 3.1): 고도 %2 m, 공기 밀도 %3 %")
                .arg(displayText(r.altitudeFactor, 3), numberText(in.altitude),
                     displayText(100 * 3.1 / r.altitudeFactor, 1)));
    } else {
        lblClimFlowFactor->setText(QStringLiteral("풍량 계수 f: 고도를 확인하세요."));
    }

    // Heater.
    const bool heaterOk = dimensionsOk && kOk && winterTemperaturesOk && heatAtMinOk;
    if (!heaterOk) {
        out.notApplicable(txtClimHeater, badInput);
        out.notApplicable(txtClimHeaterModel, badInput);
    } else if (!out.value(txtClimHeater, r.heaterPower, 1, QStringLiteral("W"))) {
        out.notApplicable(txtClimHeaterModel, kOutOfRange);
    } else if (r.heaterPower <= 0) {
        const QString why =
            QStringLiteral("히터: 최저 온도에서도 반내 온도가 유지되어 필요하지 않습니다.");
        out.notApplicable(txtClimHeaterModel, why);
        out.note(why);
    } else {
        const ModelPick pick = pickModel(r.heaterPower, m_heaters);
        if (pick.index < 0) {
            const QString why =
                QStringLiteral("히터: app.ini에 [Heater-Model] 절이 없어 모델을 고를 수 없습니다.");
            out.text(txtClimHeaterModel, QString(), why);
            out.note(why);
        } else {
            const ModelRating& m = m_heaters[static_cast<size_t>(pick.index)];
            m_picks.heater = qs(m.name);
            out.text(txtClimHeaterModel, m_picks.heater,
                     QStringLiteral("출력 %1 W").arg(numberText(m.rating)));
            if (pick.fallsShort)
                out.note(QStringLiteral("히터: 가장 큰 모델(%1)로도 부족합니다. 여러 대를 쓰세요.")
                             .arg(m_picks.heater));
        }
    }

    // Dew point and condensation.
    m_condensation = false;
    if (!humidityOk || !designTemperaturesOk || !r.dewPoint) {
        out.notApplicable(txtClimDew, badInput);
    } else if (out.value(txtClimDew, *r.dewPoint, 1, QStringLiteral("°C"))) {
        m_condensation = winterTemperaturesOk && in.insideMin <= *r.dewPoint;
    }
    if (m_condensation) {
        lblClimCondensation->setText(
            QStringLiteral("결로 위험: 최저 반내 온도 %1 °C가 이슬점 %2 °C 이하입니다. 히터로 반내 "
                           "온도를 이슬점 위로 유지하세요.")
                .arg(numberText(in.insideMin), displayText(*r.dewPoint, 1)));
    }
    lblClimCondensation->setVisible(m_condensation);

    lblClimStatus->setText(m_notes.isEmpty() ? QStringLiteral("모든 결과가 계산되었습니다.")
                                             : m_notes.join(u'\n'));
}

void frmClimate::cmdClimateExit_Click() { m_app.unloadWindow(this); }
