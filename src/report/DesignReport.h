#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "calc/HeatBalance.h"
#include "report/ReportChart.h"
#include "report/ReportText.h"

class CabinetCoolApp;
class QPainter;
class QRectF;

// A row of the component heat window: component, count, W per unit, W.
struct ReportHeatRow {
    QString component;
    QString count;
    QString perUnit;
    QString subtotal;
};

// The climate design window's part of the report.
struct ClimateReportPart {
    QString installation;  // the installation type's caption
    QString formula;       // its effective area, as a formula
    // Draws the installation type's pictogram into a square.
    std::function<void(QPainter&, const QRectF&)> drawPictogram;
    ReportLines inputs;
    ReportLines results;
    QStringList notes;  // warnings and remarks of the window, as text
};

// Everything a design report says, as text, in the order of the page.
struct DesignReport {
    QDateTime made;
    QString program;          // name and version
    QString calculationFile;  // the file's name; empty when the values came from none

    QString mode;  // the selection mode as the main window names it
    ReportLines inputs;
    QList<ReportHeatRow> heatRows;  // the component heat window's non-zero rows
    QString heatTotal;
    QString heatNote;

    ReportLines results;
    QStringList messages;  // what the calculation tells, in order
    bool recalculated = false;

    std::optional<ClimateReportPart> climate;
    std::shared_ptr<const ReportChart> chart;

    QStringList footnotes;
};

// Gathers the report of the program as it stands: the main window's inputs,
// the calculation run now on them, the component heat window's rows and the
// climate design window when they are open, and the chart of the mode.
// Changes nothing in the program. Needs the main window.
DesignReport collectDesignReport(CabinetCoolApp& app, const QDateTime& made);

// "2026-12-10 Aircon.pdf": the date and the mode.
QString defaultReportFileName(const QDate& date, SelectionMode mode);
