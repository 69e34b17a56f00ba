#include "heat/HeatCommands.h"

#include "heat/frmHeatProduced.h"
#include "heat/frmHeatValue.h"
#include "kit/CabinetCoolApp.h"

void showHeatValueWindow(CabinetCoolApp& app) { app.showWindow<frmHeatValue>(); }
void showHeatProducedWindow(CabinetCoolApp& app) { app.showWindow<frmHeatProduced>(); }
