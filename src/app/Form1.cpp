#include "app/Form1.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <cmath>

#include "app/CabinetSketch.h"
#include "app/Form1Cues.h"
#include "app/Form1Keyboard.h"
#include "app/ProjectLinks.h"
#include "calc/NumberText.h"
#include "charts/ChartCommands.h"
#include "devices/DeviceCommands.h"
#include "files/FileCommands.h"
#include "heat/HeatCommands.h"
#include "info/InfoCommands.h"
#include "info/frmHelp.h"
#include "kit/CabinetCoolApp.h"
#include "kit/CalculationTexts.h"
#include "kit/FieldCues.h"
#include "kit/FileAccess.h"
#include "kit/PlatformServices.h"
#include "kit/ProjectSession.h"
#include "kit/ScrollableClient.h"
#include "kit/Twips.h"
#include "kit/Widgets.h"
#include "projectwindow/ProjectCommands.h"
#include "report/ReportCommands.h"
#include "rise/RiseCommands.h"

namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }

struct ModeDefaults {
    const char* frameCaption;
    const char* t2Caption;
    const char* internalHeat;  // nullptr: txtPP keeps its text
    const char* t2;
    const char* width;
    const char* depth;
    const char* height;
};

ModeDefaults defaultsOf(SelectionMode mode) {
    switch (mode) {
        case SelectionMode::Aircon:
            return {" [ Cabinet Aircon 제품 기종 선정 (내부발열량) ] ",
                    "제어반내희망설정 온도",
                    "1100",
                    "35",
                    "1",
                    "0.6",
                    "2"};
        case SelectionMode::Fan1:
            return {" [ Cabinet Box Fan 제품 기종 선정 (내부발열량) ] ",
                    "반내 허용 온도 :",
                    "500",
                    "55",
                    "0.63",
                    "0.63",
                    "1.25"};
        case SelectionMode::Fan2:
            break;
    }
    return {" [ Cabinet Box Fan 제품 기종 선정 (측정온도) ] ",
            "반내 허용 온도 :",
            nullptr,
            "55",
            "0.63",
            "0.63",
            "1.25"};
}

}  // namespace

Form1::Form1(CabinetCoolApp& app) : QWidget(nullptr), m_app(app) {
    setObjectName(QStringLiteral("Form1"));
    setAcceptDrops(true);
    setWindowTitle(QStringLiteral("에어컨&박스팬 제품 선정"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    // The design size, scrolling on a screen too small for it.
    buildLayout(makeScrollableClient(this, twipsSize(8130, 10650)));
    setUpForm1Keyboard(*this);
    m_cues = new Form1Cues(*this);
}

void Form1::buildLayout(QWidget* client) {
    Frame1 = new QGroupBox(client);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twipsRect(120, 120, 7935, 10455));
    Frame1->setFont(uiFont(9, true));
    QWidget* f = Frame1;

    // The sketch goes first so that the fields lie on top of it.
    new CabinetSketch(f);

    // Step 1: the product type.
    makeLabelAt(f, QStringLiteral("1. 제품 기종 선택"), 360, 360, true, 9.75);
    makeLabelAt(f, QStringLiteral("내부발열량으로 측정"), 600, 720);
    makeLabelAt(f, QStringLiteral("측정온도로 측정"), 3000, 720);
    auto modeButton = [f](const char* name, const char* caption, int left, int width) {
        QPushButton* b = makeButton(f, QString::fromLatin1(name), QString::fromUtf8(caption), left,
                                    960, width, 495);
        b->setCheckable(true);
        return b;
    };
    OptBoxAircon = modeButton("OptBoxAircon", "Box Aircon", 480, 1095);
    OptBoxFan1 = modeButton("OptBoxFan1", "Box Fan", 1560, 1095);
    OptBoxFan2 = modeButton("OptBoxFan2", "Box Fan", 3120, 1215);
    // Explicit groups: automatic exclusivity would reach into Frame2 and tie
    // the mode to the material buttons.
    auto* modes = new QButtonGroup(this);
    for (QAbstractButton* b : {OptBoxAircon, OptBoxFan1, OptBoxFan2}) modes->addButton(b);

    // File, print, help.
    cmdOpen = makeButton(f, QStringLiteral("cmdOpen"), QStringLiteral("Open"), 5760, 480, 975, 495);
    cmdSaveAs =
        makeButton(f, QStringLiteral("cmdSaveAs"), QStringLiteral("Save As"), 6720, 480, 975, 495);
    cmdPrint = makeButton(f, QStringLiteral("cmdPrint"), QStringLiteral("화면 Print"), 5760, 960,
                          975, 495);
    cmdHelp =
        makeButton(f, QStringLiteral("cmdHelp"), QStringLiteral("About"), 6720, 960, 975, 495);
    // The project, a file command like Save As, below them.
    cmdProject = makeButton(f, QStringLiteral("cmdProject"), QStringLiteral("프로젝트..."), 5760,
                            1560, 1935, 450);

    // Step 2: the cabinet size.
    makeLabelAt(f, QStringLiteral("2. 캐비넷 크기 설정"), 360, 1680, true, 9.75);
    makeLabelAt(f, QStringLiteral("C"), 2940, 2640);
    makeLabelAt(f, QStringLiteral("B"), 1380, 4230);
    makeLabelAt(f, QStringLiteral("A"), 2190, 3930);
    makeLabelAt(f, QStringLiteral("높이,height"), 3240, 2160);
    txtHeight = makeField(f, QStringLiteral("txtHeight"), 3240, 2400, 585, 285);
    makeLabelAt(f, QStringLiteral("m"), 3870, 2430);
    makeLabelAt(f, QStringLiteral("깊이(세로,deepth)"), 2520, 3840);
    txtDepth = makeField(f, QStringLiteral("txtDepth"), 2520, 4080, 585, 285);
    makeLabelAt(f, QStringLiteral("m"), 3150, 4110);
    txtWidth = makeField(f, QStringLiteral("txtWidth"), 720, 4440, 585, 285);
    makeLabelAt(f, QStringLiteral("m"), 1350, 4470);
    makeLabelAt(f, QStringLiteral("폭(가로,width)"), 1590, 4470);
    makeLabelAt(f, QStringLiteral("반의 표면적"), 3480, 3225);
    txtSS = makeField(f, QStringLiteral("txtSS"), 3720, 3465, 615, 270);
    setGreyBackground(txtSS);
    makeLabelAt(f, QStringLiteral("㎡"), 4380, 3495);
    cmdSS = makeButton(f, QStringLiteral("cmdSS"), QStringLiteral("계산"), 4440, 3000, 615, 375);

    // Step 3, modes Aircon and Fan1: the internal heat.
    QLabel* heatTitle =
        makeLabelAt(f, QStringLiteral("3. 제어반내 발열량(추정치)"), 360, 5040, true, 9.75);
    txtPP = makeField(f, QStringLiteral("txtPP"), 3120, 5040, 735, 270);
    QLabel* heatUnit = makeLabelAt(f, QStringLiteral("W"), 3900, 5070);
    cmdHeatValue = makeButton(f, QStringLiteral("cmdHeatValue"), QStringLiteral("종류별 발열량"),
                              4080, 4920, 1575, 450);
    fitLabelsBetween(txtPP, {heatUnit}, cmdHeatValue);
    cmdHeatproduced = makeButton(f, QStringLiteral("cmdHeatproduced"), QStringLiteral("발열량List"),
                                 5760, 4920, 1455, 435);
    m_heatArea = {heatTitle, txtPP, heatUnit, cmdHeatValue, cmdHeatproduced};

    // Step 3, mode Fan2: the measured temperatures.
    QLabel* measuredTitle =
        makeLabelAt(f, QStringLiteral("3. 측정 온도 설정"), 4440, 5680, true, 9.75);
    QLabel* t3Label = makeLabel(f, QStringLiteral("외기 온도(측정치) : "), 4440, 6150, 1900, 255);
    t3Label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtT3 = makeField(f, QStringLiteral("txtT3"), 6360, 6120, 735, 270);
    QLabel* t3Unit = makeLabelAt(f, QStringLiteral("K"), 7140, 6150);
    QLabel* t4Label = makeLabel(f, QStringLiteral("반내온도(측정치) : "), 4440, 6390, 1900, 255);
    t4Label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtT4 = makeField(f, QStringLiteral("txtT4"), 6360, 6360, 735, 270);
    QLabel* t4Unit = makeLabelAt(f, QStringLiteral("K"), 7140, 6390);
    m_measuredArea = {measuredTitle, t3Label, txtT3, t3Unit, t4Label, txtT4, t4Unit};

    // Step 4: the design temperatures.
    makeLabelAt(f, QStringLiteral("4. 온도 설정"), 360, 5640, true, 9.75);
    makeLabelAt(f, QStringLiteral("최고 외기 온도"), 840, 6150);
    txtT1 = makeField(f, QStringLiteral("txtT1"), 3120, 6120, 735, 270);
    makeLabelAt(f, QStringLiteral("K"), 3900, 6150);
    lblT2 = makeLabel(f, QStringLiteral("제어반내희망설정 온도"), 840, 6390, 2220, 255);
    lblT2->setObjectName(QStringLiteral("lblT2"));
    txtT2 = makeField(f, QStringLiteral("txtT2"), 3120, 6360, 735, 270);
    makeLabelAt(f, QStringLiteral("K"), 3900, 6390);

    // Step 5: the wall material.
    makeLabelAt(f, QStringLiteral("5. 제어반내 캐비넷의 열통과률"), 360, 6840, true, 9.75);
    Frame2 = new QGroupBox(f);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(twipsRect(360, 7080, 3495, 855));
    makeLabelAt(Frame2, QStringLiteral("철판"), 240, 225);
    makeLabelAt(Frame2, QStringLiteral("수지"), 240, 465);
    auto* materials = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        optSel[i] = new QRadioButton(Frame2);
        materials->addButton(optSel[i]);
        optSel[i]->setObjectName(QStringLiteral("optSel_%1").arg(i));
        optSel[i]->setGeometry(twipsRect(840, 240 + 240 * i, 255, 195));
        connect(optSel[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) optSel_Click(i);
        });
    }
    txtUU = makeField(Frame2, QStringLiteral("txtUU"), 1680, 360, 735, 270);
    setGreyBackground(txtUU);
    makeLabelAt(Frame2, QStringLiteral("W/㎡K"), 2460, 390);

    // The climate design, in the free room right of the material frame: it
    // belongs to every mode and stays on paper when the window is printed.
    cmdClimate = makeButton(f, QStringLiteral("cmdClimate"), QStringLiteral("상세 설계"), 4080,
                            7320, 1575, 450);
    // The design report, a file command like Save As, right of the material frame.
    cmdReport =
        makeButton(f, QStringLiteral("cmdReport"), QStringLiteral("보고서"), 5760, 7320, 1455, 450);
    // The temperature rise verification, under the climate design: free room
    // above the results in every mode.
    cmdRise = makeButton(f, QStringLiteral("cmdRise"), QStringLiteral("온도 상승 검증"), 4080, 7860,
                         1575, 420);
    // The device list, beside it under the report: free room in every mode.
    cmdDevices = makeButton(f, QStringLiteral("cmdDevices"), QStringLiteral("기기 목록..."), 5760,
                            7860, 1455, 420);

    // Step 6: the calculation and its result.
    makeLabelAt(f, QStringLiteral("6. 계산"), 360, 8280, true, 9.75);
    cmdCal = makeButton(f, QStringLiteral("cmdCal"), QStringLiteral("계 산"), 240, 8640, 1215, 615);
    makeLabelAt(f, QStringLiteral("냉각 능력"), 1560, 8640);
    txtPT = makeField(f, QStringLiteral("txtPT"), 1560, 8880, 1335, 285);
    lblPTUnit = makeLabelAt(f, QStringLiteral("W"), 2940, 8910);
    lblPTUnit->setObjectName(QStringLiteral("lblPTUnit"));
    QLabel* arrow = makeLabelAt(f, QStringLiteral("->"), 3180, 8910);
    makeLabelAt(f, QStringLiteral("추천 모델"), 3480, 8640);
    txtKind = makeField(f, QStringLiteral("txtKind"), 3480, 8880, 1335, 300);
    makeLabelAt(f, QStringLiteral("냉각능력"), 4920, 8640);
    txtCoolValue = makeField(f, QStringLiteral("txtCoolValue"), 4920, 8880, 1095, 300);
    lblCoolValueUnit = makeLabelAt(f, QStringLiteral("W"), 6060, 8910);
    // The one free line of the window, between the web link and the footer.
    lblStatusNote = makeLabel(f, QString(), 360, 9555, 7440, 330, false);
    lblStatusNote->setObjectName(QStringLiteral("lblStatusNote"));
    lblStatusNote->setTextFormat(Qt::RichText);
    lblStatusNote->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                           Qt::LinksAccessibleByKeyboard);
    connect(lblStatusNote, &QLabel::linkActivated, this,
            [this]() { m_app.platform().messageBox(this, m_modelLinesNote); });
    lblStatusNote->hide();
    lblCoolValueUnit->setObjectName(QStringLiteral("lblCoolValueUnit"));
    cmdExit =
        makeButton(f, QStringLiteral("cmdExit"), QStringLiteral("Exit"), 6360, 8760, 1335, 495);
    m_resultRow = {lblPTUnit, arrow};
    cmdURL = makeButton(f, QStringLiteral("cmdURL"), QStringLiteral("관련 URL 인터넷 바로가기"),
                        3480, 9240, 2415, 255);
    cmdDiagram = makeButton(f, QStringLiteral("cmdDiagram"), QStringLiteral("Diagram View"), 240,
                            9360, 1215, 495);

    // Footer: our logo and two lines about the program.
    auto* logo = new QLabel(f);
    logo->setObjectName(QStringLiteral("Image2"));
    logo->setGeometry(twipsRect(720, 9960, 2115, 345));
    logo->setPixmap(QPixmap(QStringLiteral(":/assets/art/footer-logo.png")));
    makeLabelAt(f,
                QStringLiteral("CabinetCool — 제어반 열 설계 도구. 무단 복제와 배포를 금합니다."),
                2940, 9930, false, 8.25);
    makeLabelAt(f, QStringLiteral("문의: CabinetCool 개발팀 · 사용 안내는 About 창을 보세요."),
                2940, 10170, false, 8.25);

    txtHeight->setText(QStringLiteral("2"));
    txtWidth->setText(QStringLiteral("1"));
    txtDepth->setText(QStringLiteral("0.6"));
    txtPP->setText(QStringLiteral("1100"));
    txtT1->setText(QStringLiteral("40"));
    txtT2->setText(QStringLiteral("35"));
    txtT3->setText(QStringLiteral("40"));
    txtT4->setText(QStringLiteral("68"));
    txtUU->setText(QStringLiteral("5"));
    for (QWidget* w : m_measuredArea) w->setVisible(false);
    cmdDiagram->setVisible(false);

    connect(OptBoxAircon, &QAbstractButton::toggled, this, [this](bool on) {
        if (on) OptBoxAircon_Click();
    });
    connect(OptBoxFan1, &QAbstractButton::toggled, this, [this](bool on) {
        if (on) OptBoxFan1_Click();
    });
    connect(OptBoxFan2, &QAbstractButton::toggled, this, [this](bool on) {
        if (on) OptBoxFan2_Click();
    });
    connect(cmdOpen, &QPushButton::clicked, this, &Form1::cmdOpen_Click);
    connect(cmdSaveAs, &QPushButton::clicked, this, &Form1::cmdSaveAs_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &Form1::cmdPrint_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &Form1::cmdHelp_Click);
    connect(cmdSS, &QPushButton::clicked, this, &Form1::cmdSS_Click);
    connect(cmdHeatValue, &QPushButton::clicked, this, &Form1::cmdHeatValue_Click);
    connect(cmdHeatproduced, &QPushButton::clicked, this, &Form1::cmdHeatproduced_Click);
    connect(cmdCal, &QPushButton::clicked, this, &Form1::cmdCal_Click);
    connect(cmdExit, &QPushButton::clicked, this, &Form1::cmdExit_Click);
    connect(cmdURL, &QPushButton::clicked, this, &Form1::cmdURL_Click);
    connect(cmdDiagram, &QPushButton::clicked, this, &Form1::cmdDiagram_Click);
    connect(cmdClimate, &QPushButton::clicked, this, &Form1::cmdClimate_Click);
    connect(cmdReport, &QPushButton::clicked, this, &Form1::cmdReport_Click);
    connect(cmdProject, &QPushButton::clicked, this, &Form1::cmdProject_Click);
    connect(cmdRise, &QPushButton::clicked, this, &Form1::cmdRise_Click);
    connect(cmdDevices, &QPushButton::clicked, this, &Form1::cmdDevices_Click);
}

// ---- start-up and shut-down ---------------------------------------------

void Form1::Form_Load() {
    m_app.showWindow<frmHelp>();
    Delay(2);
    m_app.unloadWindow(m_app.loadedWindow<frmHelp>());
    SettingEnv();
    m_app.loadIniValues();
    // Once, in one line: the whole note in the tooltip and behind the link.
    const ModelLinesNote note = unmatchedModelLinesNote(m_app.iniPath());
    m_modelLinesNote = note.text;
    const int lines = note.lines;
    lblStatusNote->setText(
        lines == 0 ? QString()
                   : QStringLiteral("알림: app.ini의 모델 줄 %1개는 적힌 이름대로 쓰이지 않습니다. "
                                    "<a href=\"#\">자세히</a>")
                         .arg(lines));
    lblStatusNote->setToolTip(toolTipLines(m_modelLinesNote));
    lblStatusNote->setVisible(lines > 0);
}

void Form1::SettingEnv() {
    selectMaterial(0);
    selectMode(SelectionMode::Aircon);
}

void Form1::Delay(float seconds) {
    PlatformServices& platform = m_app.platform();
    float start = platform.secondsSinceMidnight();
    float elapsed = 0;
    do {
        if (platform.secondsSinceMidnight() < start) start -= 86400;  // midnight has passed
        elapsed = platform.secondsSinceMidnight() - start;
        // Sleep in the event loop between polls rather than spin.
        platform.processEvents(10);
    } while (!(elapsed > seconds));
}

void Form1::cmdExit_Click() { close(); }

void Form1::closeEvent(QCloseEvent* event) {
    // A project with unsaved changes is saved, or not, as the user says;
    // "취소" keeps the program open. Then every window is unloaded and the
    // program ends.
    if (!confirmProjectSaved(m_app, this)) {
        event->ignore();
        return;
    }
    event->accept();
    m_app.UnloadAllForms();
    QCoreApplication::quit();
}

// ---- modes and material ----------------------------------------------------

int Form1::selectedMaterial() const { return optSel[1]->isChecked() ? 1 : 0; }

SelectionMode Form1::selectedMode() const {
    if (OptBoxFan1->isChecked()) return SelectionMode::Fan1;
    if (OptBoxFan2->isChecked()) return SelectionMode::Fan2;
    return SelectionMode::Aircon;
}

void Form1::selectMode(SelectionMode mode) {
    QAbstractButton* button = mode == SelectionMode::Aircon ? OptBoxAircon
                              : mode == SelectionMode::Fan1 ? OptBoxFan1
                                                            : OptBoxFan2;
    button->setChecked(true);  // toggled runs the handler only on a change
}

QMetaObject::Connection Form1::connectModeChanged(QObject* receiver,
                                                  std::function<void()> handler) {
    return connect(this, &Form1::modeChanged, receiver, std::move(handler));
}

void Form1::selectMaterial(int index) { optSel[index == 1 ? 1 : 0]->setChecked(true); }

QLineEdit* Form1::field(CabinetField field) const {
    switch (field) {
        case CabinetField::Height:
            return txtHeight;
        case CabinetField::Width:
            return txtWidth;
        case CabinetField::Depth:
            return txtDepth;
        case CabinetField::SurfaceArea:
            return txtSS;
        case CabinetField::InternalHeat:
            return txtPP;
        case CabinetField::T1:
            return txtT1;
        case CabinetField::T2:
            return txtT2;
        case CabinetField::T3:
            return txtT3;
        case CabinetField::T4:
            return txtT4;
        case CabinetField::UValue:
            return txtUU;
        case CabinetField::CoolingPower:
            return txtPT;
        case CabinetField::ModelName:
            return txtKind;
        case CabinetField::ModelCapacity:
            break;
    }
    return txtCoolValue;
}

QString Form1::fieldText(CabinetField f) const { return field(f)->text(); }

void Form1::setFieldText(CabinetField f, const QString& text) {
    field(f)->setText(text);
    m_cues->fieldWritten(f);
}

QList<QAbstractButton*> Form1::screenOnlyButtons() const {
    return {cmdURL,  cmdExit,   cmdHelp, cmdPrint,   cmdSaveAs,
            cmdOpen, cmdReport, cmdRise, cmdDevices, cmdProject};
}

QStringList Form1::calculationState() const {
    const SelectionMode mode = selectedMode();
    QStringList state{QString::number(static_cast<int>(mode)),
                      txtHeight->text(),
                      txtWidth->text(),
                      txtDepth->text(),
                      txtT1->text(),
                      txtT2->text(),
                      txtUU->text(),
                      txtPT->text(),
                      txtKind->text(),
                      txtCoolValue->text()};
    // Only what the mode reads: the hidden heat of mode Fan2 does not count.
    if (mode == SelectionMode::Fan2) {
        state << txtT3->text() << txtT4->text();
    } else {
        state << txtPP->text();
    }
    return state;
}

bool Form1::inputsChangedSinceCalculation() const {
    return m_calculatedState.isEmpty() || m_calculatedState != calculationState();
}

void Form1::OptBoxAircon_Click() { applyMode(SelectionMode::Aircon); }
void Form1::OptBoxFan1_Click() { applyMode(SelectionMode::Fan1); }
void Form1::OptBoxFan2_Click() { applyMode(SelectionMode::Fan2); }

void Form1::applyMode(SelectionMode mode) {
    const ModeDefaults d = defaultsOf(mode);
    const bool measured = mode == SelectionMode::Fan2;
    Frame1->setTitle(QString::fromUtf8(d.frameCaption));
    lblT2->setText(QString::fromUtf8(d.t2Caption));
    for (QWidget* w : m_heatArea) w->setVisible(!measured);
    for (QWidget* w : m_measuredArea) w->setVisible(measured);
    if (d.internalHeat) txtPP->setText(QString::fromLatin1(d.internalHeat));
    txtT1->setText(QStringLiteral("40"));
    txtT2->setText(QString::fromLatin1(d.t2));
    if (measured) {
        txtT3->setText(QStringLiteral("40"));
        txtT4->setText(QStringLiteral("68"));
    }
    cmdSS->setVisible(true);
    cmdDiagram->setVisible(false);
    // The result is a cooling power in W, in the fan modes a specific
    // capacity in W/K.
    const QString unit =
        mode == SelectionMode::Aircon ? QStringLiteral("W") : QStringLiteral("W/K");
    lblPTUnit->setText(unit);
    lblCoolValueUnit->setText(unit);
    fitLabelsBetween(txtPT, m_resultRow, txtKind);
    // The capacity field is wider than any capacity: it gives "W/K" room.
    fitLabelsBetween(txtCoolValue, {lblCoolValueUnit}, cmdExit, twips(180));
    txtWidth->setText(QString::fromLatin1(d.width));
    txtDepth->setText(QString::fromLatin1(d.depth));
    txtHeight->setText(QString::fromLatin1(d.height));
    cmdSS_Click();
    emit modeChanged();
}

void Form1::optSel_Click(int index) { txtUU->setText(numberText(index == 0 ? 5.0 : 3.7)); }

// ---- the calculation ----------------------------------------------------

void Form1::message(const QString& text) { m_app.platform().messageBox(this, text); }

void Form1::cmdSS_Click() {
    const double area =
        ComputeSurfaceArea(fieldNumber(txtHeight), fieldNumber(txtWidth), fieldNumber(txtDepth));
    if (!std::isfinite(area)) {
        message(calculationMessageText(CalculationMessage::OutOfRange));
        return;
    }
    txtSS->setText(numberText(area));
}

void Form1::cmdCal_Click() {
    HeatBalanceInput in;
    in.mode = selectedMode();
    in.height = fieldNumber(txtHeight);
    in.width = fieldNumber(txtWidth);
    in.depth = fieldNumber(txtDepth);
    in.internalHeat = fieldNumber(txtPP);
    in.t1 = fieldNumber(txtT1);
    in.t2 = fieldNumber(txtT2);
    in.t3 = fieldNumber(txtT3);
    in.t4 = fieldNumber(txtT4);
    in.uValue = fieldNumber(txtUU);
    const HeatBalanceResult r = ComputeHeatBalance(in);
    m_calculatedState.clear();
    if (!r.finite) {
        // Nothing is written: the fields keep what they showed.
        message(calculationMessageText(CalculationMessage::OutOfRange));
        return;
    }

    txtSS->setText(numberText(r.area));
    for (HeatBalanceFinding finding : r.findings)
        message(calculationMessageText(messageOfFinding(finding)));
    if (r.result) txtPT->setText(text(FormatNumber(*r.result, "0.00")));

    // From here on the texts as they stand: the rounded result, or an
    // earlier one when the temperatures were equal.
    if (fieldNumber(txtPT) < 0) message(calculationMessageText(CalculationMessage::NegativeResult));

    const EquipmentHeatTables& tables = m_app.tables();
    if (in.mode == SelectionMode::Aircon) {
        const int i = RecommendAirconModel(fieldNumber(txtPT), tables.AirconModelCapacity);
        const double capacity = tables.AirconModelCapacity[static_cast<size_t>(i)];
        txtKind->setText(airconModelDesignation(capacity));
        txtCoolValue->setText(numberText(capacity));
    } else {
        const int i = RecommendFanModel(fieldNumber(txtPT), tables.FanModelCapacity);
        txtKind->setText(text(tables.FanModelName[static_cast<size_t>(i)]));
        txtCoolValue->setText(numberText(tables.FanModelCapacity[static_cast<size_t>(i)]));
    }
    // Without a new result (equal temperatures) the old one stays as it was shown.
    if (r.result) m_cues->resultsCalculated();
    if (fieldNumber(txtCoolValue) < fieldNumber(txtPT))
        message(calculationMessageText(CalculationMessage::ModelExceeded));
    m_calculatedState = calculationState();
    m_app.project().mainWindowCalculated();

    if (std::fabs(r.deltaT) >= kMinimumChartDeltaT) {
        cmdDiagram_Click();
    } else {
        message(calculationMessageText(CalculationMessage::SmallDifference));
    }
}

// ---- the other windows --------------------------------------------------

void Form1::cmdDiagram_Click() {
    if (OptBoxAircon->isChecked()) cmdAirconDiagram();
    if (OptBoxFan1->isChecked()) cmdFan1Diagram_update();
    if (OptBoxFan2->isChecked()) cmdFan2Diagram();
}

void Form1::cmdAirconDiagram() { openAirconDiagram(m_app); }
void Form1::cmdFan1Diagram_update() { openFan1Diagram(m_app); }
void Form1::cmdFan2Diagram() { openFan2Diagram(m_app); }
void Form1::cmdHeatValue_Click() { showHeatValueWindow(m_app); }
void Form1::cmdHeatproduced_Click() { showHeatProducedWindow(m_app); }
void Form1::cmdSaveAs_Click() { saveCalculationAs(m_app); }
void Form1::cmdOpen_Click() { openCalculation(m_app); }
void Form1::cmdPrint_Click() { printMainWindow(m_app); }
void Form1::cmdHelp_Click() { showAboutBox(m_app); }
void Form1::cmdURL_Click() { openProductPage(m_app); }
void Form1::cmdClimate_Click() { openClimateDesign(m_app); }
void Form1::cmdReport_Click() { makeDesignReport(m_app, this); }
void Form1::cmdProject_Click() { openProjectWindow(m_app); }

// A project or a calculation file dropped on the window opens as the
// command line would open it.
void Form1::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedOpenableFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event) {
    const QString path = droppedOpenableFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    openNamedFile(m_app, this, path);
}
void Form1::cmdRise_Click() { showRiseWindow(m_app); }
void Form1::cmdDevices_Click() { showDevicesWindow(m_app); }
