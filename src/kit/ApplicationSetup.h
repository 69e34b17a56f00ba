#pragma once

// What the program sets up on the application object before its first
// window: name and font; shortly after, while the first window is up, the
// window icon and the Korean texts of Qt's own dialogs.
// Call once, after the QApplication exists.
void setUpApplication();
