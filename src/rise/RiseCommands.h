#pragma once

class CabinetCoolApp;

// "온도 상승 검증": the temperature rise window, filled from the main window
// when it opens; an open one is only brought to the front.
void showRiseWindow(CabinetCoolApp& app);

// Has the window built ahead, hidden, while the program waits for the user
// after start-up and after each closing of it, so that a click only fills
// and shows it.
void keepRiseWindowReady(CabinetCoolApp& app);
