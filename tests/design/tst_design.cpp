// The design of a cabinet evaluated from what the project keeps, with no
// window: each method alone and together, the governing choice, values that
// follow their source, the condensation design, verdicts that follow the
// main window's inputs, and the bill of devices.
#include <QFile>
#include <QTest>
#include <cmath>

#include "data/IniFile.h"
#include "data/ModelLists.h"
#include "design/CabinetDesign.h"

namespace {

// The shipped tables and model lists.
struct Tables {
    EquipmentHeatTables equipment;
    DesignTables design;
    Tables() {
        const std::filesystem::path ini = CC_ASSETS_DIR "/env/app.ini";
        LoadIniValues(equipment, ini);
        design.equipment = &equipment;
        IniSelection selection;
        const IniFile file = IniFile::load(ini, selectModelLists(selection));
        for (const NamedValue& m : LoadModelList(file, kFilterFanModelSection))
            design.filterFans.push_back({m.name, m.value});
        for (const NamedValue& m : LoadModelList(file, kHeaterModelSection))
            design.heaters.push_back({m.name, m.value});
    }
};

// The main window's start-up values: air-conditioner, 2 × 1 × 0.6 m,
// 1100 W, 40 °C outside, 35 °C wanted, steel (U = 5).
Cabinet startUp() {
    Cabinet c;
    c.tag = "+A1";
    c.fields = {{"txtHeight", "2"}, {"txtWidth", "1"}, {"txtDepth", "0.6"},
                {"txtPP", "1100"},  {"txtT1", "40"},   {"txtT2", "35"},
                {"txtT3", "0"},     {"txtT4", "0"},    {"txtUU", "5"}};
    return c;
}

// Applies "name=value" edits: a main field (txt... of the main window), a
// climate input (txtClim..., cboClim..., chkClim...), a rise input
// (txtRise..., cboRise..., chkRise...), "mode=Fan1", "method=...",
// "device=...".
void edit(Cabinet& c, const QStringList& edits) {
    for (const QString& e : edits) {
        const qsizetype eq = e.indexOf('=');
        const QString name = e.left(eq);
        const QString value = e.mid(eq + 1);
        if (name == "mode")
            c.mode = value;
        else if (name == "method")
            c.method = value;
        else if (name == "device")
            c.device = value;
        else if (name.startsWith("chkClim"))
            c.climate.insert(name, value == "true");
        else if (name.startsWith("cboClim"))
            c.climate.insert(name, value.toInt());
        else if (name.startsWith("txtClim"))
            c.climate.insert(name, value);
        else if (name.startsWith("chkRise"))
            c.rise.insert(name, value == "true");
        else if (name.startsWith("cboRise"))
            c.rise.insert(name, value.toInt());
        else if (name.startsWith("txtRise"))
            c.rise.insert(name, value);
        else
            c.fields.insert(name, value);
    }
}

}  // namespace

class TestDesign : public QObject {
    Q_OBJECT
private slots:
    void governingAnswer_data();
    void governingAnswer();
    void followsUntilTyped_data();
    void followsUntilTyped();
    void condensationByOneDaysAir_data();
    void condensationByOneDaysAir();
    void riseVerdictFollowsTheMainWindow();
    void billCountsUnits();
    void version1OpensAndSavesForward();

private:
    Tables m_tables;
};

void TestDesign::governingAnswer_data() {
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("method");  // "main" or "climate"
    QTest::addColumn<QString>("device");  // kept name of the kind that answers
    QTest::addColumn<double>("value");    // NaN: none
    QTest::addColumn<QString>("model");   // empty: none
    QTest::addColumn<QString>("state");  // "answered", "not needed", "walls short", "input", "none"
    // A = 2·H·D + 2·H·W + W·D = 7 m²; R = P + U·A·(T1 − T2) = 1100 + 5·7·5.
    QTest::newRow("main, aircon") << QStringList{} << "main"
                                  << "aircon" << 1275.0 << "VKA-1600BR"
                                  << "answered";
    // R = P / (T2 − T1) − U·A = 1100 / 10 − 35 = 75 W/K: the first model above.
    QTest::newRow("main, fan") << QStringList{"mode=Fan1", "txtT1=35", "txtT2=45"} << "main"
                               << "heat-exchanger" << 75.0 << "VK-421"
                               << "answered";
    // 100 + 35·(20 − 35) = −425 W: the walls carry 425 W more.
    QTest::newRow("main, not needed") << QStringList{"txtPP=100", "txtT1=20"} << "main"
                                      << "aircon" << -425.0 << ""
                                      << "not needed";
    QTest::newRow("none, walls suffice")
        << QStringList{"txtPP=100", "txtT1=20", "device=none"} << "main"
        << "none" << -425.0 << ""
        << "not needed";
    QTest::newRow("none, walls fall short") << QStringList{"device=none"} << "main"
                                            << "none" << 1275.0 << ""
                                            << "walls short";
    // Type 1: A = 1.8·H·(W + D) + 1.4·W·D = 6.6 m²; Qs = 5·6.6·(35 − 40) =
    // −165 W; (1100 + 165)·1.1 = 1391.5 W.
    QTest::newRow("climate governs once kept") << QStringList{"cboClimInstall=1"} << "climate"
                                               << "aircon" << 1391.5 << "VKA-1600BR"
                                               << "answered";
    QTest::newRow("main chosen over a climate design")
        << QStringList{"cboClimInstall=1", "method=main"} << "main"
        << "aircon" << 1275.0 << "VKA-1600BR"
        << "answered";
    QTest::newRow("climate chosen without a design") << QStringList{"method=climate"} << "main"
                                                     << "aircon" << 1275.0 << "VKA-1600BR"
                                                     << "answered";
    // Ti 35 below Tu 40: the outside air cannot cool it.
    QTest::newRow("climate, heat exchanger, outside hotter")
        << QStringList{"cboClimInstall=1", "device=heat-exchanger"} << "climate"
        << "heat-exchanger" << std::nan("") << ""
        << "none";
    // Ti 50: Qs = 5·6.6·10 = 330 W; (1100 − 330)·1.1 = 847 W;
    // / 10 K = 84.7 W/K; · 3.1 = 262.57 m³/h.
    QTest::newRow("climate, filter fan")
        << QStringList{"cboClimInstall=1", "txtClimTi=50", "device=filter-fan"} << "climate"
        << "filter-fan" << 262.57 << "FF-320"
        << "answered";
    // Frost: 5·6.6·(10 − (−10)) = 660 W, above the condensation heater.
    QTest::newRow("climate, heater")
        << QStringList{"cboClimInstall=1", "device=heater"} << "climate"
        << "heater" << 660.0 << "HT-800"
        << "answered";
    QTest::newRow("main field not read whole") << QStringList{"txtPP=1,100"} << "main"
                                               << "aircon" << std::nan("") << ""
                                               << "input";
    QTest::newRow("climate input not read whole")
        << QStringList{"cboClimInstall=1", "txtClimMargin=10 %"} << "climate"
        << "aircon" << std::nan("") << ""
        << "input";
}

void TestDesign::governingAnswer() {
    QFETCH(QStringList, edits);
    QFETCH(QString, method);
    QFETCH(QString, device);
    QFETCH(double, value);
    QFETCH(QString, model);
    QFETCH(QString, state);
    Cabinet c = startUp();
    edit(c, edits);
    const CabinetEvaluation e = evaluateCabinet(c, m_tables.design);
    const GoverningAnswer& a = e.answer;
    QCOMPARE(governingMethodName(a.method), method);
    QCOMPARE(deviceKindName(a.kind), device);
    if (std::isnan(value)) {
        QVERIFY(!a.value);
    } else {
        QVERIFY(a.value);
        QVERIFY2(std::fabs(*a.value - value) < 0.01, qPrintable(QString::number(*a.value)));
    }
    QCOMPARE(a.device ? a.device->designation : QString(), model);
    QCOMPARE(a.notNeeded, state == "not needed");
    QCOMPARE(a.wallsShort, state == "walls short");
    QCOMPARE(a.inputError, state == "input");
    QCOMPARE(a.answered(), state == "answered" || state == "not needed");
    if (state == "not needed" && device != "heater") QCOMPARE(a.wallsCarry, 425.0);
    // The cabinet's devices: the governing one first.
    if (a.device) QCOMPARE(e.devices.first().designation, model);
    if (state == "none" || state == "input" || state == "walls short")
        QVERIFY(e.devices.isEmpty() || e.devices.first().kind == DeviceKind::Heater);
}

void TestDesign::followsUntilTyped_data() {
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("input");   // climate or rise input
    QTest::addColumn<QString>("before");  // its text
    QTest::addColumn<QStringList>("later");
    QTest::addColumn<QString>("after");
    QTest::newRow("climate height follows") << QStringList{"cboClimInstall=1"} << "txtClimH"
                                            << "2" << QStringList{"txtHeight=2.5"} << "2.5";
    QTest::newRow("climate height typed")
        << QStringList{"cboClimInstall=1", "txtClimH=1.8"} << "txtClimH"
        << "1.8" << QStringList{"txtHeight=2.5"} << "1.8";
    // The measured mode: P = U·A·(T4 − T3) = 5·7·(45 − 35).
    QTest::newRow("climate P of the measured mode")
        << QStringList{"cboClimInstall=1"} << "txtClimP"
        << "1100" << QStringList{"mode=Fan2", "txtT3=35", "txtT4=45"} << "350";
    // Roof and front: W·D + W·H = 0.6·0.5 + 0.6·1.8 = 1.38 m², then
    // 0.6·0.5 + 0.6·2.2 = 1.62 m² after the height changed.
    QTest::newRow("sunlit area follows the dimensions")
        << QStringList{"cboClimInstall=1", "chkClimSun=true", "txtHeight=1.8", "txtWidth=0.6",
                       "txtDepth=0.5"}
        << "txtClimSunArea"
        << "1.38" << QStringList{"txtHeight=2.2"} << "1.62";
    QTest::newRow("sunlit area typed")
        << QStringList{"cboClimInstall=1", "chkClimSun=true", "txtClimSunArea=3"}
        << "txtClimSunArea"
        << "3" << QStringList{"txtHeight=2.2"} << "3";
    QTest::newRow("rise P follows") << QStringList{"cboRiseInstall=2"} << "txtRiseP"
                                    << "1100" << QStringList{"txtPP=800"} << "800";
    QTest::newRow("rise width typed")
        << QStringList{"cboRiseInstall=2", "txtRiseWidth=0.8"} << "txtRiseWidth"
        << "0.8" << QStringList{"txtWidth=1.2"} << "0.8";
}

void TestDesign::followsUntilTyped() {
    QFETCH(QStringList, edits);
    QFETCH(QString, input);
    QFETCH(QString, before);
    QFETCH(QStringList, later);
    QFETCH(QString, after);
    Cabinet c = startUp();
    edit(c, edits);
    const bool climate = input.startsWith("txtClim");
    auto text = [&] { return climate ? climateInputText(c, input) : riseInputText(c, input); };
    QCOMPARE(text(), before);
    edit(c, later);
    QCOMPARE(text(), after);
    // The evaluation takes the same value.
    if (climate) {
        const ClimateEvaluation e = evaluateClimate(c, m_tables.design);
        const double used = input == "txtClimH"   ? e.input.height
                            : input == "txtClimP" ? e.input.internalHeat
                                                  : e.result.sunlitArea.value.value_or(-1);
        QVERIFY2(std::fabs(used - after.toDouble()) < 1e-9, qPrintable(QString::number(used)));
    } else {
        const RiseEvaluation e = evaluateRise(c);
        const std::optional<double> used = input == "txtRiseP" ? e.input.power : e.input.width;
        QCOMPARE(used.value_or(-1), after.toDouble());
    }
}

void TestDesign::condensationByOneDaysAir_data() {
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<double>("dewPoint");     // °C
    QTest::addColumn<double>("nightInside");  // °C
    QTest::addColumn<bool>("condensation");
    QTest::addColumn<double>("heater");  // W, condensation
    QTest::addColumn<double>("frost");   // W
    // Magnus (a = 17.27, b = 237.7 °C); U·A = 5·6.6 = 33 W/K.
    // 25 °C, 60 %: Td = 16.68 °C; the night's 18 °C stays above it, and
    // 33·(16.684 + 3 − 18) = 55.6 W keeps the 3 K margin.
    QTest::newRow("defaults") << QStringList{} << 16.684 << 18.0 << false << 55.58 << 660.0;
    // 30 °C, 80 %: Td = 26.16 °C above the night's 20 °C: condensation;
    // 33·(26.160 + 3 − 20) = 302.3 W.
    QTest::newRow("humid night") << QStringList{"txtClimDayT=30", "txtClimRH=80",
                                                "txtClimNightT=20"}
                                 << 26.160 << 20.0 << true << 302.29 << 660.0;
    // 100 W of equipment at night warms the cabinet by 100 / 33 = 3.03 K:
    // 21.03 °C, and no heater is needed.
    QTest::newRow("equipment warms it")
        << QStringList{"txtClimPMin=100"} << 16.684 << 21.030 << false << 0.0 << 560.0;
}

void TestDesign::condensationByOneDaysAir() {
    QFETCH(QStringList, edits);
    QFETCH(double, dewPoint);
    QFETCH(double, nightInside);
    QFETCH(bool, condensation);
    QFETCH(double, heater);
    QFETCH(double, frost);
    Cabinet c = startUp();
    edit(c, QStringList{"cboClimInstall=1"} + edits);
    const ClimateEvaluation e = evaluateClimate(c, m_tables.design);
    const ClimateDesignResult& r = e.result;
    QVERIFY(e.errors.isEmpty());
    QVERIFY(std::fabs(*r.dewPoint.value - dewPoint) < 0.005);
    QVERIFY(std::fabs(*r.nightInsideTemperature.value - nightInside) < 0.005);
    QCOMPARE(e.condensation, condensation);
    QVERIFY2(std::fabs(*r.condensationFreeHeaterPower.value - heater) < 0.01,
             qPrintable(QString::number(*r.condensationFreeHeaterPower.value)));
    // The frost heater on its own: U·A·(TiMin − TuMin) − PMin.
    QCOMPARE(*r.heaterPower.value, frost);
    // The cabinet's heater is the larger of the two.
    const CabinetEvaluation whole = evaluateCabinet(c, m_tables.design);
    QCOMPARE(whole.devices.size(), 2);
    QCOMPARE(whole.devices[1].kind, DeviceKind::Heater);
    QVERIFY(whole.devices[1].rating >= std::max(heater, frost));
}

void TestDesign::riseVerdictFollowsTheMainWindow() {
    // A closed 600 × 400 × 250 mm box on a wall, 35 °C outside, 55 °C
    // allowed: the verdict of its kept inputs follows the main window's P
    // with no window ever opened.
    Cabinet c = startUp();
    edit(c, {"txtHeight=0.6", "txtWidth=0.4", "txtDepth=0.25", "txtPP=32", "cboRiseInstall=2",
             "device=none"});
    RiseEvaluation e = evaluateRise(c);
    QCOMPARE(e.verdict, QString("적합"));
    edit(c, {"txtPP=100"});
    e = evaluateRise(c);
    QCOMPARE(e.verdict, QString("부적합"));
    QCOMPARE(*e.input.power, 100.0);
    // The faces too: against a wall only at the back; all five exposed on
    // their own give more surface and a cooler top.
    const double wallTop = *e.result.t10.value;
    edit(c, {"cboRiseBack=0"});
    QVERIFY(*evaluateRise(c).result.t10.value < wallTop);
    // With no cooling device it is the cabinet's own verification.
    QVERIFY(!evaluateCabinet(c, m_tables.design).rise->enclosureAlone);
    edit(c, {"device=aircon"});
    QVERIFY(evaluateCabinet(c, m_tables.design).rise->enclosureAlone);
}

void TestDesign::billCountsUnits() {
    Project p;
    Cabinet a = startUp();
    a.count = 2;
    Cabinet b = startUp();
    b.tag = "+A2";
    b.count = 3;
    Cabinet fan = startUp();
    fan.tag = "+A3";
    edit(fan, {"mode=Fan1", "txtT1=35", "txtT2=45"});
    // 2000 W of heat: 2000 + 175 = 2175 W, above VKA-2000BR; VKA-3000BR.
    Cabinet big = startUp();
    big.tag = "+A4";
    edit(big, {"txtPP=2000", "cboClimInstall=1", "method=main"});
    p.cabinets = {a, b, fan, big};
    QList<CabinetEvaluation> evaluations;
    for (const Cabinet& c : p.cabinets) evaluations << evaluateCabinet(c, m_tables.design);
    const QList<BillLine> bill = billOfDevices(p, evaluations);
    QCOMPARE(bill.size(), 4);
    QCOMPARE(bill[0].designation, QString("VKA-1600BR"));
    QCOMPARE(bill[0].cabinets, (QStringList{"+A1", "+A2"}));
    QCOMPARE(bill[0].units, 5LL);
    QCOMPARE(bill[1].designation, QString("VK-421"));
    QCOMPARE(bill[1].units, 1LL);
    QCOMPARE(bill[2].designation, QString("VKA-3000BR"));
    // Its climate design asks for a heater beside: 660 W of frost heater.
    QCOMPARE(bill[3].kind, DeviceKind::Heater);
    QCOMPARE(bill[3].designation, QString("HT-800"));
    QCOMPARE(bill[3].cabinets, QStringList{"+A4"});
}

void TestDesign::version1OpensAndSavesForward() {
    QFile f(CC_TEST_DATA_DIR "/project/three-cabinets-v1.ccproj");
    QVERIFY(f.open(QIODevice::ReadOnly));
    const ProjectReading reading = ReadProject(f.readAll());
    QVERIFY2(reading.project, qPrintable(reading.error));
    QCOMPARE(reading.version, 1);
    QVERIFY(!reading.readOnly);
    const Project& p = *reading.project;
    // The windows' copies of the main window's values follow it now.
    const Cabinet& outdoor = p.cabinets[1];
    QVERIFY(!outdoor.climate.contains("txtClimSunArea"));
    QCOMPARE(climateInputText(outdoor, "txtClimH"), QString("1.8"));
    QCOMPARE(outdoor.climate.value("txtClimRH").toString(), QString("80"));
    const Cabinet& box = p.cabinets[2];
    QVERIFY(!box.rise.contains("txtRiseP"));
    QCOMPARE(riseInputText(box, "txtRiseP"), QString("100"));
    QCOMPARE(evaluateRise(box).verdict, QString("부적합"));
    // Saved as the current version, read back the same.
    const QByteArray saved = ProjectBytes(p);
    QVERIFY(
        saved.contains(QByteArray("\"version\": ") + QByteArray::number(kProjectFormatVersion)));
    const ProjectReading again = ReadProject(saved);
    QVERIFY(again.project);
    QVERIFY(*again.project == p);
}

QTEST_GUILESS_MAIN(TestDesign)
#include "tst_design.moc"
