#include "ReportTiming.h"

#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>

#include "Probe.h"
#include "app/Form1.h"
#include "climate/frmClimate.h"
#include "kit/CabinetCoolApp.h"

namespace {

void timeOne(const char* name, QAbstractButton* button, const QString& path) {
    QFile::remove(path);
    const int64_t clicked = probe::now();
    button->click();
    const int64_t written = probe::now();
    probe::record("report", name, QFileInfo(path).size() > 0 ? written - clicked : -1);
}

}  // namespace

void timeReports(CabinetCoolApp& app, Form1& form, QString& answerSaveDialog) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    answerSaveDialog = path;
    const struct {
        const char* name;
        SelectionMode mode;
    } modes[] = {{"Aircon", SelectionMode::Aircon},
                 {"Fan1", SelectionMode::Fan1},
                 {"Fan2", SelectionMode::Fan2}};
    for (const auto& m : modes) {
        form.selectMode(m.mode);
        form.cmdCal->click();
        probe::settle(100);
        timeOne(m.name, form.cmdReport, path);
    }
    form.cmdClimate->click();
    probe::settle(100);
    if (frmClimate* climate = app.loadedWindow<frmClimate>()) {
        timeOne("climate", climate->cmdClimateReport, path);
    } else {
        probe::record("report", "climate", -1);
    }
    answerSaveDialog.clear();
}
