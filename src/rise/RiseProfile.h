#pragma once

#include <QList>
#include <QRectF>
#include <QString>
#include <optional>

class QPainter;

// A device of the cabinet's list at its mounting height: the air there
// and what it permits.
struct RiseProfileMark {
    double height = 1;  // fraction of the cabinet's height
    double air = 0;     // °C
    std::optional<double> permitted;
    QString label;  // its line number
};

// What the drawing of the air temperature over the enclosure's height shows:
// the ambient air at the floor, the air at half, three quarters and the full
// height, and what the devices at half height and at the top allow.
struct RiseProfile {
    std::optional<double> ambient;         // Tu, °C
    std::optional<double> mid;             // at 0.5 of the height, °C
    std::optional<double> threeQuarters;   // at 0.75, °C
    std::optional<double> top;             // at 1.0, °C
    std::optional<double> permissibleMid;  // °C
    std::optional<double> permissibleTop;  // °C
    // Shown in place of the curve when there is none.
    QString missing;
    // The devices of the list, where the profile gives their air.
    QList<RiseProfileMark> devices;
};

struct DeviceListEvaluation;
// The marks of the devices of a list evaluated against the rise profile;
// none when the air does not come from it.
QList<RiseProfileMark> riseProfileMarks(const DeviceListEvaluation& list);

// Draws the profile into `area` on any paint device: the window's canvas,
// or a page of the report. Fixed colours on a white ground, sizes in
// proportion to `area`, so that it reads the same on screen and on paper.
void drawRiseProfile(QPainter& painter, QRectF area, const RiseProfile& profile);
