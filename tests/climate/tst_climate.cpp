#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include "CommaLocale.h"
#include "TestApp.h"
#include "climate/ClimateCommands.h"
#include "climate/InstallationPictogram.h"
#include "climate/frmClimate.h"
#include "data/ModelLists.h"
#include "design/CabinetDesign.h"
#include "kit/FieldCues.h"
#include "kit/ProjectSession.h"

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
    // The first line of a result's tooltip: its value, or why there is none.
    QString tipLine(const QString& name) const { return tip(name).section(u'\n', 0, 0); }
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
    void strictReading_data();
    void strictReading();
    void internalHeatSource_data();
    void internalHeatSource();
    void modeChangeWhileOpen();
    void notNeeded();
    void modelPicks_data();
    void modelPicks();
    void sunlitAreaFollowsTheSizeUntilTyped();
    void followsTheMainWindowUntilTyped();
    void followsAcrossCabinets();
    void showsTheDesignEvaluation_data();
    void showsTheDesignEvaluation();
    void reportButtonAndValues();
    void exitClosesOnlyThisWindow();
    void escapeCloses_data();
    void escapeCloses();
    void everyControlExplainsItself();
    void everyNoteCanBeReadWhole();
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
        {"txtClimH", "1.8"},       {"txtClimW", "0.8"},        {"txtClimD", "0.5"},
        {"txtClimP", "750"},       {"txtClimK", "3.7"},        {"txtClimTu", "45"},
        {"txtClimTi", "12"},       {"txtClimAlt", "0"},        {"txtClimTuMin", "-10"},
        {"txtClimTiMin", "10"},    {"txtClimPMin", "0"},       {"txtClimRH", "60"},
        {"txtClimDayT", "25"},     {"txtClimNightT", "18"},    {"txtClimSunE", "800"},
        {"txtClimSunAbs", "0.5"},  {"txtClimSunArea", "1.84"},  // 0.8·0.5 + 0.8·1.8
        {"txtClimSunRse", "0.04"}, {"txtClimMargin", "10"}};
    for (const auto& [name, text] : expected)
        QCOMPARE(c.text(QString::fromLatin1(name)), QString::fromUtf8(text));
    QCOMPARE(c.w->cboClimInstall->currentIndex(), 1);
    QCOMPARE(c.w->cboClimInstall->count(), 8);
    QCOMPARE(c.w->cboClimInstall->itemText(0), QStringLiteral("모든 면 (기본 계산)"));
    QVERIFY(!c.w->chkClimSun->isChecked());
    QVERIFY(!c.field(QStringLiteral("txtClimSunE"))->isEnabled());
    // Computed at once: type 1, A = 1.8·1.8·(0.8+0.5) + 1.4·0.8·0.5 = 4.212 + 0.56.
    QCOMPARE(c.text(QStringLiteral("txtClimA")), QStringLiteral("4.77"));
    QCOMPARE(c.tipLine(QStringLiteral("txtClimA")), QStringLiteral("4.772 m²"));
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
    // The tooltip rounds to one digit more than the field's whole watts.
    QTest::newRow("7 middle, wall, roof") << 7 << "4.42"
                                          << "-110.5 W"
                                          << "1331.6 W";
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
    QCOMPARE(c.tipLine(QStringLiteral("txtClimA")), area + QStringLiteral(" m²"));
    QCOMPARE(c.tipLine(QStringLiteral("txtClimQs")), wallHeatTip);
    QCOMPARE(c.tipLine(QStringLiteral("txtClimCool")), coolingTip);
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
// sunlit area 0.8·0.5 + 0.8·2 = 2 m², absorbed 0.5·800·2 = 800 W, of which
// U·Rse = 5.5·0.04 = 0.22 passes the wall: Qsun = 176 W;
// cooling (800 − 253 + 176)·1.1 = 795.3 W; W/K 72.3·1.1 = 79.53;
// frost heater 5.5·4.6·(10 − (−10)) = 506 W; the humid day's air at 25 °C
// and 60 % has its dew point at 16.68 °C by Magnus, and a night at 10 °C
// cools the cabinet (no equipment on) to 10 °C, below it: the condensation
// heater 25.3·(16.68 + 3 − 10) = 245 W, the 300 W heater.
// Airflow: 3.1·79.53 = 246.5 m³/h = 145.1 cfm at sea level. At 2000 m the
// standard atmosphere's density is 1.0066 kg/m³ against 1.2250 (ICAO table),
// f = 3.1·1.2250/1.0066 = 3.77: 300.03 m³/h = 176.6 cfm, just beyond the
// 300 m³/h filter fan.
void TestClimate::workedExample_data() {
    QTest::addColumn<QString>("altitude");
    QTest::addColumn<QString>("flow");
    QTest::addColumn<QString>("cfm");
    QTest::addColumn<QString>("factor");
    QTest::addColumn<QString>("filterFan");
    QTest::newRow("sea level") << "0"
                               << "247"
                               << "145"
                               << "f = 3.1 "
                               << "FF-300";
    QTest::newRow("2000 m") << "2000"
                            << "300"
                            << "177"
                            << "f = 3.77 "
                            << "FF-500";
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
    const Edits edits = {{"txtClimH", "2"},   {"txtClimW", "0.8"},      {"txtClimD", "0.5"},
                         {"txtClimP", "800"}, {"txtClimK", "5.5"},      {"txtClimTu", "35"},
                         {"txtClimTi", "45"}, {"txtClimAlt", altitude}, {"txtClimNightT", "10"}};
    for (const auto& [name, text] : edits) c.type(name, text);

    const QList<std::array<const char*, 3>> expected = {
        {"txtClimSunArea", "2", nullptr},
        {"txtClimA", "4.6", "4.6 m²"},
        {"txtClimQs", "253", "253 W"},
        {"txtClimQsun", "176", "176 W"},
        {"txtClimCool", "795", "795.3 W"},
        {"txtClimCoolModel", "VKA-1100BR", nullptr},
        {"txtClimQw", "79.5", "79.53 W/K"},
        {"txtClimFanModel", "VK-420", nullptr},
        {"txtClimHeater", "506", "506 W"},
        {"txtClimHeaterModel", "HT-600", nullptr},
        {"txtClimDew", "16.7", "16.68 °C"},
        {"txtClimDewHeater", "245", "245 W"},
        {"txtClimDewHeaterModel", "HT-300", nullptr},
    };
    for (const auto& [name, text, tip] : expected) {
        QCOMPARE(c.text(QString::fromLatin1(name)), QString::fromUtf8(text));
        if (tip) QCOMPARE(c.tipLine(QString::fromLatin1(name)), QString::fromUtf8(tip));
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

// Condensation by one day's air: the dew point by Magnus (a = 17.27,
// b = 237.7 °C) of the humid day's air, against the cabinet that night, its
// walls keeping it PMin/(U·A) above the night's lowest; the warning names
// both, the inside temperature clear of it (3 K above) and the condensation
// heater U·A·(Td + 3 − night) − PMin, with U·A = 5·6.6 = 33 W/K. The
// summer's Tu does not enter.
void TestClimate::dewPoint_data() {
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<QString>("dew");
    QTest::addColumn<QString>("heater");
    QTest::addColumn<QStringList>("warning");  // what it says; empty: none
    // 25 °C, 60 %: gamma = 1.6435097 − 0.5108256 = 1.1326841, Td =
    // 269.23901/16.1373159 = 16.68 °C. The night at 18 °C: 18 °C, clear of
    // it; 33·(19.68 − 18) = 55.6 W holds the 3 K.
    QTest::newRow("the window's defaults") << Edits{} << "16.7"
                                           << "55.6" << QStringList{};
    // A night at 10 °C: 10 °C inside, below; 33·(19.68 − 10) = 319.6 W.
    const QStringList cold = {"반내 온도 10 °C", "이슬점 16.7 °C", "25 °C, 상대습도 60 %",
                              "19.7 °C", "320 W"};
    QTest::newRow("cold night") << Edits{{"txtClimNightT", "10"}} << "16.7"
                                << "320" << cold;
    QTest::newRow("a hotter summer changes nothing")
        << Edits{{"txtClimNightT", "10"}, {"txtClimTu", "45"}, {"txtClimTi", "50"}} << "16.7"
        << "320" << cold;
    // 100 W on at night: 10 + 100/33 = 13.03 °C, still below; 319.6 − 100.
    QTest::newRow("some equipment on")
        << Edits{{"txtClimNightT", "10"}, {"txtClimPMin", "100"}} << "16.7"
        << "220" << QStringList{"반내 온도 13 °C", "220 W"};
    // 300 W: 10 + 9.09 = 19.09 °C, clear of 16.68, not of 19.68: 19.6 W.
    QTest::newRow("equipment keeps it clear")
        << Edits{{"txtClimNightT", "10"}, {"txtClimPMin", "300"}} << "16.7"
        << "19.6" << QStringList{};
    // 5 °C, 50 %: gamma = 0.3557890 − 0.6931472 = −0.3373582, Td =
    // −80.1900/17.6073582 = −4.55 °C; a night at −5 °C is below it;
    // 33·(−1.55 + 5) = 113.7 W.
    QTest::newRow("below freezing")
        << Edits{{"txtClimDayT", "5"}, {"txtClimRH", "50"}, {"txtClimNightT", "-5"}} << "-4.6"
        << "114" << QStringList{"반내 온도 -5 °C", "이슬점 -4.6 °C", "-1.6 °C", "114 W"};
    QTest::newRow("below freezing, kept warm")
        << Edits{{"txtClimDayT", "5"}, {"txtClimRH", "50"}, {"txtClimNightT", "-4"}} << "-4.6"
        << "80.7" << QStringList{};
    // Saturated air: Td = T; 33·(23 − 19.9) = 102.3 W.
    QTest::newRow("saturated air")
        << Edits{{"txtClimDayT", "20"}, {"txtClimRH", "100"}, {"txtClimNightT", "19.9"}} << "20"
        << "102" << QStringList{"이슬점 20 °C", "23 °C", "102 W"};
}

void TestClimate::dewPoint() {
    QFETCH(Edits, edits);
    QFETCH(QString, dew);
    QFETCH(QString, heater);
    QFETCH(QStringList, warning);
    ClimateWindow c;
    applyEdits(c, edits);
    QCOMPARE(c.text(QStringLiteral("txtClimDew")), dew);
    QCOMPARE(c.text(QStringLiteral("txtClimDewHeater")), heater);
    QCOMPARE(c.w->results().dewPointAirTemperature.value,
             std::optional<double>(c.text(QStringLiteral("txtClimDayT")).toDouble()));
    // The frost heater stays its own: 33·(10 − (−10)) − PMin = 660 W − PMin.
    QCOMPARE(c.text(QStringLiteral("txtClimHeater")),
             QString::number(660 - c.text(QStringLiteral("txtClimPMin")).toInt()));
    QCOMPARE(c.w->lblClimCondensation->isVisibleTo(c.w), !warning.isEmpty());
    QCOMPARE(c.w->condensationRisk(), !warning.isEmpty());
    const QString text = c.w->lblClimCondensation->text();
    if (!warning.isEmpty()) QVERIFY(text.startsWith(QStringLiteral("결로 위험")));
    for (const QString& part : warning) QVERIFY2(text.contains(part), qPrintable(text));
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
    // Not a number at all: an input error, named by its field. (An emptied
    // H follows the main window again: see the follows' tests.)
    QTest::newRow("empty lowest ambient")
        << Edits{{"txtClimTuMin", ""}} << false
        << QStringList{"txtClimHeater", "txtClimHeaterModel"}
        << QStringList{"txtClimA", "txtClimCool", "txtClimDew", "txtClimDewHeater"}
        << QStringLiteral("입력 오류: 최저 외기 온도 칸이 비어 있습니다");
    QTest::newRow("negative width")
        << Edits{{"txtClimW", "-1"}} << false << areaResults << unaffected << size;
    QTest::newRow("depth not a number")
        << Edits{{"txtClimD", "abc"}} << false << areaResults << unaffected
        << QStringLiteral("입력 오류: 깊이 D 칸의 내용은 숫자 하나가 아니어서");
    QTest::newRow("dimensions beyond range")
        << Edits{{"txtClimH", "1E+200"}, {"txtClimW", "1E+200"}} << false << areaResults
        << unaffected << QStringLiteral("범위를 벗어났습니다");
    QTest::newRow("negative k") << Edits{{"txtClimK", "-5"}} << false
                                << QStringList{"txtClimQs", "txtClimCool", "txtClimHeater"}
                                << QStringList{"txtClimA", "txtClimDew"}
                                << QStringLiteral("열관류율 U");
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

// Every input is read whole: a thousands separator, a decimal comma, a
// number with letters after it and an empty field are input errors. The
// field shows the amber cue and says what was typed; the status line names
// the field; what depends on it shows "—"; nothing uses a part of it or 0.
void TestClimate::strictReading_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("sun");
    QTest::addColumn<QStringList>("dashed");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("note");  // empty: read, no note
    QTest::newRow("thousands separator in P")
        << "txtClimP"
        << "1,100" << false << QStringList{"txtClimCool", "txtClimCoolModel", "txtClimQw"}
        << QStringList{"txtClimA", "txtClimQs", "txtClimHeater", "txtClimDew"}
        << QStringLiteral("입력 오류: 내부 발열량 P 칸의 내용은 숫자 하나가 아니어서");
    QTest::newRow("decimal comma in H")
        << "txtClimH"
        << "1,5" << false << QStringList{"txtClimA",         "txtClimQs",     "txtClimCool",
                                         "txtClimCoolModel", "txtClimHeater", "txtClimHeaterModel"}
        << QStringList{"txtClimDew"} << QStringLiteral("입력 오류: 높이 H 칸");
    QTest::newRow("letters after the digits in Tu")
        << "txtClimTu"
        << "12abc" << false << QStringList{"txtClimQs", "txtClimCool"}
        << QStringList{"txtClimA", "txtClimHeater", "txtClimDew", "txtClimDewHeater"}
        << QStringLiteral("입력 오류: 최고 외기 온도 Tu 칸");
    QTest::newRow("empty humidity")
        << "txtClimRH"
        << "" << false << QStringList{"txtClimDew", "txtClimDewHeater", "txtClimDewHeaterModel"}
        << QStringList{"txtClimCool", "txtClimHeater"}
        << QStringLiteral("입력 오류: 습한 날 상대습도 칸이 비어 있습니다");
    QTest::newRow("only blanks in the margin")
        << "txtClimMargin"
        << "   " << false << QStringList{"txtClimCool", "txtClimCoolModel"}
        << QStringList{"txtClimQs", "txtClimHeater"}
        << QStringLiteral("입력 오류: 안전 여유 칸이 비어 있습니다");
    QTest::newRow("decimal comma in Rse, sun on")
        << "txtClimSunRse"
        << "0,04" << true << QStringList{"txtClimQsun", "txtClimCool"}
        << QStringList{"txtClimQs", "txtClimHeater"}
        << QStringLiteral("입력 오류: 외표면 열저항 Rse 칸");
    // Blanks around a number are no error: A = 1.8·2.5·1.6 + 1.4·0.6 = 8.04.
    QTest::newRow("blanks around H") << "txtClimH"
                                     << "  2.5\t" << false << QStringList{}
                                     << QStringList{"txtClimA", "txtClimCool"} << QString();
    // The sun's fields count only in the sun.
    QTest::newRow("irradiance in the shade")
        << "txtClimSunE"
        << "8oo" << false << QStringList{} << QStringList{"txtClimQsun", "txtClimCool"}
        << QString();
}

void TestClimate::strictReading() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(bool, sun);
    QFETCH(QStringList, dashed);
    QFETCH(QStringList, shown);
    QFETCH(QString, note);
    ClimateWindow c;
    if (sun) c.w->chkClimSun->click();
    c.set(field, typed);  // a tab and a disabled field too
    QCOMPARE(c.text(field), typed);
    QLineEdit* f = c.field(field);
    QCOMPARE(isFieldNotUsed(f), !note.isEmpty());
    for (const QString& name : dashed) QCOMPARE(c.text(name), kDash);
    for (const QString& name : shown)
        QVERIFY2(c.text(name) != kDash && !c.text(name).isEmpty(), qPrintable(name));
    if (note.isEmpty()) {
        QVERIFY(!c.status().contains(QStringLiteral("입력 오류")));
        QVERIFY(c.w->unreadInputs().isEmpty());
        if (field == QLatin1String("txtClimH"))
            QCOMPARE(c.text(QStringLiteral("txtClimA")), QStringLiteral("8.04"));
        return;
    }
    QVERIFY2(c.status().contains(note), qPrintable(c.status()));
    // The note is the field's, once: the results that depend on it add none.
    QCOMPARE(c.status().count(QStringLiteral("입력 오류")), 1);
    QCOMPARE(c.w->unreadInputs().size(), 1);
    QVERIFY(c.w->statusNotes().first().contains(c.w->unreadInputs().first()));
    // The tooltip says what was typed and that it was not used.
    const QString tip = f->toolTip();
    QVERIFY2(tip.contains(QStringLiteral("쓰지 않았습니다")), qPrintable(tip));
    if (!typed.trimmed().isEmpty()) QVERIFY2(tip.contains(u'"' + typed + u'"'), qPrintable(tip));
    // No model is picked from a number nobody typed.
    if (dashed.contains(QStringLiteral("txtClimCool"))) QVERIFY(c.w->picks().aircon.isEmpty());
    // Typed right, everything comes back.
    c.type(field, QStringLiteral("0.05"));
    QVERIFY(!isFieldNotUsed(f));
    QVERIFY(!c.status().contains(QStringLiteral("입력 오류")));
}

// P as the main window's mode has it: its heat field, or in the measured
// mode, where that field is hidden, U·A·(T4 − T3) from its measurements.
void TestClimate::internalHeatSource_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("p");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("exchanger");
    QTest::newRow("air conditioner") << int(SelectionMode::Aircon) << "1100"
                                     << "주 화면의 P"
                                     << "—";  // Ti 35 < Tu 40
    QTest::newRow("box fan, heat") << int(SelectionMode::Fan1) << "500"
                                   << "주 화면의 P"
                                   << "";
    // Defaults of the mode: 1.25 × 0.63 × 0.63 m, U 5, T3 40, T4 68, T2 55.
    // A = 3.5469 m², P = 5·3.5469·28 = 496.566 W. In the window (type 1,
    // A 3.39066): (496.566 − 5·3.39066·15)/15·1.1 = 17.77 W/K, not the 62 W/K
    // that the hidden 1100 W would give.
    QTest::newRow("box fan, measured") << int(SelectionMode::Fan2) << "496.566"
                                       << "측정값에서 추정"
                                       << "17.8";
}

void TestClimate::internalHeatSource() {
    QFETCH(int, mode);
    QFETCH(QString, p);
    QFETCH(QString, source);
    QFETCH(QString, exchanger);
    ClimateWindow c(fixture("models.ini"),
                    [mode](Form1* f) { f->selectMode(SelectionMode(mode)); });
    QCOMPARE(c.text(QStringLiteral("txtClimP")), p);
    QCOMPARE(c.w->lblClimPSource->text(), source);
    QVERIFY(!c.w->lblClimPSource->toolTip().isEmpty());
    if (!exchanger.isEmpty()) QCOMPARE(c.text(QStringLiteral("txtClimQw")), exchanger);
    if (mode == int(SelectionMode::Fan2)) {
        QVERIFY2(c.w->lblClimPSource->toolTip().contains(QStringLiteral("= 496.6 W")),
                 qPrintable(c.w->lblClimPSource->toolTip()));
    }
    // A P of the user's own says so.
    c.type(QStringLiteral("txtClimP"), QStringLiteral("700"));
    QCOMPARE(c.w->lblClimPSource->text(), QStringLiteral("직접 입력"));
}

void TestClimate::modeChangeWhileOpen() {
    ClimateWindow c;
    c.type(QStringLiteral("txtClimAlt"), QStringLiteral("500"));  // the window's own
    c.form->selectMode(SelectionMode::Fan2);
    QCOMPARE(c.text(QStringLiteral("txtClimP")), QStringLiteral("496.566"));
    QCOMPARE(c.w->lblClimPSource->text(), QStringLiteral("측정값에서 추정"));
    QCOMPARE(c.w->inputs().internalHeat, 496.566);  // computed with it at once
    QCOMPARE(c.text(QStringLiteral("txtClimAlt")), QStringLiteral("500"));
    // New measurements count at once: 5·3.5469·(50 − 40) = 177.345 W.
    c.form->txtT4->setText(QStringLiteral("50"));
    QCOMPARE(c.text(QStringLiteral("txtClimP")), QStringLiteral("177.345"));
    c.form->selectMode(SelectionMode::Fan1);
    QCOMPARE(c.text(QStringLiteral("txtClimP")), QStringLiteral("500"));
    QCOMPARE(c.w->lblClimPSource->text(), QStringLiteral("주 화면의 P"));
    c.form->selectMode(SelectionMode::Aircon);
    QCOMPARE(c.text(QStringLiteral("txtClimP")), QStringLiteral("1100"));
    QCOMPARE(c.t.app->loadedWindow<frmClimate>(), c.w);
}

// When the walls carry away more than the cabinet produces, no cooling is
// needed: the requirements say so with what the walls carry away, and no
// model is picked.
void TestClimate::notNeeded() {
    ClimateWindow c;
    // Walls lose 5·6.6·15 = 495 W, 395 W more than the 100 W inside.
    applyEdits(c, {{"txtClimP", "100"}, {"txtClimTi", "55"}});
    const QString expected = QStringLiteral("필요 없음 (벽으로 395 W 방출)");
    const QStringList requirements = {"txtClimCool", "txtClimQw", "txtClimFlow"};
    QCOMPARE(c.text(QStringLiteral("txtClimFlowCfm")), QStringLiteral("필요 없음"));
    for (const QString& name : requirements) {
        QCOMPARE(c.text(name), expected);
        QVERIFY(c.tipLine(name).contains(QStringLiteral("395 W")));
        // Read whole: the field spans the unit and the model.
        QLineEdit* f = c.field(name);
        QVERIFY2(f->fontMetrics().horizontalAdvance(expected) < f->width(), qPrintable(name));
    }
    for (const char* name : {"txtClimCoolModel", "txtClimFanModel", "txtClimFlowModel"})
        QVERIFY(!c.field(QString::fromLatin1(name))->isVisibleTo(c.w));
    QCOMPARE(c.w->picks().aircon, QString());
    QCOMPARE(c.w->picks().fan, QString());
    QCOMPARE(c.w->picks().filterFan, QString());
    QVERIFY(c.w->results().coolingNotNeeded());
    QVERIFY2(c.status().contains(QStringLiteral("395 W")), qPrintable(c.status()));
    // Enough heat again: numbers, units and models are back.
    c.type(QStringLiteral("txtClimP"), QStringLiteral("1100"));
    QCOMPARE(c.text(QStringLiteral("txtClimCool")), QStringLiteral("666"));  // 605·1.1
    QVERIFY(c.field(QStringLiteral("txtClimCoolModel"))->isVisibleTo(c.w));
    QCOMPARE(c.text(QStringLiteral("txtClimCoolModel")), QStringLiteral("VKA-750BR"));
    QVERIFY(!c.w->results().coolingNotNeeded());
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
    // 0.5·800·3.6 absorbed, U·Rse = 5·0.04 of it passes the wall.
    QCOMPARE(c.text(QStringLiteral("txtClimQsun")), QStringLiteral("288"));
    c.type(QStringLiteral("txtClimSunArea"), QStringLiteral("1.5"));
    QCOMPARE(c.text(QStringLiteral("txtClimQsun")), QStringLiteral("120"));
    c.type(QStringLiteral("txtClimW"), QStringLiteral("2"));
    QCOMPARE(c.text(QStringLiteral("txtClimSunArea")), QStringLiteral("1.5"));  // the user's stays
    c.type(QStringLiteral("txtClimSunArea"), QString());
    // Emptied, the field stands for roof and front: 2·0.6 + 2·3 = 7.2 m².
    QCOMPARE(c.field(QStringLiteral("txtClimSunArea"))->placeholderText(), QStringLiteral("7.2"));
    QCOMPARE(c.text(QStringLiteral("txtClimQsun")), QStringLiteral("576"));  // 0.5·800·7.2·0.2
    c.type(QStringLiteral("txtClimD"), QStringLiteral("1"));
    QCOMPARE(c.text(QStringLiteral("txtClimSunArea")), QStringLiteral("8"));  // 2·1 + 2·3 again
    c.w->chkClimSun->click();
    QCOMPARE(c.text(QStringLiteral("txtClimQsun")), QStringLiteral("0"));
}

// While the window is open, an input taken from the main window follows
// every edit there, muted and naming its source, and is kept by no cabinet;
// typed over, it is the user's and the cabinet keeps it; emptied, it
// follows again. The sunlit area follows the window's own dimensions.
void TestClimate::followsTheMainWindowUntilTyped() {
    ClimateWindow c;
    QLineEdit* h = c.field(QStringLiteral("txtClimH"));
    QVERIFY(isFieldFollowing(h));
    QVERIFY2(h->toolTip().contains(QStringLiteral("주 화면의 높이 H를 따릅니다")),
             qPrintable(h->toolTip()));
    QVERIFY(h->font().italic());
    QVERIFY(!c.field(QStringLiteral("txtClimAlt"))->font().italic());

    c.form->txtHeight->setText(QStringLiteral("1.8"));
    c.form->txtPP->setText(QStringLiteral("1500"));
    c.form->txtT1->setText(QStringLiteral("45"));
    QCOMPARE(c.text(QStringLiteral("txtClimH")), QStringLiteral("1.8"));
    QCOMPARE(c.text(QStringLiteral("txtClimP")), QStringLiteral("1500"));
    QCOMPARE(c.text(QStringLiteral("txtClimTu")), QStringLiteral("45"));
    // 1·0.6 + 1·1.8; A = 1.8·1.8·1.6 + 1.4·0.6 = 6.024 m².
    QCOMPARE(c.text(QStringLiteral("txtClimSunArea")), QStringLiteral("2.4"));
    QCOMPARE(c.text(QStringLiteral("txtClimA")), QStringLiteral("6.02"));
    // Edits of the main window give the cabinet no climate design.
    QVERIFY(c.t.app->project().current().climate.isEmpty());

    c.type(QStringLiteral("txtClimH"), QStringLiteral("2.5"));
    QVERIFY(!isFieldFollowing(h));
    QVERIFY(!h->font().italic());
    QVERIFY(!h->toolTip().contains(QStringLiteral("주 화면의 높이 H를 따릅니다")));
    QCOMPARE(c.w->storedInputs().value(QStringLiteral("txtClimH")),
             QVariant(QStringLiteral("2.5")));
    QCOMPARE(c.t.app->project().current().climate.value(QStringLiteral("txtClimH")),
             QVariant(QStringLiteral("2.5")));
    for (const char* name : {"txtClimW", "txtClimD", "txtClimP", "txtClimK", "txtClimTu",
                             "txtClimTi", "txtClimSunArea"})
        QVERIFY2(!c.w->storedInputs().contains(QLatin1String(name)), name);
    c.form->txtHeight->setText(QStringLiteral("3"));
    QCOMPARE(c.text(QStringLiteral("txtClimH")), QStringLiteral("2.5"));
    QCOMPARE(c.text(QStringLiteral("txtClimSunArea")), QStringLiteral("3.1"));  // 0.6 + 2.5

    // Emptied: it follows again, and shows the main window's 3 once the
    // user has left it.
    c.type(QStringLiteral("txtClimH"), QString());
    QVERIFY(isFieldFollowing(h));
    QCOMPARE(h->placeholderText(), QStringLiteral("3"));
    QVERIFY(!c.w->storedInputs().contains(QStringLiteral("txtClimH")));
    QVERIFY(!c.t.app->project().current().climate.contains(QStringLiteral("txtClimH")));
    QVERIFY(!isFieldNotUsed(h));  // no input error: it stands for the main window's
    QCOMPARE(c.text(QStringLiteral("txtClimSunArea")), QStringLiteral("3.6"));
    c.type(QStringLiteral("txtClimAlt"), QStringLiteral("0"));
    QCOMPARE(c.text(QStringLiteral("txtClimH")), QStringLiteral("3"));
    c.form->txtHeight->setText(QStringLiteral("2"));
    QCOMPARE(c.text(QStringLiteral("txtClimH")), QStringLiteral("2"));

    // A sunlit area typed stays, whatever the dimensions do.
    c.w->chkClimSun->click();
    c.type(QStringLiteral("txtClimSunArea"), QStringLiteral("1.5"));
    c.form->txtWidth->setText(QStringLiteral("2"));
    QCOMPARE(c.text(QStringLiteral("txtClimW")), QStringLiteral("2"));
    QCOMPARE(c.text(QStringLiteral("txtClimSunArea")), QStringLiteral("1.5"));
    QVERIFY(!isFieldFollowing(c.field(QStringLiteral("txtClimSunArea"))));
    // The button at its end gives it back to the dimensions: 2·0.6 + 2·2.
    auto* again = c.w->findChild<QAction*>(QStringLiteral("txtClimSunAreaFollow"));
    QVERIFY(again && again->isVisible());
    QVERIFY(!c.w->findChild<QAction*>(QStringLiteral("txtClimHFollow"))->isVisible());
    again->trigger();
    QVERIFY(isFieldFollowing(c.field(QStringLiteral("txtClimSunArea"))));
    QVERIFY(!again->isVisible());
    QCOMPARE(c.text(QStringLiteral("txtClimSunArea")), QStringLiteral("5.2"));
    // 0.5·800·5.2 absorbed, U·Rse = 5·0.04 of it passes the wall.
    QCOMPARE(c.text(QStringLiteral("txtClimQsun")), QStringLiteral("416"));
    QVERIFY(!c.t.app->project().current().climate.contains(QStringLiteral("txtClimSunArea")));
}

// Another cabinet made current shows its own typed and following values,
// and each cabinet keeps only what was typed for it.
void TestClimate::followsAcrossCabinets() {
    ClimateWindow c;
    ProjectSession& project = c.t.app->project();
    c.type(QStringLiteral("txtClimH"), QStringLiteral("2.5"));
    c.type(QStringLiteral("txtClimNightT"), QStringLiteral("12"));
    const int second = project.addCabinet();
    QCOMPARE(project.currentIndex(), second);
    QCOMPARE(c.text(QStringLiteral("txtClimH")), QStringLiteral("2"));
    QVERIFY(isFieldFollowing(c.field(QStringLiteral("txtClimH"))));
    QCOMPARE(c.text(QStringLiteral("txtClimNightT")), QStringLiteral("18"));
    c.form->txtHeight->setText(QStringLiteral("1.2"));
    QCOMPARE(c.text(QStringLiteral("txtClimH")), QStringLiteral("1.2"));

    project.makeCurrent(0);
    QCOMPARE(c.text(QStringLiteral("txtClimH")), QStringLiteral("2.5"));
    QVERIFY(!isFieldFollowing(c.field(QStringLiteral("txtClimH"))));
    QCOMPARE(c.text(QStringLiteral("txtClimNightT")), QStringLiteral("12"));
    QCOMPARE(c.text(QStringLiteral("txtClimSunArea")), QStringLiteral("3.1"));  // 0.6 + 2.5
    QVERIFY(isFieldFollowing(c.field(QStringLiteral("txtClimSunArea"))));
    QVERIFY(!project.current().climate.contains(QStringLiteral("txtClimSunArea")));

    project.makeCurrent(second);
    QCOMPARE(c.text(QStringLiteral("txtClimH")), QStringLiteral("1.2"));
    QVERIFY(isFieldFollowing(c.field(QStringLiteral("txtClimH"))));
    QVERIFY(!project.current().climate.contains(QStringLiteral("txtClimH")));
}

// What the window shows is what the design layer evaluates for the cabinet
// the project keeps: the same numbers (as rounded for the screen) and the
// same models, with inputs following and typed.
void TestClimate::showsTheDesignEvaluation_data() {
    QTest::addColumn<Edits>("main");    // the main window's fields
    QTest::addColumn<Edits>("window");  // typed in the window
    QTest::addColumn<Edits>("after");   // the main window's fields afterwards
    const Edits warm = {{"txtHeight", "1.8"}, {"txtT2", "50"}, {"txtPP", "900"}};
    QTest::newRow("following") << warm << Edits{{"txtClimNightT", "10"}} << Edits{};
    QTest::newRow("typed over, the main window moving on")
        << warm << Edits{{"txtClimW", "0.8"},       {"txtClimP", "700"},     {"txtClimRH", "80"},
                         {"txtClimSunArea", "1.2"}, {"txtClimNightT", "12"}, {"txtClimPMin", "50"}}
        << Edits{{"txtHeight", "2.2"}, {"txtWidth", "1.2"}, {"txtT1", "30"}};
}

void TestClimate::showsTheDesignEvaluation() {
    QFETCH(Edits, main);
    QFETCH(Edits, window);
    QFETCH(Edits, after);
    ClimateWindow c;
    auto mainEdits = [&](const Edits& edits) {
        for (const auto& [name, text] : edits) c.form->findChild<QLineEdit*>(name)->setText(text);
    };
    mainEdits(main);
    c.w->chkClimSun->click();
    for (const auto& [name, text] : window) c.type(name, text);
    mainEdits(after);

    IniSelection selection;
    const IniFile ini = IniFile::load(c.t.app->iniPath(), selectModelLists(selection));
    auto models = [&](std::string_view section) {
        std::vector<ClimateModel> list;
        for (const NamedValue& m : LoadModelList(ini, section)) list.push_back({m.name, m.value});
        return list;
    };
    const DesignTables tables{
        &c.t.app->tables(), models(kFilterFanModelSection), models(kHeaterModelSection), {}};
    const ClimateEvaluation e = evaluateClimate(c.t.app->project().capturedCurrent(), tables);
    QVERIFY(e.errors.isEmpty());
    const ClimateDesignResult& r = e.result;
    const QList<QPair<const char*, const ClimateValue*>> numbers = {
        {"txtClimA", &r.area},
        {"txtClimQs", &r.wallHeat},
        {"txtClimQsun", &r.solarHeat},
        {"txtClimCool", &r.coolingPower},
        {"txtClimQw", &r.heatExchangerCapacity},
        {"txtClimFlow", &r.airflow},
        {"txtClimHeater", &r.heaterPower},
        {"txtClimDew", &r.dewPoint},
        {"txtClimDewHeater", &r.condensationFreeHeaterPower}};
    for (const auto& [name, value] : numbers) {
        QVERIFY2(value->applicable(), name);
        const double shown = c.text(QLatin1String(name)).toDouble();
        // About three significant digits on the screen.
        QVERIFY2(std::fabs(shown - *value->value) <= 0.005 * std::fabs(*value->value) + 0.05,
                 qPrintable(QStringLiteral("%1 shows %2, the design %3")
                                .arg(QLatin1String(name), c.text(QLatin1String(name)))
                                .arg(*value->value)));
    }
    QCOMPARE(c.text(QStringLiteral("txtClimCoolModel")), e.aircon.designation);
    QCOMPARE(c.text(QStringLiteral("txtClimFanModel")), e.fan.designation);
    QCOMPARE(c.text(QStringLiteral("txtClimFlowModel")), e.filterFan.designation);
    QCOMPARE(c.text(QStringLiteral("txtClimHeaterModel")), e.heater.designation);
    QCOMPARE(c.text(QStringLiteral("txtClimDewHeaterModel")), e.condensationHeater.designation);
    QCOMPARE(c.w->condensationRisk(), e.condensation);
    // The main window's last edits reached the window too.
    for (const auto& [name, text] : after) {
        if (name == QLatin1String("txtHeight")) QCOMPARE(c.text(QStringLiteral("txtClimH")), text);
    }
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

// Escape closes the window as Exit does, wherever the focus is.
void TestClimate::escapeCloses_data() {
    QTest::addColumn<QString>("focus");
    QTest::newRow("an input") << "txtClimP";
    QTest::newRow("a result") << "txtClimCool";
    QTest::newRow("the installation list") << "cboClimInstall";
    QTest::newRow("the Exit button") << "cmdClimateExit";
}

void TestClimate::escapeCloses() {
    QFETCH(QString, focus);
    ClimateWindow c;
    auto* target = c.w->findChild<QWidget*>(focus);
    QVERIFY(target);
    QApplication::setActiveWindow(c.w);
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Escape);
    processDeferredDeletes();
    QVERIFY(!c.t.app->loadedWindow<frmClimate>());
    QVERIFY(c.form->isVisible());
}

// Every input, button and result tells in Korean what it is; the results'
// tooltips give their value one digit finer than the field and no raw
// double anywhere.
void TestClimate::everyControlExplainsItself() {
    ClimateWindow c;
    c.w->chkClimSun->click();
    c.type(QStringLiteral("txtClimTiMin"), QStringLiteral("0"));  // the condensation warning
    static const QRegularExpression korean(QStringLiteral("[\\x{AC00}-\\x{D7A3}]"));
    static const QRegularExpression longDecimals(QStringLiteral("\\d\\.\\d{4,}"));
    QList<QWidget*> controls;
    for (QWidget* w : c.w->findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w) ||
            qobject_cast<QComboBox*>(w))
            controls << w;
    }
    controls << c.w->lblClimFlowFactor << c.w->lblClimCondensation << c.w->lblClimPSource;
    for (QWidget* w : controls) {
        const QString tip = w->toolTip();
        QVERIFY2(tip.contains(korean), qPrintable(w->objectName() + ": " + tip));
        QVERIFY2(!tip.contains(longDecimals), qPrintable(w->objectName() + ": " + tip));
    }
    // Results: the value of the tooltip rounds to one digit more than shown,
    // and the tooltip names the formula.
    for (QLineEdit* f : c.w->findChildren<QLineEdit*>()) {
        if (!f->isReadOnly()) {
            QVERIFY2(!description(f).isEmpty(), qPrintable(f->objectName()));
            continue;
        }
        const QString text = f->text();
        bool number = false;
        text.toDouble(&number);
        if (!number) continue;
        const qsizetype shownDecimals =
            text.contains(u'.') ? text.size() - text.indexOf(u'.') - 1 : 0;
        const QString value = f->toolTip().section(u'\n', 0, 0).section(u' ', 0, 0);
        const qsizetype tipDecimals =
            value.contains(u'.') ? value.size() - value.indexOf(u'.') - 1 : 0;
        QVERIFY2(tipDecimals <= shownDecimals + 1, qPrintable(f->objectName() + ": " + value));
    }
    QVERIFY(c.tip(QStringLiteral("txtClimQs")).contains(QStringLiteral("U·A·(Ti − Tu)")));
    QVERIFY(c.tip(QStringLiteral("txtClimQsun")).contains(QStringLiteral("α·E·A_sun·U·Rse")));
    QVERIFY(c.tip(QStringLiteral("txtClimSunRse")).contains(QStringLiteral("α·E·A_sun·U·Rse")));
    QVERIFY(c.tip(QStringLiteral("txtClimK")).contains(QStringLiteral("열관류율 U")));
    QVERIFY(c.tip(QStringLiteral("txtClimK")).contains(QStringLiteral("W/(m²·K)")));
    // One term for the wall's coefficient.
    for (const QString& text : shownTexts(c.w))
        QVERIFY2(!text.contains(QStringLiteral("열통과율")), qPrintable(text));
}

// The status line holds every note whole, however many there are; the
// airflow factor's two lines are not cut.
void TestClimate::everyNoteCanBeReadWhole() {
    ClimateWindow c;
    c.w->chkClimSun->click();
    // Each field not read has a note of its own.
    applyEdits(c, {{"txtClimTuMin", "-10,5"},
                   {"txtClimRH", "150"},
                   {"txtClimAlt", "50000"},
                   {"txtClimMargin", "-10"},
                   {"txtClimSunAbs", "2"},
                   {"txtClimK", "-5"},
                   {"txtClimNightT", "x"},
                   {"txtClimPMin", "-1,0"},
                   {"txtClimDayT", "25 °C"},
                   {"txtClimSunE", "x"},
                   {"txtClimSunRse", "x"}});
    QVERIFY2(c.w->statusNotes().size() >= 8, qPrintable(c.status()));
    c.w->show();
    QApplication::processEvents();
    QLabel* label = c.w->lblClimStatus;
    QScrollArea* area = c.w->scrClimStatus;
    QCOMPARE(area->widget(), label);
    for (const QString& note : c.w->statusNotes()) QVERIFY(label->text().contains(note));
    // The label is as tall as its text needs; what the box cannot show at
    // once, it scrolls to.
    QVERIFY(label->height() >= label->heightForWidth(label->width()));
    QVERIFY(label->width() <= area->viewport()->width());
    QCOMPARE(area->verticalScrollBar()->maximum(),
             std::max(0, label->height() - area->viewport()->height()));
    QVERIFY(area->verticalScrollBar()->maximum() > 0);
    QLabel* factor = c.w->lblClimFlowFactor;
    c.type(QStringLiteral("txtClimAlt"), QStringLiteral("2000"));
    QVERIFY(factor->heightForWidth(factor->width()) <= factor->height());
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
