#include "charts/ChartCommands.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>

#include "calc/Fan2Nomogram.h"
#include "charts/ChartWidgets.h"
#include "charts/frmAircon.h"
#include "charts/frmFan1.h"
#include "charts/frmFan2.h"
#include "kit/CabinetCoolApp.h"
#include "kit/MainWindow.h"
#include "kit/ScrollableClient.h"
#include "kit/Widgets.h"
#include "kit/WindowPlacement.h"

namespace {

// A chart opens beside the main window, where both can be read at once and
// the chart covers none of the main window's buttons; narrower, scrolling,
// where the screen has less room; over the main window only where even that
// does not fit. It never leaves the screen.
void placeBesideMainWindow(CabinetCoolApp& app, QWidget* window) {
    MainWindow* main = app.mainWindow();
    if (!main) return;
    // Half the chart beside the main window is still worth reading.
    placeWindowBeside(window, main->widget());
}

// Loads W if it is not loaded (placing a fresh window); an open window keeps
// everything its load computed.
template <class W>
W* ensureLoaded(CabinetCoolApp& app) {
    if (W* open = app.loadedWindow<W>()) return open;
    W* window = app.loadWindow<W>();
    placeBesideMainWindow(app, window);
    return window;
}

}  // namespace

void openAirconDiagram(CabinetCoolApp& app) {
    ensureLoaded<frmAircon>(app);
    app.showWindow<frmAircon>();
}

void openFan1Diagram(CabinetCoolApp& app) {
    const MainWindow* form = app.mainWindow();
    if (!form) return;
    FanChartValues& v = app.fanValues();
    v.FanHeatP = form->fieldValue(CabinetField::InternalHeat);
    v.FanDeltaT = form->fieldValue(CabinetField::T2) - form->fieldValue(CabinetField::T1);
    ensureLoaded<frmFan1>(app);
    app.showWindow<frmFan1>();
}

void openFan2Diagram(CabinetCoolApp& app) {
    const MainWindow* form = app.mainWindow();
    if (!form) return;
    FanChartValues& v = app.fanValues();
    v.FanMeasuredDeltaT = form->fieldValue(CabinetField::T4) - form->fieldValue(CabinetField::T3);
    v.FanDeltaT = form->fieldValue(CabinetField::T2) - form->fieldValue(CabinetField::T1);
    v.FanOutsideMinusInside = v.FanMeasuredDeltaT * -1;
    // The reading is set before a fresh window loads, which draws with it.
    const std::optional<Fan2Reading> reading = ComputeFan2Y(v.FanDeltaT, v.FanOutsideMinusInside);
    if (reading) v.FanReadingY = reading->y;
    frmFan2* window = ensureLoaded<frmFan2>(app);
    if (reading) {
        window->markBandLine(reading->bandLine);
        window->txtYY->setText(numberText(v.FanReadingY));
    }
    app.showWindow<frmFan2>();
}
