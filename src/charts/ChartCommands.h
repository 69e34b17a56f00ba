#pragma once

class CabinetCoolApp;

// The main window's diagram operations: each opens (or brings to the front)
// the chart window of one selection mode.
void openAirconDiagram(CabinetCoolApp& app);  // cmdAirconDiagram
void openFan1Diagram(CabinetCoolApp& app);    // cmdFan1Diagram_update
void openFan2Diagram(CabinetCoolApp& app);    // cmdFan2Diagram
