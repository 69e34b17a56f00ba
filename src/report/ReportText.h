#pragma once

#include <QList>
#include <QString>

// One line of a report table: what, and its value with its unit.
struct ReportLine {
    QString label;
    QString value;
};
using ReportLines = QList<ReportLine>;

// A number as the report writes it: as the fields write it (NumberText),
// followed by its unit when one is given; "—" for a value that is not finite.
QString reportNumber(double value, const QString& unit = QString());

// A result as its field shows it, with two decimals ("1275.00"); beyond the
// digits a line can hold, in exponent form.
QString reportResult(double value, const QString& unit = QString());

// The text a field holds when it is a number, with a unit; "—" when empty.
QString reportFieldValue(const QString& text, const QString& unit = QString());

// The dash that stands for "no value".
inline QString noValueText() { return QStringLiteral("—"); }
