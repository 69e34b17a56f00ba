#pragma once

class frmAbout;

// The About box's tooltips. Its keys are its own: Enter and Escape are OK's.
void setUpAboutToolTips(frmAbout& window);
