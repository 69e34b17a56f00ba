#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <functional>

#include "data/EquipmentHeatTables.h"
#include "data/InstallPaths.h"
#include "kit/FanChartValues.h"
#include "kit/MainWindow.h"

class PlatformServices;
class ProjectSession;
class UserLibrary;

// A window whose load step sets all it shows afresh, so that it can run on a
// window built before.
template <class W>
concept ReloadableWindow = requires(W* w) {
    w->Form_Load();
};

// The program object: owns what lives as long as the program, the main
// window and the registry of loaded windows.
//
// A window class W used with loadWindow/showWindow is a QWidget with
// Q_OBJECT, a constructor W(CabinetCoolApp&) that runs its load steps, and
// its class name as objectName.
class CabinetCoolApp : public QObject {
    Q_OBJECT
public:
    // A program in the portable folder `programDir`.
    CabinetCoolApp(PlatformServices& platform, QString programDir, QObject* parent = nullptr);
    CabinetCoolApp(PlatformServices& platform, InstallPaths paths, QObject* parent = nullptr);
    ~CabinetCoolApp() override;

    // Creates the main window M (a window class that is also a MainWindow
    // with a Form_Load step), runs its start-up and shows it.
    template <class M>
    M* start() {
        M* form = loadWindow<M>();
        m_mainWindow = form;
        m_mainWidget = form;
        form->Form_Load();
        attachMainWindow(*form);
        form->show();
        return form;
    }

    // The main window while it is loaded, otherwise nullptr.
    MainWindow* mainWindow() const;
    // Makes mainWindow() answer `standIn` until it is called with nullptr:
    // a window built for a page rather than the screen (the design report's
    // charts) then reads the values the page shows. Nothing is shown, and no
    // event handled, in between.
    void setMainWindowStandIn(MainWindow* standIn) { m_standIn = standIn; }
    PlatformServices& platform() const { return m_platform; }
    // The project and its current cabinet.
    ProjectSession& project() const { return *m_project; }
    // The engineer's own device library.
    UserLibrary& library() const { return *m_library; }
    EquipmentHeatTables& tables() { return m_tables; }
    FanChartValues& fanValues() { return m_fanValues; }

    // The folder of the program's env/ and www/ (and Cool/ in a portable
    // folder): the executable's folder, or the shared data folder of a
    // system installation.
    QString programDir() const;
    const InstallPaths& paths() const { return m_paths; }
    std::filesystem::path iniPath() const;
    void loadIniValues();

    // The loaded window of class W, or nullptr.
    template <class W>
    W* loadedWindow() const {
        for (QWidget* w : loadedWindows()) {
            if (W* window = qobject_cast<W*>(w)) return window;
        }
        return nullptr;
    }

    // Creates and loads W if it is not loaded; does nothing else. A W built
    // in advance by prepareWindow<W>() is taken instead and loaded again.
    template <class W>
    W* loadWindow() {
        if (W* window = loadedWindow<W>()) return window;
        W* window = nullptr;
        if constexpr (ReloadableWindow<W>) {
            window = qobject_cast<W*>(takePrepared(&W::staticMetaObject));
            if (window) window->Form_Load();
        }
        if (!window) window = new W(*this);
        registerWindow(window);
        windowWasLoaded(window);
        return window;
    }

    // Builds a W ahead of its opening, hidden and not loaded: its controls,
    // their style, its native window and the glyphs of its texts are ready,
    // so that opening it later runs only its load step and shows it. For a
    // window that takes longer to build than a click may wait; W needs a
    // Form_Load() that sets every input afresh. Does nothing when a W is
    // loaded or already prepared.
    template <ReloadableWindow W>
    void prepareWindow() {
        if (loadedWindow<W>() || preparedWindow<W>()) return;
        keepPrepared(new W(*this));
    }
    // Keeps a W prepared while the main window is open: `delayMs` from now,
    // and again that long after each loaded W is gone, so that the building
    // falls where the program waits for the user.
    template <ReloadableWindow W>
    void keepWindowReady(int delayMs) {
        m_keptReady.insert(&W::staticMetaObject, {delayMs, [this]() { prepareWindow<W>(); }});
        schedulePreparation(&W::staticMetaObject);
    }
    // The prepared W, or nullptr.
    template <class W>
    W* preparedWindow() const {
        return static_cast<W*>(findPrepared(&W::staticMetaObject));
    }

    // Loads W if needed, then shows it modeless or brings it to the front.
    template <class W>
    W* showWindow() {
        W* window = loadWindow<W>();
        bringToFront(window);
        return window;
    }

    // Closes `window` if it is loaded; it is destroyed when it closes.
    void unloadWindow(QWidget* window);
    // Closes every loaded window, in the order they were loaded.
    void UnloadAllForms();
    QList<QWidget*> loadedWindows() const;

    static void bringToFront(QWidget* window);
    static bool isClosed(const QWidget* window);

private:
    void registerWindow(QWidget* window);
    void attachMainWindow(MainWindow& form);
    void windowWasLoaded(QWidget* window);
    void keepPrepared(QWidget* window);
    QWidget* findPrepared(const QMetaObject* type) const;
    QWidget* takePrepared(const QMetaObject* type);
    void schedulePreparation(const QMetaObject* type);

    struct Preparation {
        int delayMs = 0;
        std::function<void()> prepare;
    };

    PlatformServices& m_platform;
    InstallPaths m_paths;
    EquipmentHeatTables m_tables;
    FanChartValues m_fanValues;
    QList<QPointer<QWidget>> m_windows;
    QList<QPointer<QWidget>> m_prepared;  // built ahead, hidden, not loaded
    QHash<const QMetaObject*, Preparation> m_keptReady;
    MainWindow* m_mainWindow = nullptr;
    MainWindow* m_standIn = nullptr;
    QPointer<QWidget> m_mainWidget;  // the same window, to know when it is gone
    ProjectSession* m_project = nullptr;
    UserLibrary* m_library = nullptr;
};

// The paths of a program whose executable lies in `exeDir`, with the
// desktop's configuration and documents folders of this user. With a
// `relativeDataDir` ("../share/cabinetcool") a system installation is
// recognised too; without, `exeDir` is a portable folder.
InstallPaths desktopInstallPaths(const QString& exeDir, const QString& relativeDataDir = QString());
