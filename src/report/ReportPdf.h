#pragma once

#include <QByteArray>
#include <QRectF>
#include <QString>
#include <functional>
#include <optional>

struct DesignReport;
struct ProjectReport;

// The report as a PDF of A4 portrait pages: text as text in the program's
// Korean font, embedded, the chart as vector drawing; the document's title,
// author, subject and keywords filled. Empty when no PDF could be made.
QByteArray designReportPdf(const DesignReport& report);

// Writes designReportPdf(report) to `path`. The file is written beside its
// target under another name and takes the target's name only when it is
// whole, so a failed write leaves an earlier file as it was. On failure
// returns false and says why in `error`.
bool writeDesignReportPdf(const DesignReport& report, const QString& path, QString* error);

// Where the chart's drawing stands: its page (from 1) and its rectangle in
// 1/96 inch from the page's top-left corner. None without a drawing.
struct ReportChartPlace {
    int page = 0;
    QRectF rect;
};
std::optional<ReportChartPlace> designReportChartPlace(const DesignReport& report);

// The project's report as one PDF: a cover with the project's data, a line
// per cabinet and the sign-off, then each cabinet's design report from a page
// of its own, the pages numbered "n / N" through the whole document.
// `step`, when given, is asked between two cabinets (twice for each: the
// pages are counted, then drawn) and stops the work when it answers false:
// the result is then empty. A large project is drawn in `parts` side by
// side (0: one per processor from 16 cabinets on, else one), so `step` may
// be asked from several threads at once.
QByteArray projectReportPdf(const ProjectReport& report, const std::function<bool()>& step = {},
                            int parts = 0);
// Writes projectReportPdf(report) to `path` as writeDesignReportPdf does.
// Writes a PDF made before, as every file of the program is saved; empty
// bytes are an error.
bool writePdfBytes(const QByteArray& pdf, const QString& path, QString* error);
bool writeProjectReportPdf(const ProjectReport& report, const QString& path, QString* error,
                           const std::function<bool()>& step = {});
