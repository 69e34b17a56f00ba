#include "files/FileCommands.h"

#include "app/CabinetCoolApp.h"

void saveCalculationAs(CabinetCoolApp&) {}
void openCalculation(CabinetCoolApp&) {}
void printMainWindow(CabinetCoolApp&) {}
