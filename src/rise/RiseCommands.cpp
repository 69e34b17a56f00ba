#include "rise/RiseCommands.h"

#include "kit/CabinetCoolApp.h"
#include "rise/frmRise.h"

namespace {

// After the main window (and the climate window, prepared at 300 ms) is
// drawn, short against the time a user needs to reach the button.
constexpr int kPrepareDelayMs = 600;

}  // namespace

void showRiseWindow(CabinetCoolApp& app) { app.showWindow<frmRise>(); }

void keepRiseWindowReady(CabinetCoolApp& app) { app.keepWindowReady<frmRise>(kPrepareDelayMs); }
