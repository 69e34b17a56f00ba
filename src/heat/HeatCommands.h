#pragma once

class CabinetCoolApp;

// "종류별 발열량": the component heat window.
void showHeatValueWindow(CabinetCoolApp& app);
// "발열량List": the reference pictures.
void showHeatProducedWindow(CabinetCoolApp& app);
