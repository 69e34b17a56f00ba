#pragma once

#include <vector>

class Form1;

// The secondary windows the benchmark opens from a click in the main window,
// in this order. A window that does not appear after its click is reported
// as not built; one whose button is missing or hidden, as not reachable.
struct SecondaryWindow {
    const char* window;       // objectName of the window the click opens
    const char* button;       // objectName of the main window's button
    void (*prepare)(Form1&);  // puts the main window in the state the click needs
    // objectName of the loaded window that holds the button; none: the main
    // window.
    const char* from = nullptr;
};

const std::vector<SecondaryWindow>& secondaryWindows();
