#include "heat/HeatCommands.h"

#include "kit/CabinetCoolApp.h"
#include "heat/frmHeatProduced.h"
#include "heat/frmHeatValue.h"

void showHeatValueWindow(CabinetCoolApp& app) { app.showWindow<frmHeatValue>(); }
void showHeatProducedWindow(CabinetCoolApp& app) { app.showWindow<frmHeatProduced>(); }
