#include "kit/CabinetCoolApp.h"

#include <QCoreApplication>

#include "kit/PlatformServices.h"

CabinetCoolApp::CabinetCoolApp(PlatformServices& platform, QString programDir, QObject* parent)
    : QObject(parent), m_platform(platform), m_programDir(std::move(programDir)) {}

CabinetCoolApp::~CabinetCoolApp() {
    const QList<QPointer<QWidget>> windows = std::exchange(m_windows, {});
    for (const QPointer<QWidget>& w : windows) delete w.data();
}

MainWindow* CabinetCoolApp::mainWindow() const {
    if (m_standIn) return m_standIn;
    if (!m_mainWidget || isClosed(m_mainWidget.data())) return nullptr;
    return m_mainWindow;
}

std::filesystem::path CabinetCoolApp::iniPath() const {
    return iniPathFor(std::filesystem::path(m_programDir.toStdU16String()));
}

void CabinetCoolApp::loadIniValues() { LoadIniValues(m_tables, iniPath()); }

void CabinetCoolApp::registerWindow(QWidget* window) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_windows.append(window);
    connect(window, &QObject::destroyed, this, [this]() {
        m_windows.removeIf([](const QPointer<QWidget>& w) { return w.isNull(); });
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
