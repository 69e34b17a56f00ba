#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "CommaLocale.h"
#include "TestApp.h"
#include "info/frmHelp.h"

namespace {

QString fieldText(Form1* form, const char* name) {
    auto* field = form->findChild<QLineEdit*>(QString::fromLatin1(name));
    if (!field) qFatal("no field %s", name);
    return field->text();
}

void setField(Form1* form, const char* name, const QString& text) {
    auto* field = form->findChild<QLineEdit*>(QString::fromLatin1(name));
    if (!field) qFatal("no field %s", name);
    field->setText(text);
}

void click(Form1* form, const char* name) {
    auto* button = form->findChild<QAbstractButton*>(QString::fromLatin1(name));
    if (!button) qFatal("no button %s", name);
    button->click();
}

// Messages of the calculation, by the words that tell them apart.
const QString kHotter = QStringLiteral("계산 결과입니다.(희망설정온도<최고외기온도)");
const QString kCooler = QStringLiteral("계산 결과입니다.(희망설정온도>최고외기온도)");
const QString kHigh = QStringLiteral("설정 온도가 높습니다");
const QString kEqual = QStringLiteral("최고 외기온도와 설정온도가 같습니다. 다시 입력하세요");
const QString kNegative = QStringLiteral("반 자연발생 열량 값을 높게 잡으셔야 됩니다!~ ");
const QString kExceeded =
    QStringLiteral("선정된 모델을 초과 하였습니다. (추천모델 냉각능력 X 갯수)로 계산하세요. ");
const QString kSmall =
    QStringLiteral("최고 외기온도와 설정온도가 차이가 적습니다(10 이상). 다시 입력하세요.");
const QString kOutOfRange =
    QStringLiteral("입력한 값이 계산할 수 있는 범위를 벗어났습니다. 값을 확인하세요.");

}  // namespace

class TestApp_ : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void startUpState();
    void startUpShowsInformationWindowForTwoSeconds();
    void delayAcrossMidnight();
    void startUpWithoutConfiguration();
    void modeApplication_data();
    void modeApplication();
    void fan2KeepsTypedHeatHidden();
    void materialSurvivesModeChange();
    void reselectingSelectedModeKeepsFields();
    void calculation_data();
    void calculation();
    void fanEqualTemperaturesUsesEarlierResult();
    void outOfRangeInputs_data();
    void outOfRangeInputs();
    void closingMainWindowUnloadsEverything();
    void writtenValuesShowFromTheirStart();
};

void TestApp_::initTestCase() {
    // QApplication has set the locale from the environment, as in the program.
    if (commaLocaleRunRequested()) {
        QVERIFY2(decimalPointIsComma(),
                 qPrintable("this run needs the comma locale, the decimal point is \"" +
                            QString::fromStdString(currentDecimalPoint()) + "\""));
    }
}

void TestApp_::startUpState() {
    TestApp t;
    Form1* form = t.start();
    QVERIFY(form->isVisible());
    QVERIFY(form->OptBoxAircon->isChecked());
    QVERIFY(!form->OptBoxFan1->isChecked() && !form->OptBoxFan2->isChecked());
    QVERIFY(form->optSel[0]->isChecked() && !form->optSel[1]->isChecked());
    QCOMPARE(fieldText(form, "txtHeight"), "2");
    QCOMPARE(fieldText(form, "txtWidth"), "1");
    QCOMPARE(fieldText(form, "txtDepth"), "0.6");
    QCOMPARE(fieldText(form, "txtPP"), "1100");
    QCOMPARE(fieldText(form, "txtT1"), "40");
    QCOMPARE(fieldText(form, "txtT2"), "35");
    QCOMPARE(fieldText(form, "txtUU"), "5");
    QCOMPARE(fieldText(form, "txtSS"), "7");
    QCOMPARE(fieldText(form, "txtPT"), "");
    QCOMPARE(fieldText(form, "txtKind"), "");
    QCOMPARE(fieldText(form, "txtCoolValue"), "");
    QVERIFY(!form->txtT3->isVisible() && !form->txtT4->isVisible());
    QVERIFY(!form->cmdDiagram->isVisible());
    QCOMPARE(form->lblT2->text(), QStringLiteral("제어반내희망설정 온도"));
    QCOMPARE(form->Frame1->title(),
             QStringLiteral(" [ Cabinet Aircon 제품 기종 선정 (내부발열량) ] "));
    QCOMPARE(form->windowTitle(), QStringLiteral("에어컨&박스팬 제품 선정"));
    QCOMPARE(t.app->tables().AirconModelCapacity[7], 1600.0);
    QVERIFY(t.platform.messages.isEmpty());
    QVERIFY(!t.app->loadedWindow<frmHelp>());
}

void TestApp_::startUpShowsInformationWindowForTwoSeconds() {
    TestApp t;
    int visibleDuringWait = 0;
    bool mainShownDuringWait = false;
    t.platform.duringProcessEvents = [&]() {
        if (frmHelp* help = t.app->loadedWindow<frmHelp>(); help && help->isVisible())
            ++visibleDuringWait;
        if (t.form() && t.form()->isVisible()) mainShownDuringWait = true;
    };
    t.platform.clockStep = 0.25f;
    t.start();
    // The clock moves 0.25 s per poll and is read before each poll: the
    // readings 0, 0.25, ..., 2.25 make ten polls, the last one above 2.
    QCOMPARE(t.platform.processEventsCalls, 10);
    QCOMPARE(visibleDuringWait, 10);
    QVERIFY(!mainShownDuringWait);
    QVERIFY(!t.app->loadedWindow<frmHelp>());
}

void TestApp_::delayAcrossMidnight() {
    TestApp t;
    Form1* form = t.start();
    t.platform.clock = 86399.5f;
    t.platform.clockStep = 0.25f;
    t.platform.processEventsCalls = 0;
    form->Delay(2);
    // Neither at once nor a day later.
    QVERIFY(t.platform.processEventsCalls >= 8);
    QVERIFY(t.platform.processEventsCalls <= 10);
    QVERIFY(t.platform.clock > 1.0f && t.platform.clock < 2.5f);
}

void TestApp_::startUpWithoutConfiguration() {
    auto t = TestApp::noIni();
    Form1* form = t->start();
    QVERIFY(t->platform.messages.isEmpty());
    for (double v : t->app->tables().AirconModelCapacity) QCOMPARE(v, 0.0);
    QCOMPARE(t->app->tables().FanModelName[0], std::string("VK-170"));
    // The calculation still runs: every capacity is 0, so the last entry.
    click(form, "cmdCal");
    QCOMPARE(fieldText(form, "txtPT"), "1275.00");
    QCOMPARE(fieldText(form, "txtKind"), "VKA-0BR");
    QCOMPARE(fieldText(form, "txtCoolValue"), "0");
    QCOMPARE(t->platform.messages, (QStringList{kHotter, kExceeded, kSmall}));
}

void TestApp_::modeApplication_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("texts");  // width, depth, height, PP, T1, T2, SS
    QTest::addColumn<QString>("t2Label");
    QTest::addColumn<bool>("measured");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Fan1") << "OptBoxFan1"
                          << QStringList{"0.63", "0.63", "1.25", "500", "40", "55", "3.5469"}
                          << "반내 허용 온도 :" << false
                          << " [ Cabinet Box Fan 제품 기종 선정 (내부발열량) ] ";
    QTest::newRow("Fan2") << "OptBoxFan2"
                          << QStringList{"0.63", "0.63", "1.25", "typed", "40", "55", "3.5469"}
                          << "반내 허용 온도 :" << true
                          << " [ Cabinet Box Fan 제품 기종 선정 (측정온도) ] ";
    QTest::newRow("Aircon again") << "OptBoxAircon"
                                  << QStringList{"1", "0.6", "2", "1100", "40", "35", "7"}
                                  << "제어반내희망설정 온도" << false
                                  << " [ Cabinet Aircon 제품 기종 선정 (내부발열량) ] ";
}

void TestApp_::modeApplication() {
    QFETCH(QString, button);
    QFETCH(QStringList, texts);
    QFETCH(QString, t2Label);
    QFETCH(bool, measured);
    QFETCH(QString, caption);
    TestApp t;
    Form1* form = t.start();
    if (button == "OptBoxAircon") click(form, "OptBoxFan1");
    // The user's own values are replaced by the mode's defaults.
    for (const char* name : {"txtWidth", "txtDepth", "txtHeight", "txtT1", "txtT2", "txtPP"}) {
        setField(form, name, QStringLiteral("typed"));
    }
    form->txtPT->setText(QStringLiteral("12.00"));
    click(form, button.toLatin1().constData());
    const char* names[] = {"txtWidth", "txtDepth", "txtHeight", "txtPP", "txtT1", "txtT2", "txtSS"};
    for (int i = 0; i < 7; ++i) QCOMPARE(fieldText(form, names[i]), texts[i]);
    QCOMPARE(form->lblT2->text(), t2Label);
    QCOMPARE(form->Frame1->title(), caption);
    QCOMPARE(form->txtPP->isVisible(), !measured);
    QCOMPARE(form->cmdHeatValue->isVisible(), !measured);
    QCOMPARE(form->cmdHeatproduced->isVisible(), !measured);
    QCOMPARE(form->txtT3->isVisible(), measured);
    QCOMPARE(form->txtT4->isVisible(), measured);
    if (measured) {
        QCOMPARE(fieldText(form, "txtT3"), "40");
        QCOMPARE(fieldText(form, "txtT4"), "68");
    }
    QVERIFY(form->cmdSS->isVisible());
    QVERIFY(!form->cmdDiagram->isVisible());
    QCOMPARE(fieldText(form, "txtPT"), "12.00");  // results are not touched
    QVERIFY(t.platform.messages.isEmpty());
}

void TestApp_::fan2KeepsTypedHeatHidden() {
    TestApp t;
    Form1* form = t.start();
    setField(form, "txtPP", "777");
    click(form, "OptBoxFan2");
    QVERIFY(!form->txtPP->isVisible());
    QCOMPARE(fieldText(form, "txtPP"), "777");
}

void TestApp_::materialSurvivesModeChange() {
    TestApp t;
    Form1* form = t.start();
    form->optSel[1]->click();
    QCOMPARE(fieldText(form, "txtUU"), "3.7");
    click(form, "OptBoxFan1");
    QCOMPARE(fieldText(form, "txtUU"), "3.7");
    QVERIFY(form->optSel[1]->isChecked() && !form->optSel[0]->isChecked());
    QVERIFY(form->OptBoxFan1->isChecked());
    form->optSel[0]->click();
    QVERIFY(form->OptBoxFan1->isChecked());
    QCOMPARE(fieldText(form, "txtUU"), "5");
}

void TestApp_::reselectingSelectedModeKeepsFields() {
    TestApp t;
    Form1* form = t.start();
    setField(form, "txtHeight", "3");
    click(form, "OptBoxAircon");  // already selected: no mode application
    form->selectMode(SelectionMode::Aircon);
    QCOMPARE(fieldText(form, "txtHeight"), "3");
    QCOMPARE(fieldText(form, "txtSS"), "7");
}

void TestApp_::calculation_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("edits");  // name=value pairs applied after the mode
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("results");  // txtSS, txtPT, txtKind, txtCoolValue
    QTest::newRow("aircon defaults")
        << "OptBoxAircon" << QStringList{} << QStringList{kHotter, kSmall}
        << QStringList{"7", "1275.00", "VKA-1600BR", "1600"};
    QTest::newRow("aircon equal temperatures")
        << "OptBoxAircon" << QStringList{"txtT2=40"} << QStringList{kCooler, kSmall}
        << QStringList{"7", "1100.00", "VKA-1600BR", "1600"};
    QTest::newRow("aircon set above outside")
        << "OptBoxAircon" << QStringList{"txtT1=35", "txtT2=40"} << QStringList{kCooler, kSmall}
        << QStringList{"7", "925.00", "VKA-1100BR", "1100"};
    QTest::newRow("aircon difference 10 opens chart")
        << "OptBoxAircon" << QStringList{"txtT2=30"} << QStringList{kHotter}
        << QStringList{"7", "1450.00", "VKA-1600BR", "1600"};
    QTest::newRow("aircon difference 9.99")
        << "OptBoxAircon" << QStringList{"txtT2=30.01"} << QStringList{kHotter, kSmall}
        << QStringList{"7", "1449.65", "VKA-1600BR", "1600"};
    QTest::newRow("aircon above every model")
        << "OptBoxAircon" << QStringList{"txtPP=5000"} << QStringList{kHotter, kExceeded, kSmall}
        << QStringList{"7", "5175.00", "VKA-3500BR", "3500"};
    QTest::newRow("aircon equal to a capacity")
        << "OptBoxAircon" << QStringList{"txtPP=1425"} << QStringList{kHotter, kSmall}
        << QStringList{"7", "1600.00", "VKA-2000BR", "2000"};
    QTest::newRow("aircon negative result") << "OptBoxAircon" << QStringList{"txtPP=0", "txtT2=45"}
                                            << QStringList{kCooler, kNegative, kSmall}
                                            << QStringList{"7", "-175.00", "VKA-350BR", "350"};
    QTest::newRow("fan1 defaults") << "OptBoxFan1" << QStringList{} << QStringList{}
                                   << QStringList{"3.5469", "15.60", "VK-280", "17.5"};
    QTest::newRow("fan2 defaults") << "OptBoxFan2" << QStringList{} << QStringList{}
                                   << QStringList{"3.5469", "15.37", "VK-280", "17.5"};
    QTest::newRow("fan1 set temperature high")
        << "OptBoxFan1" << QStringList{"txtT2=35"} << QStringList{kHigh, kNegative, kSmall}
        << QStringList{"3.5469", "-117.73", "VK-170", "8"};
    QTest::newRow("fan1 difference -10")
        << "OptBoxFan1" << QStringList{"txtT2=30"} << QStringList{kHigh, kNegative}
        << QStringList{"3.5469", "-67.73", "VK-170", "8"};
    QTest::newRow("fan1 above every model")
        << "OptBoxFan1" << QStringList{"txtPP=3000"} << QStringList{kExceeded}
        << QStringList{"3.5469", "182.27", "VK-400", "120"};
    QTest::newRow("fan1 empty fields read as 0")
        << "OptBoxFan1" << QStringList{"txtHeight=", "txtPP=abc", "txtT1=", "txtT2=x"}
        << QStringList{kEqual, kSmall} << QStringList{"0.3969", "", "VK-170", "8"};
}

void TestApp_::calculation() {
    QFETCH(QString, mode);
    QFETCH(QStringList, edits);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, results);
    TestApp t;
    Form1* form = t.start();
    click(form, mode.toLatin1().constData());
    for (const QString& edit : edits) {
        const qsizetype eq = edit.indexOf('=');
        setField(form, edit.left(eq).toLatin1().constData(), edit.mid(eq + 1));
    }
    click(form, "cmdCal");
    QCOMPARE(t.platform.messages, messages);
    QCOMPARE(fieldText(form, "txtSS"), results[0]);
    QCOMPARE(fieldText(form, "txtPT"), results[1]);
    QCOMPARE(fieldText(form, "txtKind"), results[2]);
    QCOMPARE(fieldText(form, "txtCoolValue"), results[3]);
}

void TestApp_::fanEqualTemperaturesUsesEarlierResult() {
    TestApp t;
    Form1* form = t.start();
    click(form, "OptBoxFan2");
    click(form, "cmdCal");
    QCOMPARE(fieldText(form, "txtPT"), "15.37");
    t.platform.messages.clear();
    setField(form, "txtT2", "40");
    setField(form, "txtPP", "20");  // hidden in this mode; must not matter
    click(form, "cmdCal");
    QCOMPARE(fieldText(form, "txtPT"), "15.37");
    QCOMPARE(fieldText(form, "txtKind"), "VK-280");
    QCOMPARE(t.platform.messages, (QStringList{kEqual, kSmall}));
}

void TestApp_::outOfRangeInputs_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::newRow("dimension 1E+200") << "txtHeight"
                                      << "1E+200";
    QTest::newRow("temperature 1E+308") << "txtT1"
                                        << "1E+308";
    QTest::newRow("temperature 1E999") << "txtT2"
                                       << "-1E999";
    QTest::newRow("coefficient") << "txtUU"
                                 << "1e308";
}

void TestApp_::outOfRangeInputs() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    TestApp t;
    Form1* form = t.start();
    click(form, "cmdCal");
    t.platform.messages.clear();
    if (field == "txtHeight") setField(form, "txtDepth", text);
    setField(form, field.toLatin1().constData(), text);
    click(form, "cmdCal");
    QCOMPARE(t.platform.messages, QStringList{kOutOfRange});
    QCOMPARE(fieldText(form, "txtSS"), "7");
    QCOMPARE(fieldText(form, "txtPT"), "1275.00");
    QCOMPARE(fieldText(form, "txtKind"), "VKA-1600BR");
    for (QLineEdit* e : form->findChildren<QLineEdit*>()) {
        QVERIFY(!e->text().contains("inf", Qt::CaseInsensitive));
        QVERIFY(!e->text().contains("nan", Qt::CaseInsensitive));
    }
}

void TestApp_::closingMainWindowUnloadsEverything() {
    TestApp t;
    Form1* form = t.start();
    QPointer<frmHelp> other = t.app->showWindow<frmHelp>();
    QVERIFY(other->isVisible());
    QCOMPARE(t.app->loadedWindows().size(), 2);
    click(form, "cmdExit");
    QVERIFY(t.app->loadedWindows().isEmpty());
    processDeferredDeletes();
    QVERIFY(other.isNull());
    QVERIFY(!t.app->mainWindow());
}

// A narrow field shows the first digits of a value the program writes, also
// when a second calculation writes the same text again (QLineEdit::setText
// moves the cursor to the end even then); a field being edited keeps the
// cursor where the user put it.
void TestApp_::writtenValuesShowFromTheirStart() {
    TestApp t;
    Form1* form = t.start();
    setField(form, "txtHeight", "1.23456789012345");
    click(form, "cmdCal");
    auto* area = form->findChild<QLineEdit*>(QStringLiteral("txtSS"));
    QVERIFY(area->text().size() > 10);
    QCOMPARE(area->cursorPosition(), 0);
    area->setCursorPosition(5);  // as an earlier edit might leave it
    click(form, "cmdCal");
    QCOMPARE(area->text(), fieldText(form, "txtSS"));
    QCOMPARE(area->cursorPosition(), 0);

    auto* height = form->findChild<QLineEdit*>(QStringLiteral("txtHeight"));
    QApplication::setActiveWindow(form);
    height->setFocus();
    QVERIFY(height->hasFocus());
    height->setCursorPosition(3);
    QCOMPARE(height->cursorPosition(), 3);
}

QTEST_MAIN(TestApp_)
#include "tst_app.moc"
