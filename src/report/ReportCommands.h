#pragma once

class CabinetCoolApp;
class QWidget;

// "보고서": asks where to save the design report of the program as it
// stands and writes it there. `parent` carries the dialogs. A failed write
// says so and leaves an earlier file of that name as it was.
void makeDesignReport(CabinetCoolApp& app, QWidget* parent);
