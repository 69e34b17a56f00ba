#include "charts/ChartCommands.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <algorithm>

#include "kit/CabinetCoolApp.h"
#include "kit/MainWindow.h"
#include "kit/Widgets.h"
#include "calc/Fan2Nomogram.h"
#include "charts/ChartWidgets.h"
#include "charts/frmAircon.h"
#include "charts/frmFan1.h"
#include "charts/frmFan2.h"

namespace {

// A chart opens beside the main window, where both can be read at once,
// kept on the screen when there is no room beside it.
void placeBesideMainWindow(CabinetCoolApp& app, QWidget* window) {
    MainWindow* main = app.mainWindow();
    if (!main) return;
    const QWidget* form = main->widget();
    const QRect mainFrame = form->frameGeometry();
    QPoint topLeft(mainFrame.right() + 1, mainFrame.top());
    if (const QScreen* screen = form->screen()) {
        const QRect available = screen->availableGeometry();
        const QSize size = window->frameGeometry().size();
        topLeft.setX(std::max(available.left(),
                              std::min(topLeft.x(), available.right() + 1 - size.width())));
        topLeft.setY(std::max(available.top(),
                              std::min(topLeft.y(), available.bottom() + 1 - size.height())));
    }
    window->move(topLeft);
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
