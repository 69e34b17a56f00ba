#pragma once

class CabinetCoolApp;
class QWidget;

// "보고서": asks where to save the design report of the program as it
// stands and writes it there. `parent` carries the dialogs. A failed write
// says so and leaves an earlier file of that name as it was.
void makeDesignReport(CabinetCoolApp& app, QWidget* parent);

// "상세 설계": opens the climate design window, or brings it to the front;
// its "보고서 PDF..." makes the same report, the window's values in it.
void openClimateDesign(CabinetCoolApp& app);
