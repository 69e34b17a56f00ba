#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

class QPainter;
class QRectF;

// How a cabinet stands, and so which of its faces give off heat: type 0
// counts every face alike (the main window's area), types 1 to 7 are the
// positions of a single cabinet, one at the end and one in the middle of a
// row, free-standing or against a wall.
struct CoveredFaces {
    bool back = false;
    bool left = false;
    bool right = false;
    bool roof = false;
};
CoveredFaces coveredFaces(int installation);

// The caption of a type in the window's list, "1. 단독, 사방 개방" ...
QString installationCaption(int installation);
// Its area formula as the window shows it.
QString installationFormula(int installation);

// A small drawing of the cabinet in oblique view with its covered faces
// shaded (a wall behind, neighbours beside it, a cover over the roof),
// scaled into `target`.
void drawInstallationPictogram(QPainter& painter, const QRectF& target, int installation);
// The same at `logicalSize`, drawn at `devicePixelRatio`, transparent around.
QPixmap installationPictogram(int installation, QSize logicalSize, qreal devicePixelRatio);
// An icon that draws the pictogram afresh for every size it is asked for.
QIcon installationIcon(int installation);
