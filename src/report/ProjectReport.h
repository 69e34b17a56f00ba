#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>

#include "report/DesignReport.h"

class CabinetCoolApp;

// One line of the project report's summary: a cabinet and its answer.
struct ProjectReportRow {
    QString tag;
    QString count;
    QString requirement;  // the governing requirement with its unit, or why none
    QString device;       // the kind of device that governs
    QString model;
    QString method;    // the method that governs
    QString rise;      // the temperature-rise verdict, "—" for none
    QString critical;  // the device list's critical device and verdict, "—" for none
};

// A line of the bill of devices: one model across the project.
struct ProjectBillRow {
    QString kind;
    QString model;
    QString rating;    // with its unit
    QString cabinets;  // the tags it serves
    QString units;     // over the project
};

// A whole project's report: its data and one line per cabinet on a cover,
// then each cabinet's design report.
struct ProjectReport {
    QDateTime made;
    QString program;
    QString name;  // the project's name as the program shows it
    ReportLines info;
    QString author;
    long long units = 0;  // the cabinets' counts together
    QList<ProjectReportRow> rows;
    QList<ProjectBillRow> bill;
    QList<DesignReport> cabinets;
    bool cancelled = false;  // the user stopped it: nothing to write
};

struct Project;

// The report of every cabinet of `project` from what it keeps: a function of
// the project file (and the equipment tables). `progress`, when given, is
// asked before each cabinet with its index and stops the work when it
// answers false (the report is then `cancelled`).
ProjectReport projectReportOf(CabinetCoolApp& app, const Project& project, const QString& name,
                              const QDateTime& made, const std::function<bool(int)>& progress = {});

// The same for the program's current project, changing nothing in it.
ProjectReport collectProjectReport(CabinetCoolApp& app, const QDateTime& made,
                                   const std::function<bool(int)>& progress = {});

// The bill of devices and the summary as CSV: UTF-8 with a byte-order mark.
QByteArray projectBillCsv(const ProjectReport& report);

// "2026-12-10 남부 변전소.pdf": the date and the project's name, without
// characters a file name cannot hold.
QString defaultProjectReportFileName(const QDate& date, const QString& projectName);
