#pragma once

class CabinetCoolApp;

// "About": the About box.
void showAboutBox(CabinetCoolApp& app);
// "관련 URL 인터넷 바로가기": the product page of the selected mode.
void openProductPage(CabinetCoolApp& app);
