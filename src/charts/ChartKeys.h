#pragma once

class frmAircon;
class frmFan1;
class frmFan2;

// The chart windows' keyboard and tooltips: Tab in reading order, Escape
// closes the window as its Exit does, and in the fan-1 chart Enter draws
// again as its "계산" does.
void setUpFan1Keys(frmFan1& window);
void setUpFan2Keys(frmFan2& window);
void setUpAirconKeys(frmAircon& window);
