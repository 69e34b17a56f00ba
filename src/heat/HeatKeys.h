#pragma once

struct EquipmentHeatTables;
class frmHeatProduced;
class frmHeatValue;

// The heat windows' keyboard and tooltips. In the component heat window
// Enter calculates and applies; Escape closes either window as its Exit or
// its close box does. Each count field tells the loss it multiplies, as
// `tables` hold it, and which number it is read as.
void setUpHeatValueKeys(frmHeatValue& window, const EquipmentHeatTables& tables);
void setUpHeatProducedKeys(frmHeatProduced& window);
