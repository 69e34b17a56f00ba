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

#include "calc/HeatBalance.h"
#include "climate/InstallationPictogram.h"
#include "data/ModelLists.h"
#include "kit/CabinetCoolApp.h"
#include "kit/ScrollableClient.h"
#include "kit/Twips.h"
#include "kit/Widgets.h"

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
            return QStringLiteral("열통과율 k는 0 이상이어야 합니다.");
        case ClimateReason::InvalidSolarInput:
            return QStringLiteral("일사: 흡수율은 0 ~ 1, 일사량과 면적은 0 이상으로 입력하세요.");
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
            return QStringLiteral("이슬점: 희망 반내 온도가 계산할 수 있는 범위를 벗어났습니다.");
        case ClimateReason::OutOfRange:
            return kOutOfRange;
    }
    return {};
}

// A result as the window shows it: a number, or the reason there is none.
struct Shown {
    std::optional<double> value;
    QString why;
};

Shown shown(const ClimateValue& v) {
    if (v.applicable()) return {v.value, {}};
    return {std::nullopt, reasonText(v.reason)};
}

// A check of the window's own on the inputs of a result.
void require(Shown& s, bool ok, const QString& why) {
    if (!ok) s = {std::nullopt, why};
}

// Writes the results: rounded numbers with the full value in the tooltip,
// or "—" with the reason; every reason once in the status line.
class ResultWriter {
public:
    explicit ResultWriter(QStringList& notes) : m_notes(notes) {}

    bool show(QLineEdit* field, const Shown& s, int maxDecimals, const QString& unit) {
        if (!s.value) {
            notApplicable(field, s.why);
            note(s.why);
            return false;
        }
        field->setText(displayText(*s.value, maxDecimals));
        const QString full = numberText(*s.value);
        field->setToolTip(unit.isEmpty() ? full : full + u' ' + unit);
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

void frmClimate::buildLayout(QWidget* client) {
    // One font for every caption, the main window's: each further font (a
    // lighter weight, a smaller size) costs the first opening its own font
    // lookup and its own rendering of every Korean glyph.
    const QFont rowFont = uiFont(9, true);

    // ---- inputs ---------------------------------------------------------
    auto* inputs = new QGroupBox(QStringLiteral("입력"), client);
    inputs->setObjectName(QStringLiteral("fraClimInputs"));
    inputs->setFont(rowFont);
    inputs->setGeometry(twipsRect(120, 120, 5400, 7680));

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
    results->setFont(rowFont);
    results->setGeometry(twipsRect(5640, 120, 5640, 5400));
    makeLabel(results, QStringLiteral("추천 모델"), 3960, 270, 1560, 270, rowFont);

    // Rows top down; the airflow's factor takes two lines under the airflow.
    constexpr int kResultTop = 570;
    constexpr int kResultPitch = 390;
    constexpr int kFactorTop = kResultTop + 7 * kResultPitch - 90;
    constexpr int kFactorHeight = 480;
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
    lblClimFlowFactor =
        makeLabel(results, QString(), 120, kFactorTop, 5400, kFactorHeight, rowFont);
    lblClimFlowFactor->setObjectName(QStringLiteral("lblClimFlowFactor"));
    std::tie(txtClimHeater, txtClimHeaterModel) =
        resultRow(8, "히터 출력", "txtClimHeater", "W", "txtClimHeaterModel");
    txtClimDew = resultRow(9, "반내 공기 이슬점", "txtClimDew", "°C", nullptr).first;
    lblClimCondensation = makeLabel(results, QString(), 120, kBelowFactor + 2 * kResultPitch - 30,
                                    5400, 540, rowFont);
    lblClimCondensation->setObjectName(QStringLiteral("lblClimCondensation"));
    lblClimCondensation->setWordWrap(true);
    lblClimCondensation->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblClimCondensation->setVisible(false);

    // ---- status line and buttons ------------------------------------------
    auto* status = new QGroupBox(QStringLiteral("알림"), client);
    status->setObjectName(QStringLiteral("fraClimStatus"));
    status->setFont(rowFont);
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
    // One calculation for each edit; a dimension first moves the sunlit area.
    for (QLineEdit* field : fields) {
        if (field == txtClimH || field == txtClimW || field == txtClimD) {
            connect(field, &QLineEdit::textChanged, this, [this]() {
                if (m_filling) return;
                updateSunArea();
                recompute();
            });
        } else {
            connect(field, &QLineEdit::textChanged, this, changed);
        }
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

// The roof and the front, shown as the field's text until the user types an
// area of their own, and as its placeholder when the field is emptied.
void frmClimate::updateSunArea() {
    const ClimateValue area =
        DefaultSunlitArea(fieldNumber(txtClimH), fieldNumber(txtClimW), fieldNumber(txtClimD));
    const QString text = area.applicable() ? numberText(*area.value) : QString();
    txtClimSunArea->setPlaceholderText(text);
    if (m_sunAreaTyped) return;
    const QSignalBlocker quiet(txtClimSunArea);
    txtClimSunArea->setText(text);
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
    ClimateDesignInput in;
    in.installation = cboClimInstall->currentIndex();
    in.height = fieldNumber(txtClimH);
    in.width = fieldNumber(txtClimW);
    in.depth = fieldNumber(txtClimD);
    in.internalHeat = fieldNumber(txtClimP);
    in.uValue = fieldNumber(txtClimK);
    in.ambientMax = fieldNumber(txtClimTu);
    in.insideDesired = fieldNumber(txtClimTi);
    in.altitude = fieldNumber(txtClimAlt);
    in.ambientMin = fieldNumber(txtClimTuMin);
    in.insideMin = fieldNumber(txtClimTiMin);
    in.internalHeatMin = fieldNumber(txtClimPMin);
    in.relativeHumidity = fieldNumber(txtClimRH);
    in.sun = chkClimSun->isChecked();
    in.irradiance = fieldNumber(txtClimSunE);
    in.absorptance = fieldNumber(txtClimSunAbs);
    // An emptied field stands for the roof and the front.
    if (!txtClimSunArea->text().trimmed().isEmpty()) in.sunlitArea = fieldNumber(txtClimSunArea);
    in.safetyMargin = fieldNumber(txtClimMargin);
    m_input = in;
    m_result = ComputeClimateDesign(in);
    const ClimateDesignResult& r = m_result;

    m_notes.clear();
    m_picks = {};
    ResultWriter out(m_notes);

    // What the formulas take but no cabinet has: a negative heat, or a
    // temperature out of this world.
    auto temperature = [](double t) { return t >= kMinTemperature && t <= kMaxTemperature; };
    const QString badTemperature = QStringLiteral("온도는 -100 °C에서 200 °C 사이로 입력하세요.");
    const bool summerOk = temperature(in.ambientMax) && temperature(in.insideDesired);
    const bool winterOk = temperature(in.ambientMin) && temperature(in.insideMin);
    const bool heatOk = in.internalHeat >= 0;
    const QString badHeat = QStringLiteral("내부 발열량은 0 이상이어야 합니다.");
    const bool heatMinOk = in.internalHeatMin >= 0;
    const QString badHeatMin = QStringLiteral("최저 온도일 때의 장비 발열은 0 이상이어야 합니다.");

    Shown area = shown(r.area);
    Shown wall = shown(r.wallHeat);
    require(wall, summerOk, badTemperature);
    Shown solar = shown(r.solarHeat);
    Shown cooling = shown(r.coolingPower);
    Shown exchanger = shown(r.heatExchangerCapacity);
    Shown airflow = shown(r.airflow);
    Shown cfm = shown(r.airflowCfm);
    for (Shown* s : {&cooling, &exchanger, &airflow, &cfm}) {
        require(*s, summerOk, badTemperature);
        require(*s, heatOk, badHeat);
    }
    Shown heater = shown(r.heaterPower);
    require(heater, winterOk, badTemperature);
    require(heater, heatMinOk, badHeatMin);
    Shown dew = shown(r.dewPoint);
    require(dew, temperature(in.insideDesired), badTemperature);

    out.show(txtClimA, area, 3, QStringLiteral("㎡"));
    out.show(txtClimQs, wall, 1, QStringLiteral("W"));
    out.show(txtClimQsun, solar, 1, QStringLiteral("W"));
    out.show(txtClimCool, cooling, 1, QStringLiteral("W"));
    out.show(txtClimQw, exchanger, 2, QStringLiteral("W/K"));
    out.show(txtClimFlow, airflow, 1, QStringLiteral("㎥/h"));
    out.show(txtClimFlowCfm, cfm, 1, QStringLiteral("cfm"));
    out.show(txtClimHeater, heater, 1, QStringLiteral("W"));
    out.show(txtClimDew, dew, 1, QStringLiteral("°C"));

    // The models, for the results that stand.
    const auto& tables = m_app.tables();
    const QString noCooling =
        QStringLiteral("에어컨: 벽면으로 빠지는 열이 발열보다 많아 냉각이 필요하지 않습니다.");
    const QString noFan =
        QStringLiteral("팬·열교환기·필터팬: 벽면 방열만으로 충분해 필요하지 않습니다.");
    const QString noHeater =
        QStringLiteral("히터: 최저 온도에서도 반내 온도가 유지되어 필요하지 않습니다.");
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
    // Whether a result has a model to pick: none when it does not apply, and
    // none needed when it is not above 0.
    auto needs = [&out](QLineEdit* model, const Shown& s, const QString& notNeeded) {
        if (!s.value) {
            out.notApplicable(model, s.why);
            return false;
        }
        if (*s.value <= 0) {
            out.notApplicable(model, notNeeded);
            out.note(notNeeded);
            return false;
        }
        return true;
    };

    // Air conditioner and box fan: by the main window's own search over its
    // tables, the first model whose capacity is above the requirement.
    if (needs(txtClimCoolModel, cooling, noCooling)) {
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
    if (needs(txtClimFanModel, exchanger, noFan)) {
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
    struct ListPick {
        QLineEdit* field;
        const Shown& need;
        const std::vector<ClimateModel>& models;
        QString* pick;
        QString kind, section, notNeeded, rating;
    };
    for (const ListPick& p :
         {ListPick{txtClimFlowModel, airflow, m_filterFans, &m_picks.filterFan,
                   QStringLiteral("필터팬"), QStringLiteral("[FilterFan-Model]"), noFan,
                   QStringLiteral("풍량 %1 ㎥/h")},
          ListPick{txtClimHeaterModel, heater, m_heaters, &m_picks.heater, QStringLiteral("히터"),
                   QStringLiteral("[Heater-Model]"), noHeater, QStringLiteral("출력 %1 W")}}) {
        if (!needs(p.field, p.need, p.notNeeded)) continue;
        const ModelChoice choice = PickModel(*p.need.value, p.models);
        if (!choice.index) {
            missing(p.field, p.kind, p.section);
            continue;
        }
        const ClimateModel& m = p.models[*choice.index];
        *p.pick = QString::fromStdString(m.designation);
        out.text(p.field, *p.pick, p.rating.arg(numberText(m.value)));
        if (choice.exceeds) fallsShort(p.kind, *p.pick);
    }

    // The altitude's factor, which the airflow was computed with.
    if (const Shown f = shown(r.airflowFactor); f.value) {
        // f grows as the air thins: the same mass of air, which carries the
        // heat, takes up more volume.
        lblClimFlowFactor->setText(
            QStringLiteral(
                "풍량 계수 f = %1 ㎥·K/(W·h)\n고도 %2 m의 공기 밀도 %3 % (해수면에서 f = %4)")
                .arg(displayText(*f.value, 3), numberText(in.altitude),
                     displayText(100 * kSeaLevelAirflowFactor / *f.value, 1),
                     numberText(kSeaLevelAirflowFactor)));
    } else {
        lblClimFlowFactor->setText(QStringLiteral("풍량 계수 f: ") + f.why);
        out.note(f.why);
    }

    // Condensation: when the cabinet may cool to the dew point of its air.
    m_condensation = dew.value && winterOk && r.condensation.value_or(false);
    if (m_condensation) {
        lblClimCondensation->setText(
            QStringLiteral("결로 위험: 최저 반내 온도 %1 °C가 이슬점 %2 °C 이하입니다. 히터로 반내 "
                           "온도를 이슬점 위로 유지하세요.")
                .arg(numberText(in.insideMin), displayText(*dew.value, 1)));
    }
    lblClimCondensation->setVisible(m_condensation);

    lblClimStatus->setText(m_notes.isEmpty() ? QStringLiteral("모든 결과가 계산되었습니다.")
                                             : m_notes.join(u'\n'));
}

void frmClimate::cmdClimateExit_Click() { m_app.unloadWindow(this); }

WindowInputs frmClimate::storedInputs() const { return captureControls(this); }

void frmClimate::applyStoredInputs(const WindowInputs& inputs) {
    if (inputs.isEmpty()) {
        Form_Load();
        return;
    }
    applyControls(this, inputs);
    recompute();
}
