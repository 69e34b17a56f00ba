#pragma once

#include <QSize>

class QScrollArea;
class QWidget;

// Gives `window` a client area of the fixed design size `clientSize` (in
// pixels) inside a scroll area. On a screen that holds the whole design the
// window is exactly the design size and shows no scroll bars; on a lower or
// narrower screen the window is made to fit the screen and the client scrolls.
// The window can be made smaller by the user, never larger than the design.
// Returns the client, on which the controls are placed.
QWidget* makeScrollableClient(QWidget* window, QSize clientSize);

// The scroll area that makeScrollableClient put into `window`, or nullptr.
QScrollArea* clientScrollArea(const QWidget* window);
