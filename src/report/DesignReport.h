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
#include "rise/RiseProfile.h"

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
    ReportLines results;      // empty when its inputs cannot be calculated with
    QStringList inputErrors;  // what of its inputs cannot be calculated with
    QStringList findings;     // what its results mean, in plain words
};

// Who the report is for and what it is about: the project's data and the
// cabinet's, only those given; and who signs it.
struct ReportHeader {
    ReportLines project;  // name, customer, site, author, company, revision, date
    ReportLines cabinet;  // tag, description, count
    QString author;       // the project's author, for the sign-off
};

// The temperature-rise window's part of the report (IEC/TR 60890).
struct RiseReportPart {
    ReportLines inputs;
    ReportLines factors;
    ReportLines rises;
    ReportLines temperatures;
    QString verdict;         // "적합", "부적합" or "—"
    QString summaryVerdict;  // the same for a summary, marked beyond the method
    QStringList margins;     // at half height and at the top
    QStringList notes;       // where the method was stretched or does not apply
    QString scope;           // what the verification is of, when not the whole cabinet
    RiseProfile profile;     // for drawRiseProfile
    QStringList methods;     // the method and its constants
};

// The device list's part of the report: the losses line by line, their
// sum, and each device's margin to the air at its height.
struct DevicesReportPart {
    QStringList lossHeader;
    QList<QStringList> lossRows;
    QList<double> lossShares;
    QStringList marginHeader;
    QList<QStringList> marginRows;  // the devices with a permitted temperature
    QList<double> marginShares;
    ReportLines sums;
    QStringList leftOut;  // the lines with input errors, each with why
    QString verdict;      // "적합 — 임계 기기: ...", or why there is none
    QString source;       // where the air temperatures come from
    QString critical;     // the critical device's name for a summary; "—" for none
    QStringList methods;  // the methods and constants used
};

// Which answer the report gives, and by which method: the first thing on
// its first page.
struct ReportSummary {
    QString method;       // the method that governs
    QString methodName;   // its short name, for a table
    QString why;          // why that one
    QString requirement;  // what is required, its name
    QString value;        // how much, rounded, with its unit; or why none is
    QString model;        // the model recommended; "—" for none
    QString modelRating;  // its capacity; "—" for none
    QString device;       // the kind of device that answers
    // "선정 장비: ..., 운전점 Ti/Tu에서 ... W, 여유 ...": the cabinet's library
    // device at its operating point; empty for the built-in lists' model.
    QString libraryDevice;
    QStringList remarks;    // what else the answer needs said
    bool answered = false;  // a requirement and a model stand
};

// Everything a design report says, as text, in the order of the page.
struct DesignReport {
    QDateTime made;
    QString program;          // name and version
    QString calculationFile;  // the file's name; empty when the values came from none
    ReportHeader header;

    ReportSummary summary;
    QStringList inputErrors;  // the main window's inputs that cannot be calculated with

    QString mode;  // the selection mode as the main window names it
    ReportLines inputs;
    QList<ReportHeatRow> heatRows;  // the component heat window's non-zero rows
    QString heatTotal;
    QString heatNote;

    ReportLines results;   // the main window's method; empty with input errors
    QStringList messages;  // what that calculation finds, in order
    bool recalculated = false;

    std::optional<ClimateReportPart> climate;
    std::optional<RiseReportPart> rise;
    std::optional<DevicesReportPart> devices;
    std::shared_ptr<const ReportChart> chart;  // none with input errors

    QStringList methods;  // the methods and constants used
    QStringList footnotes;
};

struct CabinetEvaluation;
struct ProjectInfo;
struct Cabinet;

// The report of a cabinet from what the project keeps of it and its
// evaluation alone: no window's state takes part. `app` builds the chart.
DesignReport designReportOf(CabinetCoolApp& app, const ProjectInfo& info, const Cabinet& cabinet,
                            const CabinetEvaluation& evaluation, const QDateTime& made);

// The report of the current cabinet as the windows have it now (every edit
// is kept in the cabinet at once), with the main window's calculation file.
// Changes nothing in the program. Needs the main window.
DesignReport collectDesignReport(CabinetCoolApp& app, const QDateTime& made);

// "2026-12-10 Aircon.pdf": the date and the mode.
QString defaultReportFileName(const QDate& date, SelectionMode mode);
