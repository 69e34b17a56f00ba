#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The engineer's own devices, with their data-sheet values, as plain values,
// and the per-user library file. Each project keeps a copy of the devices
// its cabinets use, so the same values are read here for both files.

// A data-sheet point of an air-conditioner: the cooling capacity at inside
// temperature Ti and ambient temperature Tu (EN 14511 names them "L35/L50":
// Ti 35 °C, Tu 50 °C).
struct LibraryPoint {
    double ti = 0;        // °C
    double tu = 0;        // °C
    double capacity = 0;  // W
    bool operator==(const LibraryPoint&) const = default;
};

// The kinds a library holds, by their kept names (the same as a cabinet's
// kind of device).
inline const QStringList kLibraryKinds = {QStringLiteral("aircon"),
                                          QStringLiteral("heat-exchanger"),
                                          QStringLiteral("filter-fan"), QStringLiteral("heater")};

struct LibraryDevice {
    QString kind = QStringLiteral("aircon");
    QString designation;  // free text, unique in a library
    QString maker;        // free text
    // Air-conditioner: capacity points, and the highest ambient temperature
    // it may run in.
    QList<LibraryPoint> points;
    std::optional<double> tuMax;  // °C
    // Heat exchanger: specific thermal output, W/K.
    std::optional<double> specific;
    // Filter fan: airflow free-blowing and with its outlet filter, m³/h.
    std::optional<double> flowFree;
    std::optional<double> flowFilter;
    // Heater: power, W.
    std::optional<double> power;
    bool operator==(const LibraryDevice&) const = default;
};

// What a cabinet keeps of its library device: the designation and the
// number of units; no designation for the program's choice.
struct LibraryPick {
    QString designation;
    int units = 1;  // 1 to kMaxLibraryUnits
    bool picked() const { return !designation.isEmpty(); }
    bool operator==(const LibraryPick&) const = default;
};
inline constexpr int kMaxLibraryUnits = 4;

// A value the device cannot have, in Korean ("점 2: 용량이 0 W 이하입니다."),
// empty when there is none: a capacity, W/K, airflow or power at or below
// zero, two points at the same temperatures with different capacities, a
// blank designation, an unknown kind.
QString libraryDeviceFault(const LibraryDevice& device);
// What the device lacks to be offered, in Korean, empty when nothing: an
// air-conditioner needs its L35/L35 and L35/L50 points and its highest
// ambient temperature, a heat exchanger its W/K, a filter fan both
// airflows, a heater its power.
QString libraryDeviceGap(const LibraryDevice& device);

// The device as an object of the library file and the project file.
QJsonObject libraryDeviceJson(const LibraryDevice& device);
// The device of such an object; `fault` receives what is wrong (with the
// member's name), then the result is not to be used.
LibraryDevice readLibraryDevice(const QJsonObject& object, QString* fault);

// The index of the device of that designation, -1 when none.
qsizetype findLibraryDevice(const QList<LibraryDevice>& devices, const QString& designation);

// ---- the library file ------------------------------------------------------

inline constexpr int kLibraryFormatVersion = 1;
inline const QString kLibraryFormatName = QStringLiteral("cabinetcool-library");
inline constexpr qint64 kMaxLibraryFileBytes = 16 * 1024 * 1024;
inline constexpr int kMaxLibraryDevices = 10000;

struct LibraryReading {
    std::optional<QList<LibraryDevice>> devices;  // empty when the file cannot be used
    QString error;                                // what is wrong, in Korean
    int version = 0;
    bool readOnly = false;  // a later version wrote it: shown, not saved over
};

// Reads a library file's bytes: every fault is named with its place
// ("devices[3].points[1]: ..."), devices of the same designation too.
LibraryReading ReadLibrary(const QByteArray& bytes);
// The file: UTF-8 JSON, indented.
QByteArray LibraryBytes(const QList<LibraryDevice>& devices);
