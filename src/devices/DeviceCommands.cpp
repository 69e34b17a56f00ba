#include "devices/DeviceCommands.h"

#include "devices/frmDevices.h"
#include "kit/CabinetCoolApp.h"

namespace {

// After the climate (300 ms) and rise (600 ms) windows are prepared.
constexpr int kPrepareDelayMs = 900;

}  // namespace

void showDevicesWindow(CabinetCoolApp& app) { app.showWindow<frmDevices>(); }

void keepDevicesWindowReady(CabinetCoolApp& app) {
    app.keepWindowReady<frmDevices>(kPrepareDelayMs);
}
