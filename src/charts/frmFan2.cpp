#include "charts/frmFan2.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "calc/ChartGeometry.h"
#include "calc/Fan2Nomogram.h"
#include "charts/ChartCanvas.h"
#include "charts/ChartKeys.h"
#include "charts/ChartWidgets.h"
#include "kit/CabinetCoolApp.h"
#include "kit/ScrollableClient.h"
#include "kit/Twips.h"
#include "kit/Widgets.h"

namespace {

QScrollBar* makeScrollBar(QWidget* parent, const char* name, Qt::Orientation orientation, int left,
                          int top, int width, int height, int minimum, int maximum, int value) {
    auto* bar = new QScrollBar(orientation, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setGeometry(twipsRect(left, top, width, height));
    bar->setRange(minimum, maximum);
    bar->setValue(value);
    return bar;
}

// Where the construction waits before the load moves it into the chart:
// right of the panel's visible area.
constexpr int kParkedX = 7800;

}  // namespace

frmFan2::frmFan2(CabinetCoolApp& app) : QWidget(nullptr, kChartWindowFlags), m_app(app) {
    setObjectName(QStringLiteral("frmFan2"));
    setWindowTitle(QStringLiteral("Cabinet FAN - 측정 온도로 측정(Diagram)"));
    setFont(uiFont(9, false));
    // The design size, scrolling on a screen too small for it.
    buildLayout(makeScrollableClient(this, twipsSize(7935, 8025)));
    connect(HScroll1, &QScrollBar::valueChanged, this, &frmFan2::HScroll1_Change);
    connect(VScroll1, &QScrollBar::valueChanged, this, &frmFan2::VScroll1_Change);
    connect(cmdExit, &QPushButton::clicked, this, &frmFan2::cmdExit_Click);
    setUpFan2Keys(*this);

    Form_Load();
}

void frmFan2::buildLayout(QWidget* client) {
    SSPanel1 = new ChartCanvas(client, QStringLiteral("SSPanel1"), ChartCanvas::Origin::Widget);
    SSPanel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    SSPanel1->setLineWidth(2);
    setChartSurface(SSPanel1);
    SSPanel1->setGeometry(twipsRect(120, 120, 7695, 7815));
    ChartCanvas* p = SSPanel1;
    buildFixedChart();

    txtDetaT = chartField(p, QStringLiteral("txtDetaT"), 3240, 5280, 495, 270, false);
    txtdeltaT1 = chartField(p, QStringLiteral("txtdeltaT1"), 3240, 5640, 495, 270, false);
    txtSS = chartField(p, QStringLiteral("txtSS"), 6840, 3360, 615, 270, false);
    txtXX0 = chartField(p, QStringLiteral("txtXX0"), 1320, 7200, 660, 270, true);
    txtXX = chartField(p, QStringLiteral("txtXX"), 4080, 7200, 660, 270, true);
    txtYY = chartField(p, QStringLiteral("txtYY"), 2760, 6000, 855, 270, false);
    lblYY = chartLabel(p, QStringLiteral("Y축 결과값"), 1680, 6045, 975, 255);
    lblYY->setObjectName(QStringLiteral("lblYY"));

    // The measured difference runs from 70 at the left end to 10 at the right.
    HScroll1 = makeScrollBar(p, "HScroll1", Qt::Horizontal, 360, 4800, 2535, 255, 10, 70, 70);
    HScroll1->setInvertedAppearance(true);
    HScroll1->setInvertedControls(true);
    HScroll2 = makeScrollBar(p, "HScroll2", Qt::Horizontal, 2880, 4800, 4095, 255, 0, 100, 70);
    VScroll1 = makeScrollBar(p, "VScroll1", Qt::Vertical, 120, 120, 255, 4575, 10, 40, 10);
    cmdExit =
        makeButton(p, QStringLiteral("cmdExit"), QStringLiteral("Exit"), 6000, 7080, 1215, 495);

    chartLabel(p, QStringLiteral("1. 반내온도와 최고 외부온도 차"), 120, 5325, 2895, 255);
    QLabel* measuredUnit = chartLabel(p, QStringLiteral("(K)"), 3720, 5320, 315, 180);
    chartLabel(p, QStringLiteral("반내허용온도와 최고외부온도 차"), 240, 5685, 2895, 255);
    QLabel* permittedUnit = chartLabel(p, QStringLiteral("(K)"), 3720, 5680, 315, 180);
    QLabel* axisTitle =
        chartLabel(p, QStringLiteral("반내 열교환기 정격능력Q(W/K)"), 4200, 5280, 2895, 255);
    // The units' boxes begin inside the fields' frames.
    fitLabelsBetween(txtDetaT, {measuredUnit}, axisTitle);
    fitLabelsBetween(txtdeltaT1, {permittedUnit}, nullptr);
    chartLabel(p, QStringLiteral("2. 그래프 A점으로부터 수평선을 그어 S와 교점B를 구함."), 120,
               6360, 5295, 255);
    chartLabel(p, QStringLiteral("3. 그래프 B점으로부터 수직선을 그어 열관류율을 구함."), 120, 6720,
               4935, 255);
    chartLabel(p, QStringLiteral("최소값 :"), 480, 7230, 735, 255);
    chartLabel(p, QStringLiteral("W"), 2040, 7275, 165, 180);
    chartLabel(p, QStringLiteral("최대값 :"), 3240, 7245, 735, 255);
    chartLabel(p, QStringLiteral("W"), 4800, 7275, 165, 180);
    verticalLabel(p, QStringLiteral("유효방열"), 7080, 1800, 255, 795);
    verticalLabel(p, QStringLiteral("면적"), 7080, 2640, 255, 340);
    chartLabel(p, QStringLiteral("S"), 7100, 3120, 135, 225);
    fitLabelsBetween(txtSS, {chartLabel(p, QStringLiteral("㎡"), 7440, 3360, 195, 180)}, nullptr);

    const int dLefts[] = {480, 870, 1230, 1605, 1965, 2325, 2685, 3075};
    for (int i = 0; i < 8; ++i) axisLabel(p, QString::number(70 - 10 * i), dLefts[i], 4560);
    for (int i = 1; i <= 10; ++i)
        axisLabel(p, QString::number(10 * i), i == 10 ? 6600 : 3015 + 360 * i, 4560);
    const struct {
        const char* text;
        int left;
        int top;
    } lineLabels[] = {{"10", 960, 120},  {"15", 360, 840},  {"20", 360, 1920}, {"25", 360, 2640},
                      {"30", 360, 3000}, {"35", 360, 3360}, {"40", 360, 3600}, {"0", 3120, 120},
                      {"1", 3720, 120},  {"2", 4680, 120},  {"3", 5400, 120},  {"4", 6360, 120},
                      {"5", 6840, 720},  {"6", 6840, 1440}, {"7", 6840, 1920}, {"8", 6840, 2160},
                      {"9", 6840, 2400}, {"10", 6840, 2640}};
    for (const auto& l : lineLabels) {
        QLabel* label = axisLabel(p, QString::fromLatin1(l.text), l.left, l.top);
        // Those at the left edge begin on the vertical scroll bar.
        if (label->x() <= VScroll1->geometry().right() + 1)
            fitLabelsBetween(VScroll1, {label}, nullptr);
    }

    const ChartMarkerPair markers =
        addMarkerPair(p, QStringLiteral("labelA"), {7680, 5280}, QStringLiteral("labelB"),
                      {7920, 5280}, {135, 145});
    labelA = markers.a;
    labelB = markers.b;
}

void frmFan2::buildFixedChart() {
    ChartCanvas* p = SSPanel1;
    const QColor grey = toQColor(kChartGridGrey);
    const QColor black = toQColor(kChartBlack);
    for (int k = 0; k <= 17; ++k)
        p->addLine(QString(), QLineF(600 + 360 * k, 4440, 600 + 360 * k, 360), grey);
    for (int j = 0; j <= 17; ++j)
        p->addLine(QString(), QLineF(600, 360 + 240 * j, 6720, 360 + 240 * j), grey);

    const struct {
        int number;
        QLineF ends;
    } lines[] = {
        // dT lines of the left panel.
        {23, {2765, 4420, 1125, 360}},
        {24, {2600, 4440, 600, 960}},
        {25, {2380, 4425, 600, 2085}},
        {26, {2240, 4440, 600, 2745}},
        {22, {2020, 4445, 600, 3165}},
        {21, {1890, 4440, 600, 3480}},
        {20, {1680, 4440, 600, 3720}},
        // S lines of the right panel, 1 m² to 10 m².
        {36, {3120, 4440, 3840, 360}},
        {35, {3150, 4440, 4750, 360}},
        {34, {3180, 4440, 5480, 360}},
        {33, {3225, 4440, 6365, 360}},
        {32, {3255, 4440, 6715, 840}},
        {31, {3270, 4440, 6720, 1560}},
        {30, {3285, 4440, 6725, 2040}},
        {29, {3285, 4440, 6715, 2280}},
        {28, {3300, 4440, 6720, 2520}},
        {27, {3315, 4440, 6725, 2760}},
    };
    for (const auto& l : lines) p->addLine(chartLineName(l.number), l.ends, black);

    const QColor green = toQColor(kChartDarkGreen);
    for (int n = 48; n <= 52; ++n) {
        const int x = kParkedX + 60 * (n - 48);
        p->addLine(chartLineName(n), QLineF(x, 4440, x, 3600), green, 3);
    }
}

void frmFan2::Form_Load() {
    txtYY->setVisible(false);
    lblYY->setVisible(false);
    const FanChartValues& v = m_app.fanValues();
    // A value beyond a scroll bar's range stands at the nearer end; the field
    // beside it shows the exact number.
    HScroll1->setValue(RoundChartCoordinate(v.FanMeasuredDeltaT));
    txtDetaT->setText(numberText(v.FanMeasuredDeltaT));
    VScroll1->setValue(RoundChartCoordinate(v.FanDeltaT));
    txtdeltaT1->setText(numberText(v.FanDeltaT));
    Result();
}

void frmFan2::Result() {
    txtSS->setText(m_app.mainWindow() ? m_app.mainWindow()->fieldText(CabinetField::SurfaceArea)
                                      : QString());
    m_areaS = fieldNumber(txtSS);
    txtYY->setText(numberText(m_app.fanValues().FanReadingY));
    const double y = fieldNumber(txtYY);

    if (const std::optional<Fan2SBand> band = SelectFan2SBand(m_areaS, y)) {
        txtXX0->setText(QString::fromStdString(band->minimumText));
        txtXX->setText(QString::fromStdString(band->maximumText));
        for (int n : band->highlighted)
            SSPanel1->line(chartLineName(n))->setColor(toQColor(kChartRed));
    }

    const Fan2Construction c = ComputeFan2Construction(fieldNumber(txtDetaT), fieldNumber(txtYY),
                                                       fieldNumber(txtXX0), fieldNumber(txtXX));
    HScroll2->setValue(c.hScroll2);
    for (int i = 0; i < 5; ++i) {
        const Fan2Segment& s = c.segments[static_cast<size_t>(i)];
        SSPanel1->line(chartLineName(48 + i))
            ->setEnds(QPointF(s.from.x, s.from.y), QPointF(s.to.x, s.to.y));
    }
    SSPanel1->moveMarker(labelA, QPointF(c.markerA.x, c.markerA.y));
    SSPanel1->moveMarker(labelB, QPointF(c.markerB.x, c.markerB.y));
}

void frmFan2::markBandLine(int lineNumber) {
    if (ChartLine* line = SSPanel1->line(chartLineName(lineNumber)))
        line->setColor(toQColor(kChartBlue));
}

void frmFan2::HScroll1_Change() { txtDetaT->setText(numberText(HScroll1->value())); }

void frmFan2::VScroll1_Change() { txtdeltaT1->setText(numberText(VScroll1->value())); }

void frmFan2::cmdExit_Click() { m_app.unloadWindow(this); }
