#pragma once

#include <QPixmap>
#include <QString>

#include "kit/Artwork.h"

class ClickableLabel;
class QLabel;
class QWidget;

// Pieces the start-up window and the About box share.

// A picture in the given box (twips), shown at its own size from the box's
// top-left corner.
QLabel* makePicture(QWidget* parent, const QString& name, const QPixmap& picture, int left, int top,
                    int width, int height);

// A text label named `name` in the given box (twips). Its text stands at the
// top of the box, where the layouts' boxes expect it; centred in boxes this
// low, the underline of the web address would fall outside.
QLabel* makeInfoLabel(QWidget* parent, const QString& name, const QString& text, int left, int top,
                      int width, int height, double pointSize = 9, bool bold = true);

// The web-address label "Label6": bold 9-point, underlined, in link colour.
ClickableLabel* makeWebAddressLabel(QWidget* parent, int left, int top, int width, int height);
