#include <QtTest>
#include <cmath>
#include <limits>
#include <optional>

#include "calc/ClimateDesign.h"
#include "calc/TemperatureRise.h"

Q_DECLARE_METATYPE(RiseReason)
Q_DECLARE_METATYPE(RiseFaces)
Q_DECLARE_METATYPE(RiseInput)
Q_DECLARE_METATYPE(std::optional<double>)

// The expected numbers below are worked out by hand from the TR's fitted
// equations (a calculator, not this code): Ae from the faces' b, k, c, d, x,
// then Δt0.5 = d·k·P^x and the rest.

namespace {

using R = RiseReason;
using F = RiseFace;
constexpr double kInf = std::numeric_limits<double>::infinity();

// Close to four significant digits, as the hand calculation carries them.
bool near(const RiseValue& v, double expected, double relative = 2e-4) {
    return v.applicable() && v.reason == R::None &&
           std::fabs(*v.value - expected) <= relative * std::max(1.0, std::fabs(expected));
}

QString describe(const RiseValue& v) {
    if (v.applicable()) return QString::number(*v.value, 'g', 10);
    return QStringLiteral("none (reason %1)").arg(int(v.reason));
}

#define VERIFY_NEAR(actual, expected)                                                     \
    QVERIFY2(near((actual), (expected)), qPrintable(QStringLiteral(#actual " is %1, "     \
                                                                           "expected %2") \
                                                        .arg(describe(actual))            \
                                                        .arg(expected)))

#define VERIFY_NONE(actual, why)                                                       \
    QVERIFY2(!(actual).applicable() && (actual).reason == (why),                       \
             qPrintable(QStringLiteral(#actual " is %1, expected none with reason %2") \
                            .arg(describe(actual))                                     \
                            .arg(int(why))))

RiseInput cabinet(double h, double w, double d, int installation, double power) {
    RiseInput in;
    in.height = h;
    in.width = w;
    in.depth = d;
    in.faces = *RiseFacesOfInstallation(installation);
    in.partitions = 0;
    in.power = power;
    in.ambient = 35;
    in.permissibleMid = 70;
    in.permissibleTop = 80;
    return in;
}

bool hasNote(const RiseResult& r, RiseNoteKind kind) {
    return std::any_of(r.notes.begin(), r.notes.end(),
                       [kind](const RiseNote& n) { return n.kind == kind; });
}

// What a window must never show: a value that is there but not finite.
bool allFinite(const RiseResult& r) {
    for (const RiseValue* v :
         {&r.ae, &r.f, &r.g, &r.x, &r.kCurve, &r.cCurve, &r.dTable, &r.k, &r.c, &r.d, &r.dt05,
          &r.dt075, &r.dt10, &r.t05, &r.t075, &r.t10, &r.marginMid, &r.marginTop}) {
        if (v->applicable() && !std::isfinite(*v->value)) return false;
    }
    return true;
}

}  // namespace

class TestRise : public QObject {
    Q_OBJECT
private slots:
    void surfaceMatchesArrangements_data();
    void surfaceMatchesArrangements();
    void faceByFace();
    void installationCurve_data();
    void installationCurve();
    void curveEnds_data();
    void curveEnds();
    void partitionFactor();
    void smallEnclosureBoundary_data();
    void smallEnclosureBoundary();
    void wholeCases_data();
    void wholeCases();
    void methodNotes();
    void overridden();
    void badInput_data();
    void badInput();
};

// The face-by-face Ae of each of the seven arrangements is the climate
// window's formula for the same type.
void TestRise::surfaceMatchesArrangements_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<double>("h");
    QTest::addColumn<double>("w");
    QTest::addColumn<double>("d");
    for (int type = kFirstRiseInstallation; type <= kLastRiseInstallation; ++type) {
        QTest::addRow("type %d, 2 x 0.8 x 0.6", type) << type << 2.0 << 0.8 << 0.6;
        QTest::addRow("type %d, 0.6 x 0.4 x 0.25", type) << type << 0.6 << 0.4 << 0.25;
        QTest::addRow("type %d, 1.2 x 3 x 0.3", type) << type << 1.2 << 3.0 << 0.3;
    }
}

void TestRise::surfaceMatchesArrangements() {
    QFETCH(int, type);
    QFETCH(double, h);
    QFETCH(double, w);
    QFETCH(double, d);
    const ClimateValue formula = EffectiveSurfaceArea(type, h, w, d);
    QVERIFY(formula.applicable());
    VERIFY_NEAR(EffectiveCoolingSurface(*RiseFacesOfInstallation(type), h, w, d), *formula.value);
}

void TestRise::faceByFace() {
    // A box in a corner niche: top covered, back and left against walls,
    // right against a neighbour, front free. 1 m high, 0.5 wide, 0.4 deep:
    // 0.7·0.2 + 0.9·0.5 + 0.5·0.5 + 0.5·0.4 + 0.5·0.4 = 1.24 m².
    const RiseFaces faces{RiseTop::Covered, F::Exposed, F::AgainstWall, F::AgainstWall,
                          F::AgainstNeighbour};
    VERIFY_NEAR(EffectiveCoolingSurface(faces, 1, 0.5, 0.4), 1.24);
    QVERIFY(!RiseFacesOfInstallation(0));
    QVERIFY(!RiseFacesOfInstallation(8));
}

void TestRise::installationCurve_data() {
    QTest::addColumn<RiseFaces>("faces");
    QTest::addColumn<int>("curve");
    QTest::addColumn<bool>("standard");
    const int curves[] = {1, 2, 2, 3, 3, 5, 4};
    for (int type = kFirstRiseInstallation; type <= kLastRiseInstallation; ++type)
        QTest::addRow("arrangement %d", type)
            << *RiseFacesOfInstallation(type) << curves[type - 1] << true;
    // Mirrored and with a wall for a neighbour: still the arrangement.
    QTest::newRow("last enclosure, neighbour on the left")
        << RiseFaces{RiseTop::Exposed, F::Exposed, F::Exposed, F::AgainstNeighbour, F::Exposed} << 2
        << true;
    QTest::newRow("back to the wall at the front")
        << RiseFaces{RiseTop::Exposed, F::AgainstWall, F::Exposed, F::Exposed, F::Exposed} << 2
        << true;
    QTest::newRow("side against a wall") << RiseFaces{RiseTop::Exposed, F::Exposed, F::AgainstWall,
                                                      F::AgainstWall, F::AgainstNeighbour}
                                         << 5 << true;
    // Faces none of the seven arrangements has.
    QTest::newRow("front and back covered")
        << RiseFaces{RiseTop::Exposed, F::AgainstWall, F::AgainstWall, F::Exposed, F::Exposed} << 3
        << false;
    QTest::newRow("all four sides covered")
        << RiseFaces{RiseTop::Exposed, F::AgainstWall, F::AgainstWall, F::AgainstNeighbour,
                     F::AgainstNeighbour}
        << 5 << false;
    QTest::newRow("all covered") << RiseFaces{RiseTop::Covered, F::AgainstWall, F::AgainstWall,
                                              F::AgainstNeighbour, F::AgainstNeighbour}
                                 << 4 << false;
    QTest::newRow("only the top covered")
        << RiseFaces{RiseTop::Covered, F::Exposed, F::Exposed, F::Exposed, F::Exposed} << 1
        << false;
}

void TestRise::installationCurve() {
    QFETCH(RiseFaces, faces);
    QFETCH(int, curve);
    QFETCH(bool, standard);
    QCOMPARE(InstallationCurve(faces), curve);
    QCOMPARE(IsStandardArrangement(faces), standard);
    RiseInput in = cabinet(2, 0.8, 0.6, 1, 800);
    in.faces = faces;
    QCOMPARE(hasNote(ComputeTemperatureRise(in), RiseNoteKind::CustomArrangement), !standard);
}

// Each curve at both ends of its range and beyond them: the nearest end is
// read, and the reading says it was moved.
void TestRise::curveEnds_data() {
    QTest::addColumn<int>("curveKind");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("moved");  // -1 below, 0 in range, 1 above
    enum { KClosed, KSmall, KOpen, CClosed, CSmall, COpen };
    QTest::newRow("k closed, Ae 1.25") << int(KClosed) << 1.25 << 0.0 << 0.485718 << 0;
    QTest::newRow("k closed, Ae 12") << int(KClosed) << 12.0 << 0.0 << 0.0804413 << 0;
    QTest::newRow("k closed, Ae 20") << int(KClosed) << 20.0 << 0.0 << 0.0804413 << 1;
    QTest::newRow("k small, Ae 1.25") << int(KSmall) << 1.25 << 0.0 << 0.531070 << 0;
    QTest::newRow("k small, Ae 0.08") << int(KSmall) << 0.08 << 0.0 << 4.02714 << 0;
    QTest::newRow("k small, Ae 0.05") << int(KSmall) << 0.05 << 0.0 << 4.0 << -1;
    QTest::newRow("k openings, Ae 1.25, S 10") << int(KOpen) << 1.25 << 10.0 << 0.497345 << 0;
    QTest::newRow("k openings, Ae 1.25, S 1000") << int(KOpen) << 1.25 << 1000.0 << 0.0479488 << 0;
    QTest::newRow("k openings, Ae 14, S 10") << int(KOpen) << 14.0 << 10.0 << 0.183187 << 0;
    QTest::newRow("k openings, Ae 14, S 1000") << int(KOpen) << 14.0 << 1000.0 << 0.0486482 << 0;
    QTest::newRow("k openings, Ae 14, S 5") << int(KOpen) << 14.0 << 5.0 << 0.183187 << -1;
    QTest::newRow("k openings, Ae 30, S 2000") << int(KOpen) << 30.0 << 2000.0 << 0.0486482 << 1;
    QTest::newRow("c closed, curve 1, f 0.3") << int(CClosed) << 0.3 << 1.0 << 1.198347 << 0;
    QTest::newRow("c closed, curve 1, f 2.8") << int(CClosed) << 2.8 << 1.0 << 1.322672 << 0;
    QTest::newRow("c closed, curve 1, f 16") << int(CClosed) << 16.0 << 1.0 << 1.6268 << 0;
    QTest::newRow("c closed, curve 5, f 0.3") << int(CClosed) << 0.3 << 5.0 << 1.103347 << 0;
    QTest::newRow("c closed, curve 5, f 16") << int(CClosed) << 16.0 << 5.0 << 1.5318 << 0;
    QTest::newRow("c closed, curve 5, f 0.1") << int(CClosed) << 0.1 << 5.0 << 1.103347 << -1;
    QTest::newRow("c closed, curve 1, f 40") << int(CClosed) << 40.0 << 1.0 << 1.6268 << 1;
    QTest::newRow("c small, g 0") << int(CSmall) << 0.0 << 0.0 << 1.0 << 0;
    QTest::newRow("c small, g 0.8147 (joint)") << int(CSmall) << 0.8147 << 0.0 << 1.157677 << 0;
    QTest::newRow("c small, g 0.82") << int(CSmall) << 0.82 << 0.0 << 1.158697 << 0;
    QTest::newRow("c small, g 3") << int(CSmall) << 3.0 << 0.0 << 1.258805 << 0;
    QTest::newRow("c small, g 5") << int(CSmall) << 5.0 << 0.0 << 1.258805 << 1;
    QTest::newRow("c openings, f 1.5, S 10") << int(COpen) << 1.5 << 10.0 << 1.085084 << 0;
    QTest::newRow("c openings, f 1.5, S 1000") << int(COpen) << 1.5 << 1000.0 << 1.976417 << 0;
    QTest::newRow("c openings, f 10, S 10") << int(COpen) << 10.0 << 10.0 << 1.685303 << 0;
    QTest::newRow("c openings, f 10, S 1000") << int(COpen) << 10.0 << 1000.0 << 2.276659 << 0;
    QTest::newRow("c openings, f 10, S 4000") << int(COpen) << 10.0 << 4000.0 << 2.276659 << 1;
}

void TestRise::curveEnds() {
    QFETCH(int, curveKind);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, value);
    QFETCH(int, moved);
    CurveReading r;
    switch (curveKind) {
        case 0:
            r = EnclosureConstantClosed(a);
            break;
        case 1:
            r = EnclosureConstantSmall(a);
            break;
        case 2:
            r = EnclosureConstantOpenings(a, b);
            break;
        case 3:
            r = DistributionFactorClosed(a, int(b));
            break;
        case 4:
            r = DistributionFactorSmall(a);
            break;
        default:
            r = DistributionFactorOpenings(a, b);
            break;
    }
    QVERIFY2(std::fabs(r.value - value) <= 2e-6 * std::max(1.0, value),
             qPrintable(QStringLiteral("%1, expected %2").arg(r.value, 0, 'g', 10).arg(value)));
    QCOMPARE(r.belowRange, moved < 0);
    QCOMPARE(r.aboveRange, moved > 0);
}

void TestRise::partitionFactor() {
    const double closed[] = {1.0, 1.05, 1.15, 1.30};
    const double open[] = {1.0, 1.05, 1.10, 1.15};
    for (int n = 0; n <= 3; ++n) {
        QCOMPARE(PartitionFactor(n, false), closed[n]);
        QCOMPARE(PartitionFactor(n, true), open[n]);
    }
    QVERIFY(!PartitionFactor(-1, false));
    QVERIFY(!PartitionFactor(4, true));
}

// Just below and just above Ae = 1.25 m² the window changes curves: k, c from
// g and Δt0.75 = Δt1.0 below; f, the closed curves and Δt1.0 = c·Δt0.5 above.
void TestRise::smallEnclosureBoundary_data() {
    QTest::addColumn<double>("side");  // W = D, H = 0.5 m, free-standing
    QTest::addColumn<double>("ae");
    QTest::addColumn<bool>("small");
    QTest::addColumn<double>("k");
    QTest::addColumn<double>("c");
    QTest::newRow("Ae 1.218, small") << 0.49 << 1.21814 << true << 0.626 * std::pow(1.21814, -0.737)
                                     << 1.190689;  // g = 0.5 / 0.49 = 1.0204, past the joint
    // f = 0.5^1.35 / 0.51² = 1.508235
    QTest::newRow("Ae 1.282, large") << 0.51 << 1.28214 << false << 0.58 * std::pow(1.28214, -0.795)
                                     << -0.0017 * 1.508235 * 1.508235 + 0.055 * 1.508235 + 1.182;
}

void TestRise::smallEnclosureBoundary() {
    QFETCH(double, side);
    QFETCH(double, ae);
    QFETCH(bool, small);
    QFETCH(double, k);
    QFETCH(double, c);
    const RiseResult r = ComputeTemperatureRise(cabinet(0.5, side, side, 1, 100));
    VERIFY_NEAR(r.ae, ae);
    QCOMPARE(r.small, small);
    VERIFY_NEAR(r.k, k);
    VERIFY_NEAR(r.c, c);
    VERIFY_NEAR(r.x, 0.804);
    if (small) {
        QVERIFY(r.g.applicable());
        QCOMPARE(*r.dt075.value, *r.dt10.value);
    } else {
        VERIFY_NEAR(r.dt10, c * *r.dt05.value);
        VERIFY_NEAR(r.dt075, (*r.dt05.value + *r.dt10.value) / 2);
    }
}

void TestRise::wholeCases_data() {
    QTest::addColumn<RiseInput>("input");
    QTest::addColumn<double>("ae");
    QTest::addColumn<double>("k");
    QTest::addColumn<double>("c");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("dt05");
    QTest::addColumn<double>("dt075");
    QTest::addColumn<double>("dt10");
    QTest::addColumn<bool>("fits");

    // 2000 × 800 × 600 mm detached on all sides, 800 W, closed: Ae = 5.712,
    // k = 0.58·5.712^-0.795, f = 2^1.35 / 0.48 = 5.3107, c on curve 1.
    // 35 + 31.32 = 66.32 °C at mid-height, 35 + 44.67 = 79.67 °C at the top
    // against 70 and 80 °C: fits with 3.68 and 0.33 K.
    QTest::newRow("free-standing, closed, 800 W")
        << cabinet(2, 0.8, 0.6, 1, 800) << 5.712 << 0.145138 << 1.426141 << 0.804 << 31.3232
        << 37.9972 << 44.6713 << true;
    // The same with 300 cm² of inlet and 400 cm² of outlet: k and c from the
    // openings' curves, x = 0.715.
    RiseInput vented = cabinet(2, 0.8, 0.6, 1, 800);
    vented.openings = true;
    vented.inletArea = 300;
    vented.outletArea = 400;
    QTest::newRow("free-standing, 300 cm² openings, 800 W")
        << vented << 5.712 << 0.114108 << 1.848234 << 0.715 << 13.5839 << 19.3451 << 25.1063
        << true;
    // A 600 × 400 × 250 mm wall box, 100 W: Ae = 0.746 ≤ 1.25, g = 1.5; the
    // top has the rise of three quarters. 35 + 38.82 = 73.82 > 70 °C.
    RiseInput box = cabinet(0.6, 0.4, 0.25, 2, 100);
    box.permissibleMid = 70;
    box.permissibleTop = 70;
    QTest::newRow("wall box, closed, 100 W")
        << box << 0.746 << 0.776901 << 1.232191 << 0.804 << 31.5040 << 38.8190 << 38.8190 << false;
}

void TestRise::wholeCases() {
    QFETCH(RiseInput, input);
    QFETCH(double, ae);
    QFETCH(double, k);
    QFETCH(double, c);
    QFETCH(double, x);
    QFETCH(double, dt05);
    QFETCH(double, dt075);
    QFETCH(double, dt10);
    QFETCH(bool, fits);
    const RiseResult r = ComputeTemperatureRise(input);
    VERIFY_NEAR(r.ae, ae);
    VERIFY_NEAR(r.k, k);
    VERIFY_NEAR(r.c, c);
    VERIFY_NEAR(r.d, 1.0);
    VERIFY_NEAR(r.x, x);
    VERIFY_NEAR(r.dt05, dt05);
    VERIFY_NEAR(r.dt075, dt075);
    VERIFY_NEAR(r.dt10, dt10);
    VERIFY_NEAR(r.t05, 35 + dt05);
    VERIFY_NEAR(r.t10, 35 + dt10);
    VERIFY_NEAR(r.marginMid, *input.permissibleMid - 35 - dt05);
    VERIFY_NEAR(r.marginTop, *input.permissibleTop - 35 - dt10);
    QCOMPARE(r.fits, std::optional<bool>(fits));
    QVERIFY(r.withinMethod);
    QVERIFY(r.notes.empty());
}

void TestRise::methodNotes() {
    // Outlet under 1.1 × inlet: computed, and out of the method.
    RiseInput in = cabinet(2, 0.8, 0.6, 1, 800);
    in.openings = true;
    in.inletArea = 300;
    in.outletArea = 320;
    RiseResult r = ComputeTemperatureRise(in);
    QVERIFY(hasNote(r, RiseNoteKind::OutletTooSmall));
    QVERIFY(!r.withinMethod);
    VERIFY_NEAR(r.dt05, 13.5839);

    // An inlet below the curves is read at 10 cm², with a note.
    in.inletArea = 4;
    in.outletArea = 10;
    r = ComputeTemperatureRise(in);
    QVERIFY(hasNote(r, RiseNoteKind::InletBelowCurve));
    VERIFY_NEAR(r.k, EnclosureConstantOpenings(5.712, 10).value);

    // Openings in a small enclosure: its curves are for closed ones.
    RiseInput box = cabinet(0.6, 0.4, 0.25, 2, 100);
    box.openings = true;
    box.inletArea = 50;
    box.outletArea = 60;
    r = ComputeTemperatureRise(box);
    QVERIFY(hasNote(r, RiseNoteKind::OpeningsOnSmallEnclosure));
    QVERIFY(!r.openingsUsed);
    VERIFY_NEAR(r.x, 0.804);
    VERIFY_NEAR(r.dt05, 31.5040);
    QVERIFY(!r.withinMethod);

    // Ae beyond 12 m²: k at 12, noted.
    r = ComputeTemperatureRise(cabinet(2.2, 4, 1, 1, 800));
    QVERIFY(*r.ae.value > 12);
    QVERIFY(hasNote(r, RiseNoteKind::AeAboveCurve));
    VERIFY_NEAR(r.k, 0.0804413);

    // A tall narrow box: g beyond 3.
    r = ComputeTemperatureRise(cabinet(0.8, 0.2, 0.15, 2, 30));
    QVERIFY(r.small);
    QVERIFY(hasNote(r, RiseNoteKind::GAboveCurve));
    VERIFY_NEAR(r.c, 1.258805);

    // Partitions: the table's d, none beyond three.
    in = cabinet(2, 0.8, 0.6, 1, 800);
    in.partitions = 3;
    r = ComputeTemperatureRise(in);
    VERIFY_NEAR(r.d, 1.30);
    VERIFY_NEAR(r.dt05, 1.30 * 31.3232);
    in.openings = true;
    in.inletArea = 300;
    in.outletArea = 400;
    VERIFY_NEAR(ComputeTemperatureRise(in).d, 1.15);
    in.partitions = 4;
    r = ComputeTemperatureRise(in);
    VERIFY_NONE(r.d, R::TooManyPartitions);
    VERIFY_NONE(r.dt05, R::TooManyPartitions);
    VERIFY_NONE(r.t10, R::TooManyPartitions);
    QVERIFY(!r.fits);
    QVERIFY(!r.withinMethod);
}

void TestRise::overridden() {
    RiseInput in = cabinet(2, 0.8, 0.6, 1, 800);
    in.overrideFactors = true;
    in.overrideK = 0.2;
    in.overrideC = 1.5;
    in.overrideD = 1.1;
    const RiseResult r = ComputeTemperatureRise(in);
    VERIFY_NEAR(r.k, 0.2);
    VERIFY_NEAR(r.c, 1.5);
    VERIFY_NEAR(r.d, 1.1);
    // The curves' values stay for comparison.
    VERIFY_NEAR(r.kCurve, 0.145138);
    VERIFY_NEAR(r.cCurve, 1.426141);
    VERIFY_NEAR(r.dTable, 1.0);
    // 1.1·0.2·800^0.804 = 47.48 K
    VERIFY_NEAR(r.dt05, 47.4796);
    VERIFY_NEAR(r.dt10, 1.5 * *r.dt05.value);
    QVERIFY(hasNote(r, RiseNoteKind::Overridden));
    QVERIFY(r.withinMethod);
}

void TestRise::badInput_data() {
    QTest::addColumn<RiseInput>("input");
    QTest::addColumn<RiseReason>("aeWhy");       // None: Ae is there
    QTest::addColumn<RiseReason>("riseWhy");     // why there is no Δt0.5
    QTest::addColumn<RiseReason>("verdictWhy");  // why there is no top margin

    const RiseInput base = cabinet(2, 0.8, 0.6, 1, 800);
    auto with = [&base](auto change) {
        RiseInput in = base;
        change(in);
        return in;
    };
    QTest::newRow("height not a number") << with([](RiseInput& in) { in.height.reset(); })
                                         << R::Unreadable << R::Unreadable << R::Unreadable;
    QTest::newRow("width 0") << with([](RiseInput& in) { in.width = 0; }) << R::InvalidDimensions
                             << R::InvalidDimensions << R::InvalidDimensions;
    QTest::newRow("depth -0.6") << with([](RiseInput& in) { in.depth = -0.6; })
                                << R::InvalidDimensions << R::InvalidDimensions
                                << R::InvalidDimensions;
    QTest::newRow("height infinite") << with([](RiseInput& in) { in.height = kInf; })
                                     << R::OutOfRange << R::OutOfRange << R::OutOfRange;
    QTest::newRow("width and depth too large to multiply") << with([](RiseInput& in) {
        in.width = 1e200;
        in.depth = 1e200;
    }) << R::OutOfRange << R::OutOfRange << R::OutOfRange;
    QTest::newRow("P 0") << with([](RiseInput& in) { in.power = 0; }) << R::None << R::InvalidPower
                         << R::InvalidPower;
    QTest::newRow("P -800") << with([](RiseInput& in) { in.power = -800; }) << R::None
                            << R::InvalidPower << R::InvalidPower;
    QTest::newRow("P not a number") << with([](RiseInput& in) { in.power.reset(); }) << R::None
                                    << R::Unreadable << R::Unreadable;
    QTest::newRow("partitions 1.5") << with([](RiseInput& in) { in.partitions = 1.5; }) << R::None
                                    << R::InvalidPartitions << R::InvalidPartitions;
    QTest::newRow("partitions -1") << with([](RiseInput& in) { in.partitions = -1; }) << R::None
                                   << R::InvalidPartitions << R::InvalidPartitions;
    QTest::newRow("inlet -1 cm²") << with([](RiseInput& in) {
        in.openings = true;
        in.inletArea = -1;
        in.outletArea = 400;
    }) << R::None << R::InvalidOpeningArea
                                  << R::InvalidOpeningArea;
    QTest::newRow("outlet -1 cm²") << with([](RiseInput& in) {
        in.openings = true;
        in.inletArea = 300;
        in.outletArea = -1;
    }) << R::None << R::InvalidOpeningArea
                                   << R::InvalidOpeningArea;
    QTest::newRow("inlet not a number") << with([](RiseInput& in) {
        in.openings = true;
        in.inletArea.reset();
        in.outletArea = 400;
    }) << R::None << R::Unreadable << R::Unreadable;
    QTest::newRow("override c 0") << with([](RiseInput& in) {
        in.overrideFactors = true;
        in.overrideC = 0;
        in.overrideD = 1;
        in.overrideK = 0.2;
    }) << R::None << R::None << R::InvalidOverride;
    QTest::newRow("override k missing") << with([](RiseInput& in) {
        in.overrideFactors = true;
        in.overrideC = 1.4;
        in.overrideD = 1;
    }) << R::None << R::Unreadable << R::Unreadable;
    QTest::newRow("ambient below absolute zero") << with([](RiseInput& in) { in.ambient = -300; })
                                                 << R::None << R::None << R::InvalidTemperature;
    QTest::newRow("permissible top not a number")
        << with([](RiseInput& in) { in.permissibleTop.reset(); }) << R::None << R::None
        << R::Unreadable;
    QTest::newRow("P infinite") << with([](RiseInput& in) { in.power = kInf; }) << R::None
                                << R::OutOfRange << R::OutOfRange;
}

void TestRise::badInput() {
    QFETCH(RiseInput, input);
    QFETCH(RiseReason, aeWhy);
    QFETCH(RiseReason, riseWhy);
    QFETCH(RiseReason, verdictWhy);
    const RiseResult r = ComputeTemperatureRise(input);
    QVERIFY(allFinite(r));
    if (aeWhy == R::None)
        QVERIFY(r.ae.applicable());
    else
        VERIFY_NONE(r.ae, aeWhy);
    if (riseWhy == R::None)
        QVERIFY(r.dt05.applicable());
    else
        VERIFY_NONE(r.dt05, riseWhy);
    VERIFY_NONE(r.marginTop, verdictWhy);
    QVERIFY(!r.fits);
}

QTEST_APPLESS_MAIN(TestRise)
#include "tst_rise.moc"
