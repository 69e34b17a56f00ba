#pragma once

#include <QString>

struct DesignReport;

// Writes the report as a PDF of A4 portrait pages: text as text in the
// program's Korean font, embedded, the chart as vector drawing. The file
// is written beside its target under another name and takes the target's
// name only when it is whole, so a failed write leaves an earlier file as
// it was. On failure returns false and says why in `error`.
bool writeDesignReportPdf(const DesignReport& report, const QString& path, QString* error);
