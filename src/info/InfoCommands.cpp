#include "info/InfoCommands.h"

#include "info/WebPages.h"
#include "info/frmAbout.h"
#include "kit/CabinetCoolApp.h"

void showAboutBox(CabinetCoolApp& app) { app.showWindow<frmAbout>(); }

void openProductPage(CabinetCoolApp& app) {
    MainWindow* form = app.mainWindow();
    const WebPage page = form && form->selectedMode() != SelectionMode::Aircon
                             ? WebPage::FanProducts
                             : WebPage::AirconProducts;
    openWebPage(app, form ? form->widget() : nullptr, page);
}
