// The project window as a user meets it: cabinets added, copied, moved and
// removed; switching between them with the other windows open; saving,
// reopening, broken files; the recent list; recovery after a crash;
// calculation files in and out; the main window's close.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QUrl>
#include <QtTest>
#include <cerrno>

#include "TestApp.h"
#include "app/ProjectLinks.h"
#include "files/CoolFile.h"
#include "heat/frmHeatValue.h"
#include "kit/FileAccess.h"
#include "kit/ProjectSession.h"
#include "projectwindow/ProjectCommands.h"
#include "projectwindow/frmProject.h"
#include "report/ReportCommands.h"
#include "rise/frmRise.h"

namespace {

const QString kCool = QStringLiteral(CC_TEST_DATA_DIR "/cool/");
const QString kProjects = QStringLiteral(CC_TEST_DATA_DIR "/project/");

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray("<unreadable>");
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write");
    file.write(bytes);
}

QByteArray projectJson(const QJsonObject& info, const QStringList& tags) {
    QJsonArray cabinets;
    for (const QString& tag : tags) cabinets.append(QJsonObject{{"tag", tag}});
    return QJsonDocument(QJsonObject{{"format", "cabinetcool-project"},
                                     {"version", 1},
                                     {"project", info},
                                     {"cabinets", cabinets}})
        .toJson();
}

// The writer's system call of this name fails with this errno.
QByteArray g_failingCall;
int g_failingErrno = 0;
int failingProbe(const char* call) { return g_failingCall == call ? g_failingErrno : 0; }

// The program started, its project window opened from the main window.
struct ProjectWindow {
    ProjectWindow() {
        form = t.start();
        form->cmdProject->click();
        w = t.app->loadedWindow<frmProject>();
        if (!w) qFatal("the project window did not open");
    }
    ProjectSession& session() const { return t.app->project(); }
    QString cell(int row, int column) const {
        QTableWidgetItem* item = w->tblProjCabinets->item(row, column);
        return item ? item->text() : QString();
    }
    QStringList tags() const {
        QStringList list;
        for (int r = 0; r < w->tblProjCabinets->rowCount(); ++r) list << cell(r, 0);
        return list;
    }
    void choose(int row) const { w->tblProjCabinets->setCurrentCell(row, 1); }
    static void type(QLineEdit* field, const QString& text) {
        field->selectAll();
        field->insert(text);  // as typing: textEdited
    }
    QString path(const QString& name) const { return t.userDir.filePath(name); }

    TestApp t;
    Form1* form = nullptr;
    frmProject* w = nullptr;
};

}  // namespace

class TestProjectWindow : public QObject {
    Q_OBJECT
private slots:
    void startsWithOneCabinetOfStartUpValues();
    void cabinetsAddedCopiedMovedRemoved();
    void switchingKeepsEveryWindowsInputs();
    void savedProjectReopensExactly();
    void unsavedChangesAreAskedAbout_data();
    void unsavedChangesAreAskedAbout();
    void brokenProjectFilesLeaveTheProject_data();
    void brokenProjectFilesLeaveTheProject();
    void laterVersionOpensReadOnly();
    void tagsDifferingInSpacesOpenApart();
    void longTextsStayWithinTheirLimits();
    void saveFailureSaysWhy_data();
    void saveFailureSaysWhy();
    void tagsAndCountsAreChecked_data();
    void tagsAndCountsAreChecked();
    void recentProjects();
    void recoveryAfterACrash();
    void recoveryCopyOfAnotherRunIsKept_data();
    void recoveryCopyOfAnotherRunIsKept();
    void calculationFilesInAndOut();
    void governingChoiceAndBillOfDevices();
    void escapeClosesAndTooltipsExplain();
    void droppedFilesOpen_data();
    void droppedFilesOpen();
};

void TestProjectWindow::startsWithOneCabinetOfStartUpValues() {
    ProjectWindow p;
    QCOMPARE(p.tags(), QStringList{"+A1"});
    QVERIFY(!p.session().modified());
    QVERIFY(p.w->windowTitle().contains("새 프로젝트"));
    QVERIFY(!p.w->windowTitle().contains('*'));
    QCOMPARE(p.cell(0, 4), QString("2 × 1 × 0.6"));
    QCOMPARE(p.cell(0, 5), QString("1100"));
    // An edit in the main window belongs to the cabinet, and the title says so.
    p.form->txtPP->setText("900");
    QVERIFY(p.session().modified());
    QVERIFY(p.w->windowTitle().endsWith('*'));
    QCOMPARE(p.cell(0, 5), QString("900"));
    p.form->cmdCal->click();
    QCOMPARE(p.cell(0, 7), QString("1075.00 W"));
    QCOMPARE(p.cell(0, 11), QString("최신"));
    p.form->txtHeight->setText("2.2");
    QCOMPARE(p.cell(0, 11), QString("입력 변경됨 (다시 계산 필요)"));

    // Calculated cabinets stay calculated while the user goes through them.
    p.form->cmdCal->click();
    p.w->cmdProjAdd->click();
    p.form->txtPP->setText("700");
    p.form->cmdCal->click();
    p.t.platform.saveAnswers.enqueue(p.path("calculated.ccproj"));
    p.w->cmdProjSave->click();
    for (int row : {0, 1, 0, 1}) {
        p.choose(row);
        QCOMPARE(p.cell(0, 11), QString("최신"));
        QCOMPARE(p.cell(1, 11), QString("최신"));
        QVERIFY(!p.session().modified());
    }
}

void TestProjectWindow::cabinetsAddedCopiedMovedRemoved() {
    ProjectWindow p;
    p.form->txtHeight->setText("1.8");
    p.w->cmdProjAdd->click();
    QCOMPARE(p.tags(), (QStringList{"+A1", "+A2"}));
    QCOMPARE(p.session().currentIndex(), 1);
    // A new cabinet starts from the start-up values, not the last one's.
    QCOMPARE(p.form->txtHeight->text(), QString("2"));
    p.form->txtHeight->setText("2.4");

    p.choose(0);
    QCOMPARE(p.form->txtHeight->text(), QString("1.8"));
    p.w->cmdProjDuplicate->click();
    QCOMPARE(p.tags(), (QStringList{"+A1", "+A1 (2)", "+A2"}));
    QCOMPARE(p.session().currentIndex(), 1);
    QCOMPARE(p.form->txtHeight->text(), QString("1.8"));

    p.w->cmdProjDown->click();
    QCOMPARE(p.tags(), (QStringList{"+A1", "+A2", "+A1 (2)"}));
    QCOMPARE(p.session().currentIndex(), 2);
    p.w->cmdProjDown->click();  // already at the bottom: it says so
    QCOMPARE(p.tags(), (QStringList{"+A1", "+A2", "+A1 (2)"}));
    QVERIFY(p.w->lblProjStatus->text().contains("맨 아래"));
    p.w->cmdProjUp->click();
    p.w->cmdProjUp->click();
    QCOMPARE(p.tags(), (QStringList{"+A1 (2)", "+A1", "+A2"}));

    // Removing confirms the removal of the named cabinet and writes no file;
    // "취소" keeps it.
    p.t.platform.questionAnswers.enqueue(1);
    p.w->cmdProjRemove->click();
    QCOMPARE(p.t.platform.questions.size(), 1);
    QVERIFY(p.t.platform.questions.last().contains("\"+A1 (2)\""));
    QVERIFY(p.t.platform.questions.last().contains("삭제"));
    QCOMPARE(p.tags().size(), 3);
    p.t.platform.questionAnswers.enqueue(0);  // 삭제
    p.w->cmdProjRemove->click();
    QVERIFY(p.t.platform.saveDialogs.isEmpty());
    QCOMPARE(p.tags(), (QStringList{"+A1", "+A2"}));
    QCOMPARE(p.session().currentIndex(), 0);
    QCOMPARE(p.form->txtHeight->text(), QString("1.8"));
    p.choose(1);
    QCOMPARE(p.form->txtHeight->text(), QString("2.4"));
    p.t.platform.questionAnswers.enqueue(0);
    p.w->cmdProjRemove->click();
    QCOMPARE(p.tags(), QStringList{"+A1"});
    // The last cabinet stays, and the window says why.
    p.w->cmdProjRemove->click();
    QCOMPARE(p.tags(), QStringList{"+A1"});
    QVERIFY(p.w->lblProjStatus->text().contains("마지막 제어반"));
}

void TestProjectWindow::switchingKeepsEveryWindowsInputs() {
    ProjectWindow p;
    // Cabinet 1 with component counts and a climate design of its own.
    p.form->cmdHeatValue->click();
    auto* heat = p.t.app->loadedWindow<frmHeatValue>();
    QVERIFY(heat);
    heat->findChild<QLineEdit*>("txtTransformerNum_0")->setText("3");
    openClimateDesign(*p.t.app);
    QWidget* climate = p.t.app->loadedWindows().last();
    QCOMPARE(climate->objectName(), QString("frmClimate"));
    auto* altitude = climate->findChild<QLineEdit*>("txtClimAlt");
    auto* install = climate->findChild<QComboBox*>("cboClimInstall");
    altitude->setText("1500");
    install->setCurrentIndex(4);
    p.form->cmdRise->click();
    auto* rise = p.t.app->loadedWindow<frmRise>();
    QVERIFY(rise);
    rise->txtRisePartitions->setText("2");
    rise->chkRiseVent->setChecked(true);

    p.w->cmdProjAdd->click();
    QCOMPARE(rise->txtRisePartitions->text(), QString("0"));
    QVERIFY(!rise->chkRiseVent->isChecked());
    // The new cabinet has none of them.
    QCOMPARE(heat->findChild<QLineEdit*>("txtTransformerNum_0")->text(), QString("0"));
    QCOMPARE(altitude->text(), QString("0"));
    altitude->setText("300");

    p.choose(0);
    QCOMPARE(heat->findChild<QLineEdit*>("txtTransformerNum_0")->text(), QString("3"));
    QCOMPARE(altitude->text(), QString("1500"));
    QCOMPARE(install->currentIndex(), 4);
    QCOMPARE(rise->txtRisePartitions->text(), QString("2"));
    QVERIFY(rise->chkRiseVent->isChecked());
    // The dimensions come from the main window, whatever the cabinet kept.
    QCOMPARE(rise->txtRiseHeight->text(), p.form->txtHeight->text());
    p.choose(1);
    QCOMPARE(altitude->text(), QString("300"));

    // Closed and opened again, the climate window shows the cabinet's design.
    p.t.app->unloadWindow(climate);
    processDeferredDeletes();
    p.choose(0);
    openClimateDesign(*p.t.app);
    climate = p.t.app->loadedWindows().last();
    QCOMPARE(climate->findChild<QLineEdit*>("txtClimAlt")->text(), QString("1500"));
    QCOMPARE(climate->findChild<QComboBox*>("cboClimInstall")->currentIndex(), 4);
}

void TestProjectWindow::savedProjectReopensExactly() {
    ProjectWindow p;
    ProjectWindow::type(p.w->txtProjName, "라인업 A");
    ProjectWindow::type(p.w->txtProjCustomer, "고객사");
    p.w->txtProjNote->setPlainText("첫 줄\n둘째 줄");
    p.form->OptBoxFan1->click();
    p.form->txtPP->setText("1,100");  // kept as typed
    p.form->cmdHeatValue->click();
    p.t.app->loadedWindow<frmHeatValue>()->findChild<QLineEdit*>("txtPLCNum_1")->setText("4");
    p.w->cmdProjAdd->click();
    ProjectWindow::type(p.w->txtCabTag, "+B7");
    ProjectWindow::type(p.w->txtCabDescription, "출력반");
    ProjectWindow::type(p.w->txtCabCount, "3");
    p.form->txtWidth->setText("0.8");

    const QString file = p.path("line-up.ccproj");
    p.t.platform.saveAnswers.enqueue(file);
    p.w->cmdProjSave->click();
    QCOMPARE(p.t.platform.saveDialogs.size(), 1);
    QCOMPARE(p.t.platform.saveDialogs.first().defaultName, QString("라인업 A.ccproj"));
    QVERIFY(!p.session().modified());
    QVERIFY(!p.w->windowTitle().endsWith('*'));
    QVERIFY(p.w->windowTitle().contains("라인업 A"));
    const Project saved = p.session().project();
    const QJsonObject top = QJsonDocument::fromJson(readAll(file)).object();
    QCOMPARE(top["format"].toString(), QString("cabinetcool-project"));
    QCOMPARE(top["cabinets"]
                 .toArray()[0]
                 .toObject()["main"]
                 .toObject()["fields"]
                 .toObject()["txtPP"]
                 .toString(),
             QString("1,100"));

    // Saving again writes to the same file without asking.
    p.form->txtDepth->setText("0.5");
    p.w->cmdProjSave->click();
    QCOMPARE(p.t.platform.saveDialogs.size(), 1);

    ProjectWindow q;
    q.t.platform.openAnswers.enqueue(file);
    q.w->cmdProjOpen->click();
    QCOMPARE(q.t.platform.messages, QStringList());
    QCOMPARE(q.tags(), (QStringList{"+A1", "+B7"}));
    QCOMPARE(q.w->txtProjName->text(), QString("라인업 A"));
    QCOMPARE(q.w->txtProjNote->toPlainText(), QString("첫 줄\n둘째 줄"));
    QCOMPARE(q.form->selectedMode(), SelectionMode::Fan1);
    QCOMPARE(q.form->txtPP->text(), QString("1,100"));
    QCOMPARE(q.cell(1, 2), QString("3"));
    q.choose(1);
    QCOMPARE(q.form->txtWidth->text(), QString("0.8"));
    QCOMPARE(q.form->txtDepth->text(), QString("0.5"));
    q.form->cmdHeatValue->click();
    q.choose(0);
    QCOMPARE(q.t.app->loadedWindow<frmHeatValue>()->findChild<QLineEdit*>("txtPLCNum_1")->text(),
             QString("4"));
    QVERIFY(!q.session().modified());
}

void TestProjectWindow::unsavedChangesAreAskedAbout_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("answer");  // 0 저장, 1 저장 안 함, 2 취소
    QTest::addColumn<bool>("goesOn");
    for (const char* action : {"new project", "close main window"}) {
        QTest::addRow("%s, cancel", action) << action << 2 << false;
        QTest::addRow("%s, don't save", action) << action << 1 << true;
        QTest::addRow("%s, save", action) << action << 0 << true;
        QTest::addRow("%s, save cancelled", action) << action << -1 << false;
    }
}

void TestProjectWindow::unsavedChangesAreAskedAbout() {
    QFETCH(QString, action);
    QFETCH(int, answer);
    QFETCH(bool, goesOn);
    ProjectWindow p;
    p.form->txtHeight->setText("2.5");
    const QString file = p.path("asked.ccproj");
    p.t.platform.questionAnswers.enqueue(answer < 0 ? 0 : answer);
    if (answer == 0) p.t.platform.saveAnswers.enqueue(file);
    if (action == "new project") {
        p.w->cmdProjNew->click();
        QCOMPARE(p.form->txtHeight->text(), goesOn ? QString("2") : QString("2.5"));
    } else {
        p.form->close();
        QCOMPARE(p.form->isVisible(), !goesOn);
    }
    QCOMPARE(p.t.platform.questions.size(), 1);
    QVERIFY(p.t.platform.questions.first().contains("새 프로젝트"));
    QCOMPARE(QFile::exists(file), answer == 0);
    if (answer == 0) QVERIFY(readAll(file).contains("\"txtHeight\": \"2.5\""));
}

void TestProjectWindow::brokenProjectFilesLeaveTheProject_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QByteArray() << "비어";
    QTest::newRow("not JSON") << QByteArray("Aircon\r\n") << "JSON";
    QTest::newRow("tag used twice") << QByteArray(R"({"format": "cabinetcool-project", "version": 1,
                         "cabinets": [{"tag": "+A1"}, {"tag": "+A1"}]})")
                                    << "cabinets[1].tag";
    QTest::newRow("larger than 16 MiB") << QByteArray(kMaxProjectFileBytes + 10, ' ') << "16 MiB";
    QTest::newRow("missing") << QByteArray("<missing>") << "찾을 수 없습니다";
}

void TestProjectWindow::brokenProjectFilesLeaveTheProject() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    ProjectWindow p;
    p.form->txtHeight->setText("2.5");
    const Project before = p.session().project();
    const QString file = p.path("broken.ccproj");
    if (bytes != "<missing>") writeFile(file, bytes);
    p.t.platform.questionAnswers.enqueue(1);
    openProjectFile(*p.t.app, p.w, file);
    QCOMPARE(p.t.platform.messages.size(), 1);
    const QString shown = p.t.platform.messages.first();
    QVERIFY2(shown.contains(file) && shown.contains(message), qPrintable(shown));
    QVERIFY(p.session().project() == before);
    QCOMPARE(p.form->txtHeight->text(), QString("2.5"));
}

void TestProjectWindow::laterVersionOpensReadOnly() {
    ProjectWindow p;
    // As the command line and a drop open it.
    openNamedFile(*p.t.app, p.form, kProjects + "later-version.ccproj");
    QCOMPARE(p.t.platform.messages.size(), 1);
    QVERIFY(p.t.platform.messages.first().contains("버전 4"));
    QVERIFY(p.session().readOnly());
    QVERIFY(p.w->windowTitle().contains("읽기 전용"));
    QCOMPARE(p.form->selectedMode(), SelectionMode::Fan2);
    QCOMPARE(p.form->txtT3->text(), QString("31"));
    // "저장" does not write over it: it asks for a new name.
    const QString copy = p.path("copy.ccproj");
    p.t.platform.saveAnswers.enqueue(copy);
    p.w->cmdProjSave->click();
    QCOMPARE(p.t.platform.saveDialogs.size(), 1);
    QVERIFY(readAll(copy).contains("\"approval\""));
    QVERIFY(!p.session().readOnly());
}

void TestProjectWindow::tagsDifferingInSpacesOpenApart() {
    ProjectWindow p;
    const QString file = p.path("spaces.ccproj");
    writeFile(file, projectJson({}, {"+A1", "+A1 "}));
    const QByteArray before = readAll(file);
    QVERIFY(openProjectFile(*p.t.app, p.w, file));
    QCOMPARE(p.tags(), (QStringList{"+A1", "+A1 (2)"}));
    QCOMPARE(p.t.platform.messages.size(), 1);
    QVERIFY(p.t.platform.messages.first().contains("\"+A1 (2)\""));
    QVERIFY(p.t.platform.messages.first().contains(QDir::toNativeSeparators(file)));
    // What is shown is not the file: a save writes it, the file is as it was.
    QVERIFY(p.session().modified());
    QVERIFY(!p.session().readOnly());
    QCOMPARE(readAll(file), before);
    // Both rows take edits, and a tag typed with spaces is the tag without.
    p.choose(1);
    ProjectWindow::type(p.w->txtCabTag, "+A2");
    QCOMPARE(p.tags(), (QStringList{"+A1", "+A2"}));
    QVERIFY(p.w->lblProjStatus->text().isEmpty());
    p.choose(0);
    ProjectWindow::type(p.w->txtCabTag, " +A2 ");
    QCOMPARE(p.tags(), (QStringList{"+A1", "+A2"}));
    QVERIFY(p.w->lblProjStatus->text().contains("+A2"));
    ProjectWindow::type(p.w->txtCabTag, "+A3");
    QCOMPARE(p.tags(), (QStringList{"+A3", "+A2"}));
}

// A text laid out as one long line would hold the window for seconds: none
// goes in beyond its limit, from a file, a paste or the keyboard.
void TestProjectWindow::longTextsStayWithinTheirLimits() {
    ProjectWindow p;
    const QString file = p.path("long-note.ccproj");
    writeFile(file, projectJson({{"name", "긴 메모"}, {"note", QString(1 << 20, 'x')}}, {"+A1"}));
    const QByteArray before = readAll(file);
    QVERIFY(openProjectFile(*p.t.app, p.w, file));
    QCOMPARE(p.t.platform.messages.size(), 1);
    const QString message = p.t.platform.messages.first();
    QVERIFY2(message.contains("project.note") && message.contains("10000") &&
                 message.contains("읽기 전용"),
             qPrintable(message));
    QCOMPARE(p.w->txtProjNote->toPlainText(), QString(kMaxProjectNoteLength, 'x'));
    QVERIFY(p.session().readOnly());
    QVERIFY(p.w->windowTitle().contains("읽기 전용"));
    QVERIFY(!p.w->windowTitle().contains("형식 버전"));
    // "저장" asks for a new name; the file keeps its whole note.
    const QString copy = p.path("copy.ccproj");
    p.t.platform.saveAnswers.enqueue(copy);
    p.w->cmdProjSave->click();
    QCOMPARE(p.t.platform.saveDialogs.size(), 1);
    QCOMPARE(readAll(file), before);
    QCOMPARE(ReadProject(readAll(copy)).project->info.note.size(), kMaxProjectNoteLength);
    QVERIFY(!p.session().readOnly());

    // A paste goes in as far as there is room.
    QPlainTextEdit* note = p.w->txtProjNote;
    note->setPlainText(QString(kMaxProjectNoteLength - 10, 'x'));
    note->moveCursor(QTextCursor::End);
    QGuiApplication::clipboard()->setText(QString(1 << 20, 'y'));
    note->paste();
    QCOMPARE(note->toPlainText(), QString(kMaxProjectNoteLength - 10, 'x') + QString(10, 'y'));
    // Keys typed at the limit are taken back, and the window says why.
    const QString full = note->toPlainText();
    note->moveCursor(QTextCursor::Start);
    QTest::keyClicks(note, "zz");
    QCOMPARE(note->toPlainText(), full);
    QCOMPARE(note->textCursor().position(), 0);
    QVERIFY(p.w->lblProjStatus->text().contains("10000"));
    QCOMPARE(p.session().project().info.note, note->toPlainText());

    // The one-line texts the same.
    for (QLineEdit* field : {p.w->txtProjName, p.w->txtProjCompany, p.w->txtCabDescription}) {
        field->setFocus();
        field->selectAll();
        QGuiApplication::clipboard()->setText(QString(1 << 20, 'w'));
        field->paste();
        QCOMPARE(field->text(), QString(kMaxProjectLineLength, 'w'));
    }
    QCOMPARE(p.session().project().info.name.size(), kMaxProjectLineLength);
    QCOMPARE(p.session().project().info.company.size(), kMaxProjectLineLength);
    QCOMPARE(p.session().current().description.size(), kMaxProjectLineLength);

    // A field of a file, kept whole, shows its beginning in the table; a
    // kept result too stays whole in the project.
    QJsonObject cabinet{
        {"tag", "+B1"},
        {"main", QJsonObject{{"fields", QJsonObject{{"txtPP", "9" + QString(1 << 20, '0')}}}}},
        {"results", QJsonObject{{"model", QString(1 << 20, 'M')}}}};
    const QString wide = p.path("wide-results.ccproj");
    writeFile(wide, QJsonDocument(QJsonObject{{"format", "cabinetcool-project"},
                                              {"version", 1},
                                              {"cabinets", QJsonArray{cabinet}}})
                        .toJson());
    p.t.platform.questionAnswers.enqueue(1);  // 저장 안 함
    QVERIFY(openProjectFile(*p.t.app, p.w, wide));
    QVERIFY(p.cell(0, 5).startsWith("90") && p.cell(0, 5).size() == kMaxProjectLineLength);
    QCOMPARE(p.session().project().cabinets[0].results.model.size(), 1 << 20);
}

void TestProjectWindow::tagsAndCountsAreChecked_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kept");  // the tag or the count afterwards
    QTest::addColumn<bool>("error");
    QTest::newRow("new tag") << "txtCabTag"
                             << "+X9"
                             << "+X9" << false;
    QTest::newRow("tag of another cabinet") << "txtCabTag"
                                            << "+A2"
                                            << "+A1" << true;
    QTest::newRow("blank tag") << "txtCabTag"
                               << "  "
                               << "+A1" << true;
    QTest::newRow("count") << "txtCabCount"
                           << "4"
                           << "4" << false;
    QTest::newRow("count with blanks") << "txtCabCount"
                                       << " 4 "
                                       << "4" << false;
    QTest::newRow("count with a thousands separator") << "txtCabCount"
                                                      << "1,000"
                                                      << "1" << true;
    QTest::newRow("count not whole") << "txtCabCount"
                                     << "2.5"
                                     << "1" << true;
    QTest::newRow("count zero") << "txtCabCount"
                                << "0"
                                << "1" << true;
    QTest::newRow("count with letters") << "txtCabCount"
                                        << "3대"
                                        << "1" << true;
}

void TestProjectWindow::tagsAndCountsAreChecked() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, kept);
    QFETCH(bool, error);
    ProjectWindow p;
    p.w->cmdProjAdd->click();
    p.choose(0);
    ProjectWindow::type(p.w->findChild<QLineEdit*>(field), text);
    const Cabinet& c = p.session().project().cabinets[0];
    QCOMPARE(field == "txtCabTag" ? c.tag : QString::number(c.count), kept);
    QCOMPARE(p.w->lblProjStatus->text().isEmpty(), !error);
    QCOMPARE(p.w->findChild<QLineEdit*>(field)->styleSheet().isEmpty(), !error);
    if (error)
        QVERIFY(p.w->findChild<QLineEdit*>(field)->toolTip().contains(text.trimmed()) ||
                field == "txtCabTag");
}

void TestProjectWindow::saveFailureSaysWhy_data() {
    QTest::addColumn<QString>("name");     // in the user's folder
    QTest::addColumn<QByteArray>("call");  // the writer's call that fails, if any
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("cause");
    QTest::newRow("no such folder")
        << "없는 폴더/p.ccproj" << QByteArray() << 0 << "폴더가 없습니다";
    QTest::newRow("name too long")
        << QString(300, QChar(0xD55C)) + ".ccproj" << QByteArray() << 0 << "너무 깁니다";
    QTest::newRow("a folder has the name")
        << "폴더.ccproj" << QByteArray() << 0 << "폴더나 특수 파일";
    QTest::newRow("disk full") << "p.ccproj" << QByteArray("write") << ENOSPC << "공간이 없습니다";
    QTest::newRow("quota full") << "p.ccproj" << QByteArray("sync") << EDQUOT << "공간이 없습니다";
    QTest::newRow("folder not writable")
        << "p.ccproj" << QByteArray("create") << EACCES << "쓸 권한이 없습니다";
    QTest::newRow("read-only disk")
        << "p.ccproj" << QByteArray("create") << EROFS << "쓸 권한이 없습니다";
    QTest::newRow("input/output error")
        << "p.ccproj" << QByteArray("rename") << EIO << "시스템 오류";
}

// A project that cannot be saved says why, and what to do, under a title of
// its own; the project stays unsaved and nothing is written.
void TestProjectWindow::saveFailureSaysWhy() {
    QFETCH(QString, name);
    QFETCH(QByteArray, call);
    QFETCH(int, error);
    QFETCH(QString, cause);
    ProjectWindow p;
    const QString target = p.path(name);
    if (name == "폴더.ccproj") QVERIFY(QDir().mkpath(target));
    const QStringList before = QDir(p.t.userDir.path()).entryList(QDir::AllEntries | QDir::Hidden);
    p.form->txtPP->setText("900");
    g_failingCall = call;
    g_failingErrno = error;
    setFileWriteProbe(&failingProbe);
    const auto noProbe = qScopeGuard([] { setFileWriteProbe(nullptr); });
    p.t.platform.saveAnswers.enqueue(target);
    p.w->cmdProjSave->click();
    QCOMPARE(p.t.platform.messages.size(), 1);
    const QString message = p.t.platform.messages.first();
    QVERIFY2(message.startsWith(FakePlatform::errorText("프로젝트 저장 오류", "")),
             qPrintable(message));
    QVERIFY2(message.contains(cause), qPrintable(message));
    QVERIFY2(message.contains(QDir::toNativeSeparators(target)), qPrintable(message));
    QVERIFY(p.session().modified());
    QVERIFY(p.session().filePath().isEmpty());
    QCOMPARE(QDir(p.t.userDir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
}

void TestProjectWindow::recentProjects() {
    ProjectWindow p;
    QStringList files;
    for (int i = 0; i < 10; ++i) {
        files << p.path(QStringLiteral("p%1.ccproj").arg(i));
        p.t.platform.saveAnswers.enqueue(files.last());
        p.w->cmdProjSaveAs->click();
    }
    QCOMPARE(p.w->lstProjRecent->count(), 8);
    QCOMPARE(p.w->lstProjRecent->item(0)->text(), QString("p9.ccproj"));
    QCOMPARE(p.w->lstProjRecent->item(7)->text(), QString("p2.ccproj"));
    // A file that is gone is taken off the list with a message.
    QFile::remove(files[5]);
    p.w->openRecent(4);
    QCOMPARE(p.t.platform.messages.size(), 1);
    QVERIFY(p.t.platform.messages.first().contains("p5.ccproj"));
    QCOMPARE(p.w->lstProjRecent->count(), 7);
    p.w->openRecent(4);  // p4 now
    QCOMPARE(p.session().filePath(), files[4]);
    QCOMPARE(p.w->lstProjRecent->item(0)->text(), QString("p4.ccproj"));
}

void TestProjectWindow::recoveryAfterACrash() {
    QTemporaryDir user;
    const QString recoveryDir = user.filePath("recovery");
    {
        ProjectWindow p;
        ProjectSession::setRecoveryFolder(recoveryDir);
        ProjectWindow::type(p.w->txtProjName, "복구 시험");
        p.form->txtHeight->setText("2.7");
        p.session().writeRecoveryCopy();
        p.session().waitForRecoveryWrites();
        QCOMPARE(QDir(recoveryDir).entryList({"*.ccproj"}).size(), 1);
        // A running program's own copy is never offered.
        QVERIFY(ProjectSession::leftoverRecoveryCopies().isEmpty());
        // The crash: the copy and the lock file stay as a killed program
        // leaves them (the lock is gone with the process).
        const QString copy = QDir(recoveryDir).entryList({"*.ccproj"}).first();
        QVERIFY(QFile::copy(recoveryDir + "/" + copy, recoveryDir + "/999999.ccproj"));
        writeFile(recoveryDir + "/999999.lock", "");
        // A clean exit removes its own copy.
    }
    QCOMPARE(QDir(recoveryDir).entryList({"*.ccproj"}), QStringList{"999999.ccproj"});

    TestApp t;
    ProjectSession::setRecoveryFolder(recoveryDir);
    Form1* form = t.start();
    t.platform.questionAnswers.enqueue(0);  // 복구
    offerProjectRecovery(*t.app, form);
    QCOMPARE(t.platform.questions.size(), 1);
    QVERIFY(t.platform.questions.first().contains("복구 시험"));
    QCOMPARE(form->txtHeight->text(), QString("2.7"));
    QCOMPARE(t.app->project().project().info.name, QString("복구 시험"));
    QVERIFY(t.app->project().modified());
    QCOMPARE(QDir(recoveryDir).entryList({"*.ccproj"}), QStringList());
    // Nothing left to offer at the next start.
    t.platform.questions.clear();
    offerProjectRecovery(*t.app, form);
    QCOMPARE(t.platform.questions, QStringList());
}

void TestProjectWindow::recoveryCopyOfAnotherRunIsKept_data() {
    QTest::addColumn<QString>("name");
    const QString pid = QString::number(QCoreApplication::applicationPid());
    // An older version named its copies after the process id alone.
    QTest::newRow("older version, this process id") << pid;
    // A run before a reboot, or in another container, that had this id.
    QTest::newRow("another run, this process id") << pid + "-00000000deadbeef";
}

// A start that gets the process id of a run that did not end finds that
// run's copy: it offers it, writes its own elsewhere and leaves it whole at
// a save and at its exit; a copy whose lock a running program holds is
// neither offered, restored nor removed.
void TestProjectWindow::recoveryCopyOfAnotherRunIsKept() {
    QFETCH(QString, name);
    QTemporaryDir user;
    const QString recoveryDir = user.filePath("recovery");
    QVERIFY(QDir().mkpath(recoveryDir));
    Project lost;
    lost.info.name = "남은 작업";
    // Older versions took a note of any length.
    lost.info.note = QString(kMaxProjectNoteLength + 1, 'n');
    lost.cabinets.append(Cabinet{});
    lost.cabinets[0].tag = "+Z9";
    const QByteArray bytes = ProjectBytes(lost);
    const QString leftover = recoveryDir + "/" + name + ".ccproj";
    writeFile(leftover, bytes);
    const QStringList onlyLeftover{name + ".ccproj"};
    {
        ProjectWindow p;
        ProjectSession::setRecoveryFolder(recoveryDir);
        QList<ProjectSession::Leftover> offered = ProjectSession::leftoverRecoveryCopies();
        QCOMPARE(offered.size(), 1);
        QCOMPARE(offered[0].file, leftover);
        QCOMPARE(offered[0].name, QString("남은 작업"));

        // This run's own copy goes beside it, under a name of its own.
        p.form->txtHeight->setText("2.7");
        p.session().writeRecoveryCopy();
        p.session().waitForRecoveryWrites();
        QVERIFY(p.session().recoveryFile() != leftover);
        QVERIFY(QFile::exists(p.session().recoveryFile()));
        QCOMPARE(readAll(leftover), bytes);
        offered = ProjectSession::leftoverRecoveryCopies();
        QCOMPARE(offered.size(), 1);
        QCOMPARE(offered[0].file, leftover);

        // A save removes this run's copy only.
        p.t.platform.saveAnswers.enqueue(p.path("saved.ccproj"));
        p.w->cmdProjSave->click();
        QCOMPARE(QDir(recoveryDir).entryList({"*.ccproj"}), onlyLeftover);
        p.form->txtHeight->setText("2.8");
        p.session().writeRecoveryCopy();
        p.session().waitForRecoveryWrites();
        QCOMPARE(QDir(recoveryDir).entryList({"*.ccproj"}).size(), 2);
    }
    // So does the exit.
    QCOMPARE(QDir(recoveryDir).entryList({"*.ccproj"}), onlyLeftover);
    QCOMPARE(readAll(leftover), bytes);

    TestApp t;
    ProjectSession::setRecoveryFolder(recoveryDir);
    Form1* form = t.start();
    // Another running program has taken it: not offered, not restored, not
    // removed.
    const int held = ::open(QFile::encodeName(recoveryDir + "/" + name + ".lock").constData(),
                            O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    QVERIFY(held >= 0);
    QCOMPARE(::flock(held, LOCK_EX | LOCK_NB), 0);
    QVERIFY(ProjectSession::leftoverRecoveryCopies().isEmpty());
    const ProjectSession::Leftover copy{leftover, QString("남은 작업"), QDateTime()};
    ProjectSession::discardLeftover(copy);
    QString error;
    QVERIFY(!t.app->project().restoreRecoveryCopy(copy, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(readAll(leftover), bytes);
    QVERIFY(t.app->project().project().info.name.isEmpty());
    ::close(held);

    // Let go, it is offered and restored.
    t.platform.questionAnswers.enqueue(0);  // 복구
    offerProjectRecovery(*t.app, form);
    QCOMPARE(t.platform.questions.size(), 1);
    QCOMPARE(t.app->project().project().info.name, QString("남은 작업"));
    QCOMPARE(t.app->project().project().cabinets[0].tag, QString("+Z9"));
    QCOMPARE(QDir(recoveryDir).entryList({"*.ccproj"}), QStringList());
    // Its note is cut to the limit: saved only under a name the user chooses.
    QCOMPARE(t.app->project().project().info.note.size(), kMaxProjectNoteLength);
    QVERIFY(t.app->project().readOnly());
}

void TestProjectWindow::calculationFilesInAndOut() {
    ProjectWindow p;
    const QString broken = kCool + "empty.col";
    p.t.platform.openManyAnswers.enqueue(
        {kCool + "aircon-crlf.col", kCool + "fan2-lf.col", broken});
    p.w->cmdProjImportCol->click();
    QCOMPARE(p.tags(), (QStringList{"+A1", "aircon-crlf", "fan2-lf"}));
    QCOMPARE(p.t.platform.messages.size(), 1);
    QVERIFY(p.t.platform.messages.first().contains("empty.col"));
    QCOMPARE(p.w->lblProjStatus->text(),
             QString("계산 파일 2개를 제어반으로 가져왔습니다. 1개는 가져오지 못했습니다."));
    // Cancelled on the way: what came in stays, the rest is not read.
    p.t.platform.openManyAnswers.enqueue({kCool + "aircon-lf.col", kCool + "fan2-crlf.col",
                                          kCool + "fan1-trailing-lines-crlf.col",
                                          kCool + "model-utf8-lf.col"});
    QTimer watch;
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, [&]() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* bar = qobject_cast<QProgressDialog*>(w);
            if (bar && bar->value() >= 2) bar->cancel();
        }
    });
    watch.start();
    p.w->cmdProjImportCol->click();
    watch.stop();
    QCOMPARE(p.tags(), (QStringList{"+A1", "aircon-crlf", "fan2-lf", "aircon-lf", "fan2-crlf"}));
    QCOMPARE(p.w->lblProjStatus->text(),
             QString("계산 파일 2개를 제어반으로 가져왔습니다. 취소하여 나머지 2개는 가져오지 "
                     "않았습니다."));
    QCOMPARE(p.t.platform.messages.size(), 1);
    for (const QString& tag : {QString("aircon-lf"), QString("fan2-crlf")})
        p.session().removeCabinet(static_cast<int>(p.tags().indexOf(tag)));
    // The current cabinet stays the one it was.
    QCOMPARE(p.session().currentIndex(), 0);
    QCOMPARE(p.cell(2, 3), QString("팬 (측정 온도)"));
    // An imported cabinet holds the file's results: not changed until it is
    // edited. These files' results are not what their inputs give now.
    for (int row : {1, 2}) QCOMPARE(p.cell(row, 11), QString("재계산 값과 다름"));
    p.choose(1);
    QCOMPARE(p.cell(1, 11), QString("재계산 값과 다름"));
    p.form->txtHeight->setText("2.5");
    QCOMPARE(p.cell(1, 11), QString("입력 변경됨 (다시 계산 필요)"));

    // The selected cabinet out as a calculation file: what Save As writes.
    p.choose(2);
    const QString exported = p.path("out.col");
    p.t.platform.saveAnswers.enqueue(exported);
    p.w->cmdProjExportCol->click();
    QCOMPARE(p.t.platform.saveDialogs.last().defaultName, QString("fan2-lf.col"));
    const QString savedAs = p.path("saved-as.col");
    p.t.platform.saveAnswers.enqueue(savedAs);
    p.form->cmdSaveAs->click();
    QCOMPARE(readAll(exported), readAll(savedAs));
    QVERIFY(readAll(exported).startsWith("FAN2"));
}

void TestProjectWindow::governingChoiceAndBillOfDevices() {
    ProjectWindow p;
    auto choose = [](QComboBox* box, const QString& kept) {
        const int i = box->findData(kept);
        QVERIFY(i >= 0);
        box->setCurrentIndex(i);
        emit box->activated(i);
    };
    // Start-up values: R = 1100 + 5·7·5 = 1275 W by the main calculation,
    // as the main window's result field writes it.
    QCOMPARE(p.cell(0, 6), QString("기본 계산"));
    QCOMPARE(p.cell(0, 7), QString("1275.00 W"));
    QCOMPARE(p.cell(0, 8), QString("에어컨"));
    QCOMPARE(p.cell(0, 9), QString("VKA-1600BR"));
    // A closed enclosure: no model, and the walls do not carry 1275 W.
    choose(p.w->cboCabDeviceKind, "none");
    QVERIFY(p.session().modified());
    QCOMPARE(p.cell(0, 8), QString("없음 (벽으로 방열)"));
    QCOMPARE(p.cell(0, 9), QString("—"));
    // 100 W with 20 °C outside: 100 + 35·(20 − 35) = −425 W, none needed.
    p.form->txtPP->setText("100");
    p.form->txtT1->setText("20");
    QCOMPARE(p.cell(0, 7), QString("필요 없음"));
    // A field not read whole: no result, whatever the main window shows.
    p.form->txtPP->setText("1,100");
    QCOMPARE(p.cell(0, 7), QString("입력 확인"));
    QCOMPARE(p.cell(0, 11), QString("입력 확인"));
    p.form->txtPP->setText("1100");
    p.form->txtT1->setText("40");
    choose(p.w->cboCabDeviceKind, "");

    // The choice goes with the cabinet into the file and comes back.
    p.w->cmdProjAdd->click();
    choose(p.w->cboCabMethod, "main");
    QCOMPARE(p.session().current().method, QString("main"));
    QCOMPARE(p.session().project().cabinets[0].device, QString());
    const QString file = p.path("choice.ccproj");
    p.t.platform.saveAnswers.enqueue(file);
    p.w->cmdProjSave->click();
    QVERIFY(readAll(file).contains("\"method\": \"main\""));

    // The bill: one model over the project, both cabinets' units.
    QVERIFY(p.session().setCabinetCount(1, 3).isEmpty());
    const QString csv = p.path("bill.csv");
    p.t.platform.saveAnswers.enqueue(csv);
    p.w->cmdProjExportBill->click();
    const QByteArray bytes = readAll(csv);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QString text = QString::fromUtf8(bytes.mid(3));
    QVERIFY2(text.contains("에어컨,VKA-1600BR,1600.0 W,\"+A1, +A2\",4\r\n"), qPrintable(text));
    QVERIFY(text.contains("+A2,3,1275.0 W,에어컨,VKA-1600BR,기본 계산,—"));
    QVERIFY(p.w->lblProjStatus->text().contains("bill.csv"));
}

void TestProjectWindow::escapeClosesAndTooltipsExplain() {
    ProjectWindow p;
    for (QWidget* control : p.w->findChildren<QWidget*>()) {
        const QString name = control->objectName();
        if (!(name.startsWith("txt") || name.startsWith("cmd") || name.startsWith("tbl") ||
              name.startsWith("lst")))
            continue;
        QVERIFY2(!control->toolTip().isEmpty(), qPrintable(name));
    }
    QTest::keyClick(p.w, Qt::Key_Escape);
    processDeferredDeletes();
    QVERIFY(!p.t.app->loadedWindow<frmProject>());
    // The project lives on without its window.
    QCOMPARE(p.session().project().cabinets.size(), 1);
}

void TestProjectWindow::droppedFilesOpen_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("opened");  // what shows afterwards
    for (const char* target : {"main window", "project window"}) {
        QTest::addRow("%s, project", target) << target << kProjects + "later-version.ccproj"
                                             << "project";
        QTest::addRow("%s, calculation file", target) << target << kCool + "fan2-lf.col"
                                                      << "calculation";
        QTest::addRow("%s, other file", target) << target << kCool + "../ini/empty.ini"
                                                << "nothing";
    }
}

void TestProjectWindow::droppedFilesOpen() {
    QFETCH(QString, target);
    QFETCH(QString, file);
    QFETCH(QString, opened);
    ProjectWindow p;
    QWidget* on = target == "main window" ? static_cast<QWidget*>(p.form) : p.w;
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(file)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(on, &enter);
    QCOMPARE(enter.isAccepted(), opened != "nothing");
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(on, &drop);
    QCOMPARE(p.session().filePath(), opened == "project" ? file : QString());
    QCOMPARE(p.form->selectedMode(),
             opened == "nothing" ? SelectionMode::Aircon : SelectionMode::Fan2);
    // A calculation file goes into the current cabinet, as Open does.
    QCOMPARE(p.session().project().cabinets.size(), 1);
}

QTEST_MAIN(TestProjectWindow)
#include "tst_projectwindow.moc"
