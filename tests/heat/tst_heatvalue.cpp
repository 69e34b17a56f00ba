#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>
#include <cmath>

#include "TestApp.h"
#include "design/HeatValueTable.h"
#include "heat/frmHeatValue.h"
#include "kit/ScrollableClient.h"
#include "kit/Twips.h"

namespace {

const QString kOutOfRange = QStringLiteral(
    "총 발열량이 계산할 수 있는 범위를 벗어났습니다. 수량을 확인하세요.\n"
    "제어반내 발열량은 바뀌지 않았습니다.");

QByteArray fixture(const char* name) {
    QFile file(QStringLiteral(CC_TEST_DATA_DIR "/heat/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read fixture %s", name);
    return file.readAll();
}

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The main window started on `ini`, with the component heat window opened
// from its button as a user does.
struct HeatWindow {
    explicit HeatWindow(const QByteArray& ini = fixture("losses.ini")) : t(ini) {
        form = t.start();
        open();
    }
    frmHeatValue* open() {
        form->cmdHeatValue->click();
        window = t.app->loadedWindow<frmHeatValue>();
        if (!window) qFatal("the component heat window did not open");
        return window;
    }
    QLineEdit* field(const QString& name) const {
        auto* f = window->findChild<QLineEdit*>(name);
        if (!f) qFatal("no field %s", qPrintable(name));
        return f;
    }
    void set(const QString& name, const QString& text) const { field(name)->setText(text); }
    void calculate() const { window->cmdCalValue->click(); }
    QString total() const { return window->txtTotalHeatValue->text(); }
    QString pp() const { return form->txtPP->text(); }

    TestApp t;
    Form1* form = nullptr;
    frmHeatValue* window = nullptr;
};

QStringList countFieldNames() {
    QStringList names;
    for (const HeatFamilyRows& f : heatFamilies()) {
        for (size_t i = 0; i < f.rows.size(); ++i)
            names << QStringLiteral("%1_%2").arg(qs(f.fieldName)).arg(i);
    }
    return names;
}

using Counts = QList<QPair<QString, QString>>;

}  // namespace

class TestHeatValue : public QObject {
    Q_OBJECT
private slots:
    void rowsFollowTheConfigurationKeys();
    void openingShowsDesignState();
    void sums_data();
    void sums();
    void everyRowMultipliesItsOwnLoss();
    void familiesAreAddedInOrder();
    void secondPressAndChangedCount();
    void totalOutOfRange_data();
    void totalOutOfRange();
    void reset();
    void freshOpeningRereadsConfiguration();
    void closeBoxUnloads();
    void missingConfigurationGivesZero();
    void layoutKeepsRowsReadable();
    void lowScreenScrolls();
};

// Row i of a family must multiply entry i of its loss table: the key written
// beside each label is the configuration key of that entry.
void TestHeatValue::rowsFollowTheConfigurationKeys() {
    QCOMPARE(static_cast<int>(heatFamilies().size()), 8);
    int rows = 0;
    for (const HeatFamilyRows& family : heatFamilies()) {
        const EquipmentSection* section = nullptr;
        for (const EquipmentSection& s : equipmentSections()) {
            if (s.section == family.section) section = &s;
        }
        QVERIFY2(section, family.section.data());
        QCOMPARE(family.rows.size(), section->keys.size());
        QCOMPARE(familyLosses(EquipmentHeatTables{}, family.family).size(), section->keys.size());
        for (size_t i = 0; i < family.rows.size(); ++i)
            QCOMPARE(family.rows[i].key, section->keys[i]);
        rows += static_cast<int>(family.rows.size());
    }
    QCOMPARE(rows, 83);
}

void TestHeatValue::openingShowsDesignState() {
    HeatWindow h;
    QCOMPARE(h.window->windowTitle(), QStringLiteral(" [ 종류별 발열량 ]"));
    QVERIFY(h.window->isVisible());
    QCOMPARE(h.window->cmdCalValue->text(), QStringLiteral("계   산(적용)"));
    QCOMPARE(h.window->cmdInitValue->text(), QStringLiteral("초기화"));
    QCOMPARE(h.window->cmdExit->text(), QStringLiteral("Exit"));
    QCOMPARE(h.window->findChild<QLabel*>(QStringLiteral("lblTotalHeatValue"))->text(),
             QStringLiteral("총 발열량 :"));

    // 83 count fields, txtTransformerNum_0 ... txtInverterNum_26, plus the total.
    const QStringList names = countFieldNames();
    QCOMPARE(names.size(), 83);
    QCOMPARE(names.first(), QStringLiteral("txtTransformerNum_0"));
    QCOMPARE(names.last(), QStringLiteral("txtInverterNum_26"));
    QCOMPARE(h.window->findChildren<QLineEdit*>().size(), 84);
    for (const QString& name : names) QCOMPARE(h.field(name)->text(), QStringLiteral("0"));
    QVERIFY(!h.window->findChild<QLineEdit*>(QStringLiteral("txtInverterNum_27")));
    QCOMPARE(h.total(), QString());

    QStringList captions;
    for (QGroupBox* frame : h.window->findChildren<QGroupBox*>()) captions << frame->title();
    captions.sort();
    QCOMPARE(captions,
             (QStringList{" [ Contactor relay ] ", " [ Indicator ] ", " [ Inverter ] ", " [ PLC ] ",
                          " [ Power circuit-breaker ] ", " [ Power contactor ] ",
                          " [ Power supply unit ] ", " [ Transformer ] "}));

    // Pressing at once: nothing counted gives 0 here and in the main window.
    h.calculate();
    QCOMPARE(h.total(), QStringLiteral("0"));
    QCOMPARE(h.pp(), QStringLiteral("0"));
    QVERIFY(h.t.platform.messages.isEmpty());
}

// Losses of tests/data/heat/losses.ini: Transformer 250 = 12.5, 500 = 3;
// PowerCircuitBreaker 63 = 7; PLC 0.5 = 10; ContactorRelay DC = 4;
// PowerContactor 325000 = 0.25; Indicator 1.2 = 0.1; PowerSupply 10000 = 1000;
// Inverter 250000 = 2; everything else 0.
void TestHeatValue::sums_data() {
    QTest::addColumn<Counts>("counts");
    QTest::addColumn<QString>("total");
    QTest::addColumn<double>("value");

    QTest::newRow("12.5 x 2") << Counts{{"txtTransformerNum_0", "2"}} << "25" << 25.0;
    QTest::newRow("1.5 x 10 - 1 x 4")
        << Counts{{"txtPLCNum_0", "1.5"}, {"txtContactorRelayNum_1", "-1"}} << "11" << 11.0;
    QTest::newRow("3 x 0.1 shown as 0.3") << Counts{{"txtIndicatorNum_0", "3"}} << "0.3" << 0.3;
    QTest::newRow("letters and empty count 0")
        << Counts{{"txtTransformerNum_0", "abc"}, {"txtPLCNum_0", ""}, {"txtTransformerNum_1", "2"}}
        << "6" << 6.0;
    QTest::newRow("leading number is read") << Counts{{"txtTransformerNum_0", "2 pcs"},
                                                      {"txtPLCNum_0", "1,5"},
                                                      {"txtTransformerNum_1", " 1 0 "}}
                                            << "65" << 65.0;  // 2 x 12.5 + 1 x 10 + 10 x 3
    QTest::newRow("last rows of every long family") << Counts{{"txtInverterNum_26", "3"},
                                                              {"txtPowerSupplyNum_12", "1"},
                                                              {"txtPowerContactorNum_11", "4"},
                                                              {"txtCircuitBreakerNum_0", "1"}}
                                                    << "1014" << 1014.0;  // 6 + 1000 + 1 + 7
    QTest::newRow("rows without a loss add nothing")
        << Counts{{"txtTransformerNum_5", "100"}, {"txtInverterNum_0", "7"}, {"txtPLCNum_2", "-3"}}
        << "0" << 0.0;
    QTest::newRow("negative total")
        << Counts{{"txtPowerSupplyNum_12", "-0.5"}, {"txtIndicatorNum_0", "1"}} << "-499.9"
        << -499.9;
    QTest::newRow("huge but finite")
        << Counts{{"txtTransformerNum_0", "1E+300"}} << "1.25E+301" << 1.25e301;
}

void TestHeatValue::sums() {
    QFETCH(Counts, counts);
    QFETCH(QString, total);
    QFETCH(double, value);
    HeatWindow h;
    QCOMPARE(h.pp(), QStringLiteral("1100"));
    for (const auto& [name, text] : counts) h.set(name, text);
    h.calculate();
    QCOMPARE(h.total(), total);
    QCOMPARE(h.pp(), total);
    QCOMPARE(h.t.app->tables().TotalHeatValue, value);
    QVERIFY(h.t.platform.messages.isEmpty());
    // The counts stay as typed.
    for (const auto& [name, text] : counts) QCOMPARE(h.field(name)->text(), text);
}

// With a distinct loss for every key, a count of 1 in one row must give
// exactly that row's loss.
void TestHeatValue::everyRowMultipliesItsOwnLoss() {
    QByteArray ini;
    for (const HeatFamilyRows& family : heatFamilies()) {
        ini += "[" + QByteArray(family.section.data(), family.section.size()) + "]\n";
        for (size_t i = 0; i < family.rows.size(); ++i) {
            const int loss = (familyIndex(family.family) + 1) * 1000 + static_cast<int>(i) + 1;
            ini += QByteArray(family.rows[i].key.data(), family.rows[i].key.size()) + "=" +
                   QByteArray::number(loss) + "\n";
        }
    }
    HeatWindow h(ini);
    for (const HeatFamilyRows& family : heatFamilies()) {
        for (size_t i = 0; i < family.rows.size(); ++i) {
            h.window->cmdInitValue->click();
            QLineEdit* field = h.window->countField(family.family, static_cast<int>(i));
            QCOMPARE(field->objectName(), QStringLiteral("%1_%2").arg(qs(family.fieldName)).arg(i));
            field->setText(QStringLiteral("1"));
            h.calculate();
            const int loss = (familyIndex(family.family) + 1) * 1000 + static_cast<int>(i) + 1;
            QCOMPARE(h.total(), QString::number(loss));
            QCOMPARE(h.window->subtotal(family.family), double(loss));
        }
    }
}

// The subtotals are added PLC, transformer, indicator, inverter, contactor
// relay, power contactor, circuit-breaker, power supply. With 1E16 and -1E16
// cancelling before the breaker's 1 is added, the sum is exactly 1; in the
// order of the frames on screen the 1 would be lost against 1E16 first.
void TestHeatValue::familiesAreAddedInOrder() {
    HeatWindow h("[Transformer]\n250=1E16\n[Indicator]\n1.2=1E16\n[PowerCircuitBreaker]\n63=1\n");
    h.set(QStringLiteral("txtTransformerNum_0"), QStringLiteral("1"));
    h.set(QStringLiteral("txtIndicatorNum_0"), QStringLiteral("-1"));
    h.set(QStringLiteral("txtCircuitBreakerNum_0"), QStringLiteral("1"));
    h.calculate();
    QCOMPARE(h.total(), QStringLiteral("1"));
    QCOMPARE(h.window->subtotal(HeatFamily::Transformer), 1e16);
    QCOMPARE(h.window->subtotal(HeatFamily::Indicator), -1e16);
}

void TestHeatValue::secondPressAndChangedCount() {
    HeatWindow h;
    h.set(QStringLiteral("txtTransformerNum_0"), QStringLiteral("2"));
    h.set(QStringLiteral("txtPLCNum_0"), QStringLiteral("1"));
    h.calculate();
    QCOMPARE(h.total(), QStringLiteral("35"));
    h.calculate();
    QCOMPARE(h.total(), QStringLiteral("35"));
    QCOMPARE(h.window->subtotal(HeatFamily::Transformer), 25.0);
    QCOMPARE(h.window->subtotal(HeatFamily::Plc), 10.0);
    h.set(QStringLiteral("txtTransformerNum_0"), QStringLiteral("1"));
    h.calculate();
    QCOMPARE(h.total(), QStringLiteral("22.5"));
    QCOMPARE(h.pp(), QStringLiteral("22.5"));
    QCOMPARE(h.t.app->tables().TotalHeatValue, 22.5);
}

void TestHeatValue::totalOutOfRange_data() {
    QTest::addColumn<Counts>("counts");
    // 1E+308 x 12.5 overflows; 1E+400 is already read as the largest double.
    QTest::newRow("product overflows") << Counts{{"txtTransformerNum_0", "1E+308"}};
    QTest::newRow("count beyond double") << Counts{{"txtTransformerNum_0", "1E+400"}};
    QTest::newRow("negative overflow") << Counts{{"txtPowerSupplyNum_12", "-1E+306"}};
    // Infinity minus infinity within one family.
    QTest::newRow("not a number") << Counts{{"txtTransformerNum_0", "1E+308"},
                                            {"txtTransformerNum_1", "-1E+308"}};
    // Each product finite, their sum across families not.
    QTest::newRow("sum overflows")
        << Counts{{"txtPowerSupplyNum_12", "1.7E+305"}, {"txtPLCNum_0", "1.7E+307"}};
}

// A total beyond double precision is told to the user; the main window keeps
// its last good value and no stale total stands beside the new counts.
void TestHeatValue::totalOutOfRange() {
    QFETCH(Counts, counts);
    HeatWindow h;
    h.set(QStringLiteral("txtTransformerNum_0"), QStringLiteral("2"));
    h.calculate();
    QCOMPARE(h.pp(), QStringLiteral("25"));

    for (const auto& [name, text] : counts) h.set(name, text);
    h.calculate();
    QCOMPARE(h.t.platform.messages, QStringList{kOutOfRange});
    QCOMPARE(h.total(), QString());
    QCOMPARE(h.pp(), QStringLiteral("25"));
    QCOMPARE(h.t.app->tables().TotalHeatValue, 25.0);

    // Back in range, the window calculates again.
    h.window->cmdInitValue->click();
    h.set(QStringLiteral("txtIndicatorNum_0"), QStringLiteral("3"));
    h.calculate();
    QCOMPARE(h.total(), QStringLiteral("0.3"));
    QCOMPARE(h.pp(), QStringLiteral("0.3"));
    QCOMPARE(h.t.platform.messages.size(), 1);
}

void TestHeatValue::reset() {
    HeatWindow h;
    for (const QString& name : countFieldNames()) h.set(name, QStringLiteral("2"));
    h.calculate();
    // 2 x (12.5 + 3 + 7 + 10 + 4 + 0.25 + 0.1 + 1000 + 2)
    QCOMPARE(h.total(), QStringLiteral("2077.7"));
    QCOMPARE(h.pp(), QStringLiteral("2077.7"));

    h.window->cmdInitValue->click();
    for (const QString& name : countFieldNames())
        QCOMPARE(h.field(name)->text(), QStringLiteral("0"));
    QCOMPARE(h.total(), QStringLiteral("0"));
    QCOMPARE(h.pp(), QStringLiteral("2077.7"));
    QCOMPARE(h.t.app->tables().TotalHeatValue, 2077.7);
    for (const HeatFamilyRows& f : heatFamilies()) QCOMPARE(h.window->subtotal(f.family), 0.0);
}

// Opening the window afresh re-reads env/app.ini; bringing an open window to
// the front reads nothing and keeps its counts. The counts belong to the
// cabinet of the project: a fresh opening shows them again.
void TestHeatValue::freshOpeningRereadsConfiguration() {
    HeatWindow h;
    h.set(QStringLiteral("txtTransformerNum_0"), QStringLiteral("2"));
    h.t.writeIni("[Transformer]\n250=20\n");

    frmHeatValue* first = h.window;
    QCOMPARE(h.open(), first);
    QCOMPARE(h.field(QStringLiteral("txtTransformerNum_0"))->text(), QStringLiteral("2"));
    h.calculate();
    QCOMPARE(h.total(), QStringLiteral("25"));
    QCOMPARE(h.t.app->tables().TransformerLoss[0], 12.5);

    h.window->cmdExit->click();
    processDeferredDeletes();
    QVERIFY(!h.t.app->loadedWindow<frmHeatValue>());
    QCOMPARE(h.pp(), QStringLiteral("25"));

    h.open();
    QCOMPARE(h.field(QStringLiteral("txtTransformerNum_0"))->text(), QStringLiteral("2"));
    QCOMPARE(h.field(QStringLiteral("txtTransformerNum_1"))->text(), QStringLiteral("0"));
    QCOMPARE(h.total(), QString());
    QCOMPARE(h.t.app->tables().TransformerLoss[0], 20.0);
    QCOMPARE(h.t.app->tables().AirconModelCapacity[0], 0.0);  // the whole file is read again
    h.set(QStringLiteral("txtTransformerNum_0"), QStringLiteral("2"));
    h.calculate();
    QCOMPARE(h.total(), QStringLiteral("40"));
    QCOMPARE(h.pp(), QStringLiteral("40"));
}

void TestHeatValue::closeBoxUnloads() {
    HeatWindow h;
    h.set(QStringLiteral("txtPLCNum_1"), QStringLiteral("5"));
    h.window->close();
    processDeferredDeletes();
    QVERIFY(!h.t.app->loadedWindow<frmHeatValue>());
    h.open();
    QCOMPARE(h.field(QStringLiteral("txtPLCNum_1"))->text(), QStringLiteral("5"));

    // The main window's shutdown takes this window with it (the counts
    // typed into the project's cabinet are not to be saved).
    QPointer<frmHeatValue> window = h.window;
    h.t.platform.questionAnswers.enqueue(1);
    h.form->close();
    processDeferredDeletes();
    QVERIFY(window.isNull());
}

void TestHeatValue::missingConfigurationGivesZero() {
    auto t = TestApp::noIni();
    Form1* form = t->start();
    form->cmdHeatValue->click();
    frmHeatValue* window = t->app->loadedWindow<frmHeatValue>();
    QVERIFY(window);
    for (const QString& name : countFieldNames()) window->findChild<QLineEdit*>(name)->setText("3");
    window->cmdCalValue->click();
    QCOMPARE(window->txtTotalHeatValue->text(), QStringLiteral("0"));
    QCOMPARE(form->txtPP->text(), QStringLiteral("0"));
    QVERIFY(t->platform.messages.isEmpty());
}

// Every label fits in front of its count field, every row lies inside its
// frame, and frames and buttons do not cover one another.
void TestHeatValue::layoutKeepsRowsReadable() {
    HeatWindow h;
    QList<QWidget*> blocks;
    for (const HeatFamilyRows& family : heatFamilies()) {
        const QString fieldName = qs(family.fieldName);
        QLineEdit* first = h.window->countField(family.family, 0);
        auto* frame = qobject_cast<QGroupBox*>(first->parentWidget());
        QVERIFY(frame);
        QCOMPARE(frame->title(), qs(family.caption));
        QVERIFY(frame->font().bold());
        QCOMPARE(frame->font().pointSizeF(), 9.75);
        const int titleBottom = QFontMetrics(frame->font()).height();
        for (size_t i = 0; i < family.rows.size(); ++i) {
            QLineEdit* field = h.window->countField(family.family, static_cast<int>(i));
            QCOMPARE(field->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
            QVERIFY2(frame->rect().contains(field->geometry()), qPrintable(field->objectName()));
            QVERIFY2(field->geometry().top() >= titleBottom - 2, qPrintable(field->objectName()));
            auto* label = qobject_cast<QLabel*>(field->parentWidget()->findChild<QLabel*>(
                QStringLiteral("lbl%1_%2").arg(qs(family.section)).arg(i)));
            QVERIFY(label);
            QCOMPARE(label->text(), qs(family.rows[i].label));
            const int textWidth = QFontMetrics(label->font()).horizontalAdvance(label->text());
            QVERIFY2(label->geometry().left() + textWidth <= field->geometry().left(),
                     qPrintable(label->text()));
        }
        blocks << frame;
    }
    blocks << h.window->cmdInitValue << h.window->cmdCalValue << h.window->txtTotalHeatValue
           << h.window->cmdExit
           << h.window->findChild<QLabel*>(QStringLiteral("lblTotalHeatValue"));
    for (int a = 0; a < blocks.size(); ++a) {
        for (int b = a + 1; b < blocks.size(); ++b) {
            QVERIFY2(!blocks[a]->geometry().intersects(blocks[b]->geometry()),
                     qPrintable(blocks[a]->objectName() + " / " + blocks[b]->objectName()));
        }
    }
    QWidget* client = h.window->cmdExit->parentWidget();
    QCOMPARE(client->size(), twipsSize(15000, 10515));
    for (QWidget* w : blocks) QVERIFY(client->rect().contains(w->geometry()));
}

// The test screen is 800 pixels wide, narrower than the window's 1000: the
// window fits on it and the client, at its design size, scrolls to the
// inverters' last row.
void TestHeatValue::lowScreenScrolls() {
    HeatWindow h;
    const QRect available = h.window->screen()->availableGeometry();
    QVERIFY(available.width() < twips(15000));
    QVERIFY(h.window->height() <= available.height());
    QVERIFY(h.window->width() <= available.width());
    QScrollArea* area = clientScrollArea(h.window);
    QVERIFY(area);
    QCOMPARE(area->widget()->size(), twipsSize(15000, 10515));
    QVERIFY(area->horizontalScrollBar()->maximum() > 0);

    QLineEdit* last = h.window->countField(HeatFamily::Inverter, 26);
    area->ensureWidgetVisible(last);
    const QRect inViewport(last->mapTo(area->viewport(), QPoint(0, 0)), last->size());
    QVERIFY(area->viewport()->rect().contains(inViewport));
}

QTEST_MAIN(TestHeatValue)
#include "tst_heatvalue.moc"
