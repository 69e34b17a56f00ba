#pragma once

#include <QColor>
#include <QFrame>
#include <QLabel>
#include <QLineF>
#include <QPointF>
#include <QString>
#include <memory>
#include <vector>

class ChartCanvas;
class QPainter;

// A line element of a chart: a named segment whose colour, width and end
// points can change while the window is open. End points in twips.
class ChartLine {
public:
    ChartLine(ChartCanvas* canvas, QString name, QLineF ends, QColor color, int widthPx);

    const QString& name() const { return m_name; }
    QColor color() const { return m_color; }
    int width() const { return m_width; }  // pixels
    QLineF ends() const { return m_ends; }
    QPointF p1() const { return m_ends.p1(); }
    QPointF p2() const { return m_ends.p2(); }

    void setColor(const QColor& color);
    void setWidth(int widthPx);
    void setEnds(const QPointF& p1, const QPointF& p2);

private:
    ChartCanvas* m_canvas;
    QString m_name;
    QLineF m_ends;
    QColor m_color;
    int m_width;
};

// A segment drawn on the canvas; it stays until the window closes.
struct ChartSegment {
    QLineF ends;  // twips
    QColor color;
    int width = 1;  // pixels
};

// A letter marker on the canvas: a label whose top-left corner is kept in
// twips exactly as it was set.
class ChartMarker : public QLabel {
    Q_OBJECT
public:
    ChartMarker(ChartCanvas* canvas, const QString& name, const QString& text);
    QPointF position() const { return m_position; }

private:
    friend class ChartCanvas;
    QPointF m_position;
};

// The drawing surface of the chart windows. It holds line elements and
// drawn segments in twips and paints them through QPainter::setWindow, so
// the chart geometry never has to know about pixels. Line elements are
// painted in the order they were added, the drawn segments over them, and
// child widgets (markers, labels, fields) over both.
class ChartCanvas : public QFrame {
    Q_OBJECT
public:
    enum class Origin {
        Contents,  // twips count from the inside of the frame (a picture box)
        Widget,    // twips count from the outer corner (a panel that holds the controls)
    };
    ChartCanvas(QWidget* parent, const QString& name, Origin origin);

    ChartLine* addLine(const QString& name, QLineF ends, QColor color, int widthPx = 1);
    // The line element of that name, or nullptr.
    ChartLine* line(const QString& name) const;
    std::vector<const ChartLine*> lines() const;

    // Draws a segment that stays. Drawing a segment again over an identical
    // one (same ends, colour and width) shows the same picture, so the older
    // copy is dropped rather than kept: repeated drawings do not pile up.
    void addSegment(QLineF ends, QColor color, int widthPx = 1);
    const std::vector<ChartSegment>& segments() const { return m_segments; }

    ChartMarker* addMarker(const QString& name, const QString& text, QPointF position, QSizeF size);
    // Sets the marker's top-left corner in twips. Positions far outside the
    // canvas are kept as given; the label is placed at a bounded distance.
    void moveMarker(ChartMarker* marker, QPointF position);

    // The twips origin in widget pixels.
    QPoint originPixels() const;
    // The part of the widget the twips cover, in widget pixels.
    QRect chartArea() const;

    // Draws the line elements and the drawn segments, the chart area scaled
    // onto `target` (painter coordinates): the window paints with it, and a
    // page draws the same chart at its own size. Child widgets (markers,
    // labels) are not part of it.
    void drawChart(QPainter& painter, const QRectF& target) const;
    // What drawChart draws, as plain strokes: the line elements in their
    // order, then the drawn segments.
    std::vector<ChartSegment> strokes() const;
    // Draws `strokes` of a chart area of `area`'s size onto `target`, as
    // drawChart does: a page keeps a chart's strokes without its window.
    static void drawStrokes(QPainter& painter, const QRect& area, const QRectF& target,
                            const std::vector<ChartSegment>& strokes);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    friend class ChartLine;
    static void drawClipped(QPainter& painter, const QRectF& area, QLineF ends, const QColor& color,
                            int widthPx);

    Origin m_origin;
    std::vector<std::unique_ptr<ChartLine>> m_lines;
    std::vector<ChartSegment> m_segments;
};
