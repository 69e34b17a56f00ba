#include "charts/ChartCommands.h"

#include "app/CabinetCoolApp.h"

// The chart windows are not built yet: the operations open nothing.
void openAirconDiagram(CabinetCoolApp&) {}
void openFan1Diagram(CabinetCoolApp&) {}
void openFan2Diagram(CabinetCoolApp&) {}
