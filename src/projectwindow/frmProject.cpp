#include "projectwindow/frmProject.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "calc/NumberText.h"
#include "design/CabinetDesign.h"
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
#include "projectwindow/ProjectCommands.h"

namespace {

enum Column {
    Tag,
    Description,
    Count,
    Mode,
    Size,
    Heat,
    Method,
    Requirement,
    Device,
    Model,
    Rise,
    Status,
    Columns
};

// The governing method's and the device's lists: the kept name of each
// entry ("" for the program's choice).
const std::pair<const char*, const char*> kMethodItems[] = {
    {"", "자동 (상세 설계가 있으면 상세 설계)"},
    {"main", "기본 계산"},
    {"climate", "상세 설계"},
};
const std::pair<const char*, const char*> kDeviceItems[] = {
    {"", "자동 (주 화면 방식에 따름)"},
    {"aircon", "에어컨"},
    {"heat-exchanger", "열교환기·팬"},
    {"filter-fan", "필터팬"},
    {"heater", "히터"},
    {"none", "없음 (닫힌 외함, 벽으로 방열)"},
};

// A requirement as the main window's result field writes it: two decimals.
QString requirementText(const GoverningAnswer& a) {
    if (a.inputError) return QStringLiteral("입력 확인");
    if (!a.value) return QStringLiteral("—");
    if (a.notNeeded) return QStringLiteral("필요 없음");
    return QString::fromStdString(FormatNumber(*a.value, "0.00")) + QLatin1Char(' ') + a.unit;
}

QString modeCaption(const QString& mode) {
    if (mode == QLatin1String("Fan1")) return QStringLiteral("팬 (발열량)");
    if (mode == QLatin1String("Fan2")) return QStringLiteral("팬 (측정 온도)");
    return QStringLiteral("에어컨");
}

// The note's field. A paste or a drop is cut to the room the note has left
// before it goes in: laying a long line out is what would hold the window.
class NoteEdit : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void insertFromMimeData(const QMimeData* source) override {
        if (!source || !source->hasText()) return;
        const QTextCursor cursor = textCursor();
        const qsizetype room = kMaxProjectNoteLength - (document()->characterCount() - 1) +
                               (cursor.selectionEnd() - cursor.selectionStart());
        QString text = source->text();
        if (text.size() > room) {
            text.truncate(std::max<qsizetype>(room, 0));
            if (!text.isEmpty() && text.back().isHighSurrogate()) text.chop(1);
        }
        insertPlainText(text);
    }
};

const ToolTipEntry kToolTips[] = {
    {"txtProjName", "프로젝트 이름. 보고서 머리말과 표지에 나옵니다."},
    {"txtProjCustomer", "고객(발주처) 이름. 보고서에 나옵니다."},
    {"txtProjSite", "설치 현장. 보고서에 나옵니다."},
    {"txtProjAuthor", "작성자. 보고서의 작성 란에 나옵니다."},
    {"txtProjCompany", "작성 회사. 보고서에 나옵니다."},
    {"txtProjRevision", "개정 표시 (예: A, B, R2). 보고서에 나옵니다."},
    {"txtProjNote", "프로젝트에 대한 자유 메모."},
    {"tblProjCabinets",
     "프로젝트의 제어반 목록. 행을 고르면 그 제어반이 주 화면과 상세 설계·발열량 창에 "
     "열리고, 그 뒤의 모든 입력은 그 제어반에 속합니다. 요구 성능은 에어컨 방식에서 "
     "냉각 능력 (W), 팬 방식에서 비열 용량 (W/K)입니다."},
    {"txtCabTag", "선택한 제어반의 태그 (예: +A1). 프로젝트 안에서 하나뿐이어야 합니다."},
    {"txtCabDescription", "선택한 제어반의 설명."},
    {"txtCabCount", "같은 제어반의 수량 (대). 1 이상의 정수."},
    {"cmdProjAdd", "시작 값을 가진 새 제어반을 목록 끝에 더하고 엽니다."},
    {"cmdProjDuplicate", "선택한 제어반을 복제해 바로 아래에 넣고 엽니다."},
    {"cmdProjRemove", "선택한 제어반을 프로젝트에서 뺍니다. 마지막 한 대는 뺄 수 없습니다."},
    {"cmdProjUp", "선택한 제어반을 목록에서 한 칸 위로 옮깁니다."},
    {"cmdProjDown", "선택한 제어반을 목록에서 한 칸 아래로 옮깁니다."},
    {"cmdProjNew", "새 프로젝트를 시작합니다. 저장하지 않은 변경이 있으면 먼저 묻습니다."},
    {"cmdProjOpen", "프로젝트 파일 (*.ccproj)을 엽니다."},
    {"cmdProjSave", "프로젝트를 그 파일에 저장합니다. 새 프로젝트는 이름을 묻습니다."},
    {"cmdProjSaveAs", "프로젝트를 새 이름의 파일로 저장합니다."},
    {"cmdProjImportCol",
     "계산 파일 (*.col)을 하나 이상 골라 각각 새 제어반으로 더합니다. 태그는 파일 이름입니다."},
    {"cmdProjExportCol", "선택한 제어반을 계산 파일 (*.col)로 저장합니다 (Save As와 같은 내용)."},
    {"cmdProjReport",
     "프로젝트 전체의 보고서 PDF: 표지와 요약표, 장비 목록, 제어반마다의 설계 보고서. 열린 창과 "
     "관계없이 프로젝트에 저장되는 입력만으로 만듭니다."},
    {"cmdProjExportBill",
     "장비 목록 (모델마다 종류, 능력, 쓰는 제어반, 대수 = 제어반 한 대의 대수 × 수량의 합)과 "
     "제어반 요약을 CSV 파일로 저장합니다 (UTF-8, 스프레드시트에서 한글이 바로 읽힘)."},
    {"cboCabMethod",
     "선택한 제어반의 답을 정하는 계산: 기본 계산 (주 화면, 모든 면의 표면적) 또는 상세 설계 "
     "(설치 방식별 유효 면적, 일사, 안전 여유). 자동은 상세 설계가 있으면 상세 설계입니다."},
    {"cboCabDeviceKind",
     "선택한 제어반의 장치 종류: 에어컨 (냉각 능력 W), 열교환기·팬 (W/K), 필터팬 (풍량 m³/h), "
     "히터 (W), 또는 없음 (닫힌 외함이 벽으로만 열을 내보냄). 필터팬과 히터는 상세 설계에서 "
     "정합니다."},
    {"cboCabDevice",
     "선택한 제어반의 장비: 기본 목록 (app.ini의 모델 목록, 공칭 능력으로 선정) 또는 장비 "
     "라이브러리에서 이 제어반의 필요 능력을 채우는 장비. 라이브러리 장비는 작은 것부터, 운전점 "
     "(기준 계산의 Ti/Tu) 능력과 여유 = 대수 × 운전점 능력 − 필요 능력과 함께 나오고, 한 대로 "
     "모자라면 최대 4대까지 대수와 함께 나옵니다."},
    {"lblCabDevice",
     "선택한 장비의 운전점 능력과 여유, 또는 라이브러리 장비가 제안되지 않은 이유."},
    {"cmdLibrary",
     "장비 라이브러리 창을 엽니다: 직접 쓰는 장비와 데이터시트 값 (에어컨의 운전점별 냉각 능력, "
     "열교환기의 W/K, 필터팬의 풍량, 히터의 출력)."},
    {"cmdProjExit", "프로젝트 창을 닫습니다. 프로젝트는 그대로 열려 있습니다 (Esc)."},
    {"lstProjRecent", "최근에 열거나 저장한 프로젝트 (최대 8개). 두 번 누르거나 Enter로 엽니다."},
};

}  // namespace

frmProject::frmProject(CabinetCoolApp& app)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint),
      m_app(app) {
    setObjectName(QStringLiteral("frmProject"));
    setAcceptDrops(true);
    buildLayout();
    applyToolTips(this, kToolTips);
    installWindowKeys(this, nullptr, [this]() { cmdProjExit_Click(); });

    ProjectSession& session = m_app.project();
    connect(&session, &ProjectSession::projectChanged, this, &frmProject::refresh);
    connect(&session, &ProjectSession::cabinetEdited, this, [this](int row) {
        if (!isVisible()) return;
        m_filling = true;
        refreshRow(row);
        m_filling = false;
    });
    // Another cabinet current: its fields and the selection; the rows are as
    // they were (a change of the list comes with projectChanged).
    connect(&session, &ProjectSession::currentChanged, this, [this](int index) {
        if (!isVisible()) return;
        m_filling = true;
        if (tblProjCabinets->rowCount() != m_app.project().project().cabinets.size()) {
            refreshTable();
        } else if (tblProjCabinets->currentRow() != index) {
            tblProjCabinets->setCurrentCell(index, 0);
        }
        refreshCabinetFields();
        refreshDesignChoice();
        m_filling = false;
        refreshTitle();
    });
    connect(&session, &ProjectSession::modifiedChanged, this, &frmProject::refreshTitle);
    // The library's devices are offered afresh, and the rows that pick them
    // show their values.
    connect(&m_app.library(), &UserLibrary::changed, this, [this]() {
        m_tables = loadDesignTables(m_app);
        m_shown.clear();
        refresh();
    });
    Form_Load();
}

void frmProject::buildLayout() {
    setFont(uiFont(9, false));
    // Laid out at a design size that a 1366 × 768 screen holds; a smaller
    // screen, or a larger scale, scrolls it as the other windows do.
    QWidget* client = makeScrollableClient(this, QSize(1000, 660));
    auto* top = new QVBoxLayout(client);

    auto* info = new QGroupBox(QStringLiteral("프로젝트 정보"), this);
    auto* infoGrid = new QGridLayout(info);
    auto field = [this](const char* name) {
        auto* f = new QLineEdit(this);
        f->setObjectName(QLatin1String(name));
        f->setMaxLength(kMaxProjectLineLength);
        connect(f, &QLineEdit::textEdited, this, &frmProject::infoEdited);
        return f;
    };
    txtProjName = field("txtProjName");
    txtProjCustomer = field("txtProjCustomer");
    txtProjSite = field("txtProjSite");
    txtProjAuthor = field("txtProjAuthor");
    txtProjCompany = field("txtProjCompany");
    txtProjRevision = field("txtProjRevision");
    txtProjNote = new NoteEdit(this);
    txtProjNote->setObjectName(QStringLiteral("txtProjNote"));
    txtProjNote->setTabChangesFocus(true);
    txtProjNote->setFixedHeight(QFontMetrics(font()).lineSpacing() * 3 + 12);
    connect(txtProjNote, &QPlainTextEdit::textChanged, this, [this]() {
        // What was typed beyond the note's limit goes again at once.
        const int excess = txtProjNote->document()->characterCount() - 1 - kMaxProjectNoteLength;
        if (excess > 0) {
            QTextCursor cursor = txtProjNote->textCursor();
            cursor.setPosition(std::max(cursor.position() - excess, 0), QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
            showNote(QStringLiteral("메모는 %1자까지 씁니다.").arg(kMaxProjectNoteLength));
            return;  // the removal changed the text again
        }
        if (!m_filling) infoEdited();
    });
    const std::pair<const char*, QWidget*> infoRows[] = {
        {"프로젝트명", txtProjName}, {"고객", txtProjCustomer}, {"현장", txtProjSite},
        {"작성자", txtProjAuthor},   {"회사", txtProjCompany},  {"개정", txtProjRevision},
    };
    int i = 0;
    for (const auto& [caption, widget] : infoRows) {
        auto* label = new QLabel(QString::fromUtf8(caption), info);
        label->setBuddy(widget);
        infoGrid->addWidget(label, i / 3, (i % 3) * 2);
        infoGrid->addWidget(widget, i / 3, (i % 3) * 2 + 1);
        ++i;
    }
    auto* noteLabel = new QLabel(QStringLiteral("메모"), info);
    noteLabel->setBuddy(txtProjNote);
    infoGrid->addWidget(noteLabel, 2, 0, Qt::AlignTop);
    infoGrid->addWidget(txtProjNote, 2, 1, 1, 5);
    top->addWidget(info);

    auto* cabinets = new QGroupBox(QStringLiteral("제어반"), this);
    auto* cabinetsRow = new QHBoxLayout(cabinets);
    tblProjCabinets = new QTableWidget(0, Columns, cabinets);
    tblProjCabinets->setObjectName(QStringLiteral("tblProjCabinets"));
    tblProjCabinets->setHorizontalHeaderLabels(
        {QStringLiteral("태그"), QStringLiteral("설명"), QStringLiteral("수량"),
         QStringLiteral("방식"), QStringLiteral("H × W × D (m)"), QStringLiteral("P (W)"),
         QStringLiteral("기준 방법"), QStringLiteral("요구 성능"), QStringLiteral("장치"),
         QStringLiteral("추천 모델"), QStringLiteral("온도 상승"), QStringLiteral("상태")});
    tblProjCabinets->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblProjCabinets->setSelectionMode(QAbstractItemView::SingleSelection);
    tblProjCabinets->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblProjCabinets->verticalHeader()->setVisible(false);
    // Sized to the contents when rows come or go, not at every edit: a
    // column sized by its contents measures every row at each change.
    tblProjCabinets->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    tblProjCabinets->horizontalHeader()->setStretchLastSection(true);
    tblProjCabinets->setMinimumHeight(120);
    connect(tblProjCabinets, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (!m_filling && row >= 0) m_app.project().makeCurrent(row);
    });
    cabinetsRow->addWidget(tblProjCabinets, 1);

    auto button = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    auto* listButtons = new QVBoxLayout;
    cmdProjAdd = button("cmdProjAdd", "새 제어반");
    cmdProjDuplicate = button("cmdProjDuplicate", "복제");
    cmdProjRemove = button("cmdProjRemove", "삭제");
    cmdProjUp = button("cmdProjUp", "위로");
    cmdProjDown = button("cmdProjDown", "아래로");
    for (QPushButton* b : {cmdProjAdd, cmdProjDuplicate, cmdProjRemove, cmdProjUp, cmdProjDown})
        listButtons->addWidget(b);
    listButtons->addStretch(1);
    cabinetsRow->addLayout(listButtons);
    top->addWidget(cabinets, 1);

    auto* selected = new QGroupBox(QStringLiteral("선택한 제어반"), this);
    auto* selectedRow = new QHBoxLayout(selected);
    txtCabTag = new QLineEdit(selected);
    txtCabTag->setObjectName(QStringLiteral("txtCabTag"));
    txtCabTag->setMaxLength(kMaxProjectLineLength);
    txtCabDescription = new QLineEdit(selected);
    txtCabDescription->setObjectName(QStringLiteral("txtCabDescription"));
    txtCabDescription->setMaxLength(kMaxProjectLineLength);
    txtCabCount = new QLineEdit(selected);
    txtCabCount->setObjectName(QStringLiteral("txtCabCount"));
    txtCabCount->setMaximumWidth(80);
    const std::pair<const char*, QLineEdit*> selectedFields[] = {
        {"태그", txtCabTag}, {"설명", txtCabDescription}, {"수량 (대)", txtCabCount}};
    for (const auto& [caption, widget] : selectedFields) {
        auto* label = new QLabel(QString::fromUtf8(caption), selected);
        label->setBuddy(widget);
        selectedRow->addWidget(label);
        selectedRow->addWidget(widget, widget == txtCabDescription ? 3 : 1);
        connect(widget, &QLineEdit::textEdited, this, &frmProject::cabinetFieldEdited);
    }
    auto combo = [&](const char* name, const char* caption, const auto& items) {
        auto* c = new QComboBox(selected);
        c->setObjectName(QLatin1String(name));
        for (const auto& [kept, text] : items)
            c->addItem(QString::fromUtf8(text), QString::fromLatin1(kept));
        auto* label = new QLabel(QString::fromUtf8(caption), selected);
        label->setBuddy(c);
        selectedRow->addWidget(label);
        selectedRow->addWidget(c, 2);
        connect(c, &QComboBox::activated, this, &frmProject::designChoiceEdited);
        return c;
    };
    cboCabMethod = combo("cboCabMethod", "기준", kMethodItems);
    cboCabDeviceKind = combo("cboCabDeviceKind", "장치", kDeviceItems);
    top->addWidget(selected);

    auto* deviceRow = new QHBoxLayout;
    cboCabDevice = new QComboBox(this);
    cboCabDevice->setObjectName(QStringLiteral("cboCabDevice"));
    cboCabDevice->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboCabDevice->setMinimumContentsLength(40);
    auto* deviceLabel = new QLabel(QStringLiteral("선정 장비"), this);
    deviceLabel->setBuddy(cboCabDevice);
    // After the list has closed: the pick fills the list afresh, which the
    // list must not do while it is still handling the click.
    connect(cboCabDevice, &QComboBox::activated, this, &frmProject::libraryChoiceEdited,
            Qt::QueuedConnection);
    lblCabDevice = new QLabel(this);
    lblCabDevice->setObjectName(QStringLiteral("lblCabDevice"));
    lblCabDevice->setWordWrap(true);
    cmdLibrary = button("cmdLibrary", "장비 라이브러리...");
    connect(cmdLibrary, &QPushButton::clicked, this, &frmProject::libraryRequested);
    deviceRow->addWidget(deviceLabel);
    deviceRow->addWidget(cboCabDevice, 3);
    deviceRow->addWidget(lblCabDevice, 2);
    deviceRow->addWidget(cmdLibrary);
    top->addLayout(deviceRow);

    lblProjStatus = new QLabel(this);
    lblProjStatus->setObjectName(QStringLiteral("lblProjStatus"));
    lblProjStatus->setWordWrap(true);
    top->addWidget(lblProjStatus);

    auto* bottom = new QHBoxLayout;
    auto* recentBox = new QGroupBox(QStringLiteral("최근 프로젝트"), this);
    auto* recentLayout = new QVBoxLayout(recentBox);
    lstProjRecent = new QListWidget(recentBox);
    lstProjRecent->setObjectName(QStringLiteral("lstProjRecent"));
    lstProjRecent->setMaximumHeight(QFontMetrics(font()).lineSpacing() * 5 + 12);
    connect(lstProjRecent, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { openRecent(lstProjRecent->row(item)); });
    recentLayout->addWidget(lstProjRecent);
    bottom->addWidget(recentBox, 1);

    auto* fileButtons = new QGridLayout;
    cmdProjNew = button("cmdProjNew", "새 프로젝트");
    cmdProjOpen = button("cmdProjOpen", "열기...");
    cmdProjSave = button("cmdProjSave", "저장");
    cmdProjSaveAs = button("cmdProjSaveAs", "다른 이름으로 저장...");
    cmdProjImportCol = button("cmdProjImportCol", ".col 가져오기...");
    cmdProjExportCol = button("cmdProjExportCol", ".col 내보내기...");
    cmdProjReport = button("cmdProjReport", "프로젝트 보고서...");
    cmdProjExportBill = button("cmdProjExportBill", "장비 목록 내보내기...");
    cmdProjExit = button("cmdProjExit", "닫기");
    const QList<QPushButton*> files = {cmdProjNew,    cmdProjOpen,       cmdProjSave,
                                       cmdProjSaveAs, cmdProjImportCol,  cmdProjExportCol,
                                       cmdProjReport, cmdProjExportBill, cmdProjExit};
    for (int k = 0; k < files.size(); ++k) fileButtons->addWidget(files[k], k / 2, k % 2);
    bottom->addLayout(fileButtons);
    top->addLayout(bottom);

    connect(cmdProjAdd, &QPushButton::clicked, this, &frmProject::cmdProjAdd_Click);
    connect(cmdProjDuplicate, &QPushButton::clicked, this, &frmProject::cmdProjDuplicate_Click);
    connect(cmdProjRemove, &QPushButton::clicked, this, &frmProject::cmdProjRemove_Click);
    connect(cmdProjUp, &QPushButton::clicked, this, &frmProject::cmdProjUp_Click);
    connect(cmdProjDown, &QPushButton::clicked, this, &frmProject::cmdProjDown_Click);
    connect(cmdProjNew, &QPushButton::clicked, this, &frmProject::cmdProjNew_Click);
    connect(cmdProjOpen, &QPushButton::clicked, this, &frmProject::cmdProjOpen_Click);
    connect(cmdProjSave, &QPushButton::clicked, this, &frmProject::cmdProjSave_Click);
    connect(cmdProjSaveAs, &QPushButton::clicked, this, &frmProject::cmdProjSaveAs_Click);
    connect(cmdProjImportCol, &QPushButton::clicked, this, &frmProject::importRequested);
    connect(cmdProjExportCol, &QPushButton::clicked, this, &frmProject::exportRequested);
    connect(cmdProjReport, &QPushButton::clicked, this, &frmProject::reportRequested);
    connect(cmdProjExportBill, &QPushButton::clicked, this, &frmProject::billRequested);
    connect(cmdProjExit, &QPushButton::clicked, this, &frmProject::cmdProjExit_Click);

    setKeyboardOrder(
        this, {txtProjName,     txtProjCustomer, txtProjSite,      txtProjAuthor, txtProjCompany,
               txtProjRevision, txtProjNote,     tblProjCabinets,  cmdProjAdd,    cmdProjDuplicate,
               cmdProjRemove,   cmdProjUp,       cmdProjDown,      txtCabTag,     txtCabDescription,
               txtCabCount,     cboCabMethod,    cboCabDeviceKind, cboCabDevice,  cmdLibrary,
               lstProjRecent});
}

void frmProject::Form_Load() {
    // The model lists as the configuration holds them now; every row is
    // shown afresh with them.
    m_tables = loadDesignTables(m_app);
    m_shown.clear();
    m_sized = false;
    lblProjStatus->clear();
    refresh();
}

// ---- showing the project ------------------------------------------------------

void frmProject::refresh() {
    // A window made ahead of its opening catches up when it is shown.
    if (!isVisible()) return;
    // A change of the project answers the last note.
    lblProjStatus->clear();
    syncLibrary();
    m_filling = true;
    refreshInfoFields();
    refreshTable();
    refreshCabinetFields();
    refreshRecent();
    m_filling = false;
    refreshTitle();
}

void frmProject::refreshTitle() {
    const ProjectSession& session = m_app.project();
    QString title = QStringLiteral("프로젝트 - ") + session.displayName();
    if (session.modified()) title += QStringLiteral(" *");
    if (session.readOnly() && session.fileVersion() > kProjectFormatVersion)
        title += QStringLiteral(" (읽기 전용, 형식 버전 %1)").arg(session.fileVersion());
    else if (session.readOnly())
        title += QStringLiteral(" (읽기 전용)");
    setWindowTitle(title);
}

void frmProject::refreshInfoFields() {
    const ProjectInfo& info = m_app.project().project().info;
    const std::pair<QLineEdit*, const QString*> fields[] = {
        {txtProjName, &info.name},       {txtProjCustomer, &info.customer},
        {txtProjSite, &info.site},       {txtProjAuthor, &info.author},
        {txtProjCompany, &info.company}, {txtProjRevision, &info.revision},
    };
    for (const auto& [field, value] : fields) {
        if (field->text() != *value) field->setText(*value);
    }
    if (txtProjNote->toPlainText() != info.note) txtProjNote->setPlainText(info.note);
}

void frmProject::refreshRow(int row) {
    const ProjectSession& session = m_app.project();
    const Project& project = session.project();
    if (row < 0 || row >= project.cabinets.size() || row >= tblProjCabinets->rowCount()) return;
    const Cabinet& c = project.cabinets[row];
    // A row shows what its cabinet holds: unchanged, it stays as it is.
    if (row < m_shown.size() && m_shown[row] == c) {
        if (row == session.currentIndex()) refreshDesignChoice();
        return;
    }
    if (m_shown.size() <= row) m_shown.resize(row + 1);
    m_shown[row] = c;
    const auto text = [&](const QString& key) { return c.fields.value(key).trimmed(); };
    const bool measured = c.mode == QLatin1String("Fan2");
    // Every number of the row is the cabinet's evaluation now, as the
    // report gives it.
    if (!m_tables.equipment) m_tables = loadDesignTables(m_app);
    const CabinetEvaluation e = evaluateCabinet(c, m_tables);
    const GoverningAnswer& a = e.answer;
    QString status;
    if (!e.main.errors.isEmpty()) {
        status = QStringLiteral("입력 확인");
    } else if (c.results.requirement.isEmpty()) {
        status = QStringLiteral("계산 전");
    } else if (!c.results.calculated) {
        status = QStringLiteral("입력 변경됨 (다시 계산 필요)");
    } else {
        status = e.main.resultText == c.results.requirement && e.main.modelName == c.results.model
                     ? QStringLiteral("최신")
                     : QStringLiteral("재계산 값과 다름");
    }
    const QString cells[Columns] = {
        c.tag,
        c.description,
        QString::number(c.count),
        modeCaption(c.mode),
        QStringLiteral("%1 × %2 × %3")
            .arg(text(QStringLiteral("txtHeight")), text(QStringLiteral("txtWidth")),
                 text(QStringLiteral("txtDepth"))),
        measured ? QStringLiteral("— (측정 온도)") : text(QStringLiteral("txtPP")),
        governingMethodText(a.method),
        requirementText(a),
        deviceKindText(a.kind),
        a.device ? (a.device->units > 1
                        ? QStringLiteral("%1 × %2").arg(a.device->designation).arg(a.device->units)
                        : a.device->designation)
                 : QStringLiteral("—"),
        e.rise ? e.rise->summaryVerdict : QStringLiteral("—"),
        status,
    };
    for (int col = 0; col < Columns; ++col) {
        QTableWidgetItem* item = tblProjCabinets->item(row, col);
        if (!item) {
            item = new QTableWidgetItem;
            tblProjCabinets->setItem(row, col, item);
        }
        // The table measures every cell's whole text: a result or a field
        // of a file, which no limit bounds, shows its beginning.
        const QString shown = cells[col].size() > kMaxProjectLineLength
                                  ? cells[col].left(kMaxProjectLineLength - 1) + QChar(0x2026)
                                  : cells[col];
        if (item->text() != shown) item->setText(shown);
    }
    if (row == session.currentIndex()) refreshDesignChoice();
}

void frmProject::refreshDesignChoice() {
    const Cabinet& c = m_app.project().current();
    const QSignalBlocker quietMethod(cboCabMethod);
    const QSignalBlocker quietDevice(cboCabDeviceKind);
    const int method = cboCabMethod->findData(c.method);
    cboCabMethod->setCurrentIndex(method < 0 ? 0 : method);
    const int device = cboCabDeviceKind->findData(c.device);
    cboCabDeviceKind->setCurrentIndex(device < 0 ? 0 : device);
    refreshLibraryChoice();
}

void frmProject::syncLibrary() {
    if (!m_tables.equipment) m_tables = loadDesignTables(m_app);
    // Another project brings its own copies of library devices.
    QList<LibraryDevice> library =
        designLibrary(m_app.project().project(), m_app.library().devices());
    if (library == m_tables.library) return;
    m_tables.library = std::move(library);
    m_shown.clear();
}

void frmProject::refreshLibraryChoice() {
    const ProjectSession& session = m_app.project();
    const Cabinet& c = session.current();
    syncLibrary();
    // The offer is of the cabinet as the built-in lists answer it.
    Cabinet builtIn = c;
    builtIn.libraryDevice = LibraryPick{};
    const CabinetEvaluation plain = evaluateCabinet(builtIn, m_tables);
    const LibraryOffer offer = offerLibraryDevices(plain, m_tables.library);
    const QSignalBlocker quiet(cboCabDevice);
    cboCabDevice->clear();
    const std::optional<DesignDevice>& model = plain.answer.device;
    cboCabDevice->addItem(
        QStringLiteral("기본 목록: ") +
            (model ? (model->units > 1
                          ? QStringLiteral("%1 × %2").arg(model->designation).arg(model->units)
                          : model->designation)
                   : QStringLiteral("—")),
        QString());
    for (const OfferLine& line : offer.lines) {
        const LibraryDevice& d = m_tables.library[line.index];
        cboCabDevice->addItem(offerLineText(line, d, offer), d.designation);
        cboCabDevice->setItemData(cboCabDevice->count() - 1, line.units, Qt::UserRole + 1);
    }
    int index = 0;
    const LibraryPick& pick = c.libraryDevice;
    if (pick.picked()) {
        for (int i = 1; i < cboCabDevice->count() && index == 0; ++i)
            if (cboCabDevice->itemData(i).toString() == pick.designation &&
                cboCabDevice->itemData(i, Qt::UserRole + 1).toInt() == pick.units)
                index = i;
        if (index == 0) {
            // The pick stays the cabinet's even where it is not offered now.
            cboCabDevice->addItem(
                QStringLiteral("%1%2 (제안 밖)")
                    .arg(pick.designation,
                         pick.units > 1 ? QStringLiteral(" × %1").arg(pick.units) : QString()),
                pick.designation);
            index = cboCabDevice->count() - 1;
            cboCabDevice->setItemData(index, pick.units, Qt::UserRole + 1);
        }
    }
    cboCabDevice->setCurrentIndex(index);

    QString note;
    if (pick.picked()) {
        const CabinetEvaluation e = evaluateCabinet(c, m_tables);
        note = libraryChoiceLine(e.answer);
        if (note.isEmpty())
            for (const QString& r : e.answer.remarks)
                if (r.contains(pick.designation)) note = r;
    } else if (!offer.need) {
        note = QStringLiteral("라이브러리 장비 제안 없음: ") + offer.why;
    } else if (offer.lines.isEmpty() && offer.notOffered.isEmpty()) {
        note =
            QStringLiteral("장비 라이브러리에 %1이(가) 없습니다.").arg(deviceKindText(offer.kind));
    } else {
        note = QStringLiteral("라이브러리 장비 %1개 제안").arg(offer.lines.size());
        if (!offer.notOffered.isEmpty())
            note += QStringLiteral(", %1개는 제안 밖 (이유는 툴팁)").arg(offer.notOffered.size());
    }
    lblCabDevice->setText(note);
    QStringList outside;
    for (qsizetype i = 0; i < offer.notOffered.size() && i < 10; ++i) {
        const NotOffered& n = offer.notOffered[i];
        outside << QStringLiteral("%1: %2").arg(m_tables.library[n.index].designation,
                                                notOfferedText(n.why, m_tables.library[n.index]));
    }
    if (offer.notOffered.size() > 10)
        outside << QStringLiteral("… 외 %1개").arg(offer.notOffered.size() - 10);
    const QString base = toolTipLines(description(cboCabDevice));
    cboCabDevice->setToolTip(outside.isEmpty() ? base
                                               : base + QStringLiteral("\n\n제안 밖:\n") +
                                                     outside.join(QLatin1Char('\n')));
}

void frmProject::libraryChoiceEdited() {
    if (m_filling) return;
    ProjectSession& session = m_app.project();
    const QString designation = cboCabDevice->currentData().toString();
    LibraryPick pick;
    LibraryDevice device;
    if (!designation.isEmpty()) {
        const qsizetype at = findLibraryDevice(m_tables.library, designation);
        if (at < 0) return;
        pick.designation = designation;
        pick.units = std::max(1, cboCabDevice->currentData(Qt::UserRole + 1).toInt());
        device = m_tables.library[at];
    }
    session.setCabinetLibraryDevice(session.currentIndex(), pick, device);
}

void frmProject::designChoiceEdited() {
    if (m_filling) return;
    ProjectSession& session = m_app.project();
    session.setCabinetDesign(session.currentIndex(), cboCabMethod->currentData().toString(),
                             cboCabDeviceKind->currentData().toString());
    const Cabinet& c = session.current();
    if (cboCabMethod->currentData().toString() == QLatin1String("climate") && c.climate.isEmpty()) {
        showNote(QStringLiteral(
            "이 제어반에는 아직 상세 설계가 없어 기본 계산으로 답합니다. 상세 설계 창에서 값을 "
            "입력하면 상세 설계가 기준이 됩니다."));
    } else {
        showNote(QString());
    }
}

void frmProject::refreshTable() {
    const ProjectSession& session = m_app.project();
    const Project& project = session.project();
    const int rows = static_cast<int>(project.cabinets.size());
    const bool sized = tblProjCabinets->rowCount() == rows && m_sized;
    tblProjCabinets->setRowCount(rows);
    if (m_shown.size() > rows) m_shown.resize(rows);
    for (int row = 0; row < rows; ++row) refreshRow(row);
    if (!sized) {
        // A sample of rows is enough to size the columns: the first ones
        // and the current one.
        QHeaderView* header = tblProjCabinets->horizontalHeader();
        for (int col = 0; col < Columns; ++col) {
            int width = header->sectionSizeHint(col);
            for (int row = 0; row < std::min(rows, 50); ++row)
                width = std::max(
                    width,
                    tblProjCabinets->sizeHintForIndex(tblProjCabinets->model()->index(row, col))
                        .width());
            header->resizeSection(col, std::min(width + 8, 320));
        }
        m_sized = true;
    }
    if (tblProjCabinets->currentRow() != session.currentIndex())
        tblProjCabinets->setCurrentCell(session.currentIndex(), 0);
}

void frmProject::refreshCabinetFields() {
    const Cabinet& c = m_app.project().current();
    if (txtCabTag->text().trimmed() != c.tag.trimmed()) txtCabTag->setText(c.tag);
    if (txtCabDescription->text() != c.description) txtCabDescription->setText(c.description);
    // A count being typed that does not read stays as typed.
    const std::optional<double> typed = ParseWholeNumber(txtCabCount->text().toStdString());
    if (!typed || *typed != c.count) txtCabCount->setText(QString::number(c.count));
}

void frmProject::refreshRecent() {
    const QStringList recent = recentProjects();
    QStringList shown;
    for (int i = 0; i < lstProjRecent->count(); ++i)
        shown << lstProjRecent->item(i)->data(Qt::UserRole).toString();
    if (shown == recent) return;
    lstProjRecent->clear();
    for (const QString& path : recent) {
        auto* item = new QListWidgetItem(QFileInfo(path).fileName(), lstProjRecent);
        item->setData(Qt::UserRole, path);
        item->setToolTip(QDir::toNativeSeparators(path));
    }
}

void frmProject::showNote(const QString& text) { lblProjStatus->setText(text); }

// ---- edits --------------------------------------------------------------------

void frmProject::infoEdited() {
    if (m_filling) return;
    ProjectInfo info = m_app.project().project().info;
    info.name = txtProjName->text();
    info.customer = txtProjCustomer->text();
    info.site = txtProjSite->text();
    info.author = txtProjAuthor->text();
    info.company = txtProjCompany->text();
    info.revision = txtProjRevision->text();
    info.note = txtProjNote->toPlainText();
    m_app.project().setInfo(info);
}

void frmProject::cabinetFieldEdited() {
    if (m_filling) return;
    ProjectSession& session = m_app.project();
    const int index = session.currentIndex();
    QStringList problems;
    if (QWidget* w = qobject_cast<QWidget*>(sender()); w == txtCabTag) {
        const QString why = session.setCabinetTag(index, txtCabTag->text());
        setFieldInputError(txtCabTag, why);
        if (!why.isEmpty()) problems << QStringLiteral("태그: ") + why;
    } else if (w == txtCabDescription) {
        session.setCabinetDescription(index, txtCabDescription->text());
    } else if (w == txtCabCount) {
        const std::optional<double> n = ParseWholeNumber(txtCabCount->text().toStdString());
        QString why;
        if (!n || *n != static_cast<int>(*n))
            why = QStringLiteral("\"%1\"은(는) 정수가 아니어서 쓰지 않았습니다.")
                      .arg(txtCabCount->text());
        else
            why = session.setCabinetCount(index, static_cast<int>(*n));
        setFieldInputError(txtCabCount, why);
        if (!why.isEmpty()) problems << QStringLiteral("수량: ") + why;
    }
    showNote(problems.join(QLatin1Char('\n')));
}

// ---- commands -------------------------------------------------------------------

// The list's buttons stay enabled (a greyed caption is hard to read); one
// that cannot act says why in the status line.
void frmProject::cmdProjAdd_Click() {
    if (m_app.project().project().cabinets.size() >= kMaxCabinets) {
        showNote(
            QStringLiteral("한 프로젝트에는 제어반을 %1대까지 둘 수 있습니다.").arg(kMaxCabinets));
        return;
    }
    m_app.project().addCabinet();
}

void frmProject::cmdProjDuplicate_Click() {
    if (m_app.project().project().cabinets.size() >= kMaxCabinets) {
        showNote(
            QStringLiteral("한 프로젝트에는 제어반을 %1대까지 둘 수 있습니다.").arg(kMaxCabinets));
        return;
    }
    m_app.project().duplicateCabinet(m_app.project().currentIndex());
}

void frmProject::cmdProjRemove_Click() {
    ProjectSession& session = m_app.project();
    if (session.project().cabinets.size() <= 1) {
        showNote(
            QStringLiteral("프로젝트에는 제어반이 한 대 이상 있어야 해서 마지막 제어반은 뺄 "
                           "수 없습니다."));
        return;
    }
    // Removing asks about the cabinet itself; the file is not written.
    const QString tag = session.current().tag;
    if (m_app.platform().askQuestion(
            this, QStringLiteral("제어반 \"%1\"을(를) 프로젝트에서 삭제할까요?").arg(tag),
            {QStringLiteral("삭제"), QStringLiteral("취소")}, 1, 1) != 0)
        return;
    session.removeCabinet(session.currentIndex());
    showNote(QStringLiteral("제어반 \"%1\"을(를) 삭제했습니다.").arg(tag));
}

void frmProject::cmdProjUp_Click() {
    if (m_app.project().currentIndex() == 0) {
        showNote(QStringLiteral("선택한 제어반이 이미 맨 위에 있습니다."));
        return;
    }
    m_app.project().moveCabinet(m_app.project().currentIndex(), -1);
}

void frmProject::cmdProjDown_Click() {
    const ProjectSession& session = m_app.project();
    if (session.currentIndex() + 1 >= session.project().cabinets.size()) {
        showNote(QStringLiteral("선택한 제어반이 이미 맨 아래에 있습니다."));
        return;
    }
    m_app.project().moveCabinet(m_app.project().currentIndex(), +1);
}

void frmProject::cmdProjNew_Click() { startNewProject(m_app, this); }
void frmProject::cmdProjOpen_Click() { openProjectDialog(m_app, this); }
void frmProject::cmdProjSave_Click() { saveProject(m_app, this, false); }
void frmProject::cmdProjSaveAs_Click() { saveProject(m_app, this, true); }
void frmProject::cmdProjExit_Click() { m_app.unloadWindow(this); }

void frmProject::openRecent(int row) {
    if (row < 0 || row >= lstProjRecent->count()) return;
    const QString path = lstProjRecent->item(row)->data(Qt::UserRole).toString();
    if (!QFileInfo::exists(path)) {
        forgetRecentProject(path);
        refreshRecent();
        m_app.platform().messageBox(
            this, QStringLiteral("프로젝트 파일을 찾을 수 없어 최근 목록에서 뺐습니다.\n%1")
                      .arg(QDir::toNativeSeparators(path)));
        return;
    }
    openProjectFile(m_app, this, path);
    refreshRecent();
}

// ---- dropped files --------------------------------------------------------------

void frmProject::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedOpenableFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void frmProject::dropEvent(QDropEvent* event) {
    const QString path = droppedOpenableFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    if (QFileInfo(path).suffix().toLower() == kProjectFileSuffix)
        openProjectFile(m_app, this, path);
    else
        emit calculationFileDropped(path);
}

void frmProject::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
}

void frmProject::closeEvent(QCloseEvent* event) {
    // The project stays open without its window; nothing to ask.
    event->accept();
}
