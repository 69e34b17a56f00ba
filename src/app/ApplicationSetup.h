#pragma once

// What the program sets up on the application object before its first
// window: name, font, window icon and the Korean texts of Qt's own dialogs.
// Call once, after the QApplication exists.
void setUpApplication();
