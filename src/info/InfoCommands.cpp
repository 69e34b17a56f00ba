#include "info/InfoCommands.h"

#include "app/CabinetCoolApp.h"
#include "app/Form1.h"
#include "info/WebPages.h"
#include "info/frmAbout.h"

void showAboutBox(CabinetCoolApp& app) { app.showWindow<frmAbout>(); }

void openProductPage(CabinetCoolApp& app) {
    Form1* form = app.mainWindow();
    const WebPage page = form && form->selectedMode() != SelectionMode::Aircon
                             ? WebPage::FanProducts
                             : WebPage::AirconProducts;
    openWebPage(app, form, page);
}
