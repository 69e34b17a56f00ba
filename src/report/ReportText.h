#pragma once

#include <QList>
#include <QString>

// One line of a report table: what, and its value with its unit.
struct ReportLine {
    QString label;
    QString value;
};
using ReportLines = QList<ReportLine>;

// The units as the report writes them.
namespace ReportUnit {
inline const QString kMetres = QStringLiteral("m");
inline const QString kSquareMetres = QStringLiteral("m²");
inline const QString kWatt = QStringLiteral("W");
inline const QString kWattPerKelvin = QStringLiteral("W/K");
inline const QString kUValue = QStringLiteral("W/(m²·K)");
inline const QString kDegrees = QStringLiteral("°C");
inline const QString kKelvin = QStringLiteral("K");
inline const QString kAirflow = QStringLiteral("m³/h");
inline const QString kPercent = QStringLiteral("%");
}  // namespace ReportUnit

// A number as the report writes it: as the fields write it (NumberText),
// followed by its unit when one is given; "—" for a value that is not finite.
// For the numbers the user typed, which the report repeats as they are.
QString reportNumber(double value, const QString& unit = QString());

// A number rounded for people to `decimals` fixed decimals ("1275.0 W"),
// with its unit; "—" for a value that is not finite; beyond the digits a
// line can hold, in exponent form with as many significant digits.
QString reportRounded(double value, int decimals, const QString& unit = QString());

// The report's rounding of each kind of quantity.
inline QString reportPower(double w) { return reportRounded(w, 1, ReportUnit::kWatt); }
inline QString reportConductance(double wPerK) {
    return reportRounded(wPerK, 1, ReportUnit::kWattPerKelvin);
}
inline QString reportTemperature(double c) { return reportRounded(c, 1, ReportUnit::kDegrees); }
inline QString reportDifference(double k) { return reportRounded(k, 1, ReportUnit::kKelvin); }
inline QString reportArea(double m2) { return reportRounded(m2, 3, ReportUnit::kSquareMetres); }
inline QString reportAirflow(double m3h) { return reportRounded(m3h, 0, ReportUnit::kAirflow); }

// An input as the user gave it, rounded only where a computed value stands
// in an input's place: at most `decimals` decimals, no trailing zeros.
QString reportInput(double value, int decimals, const QString& unit = QString());

// The text a field holds, with a unit; "—" when empty.
QString reportFieldValue(const QString& text, const QString& unit = QString());

// The dash that stands for "no value".
inline QString noValueText() { return QStringLiteral("—"); }
