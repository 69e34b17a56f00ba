#include "kit/ProjectSession.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMutex>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSet>
#include <QStandardPaths>
#include <QThreadPool>
#include <QWidget>

#include "calc/HeatBalance.h"
#include "calc/NumberText.h"
#include "kit/CabinetCoolApp.h"
#include "kit/CalculationTexts.h"
#include "kit/FileAccess.h"
#include "kit/StoredInputs.h"
#include "kit/Widgets.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

constexpr CabinetField kFields[] = {
    CabinetField::Height,
    CabinetField::Width,
    CabinetField::Depth,
    CabinetField::SurfaceArea,
    CabinetField::InternalHeat,
    CabinetField::T1,
    CabinetField::T2,
    CabinetField::T3,
    CabinetField::T4,
    CabinetField::UValue,
    CabinetField::CoolingPower,
    CabinetField::ModelName,
    CabinetField::ModelCapacity,
};

const char* const kModeButtons[] = {"OptBoxAircon", "OptBoxFan1", "OptBoxFan2"};
const char* const kMaterialButtons[] = {"optSel_0", "optSel_1"};

// The member of a recovery copy that names the file the project was saved
// to; it never reaches a project file.
const QString kRecoveryOf = QStringLiteral("cabinetcoolRecoveryOf");

QString g_recoveryFolder;

// The names of the recovery copies the sessions of this process write:
// never offered to this process as left over.
QMutex g_ownCopiesMutex;
QSet<QString> g_ownCopies;

// A name no other run of the program can have: the process id alone is not
// (a new start in a container, or after a reboot, gets an old run's id
// again), so a random number goes beside it. Older versions named their copies
// after the process id alone; those stay left-overs like any other.
QString newRecoveryName() {
    return QStringLiteral("%1-%2")
        .arg(QCoreApplication::applicationPid())
        .arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0'));
}

QString lockFileOf(const QString& copy) {
    const QFileInfo info(copy);
    return info.absolutePath() + QLatin1Char('/') + info.completeBaseName() +
           QStringLiteral(".lock");
}

#ifdef Q_OS_UNIX
// The lock of a left-over copy, taken for this process; -1 when another
// running program holds it (the copy is that program's) or it cannot be
// made.
int takeLeftoverLock(const QString& copy) {
    const int fd =
        ::open(QFile::encodeName(lockFileOf(copy)).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}
#endif

// One writer for the recovery copies, so that they land in order.
QThreadPool& recoveryWriter() {
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool;
        p->setMaxThreadCount(1);
        return p;
    }();
    return *pool;
}

double number(const Cabinet& c, CabinetField f) {
    return ParseNumber(c.fields.value(cabinetFieldName(f)).toStdString());
}

}  // namespace

QString cabinetFieldName(CabinetField field) {
    switch (field) {
        case CabinetField::Height:
            return QStringLiteral("txtHeight");
        case CabinetField::Width:
            return QStringLiteral("txtWidth");
        case CabinetField::Depth:
            return QStringLiteral("txtDepth");
        case CabinetField::SurfaceArea:
            return QStringLiteral("txtSS");
        case CabinetField::InternalHeat:
            return QStringLiteral("txtPP");
        case CabinetField::T1:
            return QStringLiteral("txtT1");
        case CabinetField::T2:
            return QStringLiteral("txtT2");
        case CabinetField::T3:
            return QStringLiteral("txtT3");
        case CabinetField::T4:
            return QStringLiteral("txtT4");
        case CabinetField::UValue:
            return QStringLiteral("txtUU");
        case CabinetField::CoolingPower:
            return QStringLiteral("txtPT");
        case CabinetField::ModelName:
            return QStringLiteral("txtKind");
        case CabinetField::ModelCapacity:
            return QStringLiteral("txtCoolValue");
    }
    return QString();
}

QString projectModeName(SelectionMode mode) {
    switch (mode) {
        case SelectionMode::Aircon:
            return QStringLiteral("Aircon");
        case SelectionMode::Fan1:
            return QStringLiteral("Fan1");
        case SelectionMode::Fan2:
            return QStringLiteral("Fan2");
    }
    return QStringLiteral("Aircon");
}

SelectionMode projectModeOfName(const QString& name) {
    if (name == QLatin1String("Fan1")) return SelectionMode::Fan1;
    if (name == QLatin1String("Fan2")) return SelectionMode::Fan2;
    return SelectionMode::Aircon;
}

ProjectSession::ProjectSession(CabinetCoolApp& app)
    : QObject(&app), m_app(app), m_recoveryName(newRecoveryName()) {
    {
        const QMutexLocker locker(&g_ownCopiesMutex);
        g_ownCopies.insert(m_recoveryName);
    }
    Cabinet first;
    first.tag = QStringLiteral("+A1");
    m_project.cabinets.append(first);
    m_recoveryTimer.setSingleShot(true);
    m_recoveryTimer.setInterval(30000);
    connect(&m_recoveryTimer, &QTimer::timeout, this, &ProjectSession::writeRecoveryCopy);
}

ProjectSession::~ProjectSession() {
    // Ending normally: nothing is left to recover.
    discardRecoveryCopy();
#ifdef Q_OS_UNIX
    if (m_lockFd >= 0) {
        QFile::remove(lockFileOf(recoveryFile()));
        ::close(m_lockFd);
    }
#endif
    const QMutexLocker locker(&g_ownCopiesMutex);
    g_ownCopies.remove(m_recoveryName);
}

// ---- the windows ------------------------------------------------------------

void ProjectSession::attachMainWindow(MainWindow& form) {
    m_main = &form;
    m_mainWidget = form.widget();
    QList<QWidget*> controls;
    for (CabinetField f : kFields) {
        if (auto* edit = m_mainWidget->findChild<QLineEdit*>(cabinetFieldName(f))) controls << edit;
    }
    for (const char* name : kModeButtons)
        if (auto* b = m_mainWidget->findChild<QAbstractButton*>(QLatin1String(name))) controls << b;
    for (const char* name : kMaterialButtons)
        if (auto* b = m_mainWidget->findChild<QAbstractButton*>(QLatin1String(name))) controls << b;
    connectEdits(m_mainWidget, controls, true);

    const Cabinet captured = capturedCurrent();
    m_startUp = startUpCabinet();
    m_startUp.mode = captured.mode;
    m_startUp.material = captured.material;
    m_startUp.fields = captured.fields;
    Cabinet& c = m_project.cabinets[m_current];
    c.mode = captured.mode;
    c.material = captured.material;
    c.fields = captured.fields;
    m_loaded = c;
    m_calculatedSinceLoad = false;
}

void ProjectSession::windowLoaded(QWidget* window) {
    auto* stored = dynamic_cast<StoredInputs*>(window);
    if (!stored) return;
    const WindowInputs& kept = [&]() -> const WindowInputs& {
        const Cabinet& c = current();
        const QString slot = stored->storedInputsSlot();
        return slot == QLatin1String("heat")      ? c.heat
               : slot == QLatin1String("climate") ? c.climate
                                                  : c.rise;
    }();
    if (!kept.isEmpty()) {
        m_applying = true;
        stored->applyStoredInputs(kept);
        m_applying = false;
    }
    // From now on the user's edits in it belong to the cabinet; opening it
    // changes nothing of the project.
    if (!window->property("cabinetcoolProjectEdits").toBool()) {
        window->setProperty("cabinetcoolProjectEdits", true);
        connectEdits(window, inputControls(window), false);
    }
}

void ProjectSession::connectEdits(QWidget* window, const QList<QWidget*>& controls, bool main) {
    QPointer<QWidget> guarded(window);
    auto changed = [this, guarded, main]() {
        if (m_applying || !guarded) return;
        if (main)
            captureMain();
        else
            captureWindow(guarded.data());
    };
    for (QWidget* w : controls) {
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            connect(edit, &QLineEdit::textChanged, this, changed);
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            connect(combo, &QComboBox::currentIndexChanged, this, changed);
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            connect(button, &QAbstractButton::toggled, this, changed);
    }
}

Cabinet ProjectSession::capturedCurrent() const {
    Cabinet c = m_project.cabinets[m_current];
    MainWindow* form = m_mainWidget ? m_main : nullptr;
    if (!form) return c;
    c.mode = projectModeName(form->selectedMode());
    c.material = form->selectedMaterial();
    for (CabinetField f : kFields) c.fields.insert(cabinetFieldName(f), form->fieldText(f));
    if (!m_calculatedSinceLoad && c.mode == m_loaded.mode && c.material == m_loaded.material &&
        c.fields == m_loaded.fields) {
        c.results = m_loaded.results;
        return c;
    }
    const QString requirement = form->fieldText(CabinetField::CoolingPower);
    c.results.calculated = !requirement.isEmpty() && !form->inputsChangedSinceCalculation();
    c.results.requirement = requirement;
    c.results.unit =
        form->selectedMode() == SelectionMode::Aircon ? QStringLiteral("W") : QStringLiteral("W/K");
    c.results.model = form->fieldText(CabinetField::ModelName);
    c.results.method = QStringLiteral("주 화면 계산");
    return c;
}

void ProjectSession::captureMain() {
    Cabinet now = capturedCurrent();
    Cabinet& c = m_project.cabinets[m_current];
    if (now == c) return;
    c = std::move(now);
    currentEdited();
}

void ProjectSession::captureWindow(QWidget* window) {
    auto* stored = dynamic_cast<StoredInputs*>(window);
    if (!stored || CabinetCoolApp::isClosed(window)) return;
    Cabinet& c = m_project.cabinets[m_current];
    const QString slot = stored->storedInputsSlot();
    WindowInputs& kept = slot == QLatin1String("heat")      ? c.heat
                         : slot == QLatin1String("climate") ? c.climate
                                                            : c.rise;
    WindowInputs now = stored->storedInputs();
    if (now == kept) return;
    kept = std::move(now);
    currentEdited();
}

void ProjectSession::loadIntoWindows(const Cabinet& cabinet) {
    m_applying = true;
    m_loaded = cabinet;
    m_calculatedSinceLoad = false;
    if (MainWindow* form = m_mainWidget ? m_main : nullptr) {
        form->selectMode(projectModeOfName(cabinet.mode));
        form->selectMaterial(cabinet.material);
        for (CabinetField f : kFields) {
            const auto it = cabinet.fields.constFind(cabinetFieldName(f));
            form->setFieldText(f, it == cabinet.fields.constEnd() ? QString() : *it);
        }
        // The cabinet is no calculation file.
        form->setCalculationFile(QString());
    }
    for (QWidget* window : m_app.loadedWindows()) {
        auto* stored = dynamic_cast<StoredInputs*>(window);
        if (!stored) continue;
        const QString slot = stored->storedInputsSlot();
        stored->applyStoredInputs(slot == QLatin1String("heat")      ? cabinet.heat
                                  : slot == QLatin1String("climate") ? cabinet.climate
                                                                     : cabinet.rise);
    }
    // A window set afresh for a cabinet that keeps none of its inputs adds
    // none to it: only the user's edits do.
    m_applying = false;
}

// ---- edits --------------------------------------------------------------------

void ProjectSession::edited() {
    setModified(true);
    emit projectChanged();
}

void ProjectSession::currentEdited() {
    setModified(true);
    emit cabinetEdited(m_current);
}

void ProjectSession::setModified(bool modified) {
    if (modified) {
        m_recoveryDue = true;
        if (!m_recoveryTimer.isActive()) m_recoveryTimer.start();
    }
    if (m_modified == modified) return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

QString ProjectSession::displayName() const {
    if (!m_project.info.name.trimmed().isEmpty()) return m_project.info.name.trimmed();
    if (!m_path.isEmpty()) return QFileInfo(m_path).completeBaseName();
    return QStringLiteral("새 프로젝트");
}

void ProjectSession::setInfo(const ProjectInfo& info) {
    if (info == m_project.info) return;
    m_project.info = info;
    edited();
}

int ProjectSession::clampIndex(int index) const {
    return std::clamp(index, 0, static_cast<int>(m_project.cabinets.size()) - 1);
}

QString ProjectSession::setCabinetTag(int index, const QString& tag) {
    if (index < 0 || index >= m_project.cabinets.size()) return QString();
    const QString t = tag.trimmed();
    if (t.isEmpty()) return QStringLiteral("태그가 비어 있습니다.");
    for (int i = 0; i < m_project.cabinets.size(); ++i) {
        if (i != index && m_project.cabinets[i].tag.trimmed() == t)
            return QStringLiteral("태그 \"%1\"은(는) 이미 쓰였습니다.").arg(t);
    }
    if (m_project.cabinets[index].tag == t) return QString();
    m_project.cabinets[index].tag = t;
    edited();
    return QString();
}

void ProjectSession::setCabinetDescription(int index, const QString& description) {
    if (index < 0 || index >= m_project.cabinets.size()) return;
    if (m_project.cabinets[index].description == description) return;
    m_project.cabinets[index].description = description;
    edited();
}

QString ProjectSession::setCabinetCount(int index, int count) {
    if (index < 0 || index >= m_project.cabinets.size()) return QString();
    if (count < 1 || count > 1000000)
        return QStringLiteral("수량은 1에서 1000000 사이의 정수여야 합니다.");
    if (m_project.cabinets[index].count == count) return QString();
    m_project.cabinets[index].count = count;
    edited();
    return QString();
}

void ProjectSession::calculationFileOpened() {
    captureMain();
    Cabinet& c = m_project.cabinets[m_current];
    // The file's results are its own calculation's; where a calculation of
    // its inputs gives others, the project window says so.
    if (c.results.requirement.isEmpty()) return;
    c.results.calculated = true;
    m_loaded = c;
    m_calculatedSinceLoad = false;
    emit cabinetEdited(m_current);
}

void ProjectSession::setCabinetDesign(int index, const QString& method, const QString& device) {
    if (index < 0 || index >= m_project.cabinets.size()) return;
    Cabinet& c = m_project.cabinets[index];
    if (c.method == method && c.device == device) return;
    c.method = method;
    c.device = device;
    // The current cabinet's answer changes what its row shows.
    if (index == m_current)
        currentEdited();
    else
        edited();
}

void ProjectSession::setCabinetDevices(int index, const QList<DeviceLineTexts>& lines) {
    if (index < 0 || index >= m_project.cabinets.size()) return;
    Cabinet& c = m_project.cabinets[index];
    if (c.devices == lines) return;
    c.devices = lines.mid(0, kMaxDeviceLines);
    if (index == m_current)
        currentEdited();
    else
        edited();
}

void ProjectSession::setCabinetLibraryDevice(int index, const LibraryPick& pick,
                                             const LibraryDevice& device) {
    if (index < 0 || index >= m_project.cabinets.size()) return;
    Cabinet& c = m_project.cabinets[index];
    if (pick.picked()) {
        const qsizetype at = findLibraryDevice(m_project.library, pick.designation);
        if (at < 0)
            m_project.library.append(device);
        else if (m_project.library[at] != device)
            m_project.library[at] = device;
    }
    if (c.libraryDevice == pick) return;
    c.libraryDevice = pick;
    if (index == m_current)
        currentEdited();
    else
        edited();
}

int ProjectSession::refreshLibraryCopies(const QList<LibraryDevice>& library) {
    int changed = 0;
    for (LibraryDevice& copy : m_project.library) {
        const qsizetype at = findLibraryDevice(library, copy.designation);
        if (at >= 0 && library[at] != copy) {
            copy = library[at];
            ++changed;
        }
    }
    if (changed > 0) edited();
    return changed;
}

Cabinet ProjectSession::startUpCabinet() const {
    Cabinet c = m_startUp;
    c.tag = NextCabinetTag(m_project);
    c.description.clear();
    c.count = 1;
    c.heat.clear();
    c.climate.clear();
    c.rise.clear();
    c.devices.clear();
    c.method.clear();
    c.device.clear();
    c.results = CabinetResults{};
    c.unknown = QJsonObject();
    return c;
}

int ProjectSession::addCabinet() {
    if (m_project.cabinets.size() >= kMaxCabinets) return m_current;
    captureMain();
    m_project.cabinets.append(startUpCabinet());
    edited();
    makeCurrent(static_cast<int>(m_project.cabinets.size()) - 1);
    return m_current;
}

int ProjectSession::duplicateCabinet(int index) {
    if (m_project.cabinets.size() >= kMaxCabinets) return m_current;
    captureMain();
    index = clampIndex(index);
    Cabinet copy = m_project.cabinets[index];
    copy.tag = UniqueCabinetTag(m_project, copy.tag);
    m_project.cabinets.insert(index + 1, copy);
    if (m_current > index) ++m_current;
    edited();
    makeCurrent(index + 1);
    return m_current;
}

void ProjectSession::removeCabinet(int index) {
    if (m_project.cabinets.size() <= 1 || index < 0 || index >= m_project.cabinets.size()) return;
    captureMain();
    const bool wasCurrent = index == m_current;
    m_project.cabinets.removeAt(index);
    if (m_current > index) --m_current;
    m_current = clampIndex(m_current);
    edited();
    if (wasCurrent) {
        loadIntoWindows(m_project.cabinets[m_current]);
        emit currentChanged(m_current);
    }
}

void ProjectSession::moveCabinet(int index, int step) {
    const int to = index + step;
    if (index < 0 || index >= m_project.cabinets.size() || to < 0 ||
        to >= m_project.cabinets.size())
        return;
    m_project.cabinets.move(index, to);
    if (m_current == index)
        m_current = to;
    else if (m_current == to)
        m_current = index;
    edited();
    emit currentChanged(m_current);
}

void ProjectSession::appendCabinets(const QList<Cabinet>& cabinets) {
    for (Cabinet c : cabinets) {
        if (m_project.cabinets.size() >= kMaxCabinets) break;
        c.tag = UniqueCabinetTag(
            m_project, c.tag.trimmed().isEmpty() ? NextCabinetTag(m_project) : c.tag.trimmed());
        m_project.cabinets.append(c);
    }
    edited();
}

void ProjectSession::makeCurrent(int index) {
    index = clampIndex(index);
    if (index == m_current) {
        emit currentChanged(m_current);
        return;
    }
    captureMain();
    m_current = index;
    loadIntoWindows(m_project.cabinets[m_current]);
    emit currentChanged(m_current);
}

// ---- the project as a whole ---------------------------------------------------

void ProjectSession::newProject() {
    m_project = Project{};
    m_project.cabinets.append(startUpCabinet());
    m_current = 0;
    m_path.clear();
    m_readOnly = false;
    m_fileVersion = kProjectFormatVersion;
    loadIntoWindows(m_project.cabinets[0]);
    discardRecoveryCopy();
    setModified(false);
    emit projectChanged();
    emit currentChanged(0);
}

void ProjectSession::openProject(const Project& project, const QString& path, bool readOnly,
                                 int version) {
    m_project = project;
    if (m_project.cabinets.isEmpty()) m_project.cabinets.append(startUpCabinet());
    m_current = 0;
    m_path = path;
    m_readOnly = readOnly;
    m_fileVersion = version;
    loadIntoWindows(m_project.cabinets[0]);
    discardRecoveryCopy();
    setModified(false);
    emit projectChanged();
    emit currentChanged(0);
}

QByteArray ProjectSession::fileBytes() {
    captureMain();
    for (QWidget* window : m_app.loadedWindows()) captureWindow(window);
    return ProjectBytes(m_project);
}

void ProjectSession::markSaved(const QString& path) {
    m_path = path;
    m_readOnly = false;
    m_fileVersion = kProjectFormatVersion;
    discardRecoveryCopy();
    setModified(false);
    emit projectChanged();
}

CabinetResults ProjectSession::recalculate(const Cabinet& c) const {
    HeatBalanceInput in;
    in.mode = projectModeOfName(c.mode);
    in.height = number(c, CabinetField::Height);
    in.width = number(c, CabinetField::Width);
    in.depth = number(c, CabinetField::Depth);
    in.internalHeat = number(c, CabinetField::InternalHeat);
    in.t1 = number(c, CabinetField::T1);
    in.t2 = number(c, CabinetField::T2);
    in.t3 = number(c, CabinetField::T3);
    in.t4 = number(c, CabinetField::T4);
    in.uValue = number(c, CabinetField::UValue);
    const HeatBalanceResult r = ComputeHeatBalance(in);
    CabinetResults out;
    out.unit = in.mode == SelectionMode::Aircon ? QStringLiteral("W") : QStringLiteral("W/K");
    out.method = QStringLiteral("주 화면 계산");
    if (!r.finite || !r.result) return out;
    out.calculated = true;
    out.requirement = QString::fromStdString(FormatNumber(*r.result, "0.00"));
    const double requirement = ParseNumber(out.requirement.toStdString());
    const EquipmentHeatTables& tables = m_app.tables();
    if (in.mode == SelectionMode::Aircon) {
        const int i = RecommendAirconModel(requirement, tables.AirconModelCapacity);
        out.model = airconModelDesignation(tables.AirconModelCapacity[static_cast<size_t>(i)]);
    } else {
        const int i = RecommendFanModel(requirement, tables.FanModelCapacity);
        out.model = QString::fromStdString(tables.FanModelName[static_cast<size_t>(i)]);
    }
    return out;
}

// ---- recovery copies -------------------------------------------------------------

QString ProjectSession::recoveryFolder() {
    if (!g_recoveryFolder.isEmpty()) return g_recoveryFolder;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/recovery");
}

void ProjectSession::setRecoveryFolder(const QString& folder) { g_recoveryFolder = folder; }

QString ProjectSession::recoveryFile() const {
    const QString folder = recoveryFolder();
    if (folder.isEmpty()) return QString();
    return folder + QLatin1Char('/') + m_recoveryName + QStringLiteral(".ccproj");
}

void ProjectSession::writeRecoveryCopy() {
    m_recoveryTimer.stop();
    if (!m_recoveryDue || !m_modified) return;
    const QString file = recoveryFile();
    if (file.isEmpty() || !QDir().mkpath(QFileInfo(file).absolutePath())) return;
#ifdef Q_OS_UNIX
    // This run holds its lock while it lives: a copy whose lock nobody
    // holds was left by a run that did not end.
    if (m_lockFd < 0) {
        m_lockFd = ::open(QFile::encodeName(lockFileOf(file)).constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_lockFd >= 0 && ::flock(m_lockFd, LOCK_EX | LOCK_NB) != 0) {
            ::close(m_lockFd);
            m_lockFd = -1;
        }
    }
    // Without a lock (a file system that has none) the copy is written all
    // the same: a start meanwhile may offer it, but nothing is lost.
#endif
    captureMain();
    for (QWidget* window : m_app.loadedWindows()) captureWindow(window);
    m_recoveryDue = false;
    // The project is shared, not copied; the text and the disk are the
    // worker's.
    Project project = m_project;
    project.unknown.insert(kRecoveryOf, m_path);
    recoveryWriter().start([project = std::move(project), file]() {
        replaceFileContents(file, ProjectBytes(project));
    });
}

void ProjectSession::waitForRecoveryWrites() { recoveryWriter().waitForDone(); }

void ProjectSession::discardRecoveryCopy() {
    m_recoveryTimer.stop();
    m_recoveryDue = false;
    waitForRecoveryWrites();
    const QString file = recoveryFile();
    if (!file.isEmpty()) QFile::remove(file);
}

QList<ProjectSession::Leftover> ProjectSession::leftoverRecoveryCopies() {
    QList<Leftover> found;
    const QString folder = recoveryFolder();
    if (folder.isEmpty()) return found;
    const QDir dir(folder);
    QSet<QString> own;
    {
        const QMutexLocker locker(&g_ownCopiesMutex);
        own = g_ownCopies;
    }
    for (const QFileInfo& info :
         dir.entryInfoList({QStringLiteral("*.ccproj")}, QDir::Files, QDir::Time)) {
        if (own.contains(info.completeBaseName())) continue;
#ifdef Q_OS_UNIX
        // The run that wrote it still holds its lock: it is working, not lost.
        const int fd =
            ::open(QFile::encodeName(lockFileOf(info.filePath())).constData(), O_RDWR | O_CLOEXEC);
        if (fd >= 0) {
            const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
            ::close(fd);
            if (held) continue;
        }
#endif
        QFile f(info.filePath());
        QString name = QStringLiteral("(이름 없는 프로젝트)");
        if (openRegularFile(f, info.filePath())) {
            const ProjectReading reading = ReadProject(f.read(kMaxProjectFileBytes + 1));
            if (reading.project && !reading.project->info.name.trimmed().isEmpty())
                name = reading.project->info.name.trimmed();
            else if (reading.project) {
                const QString path = reading.project->unknown.value(kRecoveryOf).toString();
                if (!path.isEmpty()) name = QFileInfo(path).completeBaseName();
            }
        }
        found.append({info.filePath(), name, info.lastModified()});
    }
    return found;
}

bool ProjectSession::restoreRecoveryCopy(const Leftover& copy, QString* error) {
    // Taken over only while nobody else holds it: a program started since
    // the offer may have taken it first.
#ifdef Q_OS_UNIX
    const int lock = takeLeftoverLock(copy.file);
    if (lock < 0) {
        if (error)
            *error = QStringLiteral("실행 중인 다른 CabinetCool이 이 복구본을 쓰고 있습니다.");
        return false;
    }
    const auto release = qScopeGuard([lock] { ::close(lock); });
#endif
    QFile f(copy.file);
    if (!openRegularFile(f, copy.file)) {
        if (error) *error = QStringLiteral("복구 파일을 읽을 수 없습니다.");
        return false;
    }
    ProjectReading reading = ReadProject(f.read(kMaxProjectFileBytes + 1));
    f.close();
    if (!reading.project) {
        if (error) *error = reading.error;
        return false;
    }
    Project project = *reading.project;
    const QString path = project.unknown.take(kRecoveryOf).toString();
    // A copy of an older version may hold texts over their limits, which
    // the reader cut: saved only under a name the user chooses, so that the
    // project's file keeps them whole.
    openProject(project, path, reading.textsCut, kProjectFormatVersion);
    // The project is this run's now, and its copies are written under this
    // run's name: the left-over goes.
    QFile::remove(copy.file);
    QFile::remove(lockFileOf(copy.file));
    // Not saved yet: the user decides where it goes.
    setModified(true);
    return true;
}

void ProjectSession::discardLeftover(const Leftover& copy) {
#ifdef Q_OS_UNIX
    // Nothing of a copy that a running program holds.
    const int lock = takeLeftoverLock(copy.file);
    if (lock < 0) return;
#endif
    QFile::remove(copy.file);
    QFile::remove(lockFileOf(copy.file));
#ifdef Q_OS_UNIX
    ::close(lock);
#endif
}
