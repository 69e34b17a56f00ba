#pragma once

class CabinetCoolApp;

// "Save As", "Open" and "화면 Print" of the main window.
void saveCalculationAs(CabinetCoolApp& app);
void openCalculation(CabinetCoolApp& app);
void printMainWindow(CabinetCoolApp& app);
