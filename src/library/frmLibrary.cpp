#include "library/frmLibrary.h"

#include <QCloseEvent>
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
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "calc/NumberText.h"
#include "design/LibraryCsv.h"
#include "design/LibraryOffer.h"
#include "kit/CabinetCoolApp.h"
#include "kit/FieldCues.h"
#include "kit/FileAccess.h"
#include "kit/PlatformServices.h"
#include "kit/ProjectSession.h"
#include "kit/ScrollableClient.h"
#include "kit/UserLibrary.h"
#include "kit/Widgets.h"
#include "kit/WindowKeys.h"

namespace {

enum Column { Kind, Designation, Maker, Rating, State, Columns };
enum PointColumn { PointTi, PointTu, PointCapacity, PointColumns };

const std::pair<const char*, const char*> kKinds[] = {
    {"aircon", "에어컨"},
    {"heat-exchanger", "열교환기"},
    {"filter-fan", "필터팬"},
    {"heater", "히터"},
};

QString kindText(const QString& kind) {
    for (const auto& [name, text] : kKinds)
        if (kind == QLatin1String(name)) return QString::fromUtf8(text);
    return kind;
}

QString numberOrEmpty(const std::optional<double>& v) {
    return v ? QString::fromStdString(NumberText(*v)) : QString();
}

// The device's nominal rating as the list shows it: "1000 W (L35/L35)".
QString ratingText(const LibraryDevice& d) {
    const std::optional<double> r = libraryRating(d);
    if (!r) return QStringLiteral("—");
    QString text = QString::fromStdString(NumberText(*r)) + QLatin1Char(' ') +
                   deviceRatingUnit(libraryDeviceKind(d));
    if (libraryDeviceKind(d) == DeviceKind::Aircon) text += QStringLiteral(" (L35/L35)");
    return text;
}

QString designationUnique(const QList<LibraryDevice>& devices, const QString& base) {
    if (findLibraryDevice(devices, base) < 0) return base;
    for (int n = 2;; ++n) {
        const QString candidate = QStringLiteral("%1 (%2)").arg(base).arg(n);
        if (findLibraryDevice(devices, candidate) < 0) return candidate;
    }
}

const ToolTipEntry kToolTips[] = {
    {"tblLibrary",
     "장비 라이브러리: 직접 쓰는 장비와 데이터시트 값. 정격은 에어컨이 L35/L35 (반내 35 °C, 주위 "
     "35 °C, EN 14511)의 냉각 능력 W, 열교환기가 비열출력 W/K, 필터팬이 필터 장착 풍량 m³/h, "
     "히터가 출력 W입니다. 상태는 제안에 쓸 수 있는지, 아니면 무엇이 모자란지입니다."},
    {"txtLibDesignation", "모델명 (자유 입력). 라이브러리 안에서 하나뿐이어야 합니다."},
    {"txtLibMaker", "제조사 (자유 입력). 보고서의 선정 장비 줄에 나옵니다."},
    {"cboLibKind",
     "장비 종류: 에어컨 (냉각 능력 W, 운전점마다), 공기/공기 열교환기 (비열출력 W/K), 필터팬 "
     "(풍량 m³/h), 히터 (출력 W)."},
    {"tblLibPoints",
     "에어컨의 운전점: 반내 온도 Ti (°C), 주위 온도 Tu (°C), 그때의 냉각 능력 (W). L35/L35와 "
     "L35/L50 (Ti 35 °C, Tu 35/50 °C)은 꼭 있어야 하고, 데이터시트 도표의 점을 더할 수 있습니다. "
     "제어반의 운전점 능력은 가장 가까운 점 사이에서 Ti와 Tu 각각 선형 보간하며, 점의 범위 "
     "밖으로는 "
     "외삽하지 않습니다. 마지막 빈 행에 쓰면 점이 늘고, 행을 비우면 빠집니다."},
    {"txtLibTuMax",
     "에어컨이 운전할 수 있는 최고 주위 온도 Tu max (°C). 제어반의 최고 외기 온도가 이보다 "
     "높으면 제안하지 않습니다."},
    {"txtLibSpecific",
     "열교환기의 비열출력 (W/K) = 반내외 온도차 1 K당 내보내는 열. 0보다 커야 합니다."},
    {"txtLibFlowFree", "필터팬의 자유 송풍 풍량 (m³/h), 필터 없이. 0보다 커야 합니다."},
    {"txtLibFlowFilter",
     "필터팬의 출구 필터 장착 풍량 (m³/h). 제안은 이 풍량으로 필요 풍량과 비교합니다. 0보다 커야 "
     "합니다."},
    {"txtLibPower", "히터의 출력 (W). 0보다 커야 합니다."},
    {"cmdLibAdd", "새 장비를 목록 끝에 더합니다."},
    {"cmdLibDuplicate", "선택한 장비를 복제합니다 (모델명 뒤에 번호)."},
    {"cmdLibRemove",
     "선택한 장비를 라이브러리에서 뺍니다. 이미 고른 프로젝트는 그 사본을 그대로 씁니다."},
    {"cmdLibImport",
     "CSV 파일 (UTF-8, 쉼표, 머리글 행: kind, designation, maker, ti, tu, capacity_w, "
     "specific_w_per_k, airflow_free_m3h, airflow_filter_m3h, power_w, tu_max)에서 장비를 "
     "가져옵니다. 같은 모델명은 바꾸고, 맞지 않는 행이 하나라도 있으면 아무것도 가져오지 "
     "않습니다."},
    {"cmdLibExport", "라이브러리 전체를 같은 열 구성의 CSV 파일로 저장합니다."},
    {"cmdLibExit", "장비 라이브러리 창을 닫습니다 (Esc). 변경은 이미 저장되어 있습니다."},
};

}  // namespace

frmLibrary::frmLibrary(CabinetCoolApp& app)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint),
      m_app(app) {
    setObjectName(QStringLiteral("frmLibrary"));
    setWindowTitle(QStringLiteral("장비 라이브러리"));
    buildLayout();
    applyToolTips(this, kToolTips);
    installWindowKeys(this, nullptr, [this]() { cmdLibExit_Click(); });
    m_saveTimer.setSingleShot(true);
    m_saveTimer.setInterval(400);
    connect(&m_saveTimer, &QTimer::timeout, this, &frmLibrary::saveNow);
    Form_Load();
}

frmLibrary::~frmLibrary() { saveNow(); }

void frmLibrary::buildLayout() {
    setFont(uiFont(9, false));
    QWidget* client = makeScrollableClient(this, QSize(900, 560));
    auto* top = new QHBoxLayout(client);

    auto* left = new QVBoxLayout;
    tblLibrary = new QTableWidget(0, Columns, client);
    tblLibrary->setObjectName(QStringLiteral("tblLibrary"));
    tblLibrary->setHorizontalHeaderLabels({QStringLiteral("종류"), QStringLiteral("모델명"),
                                           QStringLiteral("제조사"), QStringLiteral("정격"),
                                           QStringLiteral("상태")});
    tblLibrary->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblLibrary->setSelectionMode(QAbstractItemView::SingleSelection);
    tblLibrary->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblLibrary->verticalHeader()->setVisible(false);
    tblLibrary->horizontalHeader()->setStretchLastSection(true);
    connect(tblLibrary, &QTableWidget::currentCellChanged, this, [this]() {
        if (!m_filling) refreshFields();
    });
    left->addWidget(tblLibrary, 1);
    auto* listButtons = new QHBoxLayout;
    auto button = [this, client](const char* name, const char* caption) {
        auto* b = new QPushButton(QString::fromUtf8(caption), client);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    cmdLibAdd = button("cmdLibAdd", "새 장비");
    cmdLibDuplicate = button("cmdLibDuplicate", "복제");
    cmdLibRemove = button("cmdLibRemove", "삭제");
    cmdLibImport = button("cmdLibImport", "CSV 가져오기...");
    cmdLibExport = button("cmdLibExport", "CSV 내보내기...");
    for (QPushButton* b : {cmdLibAdd, cmdLibDuplicate, cmdLibRemove, cmdLibImport, cmdLibExport})
        listButtons->addWidget(b);
    listButtons->addStretch(1);
    left->addLayout(listButtons);
    lblLibStatus = new QLabel(client);
    lblLibStatus->setObjectName(QStringLiteral("lblLibStatus"));
    lblLibStatus->setWordWrap(true);
    lblLibStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    left->addWidget(lblLibStatus);
    top->addLayout(left, 3);

    auto* right = new QVBoxLayout;
    auto* device = new QGroupBox(QStringLiteral("선택한 장비"), client);
    auto* grid = new QGridLayout(device);
    auto field = [this, device](const char* name) {
        auto* f = new QLineEdit(device);
        f->setObjectName(QLatin1String(name));
        f->setMaxLength(kMaxProjectLineLength);
        return f;
    };
    txtLibDesignation = field("txtLibDesignation");
    txtLibMaker = field("txtLibMaker");
    cboLibKind = new QComboBox(device);
    cboLibKind->setObjectName(QStringLiteral("cboLibKind"));
    for (const auto& [name, text] : kKinds)
        cboLibKind->addItem(QString::fromUtf8(text), QString::fromLatin1(name));
    tblLibPoints = new QTableWidget(0, PointColumns, device);
    tblLibPoints->setObjectName(QStringLiteral("tblLibPoints"));
    tblLibPoints->setHorizontalHeaderLabels(
        {QStringLiteral("Ti (°C)"), QStringLiteral("Tu (°C)"), QStringLiteral("냉각 능력 (W)")});
    tblLibPoints->verticalHeader()->setVisible(false);
    tblLibPoints->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tblLibPoints->setMinimumHeight(150);
    txtLibTuMax = field("txtLibTuMax");
    txtLibSpecific = field("txtLibSpecific");
    txtLibFlowFree = field("txtLibFlowFree");
    txtLibFlowFilter = field("txtLibFlowFilter");
    txtLibPower = field("txtLibPower");
    int row = 0;
    auto add = [&](const char* caption, QWidget* w) {
        auto* label = new QLabel(QString::fromUtf8(caption), device);
        label->setBuddy(w);
        grid->addWidget(label, row, 0);
        grid->addWidget(w, row, 1);
        ++row;
    };
    add("모델명", txtLibDesignation);
    add("제조사", txtLibMaker);
    add("종류", cboLibKind);
    auto* pointsLabel = new QLabel(QStringLiteral("운전점 (에어컨)"), device);
    pointsLabel->setBuddy(tblLibPoints);
    grid->addWidget(pointsLabel, row++, 0, 1, 2);
    grid->addWidget(tblLibPoints, row++, 0, 1, 2);
    add("최고 주위 온도 Tu max (°C)", txtLibTuMax);
    add("비열출력 (W/K)", txtLibSpecific);
    add("자유 풍량 (m³/h)", txtLibFlowFree);
    add("필터 장착 풍량 (m³/h)", txtLibFlowFilter);
    add("출력 (W)", txtLibPower);
    right->addWidget(device, 1);
    cmdLibExit = button("cmdLibExit", "닫기");
    auto* exitRow = new QHBoxLayout;
    exitRow->addStretch(1);
    exitRow->addWidget(cmdLibExit);
    right->addLayout(exitRow);
    top->addLayout(right, 2);

    connect(txtLibDesignation, &QLineEdit::textEdited, this, &frmLibrary::designationEdited);
    connect(txtLibMaker, &QLineEdit::textEdited, this, &frmLibrary::makerEdited);
    connect(cboLibKind, &QComboBox::activated, this, &frmLibrary::kindEdited);
    for (QLineEdit* f :
         {txtLibTuMax, txtLibSpecific, txtLibFlowFree, txtLibFlowFilter, txtLibPower})
        connect(f, &QLineEdit::textEdited, this, [this, f]() { valueEdited(f); });
    connect(tblLibPoints, &QTableWidget::itemChanged, this, [this]() {
        if (!m_filling) pointEdited();
    });
    connect(cmdLibAdd, &QPushButton::clicked, this, &frmLibrary::cmdLibAdd_Click);
    connect(cmdLibDuplicate, &QPushButton::clicked, this, &frmLibrary::cmdLibDuplicate_Click);
    connect(cmdLibRemove, &QPushButton::clicked, this, &frmLibrary::cmdLibRemove_Click);
    connect(cmdLibImport, &QPushButton::clicked, this, &frmLibrary::cmdLibImport_Click);
    connect(cmdLibExport, &QPushButton::clicked, this, &frmLibrary::cmdLibExport_Click);
    connect(cmdLibExit, &QPushButton::clicked, this, &frmLibrary::cmdLibExit_Click);

    setKeyboardOrder(
        this, {tblLibrary, cmdLibAdd, cmdLibDuplicate, cmdLibRemove, cmdLibImport, cmdLibExport,
               txtLibDesignation, txtLibMaker, cboLibKind, tblLibPoints, txtLibTuMax,
               txtLibSpecific, txtLibFlowFree, txtLibFlowFilter, txtLibPower, cmdLibExit});
}

void frmLibrary::Form_Load() {
    UserLibrary& library = m_app.library();
    m_devices = library.devices();
    m_unsaved = false;
    refreshTable();
    if (!m_devices.isEmpty()) tblLibrary->setCurrentCell(0, Designation);
    refreshFields();
    showNote(library.problem().isEmpty() && m_devices.isEmpty()
                 ? QStringLiteral("라이브러리가 비어 있습니다. 새 장비를 더하거나 CSV를 "
                                  "가져오세요.")
                 : library.problem());
}

// ---- showing ------------------------------------------------------------------------

int frmLibrary::currentRow() const {
    const int row = tblLibrary->currentRow();
    return row >= 0 && row < m_devices.size() ? row : -1;
}

void frmLibrary::showNote(const QString& text) { lblLibStatus->setText(text); }

void frmLibrary::refreshTable() {
    m_filling = true;
    tblLibrary->setRowCount(static_cast<int>(m_devices.size()));
    for (int row = 0; row < m_devices.size(); ++row) refreshRow(row);
    m_filling = false;
    tblLibrary->resizeColumnsToContents();
}

void frmLibrary::refreshRow(int row) {
    const LibraryDevice& d = m_devices[row];
    const QString gap = libraryDeviceGap(d);
    const QString cells[Columns] = {kindText(d.kind), d.designation, d.maker, ratingText(d),
                                    gap.isEmpty() ? QStringLiteral("사용 가능") : gap};
    for (int col = 0; col < Columns; ++col) {
        QTableWidgetItem* item = tblLibrary->item(row, col);
        if (!item) {
            item = new QTableWidgetItem;
            tblLibrary->setItem(row, col, item);
        }
        if (item->text() != cells[col]) item->setText(cells[col]);
    }
}

void frmLibrary::refreshFields() {
    const int row = currentRow();
    m_filling = true;
    const LibraryDevice d = row >= 0 ? m_devices[row] : LibraryDevice{};
    const std::pair<QLineEdit*, QString> texts[] = {{txtLibDesignation, d.designation},
                                                    {txtLibMaker, d.maker},
                                                    {txtLibTuMax, numberOrEmpty(d.tuMax)},
                                                    {txtLibSpecific, numberOrEmpty(d.specific)},
                                                    {txtLibFlowFree, numberOrEmpty(d.flowFree)},
                                                    {txtLibFlowFilter, numberOrEmpty(d.flowFilter)},
                                                    {txtLibPower, numberOrEmpty(d.power)}};
    for (const auto& [field, text] : texts) {
        field->setText(text);
        setFieldInputError(field, QString());
    }
    cboLibKind->setCurrentIndex(std::max(0, cboLibKind->findData(d.kind)));
    tblLibPoints->setRowCount(static_cast<int>(d.points.size()) + 1);
    for (int r = 0; r <= d.points.size(); ++r) {
        for (int col = 0; col < PointColumns; ++col) {
            QString text;
            if (r < d.points.size()) {
                const LibraryPoint& p = d.points[r];
                text = QString::fromStdString(NumberText(col == PointTi   ? p.ti
                                                         : col == PointTu ? p.tu
                                                                          : p.capacity));
            }
            auto* item = new QTableWidgetItem(text);
            tblLibPoints->setItem(r, col, item);
        }
    }
    for (QWidget* w : {static_cast<QWidget*>(txtLibDesignation), static_cast<QWidget*>(txtLibMaker),
                       static_cast<QWidget*>(cboLibKind)})
        w->setEnabled(row >= 0);
    m_filling = false;
    refreshKindFields();
}

void frmLibrary::refreshKindFields() {
    const bool any = currentRow() >= 0;
    const QString kind = cboLibKind->currentData().toString();
    tblLibPoints->setEnabled(any && kind == QLatin1String("aircon"));
    txtLibTuMax->setEnabled(any && kind == QLatin1String("aircon"));
    txtLibSpecific->setEnabled(any && kind == QLatin1String("heat-exchanger"));
    txtLibFlowFree->setEnabled(any && kind == QLatin1String("filter-fan"));
    txtLibFlowFilter->setEnabled(any && kind == QLatin1String("filter-fan"));
    txtLibPower->setEnabled(any && kind == QLatin1String("heater"));
}

// ---- edits --------------------------------------------------------------------------

bool frmLibrary::mayEdit() {
    UserLibrary& library = m_app.library();
    if (!library.readOnly()) return true;
    showNote(library.problem() + QStringLiteral(" 바꾼 값은 저장되지 않습니다."));
    refreshFields();
    return false;
}

void frmLibrary::changed(const LibraryDevice& device) {
    const int row = currentRow();
    if (row < 0) return;
    m_devices[row] = device;
    refreshRow(row);
    scheduleSave();
    const QString gap = libraryDeviceGap(device);
    showNote(gap.isEmpty() ? QString()
                           : QStringLiteral("이 장비는 아직 제안에 쓰이지 않습니다: ") + gap);
}

void frmLibrary::scheduleSave() {
    m_unsaved = true;
    m_saveTimer.start();
}

int frmLibrary::rowToActOn(const QString& what) {
    const int row = currentRow();
    if (row < 0) {
        showNote(QStringLiteral("%1 장비를 목록에서 고르세요.").arg(what));
        return -1;
    }
    return mayEdit() ? row : -1;
}

void frmLibrary::saveNow() {
    m_saveTimer.stop();
    if (!m_unsaved) return;
    m_unsaved = false;
    UserLibrary& library = m_app.library();
    FileWriteError error = FileWriteError::None;
    if (!library.replace(m_devices, &error)) {
        m_unsaved = true;
        if (!library.readOnly())
            m_app.platform().fileWriteErrorBox(
                this, QStringLiteral("장비 라이브러리 \"%1\"을(를) 저장하지 못했습니다.\n%2")
                          .arg(QDir::toNativeSeparators(UserLibrary::filePath()),
                               fileWriteErrorText(error)));
        return;
    }
    // The project's copies of these devices follow.
    m_app.project().refreshLibraryCopies(m_devices);
}

void frmLibrary::designationEdited() {
    const int row = currentRow();
    if (m_filling || row < 0 || !mayEdit()) return;
    const QString text = txtLibDesignation->text();
    QString why;
    if (text.trimmed().isEmpty()) {
        why = QStringLiteral("모델명이 비어 있어 쓰지 않았습니다.");
    } else {
        const qsizetype other = findLibraryDevice(m_devices, text);
        if (other >= 0 && other != row)
            why = QStringLiteral("모델명 \"%1\"은(는) 이미 %2번째 장비에 있어 쓰지 않았습니다.")
                      .arg(text)
                      .arg(other + 1);
    }
    setFieldInputError(txtLibDesignation, why);
    if (!why.isEmpty()) {
        showNote(why);
        return;
    }
    LibraryDevice d = m_devices[row];
    d.designation = text;
    changed(d);
}

void frmLibrary::makerEdited() {
    const int row = currentRow();
    if (m_filling || row < 0 || !mayEdit()) return;
    LibraryDevice d = m_devices[row];
    d.maker = txtLibMaker->text();
    changed(d);
}

void frmLibrary::kindEdited() {
    const int row = currentRow();
    if (m_filling || row < 0 || !mayEdit()) return;
    LibraryDevice d = m_devices[row];
    d.kind = cboLibKind->currentData().toString();
    refreshKindFields();
    changed(d);
}

void frmLibrary::valueEdited(QLineEdit* field) {
    const int row = currentRow();
    if (m_filling || row < 0 || !mayEdit()) return;
    const QString text = field->text();
    std::optional<double> value;
    QString why;
    if (!text.trimmed().isEmpty()) {
        value = ParseWholeNumber(text.toStdString());
        if (!value)
            why = QStringLiteral("\"%1\"은(는) 하나의 수가 아니어서 쓰지 않았습니다.").arg(text);
        else if (field != txtLibTuMax && !(*value > 0))
            why = QStringLiteral("%1은(는) 0보다 커야 해서 쓰지 않았습니다.").arg(text);
    }
    setFieldInputError(field, why);
    if (!why.isEmpty()) {
        showNote(why);
        return;
    }
    LibraryDevice d = m_devices[row];
    std::optional<double>* member = field == txtLibTuMax        ? &d.tuMax
                                    : field == txtLibSpecific   ? &d.specific
                                    : field == txtLibFlowFree   ? &d.flowFree
                                    : field == txtLibFlowFilter ? &d.flowFilter
                                                                : &d.power;
    *member = value;
    changed(d);
}

void frmLibrary::pointEdited() {
    const int row = currentRow();
    if (row < 0 || !mayEdit()) return;
    const QColor warning = warningFrameColor(tblLibPoints->palette());
    QList<LibraryPoint> points;
    QList<int> pointRows;
    QStringList problems;
    m_filling = true;
    // The amber of the fields' warning frame as the cell's ground, its text
    // dark or light against it.
    const QColor onWarning = warning.lightnessF() > 0.5 ? QColor(Qt::black) : QColor(Qt::white);
    const auto mark = [&](QTableWidgetItem* item, const QString& why) {
        item->setData(Qt::BackgroundRole, why.isEmpty() ? QVariant() : QVariant(warning));
        item->setData(Qt::ForegroundRole, why.isEmpty() ? QVariant() : QVariant(onWarning));
        item->setToolTip(why);
        if (!why.isEmpty()) problems << why;
    };
    for (int r = 0; r < tblLibPoints->rowCount(); ++r) {
        QTableWidgetItem* items[PointColumns];
        bool blank = true;
        for (int col = 0; col < PointColumns; ++col) {
            items[col] = tblLibPoints->item(r, col);
            if (!items[col]) {
                items[col] = new QTableWidgetItem;
                tblLibPoints->setItem(r, col, items[col]);
            }
            if (!items[col]->text().trimmed().isEmpty()) blank = false;
        }
        double values[PointColumns] = {0, 0, 0};
        bool read = !blank;
        for (int col = 0; col < PointColumns; ++col) {
            const QString text = items[col]->text();
            QString why;
            if (!blank) {
                const std::optional<double> v = ParseWholeNumber(text.toStdString());
                if (text.trimmed().isEmpty())
                    why = QStringLiteral("%1행: 값이 없습니다.").arg(r + 1);
                else if (!v)
                    why = QStringLiteral("%1행: \"%2\"은(는) 하나의 수가 아닙니다.")
                              .arg(r + 1)
                              .arg(text);
                else if (col == PointCapacity && !(*v > 0))
                    why = QStringLiteral("%1행: 냉각 능력 %2 W는 0보다 커야 합니다.")
                              .arg(r + 1)
                              .arg(text);
                else
                    values[col] = *v;
            }
            if (!why.isEmpty()) read = false;
            mark(items[col], why);
        }
        if (read) {
            points << LibraryPoint{values[PointTi], values[PointTu], values[PointCapacity]};
            pointRows << r;
        }
    }
    // Two points at the same temperatures with different capacities.
    for (int i = 0; i < points.size(); ++i)
        for (int j = 0; j < i; ++j)
            if (points[i].ti == points[j].ti && points[i].tu == points[j].tu &&
                points[i].capacity != points[j].capacity)
                mark(tblLibPoints->item(pointRows[i], PointCapacity),
                     QStringLiteral("%1행과 %2행이 같은 온도에서 냉각 능력이 다릅니다.")
                         .arg(pointRows[j] + 1)
                         .arg(pointRows[i] + 1));
    // Always one empty row to write a new point into.
    bool lastBlank = tblLibPoints->rowCount() > 0;
    for (int col = 0; col < PointColumns && lastBlank; ++col) {
        const QTableWidgetItem* item = tblLibPoints->item(tblLibPoints->rowCount() - 1, col);
        if (item && !item->text().trimmed().isEmpty()) lastBlank = false;
    }
    if (!lastBlank) tblLibPoints->setRowCount(tblLibPoints->rowCount() + 1);
    m_filling = false;
    if (!problems.isEmpty()) {
        showNote(problems.join(QLatin1Char('\n')) +
                 QStringLiteral("\n운전점은 바꾸지 않았습니다."));
        return;
    }
    LibraryDevice d = m_devices[row];
    d.points = points;
    changed(d);
}

// ---- commands -------------------------------------------------------------------------

void frmLibrary::cmdLibAdd_Click() {
    if (!mayEdit()) return;
    LibraryDevice d;
    d.designation = designationUnique(m_devices, QStringLiteral("새 장비"));
    m_devices.append(d);
    scheduleSave();
    refreshTable();
    tblLibrary->setCurrentCell(static_cast<int>(m_devices.size()) - 1, Designation);
    txtLibDesignation->setFocus();
    txtLibDesignation->selectAll();
    showNote(
        QStringLiteral("새 에어컨을 더했습니다. 모델명과 L35/L35, L35/L50의 냉각 능력, 최고 "
                       "주위 온도를 넣으세요."));
}

void frmLibrary::cmdLibDuplicate_Click() {
    const int row = rowToActOn(QStringLiteral("복제할"));
    if (row < 0) return;
    LibraryDevice d = m_devices[row];
    d.designation = designationUnique(m_devices, d.designation + QStringLiteral(" 복사"));
    m_devices.insert(row + 1, d);
    scheduleSave();
    refreshTable();
    tblLibrary->setCurrentCell(row + 1, Designation);
    showNote(QStringLiteral("\"%1\"(으)로 복제했습니다.").arg(d.designation));
}

void frmLibrary::cmdLibRemove_Click() {
    const int row = rowToActOn(QStringLiteral("뺄"));
    if (row < 0) return;
    const QString name = m_devices[row].designation;
    if (m_app.platform().askQuestion(
            this, QStringLiteral("장비 \"%1\"을(를) 라이브러리에서 삭제할까요?").arg(name),
            {QStringLiteral("삭제"), QStringLiteral("취소")}, 1, 1) != 0)
        return;
    m_devices.removeAt(row);
    scheduleSave();
    refreshTable();
    if (!m_devices.isEmpty())
        tblLibrary->setCurrentCell(std::min<int>(row, static_cast<int>(m_devices.size()) - 1),
                                   Designation);
    refreshFields();
    showNote(QStringLiteral("장비 \"%1\"을(를) 삭제했습니다.").arg(name));
}

void frmLibrary::cmdLibImport_Click() {
    if (!mayEdit()) return;
    PlatformServices::FileDialog d;
    d.title = QStringLiteral("CSV 가져오기");
    d.filters = {QStringLiteral("CSV 파일 (*.csv)"), QStringLiteral("모든 파일 (*)")};
    d.confirmOverwrite = false;
    const QString path = m_app.platform().openFileName(this, d);
    if (!path.isEmpty()) importCsv(path);
}

void frmLibrary::importCsv(const QString& path) {
    if (!mayEdit()) return;
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!openRegularFile(file, path)) {
        m_app.platform().messageBox(
            this, QStringLiteral("\"%1\"을(를) 열 수 없습니다: %2").arg(shown, file.errorString()));
        return;
    }
    const QByteArray bytes = file.read(kMaxLibraryFileBytes + 1);
    LibraryCsvReading reading;
    if (bytes.size() > kMaxLibraryFileBytes)
        reading.errors << QStringLiteral("파일이 너무 큽니다 (16 MiB 초과).");
    else
        reading = readLibraryCsv(bytes);
    if (!reading.errors.isEmpty()) {
        QStringList lines = reading.errors.mid(0, 20);
        if (reading.errors.size() > 20)
            lines << QStringLiteral("… 외 %1건").arg(reading.errors.size() - 20);
        m_app.platform().messageBox(
            this, QStringLiteral("\"%1\"에 맞지 않는 행이 있어 아무것도 가져오지 않았습니다.\n\n%2")
                      .arg(shown, lines.join(QLatin1Char('\n'))));
        return;
    }
    int added = 0, replaced = 0;
    QList<LibraryDevice> devices = m_devices;
    for (const LibraryDevice& d : reading.devices) {
        const qsizetype at = findLibraryDevice(devices, d.designation);
        if (at >= 0) {
            devices[at] = d;
            ++replaced;
        } else {
            devices.append(d);
            ++added;
        }
    }
    if (devices.size() > kMaxLibraryDevices) {
        m_app.platform().messageBox(
            this, QStringLiteral("라이브러리에는 장비를 %1개까지 둘 수 있어 가져오지 않았습니다.")
                      .arg(kMaxLibraryDevices));
        return;
    }
    m_devices = devices;
    m_unsaved = true;
    saveNow();
    refreshTable();
    if (!m_devices.isEmpty() && currentRow() < 0) tblLibrary->setCurrentCell(0, Designation);
    refreshFields();
    showNote(QStringLiteral("\"%1\"에서 %2개를 더하고 %3개를 바꿨습니다.")
                 .arg(QFileInfo(path).fileName())
                 .arg(added)
                 .arg(replaced));
}

void frmLibrary::cmdLibExport_Click() {
    PlatformServices::FileDialog d;
    d.title = QStringLiteral("CSV 내보내기");
    d.filters = {QStringLiteral("CSV 파일 (*.csv)")};
    d.defaultName = QStringLiteral("장비 라이브러리.csv");
    d.defaultSuffix = QStringLiteral("csv");
    const QString path = m_app.platform().saveFileName(this, d);
    if (!path.isEmpty()) exportCsv(path);
}

void frmLibrary::exportCsv(const QString& path) {
    FileWriteError error = FileWriteError::None;
    if (!replaceFileContents(path, libraryCsvBytes(m_devices), &error)) {
        m_app.platform().fileWriteErrorBox(
            this, QStringLiteral("\"%1\"을(를) 저장하지 못했습니다.\n%2")
                      .arg(QDir::toNativeSeparators(path), fileWriteErrorText(error)));
        return;
    }
    showNote(QStringLiteral("장비 %1개를 \"%2\"에 저장했습니다.")
                 .arg(m_devices.size())
                 .arg(QFileInfo(path).fileName()));
}

void frmLibrary::cmdLibExit_Click() { m_app.unloadWindow(this); }

void frmLibrary::closeEvent(QCloseEvent* event) {
    saveNow();
    event->accept();
}
