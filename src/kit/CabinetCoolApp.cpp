#include "kit/CabinetCoolApp.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTimer>

#include "kit/PlatformServices.h"
#include "kit/ProjectSession.h"
#include "kit/UserLibrary.h"

CabinetCoolApp::CabinetCoolApp(PlatformServices& platform, QString programDir, QObject* parent)
    : CabinetCoolApp(platform, desktopInstallPaths(programDir), parent) {}

CabinetCoolApp::CabinetCoolApp(PlatformServices& platform, InstallPaths paths, QObject* parent)
    : QObject(parent), m_platform(platform), m_paths(std::move(paths)) {
    m_project = new ProjectSession(*this);
    m_library = new UserLibrary(this);
}

CabinetCoolApp::~CabinetCoolApp() {
    m_keptReady.clear();
    for (const QPointer<QWidget>& w : std::exchange(m_prepared, {})) delete w.data();
    const QList<QPointer<QWidget>> windows = std::exchange(m_windows, {});
    for (const QPointer<QWidget>& w : windows) delete w.data();
}

MainWindow* CabinetCoolApp::mainWindow() const {
    if (m_standIn) return m_standIn;
    if (!m_mainWidget || isClosed(m_mainWidget.data())) return nullptr;
    return m_mainWindow;
}

QString CabinetCoolApp::programDir() const {
    return QDir::fromNativeSeparators(QString::fromStdU16String(m_paths.dataDir.u16string()));
}

std::filesystem::path CabinetCoolApp::iniPath() const { return m_paths.configFile(); }

InstallPaths desktopInstallPaths(const QString& exeDir, const QString& relativeDataDir) {
    // Not AppConfigLocation: that follows the organisation and application
    // names, and the folder a user is told to put app.ini in must not move.
    const QString config =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
            .filePath(QStringLiteral("CabinetCool"));
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty()) documents = QDir::homePath();
    const auto path = [](const QString& p) { return std::filesystem::path(p.toStdU16String()); };
    return resolveInstallPaths(path(exeDir), path(relativeDataDir), path(config), path(documents));
}

void CabinetCoolApp::loadIniValues() { LoadIniValues(m_tables, iniPath()); }

void CabinetCoolApp::attachMainWindow(MainWindow& form) { m_project->attachMainWindow(form); }

void CabinetCoolApp::windowWasLoaded(QWidget* window) { m_project->windowLoaded(window); }

void CabinetCoolApp::registerWindow(QWidget* window) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_windows.append(window);
    const QMetaObject* type = window->metaObject();
    connect(window, &QObject::destroyed, this, [this, type]() {
        m_windows.removeIf([](const QPointer<QWidget>& w) { return w.isNull(); });
        schedulePreparation(type);
    });
}

void CabinetCoolApp::bringToFront(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

// A loaded window carries WA_DeleteOnClose; Qt clears it when the window has
// closed and its deletion is pending, so such a window no longer counts.
bool CabinetCoolApp::isClosed(const QWidget* window) {
    return !window->testAttribute(Qt::WA_DeleteOnClose);
}

void CabinetCoolApp::unloadWindow(QWidget* window) {
    if (!window || isClosed(window)) return;
    window->close();
    if (!isClosed(window) && !window->isVisible()) {
        // Never shown: no close took place, but unloading still discards it.
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->deleteLater();
    }
}

QList<QWidget*> CabinetCoolApp::loadedWindows() const {
    QList<QWidget*> list;
    for (const QPointer<QWidget>& w : m_windows) {
        if (w && !isClosed(w.data())) list.append(w.data());
    }
    return list;
}

void CabinetCoolApp::UnloadAllForms() {
    for (QWidget* w : loadedWindows()) unloadWindow(w);
}

void CabinetCoolApp::keepPrepared(QWidget* window) {
    // What the first showing would do: polish every control, create the
    // native window (unmapped) and paint once off screen, which renders the
    // glyphs of every text into the font engines' caches.
    window->ensurePolished();
    window->winId();
    window->grab();
    m_prepared.append(window);
}

QWidget* CabinetCoolApp::findPrepared(const QMetaObject* type) const {
    for (const QPointer<QWidget>& w : m_prepared) {
        if (w && w->metaObject() == type) return w.data();
    }
    return nullptr;
}

QWidget* CabinetCoolApp::takePrepared(const QMetaObject* type) {
    QWidget* window = findPrepared(type);
    m_prepared.removeIf([window](const QPointer<QWidget>& w) { return !w || w == window; });
    return window;
}

void CabinetCoolApp::schedulePreparation(const QMetaObject* type) {
    const auto kept = m_keptReady.constFind(type);
    if (kept == m_keptReady.constEnd()) return;
    QTimer::singleShot(kept->delayMs, this, [this, type]() {
        const auto now = m_keptReady.constFind(type);
        // Not for a program on its way out.
        if (now != m_keptReady.constEnd() && m_mainWidget && !isClosed(m_mainWidget.data()))
            now->prepare();
    });
}
