#include "kit/WorkProgress.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QThread>
#include <QTimer>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

WorkProgress::WorkProgress(QWidget* parent, const QString& label, int count)
    : m_dialog(label, QStringLiteral("취소"), 0, count, parent) {
    m_dialog.setWindowTitle(QStringLiteral("CabinetCool"));
    m_dialog.setWindowModality(Qt::ApplicationModal);
    m_dialog.setMinimumDuration(500);
    m_dialog.setAutoClose(false);
    m_dialog.setAutoReset(false);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

WorkProgress::~WorkProgress() {
    QGuiApplication::restoreOverrideCursor();
    releaseFreedMemory();
}

void releaseFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

bool WorkProgress::step(int i) {
    m_dialog.setValue(i);
    QCoreApplication::processEvents();
    return !m_dialog.wasCanceled();
}

void WorkProgress::runAside(const std::function<void()>& work, const std::atomic<int>& done,
                            int from, std::atomic<bool>& cancel) {
    QEventLoop loop;
    QThread* thread = QThread::create(work);
    QObject::connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
    QTimer tick;
    tick.setInterval(50);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&]() {
        m_dialog.setValue(from + done.load());
        if (m_dialog.wasCanceled()) cancel = true;
    });
    tick.start();
    thread->start();
    loop.exec();
    thread->wait();
    delete thread;
}
