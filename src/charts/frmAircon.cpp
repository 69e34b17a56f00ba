#include "charts/frmAircon.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "calc/AirconDiagram.h"
#include "calc/ChartGeometry.h"
#include "charts/ChartCanvas.h"
#include "charts/ChartKeys.h"
#include "charts/ChartWidgets.h"
#include "kit/CabinetCoolApp.h"
#include "kit/ScrollableClient.h"
#include "kit/Twips.h"
#include "kit/Widgets.h"

namespace {

// The temperature marker waits right of the panel until the load places it.
constexpr int kParkedX = 9000;

}  // namespace

frmAircon::frmAircon(CabinetCoolApp& app) : QWidget(nullptr, kChartWindowFlags), m_app(app) {
    setObjectName(QStringLiteral("frmAircon"));
    setWindowTitle(QStringLiteral("Cabinet Aircon - 내부 발열량 Diagram"));
    setFont(uiFont(9, false));
    // The design size, scrolling on a screen too small for it.
    buildLayout(makeScrollableClient(this, twipsSize(8610, 8955)));
    connect(cmdExit, &QPushButton::clicked, this, &frmAircon::cmdExit_Click);
    setUpAirconKeys(*this);

    Form_Load();
}

void frmAircon::buildLayout(QWidget* client) {
    SSPanel1 = new ChartCanvas(client, QStringLiteral("SSPanel1"), ChartCanvas::Origin::Widget);
    SSPanel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    SSPanel1->setLineWidth(2);
    setChartSurface(SSPanel1);
    SSPanel1->setGeometry(twipsRect(0, 0, 8535, 8895));
    ChartCanvas* p = SSPanel1;
    buildFixedChart();

    for (int k = 0; k <= 8; ++k) {
        chartLabel(p, QString::number(20 + 5 * k), 720 + 720 * k, 6600, 255, 255, false);
    }
    for (int j = 0; j <= 7; ++j) {
        chartLabel(p, QString::number(3400 - 400 * j), 360, 600 + 720 * j, 435, 255, false);
    }
    const struct {
        const char* text;
        int top;
    } setLabels[] = {{"55", 3960}, {"50", 4120}, {"45", 4320}, {"40", 4500},
                     {"35", 4680}, {"30", 4860}, {"25", 5060}, {"20", 5250}};
    for (const auto& l : setLabels)
        chartLabel(p, QString::fromLatin1(l.text), 6720, l.top, 255, 135, false, 8.25);

    // Four pixels further left than its 255-twip box would stand: the 12-point
    // letters are wider than the box and would touch the capacity labels.
    verticalLabel(p, QStringLiteral("냉각능력"), 60, 2760, 255, 1035, true, 12);
    chartLabel(p, QStringLiteral("최고외기온도"), 2880, 6960, 1695, 255, true, 12);
    verticalLabel(p, QStringLiteral("반내희망설정온도"), 7080, 3720, 255, 2115, true, 12);
    verticalLabel(p, QStringLiteral("유효방열"), 7800, 2160, 255, 795);
    verticalLabel(p, QStringLiteral("면적"), 7800, 3000, 255, 345);
    chartLabel(p, QStringLiteral("S"), 7815, 3480, 135, 225);
    QLabel* areaUnit = chartLabel(p, QStringLiteral("㎡"), 8160, 3720, 195, 180);
    chartLabel(p, QStringLiteral("필요한 냉각 능력"), 960, 7560, 1575, 255, false);

    const ChartMarkerPair markers =
        addMarkerPair(p, QStringLiteral("labelA"), {7680, 5280}, QStringLiteral("labelB"),
                      {7920, 5280}, {135, 145});
    labelA = markers.a;
    labelB = markers.b;

    txtSS = chartField(p, QStringLiteral("txtSS"), 7560, 3720, 615, 270, false);
    // The unit's box begins inside the field's frame.
    fitLabelsBetween(txtSS, {areaUnit}, nullptr);
    txtWW = chartField(p, QStringLiteral("txtWW"), 1200, 7920, 855, 375, false);
    txtyy2 = chartField(p, QStringLiteral("txtyy2"), 4080, 7920, 615, 375, false);
    cmdExit =
        makeButton(p, QStringLiteral("cmdExit"), QStringLiteral("Exit"), 6000, 7080, 1215, 495);
}

void frmAircon::buildFixedChart() {
    ChartCanvas* p = SSPanel1;
    const QColor grey = toQColor(kChartGridGrey);
    // Outside temperature 20 to 60 across, cooling capacity 3400 down to 200.
    for (int k = 0; k <= 8; ++k)
        p->addLine(QString(), QLineF(840 + 720 * k, 6480, 840 + 720 * k, 720), grey);
    for (int j = 0; j <= 8; ++j)
        p->addLine(QString(), QLineF(840, 720 + 720 * j, 6600, 720 + 720 * j), grey);

    const QColor black = p->palette().color(QPalette::WindowText);
    const struct {
        int number;
        QLineF ends;
    } lines[] = {
        {34, {840, 2940, 6600, 4140}}, {33, {840, 3120, 6615, 4330}}, {32, {840, 3300, 6600, 4510}},
        {31, {840, 3480, 6600, 4690}}, {30, {840, 3640, 6600, 4870}}, {29, {840, 3840, 6600, 5070}},
        {28, {840, 4005, 6600, 5260}}, {27, {840, 4200, 6600, 5450}},
    };
    for (const auto& l : lines) p->addLine(chartLineName(l.number), l.ends, black);
    p->addLine(QStringLiteral("Line51"), QLineF(kParkedX, 6480, kParkedX, 700),
               toQColor(kChartDarkGreen), 3);
}

void frmAircon::Form_Load() {
    const MainWindow* form = m_app.mainWindow();
    const double t1 = form ? form->fieldValue(CabinetField::T1) : 0;
    const double t2 = form ? form->fieldValue(CabinetField::T2) : 0;
    const AirconDiagram d = CalcAirconDiagram(t1, t2);
    if (d.band) {
        SSPanel1->line(chartLineName(d.highlightedLine))->setColor(toQColor(kChartBlue));
        txtyy2->setText(numberText(*d.lineValue));
    }
    txtWW->setText(numberText(d.capacity));
    SSPanel1->line(QStringLiteral("Line51"))
        ->setEnds(QPointF(d.markerX, 6480), QPointF(d.markerX, 700));
    // The area box is filled as in the fan charts, so that no captioned box stands empty.
    if (form) txtSS->setText(form->fieldText(CabinetField::SurfaceArea));
}

void frmAircon::cmdExit_Click() { m_app.unloadWindow(this); }
