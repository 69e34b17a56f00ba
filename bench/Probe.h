#pragma once

#include <QApplication>
#include <QHash>
#include <QList>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QAbstractButton;
class QWidget;

// What a benchmarked program records about itself. Times are CLOCK_MONOTONIC
// nanoseconds, comparable with the clock of the driver that started the
// process. Everything is kept in memory and written to standard output when
// the program ends, so that no output falls inside a measured interval.
namespace probe {

int64_t now();         // monotonic clock, ns
int64_t cpuTime();     // processor time of the whole process, all threads, ns
int64_t residentKb();  // VmRSS

// Records one line "<kind> <name> <value>" for the driver.
void record(const std::string& kind, const std::string& name, int64_t value);
// Writes what was recorded to standard output.
void flush();

// Counts the widgets below a window by class, for the report's "controls".
int controlCount(QWidget* window);

// Runs the event loop for `ms` milliseconds.
void settle(int ms);

}  // namespace probe

// A QApplication that notes when each top-level window (by objectName) has
// been exposed and painted, and when it is hidden.
class ProbeApplication : public QApplication {
public:
    ProbeApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Called after a window's expose has been handled, i.e. it is on screen
    // and painted; and when a window is hidden.
    std::function<void(QWidget*, int64_t)> onExposed;
    std::function<void(QWidget*, int64_t)> onHidden;

    // The first exposure of a window named `name` at or after `since`;
    // waits in the event loop up to `timeoutMs`. -1 when none came.
    int64_t waitExposed(const QString& name, int64_t since, int timeoutMs);

    // Clicks `button` with the mouse, as a user does: press and release in
    // its middle.
    static void clickWithMouse(QAbstractButton* button);

private:
    QHash<QString, QList<int64_t>> m_exposed;
};
