#pragma once

#include <QRect>
#include <QSize>

// Where a window opens beside another one, the anchor, so that both can be
// read at once. All rectangles are frames (title bar and borders included)
// in screen coordinates; `available` is the screen's area for windows.
//
// The window stands right of the anchor, or left of it when only there is
// room, its top level with the anchor's. Where neither side holds the whole
// window, it takes the wider side at a narrower width, down to
// `minimumWidth`, and scrolls what it cannot show. Only where even that does
// not fit does it cover the anchor, as little as the screen allows. The
// window is never taller than `available` and never leaves it.
QRect PlaceBeside(const QRect& anchor, QSize frame, int minimumWidth, const QRect& available);

class QWidget;
// Places `window` (made with makeScrollableClient) beside `anchor`, a window
// on screen, by PlaceBeside: at least half its width, scrolling what it
// cannot show, never off the screen. A window not yet shown gets a frame
// like the anchor's.
void placeWindowBeside(QWidget* window, const QWidget* anchor);
