#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "design/CabinetDesign.h"
#include "project/DeviceLibrary.h"

// The engineer's own devices at a cabinet's operating point: what each
// delivers there, which of them meet the governing requirement, and the
// pick the cabinet keeps, as the governing answer's device.

// The kind of a library device ("aircon", ...) as the design names it.
DeviceKind libraryDeviceKind(const LibraryDevice& device);

// The operating point of the governing method: the main calculation's T2
// (inside) and T1 (highest ambient), or the climate design's Ti and Tu.
// None when the method has no such numbers (an input error).
std::optional<OperatingPoint> operatingPoint(const CabinetEvaluation& evaluation);

// Why a device is not offered, with the numbers the text names.
struct NotOfferedReason {
    enum Kind {
        None,
        Gap,         // the device lacks data (libraryDeviceGap)
        NoPoint,     // no operating point to interpolate at
        AboveTuMax,  // ambient above the highest the device may run in
        TiOutside,   // inside temperature outside the points' range
        TuOutside,   // ambient outside the points' range (at the nearest Ti)
        FourShort,   // four units fall short
    };
    Kind kind = None;
    double value = 0;  // the operating point's temperature, or the need
    double low = 0;    // the range, or one unit's capacity
    double high = 0;
};

// One unit's capacity at the operating point: W for an air-conditioner
// (from its data-sheet points), W/K for a heat exchanger, the outlet-filter
// airflow in m³/h for a filter fan, W for a heater.
//
// An air-conditioner's capacity is interpolated linearly in each
// temperature between the nearest data points (bilinear interpolation on
// the Ti lines of the data sheet, as its diagram is read): first along Tu on
// the nearest Ti line below and above Ti, then between the two lines along
// Ti. No extrapolation: outside the points, or above the highest ambient
// temperature, there is no capacity and `why` says so.
struct DeviceCapacity {
    std::optional<double> value;
    NotOfferedReason why;
};
DeviceCapacity libraryCapacity(const LibraryDevice& device,
                               const std::optional<OperatingPoint>& at);
// The nominal rating: an air-conditioner's at L35/L35 (EN 14511), else as
// libraryCapacity.
std::optional<double> libraryRating(const LibraryDevice& device);

// The reason in plain Korean.
QString notOfferedText(const NotOfferedReason& reason, const LibraryDevice& device);

struct OfferLine {
    qsizetype index = 0;  // into the library
    double capacity = 0;  // one unit's, at the operating point
    int units = 1;        // 1 to kMaxLibraryUnits
    double margin = 0;    // units × capacity − requirement
};
struct NotOffered {
    qsizetype index = 0;
    NotOfferedReason why;
};

struct LibraryOffer {
    // The requirement the devices are to meet; none when the cabinet needs
    // no device or its requirement cannot be computed (`why`).
    std::optional<double> need;
    QString why;
    DeviceKind kind = DeviceKind::None;
    QString unit;
    std::optional<OperatingPoint> at;
    // Devices of the kind that meet it, the smallest first: one unit before
    // two, and so on; by capacity within the same number of units.
    QList<OfferLine> lines;
    QList<NotOffered> notOffered;  // devices of the kind that do not
};
LibraryOffer offerLibraryDevices(const CabinetEvaluation& evaluation,
                                 const QList<LibraryDevice>& library);

// The cabinet's pick as the governing answer's device, at the operating
// point; a pick that does not apply leaves the built-in lists' model and
// says why among the answer's remarks. Called by evaluateCabinet.
void applyLibraryPick(const Cabinet& cabinet, const DesignTables& tables,
                      CabinetEvaluation& evaluation);

// The library an evaluation draws on: the project's copies first, then the
// user's devices of other designations.
QList<LibraryDevice> designLibrary(const Project& project, const QList<LibraryDevice>& user);

// "Ti 35 °C / Tu 45 °C"
QString operatingPointText(const OperatingPoint& at);
// The margin as "120 W (11 %)" or, short, "−80 W (−7 %)".
QString marginText(double margin, double need, const QString& unit);

// The answer's library device in one line, as the window and the report
// show it: "선정 장비: X (maker) × 2, 운전점 Ti 35 °C / Tu 45 °C에서 1200 W,
// 여유 150 W (7 %)"; empty without one.
QString libraryChoiceLine(const GoverningAnswer& answer);
// One offered device for a list: "X (maker) × 2 — 한 대 600 W, 여유 150 W (7 %)".
QString offerLineText(const OfferLine& line, const LibraryDevice& device,
                      const LibraryOffer& offer);
