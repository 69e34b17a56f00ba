#pragma once

class CabinetCoolApp;
class QWidget;

// "보고서": asks where to save the design report of the program as it
// stands and writes it there. `parent` carries the dialogs. A failed write
// says so and leaves an earlier file of that name as it was.
void makeDesignReport(CabinetCoolApp& app, QWidget* parent);

// "프로젝트 보고서...": asks where to save the report of the whole current
// project (a cover with a line per cabinet, then each cabinet's design
// report) and writes it there; the dialog starts where the design report's
// does. Leaves the current cabinet and the main window as they were.
void makeProjectReport(CabinetCoolApp& app, QWidget* parent);

// "장비 목록 내보내기...": asks where to save the project's bill of devices
// and its summary as CSV (UTF-8 with a byte-order mark) and writes it there.
void exportProjectBill(CabinetCoolApp& app, QWidget* parent);

// "상세 설계": opens the climate design window, or brings it to the front;
// its "보고서 PDF..." makes the same report, the window's values in it.
void openClimateDesign(CabinetCoolApp& app);
