#include "info/InfoCommands.h"

#include "app/CabinetCoolApp.h"

void showAboutBox(CabinetCoolApp&) {}
void openProductPage(CabinetCoolApp&) {}
