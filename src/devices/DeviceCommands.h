#pragma once

class CabinetCoolApp;

// "기기 목록...": the device list window of the current cabinet; an open one
// is only brought to the front.
void showDevicesWindow(CabinetCoolApp& app);

// Has the window built ahead, hidden, while the program waits for the user,
// so that a click only fills and shows it.
void keepDevicesWindowReady(CabinetCoolApp& app);
