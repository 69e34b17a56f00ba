#include "Probe.h"

#include <QAbstractButton>
#include <QEventLoop>
#include <QExposeEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <ctime>
#include <fstream>

namespace probe {

namespace {

std::vector<std::string>& lines() {
    static std::vector<std::string> all;
    return all;
}

int64_t clockNs(clockid_t clock) {
    timespec ts{};
    clock_gettime(clock, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

}  // namespace

int64_t now() { return clockNs(CLOCK_MONOTONIC); }

int64_t cpuTime() { return clockNs(CLOCK_PROCESS_CPUTIME_ID); }

int64_t residentKb() {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == "VmRSS:") {
            int64_t kb = 0;
            status >> kb;
            return kb;
        }
    }
    return -1;
}

void record(const std::string& kind, const std::string& name, int64_t value) {
    lines().push_back(kind + ' ' + name + ' ' + std::to_string(value));
}

void flush() {
    for (const std::string& line : lines()) std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

int controlCount(QWidget* window) {
    return static_cast<int>(window->findChildren<QWidget*>().size());
}

void settle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace probe

ProbeApplication::ProbeApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool ProbeApplication::notify(QObject* receiver, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool handled = QApplication::notify(receiver, event);
    if (type == QEvent::Expose && receiver->isWindowType()) {
        auto* window = static_cast<QWindow*>(receiver);
        if (window->isExposed()) {
            const int64_t t = probe::now();
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (w->windowHandle() != window) continue;
                m_exposed[w->objectName()].append(t);
                if (onExposed) onExposed(w, t);
            }
        }
    } else if (type == QEvent::Hide && receiver->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(receiver);
        if (widget->isWindow() && onHidden) onHidden(widget, probe::now());
    }
    return handled;
}

int64_t ProbeApplication::waitExposed(const QString& name, int64_t since, int timeoutMs) {
    // The time is taken in notify(); how soon this loop notices does not
    // change it.
    const int64_t deadline = probe::now() + int64_t(timeoutMs) * 1000000;
    QEventLoop loop;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &loop, &QEventLoop::quit);
    tick.start(10);
    for (;;) {
        for (int64_t t : m_exposed.value(name)) {
            if (t >= since) return t;
        }
        if (probe::now() >= deadline) return -1;
        loop.exec();
    }
}

void ProbeApplication::clickWithMouse(QAbstractButton* button) {
    // Delivered to the button as the window system's events would be; the
    // probe does not link Qt Test, which the real program does not load.
    const QPointF local = button->rect().center();
    const QPointF global = button->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(button, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(button, &release);
}
