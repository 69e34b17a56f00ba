#include "report/ReportText.h"

#include <cmath>
#include <string>

#include "calc/NumberText.h"

namespace {

QString withUnit(const QString& number, const QString& unit) {
    if (number.isEmpty()) return noValueText();
    return unit.isEmpty() ? number : number + QLatin1Char(' ') + unit;
}

// Beyond this, every integer digit would run off the page.
constexpr double kLargestPlain = 1e15;

}  // namespace

QString reportNumber(double value, const QString& unit) {
    if (!std::isfinite(value)) return noValueText();
    return withUnit(QString::fromStdString(NumberText(value)), unit);
}

QString reportRounded(double value, int decimals, const QString& unit) {
    if (!std::isfinite(value)) return noValueText();
    if (std::fabs(value) >= kLargestPlain) {
        const double scale = std::pow(10.0, std::floor(std::log10(std::fabs(value))) - 6);
        return reportNumber(std::round(value / scale) * scale, unit);
    }
    const std::string pattern = decimals > 0 ? "0." + std::string(decimals, '0') : "0";
    return withUnit(QString::fromStdString(FormatNumber(value, pattern)), unit);
}

QString reportInput(double value, int decimals, const QString& unit) {
    if (!std::isfinite(value)) return noValueText();
    if (std::fabs(value) >= kLargestPlain) return reportRounded(value, decimals, unit);
    const std::string pattern = decimals > 0 ? "0." + std::string(decimals, '0') : "0";
    // Through the fixed form, so that no binary tail survives the rounding.
    return reportNumber(ParseNumber(FormatNumber(value, pattern)), unit);
}

QString reportFieldValue(const QString& text, const QString& unit) {
    return withUnit(text.trimmed(), unit);
}
