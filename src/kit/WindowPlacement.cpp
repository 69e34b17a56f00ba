#include "kit/WindowPlacement.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "kit/ScrollableClient.h"

QRect PlaceBeside(const QRect& anchor, QSize frame, int minimumWidth, const QRect& available) {
    const int screenLeft = available.left();
    const int screenRight = available.left() + available.width();  // one past the last pixel
    const int anchorLeft = anchor.left();
    const int anchorRight = anchor.left() + anchor.width();
    const int roomRight = screenRight - anchorRight;
    const int roomLeft = anchorLeft - screenLeft;

    int width = std::min(frame.width(), available.width());
    const int height = std::min(frame.height(), available.height());
    int left = 0;
    if (roomRight >= width) {
        left = anchorRight;
    } else if (roomLeft >= width) {
        left = anchorLeft - width;
    } else if (std::max(roomRight, roomLeft) >= std::min(minimumWidth, width)) {
        const bool right = roomRight >= roomLeft;
        width = right ? roomRight : roomLeft;
        left = right ? anchorRight : screenLeft;
    } else {
        // Over the anchor, pushed to the screen edge on the side with more room.
        left = roomRight >= roomLeft ? screenRight - width : screenLeft;
    }
    left = std::clamp(left, screenLeft, screenRight - width);
    const int top =
        std::clamp(anchor.top(), available.top(), available.top() + available.height() - height);
    return {left, top, width, height};
}

void placeWindowBeside(QWidget* window, const QWidget* anchor) {
    const QScreen* screen = anchor->screen();
    if (!screen) return;
    const QRect anchorFrame = anchor->frameGeometry();
    const QRect anchorClient = anchor->geometry();
    const QMargins frame(
        anchorClient.left() - anchorFrame.left(), anchorClient.top() - anchorFrame.top(),
        anchorFrame.right() - anchorClient.right(), anchorFrame.bottom() - anchorClient.bottom());
    const QRect available = screen->availableGeometry();
    fitScrollableWindow(window, available.size().shrunkBy(frame));
    const QSize frameSize = window->size().grownBy(frame);
    const QRect placed = PlaceBeside(anchorFrame, frameSize, frameSize.width() / 2, available);
    window->resize(placed.size().shrunkBy(frame));
    window->move(placed.topLeft());
}
