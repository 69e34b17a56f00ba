#include "devices/frmDevices.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "calc/NumberText.h"
#include "design/CabinetDesign.h"
#include "devices/DeviceSources.h"
#include "kit/CabinetCoolApp.h"
#include "kit/FieldCues.h"
#include "kit/FileAccess.h"
#include "kit/PlatformServices.h"
#include "kit/ProjectSession.h"
#include "kit/ScrollableClient.h"
#include "kit/Twips.h"
#include "kit/Widgets.h"
#include "kit/WindowKeys.h"

using namespace deviceline;

namespace {

// What a command that works on the selected line says without one.
const QString kNoLineSelected = QStringLiteral("선택한 줄이 없습니다.");

constexpr int kClientWidth = 16800;
constexpr int kClientHeight = 9600;

const char* const kHeaders[frmDevices::ColumnCount] = {"구분",
                                                       "품목",
                                                       "수량",
                                                       "정격 전류 In\n(A)",
                                                       "정격 손실 Pn\n(W)",
                                                       "부하 전류 Ib\n(A)",
                                                       "설치 높이\n(0~1)",
                                                       "허용 주위\n온도 (°C)",
                                                       "회로",
                                                       "분산율",
                                                       "손실\n(W)",
                                                       "주위 온도\n(°C)",
                                                       "여유\n(K)",
                                                       "판정"};

const char* const kHeaderTips[frmDevices::ColumnCount] = {
    "기기 또는 도체",
    "품목: 기기나 도체의 이름",
    "수량 n: 같은 기기의 개수, 도체는 도체 수 (0부터의 정수)",
    "정격 전류 In (A): 제조사 자료의 정격 전류. 비우면 전류 없는 기기 (PLC, 전원 장치): Pn을 "
    "그대로 씁니다. 도체는 단면적과 등급",
    "정격 손실 Pn (W): 정격 전류 In에서의 전력 손실 (제조사 자료). 도체는 길이",
    "부하 전류 Ib (A): 실제로 흐르는 전류, 비우면 In. 손실 Pv = n · Pn · (f · Ib / In)² "
    "(IEC TR 60890, IEC 61439-1 10.10.4.3). 도체는 전류 I",
    "설치 높이: 제어반 높이에 대한 비율 0~1, 또는 하부 (0.25) / 중간 (0.5) / 상부 (0.9). "
    "비우면 상부 (1)로 봅니다",
    "허용 주위 온도 (°C): 기기 주위 공기의 최고 허용 온도 (제조사 자료). 비워도 됩니다",
    "회로: 기기가 속한 출력 회로 그룹. 그룹의 주 회로 수 (정격 전류가 있는 기기의 수량 합)에 "
    "따라 IEC 61439-2 표 101의 정격 분산율이 전류에 곱해집니다",
    "분산율 f: 그룹의 주 회로 수로 정한 IEC 61439-2 표 101의 값 (2~3: 0.9, 4~5: 0.8, "
    "6~9: 0.7, 10 이상: 0.6). 입력하면 그 값을 씁니다 (0 초과 1 이하), 비우면 다시 표의 값",
    "손실 (W): 기기 n · Pn · (f · Ib / In)², 도체 n · (f · I)² · R, "
    "R = R20 (IEC 60228) · (1 + 0.00393 (θ − 20)) · 길이",
    "주위 온도 (°C): 설치 높이의 공기 온도. 온도 상승 검증이 있으면 IEC TR 60890의 높이별 "
    "온도, 없으면 주 계산의 반내 온도 Ti",
    "여유 (K): 허용 주위 온도 − 주위 온도",
    "판정: 여유가 0 K 이상이면 적합"};

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

QString number(double v) { return QString::fromStdString(NumberText(v)); }
QString fixed(double v, const char* pattern) {
    return QString::fromStdString(FormatNumber(v, pattern));
}

const ToolTipEntry kToolTips[] = {
    {"tblDevices",
     "기기 발열 목록: 한 줄이 기기 또는 도체 하나. 칸에 바로 입력하거나 아래 칸에서 고칩니다. "
     "잘못된 칸은 표시되고 그 줄은 합계에서 빠집니다"},
    {"txtDevDescription", "품목: 기기의 이름 (예: 배선용 차단기 3P 100 A)"},
    {"txtDevCount", "수량 n: 같은 기기의 개수 (0부터의 정수)"},
    {"txtDevIn", "정격 전류 In (A): 제조사 자료의 정격 전류. 비우면 Pn을 그대로 씁니다"},
    {"txtDevPn", "정격 손실 Pn (W): 정격 전류 In에서의 전력 손실 (제조사 자료), 0보다 큼"},
    {"txtDevIb",
     "부하 전류 Ib (A): 실제 전류, 비우면 In. Pv = n · Pn · (f · Ib / In)², Ib는 In의 5배 이하"},
    {"txtDevHeight", "설치 높이: 제어반 높이에 대한 비율 0~1, 또는 하부 / 중간 / 상부"},
    {"txtDevTmax", "허용 주위 온도 (°C): 기기 주위 공기의 최고 허용 온도. 비워도 됩니다"},
    {"txtDevGroup",
     "회로: 출력 회로 그룹의 이름. 같은 그룹의 주 회로 수로 IEC 61439-2 표 101의 분산율이 "
     "정해집니다. 비우면 분산율 1"},
    {"txtCondDescription", "품목: 도체의 이름 (예: 주 모선 연결)"},
    {"txtCondSection",
     "단면적 (mm²): IEC 60228의 표준 단면적 (0.5 ~ 630 mm²). 20 °C 저항 R20은 IEC 60228 표 2 "
     "(2등급) / 표 3 (5등급)"},
    {"txtCondLength", "길이 (m): 도체 한 가닥의 길이, 0보다 큼"},
    {"txtCondCurrent", "전류 I (A): 도체에 흐르는 전류, 0보다 큼. P = n · I² · R"},
    {"txtCondCount", "도체 수 n: 전류가 흐르는 도체의 수 (3상이면 3)"},
    {"txtCondTemp",
     "도체 온도 θ (°C): 비우면 70 °C. R = R20 · (1 + 0.00393 · (θ − 20)), α = 0.00393 /K "
     "(IEC 60228)"},
    {"cboCondClass", "도체 등급: 2등급 (연선) 또는 5등급 (가요성), IEC 60228 구리 도체"},
    {"cmdDevAdd", "기기 추가: 선택한 줄 아래에 기기 줄을 넣고 선택합니다"},
    {"cmdDevAddConductor", "도체 추가: 선택한 줄 아래에 도체 줄 (구리)을 넣고 선택합니다"},
    {"cmdDevDuplicate", "복제: 선택한 줄을 바로 아래에 복사합니다"},
    {"cmdDevRemove", "삭제: 선택한 줄을 지웁니다"},
    {"cmdDevUp", "위로: 선택한 줄을 한 칸 위로 옮깁니다"},
    {"cmdDevDown", "아래로: 선택한 줄을 한 칸 아래로 옮깁니다"},
    {"cmdDevLibrary",
     "라이브러리: 일반 기기의 대표 정격 전류와 손실, 그리고 내 라이브러리에서 골라 목록에 "
     "넣습니다. 선택한 줄을 내 라이브러리에 저장할 수도 있습니다"},
    {"cmdDevImport",
     "CSV 가져오기: 자재 목록 CSV (품목, 수량, 정격 전류 A, 손실 W)의 열을 골라 목록 끝에 "
     "더합니다. 잘못된 행이 하나라도 있으면 아무것도 가져오지 않습니다"},
    {"cmdDevicesApply",
     "적용: 합계 (기기 + 도체, W)를 주 화면의 제어반내 발열량 P에 씁니다. 주 화면의 결과는 "
     "다시 계산할 때까지 이전 값으로 표시됩니다"},
    {"cmdDevicesExit", "닫기: 창을 닫습니다 (Esc). 목록은 제어반에 이미 저장되어 있습니다"},
    {"txtDevicesLoss", "기기 손실 합계 (W): Σ n · Pn · (f · Ib / In)²"},
    {"txtConductorsLoss", "도체 손실 합계 (W): Σ n · (f · I)² · R"},
    {"txtDevicesTotal", "합계 (W): 기기 손실 + 도체 손실. 적용하면 주 화면의 P가 됩니다"},
    {"lblDevVerdict", "판정: 허용 주위 온도가 있는 기기 중 여유가 가장 작은 기기 (임계 기기)"},
    {"lblDevSource", "주위 온도의 근거: 온도 상승 검증 (IEC TR 60890) 또는 주 계산의 Ti"},
    {"lblDevStatus", "상태: 잘못된 입력의 이유와 합계에서 빠진 줄 수"},
};

}  // namespace

QString frmDevices::memberOf(int column, DeviceLineKind kind) {
    const bool device = kind == DeviceLineKind::Device;
    switch (column) {
        case ColDescription:
            return kDescription;
        case ColCount:
            return kCount;
        case ColIn:
            return device ? kIn : QString();
        case ColPn:
            return device ? kPn : QString();
        case ColIb:
            return device ? kIb : kCurrent;
        case ColHeight:
            return device ? kHeight : QString();
        case ColTmax:
            return device ? kTmax : QString();
        case ColGroup:
            return kGroup;
        case ColFactor:
            return kFactor;
        default:
            return QString();
    }
}

frmDevices::frmDevices(CabinetCoolApp& app)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint),
      m_app(app) {
    setObjectName(QStringLiteral("frmDevices"));
    setWindowTitle(QStringLiteral("기기 발열 목록"));
    buildLayout(makeScrollableClient(this, twipsSize(kClientWidth, kClientHeight)));
    setUpToolTips();
    installWindowKeys(this, nullptr, [this]() { cmdDevicesExit_Click(); });
    // Another cabinet made current shows its list; an edit elsewhere (the
    // main window's Ti, the rise verification) changes the margins.
    connect(&m_app.project(), &ProjectSession::currentChanged, this, [this]() {
        if (isVisible()) Form_Load();
    });
    connect(&m_app.project(), &ProjectSession::cabinetEdited, this, [this]() {
        if (!m_storing && isVisible()) recompute();
    });
    Form_Load();
}

void frmDevices::buildLayout(QWidget* client) {
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(8, 8, 8, 8);

    tblDevices = new QTableWidget(0, ColumnCount, client);
    tblDevices->setObjectName(QStringLiteral("tblDevices"));
    tblDevices->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblDevices->setSelectionMode(QAbstractItemView::SingleSelection);
    tblDevices->setEditTriggers(QAbstractItemView::DoubleClicked |
                                QAbstractItemView::EditKeyPressed |
                                QAbstractItemView::AnyKeyPressed);
    tblDevices->verticalHeader()->setDefaultSectionSize(tblDevices->fontMetrics().height() + 8);
    for (int c = 0; c < ColumnCount; ++c) {
        auto* header = new QTableWidgetItem(text(kHeaders[c]));
        header->setToolTip(toolTipLines(text(kHeaderTips[c])));
        tblDevices->setHorizontalHeaderItem(c, header);
    }
    tblDevices->horizontalHeader()->setSectionResizeMode(ColDescription, QHeaderView::Stretch);
    for (int c : {ColKind, ColCount, ColIn, ColPn, ColIb, ColHeight, ColTmax, ColGroup, ColFactor,
                  ColLoss, ColAir, ColMargin, ColVerdict})
        tblDevices->setColumnWidth(c, c == ColCount || c == ColFactor || c == ColKind ? 52
                                      : c == ColIn                                    ? 104
                                                                                      : 78);
    layout->addWidget(tblDevices, 1);
    connect(tblDevices, &QTableWidget::cellChanged, this, &frmDevices::cellEdited);
    connect(tblDevices, &QTableWidget::currentCellChanged, this, [this]() { showSelected(); });

    auto* buttons = new QHBoxLayout();
    auto button = [&](const char* name, const char* caption) {
        auto* b = new QPushButton(text(caption), client);
        b->setObjectName(QString::fromLatin1(name));
        buttons->addWidget(b);
        return b;
    };
    cmdDevAdd = button("cmdDevAdd", "기기 추가");
    cmdDevAddConductor = button("cmdDevAddConductor", "도체 추가");
    cmdDevDuplicate = button("cmdDevDuplicate", "복제");
    cmdDevRemove = button("cmdDevRemove", "삭제");
    cmdDevUp = button("cmdDevUp", "위로");
    cmdDevDown = button("cmdDevDown", "아래로");
    buttons->addStretch(1);
    cmdDevLibrary = button("cmdDevLibrary", "라이브러리...");
    cmdDevImport = button("cmdDevImport", "CSV 가져오기...");
    connect(cmdDevLibrary, &QPushButton::clicked, this, &frmDevices::cmdDevLibrary_Click);
    connect(cmdDevImport, &QPushButton::clicked, this, &frmDevices::cmdDevImport_Click);
    layout->addLayout(buttons);
    connect(cmdDevAdd, &QPushButton::clicked, this, &frmDevices::cmdDevAdd_Click);
    connect(cmdDevAddConductor, &QPushButton::clicked, this, &frmDevices::cmdDevAddConductor_Click);
    connect(cmdDevDuplicate, &QPushButton::clicked, this, &frmDevices::cmdDevDuplicate_Click);
    connect(cmdDevRemove, &QPushButton::clicked, this, &frmDevices::cmdDevRemove_Click);
    connect(cmdDevUp, &QPushButton::clicked, this, [this]() { moveSelected(-1); });
    connect(cmdDevDown, &QPushButton::clicked, this, [this]() { moveSelected(+1); });

    // The selected line's fields: a device's or a conductor's.
    auto fields = [&](QGroupBox* box,
                      const QList<std::tuple<const char*, const char*, QString>>& rows,
                      QList<QLineEdit*>& made) {
        auto* grid = new QGridLayout(box);
        int i = 0;
        for (const auto& [name, caption, member] : rows) {
            auto* edit = new QLineEdit(box);
            edit->setObjectName(QString::fromLatin1(name));
            edit->setFont(uiNumberFont());
            auto* label = new QLabel(text(caption), box);
            label->setBuddy(edit);
            grid->addWidget(label, i / 4, (i % 4) * 2);
            grid->addWidget(edit, i / 4, (i % 4) * 2 + 1);
            m_fieldMembers.insert(edit, member);
            // A copy: clang does not capture a structured binding by name.
            connect(edit, &QLineEdit::textEdited, this,
                    [this, edit, m = member]() { fieldEdited(edit, m); });
            made << edit;
            ++i;
        }
        return grid;
    };
    fraDevLine = new QGroupBox(QStringLiteral("선택한 기기"), client);
    fraDevLine->setObjectName(QStringLiteral("fraDevLine"));
    QList<QLineEdit*> dev;
    fields(fraDevLine,
           {{"txtDevDescription", "품목", kDescription},
            {"txtDevCount", "수량", kCount},
            {"txtDevIn", "정격 전류 In (A)", kIn},
            {"txtDevPn", "정격 손실 Pn (W)", kPn},
            {"txtDevIb", "부하 전류 Ib (A)", kIb},
            {"txtDevHeight", "설치 높이", kHeight},
            {"txtDevTmax", "허용 주위 온도 (°C)", kTmax},
            {"txtDevGroup", "회로", kGroup}},
           dev);
    txtDevDescription = dev[0], txtDevCount = dev[1], txtDevIn = dev[2], txtDevPn = dev[3];
    txtDevIb = dev[4], txtDevHeight = dev[5], txtDevTmax = dev[6], txtDevGroup = dev[7];
    layout->addWidget(fraDevLine);

    fraCondLine = new QGroupBox(QStringLiteral("선택한 도체 (구리)"), client);
    fraCondLine->setObjectName(QStringLiteral("fraCondLine"));
    QList<QLineEdit*> cond;
    QGridLayout* condGrid = fields(fraCondLine,
                                   {{"txtCondDescription", "품목", kDescription},
                                    {"txtCondSection", "단면적 (mm²)", kSection},
                                    {"txtCondLength", "길이 (m)", kLength},
                                    {"txtCondCurrent", "전류 I (A)", kCurrent},
                                    {"txtCondCount", "도체 수", kCount},
                                    {"txtCondTemp", "도체 온도 (°C)", kTemp}},
                                   cond);
    txtCondDescription = cond[0], txtCondSection = cond[1], txtCondLength = cond[2];
    txtCondCurrent = cond[3], txtCondCount = cond[4], txtCondTemp = cond[5];
    txtCondTemp->setPlaceholderText(QStringLiteral("70"));
    cboCondClass = new QComboBox(fraCondLine);
    cboCondClass->setObjectName(QStringLiteral("cboCondClass"));
    cboCondClass->addItems({QStringLiteral("2등급 (연선)"), QStringLiteral("5등급 (가요성)")});
    condGrid->addWidget(new QLabel(QStringLiteral("등급"), fraCondLine), 1, 4);
    condGrid->addWidget(cboCondClass, 1, 5);
    connect(cboCondClass, &QComboBox::activated, this, [this](int index) {
        const int row = selectedLine();
        if (m_filling || row < 0) return;
        m_lines[row][kClass] = index == 1 ? QStringLiteral("5") : QStringLiteral("2");
        fillRow(row);
        store();
    });
    layout->addWidget(fraCondLine);

    // The sums, the verdict and the commands.
    auto* results = new QGridLayout();
    auto result = [&](const char* name, const char* caption, int column) {
        auto* edit = new QLineEdit(client);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setReadOnly(true);
        edit->setFont(uiNumberFont());
        edit->setAlignment(Qt::AlignRight);
        edit->setMaximumWidth(120);
        results->addWidget(new QLabel(text(caption), client), 0, column);
        results->addWidget(edit, 0, column + 1);
        results->addWidget(new QLabel(QStringLiteral("W"), client), 0, column + 2);
        return edit;
    };
    txtDevicesLoss = result("txtDevicesLoss", "기기 손실", 0);
    txtConductorsLoss = result("txtConductorsLoss", "도체 손실", 3);
    txtDevicesTotal = result("txtDevicesTotal", "합계", 6);
    cmdDevicesApply = new QPushButton(QStringLiteral("적용"), client);
    cmdDevicesApply->setObjectName(QStringLiteral("cmdDevicesApply"));
    cmdDevicesExit = new QPushButton(QStringLiteral("닫기"), client);
    cmdDevicesExit->setObjectName(QStringLiteral("cmdDevicesExit"));
    results->setColumnStretch(9, 1);
    results->addWidget(cmdDevicesApply, 0, 10);
    results->addWidget(cmdDevicesExit, 0, 11);
    layout->addLayout(results);
    connect(cmdDevicesApply, &QPushButton::clicked, this, &frmDevices::cmdDevicesApply_Click);
    connect(cmdDevicesExit, &QPushButton::clicked, this, &frmDevices::cmdDevicesExit_Click);

    lblDevVerdict = new QLabel(client);
    lblDevVerdict->setObjectName(QStringLiteral("lblDevVerdict"));
    lblDevVerdict->setFont(uiFont(9, true));
    lblDevSource = new QLabel(client);
    lblDevSource->setObjectName(QStringLiteral("lblDevSource"));
    lblDevStatus = new QLabel(client);
    lblDevStatus->setObjectName(QStringLiteral("lblDevStatus"));
    lblDevStatus->setWordWrap(true);
    for (QLabel* l : {lblDevVerdict, lblDevSource, lblDevStatus}) layout->addWidget(l);
}

void frmDevices::setUpToolTips() { applyToolTips(this, kToolTips); }

int frmDevices::selectedLine() const {
    const int row = tblDevices->currentRow();
    return row >= 0 && row < m_lines.size() ? row : -1;
}

void frmDevices::Form_Load() {
    m_lines = m_app.project().current().devices;
    fillTable();
    if (!m_lines.isEmpty()) tblDevices->setCurrentCell(0, ColDescription);
    showSelected();
    recompute();
}

void frmDevices::fillTable() {
    m_filling = true;
    tblDevices->setRowCount(int(m_lines.size()));
    for (int row = 0; row < m_lines.size(); ++row) fillRow(row);
    m_filling = false;
}

// The line's texts as typed in its input cells; a conductor's section,
// length and temperature, which its fields edit, as words.
void frmDevices::fillRow(int row) {
    const bool filling = m_filling;
    m_filling = true;
    const DeviceLineTexts& line = m_lines[row];
    const DeviceLineKind kind =
        line.value(kKind) == kConductor ? DeviceLineKind::Conductor : DeviceLineKind::Device;
    for (int c = 0; c < ColumnCount; ++c) {
        QTableWidgetItem* item = tblDevices->item(row, c);
        if (!item) {
            item = new QTableWidgetItem();
            tblDevices->setItem(row, c, item);
        }
        const QString member = memberOf(c, kind);
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (!member.isEmpty()) flags |= Qt::ItemIsEditable;
        item->setFlags(flags);
        if (c >= ColLoss) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QString shown = member.isEmpty() ? QString() : line.value(member);
        if (c == ColKind)
            shown =
                kind == DeviceLineKind::Device ? QStringLiteral("기기") : QStringLiteral("도체");
        if (kind == DeviceLineKind::Conductor) {
            if (c == ColIn)
                shown = QStringLiteral("%1 mm² %2등급")
                            .arg(line.value(kSection), line.value(kClass, QStringLiteral("2")));
            else if (c == ColPn)
                shown = QStringLiteral("%1 m").arg(line.value(kLength));
            else if (c == ColTmax)
                shown = QStringLiteral("도체 %1 °C")
                            .arg(line.value(kTemp).trimmed().isEmpty()
                                     ? number(kDefaultConductorTemperature)
                                     : line.value(kTemp));
        }
        if (c < ColLoss) item->setText(shown);
    }
    m_filling = filling;
}

void frmDevices::showSelected() {
    const int row = selectedLine();
    const bool conductor = row >= 0 && m_lines[row].value(kKind) == kConductor;
    fraDevLine->setVisible(!conductor);
    fraCondLine->setVisible(conductor);
    // Commands that do not apply stay enabled, their captions as legible as
    // the others', and say in the status line why nothing happened; without
    // a line the fields take no typing.
    m_filling = true;
    for (auto it = m_fieldMembers.begin(); it != m_fieldMembers.end(); ++it) {
        it.key()->setReadOnly(row < 0);
        it.key()->setText(row >= 0 ? m_lines[row].value(it.value()) : QString());
        bool bad = false;
        if (row >= 0 && row < m_eval.lines.size()) {
            const DeviceLineEvaluation& l = m_eval.lines[row];
            bad = (l.kind == DeviceLineKind::Conductor) == conductor &&
                  l.badMembers.contains(it.value());
        }
        setFieldNotUsed(it.key(), bad);
    }
    if (row >= 0) cboCondClass->setCurrentIndex(m_lines[row].value(kClass) == QLatin1String("5"));
    m_filling = false;
}

void frmDevices::cellEdited(int row, int column) {
    if (m_filling || row < 0 || row >= m_lines.size()) return;
    const DeviceLineKind kind = m_lines[row].value(kKind) == kConductor ? DeviceLineKind::Conductor
                                                                        : DeviceLineKind::Device;
    const QString member = memberOf(column, kind);
    if (member.isEmpty()) return;
    QString value = tblDevices->item(row, column)->text();
    // The factor shown where none was typed is Table 101's: a cell left as
    // it was keeps following it.
    if (column == ColFactor && row < m_eval.lines.size() && !m_eval.lines[row].factorTyped &&
        value == fixed(m_eval.lines[row].factor, "0.0"))
        return;
    m_lines[row][member] = value;
    if (row == selectedLine()) showSelected();
    store();
}

void frmDevices::fieldEdited(QLineEdit* field, const QString& member) {
    const int row = selectedLine();
    if (m_filling || row < 0) return;
    m_lines[row][member] = field->text();
    fillRow(row);
    store();
}

void frmDevices::store() {
    m_storing = true;
    m_app.project().setCabinetDevices(m_app.project().currentIndex(), m_lines);
    m_storing = false;
    recompute();
}

void frmDevices::recompute() {
    Cabinet cabinet = m_app.project().capturedCurrent();
    cabinet.devices = m_lines;
    const MainEvaluation main = evaluateMain(cabinet, m_app.tables());
    std::optional<RiseEvaluation> rise;
    if (!cabinet.rise.isEmpty()) rise = evaluateRise(cabinet);
    m_eval = evaluateDeviceList(m_lines, main, rise ? &*rise : nullptr);

    m_filling = true;
    const QPalette p = tblDevices->palette();
    const bool dark = p.color(QPalette::Base).lightness() < 128;
    const QColor badBack = dark ? QColor(0x6a, 0x4a, 0x10) : QColor(0xff, 0xe0, 0xa0);
    const QColor failText = dark ? QColor(0xff, 0x6e, 0x6e) : QColor(0xc0, 0x10, 0x10);
    QStringList reasons;
    for (int row = 0; row < m_eval.lines.size() && row < tblDevices->rowCount(); ++row) {
        const DeviceLineEvaluation& l = m_eval.lines[row];
        for (int c = 0; c < ColumnCount; ++c) {
            QTableWidgetItem* item = tblDevices->item(row, c);
            if (!item) continue;
            const QString member = memberOf(c, l.kind);
            const bool bad = (!member.isEmpty() && l.badMembers.contains(member)) ||
                             (l.kind == DeviceLineKind::Conductor &&
                              ((c == ColIn && (l.badMembers.contains(kSection) ||
                                               l.badMembers.contains(kClass))) ||
                               (c == ColPn && l.badMembers.contains(kLength)) ||
                               (c == ColTmax && l.badMembers.contains(kTemp))));
            item->setData(Qt::BackgroundRole, bad ? QVariant(badBack) : QVariant());
            item->setToolTip(bad ? toolTipLines(l.why) : QString());
        }
        QTableWidgetItem* factor = tblDevices->item(row, ColFactor);
        QFont italic = factor->font();
        italic.setItalic(!l.factorTyped);
        factor->setFont(italic);
        if (!l.factorTyped && !l.badMembers.contains(kFactor))
            factor->setText(l.factorApplies ? fixed(l.factor, "0.0") : QString());
        tblDevices->item(row, ColLoss)
            ->setText(l.bad() ? QStringLiteral("—") : deviceLossText(l.loss));
        tblDevices->item(row, ColAir)->setText(l.air ? fixed(*l.air, "0.0") : QString());
        tblDevices->item(row, ColMargin)->setText(l.margin ? fixed(*l.margin, "0.0") : QString());
        QTableWidgetItem* verdict = tblDevices->item(row, ColVerdict);
        verdict->setText(l.fits ? (*l.fits ? QStringLiteral("적합") : QStringLiteral("부적합"))
                                : QString());
        verdict->setData(Qt::ForegroundRole, l.fits && !*l.fits ? QVariant(failText) : QVariant());
        if (l.bad()) reasons << QStringLiteral("%1행: %2").arg(row + 1).arg(l.why);
    }
    m_filling = false;

    txtDevicesLoss->setText(deviceLossText(m_eval.devicesLoss));
    txtConductorsLoss->setText(deviceLossText(m_eval.conductorsLoss));
    txtDevicesTotal->setText(deviceLossText(m_eval.total));
    if (m_eval.critical) {
        const DeviceLineEvaluation& c = m_eval.lines[*m_eval.critical];
        lblDevVerdict->setText(
            QStringLiteral("판정: %1 — 임계 기기 %2행 \"%3\", 여유 %4 K")
                .arg(m_eval.verdict)
                .arg(*m_eval.critical + 1)
                .arg(c.description.isEmpty() ? QStringLiteral("(품목 없음)") : c.description)
                .arg(fixed(*c.margin, "0.0")));
    } else {
        lblDevVerdict->setText(QStringLiteral("판정: — (허용 주위 온도가 있는 기기가 없음)"));
    }
    QPalette vp = lblDevVerdict->palette();
    vp.setColor(QPalette::WindowText, m_eval.critical && !*m_eval.lines[*m_eval.critical].fits
                                          ? failText
                                          : palette().color(QPalette::WindowText));
    lblDevVerdict->setPalette(vp);
    lblDevSource->setText(QStringLiteral("주위 온도: %1").arg(m_eval.sourceText));
    QString status;
    if (m_eval.leftOut > 0)
        status = QStringLiteral("%1줄이 입력 오류로 합계에서 빠졌습니다. ").arg(m_eval.leftOut) +
                 reasons.mid(0, 3).join(QStringLiteral(" "));
    lblDevStatus->setText(status);
    // The selected line's fields carry their cues too.
    const int row = selectedLine();
    if (row >= 0 && row < m_eval.lines.size()) {
        for (auto it = m_fieldMembers.begin(); it != m_fieldMembers.end(); ++it)
            setFieldNotUsed(it.key(), m_eval.lines[row].badMembers.contains(it.value()));
    }
}

void frmDevices::insertLine(int at, DeviceLineTexts line) {
    if (m_lines.size() >= kMaxDeviceLines) {
        lblDevStatus->setText(
            QStringLiteral("한 제어반의 목록은 %1줄까지입니다.").arg(kMaxDeviceLines));
        return;
    }
    at = std::clamp(at, 0, int(m_lines.size()));
    m_lines.insert(at, line);
    m_filling = true;
    tblDevices->insertRow(at);
    fillRow(at);
    m_filling = false;
    store();
    // The new line is selected, its first field ready for typing.
    tblDevices->setCurrentCell(at, ColDescription);
    showSelected();
    (line.value(kKind) == kConductor ? txtCondDescription : txtDevDescription)->setFocus();
}

void frmDevices::cmdDevAdd_Click() { insertLine(selectedLine() + 1, newDeviceLine()); }
void frmDevices::cmdDevAddConductor_Click() { insertLine(selectedLine() + 1, newConductorLine()); }

void frmDevices::cmdDevDuplicate_Click() {
    const int row = selectedLine();
    if (row < 0) {
        lblDevStatus->setText(kNoLineSelected);
        return;
    }
    insertLine(row + 1, m_lines[row]);
}

void frmDevices::cmdDevRemove_Click() {
    const int row = selectedLine();
    if (row < 0) {
        lblDevStatus->setText(kNoLineSelected);
        return;
    }
    m_lines.removeAt(row);
    m_filling = true;
    tblDevices->removeRow(row);
    m_filling = false;
    store();
    if (!m_lines.isEmpty())
        tblDevices->setCurrentCell(std::min(row, int(m_lines.size()) - 1), ColDescription);
    showSelected();
}

void frmDevices::moveSelected(int step) {
    const int row = selectedLine();
    const int to = row + step;
    if (row < 0) {
        lblDevStatus->setText(kNoLineSelected);
        return;
    }
    if (to < 0 || to >= m_lines.size()) {
        lblDevStatus->setText(step < 0 ? QStringLiteral("선택한 줄이 이미 맨 위에 있습니다.")
                                       : QStringLiteral("선택한 줄이 이미 맨 아래에 있습니다."));
        return;
    }
    m_lines.swapItemsAt(row, to);
    fillRow(row);
    fillRow(to);
    store();
    tblDevices->setCurrentCell(to, tblDevices->currentColumn());
    showSelected();
}

void frmDevices::appendLines(const QList<DeviceLineTexts>& lines) {
    if (lines.isEmpty()) return;
    if (m_lines.size() + lines.size() > kMaxDeviceLines) {
        lblDevStatus->setText(
            QStringLiteral("한 제어반의 목록은 %1줄까지입니다.").arg(kMaxDeviceLines));
        return;
    }
    const int first = int(m_lines.size());
    m_lines << lines;
    m_filling = true;
    tblDevices->setRowCount(int(m_lines.size()));
    for (int row = first; row < m_lines.size(); ++row) fillRow(row);
    m_filling = false;
    store();
    tblDevices->setCurrentCell(first, ColDescription);
    showSelected();
}

void frmDevices::cmdDevLibrary_Click() {
    if (auto* open = findChild<frmLossLibrary*>()) {
        CabinetCoolApp::bringToFront(open);
        return;
    }
    auto* library = new frmLossLibrary(
        m_app, this, [this](const DeviceLineTexts& line) { insertLine(selectedLine() + 1, line); },
        [this]() -> std::optional<DeviceLineTexts> {
            const int row = selectedLine();
            if (row < 0) return std::nullopt;
            return m_lines[row];
        });
    library->show();
}

void frmDevices::cmdDevImport_Click() {
    PlatformServices::FileDialog dialog;
    dialog.title = QStringLiteral("CSV 가져오기");
    dialog.filters = {QStringLiteral("CSV 파일 (*.csv *.txt)"), QStringLiteral("모든 파일 (*)")};
    const QString path = m_app.platform().openFileName(this, dialog);
    if (path.isEmpty()) return;
    const QString title = QStringLiteral("CSV 가져오기");
    QFile file(path);
    if (!openRegularFile(file, path)) {
        m_app.platform().errorBox(this, title,
                                  QStringLiteral("%1을(를) 열 수 없습니다. 목록은 그대로입니다.")
                                      .arg(QDir::toNativeSeparators(path)));
        return;
    }
    CsvTable table = readCsv(file.read(kMaxDeviceFileBytes + 1));
    if (!table.error.isEmpty()) {
        m_app.platform().errorBox(
            this, title,
            QStringLiteral("%1을(를) 읽을 수 없습니다: %2 목록은 그대로입니다.")
                .arg(QDir::toNativeSeparators(path), table.error));
        return;
    }
    auto* import =
        new frmDeviceCsvImport(QFileInfo(path).fileName(), std::move(table), m_lines.size(), this,
                               [this](const QList<DeviceLineTexts>& lines) { appendLines(lines); });
    import->show();
}

void frmDevices::cmdDevicesApply_Click() {
    MainWindow* main = m_app.mainWindow();
    if (!main) return;
    // To a tenth of a watt, as the list shows it.
    main->setFieldText(CabinetField::InternalHeat, number(std::round(m_eval.total * 10) / 10));
    lblDevStatus->setText(
        QStringLiteral("합계 %1 W를 주 화면의 발열량 P에 썼습니다. 결과는 다시 계산하면 바뀝니다.")
            .arg(deviceLossText(m_eval.total)));
}

void frmDevices::cmdDevicesExit_Click() { m_app.unloadWindow(this); }
