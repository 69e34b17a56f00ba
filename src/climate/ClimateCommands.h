#pragma once

class CabinetCoolApp;

// "상세 설계": the climate design window, filled from the main window when it
// opens; an open one is only brought to the front.
void showClimateWindow(CabinetCoolApp& app);

// Has the window built ahead, hidden, while the program waits for the user
// after start-up and after each closing of it: it has more controls than a
// click can wait for them to be made, styled and drawn for the first time.
void keepClimateWindowReady(CabinetCoolApp& app);
