#pragma once

#include <QProgressDialog>
#include <QString>
#include <atomic>
#include <functional>

class QWidget;

// Work over many items that may take a while (the cabinets of a project
// report, calculation files being imported): after half a second a progress
// bar with "취소" and a wait cursor; the interface keeps answering between
// items and while work runs aside. The dialog is modal to the program, so
// nothing the user does meanwhile reaches the work.
class WorkProgress {
public:
    WorkProgress(QWidget* parent, const QString& label, int count);
    // The work's values, declared after the progress, are gone by now: what
    // they held goes back to the system (releaseFreedMemory).
    ~WorkProgress();
    WorkProgress(const WorkProgress&) = delete;
    WorkProgress& operator=(const WorkProgress&) = delete;

    // Before item `i`: false when the user cancelled.
    bool step(int i);

    // Runs `work` on a thread of its own while the interface answers, the
    // bar following `done` from `from` on; `cancel` is raised when the user
    // asks. Returns when the work has ended.
    void runAside(const std::function<void()>& work, const std::atomic<int>& done, int from,
                  std::atomic<bool>& cancel);

private:
    QProgressDialog m_dialog;
};

// Gives the memory that long work freed back to the system: the C library
// keeps freed blocks for reuse, in an arena for each thread that allocated,
// so that a report of a thousand cabinets would leave a hundred megabytes
// held after it is written.
void releaseFreedMemory();
