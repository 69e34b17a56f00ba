// The device list window as a user meets it: opened from the main window,
// lines added and typed, bad cells marked and left out of the sum, the sum
// applied to P, the list kept with the cabinet, and the window's keys and
// tooltips.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "CommaLocale.h"
#include "TestApp.h"
#include "design/DeviceImport.h"
#include "devices/DeviceCommands.h"
#include "devices/DeviceSources.h"
#include "devices/frmDevices.h"
#include "kit/FieldCues.h"
#include "kit/ProjectSession.h"

namespace {

struct DevicesWindow {
    DevicesWindow() {
        form = t.start();
        open();
    }
    void open() {
        form->cmdDevices->click();
        win = t.app->loadedWindow<frmDevices>();
        if (!win) qFatal("the device list window did not open");
    }
    // Types into a field as a user does, key by key where Qt Test can.
    void type(QLineEdit* f, const QString& text) const {
        QApplication::setActiveWindow(win);
        f->setFocus();
        f->selectAll();
        if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 128; }))
            QTest::keyClicks(f, text);
        else
            f->insert(text);
        if (text.isEmpty()) QTest::keyClick(f, Qt::Key_Delete);
    }
    // Edits a cell as the table's editor commits it.
    void cell(int row, int column, const QString& text) const {
        win->tblDevices->item(row, column)->setText(text);
    }
    QString shown(int row, int column) const { return win->tblDevices->item(row, column)->text(); }
    bool marked(int row, int column) const {
        return win->tblDevices->item(row, column)->data(Qt::BackgroundRole).isValid();
    }
    const Cabinet& cabinet() const { return t.app->project().current(); }

    TestApp t;
    Form1* form = nullptr;
    frmDevices* win = nullptr;
};

}  // namespace

class TestDevicesWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void buttonInEveryModeNotOnPaper();
    void typedLinesGiveTheSumAndApplyIt();
    void badCellsAreMarkedAndLeftOut_data();
    void badCellsAreMarkedAndLeftOut();
    void diversityShownAndOverridden();
    void editingCommands();
    void listBelongsToTheCabinet();
    void marginsFollowTheMainWindow();
    void everyControlExplainsItselfAndEscapeCloses();
    void preparedWindowOpensTheCurrentList();
    void libraryLinesAndTheUsersOwn();
    void csvImportTakesAllOrNothing();
};

void TestDevicesWindow::initTestCase() {
    if (commaLocaleRunRequested()) {
        QVERIFY2(decimalPointIsComma(),
                 qPrintable("this run needs the comma locale, the decimal point is \"" +
                            QString::fromStdString(currentDecimalPoint()) + "\""));
    }
}

// Free room in every mode, and a print hides it.
void TestDevicesWindow::buttonInEveryModeNotOnPaper() {
    TestApp t;
    Form1* form = t.start();
    QPushButton* button = form->cmdDevices;
    QCOMPARE(button->text(), QStringLiteral("기기 목록..."));
    QVERIFY(form->screenOnlyButtons().contains(button));
    bool onPaper = true;
    t.platform.onPrintDialog = [&](QWidget*) { onPaper = button->isVisible(); };
    form->cmdPrint->click();
    QVERIFY(!onPaper);
    QVERIFY(button->isVisible());
    for (SelectionMode mode : {SelectionMode::Aircon, SelectionMode::Fan1, SelectionMode::Fan2}) {
        form->selectMode(mode);
        QVERIFY(button->isVisibleTo(form));
        for (QWidget* other :
             button->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (other == button || !other->isVisibleTo(form)) continue;
            QVERIFY2(!other->geometry().intersects(button->geometry()),
                     qPrintable(QStringLiteral("overlaps %1").arg(other->objectName())));
        }
    }
}

void TestDevicesWindow::typedLinesGiveTheSumAndApplyIt() {
    DevicesWindow w;
    QCOMPARE(w.win->windowTitle(), QStringLiteral("기기 발열 목록"));
    QCOMPARE(w.win->tblDevices->rowCount(), 0);
    QCOMPARE(w.win->txtDevicesTotal->text(), QStringLiteral("0.0"));

    w.win->cmdDevAdd->click();
    QCOMPARE(w.win->selectedLine(), 0);
    QVERIFY(w.win->txtDevDescription->hasFocus() || !w.win->isActiveWindow());
    QVERIFY(w.win->fraDevLine->isVisibleTo(w.win));
    w.type(w.win->txtDevDescription, QStringLiteral("MCCB 3P 100A"));
    w.type(w.win->txtDevCount, "2");
    w.type(w.win->txtDevIn, "100");
    w.type(w.win->txtDevPn, "20");
    w.type(w.win->txtDevIb, "50");
    w.type(w.win->txtDevHeight, QStringLiteral("상부"));
    w.type(w.win->txtDevTmax, "55");
    // 2 · 20 · (50 / 100)² = 10 W
    QCOMPARE(w.shown(0, frmDevices::ColDescription), QStringLiteral("MCCB 3P 100A"));
    QCOMPARE(w.shown(0, frmDevices::ColLoss), QStringLiteral("10.0"));
    QCOMPARE(w.win->txtDevicesLoss->text(), QStringLiteral("10.0"));

    w.win->cmdDevAddConductor->click();
    QCOMPARE(w.win->selectedLine(), 1);
    QVERIFY(w.win->fraCondLine->isVisibleTo(w.win));
    QVERIFY(!w.win->fraDevLine->isVisibleTo(w.win));
    w.type(w.win->txtCondSection, "16");
    w.type(w.win->txtCondLength, "2");
    w.type(w.win->txtCondCurrent, "63");
    w.type(w.win->txtCondCount, "3");
    // 3 · 63² · 1.15 mΩ/m · 2 m · (1 + 0.00393 · 50) = 32.77 W
    QCOMPARE(w.win->txtConductorsLoss->text(), QStringLiteral("32.8"));
    QCOMPARE(w.win->txtDevicesTotal->text(), QStringLiteral("42.8"));
    QCOMPARE(w.shown(1, frmDevices::ColIn), QStringLiteral("16 mm² 2등급"));
    // Ti 35 °C without a rise verification: 55 − 35 = 20 K.
    QCOMPARE(w.shown(0, frmDevices::ColMargin), QStringLiteral("20.0"));
    QVERIFY(w.win->lblDevSource->text().contains(QStringLiteral("Ti")));
    QVERIFY(w.win->lblDevVerdict->text().contains(QStringLiteral("적합")));
    QVERIFY(w.win->lblDevVerdict->text().contains(QStringLiteral("MCCB 3P 100A")));

    // Kept with the cabinet as typed.
    const QList<DeviceLineTexts>& kept = w.cabinet().devices;
    QCOMPARE(kept.size(), 2);
    QCOMPARE(kept[0].value("ib"), QStringLiteral("50"));
    QCOMPARE(kept[0].value("height"), QStringLiteral("상부"));
    QCOMPARE(kept[1].value("kind"), QStringLiteral("conductor"));

    // 적용: P becomes the total, the main window's results are stale.
    w.form->cmdCal->click();
    QVERIFY(!w.form->inputsChangedSinceCalculation());
    w.win->cmdDevicesApply->click();
    QCOMPARE(w.form->txtPP->text(), QStringLiteral("42.8"));
    QVERIFY(w.form->inputsChangedSinceCalculation());
    QVERIFY(isFieldStale(w.form->txtPT));
    QCOMPARE(w.cabinet().fields.value("txtPP"), QStringLiteral("42.8"));
}

void TestDevicesWindow::badCellsAreMarkedAndLeftOut_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason");
    QTest::newRow("count with a comma") << int(frmDevices::ColCount) << "1,5"
                                        << "수량";
    QTest::newRow("count not whole") << int(frmDevices::ColCount) << "1.5"
                                     << "정수";
    QTest::newRow("In with a unit") << int(frmDevices::ColIn) << "16A"
                                    << "정격 전류 In";
    QTest::newRow("Pn 0") << int(frmDevices::ColPn) << "0"
                          << "0 이하";
    QTest::newRow("Ib six times In") << int(frmDevices::ColIb) << "96"
                                     << "5배";
    QTest::newRow("height beyond 1") << int(frmDevices::ColHeight) << "2"
                                     << "설치 높이";
    QTest::newRow("Tmax a word") << int(frmDevices::ColTmax) << "높음"
                                 << "허용 주위 온도";
}

void TestDevicesWindow::badCellsAreMarkedAndLeftOut() {
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, reason);
    DevicesWindow w;
    w.win->cmdDevAdd->click();
    w.cell(0, frmDevices::ColIn, "16");
    w.cell(0, frmDevices::ColPn, "3");
    w.win->cmdDevAdd->click();
    w.cell(1, frmDevices::ColIn, "10");
    w.cell(1, frmDevices::ColPn, "2");
    QCOMPARE(w.win->txtDevicesTotal->text(), QStringLiteral("5.0"));

    w.cell(0, column, text);
    QVERIFY(w.marked(0, column));
    QVERIFY(!w.marked(1, column));
    QCOMPARE(w.shown(0, frmDevices::ColLoss), QStringLiteral("—"));
    QCOMPARE(w.win->txtDevicesTotal->text(), QStringLiteral("2.0"));
    const QString status = w.win->lblDevStatus->text();
    QVERIFY2(status.contains(QStringLiteral("1줄이 입력 오류로 합계에서 빠졌습니다")),
             qPrintable(status));
    QVERIFY2(status.contains(QStringLiteral("1행: ")) && status.contains(reason),
             qPrintable(status));
    // The cell keeps the text as typed, and so does the project.
    QCOMPARE(w.shown(0, column), text);
    // The selected line's field carries the cue too.
    w.win->tblDevices->setCurrentCell(0, frmDevices::ColDescription);
    const QString member = frmDevices::memberOf(column, DeviceLineKind::Device);
    QLineEdit* field = nullptr;
    for (QLineEdit* f : w.win->findChildren<QLineEdit*>())
        if (f->text() == text && f->objectName().startsWith("txtDev")) field = f;
    QVERIFY(field);
    QVERIFY(isFieldNotUsed(field));
    QCOMPARE(w.cabinet().devices[0].value(member), text);
}

void TestDevicesWindow::diversityShownAndOverridden() {
    DevicesWindow w;
    w.win->cmdDevAdd->click();
    w.type(w.win->txtDevCount, "4");
    w.type(w.win->txtDevIn, "32");
    w.type(w.win->txtDevPn, "5");
    QCOMPARE(w.shown(0, frmDevices::ColFactor), QStringLiteral("1.0"));
    QCOMPARE(w.win->txtDevicesTotal->text(), QStringLiteral("20.0"));
    // Four circuits in a group: IEC 61439-2 Table 101 gives 0.8.
    w.type(w.win->txtDevGroup, "G1");
    QCOMPARE(w.shown(0, frmDevices::ColFactor), QStringLiteral("0.8"));
    QVERIFY(w.win->tblDevices->item(0, frmDevices::ColFactor)->font().italic());
    QCOMPARE(w.win->txtDevicesTotal->text(), QStringLiteral("12.8"));
    // Typed over, then emptied: the table's value again.
    w.cell(0, frmDevices::ColFactor, "0.5");
    QVERIFY(!w.win->tblDevices->item(0, frmDevices::ColFactor)->font().italic());
    QCOMPARE(w.win->txtDevicesTotal->text(), QStringLiteral("5.0"));
    QCOMPARE(w.cabinet().devices[0].value("factor"), QStringLiteral("0.5"));
    w.cell(0, frmDevices::ColFactor, "");
    QCOMPARE(w.shown(0, frmDevices::ColFactor), QStringLiteral("0.8"));
    QCOMPARE(w.win->txtDevicesTotal->text(), QStringLiteral("12.8"));
}

void TestDevicesWindow::editingCommands() {
    DevicesWindow w;
    // Without a line the commands on it change nothing and say why, and the
    // fields take no typing.
    for (QPushButton* b :
         {w.win->cmdDevRemove, w.win->cmdDevDuplicate, w.win->cmdDevUp, w.win->cmdDevDown}) {
        w.win->lblDevStatus->clear();
        b->click();
        QCOMPARE(w.win->lblDevStatus->text(), QStringLiteral("선택한 줄이 없습니다."));
    }
    QCOMPARE(w.win->tblDevices->rowCount(), 0);
    QVERIFY(w.win->txtDevPn->isReadOnly());
    for (const char* name : {"A", "B", "C"}) {
        w.win->cmdDevAdd->click();
        w.type(w.win->txtDevDescription, name);
        w.type(w.win->txtDevPn, "1");
    }
    auto names = [&]() {
        QStringList n;
        for (const DeviceLineTexts& l : w.cabinet().devices) n << l.value("description");
        return n;
    };
    QCOMPARE(names(), (QStringList{"A", "B", "C"}));
    w.win->tblDevices->setCurrentCell(0, frmDevices::ColDescription);
    w.win->cmdDevUp->click();
    QCOMPARE(names(), (QStringList{"A", "B", "C"}));
    QCOMPARE(w.win->selectedLine(), 0);
    QCOMPARE(w.win->lblDevStatus->text(), QStringLiteral("선택한 줄이 이미 맨 위에 있습니다."));
    w.win->cmdDevDown->click();
    QCOMPARE(names(), (QStringList{"B", "A", "C"}));
    QCOMPARE(w.win->selectedLine(), 1);
    w.win->cmdDevDuplicate->click();
    QCOMPARE(names(), (QStringList{"B", "A", "A", "C"}));
    QCOMPARE(w.win->selectedLine(), 2);
    w.win->cmdDevRemove->click();
    w.win->cmdDevRemove->click();
    QCOMPARE(names(), (QStringList{"B", "A"}));
    QCOMPARE(w.win->txtDevicesTotal->text(), QStringLiteral("2.0"));
    QCOMPARE(w.win->tblDevices->rowCount(), 2);
}

// Another cabinet shows its own list; a duplicate keeps it; the list
// travels with the project file.
void TestDevicesWindow::listBelongsToTheCabinet() {
    DevicesWindow w;
    ProjectSession& session = w.t.app->project();
    w.win->cmdDevAdd->click();
    w.type(w.win->txtDevPn, "7");
    session.addCabinet();
    QCOMPARE(w.win->tblDevices->rowCount(), 0);
    QCOMPARE(w.win->txtDevicesTotal->text(), QStringLiteral("0.0"));
    session.makeCurrent(0);
    QCOMPARE(w.win->tblDevices->rowCount(), 1);
    QCOMPARE(w.win->txtDevicesTotal->text(), QStringLiteral("7.0"));
    session.duplicateCabinet(0);
    QCOMPARE(session.currentIndex(), 1);
    QCOMPARE(w.cabinet().devices.size(), 1);
    QCOMPARE(w.win->tblDevices->rowCount(), 1);
    const ProjectReading back = ReadProject(session.fileBytes());
    QVERIFY(back.project);
    QCOMPARE(back.project->cabinets[1].devices, session.project().cabinets[0].devices);
}

// The margins are against the main window's Ti as it is typed.
void TestDevicesWindow::marginsFollowTheMainWindow() {
    DevicesWindow w;
    w.win->cmdDevAdd->click();
    w.type(w.win->txtDevPn, "1");
    w.type(w.win->txtDevTmax, "40");
    QCOMPARE(w.shown(0, frmDevices::ColMargin), QStringLiteral("5.0"));
    w.form->txtT2->setText("42");
    QCOMPARE(w.shown(0, frmDevices::ColMargin), QStringLiteral("-2.0"));
    QCOMPARE(w.shown(0, frmDevices::ColVerdict), QStringLiteral("부적합"));
    QVERIFY(w.win->lblDevVerdict->text().startsWith(QStringLiteral("판정: 부적합")));
}

void TestDevicesWindow::everyControlExplainsItselfAndEscapeCloses() {
    DevicesWindow w;
    for (QWidget* c : w.win->findChildren<QWidget*>()) {
        if (c->objectName().isEmpty() || c->objectName().startsWith("qt_")) continue;
        if (!qobject_cast<QLineEdit*>(c) && !qobject_cast<QPushButton*>(c) &&
            !qobject_cast<QComboBox*>(c) && !qobject_cast<QTableWidget*>(c) &&
            !qobject_cast<QLabel*>(c))
            continue;
        QVERIFY2(!description(c).isEmpty(), qPrintable(c->objectName()));
    }
    for (int col = 0; col < frmDevices::ColumnCount; ++col)
        QVERIFY(!w.win->tblDevices->horizontalHeaderItem(col)->toolTip().isEmpty());
    w.win->cmdDevAdd->click();
    // Escape in a cell being typed cancels the typing, not the window.
    QApplication::setActiveWindow(w.win);
    w.win->tblDevices->editItem(w.win->tblDevices->item(0, frmDevices::ColPn));
    QWidget* editor = QApplication::focusWidget();
    QVERIFY(editor && editor != w.win->tblDevices && w.win->tblDevices->isAncestorOf(editor));
    QTest::keyClicks(editor, "77");
    QTest::keyClick(editor, Qt::Key_Escape);
    processDeferredDeletes();
    QVERIFY(w.t.app->loadedWindow<frmDevices>());
    QCOMPARE(w.cabinet().devices[0].value("pn"), QString());
    QTest::keyClick(w.win->txtDevPn, Qt::Key_Escape);
    processDeferredDeletes();
    QVERIFY(!w.t.app->loadedWindow<frmDevices>());
    QVERIFY(w.form->isVisible());
    w.open();
    QCOMPARE(w.win->tblDevices->rowCount(), 1);
}

void TestDevicesWindow::preparedWindowOpensTheCurrentList() {
    TestApp t;
    Form1* form = t.start();
    keepDevicesWindowReady(*t.app);
    QTRY_VERIFY(t.app->preparedWindow<frmDevices>());
    t.app->project().setCabinetDevices(
        0, {DeviceLineTexts{{"kind", "device"}, {"count", "1"}, {"pn", "12.5"}}});
    form->cmdDevices->click();
    frmDevices* w = t.app->loadedWindow<frmDevices>();
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->tblDevices->rowCount(), 1);
    QCOMPARE(w->txtDevicesTotal->text(), QStringLiteral("12.5"));
}

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

}  // namespace

void TestDevicesWindow::libraryLinesAndTheUsersOwn() {
    DevicesWindow w;
    const QString own = w.t.userDir.path() + "/loss-library.json";
    setUserLossLibraryFile(own);
    w.win->cmdDevLibrary->click();
    auto* library = w.win->findChild<frmLossLibrary*>();
    QVERIFY(library && library->isVisible());
    const int typical = library->tblDevLibrary->rowCount();
    QVERIFY(typical >= 20);
    int mccb = -1;
    for (int r = 0; r < typical; ++r)
        if (library->tblDevLibrary->item(r, 0)->text() ==
            QStringLiteral("배선용 차단기 (MCCB) 3P 100 A"))
            mccb = r;
    QVERIFY(mccb >= 0);
    library->tblDevLibrary->setCurrentCell(mccb, 0);
    library->cmdLibAdd->click();
    QCOMPARE(w.cabinet().devices.size(), 1);
    QCOMPARE(w.cabinet().devices[0].value("in"), QStringLiteral("100"));
    QCOMPARE(w.win->txtDevicesTotal->text(), QStringLiteral("20.0"));

    // The list's selected line joins the user's file, shown marked.
    w.type(w.win->txtDevDescription, QStringLiteral("현장 차단기"));
    w.type(w.win->txtDevPn, "18.5");
    library->cmdLibAddOwn->click();
    LossLibraryReading kept = readLossLibrary(fileBytes(own));
    QVERIFY2(kept.error.isEmpty(), qPrintable(kept.error));
    QCOMPARE(kept.devices.size(), 1);
    QCOMPARE(kept.devices[0].description, QStringLiteral("현장 차단기"));
    QCOMPARE(kept.devices[0].ratedLoss, QStringLiteral("18.5"));
    QCOMPARE(library->tblDevLibrary->rowCount(), typical + 1);
    QCOMPARE(library->tblDevLibrary->item(typical, 0)->text(), QStringLiteral("★ 현장 차단기"));

    // A file that cannot be read is named and never written over.
    const QByteArray broken = "{\n \"format\": \"cabinetcool-loss-library\",\n oops\n}";
    writeFile(own, broken);
    library->reload();
    QCOMPARE(library->tblDevLibrary->rowCount(), typical);
    QVERIFY2(library->lblLibStatus->text().contains("3번째 줄"),
             qPrintable(library->lblLibStatus->text()));
    w.t.platform.messages.clear();
    library->cmdLibAddOwn->click();
    QCOMPARE(w.t.platform.messages.size(), 1);
    QVERIFY(w.t.platform.messages[0].contains(QDir::toNativeSeparators(own)));
    QCOMPARE(fileBytes(own), broken);
    setUserLossLibraryFile(QString());
}

void TestDevicesWindow::csvImportTakesAllOrNothing() {
    DevicesWindow w;
    w.win->cmdDevAdd->click();
    w.type(w.win->txtDevPn, "5");
    const QString dir = w.t.userDir.path();
    auto import = [&](const QString& name, const QByteArray& bytes) -> frmDeviceCsvImport* {
        writeFile(dir + "/" + name, bytes);
        w.t.platform.openAnswers.enqueue(dir + "/" + name);
        w.win->cmdDevImport->click();
        return w.win->findChild<frmDeviceCsvImport*>();
    };
    // Bad rows: listed with their lines, nothing taken.
    frmDeviceCsvImport* dialog =
        import("bad.csv", "Item;Qty;In;Loss\nA;1;10;2\nB;x;10;2\nC;1;10;0\n");
    QVERIFY(dialog);
    QCOMPARE(dialog->cboCsvDescription->currentIndex(), 1);
    QCOMPARE(dialog->cboCsvPn->currentIndex(), 4);
    dialog->cmdCsvImport->click();
    QVERIFY(dialog->isVisible());
    QVERIFY(dialog->lblCsvErrors->text().contains(QStringLiteral("3행: 수량")));
    QVERIFY(dialog->lblCsvErrors->text().contains(QStringLiteral("4행: 정격 손실 Pn")));
    QCOMPARE(w.cabinet().devices.size(), 1);
    QCOMPARE(w.win->tblDevices->rowCount(), 1);
    dialog->cmdCsvCancel->click();
    processDeferredDeletes();

    // A file that cannot be read: a message naming it and the line.
    w.t.platform.messages.clear();
    QVERIFY(!import("cut.csv", "Item,Loss\nA,\"2\n"));
    QCOMPARE(w.t.platform.messages.size(), 1);
    QVERIFY2(w.t.platform.messages[0].contains("cut.csv") &&
                 w.t.platform.messages[0].contains(QStringLiteral("2번째 줄")),
             qPrintable(w.t.platform.messages[0]));
    QCOMPARE(w.cabinet().devices.size(), 1);

    // Good rows are added at the end, the first of them selected.
    dialog = import("good.csv", "Item,Qty,Loss\nA,2,2\nB,1,3.5\n");
    QVERIFY(dialog);
    QCOMPARE(dialog->cboCsvIn->currentIndex(), 0);
    dialog->cmdCsvImport->click();
    processDeferredDeletes();
    QVERIFY(!w.win->findChild<frmDeviceCsvImport*>());
    QCOMPARE(w.cabinet().devices.size(), 3);
    QCOMPARE(w.win->selectedLine(), 1);
    QCOMPARE(w.win->txtDevicesTotal->text(), QStringLiteral("12.5"));
}

QTEST_MAIN(TestDevicesWindow)
#include "tst_devices_window.moc"
