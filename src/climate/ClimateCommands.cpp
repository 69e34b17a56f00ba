#include "climate/ClimateCommands.h"

#include "climate/frmClimate.h"
#include "kit/CabinetCoolApp.h"

void showClimateWindow(CabinetCoolApp& app) { app.showWindow<frmClimate>(); }
