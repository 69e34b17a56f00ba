// The device list of a cabinet evaluated without a window: the loss law at
// the real load, rated diversity, the conductors' losses against hand
// arithmetic, bad cells that add nothing, the air at each device's height,
// and the list kept in the project file.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <cmath>

#include "data/IniFile.h"
#include "design/CabinetDesign.h"
#include "design/DeviceImport.h"
#include "design/DeviceList.h"

namespace {

// A line from "member=value" pairs separated by ";" ("kind=conductor;...").
DeviceLineTexts line(const QString& members) {
    DeviceLineTexts t{{"kind", "device"}};
    for (const QString& pair : members.split(';', Qt::SkipEmptyParts)) {
        const qsizetype eq = pair.indexOf('=');
        t.insert(pair.left(eq), pair.mid(eq + 1));
    }
    return t;
}

QList<DeviceLineTexts> lines(const QStringList& memberLists) {
    QList<DeviceLineTexts> list;
    for (const QString& s : memberLists) list << line(s);
    return list;
}

// The main window's start-up values: 2 × 1 × 0.6 m, 1100 W, Ti 35 °C.
Cabinet startUp() {
    Cabinet c;
    c.tag = "+A1";
    c.fields = {{"txtHeight", "2"}, {"txtWidth", "1"}, {"txtDepth", "0.6"},
                {"txtPP", "1100"},  {"txtT1", "40"},   {"txtT2", "35"},
                {"txtT3", "0"},     {"txtT4", "0"},    {"txtUU", "5"}};
    return c;
}

struct Tables {
    EquipmentHeatTables equipment;
    DesignTables design;
    Tables() {
        LoadIniValues(equipment, CC_ASSETS_DIR "/env/app.ini");
        design.equipment = &equipment;
    }
};

DeviceListEvaluation evaluate(const QList<DeviceLineTexts>& list) {
    static Tables tables;
    Cabinet c = startUp();
    c.devices = list;
    return *evaluateCabinet(c, tables.design).deviceList;
}

}  // namespace

class TestDeviceList : public QObject {
    Q_OBJECT
private slots:
    void losses_data();
    void losses();
    void diversityTable_data();
    void diversityTable();
    void badCells_data();
    void badCells();
    void marginsAtHeight();
    void marginsWithoutRiseVerification();
    void projectKeepsTheList();
    void projectFaultsNamePlace_data();
    void projectFaultsNamePlace();
    void csvRowsBecomeLines();
    void csvBadRowsImportNothing_data();
    void csvBadRowsImportNothing();
    void libraryFile_data();
    void libraryFile();
    void anyTextsGiveASum();
};

void TestDeviceList::losses_data() {
    QTest::addColumn<QStringList>("memberLists");
    QTest::addColumn<double>("devices");     // W
    QTest::addColumn<double>("conductors");  // W
    QTest::addColumn<double>("factor");      // of the first line
    // Pv = n · Pn · (Ib / In)²
    QTest::newRow("rated load: Pn") << QStringList{"count=1;in=100;pn=20"} << 20.0 << 0.0 << 1.0;
    QTest::newRow("half load: a quarter")
        << QStringList{"count=1;in=100;pn=20;ib=50"} << 5.0 << 0.0 << 1.0;
    QTest::newRow("three at 80 %")
        << QStringList{"count=3;in=100;pn=20;ib=80"} << 38.4 << 0.0 << 1.0;
    QTest::newRow("no current: Pn as it is") << QStringList{"count=2;pn=15"} << 30.0 << 0.0 << 1.0;
    QTest::newRow("count 0 adds nothing")
        << QStringList{"count=0;in=10;pn=15"} << 0.0 << 0.0 << 1.0;
    // Table 101 by the units of the group's devices with a current; the
    // loss goes with the factor's square.
    QTest::newRow("group of 4: 0.8")
        << QStringList{"count=4;in=32;pn=5;group=G1"} << 4 * 5 * 0.64 << 0.0 << 0.8;
    QTest::newRow("group of 1+2 lines: 0.9")
        << QStringList{"count=1;in=32;pn=5;group=G1", "count=2;in=16;pn=4;group=G1"}
        << 0.81 * (5 + 2 * 4) << 0.0 << 0.9;
    QTest::newRow("groups apart, a PLC does not count")
        << QStringList{"count=2;in=32;pn=5;group=A", "count=1;in=32;pn=5;group=B",
                       "count=5;pn=10;group=A"}
        << 2 * 5 * 0.81 + 5 + 50 << 0.0 << 0.9;
    QTest::newRow("group of 12: 0.6")
        << QStringList{"count=12;in=10;pn=2;ib=10;group=G"} << 12 * 2 * 0.36 << 0.0 << 0.6;
    QTest::newRow("factor typed over the table's")
        << QStringList{"count=4;in=32;pn=5;group=G1;factor=0.5"} << 4 * 5 * 0.25 << 0.0 << 0.5;
    QTest::newRow("factor typed without a group")
        << QStringList{"count=1;in=32;pn=8;factor=0.5"} << 2.0 << 0.0 << 0.5;
    // P = n · I² · R, R = R20 · (1 + 0.00393 · (θ − 20)) · length; 16 mm²
    // class 2: R20 = 1.15 Ω/km. 3 × 63² × 1.15e-3 × 2 × 1.1965 = 32.767 W.
    QTest::newRow("3 × 16 mm², 2 m, 63 A at 70 °C")
        << QStringList{"kind=conductor;count=3;section=16;length=2;current=63"} << 0.0
        << 3 * 63.0 * 63 * 1.15e-3 * 2 * (1 + 0.00393 * 50) << 1.0;
    QTest::newRow("class 5, 2.5 mm², at 20 °C")
        << QStringList{"kind=conductor;count=1;section=2.5;length=1;current=20;temp=20;class=5"}
        << 0.0 << 400 * 7.98e-3 << 1.0;
    QTest::newRow("device and conductor apart")
        << QStringList{"count=1;in=100;pn=20",
                       "kind=conductor;count=2;section=10;length=1;"
                       "current=40;temp=90"}
        << 20.0 << 2 * 1600 * 1.83e-3 * (1 + 0.00393 * 70) << 1.0;
}

void TestDeviceList::losses() {
    QFETCH(QStringList, memberLists);
    QFETCH(double, devices);
    QFETCH(double, conductors);
    QFETCH(double, factor);
    const DeviceListEvaluation e = evaluate(lines(memberLists));
    QCOMPARE(e.leftOut, 0);
    QVERIFY2(std::fabs(e.devicesLoss - devices) < 1e-9,
             qPrintable(QString::number(e.devicesLoss, 'g', 12)));
    QVERIFY2(std::fabs(e.conductorsLoss - conductors) < 1e-9,
             qPrintable(QString::number(e.conductorsLoss, 'g', 12)));
    QVERIFY(std::fabs(e.total - devices - conductors) < 1e-9);
    QCOMPARE(e.lines[0].factor, factor);
}

void TestDeviceList::diversityTable_data() {
    QTest::addColumn<int>("circuits");
    QTest::addColumn<double>("factor");
    for (auto [n, f] : std::initializer_list<std::pair<int, double>>{{1, 1},
                                                                     {2, 0.9},
                                                                     {3, 0.9},
                                                                     {4, 0.8},
                                                                     {5, 0.8},
                                                                     {6, 0.7},
                                                                     {9, 0.7},
                                                                     {10, 0.6},
                                                                     {500, 0.6}})
        QTest::addRow("%d circuits", n) << n << f;
}

void TestDeviceList::diversityTable() {
    QFETCH(int, circuits);
    QFETCH(double, factor);
    QCOMPARE(ratedDiversityFactor(circuits), factor);
}

void TestDeviceList::badCells_data() {
    QTest::addColumn<QString>("members");
    QTest::addColumn<QString>("member");
    QTest::addColumn<QString>("words");  // in the reason
    QTest::newRow("count not whole") << "count=1.5;in=10;pn=2"
                                     << "count"
                                     << "정수";
    QTest::newRow("count below 0") << "count=-1;in=10;pn=2"
                                   << "count"
                                   << "정수";
    QTest::newRow("count with a unit") << "count=2x;in=10;pn=2"
                                       << "count"
                                       << "숫자가 아닙니다";
    QTest::newRow("count empty") << "in=10;pn=2"
                                 << "count"
                                 << "비어";
    QTest::newRow("In 0") << "count=1;in=0;pn=2"
                          << "in"
                          << "0 이하";
    QTest::newRow("In with a comma") << "count=1;in=1,5;pn=2"
                                     << "in"
                                     << "숫자가 아닙니다";
    QTest::newRow("Pn below 0") << "count=1;in=10;pn=-3"
                                << "pn"
                                << "0 이하";
    QTest::newRow("Pn beyond any device") << "count=1;in=10;pn=1e308"
                                          << "pn"
                                          << "보다 큽니다";
    QTest::newRow("current beyond any conductor")
        << "kind=conductor;count=2;section=16;length=1;current=1e200"
        << "current"
        << "보다 큽니다";
    QTest::newRow("Pn empty") << "count=1;in=10"
                              << "pn"
                              << "비어";
    QTest::newRow("Ib above 5 × In") << "count=1;in=10;pn=2;ib=50.5"
                                     << "ib"
                                     << "5배";
    QTest::newRow("Ib without In") << "count=1;pn=2;ib=5"
                                   << "in"
                                   << "정격 전류";
    QTest::newRow("height above 1") << "count=1;pn=2;height=1.2"
                                    << "height"
                                    << "0에서 1";
    QTest::newRow("height a word") << "count=1;pn=2;height=위"
                                   << "height"
                                   << "하부/중간/상부";
    QTest::newRow("Tmax a text") << "count=1;pn=2;tmax=abc"
                                 << "tmax"
                                 << "숫자가 아닙니다";
    QTest::newRow("factor above 1") << "count=1;in=5;pn=2;factor=1.5"
                                    << "factor"
                                    << "1 이하";
    QTest::newRow("section not standard") << "kind=conductor;count=1;section=17;length=1;current=10"
                                          << "section"
                                          << "IEC 60228";
    QTest::newRow("length 0") << "kind=conductor;count=1;section=16;length=0;current=10"
                              << "length"
                              << "0 이하";
    QTest::newRow("class 3") << "kind=conductor;count=1;section=16;length=1;current=10;class=3"
                             << "class"
                             << "2도 5도";
}

void TestDeviceList::badCells() {
    QFETCH(QString, members);
    QFETCH(QString, member);
    QFETCH(QString, words);
    // A good line beside the bad one: the sum is the good line's alone.
    const DeviceListEvaluation e = evaluate(lines({"count=1;in=100;pn=20", members}));
    const DeviceLineEvaluation& bad = e.lines[1];
    QVERIFY(bad.bad());
    QCOMPARE(bad.badMembers, QStringList{member});
    QVERIFY2(bad.why.contains(words), qPrintable(bad.why));
    QVERIFY2(bad.why.startsWith(deviceMemberCaption(member, bad.kind)), qPrintable(bad.why));
    QCOMPARE(bad.loss, 0.0);
    QCOMPARE(e.leftOut, 1);
    QCOMPARE(e.total, 20.0);
    QVERIFY(!e.lines[0].bad());
}

// With a rise verification, each device sees the air of the profile at its
// height: Δt0.5 below half, straight lines from 0.5 to 0.75 and to 1.0.
void TestDeviceList::marginsAtHeight() {
    Tables tables;
    Cabinet c = startUp();
    c.rise = {{"txtRiseTu", "35"}};
    c.devices = lines({"description=바닥 단자;count=1;pn=1;height=0.2;tmax=45",
                       "description=중간 차단기;count=1;pn=1;height=0.625;tmax=60",
                       "description=상부 PLC;count=1;pn=1;height=상부;tmax=55",
                       "description=높이 없음;count=1;pn=1;tmax=70",
                       "description=허용 온도 없음;count=1;pn=1;height=1"});
    const CabinetEvaluation ev = evaluateCabinet(c, tables.design);
    QVERIFY(ev.rise && ev.deviceList);
    const RiseResult& r = ev.rise->result;
    const double t05 = *r.t05.value, t075 = *r.t075.value, t10 = *r.t10.value;
    QVERIFY(t10 > t05);
    const DeviceListEvaluation& e = *ev.deviceList;
    QCOMPARE(e.source, DeviceAirSource::Rise);
    const double air[] = {t05, (t05 + t075) / 2, t075 + (t10 - t075) * 0.6, t10};
    const double tmax[] = {45, 60, 55, 70};
    int worst = 0;
    for (int i = 0; i < 4; ++i) {
        QVERIFY2(std::fabs(*e.lines[i].air - air[i]) < 1e-9, qPrintable(QString::number(i)));
        QVERIFY(std::fabs(*e.lines[i].margin - (tmax[i] - air[i])) < 1e-9);
        QCOMPARE(*e.lines[i].fits, tmax[i] >= air[i]);
        if (tmax[i] - air[i] < tmax[worst] - air[worst]) worst = i;
    }
    QVERIFY(!e.lines[4].margin);
    QCOMPARE(e.critical, std::optional<int>(worst));
    QCOMPARE(e.verdict,
             tmax[worst] >= air[worst] ? QStringLiteral("적합") : QStringLiteral("부적합"));
}

// Without one, every device is against Ti, and the evaluation says so; a
// main calculation that cannot be read gives no margins.
void TestDeviceList::marginsWithoutRiseVerification() {
    Tables tables;
    Cabinet c = startUp();
    c.devices = lines({"description=인버터;count=1;pn=30;height=0.2;tmax=40",
                       "description=SMPS;count=1;pn=5;height=0.9;tmax=34"});
    CabinetEvaluation ev = evaluateCabinet(c, tables.design);
    DeviceListEvaluation e = *ev.deviceList;
    QCOMPARE(e.source, DeviceAirSource::Main);
    QVERIFY(e.sourceText.contains("Ti 35 °C"));
    QCOMPARE(*e.lines[0].margin, 5.0);
    QCOMPARE(*e.lines[1].margin, -1.0);
    QCOMPARE(e.critical, std::optional<int>(1));
    QCOMPARE(e.verdict, QStringLiteral("부적합"));

    c.fields["txtT2"] = "35도";
    e = *evaluateCabinet(c, tables.design).deviceList;
    QCOMPARE(e.source, DeviceAirSource::None);
    QVERIFY(!e.critical);
    QCOMPARE(e.verdict, QStringLiteral("—"));
    QCOMPARE(e.total, 35.0);  // the losses do not depend on it

    c.devices.clear();
    QVERIFY(!evaluateCabinet(c, tables.design).deviceList);
}

// The list travels with the file as typed; a version 2 file has none and
// is saved forward as version 3.
void TestDeviceList::projectKeepsTheList() {
    Project p;
    Cabinet c = startUp();
    c.devices = lines({"description=차단기 \"A\";count=2;in=1,5;pn=", "kind=conductor;section=16"});
    p.cabinets << c;
    const QByteArray bytes = ProjectBytes(p);
    const ProjectReading back = ReadProject(bytes);
    QVERIFY2(back.project, qPrintable(back.error));
    QCOMPARE(back.project->cabinets[0].devices, c.devices);
    QCOMPARE(back.version, 3);

    QJsonObject top = QJsonDocument::fromJson(bytes).object();
    top["version"] = 2;
    QJsonArray cabinets = top["cabinets"].toArray();
    QJsonObject cabinet = cabinets[0].toObject();
    cabinet.remove("devices");
    cabinets[0] = cabinet;
    top["cabinets"] = cabinets;
    const ProjectReading v2 = ReadProject(QJsonDocument(top).toJson());
    QVERIFY2(v2.project, qPrintable(v2.error));
    QCOMPARE(v2.version, 2);
    QVERIFY(!v2.readOnly);
    QVERIFY(v2.project->cabinets[0].devices.isEmpty());
    const QJsonObject saved = QJsonDocument::fromJson(ProjectBytes(*v2.project)).object();
    QCOMPARE(saved["version"].toInt(), 3);
    QVERIFY(saved["cabinets"][0]["devices"].isArray());

    // A text too long is cut, and the reader says where.
    c.devices = lines({"description=" + QString(300, 'x') + ";count=1;pn=1"});
    p.cabinets = {c};
    const ProjectReading cut = ReadProject(ProjectBytes(p));
    QVERIFY(cut.project && cut.textsCut);
    QCOMPARE(cut.project->cabinets[0].devices[0]["description"].size(), kMaxProjectLineLength);
    QVERIFY(cut.changes.join('\n').contains("cabinets[0].devices[0].description"));
}

void TestDeviceList::projectFaultsNamePlace_data() {
    QTest::addColumn<QJsonValue>("devices");
    QTest::addColumn<QString>("place");
    QTest::addColumn<QString>("words");
    QTest::newRow("not a list") << QJsonValue("many") << "cabinets[0].devices"
                                << "배열";
    QTest::newRow("a line not an object")
        << QJsonValue(QJsonArray{QJsonObject{{"kind", "device"}}, 3}) << "cabinets[0].devices[1]"
        << "객체";
    QTest::newRow("a number, not a text")
        << QJsonValue(QJsonArray{QJsonObject{{"kind", "device"}, {"count", 2}}})
        << "cabinets[0].devices[0].count"
        << "문자열";
    QTest::newRow("unknown kind") << QJsonValue(QJsonArray{QJsonObject{{"kind", "lamp"}}})
                                  << "cabinets[0].devices[0].kind"
                                  << "conductor";
    QJsonArray many;
    for (int i = 0; i <= kMaxDeviceLines; ++i) many.append(QJsonObject{{"kind", "device"}});
    QTest::newRow("too many lines") << QJsonValue(many) << "cabinets[0].devices"
                                    << "2000";
}

void TestDeviceList::projectFaultsNamePlace() {
    QFETCH(QJsonValue, devices);
    QFETCH(QString, place);
    QFETCH(QString, words);
    Project p;
    p.cabinets << startUp();
    QJsonObject top = QJsonDocument::fromJson(ProjectBytes(p)).object();
    QJsonArray cabinets = top["cabinets"].toArray();
    QJsonObject cabinet = cabinets[0].toObject();
    cabinet["devices"] = devices;
    cabinets[0] = cabinet;
    top["cabinets"] = cabinets;
    const ProjectReading r = ReadProject(QJsonDocument(top).toJson());
    QVERIFY(!r.project);
    QVERIFY2(r.error.startsWith(place + ":"), qPrintable(r.error));
    QVERIFY2(r.error.contains(words), qPrintable(r.error));
}

// A bill of materials as a CAD tool writes it: header, separator of its
// locale, quotes around texts with separators or line breaks.
void TestDeviceList::csvRowsBecomeLines() {
    const QByteArray csv =
        "\xEF\xBB\xBFPos;Bezeichnung;Menge;In (A);Pv (W)\r\n"
        "1;\"MCCB 3P; 100 A\";2;100;20\r\n"
        "\r\n"
        "2;\"PLC \"\"CPU\"\"\nmodule\";1;;10\r\n";
    const CsvTable table = readCsv(csv);
    QVERIFY2(table.error.isEmpty(), qPrintable(table.error));
    QCOMPARE(table.rows.size(), 3);
    QCOMPARE(table.lineNumbers, (QList<int>{1, 2, 4}));
    const CsvMapping m = guessCsvMapping(table.rows[0]);
    QCOMPARE(m.description, 1);
    QCOMPARE(m.count, 2);
    QCOMPARE(m.ratedCurrent, 3);
    QCOMPARE(m.ratedLoss, 4);
    const CsvImport imported = importCsv(table, m, 0);
    QVERIFY2(imported.errors.isEmpty(), qPrintable(imported.errors.join('\n')));
    QCOMPARE(imported.lines.size(), 2);
    QCOMPARE(imported.lines[0].value("description"), QStringLiteral("MCCB 3P; 100 A"));
    QCOMPARE(imported.lines[1].value("description"), QStringLiteral("PLC \"CPU\"\nmodule"));
    QVERIFY(!imported.lines[1].contains("in"));
    const DeviceListEvaluation e = evaluate(imported.lines);
    QCOMPARE(e.total, 2 * 20.0 + 10);

    QCOMPARE(readCsv("a,b\n\"open").error, QStringLiteral("2번째 줄: 따옴표가 닫히지 않았습니다."));
    QVERIFY(readCsv("\n\n").error.contains("줄이 없습니다"));
    QVERIFY(readCsv("a;b\nx;\xFF\xFE\n").error.startsWith("2번째 줄"));
}

void TestDeviceList::csvBadRowsImportNothing_data() {
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<qsizetype>("existing");
    QTest::addColumn<QStringList>("errors");
    QTest::newRow("a count and a loss")
        << QByteArray("품목,수량,정격 전류,손실\nA,1,10,2\nB,1.5,10,2\nC,1,10,-1\n") << qsizetype(0)
        << QStringList{"3행: 수량: 1.5은(는) 0부터의 정수가 아닙니다.",
                       "4행: 정격 손실 Pn: -1은(는) 0 이하입니다. 0보다 커야 합니다."};
    QTest::newRow("a loss with its unit")
        << QByteArray("품목,손실\nA,2 W\n") << qsizetype(0)
        << QStringList{"2행: 정격 손실 Pn: \"2 W\"은(는) 하나의 숫자가 아닙니다."};
    QTest::newRow("beyond the list's limit")
        << QByteArray("품목,손실\nA,2\nB,3\n") << qsizetype(kMaxDeviceLines - 1)
        << QStringList{"가져올 2줄을 더하면 목록이 2000줄을 넘습니다."};
    QTest::newRow("header only") << QByteArray("품목,손실\n") << qsizetype(0)
                                 << QStringList{"머리글 아래에 줄이 없습니다."};
}

void TestDeviceList::csvBadRowsImportNothing() {
    QFETCH(QByteArray, csv);
    QFETCH(qsizetype, existing);
    QFETCH(QStringList, errors);
    const CsvTable table = readCsv(csv);
    QVERIFY(table.error.isEmpty());
    const CsvImport imported = importCsv(table, guessCsvMapping(table.rows[0]), existing);
    QCOMPARE(imported.errors, errors);
    QVERIFY(imported.lines.isEmpty());
}

void TestDeviceList::libraryFile_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    QTest::newRow("not JSON on line 3")
        << QByteArray("{\"format\": \"cabinetcool-loss-library\",\n\"devices\": [\n{,}]}")
        << "3번째 줄";
    QTest::newRow("another file") << QByteArray("{\"format\": \"x\"}")
                                  << "라이브러리 파일이 아닙니다";
    QTest::newRow("a number for a text")
        << QByteArray(
               "{\"format\": \"cabinetcool-loss-library\", \"devices\": "
               "[{\"description\": \"A\", \"pn\": 3}]}")
        << "devices[0].pn";
    QTest::newRow("no description")
        << QByteArray("{\"format\": \"cabinetcool-loss-library\", \"devices\": [{\"pn\": \"3\"}]}")
        << "devices[0].description";
}

void TestDeviceList::libraryFile() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    const LossLibraryReading r = readLossLibrary(bytes);
    QVERIFY2(r.error.contains(error), qPrintable(r.error));
    QVERIFY(r.devices.isEmpty());
    // What the program writes reads back, and the built-in file reads.
    const QList<LossLibraryEntry> own = {{"차단기", "100", "20", "내 자료"}, {"PLC", "", "10", ""}};
    QCOMPARE(readLossLibrary(lossLibraryBytes(own)).devices, own);
    QFile builtIn(CC_ASSETS_DIR "/devices/typical-devices.json");
    QVERIFY(builtIn.open(QIODevice::ReadOnly));
    const LossLibraryReading typical = readLossLibrary(builtIn.readAll());
    QVERIFY2(typical.error.isEmpty(), qPrintable(typical.error));
    QVERIFY(typical.devices.size() >= 20);
    // Every entry is a line the list calculates with.
    QList<DeviceLineTexts> lines;
    for (const LossLibraryEntry& d : typical.devices) lines << deviceLineOf(d);
    QCOMPARE(evaluate(lines).leftOut, 0);
}

// Texts and files of any shape, from the characters that matter to the
// readers: no crash, a sum that is finite and the sum of its lines, every
// line left out counted, a CSV read whole or refused.
void TestDeviceList::anyTextsGiveASum() {
    const QStringList pieces = {"0",    "1",   "5",   ".",  ",",    "-",   "e",  "E9",   "1e308",
                                "1e6",  "&H",  " ",   "\"", ";",    "\n",  "\r", "\t",   "상부",
                                "하부", "nan", "inf", "",   "2000", "0.5", "x",  "품목", "손실"};
    const QStringList members = {"count",   "in",     "pn",      "ib",   "height", "tmax", "factor",
                                 "section", "length", "current", "temp", "class",  "group"};
    quint32 seed = 12345;
    auto next = [&seed](quint32 n) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % n;
    };
    auto text = [&](int parts) {
        QString t;
        for (int i = 0; i < parts; ++i) t += pieces[int(next(quint32(pieces.size())))];
        return t;
    };
    for (int round = 0; round < 300; ++round) {
        QList<DeviceLineTexts> list;
        const int count = int(next(12));
        for (int i = 0; i < count; ++i) {
            DeviceLineTexts l{{"kind", next(3) == 0 ? "conductor" : "device"}};
            for (const QString& m : members)
                if (next(3) != 0) l.insert(m, text(int(next(3)) + 1));
            list << l;
        }
        const DeviceListEvaluation e = evaluate(list);
        QVERIFY(std::isfinite(e.total));
        double sum = 0;
        int bad = 0;
        for (const DeviceLineEvaluation& l : e.lines) {
            QVERIFY(std::isfinite(l.loss) && l.loss >= 0);
            QCOMPARE(l.bad(), !l.why.isEmpty());
            sum += l.loss;
            bad += l.bad() ? 1 : 0;
            if (l.margin) QVERIFY(std::isfinite(*l.margin));
        }
        QVERIFY(std::fabs(sum - e.total) <= 1e-9 * std::max(1.0, e.total));
        QCOMPARE(e.leftOut, bad);

        const QByteArray csv = text(int(next(40))).toUtf8();
        const CsvTable table = readCsv(csv);
        QCOMPARE(table.rows.size(), table.lineNumbers.size());
        QCOMPARE(table.error.isEmpty(), !table.rows.isEmpty());
        if (table.rows.isEmpty()) continue;
        const CsvImport imported = importCsv(table, guessCsvMapping(table.rows[0]), 0);
        QVERIFY(imported.lines.isEmpty() != imported.errors.isEmpty());
        if (!imported.lines.isEmpty()) QCOMPARE(evaluate(imported.lines).leftOut, 0);
        const LossLibraryReading library = readLossLibrary(csv);
        QVERIFY(!library.error.isEmpty() || library.devices.isEmpty() || csv.startsWith('{'));
    }
}

QTEST_GUILESS_MAIN(TestDeviceList)
#include "tst_devicelist.moc"
