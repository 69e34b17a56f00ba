#include <QtTest>
#include <cmath>
#include <limits>

#include "calc/AirconDiagram.h"
#include "calc/ChartGeometry.h"
#include "calc/Fan1Nomogram.h"
#include "calc/Fan2Nomogram.h"
#include "calc/NumberText.h"
#include "calc/SegmentClip.h"

using IntList = QList<int>;
using Coordinates = QList<double>;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Chart coordinates are compared to a hundredth of a twip.
bool near(double actual, double expected) { return std::fabs(actual - expected) <= 0.01; }

bool sameNumber(double actual, double expected) {
    return std::fabs(actual - expected) <= 1e-12 * std::max(1.0, std::fabs(expected));
}

QString describe(const Fan1Line& l) {
    return QStringLiteral("(%1, %2)-(%3, %4) rgb(%5, %6, %7)")
        .arg(l.x1)
        .arg(l.y1)
        .arg(l.x2)
        .arg(l.y2)
        .arg(l.color.r)
        .arg(l.color.g)
        .arg(l.color.b);
}

void verifyLine(const Fan1Operation& op, double x1, double y1, double x2, double y2,
                RgbColor color) {
    const Fan1Line* l = std::get_if<Fan1Line>(&op);
    QVERIFY2(l, "not a line");
    QVERIFY2(near(l->x1, x1) && near(l->y1, y1) && near(l->x2, x2) && near(l->y2, y2) &&
                 l->color == color,
             qPrintable(describe(*l)));
}

void verifyMarker(const Fan1Operation& op, Fan1Marker marker, double left, double top) {
    const Fan1MarkerMove* m = std::get_if<Fan1MarkerMove>(&op);
    QVERIFY2(m, "not a marker move");
    QVERIFY(m->marker == marker);
    QVERIFY2(near(m->left, left) && near(m->top, top),
             qPrintable(QStringLiteral("%1, %2").arg(m->left).arg(m->top)));
}

QString text(double v) { return QString::fromStdString(NumberText(v)); }

}  // namespace

class TestChartCalc : public QObject {
    Q_OBJECT
private slots:
    void rounding_data();
    void rounding();
    void tempLines_data();
    void tempLines();
    void sLines_data();
    void sLines();
    void fan1Construction_data();
    void fan1Construction();
    void fan1DrawingOrder();
    void fan1ZeroDeltaT();
    void fan1HugeValues_data();
    void fan1HugeValues();
    void fan1FarLineKeepsDirection_data();
    void fan1FarLineKeepsDirection();
    void clipSegment_data();
    void clipSegment();
    void fan2Reading_data();
    void fan2Reading();
    void sLineReading_data();
    void sLineReading();
    void sBandSelection_data();
    void sBandSelection();
    void sBandMinimumNeverAboveMaximum();
    void fan2Construction_data();
    void fan2Construction();
    void aircon_data();
    void aircon();
};

void TestChartCalc::rounding_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("half down to even") << 2.5 << 2;
    QTest::newRow("half up to even") << 3.5 << 4;
    QTest::newRow("half to zero") << 0.5 << 0;
    QTest::newRow("negative half to even") << -2.5 << -2;
    QTest::newRow("negative half away") << -3.5 << -4;
    QTest::newRow("below half") << 3606.109 << 3606;
    QTest::newRow("above half") << 3628.54 << 3629;
    QTest::newRow("negative above half") << -2040.6 << -2041;
    QTest::newRow("largest 32-bit integer is clamped") << 2147483647.0 << kChartFarAway;
    QTest::newRow("1E+300") << 1e300 << kChartFarAway;
    QTest::newRow("-1E+300") << -1e300 << -kChartFarAway;
    QTest::newRow("infinity") << kInf << kChartFarAway;
    QTest::newRow("minus infinity") << -kInf << -kChartFarAway;
    QTest::newRow("NaN") << kNaN << kChartFarAway;
}

void TestChartCalc::rounding() {
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(RoundChartCoordinate(value), expected);
}

void TestChartCalc::tempLines_data() {
    QTest::addColumn<int>("call");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::newRow("10 K") << 0 << 1440.0 << -1065.0;
    QTest::newRow("15 K") << 1 << 1152.0 << -225.0;
    QTest::newRow("20 K") << 2 << 648.0 << -345.0;
    QTest::newRow("25 K") << 3 << 360.0 << 15.0;
    QTest::newRow("30 K") << 4 << 0.0 << 135.0;
    QTest::newRow("35 K") << 5 << 0.0 << 735.0;
    QTest::newRow("40 K") << 6 << 0.0 << 1185.0;
}

void TestChartCalc::tempLines() {
    QFETCH(int, call);
    QFETCH(double, x);
    QFETCH(double, y);
    const Fan1TempLinePair pair = kFan1TempLines[call];
    verifyLine(TempLine(pair.pe, pair.deltaTl), 2520, 4335, x, y, kChartBlack);
    // Caldraw draws them first, in this order.
    verifyLine(Caldraw(500, 3.5469, 15).operations[static_cast<size_t>(call)], 2520, 4335, x, y,
               kChartBlack);
}

void TestChartCalc::sLines_data() {
    QTest::addColumn<double>("s");
    QTest::addColumn<double>("y1");
    QTest::addColumn<double>("y2");
    QTest::newRow("0") << 0.0 << 4335.0 << 735.0;
    QTest::newRow("1") << 1.0 << 4155.0 << 555.0;
    QTest::newRow("5") << 5.0 << 3435.0 << -165.0;
    QTest::newRow("10") << 10.0 << 2535.0 << -1065.0;
    QTest::newRow("3.5469") << 3.5469 << 3696.558 << 96.558;
}

void TestChartCalc::sLines() {
    QFETCH(double, s);
    QFETCH(double, y1);
    QFETCH(double, y2);
    verifyLine(TempQ(s), 2520, y1, 6120, y2, kChartBlack);
    if (s == std::floor(s)) {
        // Caldraw's eleven S lines follow the seven dT lines.
        verifyLine(Caldraw(500, 3.5469, 15).operations[7 + static_cast<size_t>(s)], 2520, y1, 6120,
                   y2, kChartBlack);
    }
}

void TestChartCalc::fan1Construction_data() {
    QTest::addColumn<double>("p");
    QTest::addColumn<double>("s");
    QTest::addColumn<double>("deltaT");
    QTest::addColumn<double>("xA");
    QTest::addColumn<double>("yA");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("xB");
    // X = P / dT - 5 S, A = (2520 - 0.72 P, 4335 - 36 P / dT), B = (2520 + 36 X, yA).
    QTest::newRow("fan defaults") << 500.0 << 3.5469 << 15.0 << 2160.0 << 3135.0 << 15.5988333333333
                                  << 3081.558;
    QTest::newRow("1100 W") << 1100.0 << 3.5469 << 15.0 << 1728.0 << 1695.0 << 55.5988333333333
                            << 4521.558;
    QTest::newRow("10 K") << 500.0 << 3.5469 << 10.0 << 2160.0 << 2535.0 << 32.2655 << 3681.558;
    QTest::newRow("no surface") << 500.0 << 0.0 << 15.0 << 2160.0 << 3135.0 << 100.0 / 3 << 3720.0;
    QTest::newRow("A above the canvas")
        << 2000.0 << 3.5469 << 15.0 << 1080.0 << -465.0 << 115.598833333333 << 6681.558;
    QTest::newRow("A left of the canvas")
        << 4000.0 << 3.5469 << 40.0 << -360.0 << 735.0 << 82.2655 << 5481.558;
    QTest::newRow("negative dT") << 500.0 << 3.5469 << -15.0 << 2160.0 << 5535.0
                                 << -51.0678333333333 << 681.558;
    QTest::newRow("no heat") << 0.0 << 3.5469 << 15.0 << 2520.0 << 4335.0 << -17.7345 << 1881.558;
}

void TestChartCalc::fan1Construction() {
    QFETCH(double, p);
    QFETCH(double, s);
    QFETCH(double, deltaT);
    QFETCH(double, xA);
    QFETCH(double, yA);
    QFETCH(double, x);
    QFETCH(double, xB);
    const Fan1Drawing d = Real_Cal(p, s, deltaT);
    QVERIFY(d.resultX);
    QVERIFY2(sameNumber(*d.resultX, x), qPrintable(text(*d.resultX)));
    QCOMPARE(d.operations.size(), size_t(7));
    const double sY = 4335 - s * 180;
    verifyLine(d.operations[0], 2520, 4335, xA, yA, kChartBlue);
    verifyLine(d.operations[1], xA, 4335, xA, yA, kChartDarkGreen);
    verifyMarker(d.operations[2], Fan1Marker::A, xA - 200, yA - 200);
    verifyLine(d.operations[3], 2520, sY, 6120, sY - 3600, kChartBlue);
    verifyLine(d.operations[4], xA, yA, xB, yA, kChartDarkGreen);
    verifyMarker(d.operations[5], Fan1Marker::B, xB, yA - 200);
    verifyLine(d.operations[6], xB, yA, xB, 4335, kChartDarkGreen);
}

void TestChartCalc::fan1DrawingOrder() {
    const Fan1Drawing d = Caldraw(500, 3.5469, 15);
    QCOMPARE(d.operations.size(), size_t(7 + 11 + 7));
    const Fan1Drawing construction = Real_Cal(500, 3.5469, 15);
    for (size_t i = 0; i < construction.operations.size(); ++i) {
        QVERIFY(d.operations[18 + i] == construction.operations[i]);
    }
    QCOMPARE(text(*d.resultX), QStringLiteral("15.5988333333333"));
}

void TestChartCalc::fan1ZeroDeltaT() {
    QVERIFY(Real_Cal(500, 3.5469, 0).operations.empty());
    QVERIFY(!Real_Cal(500, 3.5469, 0).resultX);
    const Fan1Drawing d = Caldraw(500, 3.5469, 0);
    QVERIFY(!d.resultX);
    QCOMPARE(d.operations.size(), size_t(18));  // the two fixed families only
    for (const Fan1Operation& op : d.operations)
        QVERIFY(std::get_if<Fan1Line>(&op)->color == kChartBlack);
}

void TestChartCalc::fan1HugeValues_data() {
    QTest::addColumn<double>("p");
    QTest::addColumn<double>("s");
    QTest::addColumn<double>("deltaT");
    QTest::addColumn<double>("x");
    QTest::newRow("1E+300 W") << 1e300 << 3.5469 << 10.0 << 1e299;
    QTest::newRow("height beyond a double") << 1e308 << 3.5469 << 10.0 << 1e307;
    QTest::newRow("surface beyond a double") << 500.0 << 1e308 << 10.0 << -kInf;
    QTest::newRow("both beyond a double") << 1e308 << 1e308 << 10.0 << -kInf;
    QTest::newRow("dT 1E-300") << 500.0 << 3.5469 << 1e-300 << 5e302;
}

void TestChartCalc::fan1HugeValues() {
    QFETCH(double, p);
    QFETCH(double, s);
    QFETCH(double, deltaT);
    QFETCH(double, x);
    const Fan1Drawing d = Caldraw(p, s, deltaT);
    QVERIFY(d.resultX);
    if (std::isinf(x)) {
        QCOMPARE(*d.resultX, x);
    } else {
        QVERIFY(sameNumber(*d.resultX, x));
    }
    // Every coordinate reaches the canvas finite and within the far bound.
    auto fits = [](float v) { return std::isfinite(v) && std::fabs(v) <= kChartFarAway; };
    for (const Fan1Operation& op : d.operations) {
        if (const auto* l = std::get_if<Fan1Line>(&op)) {
            QVERIFY(fits(l->x1) && fits(l->y1) && fits(l->x2) && fits(l->y2));
        } else {
            const auto& m = std::get<Fan1MarkerMove>(op);
            QVERIFY(fits(m.left) && fits(m.top));
        }
    }
}

void TestChartCalc::fan1FarLineKeepsDirection_data() {
    QTest::addColumn<double>("p");
    QTest::addColumn<double>("deltaT");
    // A = (2520 - 0.72 P, 4335 - 36 P / dT): O-A runs 0.72 dT / 36 twips to
    // the left per twip upwards.
    QTest::newRow("P 1E9, dT 15") << 1e9 << 15.0;
    QTest::newRow("P 1E9, dT 40") << 1e9 << 40.0;
    QTest::newRow("P 1E20, dT 10") << 1e20 << 10.0;
    QTest::newRow("P -1E12, dT 15") << -1e12 << 15.0;
}

void TestChartCalc::fan1FarLineKeepsDirection() {
    QFETCH(double, p);
    QFETCH(double, deltaT);
    const Fan1Drawing d = Real_Cal(p, 3.5469, deltaT);
    const Fan1Line* oa = std::get_if<Fan1Line>(&d.operations.at(0));
    QVERIFY(oa && oa->color == kChartBlue);
    QCOMPARE(oa->x1, 2520.0f);
    QCOMPARE(oa->y1, 4335.0f);
    // Up to dT = 50 the line is steeper than 45 degrees: a far end is cut
    // where y reaches the far bound.
    const double far = kChartFarAway;
    QCOMPARE(oa->y2, float(std::clamp(4335 - 36 * p / deltaT, -far, far)));
    const double expectedRatio = 0.72 * deltaT / 36;  // dx / dy
    const double ratio = (double(oa->x2) - oa->x1) / (double(oa->y2) - oa->y1);
    QVERIFY2(std::fabs(ratio - expectedRatio) <= 1e-7 * expectedRatio,
             qPrintable(QString::number(ratio, 'g', 17)));
}

void TestChartCalc::clipSegment_data() {
    QTest::addColumn<Coordinates>("segment");  // x1, y1, x2, y2
    QTest::addColumn<Coordinates>("area");     // left, top, right, bottom
    QTest::addColumn<bool>("visible");
    QTest::addColumn<Coordinates>("expected");  // empty: only checked to lie within the area
    const Coordinates box{0, 0, 100, 50};
    const double big = std::numeric_limits<double>::max();
    QTest::newRow("inside") << Coordinates{10, 10, 90, 40} << box << true
                            << Coordinates{10, 10, 90, 40};
    QTest::newRow("crossing the right edge")
        << Coordinates{50, 10, 150, 30} << box << true << Coordinates{50, 10, 100, 20};
    QTest::newRow("crossing the right edge backwards")
        << Coordinates{150, 30, 50, 10} << box << true << Coordinates{100, 20, 50, 10};
    QTest::newRow("crossing left and bottom")
        << Coordinates{-40, 10, 60, 60} << box << true << Coordinates{0, 30, 40, 50};
    QTest::newRow("crossing left and right")
        << Coordinates{-50, 25, 150, 25} << box << true << Coordinates{0, 25, 100, 25};
    QTest::newRow("corner to corner")
        << Coordinates{-10, -5, 110, 55} << box << true << Coordinates{0, 0, 100, 50};
    QTest::newRow("along the top edge")
        << Coordinates{-10, 0, 110, 0} << box << true << Coordinates{0, 0, 100, 0};
    QTest::newRow("touching a corner")
        << Coordinates{100, 50, 150, 100} << box << true << Coordinates{100, 50, 100, 50};
    QTest::newRow("beside the box")
        << Coordinates{110, 0, 200, 50} << box << false << Coordinates{};
    QTest::newRow("passing a corner outside")
        << Coordinates{60, -50, 150, 40} << box << false << Coordinates{};
    QTest::newRow("short of the box")
        << Coordinates{-40, 10, -1, 30} << box << false << Coordinates{};
    QTest::newRow("point inside") << Coordinates{30, 30, 30, 30} << box << true
                                  << Coordinates{30, 30, 30, 30};
    QTest::newRow("point outside")
        << Coordinates{130, 30, 130, 30} << box << false << Coordinates{};
    // Fan-1 construction with P = 1E9 W and dT = 15 K on the canvas with its
    // margin: O-A leaves the top (y = -60) at x = 2520 - 0.3 * 4395.
    QTest::newRow("a billion twips away")
        << Coordinates{2520, 4335, 2520 - 0.72e9, 4335 - 2.4e9} << Coordinates{-60, -60, 6180, 4380}
        << true << Coordinates{2520, 4335, 1201.5, -60};
    QTest::newRow("end at minus infinity straight up")
        << Coordinates{50, 25, 50, -kInf} << box << true << Coordinates{50, 25, 50, 0};
    QTest::newRow("end at infinity to the right")
        << Coordinates{0, 25, kInf, 30} << box << true << Coordinates{0, 25, 100, 25};
    QTest::newRow("infinite end beside the box")
        << Coordinates{200, 25, kInf, 25} << box << false << Coordinates{};
    QTest::newRow("largest doubles on both sides")
        << Coordinates{-big, -big, big, big} << box << true << Coordinates{};
    QTest::newRow("infinities on both sides")
        << Coordinates{-kInf, kInf, kInf, -kInf} << Coordinates{-10, -10, 10, 10} << true
        << Coordinates{};
    QTest::newRow("largest doubles far off")
        << Coordinates{big, -big, big, big} << box << false << Coordinates{};
    QTest::newRow("NaN") << Coordinates{kNaN, 0, 50, 25} << box << false << Coordinates{};
    QTest::newRow("empty area") << Coordinates{10, 10, 90, 40} << Coordinates{100, 0, 0, 50}
                                << false << Coordinates{};
    QTest::newRow("NaN area") << Coordinates{10, 10, 90, 40} << Coordinates{0, 0, kNaN, 50} << false
                              << Coordinates{};
}

void TestChartCalc::clipSegment() {
    QFETCH(Coordinates, segment);
    QFETCH(Coordinates, area);
    QFETCH(bool, visible);
    QFETCH(Coordinates, expected);
    const ClipRectangle r{area[0], area[1], area[2], area[3]};
    const std::optional<LineSegment> c =
        ClipSegment({segment[0], segment[1], segment[2], segment[3]}, r);
    QCOMPARE(c.has_value(), visible);
    if (!c) return;
    const QString got =
        QStringLiteral("(%1, %2)-(%3, %4)").arg(c->x1).arg(c->y1).arg(c->x2).arg(c->y2);
    for (double x : {c->x1, c->x2})
        QVERIFY2(std::isfinite(x) && r.left <= x && x <= r.right, qPrintable(got));
    for (double y : {c->y1, c->y2})
        QVERIFY2(std::isfinite(y) && r.top <= y && y <= r.bottom, qPrintable(got));
    if (expected.isEmpty()) return;
    QVERIFY2(near(c->x1, expected[0]) && near(c->y1, expected[1]) && near(c->x2, expected[2]) &&
                 near(c->y2, expected[3]),
             qPrintable(got));
    // Ends inside the area are kept exactly.
    if (r.left < segment[0] && segment[0] < r.right && r.top < segment[1] &&
        segment[1] < r.bottom) {
        QCOMPARE(c->x1, segment[0]);
        QCOMPARE(c->y1, segment[1]);
    }
    if (r.left < segment[2] && segment[2] < r.right && r.top < segment[3] &&
        segment[3] < r.bottom) {
        QCOMPARE(c->x2, segment[2]);
        QCOMPARE(c->y2, segment[3]);
    }
}

void TestChartCalc::fan2Reading_data() {
    QTest::addColumn<double>("deltaT");
    QTest::addColumn<double>("measured");  // d; the rule takes m = -d
    QTest::addColumn<int>("line");         // 0: no band
    QTest::addColumn<double>("y");
    // Y = c * (d - b) with b the band's upper bound.
    QTest::newRow("fan-2 defaults") << 15.0 << 28.0 << 24 << 23.1636363636364;
    QTest::newRow("band to 10") << 5.0 << 28.0 << 23 << 39.0;
    QTest::newRow("exactly 10") << 10.0 << 28.0 << 23 << 39.0;
    QTest::newRow("just above 10") << 10.001 << 28.0 << 24 << 23.1636363636364;
    QTest::newRow("band to 20") << 20.0 << 28.0 << 25 << 10.4;
    QTest::newRow("band to 25") << 25.0 << 28.0 << 26 << 3.2;
    QTest::newRow("band to 30") << 27.0 << 28.0 << 22 << -1.75;
    QTest::newRow("band to 35") << 35.0 << 28.0 << 21 << -5.6;
    QTest::newRow("exactly 40") << 40.0 << 28.0 << 20 << -8.0;
    QTest::newRow("measured below permissible") << 15.0 << 10.0 << 24 << -8.90909090909091;
    QTest::newRow("above 40") << 40.5 << 28.0 << 0 << 0.0;
    QTest::newRow("zero") << 0.0 << 28.0 << 0 << 0.0;
    QTest::newRow("negative") << -15.0 << 28.0 << 0 << 0.0;
    QTest::newRow("just above 0") << 1e-9 << 10.0 << 23 << 0.0;
}

void TestChartCalc::fan2Reading() {
    QFETCH(double, deltaT);
    QFETCH(double, measured);
    QFETCH(int, line);
    QFETCH(double, y);
    const std::optional<Fan2Reading> r = ComputeFan2Y(deltaT, -measured);
    QCOMPARE(r.has_value(), line != 0);
    if (!r) return;
    QCOMPARE(r->bandLine, line);
    QVERIFY2(std::fabs(r->y - y) <= 1e-12 * std::max(1.0, std::fabs(y)), qPrintable(text(r->y)));
}

void TestChartCalc::sLineReading_data() {
    QTest::addColumn<int>("k");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("x");
    // At Y = 0 every line stands at its offset n; line 1 runs through the origin.
    const double offsets[] = {0, 1, 1, 2, 2, 3, 3, 4, 4, 5};
    for (int k = 1; k <= 10; ++k) QTest::addRow("line %d at 0", k) << k << 0.0 << offsets[k - 1];
    QTest::newRow("line 1 at the top") << 1 << 340.0 / 3 << 20.0;
    QTest::newRow("line 1 at 17") << 1 << 17.0 << 3.0;
    QTest::newRow("line 2 at 17") << 2 << 17.0 << 7.63;
    QTest::newRow("line 8 at 60") << 8 << 60.0 << 100.0;
    QTest::newRow("line 10 at 40") << 10 << 40.0 << 86.0;
}

void TestChartCalc::sLineReading() {
    QFETCH(int, k);
    QFETCH(double, y);
    QFETCH(double, x);
    QVERIFY2(sameNumber(ComputeSLineX(k, y), x), qPrintable(text(ComputeSLineX(k, y))));
    QVERIFY(std::isnan(ComputeSLineX(0, y)));
    QVERIFY(std::isnan(ComputeSLineX(11, y)));
}

void TestChartCalc::sBandSelection_data() {
    QTest::addColumn<double>("s");
    QTest::addColumn<QString>("y");  // as the hidden field holds it
    QTest::addColumn<int>("k");      // 0: no band
    QTest::addColumn<QString>("minimum");
    QTest::addColumn<QString>("maximum");
    QTest::addColumn<IntList>("red");
    QTest::addColumn<bool>("exactText");  // false: the texts' numbers agree to 13 digits
    // The published readings, last digits included: each line's own grouping
    // of the arithmetic shows in them.
    QTest::newRow("fan-2 defaults") << 3.5469 << "23.1636363636364" << 4 << "14.1260606060606"
                                    << "20.0676363636364" << IntList{34, 33} << true;
    QTest::newRow("dT 25") << 3.5469 << "3.2" << 4 << "2.81333333333334"
                           << "4.49600000000001" << IntList{34, 33} << true;
    QTest::newRow("negative reading") << 3.5469 << "-8.90909090909091" << 4 << "-4.04848484848485"
                                      << "-4.9490909090909" << IntList{34, 33} << true;
    QTest::newRow("no band reading 0") << 3.5469 << "0" << 4 << "1"
                                       << "2" << IntList{34, 33} << true;
    QTest::newRow("exactly 4") << 4.0 << "0" << 4 << "1"
                               << "2" << IntList{34, 33} << true;
    QTest::newRow("just above 4") << 4.0001 << "0" << 5 << "2"
                                  << "2" << IntList{33, 32} << false;
    QTest::newRow("exactly 10") << 10.0 << "0" << 10 << "4"
                                << "5" << IntList{28, 27} << false;
    QTest::newRow("band 1") << 0.5 << "17" << 1 << "0"
                            << "3" << IntList{36} << false;
    QTest::newRow("exactly 1") << 1.0 << "17" << 1 << "0"
                               << "3" << IntList{36} << false;
    QTest::newRow("band 2") << 1.5 << "17" << 2 << "3"
                            << "7.63" << IntList{36, 35} << false;
    QTest::newRow("above 10") << 10.5 << "0" << 0 << ""
                              << "" << IntList{} << true;
    QTest::newRow("zero") << 0.0 << "0" << 0 << ""
                          << "" << IntList{} << true;
    QTest::newRow("negative") << -1.0 << "0" << 0 << ""
                              << "" << IntList{} << true;
}

void TestChartCalc::sBandSelection() {
    QFETCH(double, s);
    QFETCH(QString, y);
    QFETCH(int, k);
    QFETCH(QString, minimum);
    QFETCH(QString, maximum);
    QFETCH(IntList, red);
    QFETCH(bool, exactText);
    const std::optional<Fan2SBand> band = SelectFan2SBand(s, ParseNumber(y.toStdString()));
    QCOMPARE(band.has_value(), k != 0);
    if (!band) return;
    QCOMPARE(band->k, k);
    const QString lo = QString::fromStdString(band->minimumText);
    const QString hi = QString::fromStdString(band->maximumText);
    if (exactText) {
        QCOMPARE(lo, minimum);
        QCOMPARE(hi, maximum);
    } else {
        QVERIFY2(
            std::fabs(ParseNumber(band->minimumText) - ParseNumber(minimum.toStdString())) < 1e-12,
            qPrintable(lo));
        QVERIFY2(
            std::fabs(ParseNumber(band->maximumText) - ParseNumber(maximum.toStdString())) < 1e-12,
            qPrintable(hi));
    }
    QCOMPARE(IntList(band->highlighted.begin(), band->highlighted.end()), red);
}

void TestChartCalc::sBandMinimumNeverAboveMaximum() {
    for (double y : {0.0, 1e-6, 1.0, 3.6, 10.0, 23.1636363636364, 113.33, 1000.0, 1e6, 1e12}) {
        for (int k = 1; k <= 10; ++k) {
            for (double s : {k - 0.999, k - 0.5, double(k)}) {
                const std::optional<Fan2SBand> band = SelectFan2SBand(s, y);
                QVERIFY(band && band->k == k);
                const double lo = ParseNumber(band->minimumText);
                const double hi = ParseNumber(band->maximumText);
                QVERIFY2(lo <= hi,
                         qPrintable(
                             QStringLiteral("k %1, Y %2: %3 > %4").arg(k).arg(y).arg(lo).arg(hi)));
            }
        }
    }
}

void TestChartCalc::fan2Construction_data() {
    QTest::addColumn<double>("measured");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<IntList>("expected");  // hScroll2, xA, yA, xB, xC
    QTest::newRow("fan-2 defaults") << 28.0 << 23.1636363636364 << 14.1260606060606
                                    << 20.0676363636364 << IntList{20, 2112, 3606, 3629, 3842};
    QTest::newRow("dT 25") << 28.0 << 3.2 << 2.81333333333334 << 4.49600000000001
                           << IntList{4, 2112, 4325, 3221, 3282};
    QTest::newRow("below the axis") << 10.0 << -8.90909090909091 << -4.04848484848485
                                    << -4.9490909090909 << IntList{-5, 2760, 4761, 2974, 2942};
    QTest::newRow("empty readings")
        << 28.0 << 0.0 << 0.0 << 0.0 << IntList{0, 2112, 4440, 3120, 3120};
    // -36 * 0.125 + 4440 = 4435.5 and 3120 - 4.5 = 3115.5: halves go to the even neighbour.
    QTest::newRow("halves to even")
        << 0.125 << 0.125 << 2.5 << 3.5 << IntList{4, 3116, 4436, 3210, 3246};
    QTest::newRow("halves down to even")
        << 0.375 << 0.375 << 0.0 << 2.5 << IntList{2, 3106, 4426, 3120, 3210};
    QTest::newRow("1E+300") << 1e300 << -1e300 << 1e300 << -1e300
                            << IntList{-kChartFarAway, -kChartFarAway, kChartFarAway, kChartFarAway,
                                       -kChartFarAway};
}

void TestChartCalc::fan2Construction() {
    QFETCH(double, measured);
    QFETCH(double, y);
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(IntList, expected);
    const Fan2Construction c = ComputeFan2Construction(measured, y, minimum, maximum);
    QCOMPARE((IntList{c.hScroll2, c.xA, c.yA, c.xB, c.xC}), expected);
    const std::array<Fan2Segment, 5> segments = {{
        {{c.xA, 4440}, {c.xA, c.yA}},
        {{c.xA, c.yA}, {c.xB, c.yA}},
        {{c.xB, c.yA}, {c.xB, 4440}},
        {{c.xB, c.yA}, {c.xC, c.yA}},
        {{c.xC, c.yA}, {c.xC, 4440}},
    }};
    QVERIFY(c.segments == segments);
    QVERIFY((c.markerA == Fan2Point{c.xA, c.yA - 200}));
    QVERIFY((c.markerB == Fan2Point{c.xB, c.yA - 200}));
}

void TestChartCalc::aircon_data() {
    QTest::addColumn<double>("t1");
    QTest::addColumn<double>("t2");
    QTest::addColumn<int>("band");  // 0: none
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("lineValue");
    QTest::addColumn<QString>("capacity");
    QTest::addColumn<int>("markerX");
    QTest::newRow("defaults") << 40.0 << 35.0 << 5 << 31 << "15.2"
                              << "1216" << 3720;
    QTest::newRow("below 20") << 40.0 << 19.9 << 1 << 27 << "11.8"
                              << "944" << 3720;
    QTest::newRow("exactly 20") << 40.0 << 20.0 << 2 << 28 << "11.8"
                                << "944" << 3720;
    QTest::newRow("exactly 25") << 40.0 << 25.0 << 3 << 29 << "13"
                                << "1040" << 3720;
    QTest::newRow("exactly 30") << 40.0 << 30.0 << 4 << 30 << "14.2"
                                << "1136" << 3720;
    QTest::newRow("exactly 40") << 40.0 << 40.0 << 6 << 32 << "16.4"
                                << "1312" << 3720;
    QTest::newRow("exactly 45, hottest outside") << 60.0 << 45.0 << 7 << 33 << "14"
                                                 << "1120" << 6600;
    QTest::newRow("54.9") << 40.0 << 54.9 << 8 << 34 << "19"
                          << "1520" << 3720;
    QTest::newRow("55 has no line") << 40.0 << 55.0 << 0 << 0 << ""
                                    << "0" << 3720;
    QTest::newRow("negative set temperature") << 40.0 << -5.0 << 1 << 27 << "11.8"
                                              << "944" << 3720;
    QTest::newRow("coolest outside") << 20.0 << 35.0 << 5 << 31 << "19.2"
                                     << "1536" << 840;
    QTest::newRow("22.5") << 22.5 << 35.0 << 5 << 31 << "18.7"
                          << "1496" << 1200;
    QTest::newRow("text read as 0") << 0.0 << 35.0 << 5 << 31 << "23.2"
                                    << "1856" << -2040;
    // 840 + 144 / 32 = 844.5 and 840 + 3 * 144 / 32 = 853.5.
    QTest::newRow("marker half to even") << 20.03125 << 35.0 << 5 << 31 << "19.19375"
                                         << "1535.5" << 844;
    QTest::newRow("marker half up to even") << 20.09375 << 35.0 << 5 << 31 << "19.18125"
                                            << "1534.5" << 854;
    QTest::newRow("1E+300") << 1e300 << 35.0 << 5 << 31 << "-2E+299"
                            << "-1.6E+301" << kChartFarAway;
    QTest::newRow("-1E+300") << -1e300 << 60.0 << 0 << 0 << ""
                             << "0" << -kChartFarAway;
}

void TestChartCalc::aircon() {
    QFETCH(double, t1);
    QFETCH(double, t2);
    QFETCH(int, band);
    QFETCH(int, line);
    QFETCH(QString, lineValue);
    QFETCH(QString, capacity);
    QFETCH(int, markerX);
    const AirconDiagram d = CalcAirconDiagram(t1, t2);
    QCOMPARE(d.band.value_or(0), band);
    QCOMPARE(d.highlightedLine, line);
    QCOMPARE(d.lineValue ? text(*d.lineValue) : QString(), lineValue);
    QCOMPARE(text(d.capacity), capacity);
    QCOMPARE(d.markerX, markerX);
}

QTEST_APPLESS_MAIN(TestChartCalc)
#include "tst_chartcalc.moc"
