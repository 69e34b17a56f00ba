#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include "report/DesignReport.h"

class CabinetCoolApp;

// One line of the project report's summary: a cabinet and its answer.
struct ProjectReportRow {
    QString tag;
    QString count;
    QString requirement;  // the governing requirement with its unit, or why none
    QString model;
    QString method;  // the method that governs
    QString rise;    // the temperature-rise verdict, "—" for none
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
    QList<DesignReport> cabinets;
};

// Gathers the report of every cabinet of the current project, each made
// current in turn; the cabinet current before is current again afterwards,
// the main window's fields and its calculation file as they were.
ProjectReport collectProjectReport(CabinetCoolApp& app, const QDateTime& made);

// "2026-12-10 남부 변전소.pdf": the date and the project's name, without
// characters a file name cannot hold.
QString defaultProjectReportFileName(const QDate& date, const QString& projectName);
