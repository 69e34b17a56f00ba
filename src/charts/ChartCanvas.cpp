#include "charts/ChartCanvas.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <optional>

#include "calc/SegmentClip.h"
#include "kit/Twips.h"

namespace {

// The part of `l` inside `r`, if any. Chart coordinates may lie a billion
// twips away; the painter only ever sees the visible part, cut in double
// precision along the line.
std::optional<QLineF> clipTo(const QLineF& l, const QRectF& r) {
    const std::optional<LineSegment> visible =
        ClipSegment({l.x1(), l.y1(), l.x2(), l.y2()}, {r.left(), r.top(), r.right(), r.bottom()});
    if (!visible) return std::nullopt;
    return QLineF(visible->x1, visible->y1, visible->x2, visible->y2);
}

// Widgets far away are placed at most this many pixels from the canvas.
constexpr double kMaxMarkerPixels = 1'000'000;

int boundedPixels(double twipsValue) {
    if (std::isnan(twipsValue)) return static_cast<int>(kMaxMarkerPixels);
    const double px = std::clamp(twipsValue / kTwipsPerPixel, -kMaxMarkerPixels, kMaxMarkerPixels);
    return static_cast<int>(std::lround(px));
}

}  // namespace

ChartLine::ChartLine(ChartCanvas* canvas, QString name, QLineF ends, QColor color, int widthPx)
    : m_canvas(canvas), m_name(std::move(name)), m_ends(ends), m_color(color), m_width(widthPx) {}

void ChartLine::setColor(const QColor& color) {
    m_color = color;
    m_canvas->update();
}

void ChartLine::setWidth(int widthPx) {
    m_width = widthPx;
    m_canvas->update();
}

void ChartLine::setEnds(const QPointF& p1, const QPointF& p2) {
    m_ends = QLineF(p1, p2);
    m_canvas->update();
}

ChartMarker::ChartMarker(ChartCanvas* canvas, const QString& name, const QString& text)
    : QLabel(text, canvas) {
    setObjectName(name);
    setTextFormat(Qt::PlainText);
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
}

ChartCanvas::ChartCanvas(QWidget* parent, const QString& name, Origin origin)
    : QFrame(parent), m_origin(origin) {
    setObjectName(name);
}

ChartLine* ChartCanvas::addLine(const QString& name, QLineF ends, QColor color, int widthPx) {
    m_lines.push_back(std::make_unique<ChartLine>(this, name, ends, color, widthPx));
    update();
    return m_lines.back().get();
}

ChartLine* ChartCanvas::line(const QString& name) const {
    if (name.isEmpty()) return nullptr;
    for (const auto& l : m_lines) {
        if (l->name() == name) return l.get();
    }
    return nullptr;
}

std::vector<const ChartLine*> ChartCanvas::lines() const {
    std::vector<const ChartLine*> list;
    list.reserve(m_lines.size());
    for (const auto& l : m_lines) list.push_back(l.get());
    return list;
}

void ChartCanvas::addSegment(QLineF ends, QColor color, int widthPx) {
    const auto same =
        std::find_if(m_segments.begin(), m_segments.end(), [&](const ChartSegment& s) {
            return s.ends == ends && s.color == color && s.width == widthPx;
        });
    if (same != m_segments.end()) m_segments.erase(same);
    m_segments.push_back({ends, color, widthPx});
    update();
}

ChartMarker* ChartCanvas::addMarker(const QString& name, const QString& text, QPointF position,
                                    QSizeF size) {
    auto* marker = new ChartMarker(this, name, text);
    const QSize box = twipsSize(size.width(), size.height());
    // A letter must not be cut off by a box drawn to the twip.
    marker->resize(box.expandedTo(marker->sizeHint()));
    moveMarker(marker, position);
    return marker;
}

void ChartCanvas::moveMarker(ChartMarker* marker, QPointF position) {
    marker->m_position = position;
    const QPoint origin = originPixels();
    marker->move(origin.x() + boundedPixels(position.x()),
                 origin.y() + boundedPixels(position.y()));
}

QPoint ChartCanvas::originPixels() const {
    return m_origin == Origin::Contents ? contentsRect().topLeft() : QPoint(0, 0);
}

void ChartCanvas::drawClipped(QPainter& painter, const QRectF& area, QLineF ends,
                              const QColor& color, int widthPx) {
    const std::optional<QLineF> visible = clipTo(ends, area);
    if (!visible) return;
    // Widths are logical pixels: a cosmetic pen counts device pixels, so it
    // grows with the density of the screen or image painted on.
    QPen pen(color);
    pen.setWidthF(widthPx * painter.device()->devicePixelRatioF());
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLine(*visible);
}

void ChartCanvas::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    drawChart(painter, chartArea());
}

QRect ChartCanvas::chartArea() const {
    return m_origin == Origin::Contents ? contentsRect() : rect();
}

void ChartCanvas::drawChart(QPainter& painter, const QRectF& target) const {
    drawStrokes(painter, chartArea(), target, strokes());
}

std::vector<ChartSegment> ChartCanvas::strokes() const {
    std::vector<ChartSegment> all;
    all.reserve(m_lines.size() + m_segments.size());
    for (const auto& l : m_lines) all.push_back({l->ends(), l->color(), l->width()});
    all.insert(all.end(), m_segments.begin(), m_segments.end());
    return all;
}

void ChartCanvas::drawStrokes(QPainter& painter, const QRect& area, const QRectF& target,
                              const std::vector<ChartSegment>& strokes) {
    if (area.isEmpty() || target.isEmpty()) return;
    const double widthTwips = area.width() * kTwipsPerPixel;
    const double heightTwips = area.height() * kTwipsPerPixel;
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    // Twips onto the target through the painter's own transform, so that the
    // same drawing serves the window and a page at any scale.
    painter.translate(target.topLeft());
    painter.scale(target.width() / widthTwips, target.height() / heightTwips);
    // A little beyond the visible twips, so that a line on the edge is whole.
    const QRectF twipsArea(-60.0, -60.0, widthTwips + 120.0, heightTwips + 120.0);
    for (const ChartSegment& s : strokes) drawClipped(painter, twipsArea, s.ends, s.color, s.width);
    painter.restore();
}
