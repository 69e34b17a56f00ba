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

// Sizes a window made with makeScrollableClient for `room`, the room its
// client area may take on the screen (the screen's area for windows less
// the window's title bar and borders): the design size where it fits,
// otherwise as much of it as fits, scrolling. Until it is called, the
// window is sized with an estimate of the title bar and borders and sized
// again when it is first shown and they are known.
void fitScrollableWindow(QWidget* window, QSize room);

// The scroll area that makeScrollableClient put into `window`, or nullptr.
QScrollArea* clientScrollArea(const QWidget* window);

// The client of a window made with makeScrollableClient, which holds the
// whole of its controls at the design size whatever part of it the window
// shows; `window` itself for any other window.
QWidget* scrollableClientOf(QWidget* window);
