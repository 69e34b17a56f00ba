#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <cmath>

// Window layouts are given in twips; 15 twips make one pixel at 96 DPI and
// Qt's high-DPI scaling takes care of other screens.
inline constexpr int kTwipsPerPixel = 15;

inline int twips(double t) { return static_cast<int>(std::lround(t / kTwipsPerPixel)); }
inline QPoint twipsPoint(double x, double y) { return {twips(x), twips(y)}; }
inline QSize twipsSize(double w, double h) { return {twips(w), twips(h)}; }
inline QRect twipsRect(double left, double top, double width, double height) {
    return {twips(left), twips(top), twips(width), twips(height)};
}
