#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

#include "CommaLocale.h"
#include "TestApp.h"
#include "climate/ClimateCommands.h"
#include "climate/InstallationPictogram.h"
#include "climate/frmClimate.h"

namespace {

const QString kDash = QStringLiteral("—");

QByteArray fixture(const char* name) {
    QFile file(QStringLiteral(CC_TEST_DATA_DIR "/climate/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read fixture %s", name);
    return file.readAll();
}

// The main window started on `ini`, and the climate window opened from its
// button as a user opens it.
struct ClimateWindow {
    explicit ClimateWindow(const QByteArray& ini = fixture("models.ini"),
                           const std::function<void(Form1*)>& before = {})
        : t(ini) {
        form = t.start();
        if (before) before(form);
        open();
    }
    void open() {
        form->cmdClimate->click();
        w = t.app->loadedWindow<frmClimate>();
        if (!w) qFatal("the climate window did not open");
    }
    QLineEdit* field(const QString& name) const {
        auto* f = w->findChild<QLineEdit*>(name);
        if (!f) qFatal("no field %s", qPrintable(name));
        return f;
    }
    QString text(const QString& name) const { return field(name)->text(); }
    QString tip(const QString& name) const { return field(name)->toolTip(); }
    // Types into a field as a user does: every edit is a change.
    void type(const QString& name, const QString& text) const {
        QLineEdit* f = field(name);
        QApplication::setActiveWindow(w);
        f->setFocus();
        f->selectAll();
        QTest::keyClicks(f, text);
        if (text.isEmpty()) QTest::keyClick(f, Qt::Key_Delete);
    }
    void set(const QString& name, const QString& text) const { field(name)->setText(text); }
    QString status() const { return w->lblClimStatus->text(); }

    TestApp t;
    Form1* form = nullptr;
    frmClimate* w = nullptr;
};

using Edits = QList<QPair<QString, QString>>;

void applyEdits(const ClimateWindow& c, const Edits& edits) {
    for (const auto& [name, text] : edits) c.set(name, text);
}

// Every text the window shows, to look for what must never be shown.
QStringList shownTexts(const QWidget* w) {
    QStringList texts;
    for (const QLineEdit* f : w->findChildren<QLineEdit*>()) texts << f->text() << f->toolTip();
    for (const QLabel* l : w->findChildren<QLabel*>()) texts << l->text();
    return texts;
}

const QList<CabinetField> kAllFields = {
    CabinetField::Height,       CabinetField::Width,        CabinetField::Depth,
    CabinetField::SurfaceArea,  CabinetField::InternalHeat, CabinetField::T1,
    CabinetField::T2,           CabinetField::T3,           CabinetField::T4,
    CabinetField::UValue,       CabinetField::CoolingPower, CabinetField::ModelName,
    CabinetField::ModelCapacity};

}  // namespace

class TestClimate : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void buttonInEveryModeAndOnPaper();
    void openingCopiesTheMainWindow();
    void openWindowIsOnlyRaised();
    void editingNeverChangesTheMainWindow();
    void installationTypes_data();
    void installationTypes();
    void pictogramsShowEachType();
    void workedExample_data();
    void workedExample();
    void notApplicable_data();
    void notApplicable();
    void dewPoint_data();
    void dewPoint();
    void badInput_data();
    void badInput();
    void modelPicks_data();
    void modelPicks();
    void sunlitAreaFollowsTheSizeUntilTyped();
    void reportButtonAndValues();
    void exitClosesOnlyThisWindow();
    void preparedWindowOpensAsAFreshOne();
};

void TestClimate::initTestCase() {
    // QApplication has set the locale from the environment, as in the program.
    if (commaLocaleRunRequested()) {
        QVERIFY2(decimalPointIsComma(),
                 qPrintable("this run needs the comma locale, the decimal point is \"" +
                            QString::fromStdString(currentDecimalPoint()) + "\""));
    }
}

// The button sits in free room of the main window in every mode, and a
// print, which hides the screen-only buttons, keeps it.
void TestClimate::buttonInEveryModeAndOnPaper() {
    TestApp t;
    Form1* form = t.start();
    QPushButton* button = form->cmdClimate;
    QCOMPARE(button->objectName(), QStringLiteral("cmdClimate"));
    QCOMPARE(button->text(), QStringLiteral("상세 설계"));
    QVERIFY(!form->screenOnlyButtons().contains(button));
    bool onPaper = false;
    bool printHidden = false;
    t.platform.onPrintDialog = [&](QWidget*) {
        onPaper = button->isVisible();
        printHidden = !form->cmdPrint->isVisible();
    };
    form->cmdPrint->click();
    QVERIFY(printHidden);  // the print is under way, screen-only buttons hidden
    QVERIFY(onPaper);
    for (SelectionMode mode : {SelectionMode::Aircon, SelectionMode::Fan1, SelectionMode::Fan2}) {
        form->selectMode(mode);
        QVERIFY(button->isVisibleTo(form));
        for (QWidget* other :
             button->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (other == button || !other->isVisibleTo(form)) continue;
            QVERIFY2(
                !other->geometry().intersects(button->geometry()),
                qPrintable(QStringLiteral("overlaps %1 '%2'")
                               .arg(other->objectName(), qobject_cast<QLabel*>(other)
                                                             ? qobject_cast<QLabel*>(other)->text()
                                                             : QString())));
        }
    }
}

void TestClimate::openingCopiesTheMainWindow() {
    ClimateWindow c(fixture("models.ini"), [](Form1* f) {
        f->selectMaterial(1);  // resin, 3.7
        f->txtHeight->setText(QStringLiteral("1.8"));
        f->txtWidth->setText(QStringLiteral(" 0.8 "));
        f->txtDepth->setText(QStringLiteral("0.5m"));
        f->txtPP->setText(QStringLiteral("750W"));
        f->txtT1->setText(QStringLiteral("45"));
        f->txtT2->setText(QStringLiteral("12,5"));  // reads as 12, as everywhere
    });
    QCOMPARE(c.w->windowTitle(), QStringLiteral("제어반 상세 기후 설계"));
    QVERIFY(c.w->isVisible());
    const QList<QPair<const char*, const char*>> expected = {
        {"txtClimH", "1.8"},        {"txtClimW", "0.8"},
        {"txtClimD", "0.5"},        {"txtClimP", "750"},
        {"txtClimK", "3.7"},        {"txtClimTu", "45"},
        {"txtClimTi", "12"},        {"txtClimAlt", "0"},
        {"txtClimTuMin", "-10"},    {"txtClimTiMin", "10"},
        {"txtClimPMin", "0"},       {"txtClimRH", "60"},
        {"txtClimSunE", "800"},     {"txtClimSunAbs", "0.5"},
        {"txtClimSunArea", "1.84"},  // 0.8·0.5 + 0.8·1.8
        {"txtClimMargin", "10"}};
    for (const auto& [name, text] : expected)
        QCOMPARE(c.text(QString::fromLatin1(name)), QString::fromUtf8(text));
    QCOMPARE(c.w->cboClimInstall->currentIndex(), 1);
    QCOMPARE(c.w->cboClimInstall->count(), 8);
    QCOMPARE(c.w->cboClimInstall->itemText(0), QStringLiteral("모든 면 (기본 계산)"));
    QVERIFY(!c.w->chkClimSun->isChecked());
    QVERIFY(!c.field(QStringLiteral("txtClimSunE"))->isEnabled());
    // Computed at once: type 1, A = 1.8·1.8·(0.8+0.5) + 1.4·0.8·0.5 = 4.212 + 0.56.
    QCOMPARE(c.text(QStringLiteral("txtClimA")), QStringLiteral("4.77"));
    QCOMPARE(c.tip(QStringLiteral("txtClimA")), QStringLiteral("4.772 ㎡"));
}

void TestClimate::openWindowIsOnlyRaised() {
    ClimateWindow c;
    c.type(QStringLiteral("txtClimH"), QStringLiteral("3"));
    c.form->txtHeight->setText(QStringLiteral("1"));
    c.form->cmdClimate->click();
    QCOMPARE(c.t.app->loadedWindow<frmClimate>(), c.w);
    QCOMPARE(c.text(QStringLiteral("txtClimH")), QStringLiteral("3"));
}

void TestClimate::editingNeverChangesTheMainWindow() {
    ClimateWindow c;
    c.form->cmdCal->click();  // results in the main window too
    QMap<CabinetField, QString> before;
    for (CabinetField f : kAllFields) before[f] = c.form->fieldText(f);
    const int messages = c.t.platform.messages.size();

    for (QLineEdit* f : c.w->findChildren<QLineEdit*>()) {
        if (f->isReadOnly()) continue;
        c.type(f->objectName(), QStringLiteral("7.5"));
    }
    c.w->chkClimSun->click();
    for (int i = 0; i < c.w->cboClimInstall->count(); ++i) c.w->cboClimInstall->setCurrentIndex(i);
    c.w->cmdClimateReport->click();

    for (CabinetField f : kAllFields) QCOMPARE(c.form->fieldText(f), before[f]);
    QCOMPARE(c.form->selectedMode(), SelectionMode::Aircon);
    QVERIFY(c.form->optSel[0]->isChecked());
    QCOMPARE(c.t.platform.messages.size(), messages);  // the window tells its findings itself
}

// The main window's cabinet (H 2, W 1, D 0.6, P 1100, k 5, Tu 40, Ti 35) in
// each position. The walls take heat in (Ti < Tu): Qs = 5·A·(35 − 40) = −25·A,
// cooling (1100 + 25·A)·1.1, and the first air conditioner above it is the
// 1600 W one.
void TestClimate::installationTypes_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("area");
    QTest::addColumn<QString>("wallHeatTip");
    QTest::addColumn<QString>("coolingTip");
    // 2·0.6·2 + 2·2·1 + 0.6·1
    QTest::newRow("0 every face") << 0 << "7"
                                  << "-175 W"
                                  << "1402.5 W";
    // 1.8·2·1.6 + 1.4·1·0.6
    QTest::newRow("1 single, free") << 1 << "6.6"
                                    << "-165 W"
                                    << "1391.5 W";
    // 1.4·1·2.6 + 1.8·0.6·2
    QTest::newRow("2 single, wall") << 2 << "5.8"
                                    << "-145 W"
                                    << "1369.5 W";
    // 1.4·0.6·3 + 1.8·1·2
    QTest::newRow("3 end of row") << 3 << "6.12"
                                  << "-153 W"
                                  << "1378.3 W";
    // 1.4·2·1.6 + 1.4·1·0.6
    QTest::newRow("4 end of row, wall") << 4 << "5.32"
                                        << "-133 W"
                                        << "1356.3 W";
    // 1.8·1·2 + 1.4·1·0.6 + 0.6·2
    QTest::newRow("5 middle of row") << 5 << "5.64"
                                     << "-141 W"
                                     << "1365.1 W";
    // 1.4·1·2.6 + 0.6·2
    QTest::newRow("6 middle, wall") << 6 << "4.84"
                                    << "-121 W"
                                    << "1343.1 W";
    // 1.4·1·2 + 0.7·1·0.6 + 0.6·2
    QTest::newRow("7 middle, wall, roof") << 7 << "4.42"
                                          << "-110.5 W"
                                          << "1331.55 W";
}

void TestClimate::installationTypes() {
    QFETCH(int, type);
    QFETCH(QString, area);
    QFETCH(QString, wallHeatTip);
    QFETCH(QString, coolingTip);
    ClimateWindow c;
    // From another type, so that the choice is a change.
    c.w->cboClimInstall->setCurrentIndex(type == 1 ? 0 : 1);
    c.w->cboClimInstall->setCurrentIndex(type);
    QCOMPARE(c.text(QStringLiteral("txtClimA")), area);
    QCOMPARE(c.tip(QStringLiteral("txtClimA")), area + QStringLiteral(" ㎡"));
    QCOMPARE(c.tip(QStringLiteral("txtClimQs")), wallHeatTip);
    QCOMPARE(c.tip(QStringLiteral("txtClimCool")), coolingTip);
    QCOMPARE(c.text(QStringLiteral("txtClimCoolModel")), QStringLiteral("VKA-1600BR"));
    QCOMPARE(c.w->installationType(), type);
    QCOMPARE(c.w->installationCaption(), c.w->cboClimInstall->currentText());
    QVERIFY(c.w->findChild<QLabel*>(QStringLiteral("lblClimFormula"))
                ->text()
                .contains(QStringLiteral("A = ")));
}

// Each type's drawing: the wall behind, the neighbours beside and the cover
// over the roof appear exactly where that type has them, shaded; the combo
// box shows each drawing as its item's icon.
void TestClimate::pictogramsShowEachType() {
    struct Probe {
        QPointF grid;  // on the drawing's 64 × 48 grid
        const char* what;
        bool (*covered)(const CoveredFaces&);
    };
    const Probe probes[] = {
        {{5, 3}, "wall behind", [](const CoveredFaces& f) { return f.back; }},
        {{15, 40}, "left neighbour", [](const CoveredFaces& f) { return f.left; }},
        {{57.5, 39}, "right neighbour", [](const CoveredFaces& f) { return f.right; }},
        {{30, 14.5}, "roof cover", [](const CoveredFaces& f) { return f.roof; }},
    };
    const int expectedCovered[8] = {0, 0, 1, 1, 2, 2, 3, 4};  // faces covered per type
    ClimateWindow c;
    QList<QImage> images;
    for (int type = 0; type < 8; ++type) {
        const CoveredFaces faces = coveredFaces(type);
        QCOMPARE(int(faces.back) + int(faces.left) + int(faces.right) + int(faces.roof),
                 expectedCovered[type]);
        const QPixmap pixmap = installationPictogram(type, QSize(64, 48), 2.0);
        QCOMPARE(pixmap.size(), QSize(128, 96));  // drawn at the device pixel ratio
        QCOMPARE(pixmap.devicePixelRatio(), 2.0);
        const QImage image = pixmap.toImage();
        for (const Probe& p : probes) {
            const QColor color = image.pixelColor((p.grid * 2).toPoint());
            const bool shaded = color.alpha() > 200 && color.red() < 200;
            QVERIFY2(
                shaded == p.covered(faces),
                qPrintable(QStringLiteral("type %1, %2").arg(type).arg(QLatin1String(p.what))));
        }
        for (const QImage& other : images) QVERIFY(other != image);
        images << image;
        const QIcon icon = c.w->cboClimInstall->itemIcon(type);
        QCOMPARE(icon.pixmap(QSize(36, 27), 2.0).size(), QSize(72, 54));
        QImage drawn = installationPictogram(type, QSize(72, 54), 1.0).toImage();
        drawn.setDevicePixelRatio(2.0);
        QCOMPARE(icon.pixmap(QSize(36, 27), 2.0).toImage(), drawn);
    }
}

// A wall-mounted cabinet in the sun, warmer inside than out, worked by hand:
// A = 1.4·0.8·(2 + 0.5) + 1.8·0.5·2 = 4.6 m²; Qs = 5.5·4.6·(45 − 35) = 253 W;
// sunlit area 0.8·0.5 + 0.8·2 = 2 m², Qsun = 0.5·800·2 = 800 W;
// cooling (800 − 253 + 800)·1.1 = 1481.7 W; W/K (800 + 800 − 253)/10·1.1 = 148.17;
// heater 5.5·4.6·(10 − (−10)) = 506 W; dew point at 45 °C and 60 % by Magnus
// 35.39 °C, above the 10 °C the cabinet may fall to.
// Airflow: 3.1·148.17 = 459.3 m³/h = 270.3 cfm at sea level. At 2000 m the
// standard atmosphere's density is 1.0066 kg/m³ against 1.2250 (ICAO table),
// f = 3.1·1.2250/1.0066 = 3.77: 559.0 m³/h = 329.0 cfm.
void TestClimate::workedExample_data() {
    QTest::addColumn<QString>("altitude");
    QTest::addColumn<QString>("flow");
    QTest::addColumn<QString>("cfm");
    QTest::addColumn<QString>("factor");
    QTest::addColumn<QString>("filterFan");
    QTest::newRow("sea level") << "0"
                               << "459"
                               << "270"
                               << "f = 3.1 "
                               << "FF-500";
    QTest::newRow("2000 m") << "2000"
                            << "559"
                            << "329"
                            << "f = 3.77 "
                            << "FF-800";
}

void TestClimate::workedExample() {
    QFETCH(QString, altitude);
    QFETCH(QString, flow);
    QFETCH(QString, cfm);
    QFETCH(QString, factor);
    QFETCH(QString, filterFan);
    ClimateWindow c;
    c.w->cboClimInstall->setCurrentIndex(2);
    c.w->chkClimSun->click();
    const Edits edits = {{"txtClimH", "2"},   {"txtClimW", "0.8"},     {"txtClimD", "0.5"},
                         {"txtClimP", "800"}, {"txtClimK", "5.5"},     {"txtClimTu", "35"},
                         {"txtClimTi", "45"}, {"txtClimAlt", altitude}};
    for (const auto& [name, text] : edits) c.type(name, text);

    const QList<std::array<const char*, 3>> expected = {
        {"txtClimSunArea", "2", nullptr},    {"txtClimA", "4.6", "4.6 ㎡"},
        {"txtClimQs", "253", "253 W"},       {"txtClimQsun", "800", "800 W"},
        {"txtClimCool", "1482", "1481.7 W"}, {"txtClimCoolModel", "VKA-1600BR", nullptr},
        {"txtClimQw", "148", "148.17 W/K"},  {"txtClimFanModel", "VK-360", nullptr},
        {"txtClimHeater", "506", "506 W"},   {"txtClimHeaterModel", "HT-600", nullptr},
        {"txtClimDew", "35.4", nullptr},
    };
    for (const auto& [name, text, tip] : expected) {
        QCOMPARE(c.text(QString::fromLatin1(name)), QString::fromUtf8(text));
        if (tip) QCOMPARE(c.tip(QString::fromLatin1(name)), QString::fromUtf8(tip));
    }
    QCOMPARE(c.text(QStringLiteral("txtClimFlow")), flow);
    QCOMPARE(c.text(QStringLiteral("txtClimFlowCfm")), cfm);
    QCOMPARE(c.text(QStringLiteral("txtClimFlowModel")), filterFan);
    QVERIFY2(c.w->lblClimFlowFactor->text().contains(factor),
             qPrintable(c.w->lblClimFlowFactor->text()));
    QVERIFY(c.w->lblClimCondensation->isVisibleTo(c.w));
    QVERIFY(c.w->condensationRisk());
    QCOMPARE(c.status(), QStringLiteral("모든 결과가 계산되었습니다."));
}

// Results that do not apply show "—", say why in their tooltip and in the
// status line; the others are still shown.
void TestClimate::notApplicable_data() {
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<QStringList>("dashed");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("note");
    const QString noFan = QStringLiteral("외기보다 낮게는 냉각할 수 없으니");
    const QStringList fanResults = {"txtClimQw", "txtClimFanModel", "txtClimFlow", "txtClimFlowCfm",
                                    "txtClimFlowModel"};
    QTest::newRow("inside cooler than ambient")
        << Edits{} << fanResults << QStringList{"txtClimCool", "txtClimHeater"} << noFan;
    QTest::newRow("inside as warm as ambient") << Edits{{"txtClimTi", "40"}} << fanResults
                                               << QStringList{"txtClimCool", "txtClimQs"} << noFan;
    // Walls lose 5·6.6·15 = 495 W, more than the 100 W inside.
    QTest::newRow("walls shed all the heat")
        << Edits{{"txtClimP", "100"}, {"txtClimTi", "55"}}
        << QStringList{"txtClimCoolModel", "txtClimFanModel", "txtClimFlowModel"}
        << QStringList{"txtClimCool", "txtClimQw", "txtClimFlow"}
        << QStringLiteral("필요하지 않습니다");
    QTest::newRow("mild winter") << Edits{{"txtClimTuMin", "12"}}
                                 << QStringList{"txtClimHeaterModel"}
                                 << QStringList{"txtClimHeater"} << QStringLiteral("히터: ");
    // 5·6.6·20 = 660 W of loss against 1000 W still running.
    QTest::newRow("equipment keeps it warm")
        << Edits{{"txtClimPMin", "1000"}} << QStringList{"txtClimHeaterModel"}
        << QStringList{"txtClimHeater"} << QStringLiteral("히터: ");
}

void TestClimate::notApplicable() {
    QFETCH(Edits, edits);
    QFETCH(QStringList, dashed);
    QFETCH(QStringList, shown);
    QFETCH(QString, note);
    ClimateWindow c;
    applyEdits(c, edits);
    for (const QString& name : dashed) {
        QCOMPARE(c.text(name), kDash);
        QVERIFY2(!c.tip(name).isEmpty(), qPrintable(name));
    }
    for (const QString& name : shown)
        QVERIFY2(c.text(name) != kDash && !c.text(name).isEmpty(), qPrintable(name));
    QVERIFY2(c.status().contains(note), qPrintable(c.status()));
    if (QTest::currentDataTag() == QByteArray("mild winter") ||
        QTest::currentDataTag() == QByteArray("equipment keeps it warm"))
        QCOMPARE(c.text(QStringLiteral("txtClimHeater")), QStringLiteral("0"));
}

// Dew point by Magnus (a = 17.27, b = 237.7 °C), above and below freezing,
// and the warning when the cabinet may cool to it.
void TestClimate::dewPoint_data() {
    QTest::addColumn<QString>("inside");
    QTest::addColumn<QString>("humidity");
    QTest::addColumn<QString>("insideMin");
    QTest::addColumn<QString>("dew");
    QTest::addColumn<bool>("warning");
    QTest::newRow("summer, cool night") << "35"
                                        << "60"
                                        << "10"
                                        << "26" << true;  // 26.05
    QTest::newRow("summer, warm night") << "35"
                                        << "60"
                                        << "27"
                                        << "26" << false;
    QTest::newRow("below freezing") << "5"
                                    << "50"
                                    << "-5"
                                    << "-4.6" << true;  // -4.55
    QTest::newRow("below freezing, kept warm") << "5"
                                               << "50"
                                               << "-4"
                                               << "-4.6" << false;
    QTest::newRow("saturated air") << "20"
                                   << "100"
                                   << "19.9"
                                   << "20" << true;
}

void TestClimate::dewPoint() {
    QFETCH(QString, inside);
    QFETCH(QString, humidity);
    QFETCH(QString, insideMin);
    QFETCH(QString, dew);
    QFETCH(bool, warning);
    ClimateWindow c;
    applyEdits(c, {{"txtClimTi", inside}, {"txtClimRH", humidity}, {"txtClimTiMin", insideMin}});
    QCOMPARE(c.text(QStringLiteral("txtClimDew")), dew);
    QCOMPARE(c.w->lblClimCondensation->isVisibleTo(c.w), warning);
    QCOMPARE(c.w->condensationRisk(), warning);
    if (warning) QVERIFY(c.w->lblClimCondensation->text().startsWith(QStringLiteral("결로 위험")));
}

// Nonsense never reaches a result: the results that depend on it show "—",
// the status line says what to correct, and no inf or nan appears anywhere.
void TestClimate::badInput_data() {
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<bool>("sun");
    QTest::addColumn<QStringList>("dashed");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("note");
    const QString size = QStringLiteral("높이·폭·깊이는 0보다 커야 합니다.");
    const QStringList areaResults = {"txtClimA", "txtClimQs", "txtClimCool", "txtClimCoolModel",
                                     "txtClimHeater"};
    const QStringList unaffected = {"txtClimDew", "txtClimQsun"};
    QTest::newRow("zero height") << Edits{{"txtClimH", "0"}} << false << areaResults << unaffected
                                 << size;
    QTest::newRow("empty height") << Edits{{"txtClimH", ""}} << false << areaResults << unaffected
                                  << size;
    QTest::newRow("negative width")
        << Edits{{"txtClimW", "-1"}} << false << areaResults << unaffected << size;
    QTest::newRow("depth not a number")
        << Edits{{"txtClimD", "abc"}} << false << areaResults << unaffected << size;
    QTest::newRow("dimensions beyond range")
        << Edits{{"txtClimH", "1E+200"}, {"txtClimW", "1E+200"}} << false << areaResults
        << unaffected << QStringLiteral("범위를 벗어났습니다");
    QTest::newRow("negative k") << Edits{{"txtClimK", "-5"}} << false
                                << QStringList{"txtClimQs", "txtClimCool", "txtClimHeater"}
                                << QStringList{"txtClimA", "txtClimDew"}
                                << QStringLiteral("열통과율");
    QTest::newRow("negative internal heat")
        << Edits{{"txtClimTi", "55"}, {"txtClimP", "-100"}} << false
        << QStringList{"txtClimCool", "txtClimQw", "txtClimFlow", "txtClimCoolModel"}
        << QStringList{"txtClimA", "txtClimQs", "txtClimHeater"} << QStringLiteral("내부 발열량");
    QTest::newRow("below absolute zero")
        << Edits{{"txtClimTu", "-300"}} << false << QStringList{"txtClimQs", "txtClimCool"}
        << QStringList{"txtClimA", "txtClimHeater"} << QStringLiteral("온도는");
    QTest::newRow("humidity above 100")
        << Edits{{"txtClimRH", "150"}} << false << QStringList{"txtClimDew"}
        << QStringList{"txtClimCool"} << QStringLiteral("상대 습도");
    QTest::newRow("humidity zero")
        << Edits{{"txtClimRH", "0"}} << false << QStringList{"txtClimDew"}
        << QStringList{"txtClimCool"} << QStringLiteral("상대 습도");
    QTest::newRow("altitude above the troposphere")
        << Edits{{"txtClimTi", "55"}, {"txtClimAlt", "50000"}} << false
        << QStringList{"txtClimFlow", "txtClimFlowCfm", "txtClimFlowModel"}
        << QStringList{"txtClimQw"} << QStringLiteral("설치 고도");
    QTest::newRow("negative margin")
        << Edits{{"txtClimTi", "55"}, {"txtClimMargin", "-10"}} << false
        << QStringList{"txtClimCool", "txtClimQw", "txtClimFlow"}
        << QStringList{"txtClimA", "txtClimHeater"} << QStringLiteral("안전 여유");
    QTest::newRow("absorptance above one")
        << Edits{{"txtClimSunAbs", "2"}} << true << QStringList{"txtClimQsun", "txtClimCool"}
        << QStringList{"txtClimA", "txtClimHeater"} << QStringLiteral("일사");
    // Unchecked, the sun's fields are not read at all.
    QTest::newRow("absorptance ignored in the shade")
        << Edits{{"txtClimSunAbs", "2"}} << false << QStringList{}
        << QStringList{"txtClimQsun", "txtClimCool"} << QStringLiteral("팬·열교환기·필터팬:");
}

void TestClimate::badInput() {
    QFETCH(Edits, edits);
    QFETCH(bool, sun);
    QFETCH(QStringList, dashed);
    QFETCH(QStringList, shown);
    QFETCH(QString, note);
    ClimateWindow c;
    c.type(QStringLiteral("txtClimTiMin"),
           QStringLiteral("30"));  // no condensation note in the way
    if (sun) c.w->chkClimSun->click();
    for (const auto& [name, text] : edits) c.type(name, text);
    for (const QString& name : dashed) QCOMPARE(c.text(name), kDash);
    for (const QString& name : shown)
        QVERIFY2(c.text(name) != kDash && !c.text(name).isEmpty(), qPrintable(name));
    QVERIFY2(c.status().contains(note), qPrintable(c.status()));
    if (!sun) QVERIFY(!c.status().contains(QStringLiteral("일사:")));
    static const QRegularExpression notANumber(QStringLiteral("\\b(inf|nan)\\b"),
                                               QRegularExpression::CaseInsensitiveOption);
    for (const QString& text : shownTexts(c.w))
        QVERIFY2(!text.contains(notANumber), qPrintable(text));
    QCOMPARE(c.t.platform.messages, QStringList{});
}

// Models from the fixture's lists: the filter fans and heaters by the
// smallest that reaches the requirement, the box fans and air conditioners
// as the main window picks them (the first above it).
void TestClimate::modelPicks_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("note");
    const QByteArray models = fixture("models.ini");
    const QByteArray without = fixture("no-climate-models.ini");
    // Type 1 of 2 × 1 × 0.6: A = 6.6. With Ti 55: W/K (1100 − 5·6.6·15)/15·1.1
    // = 44.37, airflow 3.1·44.37 = 137.5 m³/h.
    const Edits warm = {{"txtClimTi", "55"}};
    QTest::newRow("box fan") << models << warm << "txtClimFanModel"
                             << "VK-210"
                             << "";
    QTest::newRow("filter fan") << models << warm << "txtClimFlowModel"
                                << "FF-300"
                                << "";
    QTest::newRow("no filter fans listed") << without << warm << "txtClimFlowModel"
                                           << ""
                                           << "[FilterFan-Model]";
    // A cube of 1 m counted on every face: A = 5, heater 2·5·30 = 300 W, which
    // the 300 W heater reaches.
    const Edits cube = {{"txtClimH", "1"},
                        {"txtClimW", "1"},
                        {"txtClimD", "1"},
                        {"txtClimK", "2"},
                        {"txtClimTuMin", "-20"}};
    QTest::newRow("heater reaching the need") << models << cube << "txtClimHeaterModel"
                                              << "HT-300"
                                              << "";
    QTest::newRow("no heaters listed") << without << cube << "txtClimHeaterModel"
                                       << ""
                                       << "[Heater-Model]";
    // 5·5·30 = 750 W: more than the largest heater.
    Edits colder = cube;
    colder.append(qMakePair(QStringLiteral("txtClimK"), QStringLiteral("5")));
    QTest::newRow("heater above the largest") << models << colder << "txtClimHeaterModel"
                                              << "HT-600"
                                              << "가장 큰 모델(HT-600)로도 부족";
    // The shipped lists: 5·6.6·20 = 660 W, the 800 W heater.
    QTest::newRow("shipped heaters") << shippedIni() << Edits{} << "txtClimHeaterModel"
                                     << "HT-800"
                                     << "";
    // (5000 + 5·6.6·5)·1.1 = 5681.5 W.
    QTest::newRow("air conditioner above the largest")
        << models << Edits{{"txtClimP", "5000"}} << "txtClimCoolModel"
        << "VKA-3500BR"
        << "가장 큰 모델(VKA-3500BR)로도 부족";
}

void TestClimate::modelPicks() {
    QFETCH(QByteArray, ini);
    QFETCH(Edits, edits);
    QFETCH(QString, field);
    QFETCH(QString, model);
    QFETCH(QString, note);
    ClimateWindow c(ini);
    applyEdits(c, edits);
    QCOMPARE(c.text(field), model);
    if (!note.isEmpty()) {
        QVERIFY2(c.status().contains(note), qPrintable(c.status()));
        QVERIFY(c.tip(field).contains(note) || model == c.text(field));
    }
}

void TestClimate::sunlitAreaFollowsTheSizeUntilTyped() {
    ClimateWindow c;
    QCOMPARE(c.text(QStringLiteral("txtClimSunArea")), QStringLiteral("2.6"));  // 1·0.6 + 1·2
    c.type(QStringLiteral("txtClimH"), QStringLiteral("3"));
    QCOMPARE(c.text(QStringLiteral("txtClimSunArea")), QStringLiteral("3.6"));
    c.w->chkClimSun->click();
    QCOMPARE(c.text(QStringLiteral("txtClimQsun")), QStringLiteral("1440"));  // 0.5·800·3.6
    c.type(QStringLiteral("txtClimSunArea"), QStringLiteral("1.5"));
    QCOMPARE(c.text(QStringLiteral("txtClimQsun")), QStringLiteral("600"));
    c.type(QStringLiteral("txtClimW"), QStringLiteral("2"));
    QCOMPARE(c.text(QStringLiteral("txtClimSunArea")), QStringLiteral("1.5"));  // the user's stays
    c.type(QStringLiteral("txtClimSunArea"), QString());
    // Emptied, the field stands for roof and front: 2·0.6 + 2·3 = 7.2 m².
    QCOMPARE(c.field(QStringLiteral("txtClimSunArea"))->placeholderText(), QStringLiteral("7.2"));
    QCOMPARE(c.text(QStringLiteral("txtClimQsun")), QStringLiteral("2880"));  // 0.5·800·7.2
    c.type(QStringLiteral("txtClimD"), QStringLiteral("1"));
    QCOMPARE(c.text(QStringLiteral("txtClimSunArea")), QStringLiteral("8"));  // 2·1 + 2·3 again
    c.w->chkClimSun->click();
    QCOMPARE(c.text(QStringLiteral("txtClimQsun")), QStringLiteral("0"));
}

void TestClimate::reportButtonAndValues() {
    ClimateWindow c;
    QSignalSpy spy(c.w, &frmClimate::reportRequested);
    QCOMPARE(c.w->cmdClimateReport->text(), QStringLiteral("보고서 PDF..."));
    c.w->cmdClimateReport->click();
    QCOMPARE(spy.count(), 1);

    c.w->cboClimInstall->setCurrentIndex(7);
    c.type(QStringLiteral("txtClimAlt"), QStringLiteral("1500"));
    QCOMPARE(c.w->inputs().installation, 7);
    QCOMPARE(c.w->inputs().altitude, 1500.0);
    QCOMPARE(c.w->inputs().height, 2.0);
    QVERIFY(c.w->results().area.value && qFuzzyCompare(*c.w->results().area.value, 4.42));
    QCOMPARE(c.w->installationCaption(), QStringLiteral("7. 열 배치 중간, 벽면 부착, 지붕 덮음"));
    QCOMPARE(c.w->picks().aircon, QStringLiteral("VKA-1600BR"));
    QCOMPARE(c.w->picks().filterFan, QString());  // no airflow while Ti < Tu
    const QPixmap picture = c.w->installationPictogram(QSize(96, 72), 2.0);
    QCOMPARE(picture.size(), QSize(192, 144));
    QCOMPARE(picture.toImage(), installationPictogram(7, QSize(96, 72), 2.0).toImage());
    QVERIFY(!c.w->installationIcon().isNull());
    QVERIFY(c.w->statusNotes().join(u'\n') == c.status());
}

void TestClimate::exitClosesOnlyThisWindow() {
    ClimateWindow c;
    c.w->cmdClimateExit->click();
    processDeferredDeletes();
    QVERIFY(!c.t.app->loadedWindow<frmClimate>());
    QVERIFY(c.form->isVisible());
    c.form->txtHeight->setText(QStringLiteral("1.5"));
    c.open();  // afresh: the main window's values again
    QCOMPARE(c.text(QStringLiteral("txtClimH")), QStringLiteral("1.5"));
}

// The program builds the window ahead, hidden; opening it must still be
// the opening a user knows: the main window's values of the moment of the
// click, the report's connection, and a new one ready after each closing.
void TestClimate::preparedWindowOpensAsAFreshOne() {
    TestApp t(fixture("models.ini"));
    Form1* form = t.start();
    keepClimateWindowReady(*t.app);
    QTRY_VERIFY(t.app->preparedWindow<frmClimate>());
    QPointer<frmClimate> prepared = t.app->preparedWindow<frmClimate>();
    QVERIFY(!prepared->isVisible());
    QVERIFY(!t.app->loadedWindow<frmClimate>());  // nothing else sees it: report, Exit, ...
    QCOMPARE(prepared->txtClimH->text(), QStringLiteral("2"));

    form->txtHeight->setText(QStringLiteral("1.5"));
    form->txtT2->setText(QStringLiteral("45"));
    form->selectMaterial(1);  // resin, 3.7
    form->cmdClimate->click();
    frmClimate* w = t.app->loadedWindow<frmClimate>();
    QCOMPARE(w, prepared.data());
    QVERIFY(w->isVisible());
    QVERIFY(!t.app->preparedWindow<frmClimate>());
    QCOMPARE(w->txtClimH->text(), QStringLiteral("1.5"));
    QCOMPARE(w->txtClimTi->text(), QStringLiteral("45"));
    QCOMPARE(w->txtClimK->text(), QStringLiteral("3.7"));
    QCOMPARE(w->txtClimSunArea->text(), QStringLiteral("2.1"));  // 1·0.6 + 1·1.5
    // Ti > Tu now: the fan results stand. A = 1.8·1.5·1.6 + 1.4·0.6 = 5.16.
    QCOMPARE(w->txtClimA->text(), QStringLiteral("5.16"));
    QCOMPARE(w->txtClimQw->text(), QStringLiteral("221"));  // (1100 − 3.7·5.16·5)/5·1.1 = 220.999
    const qsizetype dialogs = t.platform.saveDialogs.size();
    w->cmdClimateReport->click();
    QCOMPARE(t.platform.saveDialogs.size(), dialogs + 1);

    w->cmdClimateExit->click();
    processDeferredDeletes();
    QVERIFY(prepared.isNull());
    QTRY_VERIFY(t.app->preparedWindow<frmClimate>());
    QVERIFY(!t.app->loadedWindow<frmClimate>());
}

QTEST_MAIN(TestClimate)
#include "tst_climate.moc"
