#include "rise/RiseProfile.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "calc/NumberText.h"
#include "design/DeviceList.h"

namespace {

const QColor kGround(255, 255, 255);
const QColor kFrame(130, 135, 144);
const QColor kGrid(215, 218, 224);
const QColor kText(40, 40, 40);
const QColor kAmbient(120, 120, 120);
const QColor kCurve(20, 90, 200);
const QColor kLimit(200, 30, 30);
const QColor kDevice(90, 60, 150);

QString degrees(double t) {
    return QString::fromStdString(FormatNumber(t, "0.0")) + QStringLiteral(" °C");
}

// A step of 1, 2 or 5 times a power of ten that cuts [low, high] into at
// most `maxSteps` parts.
double niceStep(double span, int maxSteps) {
    const double raw = span / maxSteps;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0, 10.0}) {
        if (m * power >= raw) return m * power;
    }
    return 10 * power;
}

// The width the painter gives a text, fallback fonts for Hangul included.
double textWidth(QPainter& painter, const QString& text) {
    return painter.boundingRect(QRectF(0, 0, 1e4, 1e4), Qt::AlignLeft | Qt::AlignTop, text).width();
}

}  // namespace

void drawRiseProfile(QPainter& painter, QRectF area, const RiseProfile& p) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(kFrame, 0));
    painter.setBrush(kGround);
    painter.drawRect(area);

    // Everything in proportion to the area: the same drawing on a page.
    const double unit = std::min(area.width(), area.height() * 0.75);
    QFont font = painter.font();
    font.setPixelSize(std::max(6, int(std::lround(unit / 22))));
    font.setBold(false);
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const double line = metrics.height();

    const QRectF plot = area.adjusted(textWidth(painter, QStringLiteral("상부")) + line, line * 1.6,
                                      -line * 0.8, -line * 2.4);

    // The heights, bottom up, with their names.
    struct Level {
        double fraction;
        const char* name;
    };
    constexpr std::array<Level, 4> kLevels = {
        {{0.0, "바닥"}, {0.5, "1/2"}, {0.75, "3/4"}, {1.0, "상부"}}};
    auto yAt = [&plot](double fraction) { return plot.bottom() - fraction * plot.height(); };
    painter.setPen(QPen(kText, 0));
    for (const Level& level : kLevels) {
        painter.setPen(QPen(kGrid, 0));
        painter.drawLine(QPointF(plot.left(), yAt(level.fraction)),
                         QPointF(plot.right(), yAt(level.fraction)));
        painter.setPen(QPen(kText, 0));
        painter.drawText(QRectF(area.left(), yAt(level.fraction) - line / 2,
                                plot.left() - area.left() - line * 0.4, line),
                         Qt::AlignRight | Qt::AlignVCenter, QString::fromUtf8(level.name));
    }

    if (!p.ambient || !p.mid || !p.top) {
        // The reason on the ground, clear of the grid's lines.
        const QString text =
            p.missing.isEmpty() ? QStringLiteral("계산할 수 없습니다.") : p.missing;
        const QRectF room = plot.adjusted(line * 0.5, 0, -line * 0.5, 0);
        QRectF box = painter.boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, text);
        box.moveCenter(QPointF(room.center().x(), yAt(0.625)));
        painter.fillRect(box.adjusted(-line * 0.3, -line * 0.2, line * 0.3, line * 0.2), kGround);
        painter.setPen(QPen(kText, 0));
        painter.drawText(box, Qt::AlignCenter | Qt::TextWordWrap, text);
        painter.restore();
        return;
    }

    // The temperature axis: from the ambient air to the warmest value shown.
    std::vector<double> shown{*p.ambient, *p.mid, *p.top};
    if (p.threeQuarters) shown.push_back(*p.threeQuarters);
    if (p.permissibleMid) shown.push_back(*p.permissibleMid);
    if (p.permissibleTop) shown.push_back(*p.permissibleTop);
    for (const RiseProfileMark& m : p.devices) {
        shown.push_back(m.air);
        if (m.permitted) shown.push_back(*m.permitted);
    }
    double low = *std::min_element(shown.begin(), shown.end());
    double high = *std::max_element(shown.begin(), shown.end());
    const double step = niceStep(std::max(high - low, 1.0), 5);
    low = std::floor(low / step) * step;
    // Room right of the warmest value for its mark.
    high = std::ceil((high + 0.02 * (high - low)) / step) * step;
    if (high - low < step) high = low + step;
    auto xAt = [&plot, low, high](double t) {
        return plot.left() + (t - low) / (high - low) * plot.width();
    };

    painter.setPen(QPen(kFrame, 0));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    for (int i = 0; low + i * step <= high + step / 1000; ++i) {
        const double t = low + i * step;
        const double x = xAt(t);
        painter.setPen(QPen(kFrame, 0));
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + line * 0.3));
        painter.setPen(QPen(kText, 0));
        painter.drawText(QRectF(x - line * 2, plot.bottom() + line * 0.3, line * 4, line),
                         Qt::AlignHCenter | Qt::AlignTop, QString::fromStdString(NumberText(t)));
    }
    painter.drawText(QRectF(plot.left(), plot.bottom() + line * 1.3, plot.width(), line),
                     Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("공기 온도 (°C)"));

    // The ambient air, dotted.
    painter.setPen(QPen(kAmbient, 0, Qt::DotLine));
    painter.drawLine(QPointF(xAt(*p.ambient), plot.bottom()), QPointF(xAt(*p.ambient), plot.top()));
    painter.setPen(QPen(kAmbient, 0));
    painter.drawText(QRectF(xAt(*p.ambient) + line * 0.2, plot.top() - line * 1.4, line * 6, line),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Tu ") + QString::fromStdString(NumberText(*p.ambient)));

    // What the devices allow: a red bar at the height it holds for.
    const double pen = std::max(1.0, unit / 160);
    auto limit = [&](const std::optional<double>& t, double fraction, bool labelBelow) {
        if (!t) return;
        const double x = xAt(*t);
        painter.setPen(QPen(kLimit, pen * 2, Qt::SolidLine, Qt::FlatCap));
        // Below the height's line: above it stand the values of the points.
        painter.drawLine(QPointF(x, yAt(fraction) - line * 0.15),
                         QPointF(x, yAt(fraction) + line * 1.2));
        painter.setPen(QPen(kLimit, 0));
        const QString text = QStringLiteral("허용 ") + QString::fromStdString(NumberText(*t));
        const double width = textWidth(painter, text) + line * 0.2;
        // Inside the plot: right of the bar, or left of it where it would run
        // out on the right (set against the bar whatever the text measures).
        const double top = labelBelow ? yAt(fraction) + line * 0.1 : yAt(fraction) - line * 1.1;
        const double gap = line * 0.7;
        if (x + gap + width <= plot.right()) {
            painter.drawText(QRectF(x + gap, top, width, line), Qt::AlignLeft | Qt::AlignVCenter,
                             text);
        } else {
            painter.drawText(QRectF(x - gap - width * 2, top, width * 2, line),
                             Qt::AlignRight | Qt::AlignVCenter, text);
        }
    };
    limit(p.permissibleMid, 0.5, true);
    limit(p.permissibleTop, 1.0, true);

    // The air: from the floor, where it comes in at the ambient temperature
    // (dashed: the method gives no value below half the height), through the
    // computed heights.
    const QPointF floor(xAt(*p.ambient), yAt(0));
    const QPointF mid(xAt(*p.mid), yAt(0.5));
    const QPointF quarters(xAt(p.threeQuarters.value_or((*p.mid + *p.top) / 2)), yAt(0.75));
    const QPointF top(xAt(*p.top), yAt(1.0));
    painter.setPen(QPen(kCurve, pen, Qt::DashLine));
    painter.drawLine(floor, mid);
    QPainterPath path(mid);
    path.lineTo(quarters);
    path.lineTo(top);
    painter.setPen(QPen(kCurve, pen * 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);

    // The devices of the list: a diamond at the air of their height, its
    // number beside it, and a thin line to what the device permits (red when
    // the air is warmer).
    const double size = std::max(2.0, unit / 90);
    if (!p.devices.isEmpty()) {
        painter.setPen(QPen(kDevice, 0));
        // In the plot's lower right, where the air's line never runs.
        painter.drawText(
            QRectF(plot.left(), plot.bottom() - line * 1.2, plot.width() - line * 0.3, line),
            Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("◆ 기기 (목록의 번호)"));
    }
    for (const RiseProfileMark& m : p.devices) {
        const QPointF at(xAt(m.air), yAt(std::clamp(m.height, 0.0, 1.0)));
        const bool over = m.permitted && m.air > *m.permitted;
        if (m.permitted) {
            const QPointF limitAt(xAt(*m.permitted), at.y());
            painter.setPen(QPen(over ? kLimit : kDevice, 0, Qt::DotLine));
            painter.drawLine(at, limitAt);
            painter.setPen(QPen(kLimit, pen));
            painter.drawLine(limitAt - QPointF(0, size), limitAt + QPointF(0, size));
        }
        painter.setPen(QPen(over ? kLimit : kDevice, 0));
        painter.setBrush(over ? kLimit : kDevice);
        const QPointF diamond[] = {at + QPointF(0, -size), at + QPointF(size, 0),
                                   at + QPointF(0, size), at + QPointF(-size, 0)};
        painter.drawPolygon(diamond, 4);
        painter.drawText(QRectF(at.x() - line * 3 - size, at.y() - line, line * 3, line),
                         Qt::AlignRight | Qt::AlignBottom, m.label);
    }

    struct Point {
        QPointF at;
        std::optional<double> t;
        std::optional<double> limit;
    };
    const double radius = std::max(2.0, unit / 70);
    for (const Point& point :
         {Point{mid, p.mid, p.permissibleMid}, Point{quarters, p.threeQuarters, std::nullopt},
          Point{top, p.top, p.permissibleTop}}) {
        if (!point.t) continue;
        const bool over = point.limit && *point.t > *point.limit;
        painter.setPen(QPen(over ? kLimit : kCurve, 0));
        painter.setBrush(over ? kLimit : kCurve);
        painter.drawEllipse(point.at, radius, radius);
        // The value left of its point, or right where the axis is too near.
        const QString text = degrees(*point.t);
        const double width = textWidth(painter, text) + line * 0.2;
        const double leftOf = point.at.x() - radius - line * 0.2 - width;
        const double left = leftOf >= plot.left() ? leftOf : point.at.x() + radius + line * 0.2;
        painter.setPen(QPen(over ? kLimit : kText, 0));
        painter.drawText(QRectF(left, point.at.y() - line, width, line),
                         Qt::AlignRight | Qt::AlignVCenter, text);
    }
    painter.restore();
}

QList<RiseProfileMark> riseProfileMarks(const DeviceListEvaluation& list) {
    QList<RiseProfileMark> marks;
    if (list.source != DeviceAirSource::Rise) return marks;
    for (qsizetype i = 0; i < list.lines.size(); ++i) {
        const DeviceLineEvaluation& l = list.lines[i];
        if (l.kind != DeviceLineKind::Device || !l.air) continue;
        marks << RiseProfileMark{l.height, *l.air, l.permitted, QString::number(i + 1)};
    }
    return marks;
}
