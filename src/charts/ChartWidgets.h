#pragma once

#include <QColor>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <Qt>

#include "calc/ChartGeometry.h"

class QLabel;
class QLineEdit;
class QWidget;

// Pieces the three chart windows share.

inline QColor toQColor(RgbColor c) { return QColor(c.r, c.g, c.b); }

// Fixed-size window with a title and a close box, no minimise or maximise.
inline constexpr Qt::WindowFlags kChartWindowFlags =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
    Qt::MSWindowsFixedSizeDialogHint;

// A caption in its twips box, text at the top left as the layouts expect.
// The box grows to the text where the twips box would cut a glyph off.
QLabel* chartLabel(QWidget* parent, const QString& text, int left, int top, int width, int height,
                   bool bold = true, double pointSize = 9);
// A caption written one character per line in a narrow box.
QLabel* verticalLabel(QWidget* parent, const QString& text, int left, int top, int width,
                      int height, bool bold = true, double pointSize = 9);
// An axis or line label at (left, top), just large enough for its text.
QLabel* axisLabel(QWidget* parent, const QString& text, int left, int top, double pointSize = 9);
// A read-only white field.
QLineEdit* chartField(QWidget* parent, const QString& name, int left, int top, int width,
                      int height, bool bold);
class ChartCanvas;
class ChartMarker;
// A marker's letter colour; its box grows to the letter in the marker's font.
void setMarkerColor(ChartMarker* marker, const QColor& color);

// The name of the canvas line element with this number: "Line23".
QString chartLineName(int number);

// The two red letters A and B of a chart, named `nameA` and `nameB`, waiting
// at their start positions (twips) until the drawing moves them.
struct ChartMarkerPair {
    ChartMarker* a;
    ChartMarker* b;
};
ChartMarkerPair addMarkerPair(ChartCanvas* canvas, const QString& nameA, QPointF positionA,
                              const QString& nameB, QPointF positionB, QSizeF size);
