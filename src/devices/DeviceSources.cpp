#include "devices/DeviceSources.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QVBoxLayout>

#include "design/DeviceList.h"
#include "kit/CabinetCoolApp.h"
#include "kit/FieldCues.h"
#include "kit/FileAccess.h"
#include "kit/PlatformServices.h"
#include "kit/WindowKeys.h"

using namespace deviceline;

namespace {

QString g_userLibrary;

const ToolTipEntry kLibraryTips[] = {
    {"tblDevLibrary",
     "기기 라이브러리: 일반 기기의 정격 전류 In (A)와 정격 손실 Pn (W, In에서), 그리고 내 "
     "라이브러리의 기기. 일반 값은 공개 자료의 대표 범위에서 고른 출발점입니다"},
    {"cmdLibAdd", "목록에 추가: 고른 기기를 목록의 새 줄로 넣습니다 (수량 1, Ib = In)"},
    {"cmdLibAddOwn",
     "내 라이브러리에 추가: 목록에서 선택한 기기 줄 (품목, In, Pn)을 내 라이브러리 파일에 "
     "저장합니다. 모든 프로젝트에서 쓸 수 있습니다"},
    {"cmdLibClose", "닫기: 창을 닫습니다 (Esc)"},
    {"lblLibStatus", "상태: 내 라이브러리 파일과 저장 결과"},
};

const ToolTipEntry kCsvTips[] = {
    {"cboCsvDescription", "품목 열: 기기 이름이 든 열 (꼭 필요)"},
    {"cboCsvCount", "수량 열: 개수가 든 열 (0부터의 정수). 없으면 1"},
    {"cboCsvIn", "정격 전류 열: In (A)이 든 열. 없으면 전류 없는 기기로 Pn을 그대로 씁니다"},
    {"cboCsvPn", "손실 열: 정격 손실 Pn (W)이 든 열 (꼭 필요)"},
    {"cmdCsvImport",
     "가져오기: 모든 행을 검사해 잘못된 행이 없으면 목록 끝에 더합니다. 하나라도 잘못되면 "
     "아무것도 가져오지 않고 행 번호와 이유를 보입니다"},
    {"cmdCsvCancel", "취소: 가져오지 않고 닫습니다 (Esc)"},
    {"lblCsvErrors", "잘못된 행: 파일의 행 번호와 이유"},
};

QTableWidgetItem* readOnly(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

}  // namespace

QString userLossLibraryFile() {
    if (!g_userLibrary.isEmpty()) return g_userLibrary;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/loss-library.json");
}

void setUserLossLibraryFile(const QString& path) { g_userLibrary = path; }

QList<LossLibraryEntry> typicalDevices() {
    QFile file(QStringLiteral(":/devices/typical-devices.json"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return readLossLibrary(file.readAll()).devices;
}

// ---- the library ---------------------------------------------------------------

frmLossLibrary::frmLossLibrary(CabinetCoolApp& app, QWidget* parent,
                               std::function<void(const DeviceLineTexts&)> add,
                               std::function<std::optional<DeviceLineTexts>()> selected)
    : QWidget(parent, Qt::Window),
      m_app(app),
      m_add(std::move(add)),
      m_selected(std::move(selected)) {
    setObjectName(QStringLiteral("frmLossLibrary"));
    setWindowTitle(QStringLiteral("기기 라이브러리"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    tblDevLibrary = new QTableWidget(0, 4, this);
    tblDevLibrary->setObjectName(QStringLiteral("tblDevLibrary"));
    tblDevLibrary->setHorizontalHeaderLabels({QStringLiteral("품목"), QStringLiteral("In (A)"),
                                              QStringLiteral("Pn (W)"), QStringLiteral("근거")});
    tblDevLibrary->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblDevLibrary->setSelectionMode(QAbstractItemView::SingleSelection);
    tblDevLibrary->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    tblDevLibrary->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    layout->addWidget(tblDevLibrary, 1);
    lblLibStatus = new QLabel(this);
    lblLibStatus->setObjectName(QStringLiteral("lblLibStatus"));
    lblLibStatus->setWordWrap(true);
    layout->addWidget(lblLibStatus);
    auto* buttons = new QHBoxLayout();
    cmdLibAdd = new QPushButton(QStringLiteral("목록에 추가"), this);
    cmdLibAdd->setObjectName(QStringLiteral("cmdLibAdd"));
    cmdLibAddOwn = new QPushButton(QStringLiteral("내 라이브러리에 추가"), this);
    cmdLibAddOwn->setObjectName(QStringLiteral("cmdLibAddOwn"));
    cmdLibClose = new QPushButton(QStringLiteral("닫기"), this);
    cmdLibClose->setObjectName(QStringLiteral("cmdLibClose"));
    buttons->addWidget(cmdLibAdd);
    buttons->addWidget(cmdLibAddOwn);
    buttons->addStretch(1);
    buttons->addWidget(cmdLibClose);
    layout->addLayout(buttons);
    connect(cmdLibAdd, &QPushButton::clicked, this, &frmLossLibrary::cmdLibAdd_Click);
    connect(cmdLibAddOwn, &QPushButton::clicked, this, &frmLossLibrary::cmdLibAddOwn_Click);
    connect(cmdLibClose, &QPushButton::clicked, this, &QWidget::close);
    connect(tblDevLibrary, &QTableWidget::cellDoubleClicked, this,
            &frmLossLibrary::cmdLibAdd_Click);
    applyToolTips(this, kLibraryTips);
    installWindowKeys(this, cmdLibAdd, [this]() { close(); });
    resize(760, 480);
    reload();
}

void frmLossLibrary::reload() {
    m_devices = typicalDevices();
    m_typical = m_devices.size();
    const QString path = userLossLibraryFile();
    QString status = QStringLiteral("내 라이브러리: %1").arg(QDir::toNativeSeparators(path));
    QFile file(path);
    if (!path.isEmpty() && QFileInfo::exists(path)) {
        if (!openRegularFile(file, path)) {
            status = QStringLiteral("내 라이브러리 파일 %1을(를) 열 수 없습니다.")
                         .arg(QDir::toNativeSeparators(path));
        } else {
            const LossLibraryReading own = readLossLibrary(file.readAll());
            if (own.error.isEmpty())
                m_devices << own.devices;
            else
                status = QStringLiteral("내 라이브러리 파일 %1을(를) 읽을 수 없습니다: %2")
                             .arg(QDir::toNativeSeparators(path), own.error);
        }
    }
    lblLibStatus->setText(status);
    tblDevLibrary->setRowCount(int(m_devices.size()));
    for (int i = 0; i < m_devices.size(); ++i) {
        const LossLibraryEntry& d = m_devices[i];
        tblDevLibrary->setItem(
            i, 0, readOnly(i < m_typical ? d.description : QStringLiteral("★ ") + d.description));
        tblDevLibrary->setItem(i, 1, readOnly(d.ratedCurrent));
        tblDevLibrary->setItem(i, 2, readOnly(d.ratedLoss));
        tblDevLibrary->setItem(i, 3,
                               readOnly(i < m_typical ? d.note : QStringLiteral("내 라이브러리")));
    }
}

void frmLossLibrary::cmdLibAdd_Click() {
    const int row = tblDevLibrary->currentRow();
    if (row < 0 || row >= m_devices.size()) return;
    m_add(deviceLineOf(m_devices[row]));
}

// The list's selected device line joins the user's file; a file that
// cannot be read is never written over.
void frmLossLibrary::cmdLibAddOwn_Click() {
    const std::optional<DeviceLineTexts> line = m_selected();
    if (!line || line->value(kKind) == kConductor ||
        line->value(kDescription).trimmed().isEmpty()) {
        lblLibStatus->setText(QStringLiteral("목록에서 품목이 있는 기기 줄을 선택하세요."));
        return;
    }
    const QString path = userLossLibraryFile();
    if (path.isEmpty()) return;
    QList<LossLibraryEntry> own;
    if (QFileInfo::exists(path)) {
        QFile file(path);
        const LossLibraryReading reading =
            openRegularFile(file, path) ? readLossLibrary(file.readAll())
                                        : LossLibraryReading{{}, QStringLiteral("열 수 없습니다.")};
        if (!reading.error.isEmpty()) {
            m_app.platform().errorBox(this, QStringLiteral("내 라이브러리에 추가"),
                                      QStringLiteral("%1: %2 파일을 그대로 두었습니다.")
                                          .arg(QDir::toNativeSeparators(path), reading.error));
            return;
        }
        own = reading.devices;
    }
    if (own.size() >= kMaxLossLibraryEntries) return;
    own << LossLibraryEntry{line->value(kDescription).trimmed(), line->value(kIn).trimmed(),
                            line->value(kPn).trimmed(), QString()};
    QDir().mkpath(QFileInfo(path).absolutePath());
    FileWriteError error = FileWriteError::None;
    if (!replaceFileContents(path, lossLibraryBytes(own), &error)) {
        m_app.platform().errorBox(
            this, QStringLiteral("내 라이브러리에 추가"),
            QStringLiteral("%1을(를) 저장하지 못했습니다. %2")
                .arg(QDir::toNativeSeparators(path), fileWriteErrorText(error)));
        return;
    }
    reload();
    tblDevLibrary->setCurrentCell(int(m_devices.size()) - 1, 0);
    lblLibStatus->setText(
        QStringLiteral("\"%1\"을(를) 내 라이브러리에 저장했습니다.").arg(own.back().description));
}

// ---- CSV ----------------------------------------------------------------------------

frmDeviceCsvImport::frmDeviceCsvImport(const QString& fileName, CsvTable table, qsizetype existing,
                                       QWidget* parent,
                                       std::function<void(const QList<DeviceLineTexts>&)> take)
    : QWidget(parent, Qt::Window),
      m_table(std::move(table)),
      m_existing(existing),
      m_take(std::move(take)) {
    setObjectName(QStringLiteral("frmDeviceCsvImport"));
    setWindowTitle(QStringLiteral("CSV 가져오기 — %1").arg(fileName));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("%1행 (첫 행은 머리글). 각 항목이 든 열을 고르세요.")
                       .arg(m_table.rows.size()),
                   this));
    auto* form = new QFormLayout();
    const QStringList header = m_table.rows.value(0);
    const CsvMapping guess = guessCsvMapping(header);
    auto combo = [&](const char* name, const QString& caption, int guessed) {
        auto* c = new QComboBox(this);
        c->setObjectName(QString::fromLatin1(name));
        c->addItem(QStringLiteral("(없음)"));
        for (int i = 0; i < header.size(); ++i)
            c->addItem(QStringLiteral("%1: %2").arg(i + 1).arg(header[i].trimmed()));
        c->setCurrentIndex(guessed + 1);
        form->addRow(caption, c);
        return c;
    };
    cboCsvDescription = combo("cboCsvDescription", QStringLiteral("품목"), guess.description);
    cboCsvCount = combo("cboCsvCount", QStringLiteral("수량"), guess.count);
    cboCsvIn = combo("cboCsvIn", QStringLiteral("정격 전류 In (A)"), guess.ratedCurrent);
    cboCsvPn = combo("cboCsvPn", QStringLiteral("정격 손실 Pn (W)"), guess.ratedLoss);
    layout->addLayout(form);
    lblCsvErrors = new QLabel(this);
    lblCsvErrors->setObjectName(QStringLiteral("lblCsvErrors"));
    lblCsvErrors->setWordWrap(true);
    lblCsvErrors->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(lblCsvErrors, 1);
    auto* buttons = new QHBoxLayout();
    cmdCsvImport = new QPushButton(QStringLiteral("가져오기"), this);
    cmdCsvImport->setObjectName(QStringLiteral("cmdCsvImport"));
    cmdCsvCancel = new QPushButton(QStringLiteral("취소"), this);
    cmdCsvCancel->setObjectName(QStringLiteral("cmdCsvCancel"));
    buttons->addStretch(1);
    buttons->addWidget(cmdCsvImport);
    buttons->addWidget(cmdCsvCancel);
    layout->addLayout(buttons);
    connect(cmdCsvImport, &QPushButton::clicked, this, &frmDeviceCsvImport::cmdCsvImport_Click);
    connect(cmdCsvCancel, &QPushButton::clicked, this, &QWidget::close);
    applyToolTips(this, kCsvTips);
    installWindowKeys(this, cmdCsvImport, [this]() { close(); });
    resize(520, 360);
}

void frmDeviceCsvImport::cmdCsvImport_Click() {
    const CsvMapping mapping{cboCsvDescription->currentIndex() - 1, cboCsvCount->currentIndex() - 1,
                             cboCsvIn->currentIndex() - 1, cboCsvPn->currentIndex() - 1};
    const CsvImport result = importCsv(m_table, mapping, m_existing);
    if (!result.errors.isEmpty()) {
        QStringList shown = result.errors.mid(0, 20);
        if (result.errors.size() > shown.size())
            shown << QStringLiteral("… 외 %1행").arg(result.errors.size() - shown.size());
        lblCsvErrors->setText(QStringLiteral("잘못된 행이 있어 아무것도 가져오지 않았습니다.\n") +
                              shown.join(QLatin1Char('\n')));
        return;
    }
    m_take(result.lines);
    close();
}
