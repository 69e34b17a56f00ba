#pragma once

class CabinetCoolApp;

// "상세 설계": the climate design window, filled from the main window when it
// opens; an open one is only brought to the front.
void showClimateWindow(CabinetCoolApp& app);
