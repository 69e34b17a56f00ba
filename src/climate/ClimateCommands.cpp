#include "climate/ClimateCommands.h"

#include "climate/frmClimate.h"
#include "kit/CabinetCoolApp.h"

namespace {

// Long enough for the main window to be drawn first, short against the time
// a user needs to reach the button.
constexpr int kPrepareDelayMs = 300;

}  // namespace

void showClimateWindow(CabinetCoolApp& app) { app.showWindow<frmClimate>(); }

void keepClimateWindowReady(CabinetCoolApp& app) {
    app.keepWindowReady<frmClimate>(kPrepareDelayMs);
}
