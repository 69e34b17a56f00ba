#include "report/ReportChart.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "calc/AirconDiagram.h"
#include "calc/Fan2Nomogram.h"
#include "calc/NumberText.h"
#include "charts/ChartCanvas.h"
#include "charts/frmAircon.h"
#include "charts/frmFan1.h"
#include "charts/frmFan2.h"
#include "kit/CabinetCoolApp.h"
#include "kit/MainWindow.h"
#include "kit/Widgets.h"
#include "report/PaperFont.h"
#include "report/ReportCalculation.h"

namespace {

// The main window as the report's calculation leaves it: the inputs as they
// stand, the surface and the results as the calculation writes them. The
// chart windows built for the page read it; what they would write goes
// nowhere.
class CalculatedMainWindow final : public MainWindow {
public:
    CalculatedMainWindow(MainWindow& real, const MainCalculation& calculation)
        : m_real(real), m_calc(calculation) {}

    QWidget* widget() override { return m_real.widget(); }
    SelectionMode selectedMode() const override { return m_calc.input.mode; }
    void selectMode(SelectionMode) override {}
    void selectMaterial(int) override {}
    int selectedMaterial() const override { return m_real.selectedMaterial(); }
    QString fieldText(CabinetField field) const override {
        switch (field) {
            case CabinetField::SurfaceArea:
                return numberText(m_calc.area);
            case CabinetField::CoolingPower:
                return m_calc.resultText;
            case CabinetField::ModelName:
                return m_calc.modelName;
            case CabinetField::ModelCapacity:
                return m_calc.modelIndex ? numberText(m_calc.modelCapacity) : QString();
            default:
                break;
        }
        return m_real.fieldText(field);
    }
    void setFieldText(CabinetField, const QString&) override {}
    QList<QAbstractButton*> screenOnlyButtons() const override { return {}; }
    QString calculationFile() const override { return m_real.calculationFile(); }
    void setCalculationFile(const QString&) override {}
    bool inputsChangedSinceCalculation() const override { return false; }

private:
    MainWindow& m_real;
    const MainCalculation& m_calc;
};

// While a chart window is built for the page: the program answers the
// calculated main window, and the shared chart values come back as they were.
class BuildingForPage {
public:
    BuildingForPage(CabinetCoolApp& app, MainWindow* standIn)
        : m_app(app), m_saved(app.fanValues()) {
        m_app.setMainWindowStandIn(standIn);
    }
    ~BuildingForPage() {
        m_app.setMainWindowStandIn(nullptr);
        m_app.fanValues() = m_saved;
    }
    BuildingForPage(const BuildingForPage&) = delete;
    BuildingForPage& operator=(const BuildingForPage&) = delete;

private:
    CabinetCoolApp& m_app;
    FanChartValues m_saved;
};

// Black on white, whatever the screen's colour scheme: paper is white.
QPalette paperPalette() {
    QPalette p(QColor(240, 240, 240));
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(g, QPalette::Window, Qt::white);
        p.setColor(g, QPalette::Base, Qt::white);
        p.setColor(g, QPalette::WindowText, Qt::black);
        p.setColor(g, QPalette::Text, Qt::black);
        p.setColor(g, QPalette::ButtonText, Qt::black);
    }
    return p;
}

// Lines drawn in the screen's text colour (light under a dark scheme) are
// drawn black on paper; the chart colours stay.
void putOnPaper(QWidget* window, ChartCanvas* canvas) {
    usePaperFont(window);
    const QColor screenText = window->palette().color(QPalette::WindowText);
    window->setPalette(paperPalette());
    if (screenText == QColor(Qt::black)) return;
    for (const ChartLine* line : canvas->lines()) {
        if (line->name().isEmpty() || line->color() != screenText) continue;
        canvas->line(line->name())->setColor(Qt::black);
    }
}

// A number as a chart's field shows it on paper, rounded as the report
// rounds its kind; `fixed`: with all its decimals, else as typed (an input's
// "28", not "28.0", as narrow as the window's field). The field keeps its
// text when it holds no number.
void roundField(QLineEdit* field, int decimals, bool fixed = true) {
    const std::optional<double> v = ParseWholeNumber(field->text().toStdString());
    if (!v || !std::isfinite(*v)) return;
    field->setText(fixed ? reportRounded(*v, decimals) : reportInput(*v, decimals));
}

// The number a chart's field holds, as the report rounds it, with its unit.
QString reading(const QLineEdit* field, QString (*format)(double)) {
    const std::optional<double> v = ParseWholeNumber(field->text().toStdString());
    return v ? format(*v) : noValueText();
}
QString powerText(double v) { return reportPower(v); }
QString conductanceText(double v) { return reportConductance(v); }
QString differenceText(double v) { return reportDifference(v); }
QString areaText(double v) { return reportArea(v); }
QString plainText(double v) { return reportRounded(v, 1); }

// A caption of the window said right on paper: the chart reads a heat
// exchanger's capacity in W/K, not the wall's heat transfer coefficient.
void recaption(QWidget* panel, const QString& from, const QString& to) {
    for (QLabel* label : panel->findChildren<QLabel*>()) {
        if (label->text() != from) continue;
        const QRect before = label->geometry();
        label->setText(to);
        const QSize hint = label->sizeHint();
        // Right-aligned captions keep their right edge: a field follows them.
        if (to.endsWith(QLatin1Char(':'))) {
            label->setGeometry(before.right() + 1 - hint.width(), before.top(), hint.width(),
                               before.height());
        } else {
            label->resize(hint.expandedTo(before.size()));
        }
    }
}

// A label as the window paints it: its text in its font and colour, at its
// alignment in its box. Drawn with the page's painter rather than through
// QWidget::render, whose clipping loses text on a PDF page.
void drawLabel(QPainter& painter, const ReportChart::Item& item) {
    if (item.text.isEmpty()) return;
    painter.save();
    painter.setFont(item.font);
    painter.setPen(item.color);
    painter.drawText(item.box, item.flags, item.text);
    painter.restore();
}

// A field as a white box with a thin frame and its text; wider than on the
// screen where its text needs it, so that no number is cut on paper.
void drawField(QPainter& painter, const ReportChart::Item& item) {
    painter.save();
    painter.setFont(item.font);
    const QFontMetricsF fm(item.font, painter.device());
    const double pad = 3;
    QRectF box(QPointF(0, 0), item.box.size());
    const double needed = fm.horizontalAdvance(item.text) + 2 * pad + 2;
    if (needed > box.width()) box.setWidth(needed);
    painter.fillRect(box, Qt::white);
    QPen frame(QColor(110, 110, 110));
    frame.setWidthF(0.75);
    painter.setPen(frame);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
    painter.setPen(Qt::black);
    painter.drawText(box.adjusted(pad, 0, -pad, 0), item.flags, item.text);
    painter.restore();
}

void drawOutline(QPainter& painter, const QRectF& rect) {
    painter.save();
    QPen pen(QColor(96, 96, 96));
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect);
    painter.restore();
}

// What the page draws of `widget` (its chart when it is a canvas, and its
// children, each at its place, in the order the window stacks them), kept
// as plain values so that the window can go at once.
void collectItems(QWidget* widget, QPointF at, bool outline,
                  std::vector<ReportChart::Item>& items) {
    using Item = ReportChart::Item;
    if (auto* canvas = qobject_cast<ChartCanvas*>(widget)) {
        Item strokes;
        strokes.kind = Item::Strokes;
        strokes.at = at;
        strokes.area = canvas->chartArea();
        strokes.strokes = canvas->strokes();
        strokes.outline = outline;
        items.push_back(std::move(strokes));
    }
    for (QObject* object : widget->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child || child->isHidden()) continue;
        if (qobject_cast<QAbstractButton*>(child) || qobject_cast<QAbstractSlider*>(child))
            continue;
        // What the window would show outside this widget is not drawn.
        if (!child->geometry().intersects(widget->rect())) continue;
        const QPointF place = at + QPointF(child->pos());
        if (qobject_cast<ChartCanvas*>(child)) {
            collectItems(child, place, true, items);
        } else if (const auto* label = qobject_cast<QLabel*>(child)) {
            Item item;
            item.kind = Item::Label;
            item.at = place;
            item.font = label->font();
            item.color = label->palette().color(label->foregroundRole());
            item.flags = static_cast<int>(label->alignment());
            if (label->wordWrap()) item.flags |= Qt::TextWordWrap;
            const int m = label->margin();
            item.box = QRectF(label->contentsRect().adjusted(m, m, -m, -m));
            item.text = label->text();
            items.push_back(std::move(item));
        } else if (const auto* field = qobject_cast<QLineEdit*>(child)) {
            Item item;
            item.kind = Item::Field;
            item.at = place;
            item.font = field->font();
            item.box = QRectF(QPointF(0, 0), QSizeF(field->size()));
            const Qt::Alignment horizontal = field->alignment() & Qt::AlignHorizontal_Mask;
            item.flags =
                static_cast<int>((horizontal ? horizontal : Qt::AlignLeft) | Qt::AlignVCenter);
            item.text = field->text();
            items.push_back(std::move(item));
        }
    }
}

QString airconBandText(const AirconDiagram& d, double t2) {
    if (!d.band) return QStringLiteral("없음 (T2 = %1 ≥ 55 °C)").arg(reportNumber(t2));
    const int band = *d.band;
    if (band == 1) return QStringLiteral("T2 < 20 °C");
    const int low = 10 + 5 * band;  // band 2 is 20 to 25
    return QStringLiteral("%1 °C ≤ T2 < %2 °C").arg(low).arg(low + 5);
}

}  // namespace

ReportChart::~ReportChart() = default;

std::unique_ptr<ReportChart> ReportChart::build(CabinetCoolApp& app, MainWindow& form,
                                                const MainCalculation& calc) {
    std::unique_ptr<ReportChart> chart(new ReportChart);
    const SelectionMode mode = calc.input.mode;
    chart->m_title =
        mode == SelectionMode::Aircon ? QStringLiteral("Cabinet Aircon - 내부 발열량 Diagram")
        : mode == SelectionMode::Fan1 ? QStringLiteral("Cabinet FAN - 반내발열량(Diagram)")
                                      : QStringLiteral("Cabinet FAN - 측정 온도로 측정(Diagram)");
    if (!calc.finite) {
        chart->m_notes << QStringLiteral(
            "입력값이 계산할 수 있는 범위를 벗어나 차트를 그리지 않았습니다.");
        return chart;
    }

    CalculatedMainWindow standIn(form, calc);
    const BuildingForPage building(app, &standIn);
    FanChartValues& v = app.fanValues();
    const HeatBalanceInput& in = calc.input;
    ChartCanvas* canvas = nullptr;
    ReportLines& r = chart->m_readings;

    // Every reading of a chart is what its lines give, not the calculation.
    const QString tag = QStringLiteral(" (도표 판독값, 참고)");
    switch (mode) {
        case SelectionMode::Aircon: {
            auto* w = new frmAircon(app);
            chart->m_window.reset(w);
            chart->m_panel = w->SSPanel1;
            canvas = w->SSPanel1;
            const AirconDiagram d = CalcAirconDiagram(in.t1, in.t2);
            roundField(w->txtWW, 1);
            roundField(w->txtyy2, 1);
            roundField(w->txtSS, 3);
            r << ReportLine{QStringLiteral("최고 외기 온도 T1 (표시선)"), reportTemperature(in.t1)}
              << ReportLine{QStringLiteral("희망 설정 온도 대역"), airconBandText(d, in.t2)}
              << ReportLine{QStringLiteral("선 값") + tag, reading(w->txtyy2, plainText)}
              << ReportLine{QStringLiteral("필요한 냉각 능력") + tag, reading(w->txtWW, powerText)};
            break;
        }
        case SelectionMode::Fan1: {
            // What the main window stores when it opens this chart.
            v.FanHeatP = in.internalHeat;
            v.FanDeltaT = in.t2 - in.t1;
            auto* w = new frmFan1(app);
            chart->m_window.reset(w);
            chart->m_panel = w->Frame1;
            canvas = w->Picture1;
            roundField(w->txtSS, 3);
            roundField(w->txtXX, 1);
            recaption(w->Frame1, QStringLiteral("열관류율 :"), QStringLiteral("열교환 능력 X :"));
            recaption(w->Frame1, QStringLiteral("W"), QStringLiteral("W/K"));
            recaption(w->Frame1,
                      QStringLiteral("3. 그래프 B점으로부터 수직선을 그어 열관류율을 구함."),
                      QStringLiteral("3. 그래프 B점으로부터 수직선을 그어 열교환 능력을 구함."));
            r << ReportLine{QStringLiteral("반내 발열량 P"),
                            reportInput(in.internalHeat, 1, ReportUnit::kWatt)}
              << ReportLine{QStringLiteral("온도 차 ΔT = T2 - T1"), reportDifference(v.FanDeltaT)}
              << ReportLine{QStringLiteral("유효 방열 면적 S"), reading(w->txtSS, areaText)}
              << ReportLine{QStringLiteral("열교환기 정격 능력 X") + tag,
                            reading(w->txtXX, conductanceText)};
            if (v.FanDeltaT == 0)
                chart->m_notes << QStringLiteral("온도 차가 0이어서 점 A와 B를 구할 수 없습니다.");
            break;
        }
        case SelectionMode::Fan2: {
            v.FanMeasuredDeltaT = in.t4 - in.t3;
            v.FanDeltaT = in.t2 - in.t1;
            v.FanOutsideMinusInside = v.FanMeasuredDeltaT * -1;
            const std::optional<Fan2Reading> band =
                ComputeFan2Y(v.FanDeltaT, v.FanOutsideMinusInside);
            // Without a band there is no reading: none of an earlier opening is used.
            v.FanReadingY = band ? band->y : 0;
            auto* w = new frmFan2(app);
            chart->m_window.reset(w);
            chart->m_panel = w->SSPanel1;
            canvas = w->SSPanel1;
            if (band) {
                w->markBandLine(band->bandLine);
                w->txtYY->setText(numberText(v.FanReadingY));
            } else {
                // The construction would stand on a reading that does not exist.
                for (int n = 48; n <= 52; ++n) {
                    if (ChartLine* line = canvas->line(QStringLiteral("Line%1").arg(n)))
                        line->setEnds(QPointF(-1e9, -1e9), QPointF(-1e9, -1e9));
                }
                w->labelA->hide();
                w->labelB->hide();
                w->txtXX0->clear();
                w->txtXX->clear();
                chart->m_notes
                    << QStringLiteral(
                           "허용 온도 차 ΔT = %1가 차트의 온도 차 선(0 K 초과 40 K 이하) 밖이어서 "
                           "차트를 읽을 수 없습니다.")
                           .arg(reportDifference(v.FanDeltaT));
            }
            const bool sBand = band && SelectFan2SBand(w->AreaS(), fieldNumber(w->txtYY));
            r << ReportLine{QStringLiteral("측정 온도 차 T4 - T3"),
                            reading(w->txtDetaT, differenceText)}
              << ReportLine{QStringLiteral("허용 온도 차 ΔT = T2 - T1"),
                            reading(w->txtdeltaT1, differenceText)}
              << ReportLine{QStringLiteral("유효 방열 면적 S"), reading(w->txtSS, areaText)}
              << ReportLine{QStringLiteral("Y축 결과값 (점 A)") + tag,
                            band ? reading(w->txtYY, plainText) : noValueText()}
              << ReportLine{QStringLiteral("최소값 (점 B)") + tag,
                            reading(w->txtXX0, conductanceText)}
              << ReportLine{QStringLiteral("최대값") + tag, reading(w->txtXX, conductanceText)};
            if (band && !sBand)
                chart->m_notes << QStringLiteral(
                    "유효 방열 면적 S가 차트의 S 선(0 m² 초과 10 m² 이하) 밖이어서 "
                    "최소값과 최대값을 읽을 수 없습니다.");
            for (QLineEdit* f : {w->txtDetaT, w->txtdeltaT1}) roundField(f, 1, false);
            roundField(w->txtSS, 3);
            for (QLineEdit* f : {w->txtXX0, w->txtXX}) roundField(f, 1);
            recaption(w->SSPanel1, QStringLiteral("W"), QStringLiteral("W/K"));
            recaption(w->SSPanel1,
                      QStringLiteral("3. 그래프 B점으로부터 수직선을 그어 열관류율을 구함."),
                      QStringLiteral("3. 그래프 B점으로부터 수직선을 그어 열교환 능력을 구함."));
            break;
        }
    }
    chart->m_notes << QStringLiteral(
        "도표 판독값은 도표의 선과 눈금에서 읽은 근사값이어서, 식으로 계산한 위의 값과 다를 수 "
        "있습니다. 선정에는 계산값을 씁니다.");
    putOnPaper(chart->m_window.get(), canvas);
    // The page needs the drawing, not the window: it goes now.
    chart->m_size = QSizeF(chart->m_panel->size());
    collectItems(chart->m_panel, QPointF(0, 0), false, chart->m_items);
    chart->m_panel = nullptr;
    chart->m_window.reset();
    return chart;
}

QSizeF ReportChart::size() const { return m_size; }

QRectF ReportChart::drawnRect(const QRectF& target) const {
    const QSizeF natural = size();
    if (natural.isEmpty() || target.isEmpty()) return {};
    const double scale =
        std::min({1.0, target.width() / natural.width(), target.height() / natural.height()});
    const QSizeF drawn = natural * scale;
    return {target.left() + (target.width() - drawn.width()) / 2, target.top(), drawn.width(),
            drawn.height()};
}

void ReportChart::draw(QPainter& painter, const QRectF& target) const {
    const QRectF drawn = drawnRect(target);
    if (m_items.empty() || drawn.isEmpty()) return;
    painter.save();
    painter.translate(drawn.topLeft());
    painter.scale(drawn.width() / size().width(), drawn.height() / size().height());
    const QRectF panelRect(QPointF(0, 0), size());
    painter.setClipRect(panelRect);
    for (const Item& item : m_items) {
        painter.save();
        painter.translate(item.at);
        switch (item.kind) {
            case Item::Strokes:
                ChartCanvas::drawStrokes(painter, item.area, item.area, item.strokes);
                if (item.outline) drawOutline(painter, QRectF(item.area));
                break;
            case Item::Label:
                drawLabel(painter, item);
                break;
            case Item::Field:
                drawField(painter, item);
                break;
        }
        painter.restore();
    }
    painter.setClipping(false);
    QPen pen(QColor(96, 96, 96));
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(panelRect);
    painter.restore();
}
