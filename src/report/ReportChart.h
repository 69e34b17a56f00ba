#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRect>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "charts/ChartCanvas.h"
#include "report/ReportText.h"

class CabinetCoolApp;
class MainWindow;
class QPainter;
class QRectF;
class QWidget;
struct MainEvaluation;
using MainCalculation = MainEvaluation;

// The chart window of a mode built for a page: created hidden and never
// registered as a loaded window, from the values of the report's
// calculation, and drawn again onto the page's painter by the same code
// that draws it on screen (the canvas's line drawing, the labels' and
// fields' own painting). Buttons and scroll bars are left out.
class ReportChart {
public:
    // The chart of the calculation's mode, as the main window opens it after
    // that calculation. The program's loaded windows and shared chart values
    // are left as they were.
    static std::unique_ptr<ReportChart> build(CabinetCoolApp& app, MainWindow& form,
                                              const MainCalculation& calculation);
    ~ReportChart();

    // The chart window's title.
    const QString& title() const { return m_title; }
    // What the chart shows, read from its fields.
    const ReportLines& readings() const { return m_readings; }
    // What the page says besides: why there is no drawing or no reading.
    const QStringList& notes() const { return m_notes; }

    bool hasDrawing() const { return !m_items.empty(); }
    // The drawing's size at its natural scale, in 1/96 inch.
    QSizeF size() const;
    // Draws the chart scaled to fit `target`, centred across it, never
    // larger than its natural size.
    void draw(QPainter& painter, const QRectF& target) const;
    // The part of `target` that draw() covers.
    QRectF drawnRect(const QRectF& target) const;

    // One thing the page draws, taken from the window as it was built: the
    // chart's strokes, a label or a field, at its place in the panel.
    struct Item {
        enum Kind { Strokes, Label, Field } kind = Strokes;
        QPointF at;
        QRect area;  // Strokes: the chart area within the canvas
        std::vector<ChartSegment> strokes;
        bool outline = false;
        QFont font;
        QColor color;
        QRectF box;  // Label: its text's box; Field: its size
        int flags = 0;
        QString text;
    };

private:
    ReportChart() = default;

    // Only while it is built: the page keeps its items, not the window.
    std::unique_ptr<QWidget> m_window;
    QWidget* m_panel = nullptr;  // the part of the window drawn on the page
    QSizeF m_size;
    std::vector<Item> m_items;
    QString m_title;
    ReportLines m_readings;
    QStringList m_notes;
};
