// The engineer's own devices: capacity at the operating point, the offer
// and its units, the pick through the project file on a machine without the
// user's library, bad libraries and CSV rows, the library window and the
// project window's pick as a user meets them, the start-up note of model
// lines, and the report's line.
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <cmath>

#include "CommaLocale.h"
#include "TestApp.h"
#include "design/LibraryCsv.h"
#include "design/LibraryOffer.h"
#include "kit/ProjectSession.h"
#include "kit/UserLibrary.h"
#include "library/frmLibrary.h"
#include "projectwindow/ProjectCommands.h"
#include "projectwindow/frmProject.h"
#include "report/DesignReport.h"

Q_DECLARE_METATYPE(LibraryDevice)

namespace {

LibraryDevice aircon(const QString& name, QList<LibraryPoint> points, std::optional<double> tuMax,
                     const QString& maker = QString()) {
    LibraryDevice d;
    d.kind = "aircon";
    d.designation = name;
    d.maker = maker;
    d.points = points;
    d.tuMax = tuMax;
    return d;
}

// A data sheet with two Ti lines: capacity rises with Ti, falls with Tu.
LibraryDevice grid() {
    return aircon("AC-G", {{35, 35, 1000}, {35, 50, 800}, {25, 35, 850}, {25, 50, 650}}, 55);
}

// The main window's start-up values: 2 × 1 × 0.6 m of steel, 1100 W,
// 40 °C outside, 35 °C wanted: R = 1100 + 5 · 7 · 5 = 1275 W at Ti 35 / Tu 40.
Cabinet startUp() {
    Cabinet c;
    c.tag = "+A1";
    c.fields = {{"txtHeight", "2"}, {"txtWidth", "1"}, {"txtDepth", "0.6"},
                {"txtPP", "1100"},  {"txtT1", "40"},   {"txtT2", "35"},
                {"txtT3", "0"},     {"txtT4", "0"},    {"txtUU", "5"}};
    return c;
}

// At Tu 40 °C: AC-S 633.3 W, AC-M 1400 W, AC-L 1900 W, AC-T 283.3 W.
QList<LibraryDevice> offerLibrary() {
    LibraryDevice hx;
    hx.kind = "heat-exchanger";
    hx.designation = "HX-1";
    hx.specific = 50;
    return {aircon("AC-L", {{35, 35, 2000}, {35, 50, 1700}}, 55),
            aircon("AC-S", {{35, 35, 700}, {35, 50, 500}}, 55),
            aircon("AC-T", {{35, 35, 300}, {35, 50, 250}}, 55),
            aircon("AC-M", {{35, 35, 1500}, {35, 50, 1200}}, 55, "Kälte GmbH"),
            aircon("AC-H", {{35, 35, 5000}, {35, 50, 4000}}, 38),
            aircon("AC-X", {{35, 35, 5000}}, 55),
            hx};
}

// The program started with the project window open.
struct Program {
    explicit Program(const QList<LibraryDevice>& library = {}) {
        if (!library.isEmpty()) writeFileBytes(UserLibrary::filePath(), LibraryBytes(library));
        form = t.start();
        form->cmdProject->click();
        w = t.app->loadedWindow<frmProject>();
        if (!w) qFatal("the project window did not open");
    }
    ProjectSession& session() const { return t.app->project(); }
    CabinetEvaluation evaluation() const {
        return evaluateCabinet(session().project().cabinets[session().currentIndex()],
                               loadDesignTables(*t.app));
    }
    // Picks the entry of cboCabDevice that starts with `text`, as a click.
    bool pick(const QString& text) const {
        for (int i = 0; i < w->cboCabDevice->count(); ++i) {
            if (w->cboCabDevice->itemText(i).startsWith(text)) {
                w->cboCabDevice->setCurrentIndex(i);
                emit w->cboCabDevice->activated(i);
                QCoreApplication::processEvents();  // the pick follows the closed list
                return true;
            }
        }
        return false;
    }
    TestApp t;
    Form1* form = nullptr;
    frmProject* w = nullptr;
};

void type(QLineEdit* field, const QString& text) {
    field->selectAll();
    field->insert(text);  // as typing: textEdited
}

void setCell(QTableWidget* table, int row, int column, const QString& text) {
    QTableWidgetItem* item = table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        table->setItem(row, column, item);
    }
    item->setText(text);
}

bool cellMarked(QTableWidget* table, int row, int column) {
    const QTableWidgetItem* item = table->item(row, column);
    return item && item->data(Qt::BackgroundRole).isValid() && !item->toolTip().isEmpty();
}

}  // namespace

class TestLibrary : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void capacityAtTheOperatingPoint_data();
    void capacityAtTheOperatingPoint();
    void otherKindsDeliverTheirData();
    void offerSmallestFirstWithUnits();
    void offerWithoutRequirement();
    void pickGovernsTheAnswerAndTheBill();
    void pickThatDoesNotApplyLeavesTheBuiltInModel();
    void pickTravelsWithTheProject();
    void badLibraryFiles_data();
    void badLibraryFiles();
    void unreadableLibraryIsLeftAlone();
    void csvRoundTrips();
    void badCsvRowsImportNothing_data();
    void badCsvRowsImportNothing();
    void startUpNoteNamesUnmatchedModelLines();
    void windowEditsAndProjectPicks();
    void windowMarksBadInputAndKeepsTheLast();
    void windowImportsAndExports();
    void reportLine();
};

void TestLibrary::initTestCase() {
    if (commaLocaleRunRequested()) {
        QVERIFY2(decimalPointIsComma(),
                 qPrintable("this run needs the comma locale, the decimal point is \"" +
                            QString::fromStdString(currentDecimalPoint()) + "\""));
    }
}

// ---- at the operating point ----------------------------------------------------

void TestLibrary::capacityAtTheOperatingPoint_data() {
    QTest::addColumn<LibraryDevice>("device");
    QTest::addColumn<double>("ti");
    QTest::addColumn<double>("tu");
    QTest::addColumn<double>("capacity");  // NaN: none
    QTest::addColumn<int>("why");
    const double none = std::nan("");
    const LibraryDevice g = grid();
    QTest::newRow("at L35/L35") << g << 35.0 << 35.0 << 1000.0 << int(NotOfferedReason::None);
    QTest::newRow("at L25/L50") << g << 25.0 << 50.0 << 650.0 << int(NotOfferedReason::None);
    QTest::newRow("between along Tu")
        << g << 35.0 << 40.0 << 1000.0 - 200.0 / 3 << int(NotOfferedReason::None);
    QTest::newRow("between along Ti") << g << 30.0 << 35.0 << 925.0 << int(NotOfferedReason::None);
    // Ti 25 line at Tu 40: 783.3; Ti 35: 933.3; halfway: 858.3.
    QTest::newRow("inside, both") << g << 30.0 << 40.0 << 858.0 + 1.0 / 3
                                  << int(NotOfferedReason::None);
    QTest::newRow("Ti above the points")
        << g << 40.0 << 40.0 << none << int(NotOfferedReason::TiOutside);
    QTest::newRow("Ti below the points")
        << g << 20.0 << 40.0 << none << int(NotOfferedReason::TiOutside);
    QTest::newRow("Tu below the points")
        << g << 35.0 << 30.0 << none << int(NotOfferedReason::TuOutside);
    QTest::newRow("Tu above the points, within Tu max")
        << g << 35.0 << 52.0 << none << int(NotOfferedReason::TuOutside);
    QTest::newRow("Tu above Tu max")
        << g << 35.0 << 56.0 << none << int(NotOfferedReason::AboveTuMax);
    // A line of one point covers its own Tu only: between the lines the
    // nearest line below that covers Tu is missing.
    const LibraryDevice sparse = aircon("AC-P", {{35, 35, 1000}, {35, 50, 800}, {30, 35, 900}}, 55);
    QTest::newRow("one-point line, at its Tu")
        << sparse << 32.0 << 35.0 << 940.0 << int(NotOfferedReason::None);
    QTest::newRow("one-point line, off its Tu")
        << sparse << 32.0 << 40.0 << none << int(NotOfferedReason::TuOutside);
    // The points in any order, L35/L50 first.
    const LibraryDevice shuffled =
        aircon("AC-R", {{35, 50, 800}, {25, 50, 650}, {35, 35, 1000}, {25, 35, 850}}, 55);
    QTest::newRow("points in any order")
        << shuffled << 30.0 << 40.0 << 858.0 + 1.0 / 3 << int(NotOfferedReason::None);
    QTest::newRow("lacking L35/L50") << aircon("AC-X", {{35, 35, 1000}}, 55) << 35.0 << 35.0 << none
                                     << int(NotOfferedReason::Gap);
    QTest::newRow("lacking Tu max") << aircon("AC-Y", {{35, 35, 1000}, {35, 50, 800}}, {}) << 35.0
                                    << 35.0 << none << int(NotOfferedReason::Gap);
}

void TestLibrary::capacityAtTheOperatingPoint() {
    QFETCH(LibraryDevice, device);
    QFETCH(double, ti);
    QFETCH(double, tu);
    QFETCH(double, capacity);
    QFETCH(int, why);
    const DeviceCapacity c = libraryCapacity(device, OperatingPoint{ti, tu});
    if (std::isnan(capacity)) {
        QVERIFY(!c.value);
        QCOMPARE(int(c.why.kind), why);
        QVERIFY(!notOfferedText(c.why, device).isEmpty());
    } else {
        QVERIFY2(c.value, qPrintable(notOfferedText(c.why, device)));
        QVERIFY2(std::fabs(*c.value - capacity) < 1e-9, qPrintable(QString::number(*c.value)));
    }
}

void TestLibrary::otherKindsDeliverTheirData() {
    LibraryDevice fan;
    fan.kind = "filter-fan";
    fan.designation = "FF-1";
    fan.flowFree = 120;
    fan.flowFilter = 95;
    // Sized by the flow through its outlet filter, at any operating point.
    QCOMPARE(libraryCapacity(fan, OperatingPoint{35, 60}).value, std::optional<double>(95));
    QCOMPARE(libraryRating(fan), std::optional<double>(95));
    LibraryDevice hx;
    hx.kind = "heat-exchanger";
    hx.designation = "HX-1";
    hx.specific = 42;
    QCOMPARE(libraryCapacity(hx, std::nullopt).value, std::optional<double>(42));
    hx.specific.reset();
    QCOMPARE(libraryCapacity(hx, std::nullopt).why.kind, NotOfferedReason::Gap);
    QCOMPARE(libraryRating(grid()), std::optional<double>(1000));  // L35/L35
}

// ---- the offer ---------------------------------------------------------------------

void TestLibrary::offerSmallestFirstWithUnits() {
    TestApp t;
    const QList<LibraryDevice> library = offerLibrary();
    const CabinetEvaluation e = evaluateCabinet(startUp(), loadDesignTables(*t.app));
    QCOMPARE(*e.answer.value, 1275.0);
    const LibraryOffer offer = offerLibraryDevices(e, library);
    QCOMPARE(*offer.need, 1275.0);
    QCOMPARE(offer.at->ti, 35.0);
    QCOMPARE(offer.at->tu, 40.0);
    QStringList shown;
    for (const OfferLine& l : offer.lines)
        shown << QStringLiteral("%1×%2").arg(library[l.index].designation).arg(l.units);
    // One unit before three; within one unit the smaller first. AC-S: two
    // units give 1266.7 W, short of 1275 W.
    QCOMPARE(shown, QStringList({"AC-M×1", "AC-L×1", "AC-S×3"}));
    QCOMPARE(offer.lines[0].capacity, 1400.0);
    QCOMPARE(offer.lines[0].margin, 125.0);
    QVERIFY(std::fabs(offer.lines[2].margin - (3 * (700 - 200.0 / 3) - 1275)) < 1e-9);
    QMap<QString, int> outside;
    for (const NotOffered& n : offer.notOffered) outside[library[n.index].designation] = n.why.kind;
    QCOMPARE(outside.value("AC-T"), int(NotOfferedReason::FourShort));
    QCOMPARE(outside.value("AC-H"), int(NotOfferedReason::AboveTuMax));
    QCOMPARE(outside.value("AC-X"), int(NotOfferedReason::Gap));
    QCOMPARE(outside.size(), 3);  // the heat exchanger is of another kind
    QCOMPARE(offerLineText(offer.lines[0], library[offer.lines[0].index], offer),
             QString("AC-M (Kälte GmbH) — 1400 W, 여유 125 W (9.8 %)"));
}

void TestLibrary::offerWithoutRequirement() {
    TestApp t;
    Cabinet cool = startUp();
    cool.fields["txtPP"] = "100";
    cool.fields["txtT1"] = "20";  // the walls carry it
    LibraryOffer offer =
        offerLibraryDevices(evaluateCabinet(cool, loadDesignTables(*t.app)), offerLibrary());
    QVERIFY(!offer.need);
    QVERIFY(offer.lines.isEmpty());
    Cabinet broken = startUp();
    broken.fields["txtPP"] = "1,100";
    offer = offerLibraryDevices(evaluateCabinet(broken, loadDesignTables(*t.app)), offerLibrary());
    QVERIFY(!offer.need);
    QVERIFY(!offer.why.isEmpty());
}

// ---- the pick -----------------------------------------------------------------------

void TestLibrary::pickGovernsTheAnswerAndTheBill() {
    TestApp t;
    DesignTables tables = loadDesignTables(*t.app);
    tables.library = offerLibrary();
    Project project;
    project.cabinets = {startUp(), startUp()};
    project.cabinets[0].libraryDevice = {"AC-S", 3};
    project.cabinets[1].tag = "+A2";
    project.cabinets[1].count = 2;
    project.cabinets[1].libraryDevice = {"AC-S", 2};  // kept units, though short
    QList<CabinetEvaluation> evaluations;
    for (const Cabinet& c : project.cabinets) evaluations << evaluateCabinet(c, tables);
    const GoverningAnswer& a = evaluations[0].answer;
    QVERIFY(a.library);
    QCOMPARE(a.device->designation, QString("AC-S"));
    QCOMPARE(a.device->units, 3);
    QCOMPARE(a.device->rating, 700.0);  // nominal, L35/L35
    QVERIFY(std::fabs(a.library->capacity - (700 - 200.0 / 3)) < 1e-9);
    QVERIFY(a.library->margin > 0);
    // The built-in model's shortfall remark is not of this device.
    for (const QString& r : a.remarks) QVERIFY2(!r.contains("추천 모델"), qPrintable(r));
    const GoverningAnswer& b = evaluations[1].answer;
    QVERIFY(b.library->margin < 0);
    QVERIFY(b.remarks.join(' ').contains("모자랍니다"));
    const QList<BillLine> bill = billOfDevices(project, evaluations);
    QCOMPARE(bill.size(), 1);
    QCOMPARE(bill[0].designation, QString("AC-S"));
    QCOMPARE(bill[0].units, 3LL + 2 * 2);
}

void TestLibrary::pickThatDoesNotApplyLeavesTheBuiltInModel() {
    TestApp t;
    DesignTables tables = loadDesignTables(*t.app);
    tables.library = offerLibrary();
    const CabinetEvaluation plain = evaluateCabinet(startUp(), tables);
    const struct {
        const char* pick;
        const char* remark;
    } cases[] = {{"AC-H", "최고 주위 온도"}, {"HX-1", "열교환기"}, {"gone", "데이터가 없어"}};
    for (const auto& c : cases) {
        Cabinet cabinet = startUp();
        cabinet.libraryDevice = {c.pick, 1};
        const CabinetEvaluation e = evaluateCabinet(cabinet, tables);
        QVERIFY(!e.answer.library);
        QCOMPARE(e.answer.device->designation, plain.answer.device->designation);
        QVERIFY2(e.answer.remarks.join(' ').contains(QString::fromUtf8(c.remark)),
                 qPrintable(e.answer.remarks.join(' ')));
    }
}

void TestLibrary::pickTravelsWithTheProject() {
    QByteArray bytes;
    CabinetEvaluation before;
    QString library;
    {
        Program p(offerLibrary());
        library = UserLibrary::filePath();
        QVERIFY(p.pick("AC-M"));
        QVERIFY(p.session().current().libraryDevice == (LibraryPick{"AC-M", 1}));
        before = p.evaluation();
        QVERIFY(before.answer.library);
        const QString file = p.t.userDir.filePath("picked.ccproj");
        p.t.platform.saveAnswers.enqueue(file);
        QVERIFY(saveProject(*p.t.app, p.w, true));
        bytes = readFileBytes(file);
        // Only the picked device is copied into the file.
        const QJsonObject top = QJsonDocument::fromJson(bytes).object();
        QCOMPARE(top["version"].toInt(), 3);
        QCOMPARE(top["library"].toArray().size(), 1);
        QCOMPARE(top["library"].toArray()[0].toObject()["designation"].toString(), QString("AC-M"));
    }
    // Another machine: another user, no library at all.
    Program other;
    QVERIFY(UserLibrary::filePath() != library);
    QVERIFY(other.t.app->library().devices().isEmpty());
    const QString moved = other.t.userDir.filePath("picked.ccproj");
    writeFileBytes(moved, bytes);
    QVERIFY(openProjectFile(*other.t.app, other.w, moved));
    const CabinetEvaluation after = other.evaluation();
    QVERIFY(after.answer.library);
    QCOMPARE(after.answer.device->designation, QString("AC-M"));
    QCOMPARE(after.answer.library->capacity, before.answer.library->capacity);
    QCOMPARE(after.answer.library->margin, before.answer.library->margin);
    QCOMPARE(after.answer.library->maker, QString("Kälte GmbH"));
    // The window shows the pick, offered from the project's copy.
    QVERIFY(other.w->cboCabDevice->currentText().startsWith("AC-M"));
    QVERIFY(other.w->lblCabDevice->text().startsWith("선정 장비: AC-M"));
    // And saves it forward again.
    const ProjectReading again = ReadProject(other.session().fileBytes());
    QCOMPARE(again.project->library.size(), 1);
    QCOMPARE(again.project->cabinets[0].libraryDevice.designation, QString("AC-M"));
}

// ---- bad input ----------------------------------------------------------------------

void TestLibrary::badLibraryFiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");  // empty: read, read-only
    const auto file = [](const QByteArray& devices, int version = 1) {
        return QByteArray(R"({"format": "cabinetcool-library", "version": )") +
               QByteArray::number(version) + R"(, "devices": [)" + devices + "]}";
    };
    QTest::newRow("empty") << QByteArray() << "비어";
    QTest::newRow("not JSON") << QByteArray("{\"format\": ") << "JSON";
    QTest::newRow("a project file")
        << QByteArray(R"({"format": "cabinetcool-project", "version": 3, "cabinets": []})")
        << "라이브러리 파일이 아닙니다";
    QTest::newRow("capacity as text")
        << file(
               R"({"kind": "aircon", "designation": "A", "points": [{"ti": 35, "tu": 35, "capacity_w": "1000"}]})")
        << "devices[0]: points[0].capacity_w";
    QTest::newRow("capacity zero")
        << file(
               R"({"kind": "aircon", "designation": "A", "points": [{"ti": 35, "tu": 35, "capacity_w": 0}]})")
        << "0보다 커야";
    QTest::newRow("same point, two capacities")
        << file(
               R"({"kind": "aircon", "designation": "A", "points": [{"ti": 35, "tu": 35, "capacity_w": 1000}, {"ti": 35, "tu": 35, "capacity_w": 900}]})")
        << "같은 온도 L35/L35";
    QTest::newRow("heat exchanger at 0 W/K")
        << file(R"({"kind": "heat-exchanger", "designation": "H", "specific_w_per_k": 0})")
        << "비열출력";
    QTest::newRow("unknown kind") << file(R"({"kind": "chiller", "designation": "C"})")
                                  << "chiller";
    QTest::newRow("designation twice")
        << file(
               R"({"kind": "heater", "designation": "H", "power_w": 100}, {"kind": "heater", "designation": "H", "power_w": 200})")
        << "devices[1]";
    QTest::newRow("later version")
        << file(R"({"kind": "heater", "designation": "H", "power_w": 100, "future": 1})", 2)
        << QString();
    QTest::newRow("later version, broken") << file(R"({"kind": 7})", 2) << "버전 2";
}

void TestLibrary::badLibraryFiles() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const LibraryReading reading = ReadLibrary(bytes);
    if (message.isEmpty()) {
        QVERIFY2(reading.devices, qPrintable(reading.error));
        QVERIFY(reading.readOnly);
        return;
    }
    QVERIFY(!reading.devices);
    QVERIFY2(reading.error.contains(message), qPrintable(reading.error));
}

void TestLibrary::unreadableLibraryIsLeftAlone() {
    TestApp t;
    const QByteArray broken =
        R"({"format": "cabinetcool-library", "version": 1, "devices": [{"kind": "heater", "designation": "H", "power_w": -5}]})";
    writeFileBytes(UserLibrary::filePath(), broken);
    t.start();
    UserLibrary& library = t.app->library();
    QVERIFY(library.readOnly());
    QVERIFY(library.devices().isEmpty());
    QVERIFY2(library.problem().contains(QDir::toNativeSeparators(UserLibrary::filePath())) &&
                 library.problem().contains("출력"),
             qPrintable(library.problem()));
    // The window shows why, refuses edits, and never writes the file.
    frmLibrary* w = t.app->showWindow<frmLibrary>();
    QVERIFY(w->lblLibStatus->text().contains("읽을 수 없습니다"));
    w->cmdLibAdd->click();
    QVERIFY(w->devices().isEmpty());
    w->saveNow();
    t.app->unloadWindow(w);
    processDeferredDeletes();
    QCOMPARE(readFileBytes(UserLibrary::filePath()), broken);
}

void TestLibrary::csvRoundTrips() {
    LibraryDevice hx;
    hx.kind = "heat-exchanger";
    hx.designation = "HX, \"quoted\"";
    hx.maker = " Maker ";
    hx.specific = 17.5;
    LibraryDevice fan;
    fan.kind = "filter-fan";
    fan.designation = "FF-1";
    fan.flowFree = 120;
    fan.flowFilter = 95;
    LibraryDevice heater;
    heater.kind = "heater";
    heater.designation = "HT-1";
    heater.power = 250;
    const QList<LibraryDevice> devices = {grid(), hx, fan, heater};
    const QByteArray bytes = libraryCsvBytes(devices);
    QVERIFY(bytes.startsWith(
        "kind,designation,maker,ti,tu,capacity_w,specific_w_per_k,airflow_free_m3h,"
        "airflow_filter_m3h,power_w,tu_max\r\n"));
    QCOMPARE(bytes.count("AC-G"), 4);  // one row per point
    LibraryCsvReading back = readLibraryCsv(bytes);
    QVERIFY2(back.errors.isEmpty(), qPrintable(back.errors.join('\n')));
    QCOMPARE(back.devices, devices);
    // With a byte-order mark, LF line ends and the columns in another order.
    back = readLibraryCsv(
        "\xEF\xBB\xBF"
        "designation,kind,maker,ti,tu,capacity_w,specific_w_per_k,airflow_free_m3h,"
        "airflow_filter_m3h,power_w,tu_max\n"
        "HT-1,heater,,,,,,,,250,\n\n");
    QVERIFY2(back.errors.isEmpty(), qPrintable(back.errors.join('\n')));
    QCOMPARE(back.devices, QList<LibraryDevice>{heater});
}

void TestLibrary::badCsvRowsImportNothing_data() {
    QTest::addColumn<QByteArray>("rows");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("capacity not a number")
        << QByteArray("aircon,A,,35,35,1000,,,,,50\naircon,A,,35,50,1.2.3,,,,,50\n")
        << QStringList{"3행", "capacity_w \"1.2.3\""};
    QTest::newRow("decimal comma, quoted")
        << QByteArray("heater,H,,,,,,,,\"250,5\",\n") << QStringList{"2행", "power_w"};
    QTest::newRow("capacity at zero")
        << QByteArray("aircon,A,,35,35,0,,,,,50\n") << QStringList{"2행", "0보다 커야"};
    QTest::newRow("two capacities at one point")
        << QByteArray("aircon,A,,35,35,1000,,,,,50\naircon,A,,35,35,900,,,,,50\n")
        << QStringList{"3행", "같은 온도"};
    QTest::newRow("heat exchanger at 0 W/K")
        << QByteArray("heat-exchanger,H,,,,,0,,,,\n") << QStringList{"2행", "비열출력"};
    QTest::newRow("unknown kind") << QByteArray("chiller,C,,,,,,,,100,\n")
                                  << QStringList{"2행", "chiller"};
    QTest::newRow("point half filled")
        << QByteArray("aircon,A,,35,,1000,,,,,50\n") << QStringList{"2행", "ti, tu, capacity_w"};
    QTest::newRow("column of another kind")
        << QByteArray("heater,H,,,,,12,,,100,\n") << QStringList{"2행", "specific_w_per_k"};
    QTest::newRow("heater twice") << QByteArray("heater,H,,,,,,,,100,\nheater,H,,,,,,,,200,\n")
                                  << QStringList{"3행", "2행"};
    QTest::newRow("makers differ")
        << QByteArray("aircon,A,X,35,35,1000,,,,,50\naircon,A,Y,35,50,800,,,,,50\n")
        << QStringList{"3행", "제조사"};
    QTest::newRow("quote left open")
        << QByteArray("heater,\"H,,,,,,,,100,\n") << QStringList{"2행", "따옴표"};
    // A good row before and after: every bad row is listed, none imported.
    QTest::newRow("two bad rows among good")
        << QByteArray(
               "heater,H1,,,,,,,,100,\nheater,H2,,,,,,,,x,\nheater,H3,,,,,,,,-1,\n"
               "heater,H4,,,,,,,,100,\n")
        << QStringList{"3행", "4행"};
}

void TestLibrary::badCsvRowsImportNothing() {
    QFETCH(QByteArray, rows);
    QFETCH(QStringList, messages);
    const LibraryCsvReading reading = readLibraryCsv(
        "kind,designation,maker,ti,tu,capacity_w,specific_w_per_k,airflow_free_m3h,"
        "airflow_filter_m3h,power_w,tu_max\n" +
        rows);
    QVERIFY(reading.devices.isEmpty());
    const QString errors = reading.errors.join('\n');
    for (const QString& m : messages) QVERIFY2(errors.contains(m), qPrintable(errors));
    QVERIFY(!readLibraryCsv("kind,designation\nheater,H\n").errors.isEmpty());
}

// ---- the start-up note -----------------------------------------------------------------

void TestLibrary::startUpNoteNamesUnmatchedModelLines() {
    {
        TestApp t;
        Form1* form = t.start();
        QVERIFY(form->lblStatusNote->isHidden());
        QVERIFY(form->lblStatusNote->text().isEmpty());
    }
    QByteArray ini = shippedIni();
    ini.replace("VKA-1600AR=1600", "VKA-1600AR=1500");
    ini.replace("[Aircon-Model]", "[Aircon-Model]\nMYAC-1400=1450");
    ini.replace("VK-170=8", "VK-170=8\nMYFAN=9");
    TestApp t(ini);
    Form1* form = t.start();
    QVERIFY(!form->lblStatusNote->isHidden());
    QVERIFY2(form->lblStatusNote->text().contains("3개"), qPrintable(form->lblStatusNote->text()));
    QVERIFY(!form->lblStatusNote->toolTip().isEmpty());
    // The link shows the whole note.
    emit form->lblStatusNote->linkActivated("#");
    QCOMPARE(t.platform.messages.size(), 1);
    const QString note = t.platform.messages.first();
    for (const char* part : {"VKA-1600AR=1500", "\"VKA-1500BR\"", "MYAC-1400=1450", "MYFAN=9",
                             "능력 값에서 만듭니다", "장비 라이브러리"})
        QVERIFY2(note.contains(QString::fromUtf8(part)), qPrintable(note));
    // Lines shown as written, the variants of one capacity among them, are
    // not named.
    QVERIFY2(!note.contains("VKA-500AR") && !note.contains("VKA-1600BR"), qPrintable(note));
}

// ---- the windows ---------------------------------------------------------------------------

void TestLibrary::windowEditsAndProjectPicks() {
    Program p;
    // Nothing offered yet: the project window says so.
    QCOMPARE(p.w->cboCabDevice->count(), 1);
    QVERIFY(p.w->cboCabDevice->itemText(0).startsWith("기본 목록: VKA-"));
    p.w->cmdLibrary->click();
    frmLibrary* w = p.t.app->loadedWindow<frmLibrary>();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QString("장비 라이브러리"));
    QVERIFY(w->lblLibStatus->text().contains("비어"));

    w->cmdLibAdd->click();
    QCOMPARE(w->tblLibrary->rowCount(), 1);
    type(w->txtLibDesignation, "AC-1500");
    type(w->txtLibMaker, "Kälte GmbH");
    QVERIFY(w->tblLibPoints->isEnabled());
    QVERIFY(!w->txtLibSpecific->isEnabled());
    setCell(w->tblLibPoints, 0, 0, "35");
    setCell(w->tblLibPoints, 0, 1, "35");
    setCell(w->tblLibPoints, 0, 2, "1500");
    QCOMPARE(w->tblLibPoints->rowCount(), 2);  // an empty row to write the next into
    setCell(w->tblLibPoints, 1, 0, "35");
    setCell(w->tblLibPoints, 1, 1, "50");
    setCell(w->tblLibPoints, 1, 2, "1200.5");
    type(w->txtLibTuMax, "55");
    QCOMPARE(w->tblLibrary->item(0, 4)->text(), QString("사용 가능"));
    w->saveNow();
    LibraryReading saved = ReadLibrary(readFileBytes(UserLibrary::filePath()));
    QVERIFY2(saved.devices, qPrintable(saved.error));
    QCOMPARE(saved.devices->size(), 1);
    const LibraryDevice& d = saved.devices->first();
    QCOMPARE(d.designation, QString("AC-1500"));
    QCOMPARE(d.maker, QString("Kälte GmbH"));
    QCOMPARE(d.points, (QList<LibraryPoint>{{35, 35, 1500}, {35, 50, 1200.5}}));
    QCOMPARE(d.tuMax, std::optional<double>(55));

    // The project window offers it at the cabinet's operating point.
    QCOMPARE(p.w->cboCabDevice->count(), 2);
    QVERIFY2(p.w->cboCabDevice->itemText(1).startsWith("AC-1500 (Kälte GmbH) — 1400 W"),
             qPrintable(p.w->cboCabDevice->itemText(1)));
    QVERIFY(p.pick("AC-1500"));
    const CabinetEvaluation e = p.evaluation();
    QCOMPARE(e.answer.device->designation, QString("AC-1500"));
    QVERIFY(p.w->lblCabDevice->text().startsWith("선정 장비: AC-1500"));
    QCOMPARE(p.w->tblProjCabinets->item(0, 9)->text(), QString("AC-1500"));
    QVERIFY(p.session().modified());

    // An edit of the device reaches the project's copy and the answer.
    w->tblLibrary->setCurrentCell(0, 1);
    setCell(w->tblLibPoints, 1, 2, "1000");
    w->saveNow();
    QCOMPARE(p.session().project().library.first().points[1].capacity, 1000.0);
    QVERIFY(std::fabs(p.evaluation().answer.library->capacity - (1500 - 500.0 / 3)) < 1e-9);

    // Back to the built-in lists.
    QVERIFY(p.pick("기본 목록"));
    QVERIFY(!p.session().current().libraryDevice.picked());
    QVERIFY(!p.evaluation().answer.library);

    // Escape closes the window; the library stays saved.
    QTest::keyClick(w, Qt::Key_Escape);
    processDeferredDeletes();
    QVERIFY(!p.t.app->loadedWindow<frmLibrary>());
    QCOMPARE(ReadLibrary(readFileBytes(UserLibrary::filePath())).devices->size(), 1);
}

void TestLibrary::windowMarksBadInputAndKeepsTheLast() {
    Program p({grid(), aircon("AC-2", {{35, 35, 500}, {35, 50, 400}}, 50)});
    frmLibrary* w = p.t.app->showWindow<frmLibrary>();
    QCOMPARE(w->tblLibrary->rowCount(), 2);
    w->tblLibrary->setCurrentCell(0, 1);
    QCOMPARE(w->txtLibDesignation->text(), QString("AC-G"));
    // A number read in part, a capacity at zero, two capacities at one point.
    setCell(w->tblLibPoints, 0, 2, "1,5");
    QVERIFY(cellMarked(w->tblLibPoints, 0, 2));
    QCOMPARE(w->devices()[0].points, grid().points);
    setCell(w->tblLibPoints, 0, 2, "0");
    QVERIFY(cellMarked(w->tblLibPoints, 0, 2));
    setCell(w->tblLibPoints, 0, 2, "1000");
    QVERIFY(!cellMarked(w->tblLibPoints, 0, 2));
    setCell(w->tblLibPoints, 4, 0, "35");
    setCell(w->tblLibPoints, 4, 1, "35");
    setCell(w->tblLibPoints, 4, 2, "999");
    QVERIFY(cellMarked(w->tblLibPoints, 4, 2));
    QVERIFY(w->lblLibStatus->text().contains("냉각 능력이 다릅니다"));
    QCOMPARE(w->devices()[0].points, grid().points);
    setCell(w->tblLibPoints, 4, 2, "");
    setCell(w->tblLibPoints, 4, 1, "");
    setCell(w->tblLibPoints, 4, 0, "");
    QCOMPARE(w->devices()[0].points, grid().points);

    // Fields: text that is not one number, a designation used twice.
    type(w->txtLibTuMax, "55 °C");
    QVERIFY(!w->txtLibTuMax->styleSheet().isEmpty());
    QVERIFY(w->txtLibTuMax->toolTip().contains("55 °C"));
    QCOMPARE(w->devices()[0].tuMax, std::optional<double>(55));
    type(w->txtLibDesignation, "AC-2");
    QVERIFY(!w->txtLibDesignation->styleSheet().isEmpty());
    QCOMPARE(w->devices()[0].designation, QString("AC-G"));
    type(w->txtLibDesignation, "AC-G2");
    QVERIFY(w->txtLibDesignation->styleSheet().isEmpty());
    QCOMPARE(w->devices()[0].designation, QString("AC-G2"));

    // Another kind: the heat exchanger's W/K must be above zero.
    w->cboLibKind->setCurrentIndex(w->cboLibKind->findData("heat-exchanger"));
    emit w->cboLibKind->activated(w->cboLibKind->currentIndex());
    QVERIFY(w->txtLibSpecific->isEnabled());
    QVERIFY(!w->tblLibPoints->isEnabled());
    type(w->txtLibSpecific, "-3");
    QVERIFY(!w->txtLibSpecific->styleSheet().isEmpty());
    QVERIFY(!w->devices()[0].specific);
    type(w->txtLibSpecific, "35.5");
    QCOMPARE(w->devices()[0].specific, std::optional<double>(35.5));

    // Duplicate and remove (asked first).
    w->cmdLibDuplicate->click();
    QCOMPARE(w->devices().size(), 3);
    QCOMPARE(w->devices()[1].designation, QString("AC-G2 복사"));
    p.t.platform.questionAnswers.enqueue(1);  // 취소
    w->cmdLibRemove->click();
    QCOMPARE(w->devices().size(), 3);
    p.t.platform.questionAnswers.enqueue(0);
    w->cmdLibRemove->click();
    QCOMPARE(w->devices().size(), 2);
    w->cmdLibExit->click();
    processDeferredDeletes();
    const LibraryReading saved = ReadLibrary(readFileBytes(UserLibrary::filePath()));
    QCOMPARE(saved.devices->size(), 2);
    QCOMPARE(saved.devices->first().specific, std::optional<double>(35.5));
}

void TestLibrary::windowImportsAndExports() {
    Program p({grid()});
    frmLibrary* w = p.t.app->showWindow<frmLibrary>();
    const QString good = p.t.userDir.filePath("maker.csv");
    writeFileBytes(good,
                   "kind,designation,maker,ti,tu,capacity_w,specific_w_per_k,airflow_free_m3h,"
                   "airflow_filter_m3h,power_w,tu_max\n"
                   "aircon,AC-G,,35,35,1100,,,,,55\naircon,AC-G,,35,50,900,,,,,55\n"
                   "heater,HT-1,,,,,,,,250,\n");
    p.t.platform.openAnswers.enqueue(good);
    w->cmdLibImport->click();
    QCOMPARE(w->devices().size(), 2);
    QCOMPARE(w->devices()[0].points.first().capacity, 1100.0);  // replaced
    QVERIFY(w->lblLibStatus->text().contains("1개를 더하고 1개를 바꿨습니다"));

    const QString bad = p.t.userDir.filePath("bad.csv");
    writeFileBytes(
        bad,
        "kind,designation,maker,ti,tu,capacity_w,specific_w_per_k,airflow_free_m3h,"
        "airflow_filter_m3h,power_w,tu_max\nheater,HT-2,,,,,,,,100,\nheater,HT-3,,,,,,,,0,\n");
    p.t.platform.openAnswers.enqueue(bad);
    w->cmdLibImport->click();
    QCOMPARE(w->devices().size(), 2);
    QCOMPARE(p.t.platform.messages.size(), 1);
    QVERIFY(p.t.platform.messages.first().contains("3행"));
    QVERIFY(p.t.platform.messages.first().contains(QDir::toNativeSeparators(bad)));

    const QString out = p.t.userDir.filePath("out.csv");
    p.t.platform.saveAnswers.enqueue(out);
    w->cmdLibExport->click();
    const LibraryCsvReading back = readLibraryCsv(readFileBytes(out));
    QCOMPARE(back.devices, w->devices());
}

// ---- the report ------------------------------------------------------------------------------

void TestLibrary::reportLine() {
    TestApp t;
    t.start();
    DesignTables tables = loadDesignTables(*t.app);
    tables.library = offerLibrary();
    Cabinet c = startUp();
    c.libraryDevice = {"AC-M", 1};
    const CabinetEvaluation e = evaluateCabinet(c, tables);
    const DesignReport r =
        designReportOf(*t.app, ProjectInfo{}, c, e, QDateTime::currentDateTime());
    QCOMPARE(r.summary.libraryDevice,
             QString("선정 장비: AC-M (Kälte GmbH), 운전점 Ti 35 °C / Tu 40 °C에서 1400 W, 여유 "
                     "125 W (9.8 %)"));
    QCOMPARE(r.summary.model, QString("AC-M"));
    QVERIFY(r.summary.modelRating.contains("L35/L35"));
    QVERIFY(r.methods.join('\n').contains("선형 보간"));
    // Three units of a smaller one: the capacity is one unit's.
    c.libraryDevice = {"AC-S", 3};
    const DesignReport three = designReportOf(*t.app, ProjectInfo{}, c, evaluateCabinet(c, tables),
                                              QDateTime::currentDateTime());
    QVERIFY2(three.summary.libraryDevice.startsWith("선정 장비: AC-S × 3, 운전점 Ti 35 °C / Tu 40 "
                                                    "°C에서 633 W (한 대), 여유 625 W (49 %)"),
             qPrintable(three.summary.libraryDevice));
    QCOMPARE(three.summary.model, QString("AC-S × 3"));
    // Without a pick, no such line.
    QVERIFY(designReportOf(*t.app, ProjectInfo{}, startUp(), evaluateCabinet(startUp(), tables),
                           QDateTime::currentDateTime())
                .summary.libraryDevice.isEmpty());
}

QTEST_MAIN(TestLibrary)
#include "tst_library.moc"
