#include "report/ReportText.h"

#include <cmath>

#include "calc/NumberText.h"

namespace {

QString withUnit(const QString& number, const QString& unit) {
    if (number.isEmpty()) return noValueText();
    return unit.isEmpty() ? number : number + QLatin1Char(' ') + unit;
}

}  // namespace

QString reportNumber(double value, const QString& unit) {
    if (!std::isfinite(value)) return noValueText();
    return withUnit(QString::fromStdString(NumberText(value)), unit);
}

QString reportResult(double value, const QString& unit) {
    if (!std::isfinite(value)) return noValueText();
    // Every integer digit of a huge result would run off the page.
    if (std::fabs(value) >= 1e15) return reportNumber(value, unit);
    return withUnit(QString::fromStdString(FormatNumber(value, "0.00")), unit);
}

QString reportFieldValue(const QString& text, const QString& unit) {
    return withUnit(text.trimmed(), unit);
}
