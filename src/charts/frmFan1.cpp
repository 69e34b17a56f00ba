#include "charts/frmFan1.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <variant>

#include "calc/Fan1Nomogram.h"
#include "charts/ChartCanvas.h"
#include "charts/ChartKeys.h"
#include "charts/ChartWidgets.h"
#include "kit/CabinetCoolApp.h"
#include "kit/ScrollableClient.h"
#include "kit/Twips.h"
#include "kit/Widgets.h"

frmFan1::frmFan1(CabinetCoolApp& app) : QWidget(nullptr, kChartWindowFlags), m_app(app) {
    setObjectName(QStringLiteral("frmFan1"));
    setWindowTitle(QStringLiteral("Cabinet FAN - 반내발열량(Diagram)"));
    setFont(uiFont(9, false));
    // The design size, scrolling on a screen too small for it.
    buildLayout(makeScrollableClient(this, twipsSize(8415, 8055)));
    connect(cmdcaldraw, &QPushButton::clicked, this, &frmFan1::cmdcaldraw_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmFan1::cmdExit_Click);
    setUpFan1Keys(*this);

    Result2();
    Caldraw();
}

void frmFan1::buildLayout(QWidget* client) {
    Frame1 = new QFrame(client);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Frame1->setGeometry(twipsRect(120, 0, 8175, 7935));
    QFrame* f = Frame1;

    Picture1 = new ChartCanvas(f, QStringLiteral("Picture1"), ChartCanvas::Origin::Contents);
    Picture1->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    Picture1->setGeometry(twipsRect(960, 600, 6195, 4455));
    setChartSurface(Picture1);
    buildFixedChart();

    txtPP = chartField(f, QStringLiteral("txtPP"), 2400, 5880, 495, 270, false);
    txtSS = chartField(f, QStringLiteral("txtSS"), 7200, 3840, 615, 270, false);
    txtXX = chartField(f, QStringLiteral("txtXX"), 4680, 7440, 660, 270, true);
    cmdcaldraw =
        makeButton(f, QStringLiteral("cmdcaldraw"), QStringLiteral("계산"), 6600, 6480, 1215, 495);
    cmdExit =
        makeButton(f, QStringLiteral("cmdExit"), QStringLiteral("Exit"), 6600, 7200, 1215, 495);

    chartLabel(f, QStringLiteral("1. 반내 발열량P"), 720, 5925, 1575, 255);
    chartLabel(f, QStringLiteral("(W)"), 3000, 5925, 345, 180);
    chartLabel(f, QStringLiteral("반내 열교환기 정격능력Q(W/K)"), 4800, 6000, 2895, 255);
    chartLabel(f, QStringLiteral("2. 그래프 A점으로부터 수평선을 그어 S와 교점B를 구함."), 720,
               6600, 5295, 255);
    chartLabel(f, QStringLiteral("3. 그래프 B점으로부터 수직선을 그어 열관류율을 구함."), 720, 7080,
               4935, 255);
    chartLabel(f, QStringLiteral("열관류율 :"), 3600, 7485, 975, 255);
    chartLabel(f, QStringLiteral("W"), 5400, 7515, 165, 180);
    verticalLabel(f, QStringLiteral("유효방열"), 7440, 2280, 255, 795);
    verticalLabel(f, QStringLiteral("면적"), 7440, 3120, 255, 345);
    chartLabel(f, QStringLiteral("S"), 7560, 3600, 135, 225);
    chartLabel(f, QStringLiteral("㎡"), 7920, 3840, 195, 180);

    // The heat axis runs leftwards from the common origin, the capacity axis rightwards.
    const struct {
        const char* text;
        int left;
    } heatLabels[] = {{"3500", 720},  {"3000", 1140}, {"2500", 1545}, {"2000", 1950},
                      {"1500", 2325}, {"1000", 2700}, {"500", 3120}};
    for (const auto& l : heatLabels) {
        // Four digits stand about their own width apart: a little tighter
        // spacing keeps neighbours from running into each other.
        QLabel* label = axisLabel(f, QString::fromLatin1(l.text), l.left, 5160, 8.25);
        QFont font = label->font();
        font.setLetterSpacing(QFont::AbsoluteSpacing, -1);
        label->setFont(font);
        label->adjustSize();
    }
    axisLabel(f, QStringLiteral("0"), 3435, 5160);
    for (int i = 1; i <= 10; ++i) {
        const int left = i == 10 ? 6960 : 3375 + 360 * i;
        axisLabel(f, QString::number(10 * i), left, 5160);
    }
    // Where each dT line and each S line leaves the canvas.
    const struct {
        const char* text;
        int left;
        int top;
    } lineLabels[] = {{"10", 2520, 360}, {"15", 2040, 360}, {"20", 1560, 360}, {"25", 1080, 360},
                      {"30", 720, 720},  {"35", 720, 1200}, {"40", 720, 1560}, {"10", 5880, 360},
                      {"9", 6120, 360},  {"8", 6360, 360},  {"7", 6600, 360},  {"6", 6840, 360},
                      {"5", 7080, 360},  {"4", 7200, 360},  {"3", 7200, 600},  {"2", 7200, 840},
                      {"1", 7200, 1080}, {"0", 7200, 1320}};
    for (const auto& l : lineLabels) axisLabel(f, QString::fromLatin1(l.text), l.left, l.top);

    const ChartMarkerPair markers =
        addMarkerPair(Picture1, QStringLiteral("LabelAA"), {6240, 4800}, QStringLiteral("LabelBB"),
                      {6480, 4800}, {135, 150});
    LabelAA = markers.a;
    LabelBB = markers.b;
}

void frmFan1::buildFixedChart() {
    const QColor grey = toQColor(kChartGridGrey);
    const QColor black = toQColor(kChartBlack);
    for (int y = 360; y <= 3960; y += 360)
        Picture1->addLine(QString(), QLineF(0, y, 6120, y), grey);
    for (int k = 1; k <= 16; ++k) {
        if (k == 7) continue;  // the P axis stands there
        Picture1->addLine(QString(), QLineF(360 * k, 4320, 360 * k, 0), grey);
    }
    // The axes are drawn at y = 4320; the computed lines start 15 twips lower, at 4335.
    Picture1->addLine(QString(), QLineF(2520, 4320, 2520, 0), black);
    Picture1->addLine(QString(), QLineF(6120, 4320, 0, 4320), black);
}

void frmFan1::Result2() {
    txtSS->setText(m_app.mainWindow() ? m_app.mainWindow()->fieldText(CabinetField::SurfaceArea)
                                      : QString());
    txtPP->setText(numberText(m_app.fanValues().FanHeatP));
}

void frmFan1::Caldraw() {
    const Fan1Drawing drawing =
        ::Caldraw(fieldNumber(txtPP), fieldNumber(txtSS), m_app.fanValues().FanDeltaT);
    for (const Fan1Operation& op : drawing.operations) {
        if (const auto* line = std::get_if<Fan1Line>(&op)) {
            Picture1->addSegment(QLineF(line->x1, line->y1, line->x2, line->y2),
                                 toQColor(line->color));
        } else if (const auto* move = std::get_if<Fan1MarkerMove>(&op)) {
            Picture1->moveMarker(move->marker == Fan1Marker::A ? LabelAA : LabelBB,
                                 QPointF(move->left, move->top));
        }
    }
    // Without X (a temperature difference of 0) the field keeps what it showed.
    if (drawing.resultX) {
        m_resultX = *drawing.resultX;
        txtXX->setText(numberText(m_resultX));
    }
}

void frmFan1::cmdcaldraw_Click() { Caldraw(); }

void frmFan1::cmdExit_Click() { m_app.unloadWindow(this); }
