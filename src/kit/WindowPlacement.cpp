#include "kit/WindowPlacement.h"

#include <algorithm>

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
