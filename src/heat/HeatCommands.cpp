#include "heat/HeatCommands.h"

#include "app/CabinetCoolApp.h"

void showHeatValueWindow(CabinetCoolApp&) {}
void showHeatProducedWindow(CabinetCoolApp&) {}
