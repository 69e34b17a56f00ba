#include "SecondaryWindows.h"

#include <QLineEdit>

#include "app/Form1.h"

namespace {

void airconMode(Form1& f) { f.selectMode(SelectionMode::Aircon); }

// A calculation opens the chart of its mode when the design temperatures
// differ by 10 K or more; the air-conditioner defaults (40, 35) do not.
void airconChart(Form1& f) {
    f.selectMode(SelectionMode::Aircon);
    f.txtT2->setText(QStringLiteral("25"));
}
void fan1Chart(Form1& f) { f.selectMode(SelectionMode::Fan1); }
void fan2Chart(Form1& f) { f.selectMode(SelectionMode::Fan2); }

}  // namespace

const std::vector<SecondaryWindow>& secondaryWindows() {
    static const std::vector<SecondaryWindow> rows = {
        {"frmAbout", "cmdHelp", nullptr},
        {"frmHeatValue", "cmdHeatValue", airconMode},
        {"frmHeatProduced", "cmdHeatproduced", airconMode},
        {"frmAircon", "cmdCal", airconChart},
        {"frmFan1", "cmdCal", fan1Chart},
        {"frmFan2", "cmdCal", fan2Chart},
        {"frmClimate", "cmdClimate", airconMode},
        {"frmRise", "cmdRise", airconMode},
        {"frmDevices", "cmdDevices", airconMode},
        {"frmProject", "cmdProject", airconMode},
        {"frmLibrary", "cmdLibrary", nullptr, "frmProject"},
    };
    return rows;
}
