#include <QtTest>
#include <array>
#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "calc/ClimateDesign.h"
#include "calc/HeatBalance.h"

Q_DECLARE_METATYPE(ClimateReason)

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
using R = ClimateReason;

// An expected result: a number (to a relative tolerance) or a reason.
struct Expect {
    double value = 0;
    R reason = R::None;
    static Expect of(double v) { return {v, R::None}; }
    static Expect no(R why) { return {0, why}; }
};

QString describe(const ClimateValue& v) {
    if (v.applicable()) return QString::number(*v.value, 'g', 17);
    return QStringLiteral("not applicable (%1)").arg(int(v.reason));
}

bool matches(const ClimateValue& v, const Expect& e, double tolerance) {
    if (e.reason != R::None) return !v.applicable() && v.reason == e.reason;
    if (!v.applicable() || v.reason != R::None) return false;
    return std::fabs(*v.value - e.value) <= tolerance * std::max(1.0, std::fabs(e.value));
}

#define VERIFY_VALUE(actual, expected, tolerance)                                 \
    QVERIFY2(matches((actual), (expected), (tolerance)),                          \
             qPrintable(QStringLiteral(#actual " is %1, expected %2")             \
                            .arg(describe(actual))                                \
                            .arg((expected).reason == R::None                     \
                                     ? QString::number((expected).value, 'g', 17) \
                                     : QStringLiteral("reason %1").arg(int((expected).reason)))))

// The cabinet of the worked examples: H 2 m, W 0.8 m, D 0.6 m, standing on
// its own (type 1), painted sheet steel k = 5.5 W/(m²·K). A = 5.712 m²
// (the worked example of https://evg.de/de/fachwissen/berechnung-heiz-kuehlleistung-filterluefter),
// so k·A = 31.416 W/K.
ClimateDesignInput baseInput() {
    ClimateDesignInput in;
    in.height = 2;
    in.width = 0.8;
    in.depth = 0.6;
    in.installation = 1;
    in.uValue = 5.5;
    in.internalHeat = 500;
    in.ambientMax = 25;
    in.insideDesired = 35;
    in.altitude = 0;
    in.ambientMin = -10;
    in.insideMin = 5;
    in.internalHeatMin = 100;
    // A humid day of 25 °C at 50 % and its night at 10 °C.
    in.humidDayTemperature = 25;
    in.relativeHumidity = 50;
    in.humidNightMin = 10;
    return in;
}

}  // namespace

class TestClimate : public QObject {
    Q_OBJECT
private slots:
    void area_data();
    void area();
    void allSidesIsTheMainWindowsSurface();
    void installationTexts();
    void airflowFactor_data();
    void airflowFactor();
    void dewPoint_data();
    void dewPoint();
    void design_data();
    void design();
    void solarHeatGain_data();
    void solarHeatGain();
    void condensationFree_data();
    void condensationFree();
    void coolingNotNeeded_data();
    void coolingNotNeeded();
    void badInputNeverGivesInfinityOrNaN();
    void pickModel_data();
    void pickModel();
};

void TestClimate::area_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<double>("h");
    QTest::addColumn<double>("w");
    QTest::addColumn<double>("d");
    QTest::addColumn<double>("area");
    QTest::addColumn<ClimateReason>("reason");
    // H 2, W 0.8, D 0.6: H·W = 1.6, H·D = 1.2, W·D = 0.48.
    QTest::newRow("0 all sides") << 0 << 2.0 << 0.8 << 0.6 << 2.4 + 3.2 + 0.48 << R::None;
    QTest::newRow("1 single, detached (EVG example)") << 1 << 2.0 << 0.8 << 0.6 << 5.712 << R::None;
    QTest::newRow("2 single, wall") << 2 << 2.0 << 0.8 << 0.6 << 1.4 * 2.08 + 2.16 << R::None;
    QTest::newRow("3 end, detached") << 3 << 2.0 << 0.8 << 0.6 << 1.4 * 1.68 + 2.88 << R::None;
    QTest::newRow("4 end, wall") << 4 << 2.0 << 0.8 << 0.6 << 3.92 + 0.672 << R::None;
    QTest::newRow("5 middle, detached") << 5 << 2.0 << 0.8 << 0.6 << 2.88 + 0.672 + 1.2 << R::None;
    QTest::newRow("6 middle, wall") << 6 << 2.0 << 0.8 << 0.6 << 2.912 + 1.2 << R::None;
    QTest::newRow("7 middle, wall, roof covered")
        << 7 << 2.0 << 0.8 << 0.6 << 2.24 + 0.336 + 1.2 << R::None;
    // Not symmetric in W and D: the wall-mounted type keeps its back to the wall.
    QTest::newRow("2 with W and D swapped")
        << 2 << 2.0 << 0.6 << 0.8 << 1.4 * 0.6 * 2.8 + 1.8 * 1.6 << R::None;
    QTest::newRow("zero height") << 1 << 0.0 << 0.8 << 0.6 << 0.0 << R::InvalidDimensions;
    QTest::newRow("negative depth") << 0 << 2.0 << 0.8 << -0.6 << 0.0 << R::InvalidDimensions;
    QTest::newRow("type 8") << 8 << 2.0 << 0.8 << 0.6 << 0.0 << R::InvalidInstallation;
    QTest::newRow("type -1") << -1 << 2.0 << 0.8 << 0.6 << 0.0 << R::InvalidInstallation;
    QTest::newRow("overflow") << 5 << 1e200 << 1e200 << 1.0 << 0.0 << R::OutOfRange;
    QTest::newRow("largest double") << 0 << DBL_MAX << 1.0 << 1.0 << 0.0 << R::OutOfRange;
}

void TestClimate::area() {
    QFETCH(int, type);
    QFETCH(double, h);
    QFETCH(double, w);
    QFETCH(double, d);
    QFETCH(double, area);
    QFETCH(ClimateReason, reason);
    const Expect e{area, reason};
    VERIFY_VALUE(EffectiveSurfaceArea(type, h, w, d), e, 1e-12);
}

void TestClimate::allSidesIsTheMainWindowsSurface() {
    // Type 0 is the main window's surface, so both windows agree on it.
    for (const auto& [h, w, d] : std::vector<std::array<double, 3>>{
             {2, 1, 0.6}, {1.25, 0.63, 0.63}, {0.4, 0.3, 0.2}, {2.2, 1.2, 0.8}}) {
        const ClimateValue a = EffectiveSurfaceArea(0, h, w, d);
        QVERIFY(a.applicable());
        QCOMPARE(*a.value, ComputeSurfaceArea(h, w, d));
    }
}

void TestClimate::installationTexts() {
    QCOMPARE(QString::fromUtf8(CabinetInstallationText(0)), QStringLiteral("모든 면 (기본 계산)"));
    QSet<QString> texts;
    for (int i = 0; i < kCabinetInstallationCount; ++i)
        texts.insert(QString::fromUtf8(CabinetInstallationText(i)));
    QCOMPARE(texts.size(), kCabinetInstallationCount);
    QVERIFY(!texts.contains(QString()));
    QVERIFY(CabinetInstallationText(kCabinetInstallationCount).empty());
    QVERIFY(CabinetInstallationText(-1).empty());
}

void TestClimate::airflowFactor_data() {
    QTest::addColumn<double>("altitude");
    QTest::addColumn<double>("factor");
    QTest::addColumn<ClimateReason>("reason");
    // 3.1 times the density at sea level (1.2250 kg/m³) over the density at
    // the altitude, as the standard atmosphere tables give it (U.S. Standard
    // Atmosphere 1976, identical to ICAO there): 1000 m 1.1117, 2000 m
    // 1.0066, 3000 m 0.90925, 11000 m 0.36392. The tables have five
    // figures: compared to 3e-4.
    QTest::newRow("sea level") << 0.0 << 3.1 << R::None;
    QTest::newRow("1000 m") << 1000.0 << 3.1 * 1.2250 / 1.1117 << R::None;
    QTest::newRow("2000 m") << 2000.0 << 3.1 * 1.2250 / 1.0066 << R::None;
    QTest::newRow("3000 m") << 3000.0 << 3.1 * 1.2250 / 0.90925 << R::None;
    QTest::newRow("tropopause") << 11000.0 << 3.1 * 1.2250 / 0.36392 << R::None;
    // Below sea level the air is denser (-500 m: 1.2850 kg/m³).
    QTest::newRow("Dead Sea shore") << -500.0 << 3.1 * 1.2250 / 1.2850 << R::None;
    QTest::newRow("above the tropopause") << 11000.5 << 0.0 << R::AltitudeOutOfRange;
    QTest::newRow("below -5 km") << -5001.0 << 0.0 << R::AltitudeOutOfRange;
    QTest::newRow("largest double") << DBL_MAX << 0.0 << R::AltitudeOutOfRange;
    QTest::newRow("NaN") << kNaN << 0.0 << R::AltitudeOutOfRange;
}

void TestClimate::airflowFactor() {
    QFETCH(double, altitude);
    QFETCH(double, factor);
    QFETCH(ClimateReason, reason);
    const Expect e{factor, reason};
    VERIFY_VALUE(AirflowFactor(altitude), e, 3e-4);
    const Expect ratio{factor / 3.1, reason};
    VERIFY_VALUE(AirDensityRatio(altitude), ratio, 3e-4);
}

void TestClimate::dewPoint_data() {
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("rh");
    QTest::addColumn<double>("dewPoint");
    QTest::addColumn<ClimateReason>("reason");
    // gamma = 17.27·T/(237.7 + T) + ln(RH/100), Td = 237.7·gamma/(17.27 − gamma):
    // 25 °C, 60 %: gamma = 431.75/262.7 − 0.5108256 = 1.1326847,
    //   Td = 269.23916/16.137315 = 16.6842 °C (calculators quote 16.7 °C).
    QTest::newRow("25 °C, 60 %") << 25.0 << 60.0 << 16.684250 << R::None;
    // 20 °C, 50 %: gamma = 345.4/257.7 − 0.6931472 = 0.6471710, Td = 9.2543 °C.
    QTest::newRow("20 °C, 50 %") << 20.0 << 50.0 << 9.254294 << R::None;
    // Below 0 °C: −10 °C, 80 %: gamma = −172.7/227.7 − 0.2231436 = −0.9815981,
    //   Td = −233.32587/18.251598 = −12.7839 °C.
    QTest::newRow("-10 °C, 80 %") << -10.0 << 80.0 << -12.783854 << R::None;
    QTest::newRow("saturated air") << 30.0 << 100.0 << 30.0 << R::None;
    QTest::newRow("dry air") << 30.0 << 0.0 << 0.0 << R::HumidityOutOfRange;
    QTest::newRow("above 100 %") << 30.0 << 100.5 << 0.0 << R::HumidityOutOfRange;
    QTest::newRow("negative humidity") << 30.0 << -5.0 << 0.0 << R::HumidityOutOfRange;
    QTest::newRow("at the formula's pole") << -237.7 << 50.0 << 0.0 << R::TemperatureOutOfRange;
    QTest::newRow("huge temperature") << 1e300 << 100.0 << 0.0 << R::TemperatureOutOfRange;
    QTest::newRow("NaN temperature") << kNaN << 50.0 << 0.0 << R::TemperatureOutOfRange;
    QTest::newRow("NaN humidity") << 20.0 << kNaN << 0.0 << R::HumidityOutOfRange;
}

void TestClimate::dewPoint() {
    QFETCH(double, t);
    QFETCH(double, rh);
    QFETCH(double, dewPoint);
    QFETCH(ClimateReason, reason);
    const Expect e{dewPoint, reason};
    VERIFY_VALUE(DewPoint(t, rh), e, 1e-6);
}

Q_DECLARE_METATYPE(ClimateDesignInput)
Q_DECLARE_METATYPE(Expect)

void TestClimate::design_data() {
    QTest::addColumn<ClimateDesignInput>("in");
    QTest::addColumn<Expect>("wallHeat");
    QTest::addColumn<Expect>("solarHeat");
    QTest::addColumn<Expect>("coolingPower");
    QTest::addColumn<Expect>("heatExchanger");
    QTest::addColumn<Expect>("airflow");  // m³/h; cfm checked from it
    QTest::addColumn<Expect>("heater");
    QTest::addColumn<Expect>("dewPoint");
    QTest::addColumn<int>("condensation");  // 1 yes, 0 no, -1 none
    const auto of = Expect::of;
    const auto no = Expect::no;

    // Filter fan: Ti 35 > Tu 25. Qs = 31.416·10 = 314.16 W; left to carry
    // 500 − 314.16 = 185.84 W, 18.584 W/K, V = 3.1·18.584 = 57.6104 m³/h.
    // Frost heater: 31.416·(5 − (−10)) − 100 = 371.24 W. Dew point of the
    // humid day's air, 25 °C at 50 %: gamma = 431.75/262.7 − 0.6931472 =
    // 0.9503627, Td = 225.9012/16.3196373 = 13.8423 °C. That night the
    // cabinet is 10 + 100/31.416 = 13.1831 °C, below it: condensation.
    ClimateDesignInput fan = baseInput();
    QTest::newRow("filter fan") << fan << of(314.16) << of(0) << of(185.84) << of(18.584)
                                << of(57.6104) << of(371.24) << of(13.842291) << 1;

    // The same at 2000 m in the sun with 20 % margin. Sunlit roof and
    // front 0.48 + 1.6 = 2.08 m²: absorbed 0.6·500·2.08 = 624 W, of which
    // U·Rse = 5.5·0.04 = 0.22 passes inwards, Qsun = 137.28 W; 500 + 137.28
    // − 314.16 = 323.12 W, ·1.2 = 387.744 W; 32.312 W/K ·1.2 = 38.7744 W/K;
    // f at 2000 m from the tables 3.1·1.225/1.0066.
    ClimateDesignInput sunny = fan;
    sunny.altitude = 2000;
    sunny.sun = true;
    sunny.absorptance = 0.6;
    sunny.irradiance = 500;
    sunny.safetyMargin = 20;
    QTest::newRow("sun, margin, 2000 m")
        << sunny << of(314.16) << of(137.28) << of(387.744) << of(38.7744)
        << of(38.7744 * 3.1 * 1.225 / 1.0066) << of(371.24) << of(13.842291) << 1;

    // A sunlit area given: only the roof, 0.48 m²: Qsun = 144·0.22 = 31.68 W.
    ClimateDesignInput roof = sunny;
    roof.sunlitArea = 0.48;
    roof.safetyMargin = 0;
    roof.altitude = 0;
    QTest::newRow("sunlit area given")
        << roof << of(314.16) << of(31.68) << of(217.52) << of(21.752) << of(3.1 * 21.752)
        << of(371.24) << of(13.842291) << 1;

    // Air conditioner: Ti 30 < Tu 35: Qs = −157.08 W (heat comes in);
    // (1000 + 157.08)·1.1 = 1272.788 W. Fan and heat exchanger cannot cool
    // below the ambient. The dew point stays the humid day's, 13.8423 °C:
    // the summer's highest Tu 35 °C does not enter it (at Tu, 50 % it would
    // be 22.9961 °C).
    ClimateDesignInput aircon = baseInput();
    aircon.ambientMax = 35;
    aircon.insideDesired = 30;
    aircon.internalHeat = 1000;
    aircon.safetyMargin = 10;
    QTest::newRow("air conditioner")
        << aircon << of(-157.08) << of(0) << of(1272.788) << no(R::AmbientNotBelowInside)
        << no(R::AmbientNotBelowInside) << of(371.24) << of(13.842291) << 1;

    ClimateDesignInput equal = aircon;
    equal.insideDesired = 35;
    equal.safetyMargin = 0;
    QTest::newRow("equal temperatures")
        << equal << of(0) << of(0) << of(1000) << no(R::AmbientNotBelowInside)
        << no(R::AmbientNotBelowInside) << of(371.24) << of(13.842291) << 1;

    // No heat needed: the coldest ambient is not below TiMin, or the
    // equipment covers the loss (31.416·15 = 471.24 W < 500 W).
    ClimateDesignInput mild = fan;
    mild.ambientMin = 10;
    mild.insideMin = 10;
    mild.relativeHumidity = 20;
    // Dry air: at 25 °C and 20 % gamma = 1.6435097 − 1.6094379 = 0.0340718,
    // Td = 237.7·0.0340718/17.2359282 = 0.4699 °C, below the night's 13.18 °C.
    QTest::newRow("no heat needed, no condensation")
        << mild << of(314.16) << of(0) << of(185.84) << of(18.584) << of(57.6104) << of(0)
        << of(0.469883) << 0;
    // The same equipment keeps the night's cabinet at 10 + 500/31.416 =
    // 25.92 °C, above the dew point.
    ClimateDesignInput covered = fan;
    covered.internalHeatMin = 500;
    QTest::newRow("equipment covers the loss")
        << covered << of(314.16) << of(0) << of(185.84) << of(18.584) << of(57.6104) << of(0)
        << of(13.842291) << 0;

    // The walls carry more than is produced: nothing left to cool.
    ClimateDesignInput small = fan;
    small.internalHeat = 200;
    QTest::newRow("walls carry it all")
        << small << of(314.16) << of(0) << of(-114.16) << of(-11.416) << of(-35.3896) << of(371.24)
        << of(13.842291) << 1;

    ClimateDesignInput noDepth = fan;
    noDepth.depth = 0;
    QTest::newRow("zero depth") << noDepth << no(R::InvalidDimensions) << of(0)
                                << no(R::InvalidDimensions) << no(R::InvalidDimensions)
                                << no(R::InvalidDimensions) << no(R::InvalidDimensions)
                                << of(13.842291) << -1;
    ClimateDesignInput noDepthSun = sunny;
    noDepthSun.depth = -1;
    noDepthSun.ambientMax = 40;
    QTest::newRow("negative depth, sun, ambient hotter")
        << noDepthSun << no(R::InvalidDimensions) << no(R::InvalidDimensions)
        << no(R::InvalidDimensions) << no(R::AmbientNotBelowInside) << no(R::AmbientNotBelowInside)
        << no(R::InvalidDimensions) << of(13.842291) << -1;

    ClimateDesignInput badType = fan;
    badType.installation = 8;
    QTest::newRow("installation 8")
        << badType << no(R::InvalidInstallation) << of(0) << no(R::InvalidInstallation)
        << no(R::InvalidInstallation) << no(R::InvalidInstallation) << no(R::InvalidInstallation)
        << of(13.842291) << -1;

    ClimateDesignInput badK = fan;
    badK.uValue = -5.5;
    QTest::newRow("negative coefficient")
        << badK << no(R::InvalidCoefficient) << of(0) << no(R::InvalidCoefficient)
        << no(R::InvalidCoefficient) << no(R::InvalidCoefficient) << no(R::InvalidCoefficient)
        << of(13.842291) << -1;

    ClimateDesignInput badSun = sunny;
    badSun.absorptance = 1.5;
    QTest::newRow("absorptance above 1")
        << badSun << of(314.16) << no(R::InvalidSolarInput) << no(R::InvalidSolarInput)
        << no(R::InvalidSolarInput) << no(R::InvalidSolarInput) << of(371.24) << of(13.842291) << 1;
    ClimateDesignInput sunOff = badSun;
    sunOff.sun = false;
    sunOff.safetyMargin = 0;
    sunOff.altitude = 0;
    QTest::newRow("sun inputs ignored when off")
        << sunOff << of(314.16) << of(0) << of(185.84) << of(18.584) << of(57.6104) << of(371.24)
        << of(13.842291) << 1;

    ClimateDesignInput badMargin = fan;
    badMargin.safetyMargin = -10;
    QTest::newRow("negative margin")
        << badMargin << of(314.16) << of(0) << no(R::InvalidMargin) << no(R::InvalidMargin)
        << no(R::InvalidMargin) << of(371.24) << of(13.842291) << 1;

    ClimateDesignInput high = fan;
    high.altitude = 12000;
    QTest::newRow("altitude above the tropopause")
        << high << of(314.16) << of(0) << of(185.84) << of(18.584) << no(R::AltitudeOutOfRange)
        << of(371.24) << of(13.842291) << 1;

    ClimateDesignInput dry = fan;
    dry.relativeHumidity = 0;
    QTest::newRow("humidity 0") << dry << of(314.16) << of(0) << of(185.84) << of(18.584)
                                << of(57.6104) << of(371.24) << no(R::HumidityOutOfRange) << -1;

    ClimateDesignInput huge = fan;
    huge.internalHeat = DBL_MAX;
    huge.ambientMax = 45;    // Qs = −314.16 W
    huge.safetyMargin = 10;  // (P − Qs)·1.1 overflows
    // The dew point stays the humid day's (at 45 °C, 50 % it would be 32.1203 °C).
    QTest::newRow("heat beyond a double")
        << huge << of(-314.16) << of(0) << no(R::OutOfRange) << no(R::AmbientNotBelowInside)
        << no(R::AmbientNotBelowInside) << of(371.24) << of(13.842291) << 1;

    // ΔT = 1E-307: 500 W over it overflows. An insulated cabinet (k = 0)
    // needs no heater, and its night's temperature is not the balance of its
    // walls: no condensation verdict.
    ClimateDesignInput tiny = fan;
    tiny.ambientMax = -1e-307;
    tiny.insideDesired = 0;
    tiny.uValue = 0;
    QTest::newRow("difference too small to divide by")
        << tiny << of(0) << of(0) << of(500) << no(R::OutOfRange) << no(R::OutOfRange) << of(0)
        << of(13.842291) << -1;
}

void TestClimate::design() {
    QFETCH(ClimateDesignInput, in);
    QFETCH(Expect, wallHeat);
    QFETCH(Expect, solarHeat);
    QFETCH(Expect, coolingPower);
    QFETCH(Expect, heatExchanger);
    QFETCH(Expect, airflow);
    QFETCH(Expect, heater);
    QFETCH(Expect, dewPoint);
    QFETCH(int, condensation);
    const ClimateDesignResult r = ComputeClimateDesign(in);
    VERIFY_VALUE(r.wallHeat, wallHeat, 1e-9);
    VERIFY_VALUE(r.solarHeat, solarHeat, 1e-9);
    VERIFY_VALUE(r.coolingPower, coolingPower, 1e-9);
    VERIFY_VALUE(r.heatExchangerCapacity, heatExchanger, 1e-9);
    // The altitude factor comes from five-figure tables.
    VERIFY_VALUE(r.airflow, airflow, 3e-4);
    const Expect cfm{airflow.value / 1.69901079552, airflow.reason};
    VERIFY_VALUE(r.airflowCfm, cfm, 3e-4);
    VERIFY_VALUE(r.heaterPower, heater, 1e-9);
    VERIFY_VALUE(r.dewPoint, dewPoint, 1e-6);
    QCOMPARE(r.condensation.has_value(), condensation >= 0);
    if (r.condensation) QCOMPARE(*r.condensation, condensation == 1);
}

// The sol-air relation: of the absorbed flux α·E·A_sun only the part U·Rse
// passes through the wall.
void TestClimate::solarHeatGain_data() {
    QTest::addColumn<double>("absorptance");
    QTest::addColumn<double>("irradiance");
    QTest::addColumn<double>("area");
    QTest::addColumn<double>("u");
    QTest::addColumn<double>("rse");
    QTest::addColumn<Expect>("gain");
    const auto of = Expect::of;
    const auto no = Expect::no;
    // 0.5·800·2.6 = 1040 W absorbed; ·5.5·0.04 = 228.8 W, about 88 W per m²
    // sunlit, near the 75 W/m² rule for painted steel outdoors.
    QTest::newRow("painted steel, roof and front")
        << 0.5 << 800.0 << 2.6 << 5.5 << 0.04 << of(228.8);
    QTest::newRow("black, full sun, 1 m²") << 1.0 << 1000.0 << 1.0 << 5.0 << 0.04 << of(200);
    QTest::newRow("a larger Rse lets more in") << 0.5 << 800.0 << 2.6 << 5.5 << 0.1 << of(572);
    QTest::newRow("insulated wall") << 0.5 << 800.0 << 2.6 << 0.0 << 0.04 << of(0);
    QTest::newRow("no surface resistance") << 0.5 << 800.0 << 2.6 << 5.5 << 0.0 << of(0);
    QTest::newRow("negative Rse") << 0.5 << 800.0 << 2.6 << 5.5 << -0.04
                                  << no(R::InvalidSolarInput);
    QTest::newRow("negative U") << 0.5 << 800.0 << 2.6 << -5.5 << 0.04 << no(R::InvalidCoefficient);
    QTest::newRow("absorptance above 1")
        << 1.2 << 800.0 << 2.6 << 5.5 << 0.04 << no(R::InvalidSolarInput);
    QTest::newRow("NaN Rse") << 0.5 << 800.0 << 2.6 << 5.5 << kNaN << no(R::OutOfRange);
}

void TestClimate::solarHeatGain() {
    QFETCH(double, absorptance);
    QFETCH(double, irradiance);
    QFETCH(double, area);
    QFETCH(double, u);
    QFETCH(double, rse);
    QFETCH(Expect, gain);
    VERIFY_VALUE(SolarHeatGain(absorptance, irradiance, area, u, rse), gain, 1e-12);
    // The design takes the same relation, with the default Rse of EN ISO 6946.
    if (rse == kOutsideSurfaceResistance && gain.reason == R::None) {
        ClimateDesignInput in = baseInput();
        in.sun = true;
        in.absorptance = absorptance;
        in.irradiance = irradiance;
        in.sunlitArea = area;
        in.uValue = u;
        VERIFY_VALUE(ComputeClimateDesign(in).solarHeat, gain, 1e-12);
    }
}

// Condensation by one day's air: the dew point of the humid day's air
// (Magnus, a = 17.27, b = 237.7 °C) against the cabinet that night, which
// its walls keep PMin/(U·A) above the night's lowest; the heater holds it 3 K
// above the dew point: U·A·(Td + 3 − night) − PMin, with U·A = 31.416 W/K.
// The summer's Tu and the winter's TiMin, TuMin do not enter; the frost
// heater, 31.416·(TiMin − TuMin) − PMin, does not see the humid day.
void TestClimate::condensationFree_data() {
    QTest::addColumn<double>("dayTemperature");
    QTest::addColumn<double>("humidity");
    QTest::addColumn<double>("nightMin");
    QTest::addColumn<double>("heatMin");
    QTest::addColumn<double>("ambientMax");  // Tu, which must not count
    QTest::addColumn<double>("insideMin");   // TiMin: the frost heater's only
    QTest::addColumn<Expect>("dewPoint");
    QTest::addColumn<Expect>("nightInside");
    QTest::addColumn<int>("condensation");  // 1 yes, 0 no, -1 none
    QTest::addColumn<Expect>("safeHeater");
    const auto of = Expect::of;
    const auto no = Expect::no;
    // 25 °C, 60 %: gamma = 431.75/262.7 + ln 0.6 = 1.6435097 − 0.5108256 =
    // 1.1326841, Td = 269.23901/16.1373159 = 16.6842 °C. The night at 18 °C
    // and PMin 100 W: 18 + 3.1831 = 21.1831 °C, clear of it; the heater
    // 31.416·(19.6842 − 18) − 100 < 0: none.
    QTest::newRow("the window's defaults: a temperate night")
        << 25.0 << 60.0 << 18.0 << 100.0 << 40.0 << 5.0 << of(16.684250) << of(21.183091) << 0
        << of(0);
    // The same day, a night at 10 °C with nothing switched on: 10 °C, below
    // the dew point; 31.416·(19.6842 − 10) = 304.24 W.
    QTest::newRow("cold night, no equipment heat")
        << 25.0 << 60.0 << 10.0 << 0.0 << 40.0 << 5.0 << of(16.684250) << of(10) << 1
        << of(304.240385);
    // PMin 100 W warms the cabinet to 13.1831 °C, still below; 304.24 − 100.
    QTest::newRow("cold night, some equipment heat")
        << 25.0 << 60.0 << 10.0 << 100.0 << 40.0 << 5.0 << of(16.684250) << of(13.183091) << 1
        << of(204.240385);
    // Another summer (Tu 20 °C, TiMin 30 °C): the same day, the same answer.
    QTest::newRow("Tu and TiMin do not enter")
        << 25.0 << 60.0 << 10.0 << 100.0 << 20.0 << 30.0 << of(16.684250) << of(13.183091) << 1
        << of(204.240385);
    // Cold humid air, −5 °C at 80 %: Td = −7.9067 °C; the night at −12 °C:
    // −12 + 3.1831 = −8.8169 °C, below; 31.416·(−4.9067 + 12) − 100 = 122.84 W.
    QTest::newRow("below freezing") << -5.0 << 80.0 << -12.0 << 100.0 << 40.0 << 5.0
                                    << of(-7.906676) << of(-8.816909) << 1 << of(122.843869);
    QTest::newRow("no humidity") << 25.0 << 0.0 << 10.0 << 100.0 << 40.0 << 5.0
                                 << no(R::HumidityOutOfRange) << of(13.183091) << -1
                                 << no(R::HumidityOutOfRange);
    // A night not read: no temperature of the cabinet, no verdict, no heater.
    QTest::newRow("no night temperature")
        << 25.0 << 60.0 << kNaN << 100.0 << 40.0 << 5.0 << of(16.684250) << no(R::OutOfRange) << -1
        << no(R::OutOfRange);
}

void TestClimate::condensationFree() {
    QFETCH(double, dayTemperature);
    QFETCH(double, humidity);
    QFETCH(double, nightMin);
    QFETCH(double, heatMin);
    QFETCH(double, ambientMax);
    QFETCH(double, insideMin);
    QFETCH(Expect, dewPoint);
    QFETCH(Expect, nightInside);
    QFETCH(int, condensation);
    QFETCH(Expect, safeHeater);
    ClimateDesignInput in = baseInput();
    in.humidDayTemperature = dayTemperature;
    in.relativeHumidity = humidity;
    in.humidNightMin = nightMin;
    in.internalHeatMin = heatMin;
    in.ambientMax = ambientMax;
    in.insideMin = insideMin;
    const ClimateDesignResult r = ComputeClimateDesign(in);
    VERIFY_VALUE(r.dewPoint, dewPoint, 1e-6);
    VERIFY_VALUE(r.dewPointAirTemperature, Expect::of(dayTemperature), 0);
    VERIFY_VALUE(r.nightInsideTemperature, nightInside, 1e-6);
    QCOMPARE(r.condensation.has_value(), condensation >= 0);
    if (r.condensation) QCOMPARE(*r.condensation, condensation == 1);
    const Expect safeInside =
        dewPoint.reason == R::None ? Expect::of(dewPoint.value + 3) : Expect::no(dewPoint.reason);
    VERIFY_VALUE(r.condensationFreeInsideMin, safeInside, 1e-6);
    VERIFY_VALUE(r.condensationFreeHeaterPower, safeHeater, 1e-6);
    // The frost heater: 31.416·(TiMin − (−10)) − PMin, none below 0.
    VERIFY_VALUE(r.heaterPower, Expect::of(std::max(0.0, 31.416 * (in.insideMin + 10) - heatMin)),
                 1e-9);
}

// Heat that leaves through the walls on its own: no cooling of any kind,
// and the surplus the walls carry away.
void TestClimate::coolingNotNeeded_data() {
    QTest::addColumn<double>("internalHeat");
    QTest::addColumn<bool>("sun");
    QTest::addColumn<double>("surplus");
    QTest::addColumn<bool>("notNeeded");
    // The walls carry 314.16 W (Ti 35, Tu 25, U·A 31.416 W/K).
    QTest::newRow("walls carry more") << 200.0 << false << -114.16 << true;
    // NaN: P equal to the wall heat as computed.
    QTest::newRow("exactly balanced") << kNaN << false << 0.0 << true;
    QTest::newRow("a little left to cool") << 320.0 << false << 5.84 << false;
    // The sun adds 0.6·500·2.08·5.5·0.04 = 137.28 W: 200 + 137.28 − 314.16.
    QTest::newRow("the sun tips it") << 200.0 << true << 23.12 << false;
}

void TestClimate::coolingNotNeeded() {
    QFETCH(double, internalHeat);
    QFETCH(bool, sun);
    QFETCH(double, surplus);
    QFETCH(bool, notNeeded);
    ClimateDesignInput in = baseInput();
    in.internalHeat =
        std::isnan(internalHeat) ? *ComputeClimateDesign(in).wallHeat.value : internalHeat;
    in.sun = sun;
    in.absorptance = 0.6;
    in.irradiance = 500;
    in.safetyMargin = 10;
    const ClimateDesignResult r = ComputeClimateDesign(in);
    VERIFY_VALUE(r.heatSurplus, Expect::of(surplus), 1e-9);
    QCOMPARE(r.coolingNotNeeded(), notNeeded);
    // The requirements keep their sign with the margin: none of them is
    // above 0 when nothing is needed.
    for (const ClimateValue* v : {&r.coolingPower, &r.heatExchangerCapacity, &r.airflow})
        QCOMPARE(*v->value <= 0, notNeeded);
}

void TestClimate::badInputNeverGivesInfinityOrNaN() {
    // Every result is a finite number with no reason, or none with a reason,
    // for any mix of the values a field can hold, and some it cannot.
    const std::vector<double> extremes = {0,     -1,     1,       -0.0,     1e-300, -1e-300,
                                          1e300, -1e300, DBL_MAX, -DBL_MAX, 35,     100,
                                          kNaN,  -237.7, 11000,   0.5};
    std::mt19937 random(60890);
    auto any = [&] { return extremes[random() % extremes.size()]; };
    for (int i = 0; i < 100000; ++i) {
        ClimateDesignInput in = baseInput();
        double* fields[] = {&in.height,
                            &in.width,
                            &in.depth,
                            &in.internalHeat,
                            &in.uValue,
                            &in.ambientMax,
                            &in.insideDesired,
                            &in.altitude,
                            &in.ambientMin,
                            &in.insideMin,
                            &in.internalHeatMin,
                            &in.relativeHumidity,
                            &in.irradiance,
                            &in.absorptance,
                            &in.safetyMargin,
                            &in.sunRse,
                            &in.humidDayTemperature,
                            &in.humidNightMin};
        // A few fields at a time, so that most results stay reachable.
        for (int k = 0; k < 3; ++k) *fields[random() % std::size(fields)] = any();
        in.installation = int(random() % 10) - 1;
        in.sun = random() % 2;
        if (random() % 3 == 0) in.sunlitArea = any();
        const ClimateDesignResult r = ComputeClimateDesign(in);
        for (const ClimateValue* v :
             {&r.area, &r.deltaT, &r.wallHeat, &r.sunlitArea, &r.solarHeat, &r.coolingPower,
              &r.heatExchangerCapacity, &r.airflowFactor, &r.airflow, &r.airflowCfm, &r.heaterPower,
              &r.dewPoint, &r.heatSurplus, &r.dewPointAirTemperature, &r.condensationFreeInsideMin,
              &r.condensationFreeHeaterPower, &r.nightInsideTemperature}) {
            const bool sound = v->applicable() ? std::isfinite(*v->value) && v->reason == R::None
                                               : v->reason != R::None;
            if (!sound) QFAIL(qPrintable(QStringLiteral("draw %1: %2").arg(i).arg(describe(*v))));
        }
        if (r.condensation && !r.dewPoint.applicable()) QFAIL("condensation without a dew point");
        if (r.condensation && !r.nightInsideTemperature.applicable())
            QFAIL("condensation without the night's inside temperature");
    }
}

Q_DECLARE_METATYPE(std::vector<ClimateModel>)

void TestClimate::pickModel_data() {
    QTest::addColumn<int>("list");  // 0 any list, 1 air conditioners, 2 fans
    QTest::addColumn<std::vector<ClimateModel>>("models");
    QTest::addColumn<double>("requirement");
    QTest::addColumn<int>("index");  // -1: none
    QTest::addColumn<bool>("exceeds");
    const std::vector<ClimateModel> filters = {{"FF-200", 200}, {"FF-55", 55}, {"FF-105", 105}};
    QTest::newRow("smallest that reaches") << 0 << filters << 80.0 << 2 << false;
    QTest::newRow("equal reaches") << 0 << filters << 105.0 << 2 << false;
    QTest::newRow("below all") << 0 << filters << -5.0 << 1 << false;
    QTest::newRow("above all: the largest") << 0 << filters << 250.0 << 0 << true;
    QTest::newRow("equal values: the first")
        << 0 << std::vector<ClimateModel>{{"H-1", 100}, {"H-2", 50}, {"H-3", 100}} << 60.0 << 0
        << false;
    QTest::newRow("empty list") << 0 << std::vector<ClimateModel>{} << 80.0 << -1 << false;
    QTest::newRow("NaN requirement") << 0 << filters << kNaN << -1 << false;

    // The main window's tables: 11 air conditioners searched, 15 fans; a
    // twelfth and a sixteenth entry lie beyond the search.
    std::vector<ClimateModel> aircons;
    for (double c : std::initializer_list<double>{350, 500, 500, 750, 1100, 1100, 1600, 1600, 2000,
                                                  3000, 3500, 9999})
        aircons.push_back({"VKA", c});
    QTest::newRow("aircon 1272.79") << 1 << aircons << 1272.788 << 6 << false;
    QTest::newRow("aircon equal reaches") << 1 << aircons << 1600.0 << 6 << false;
    QTest::newRow("aircon above all searched") << 1 << aircons << 5000.0 << 10 << true;
    std::vector<ClimateModel> fans;
    for (double c : std::initializer_list<double>{8, 10, 12.5, 15, 17.5, 20, 25, 30, 35, 45, 60, 66,
                                                  75, 90, 120, 999})
        fans.push_back({"FK", c});
    QTest::newRow("fan 18.584") << 2 << fans << 18.584 << 5 << false;
    QTest::newRow("fan above all searched") << 2 << fans << 120.5 << 14 << true;
    QTest::newRow("short fan list")
        << 2 << std::vector<ClimateModel>(fans.begin(), fans.begin() + 3) << 50.0 << 2 << true;
}

void TestClimate::pickModel() {
    QFETCH(int, list);
    QFETCH(std::vector<ClimateModel>, models);
    QFETCH(double, requirement);
    QFETCH(int, index);
    QFETCH(bool, exceeds);
    const ModelChoice c = list == 1   ? PickAirconModel(requirement, models)
                          : list == 2 ? PickFanModel(requirement, models)
                                      : PickModel(requirement, models);
    QCOMPARE(c.index.has_value(), index >= 0);
    if (c.index) QCOMPARE(int(*c.index), index);
    QCOMPARE(c.exceeds, exceeds);
}

QTEST_APPLESS_MAIN(TestClimate)
#include "tst_climate.moc"
