#include "report/ProjectReport.h"

#include "calc/NumberText.h"
#include "design/CabinetDesign.h"
#include "info/InfoTexts.h"
#include "kit/AppInfo.h"
#include "kit/CabinetCoolApp.h"
#include "kit/MainWindow.h"
#include "kit/ProjectSession.h"
#include "report/ReportRise.h"

namespace {

ReportLines infoLines(const ProjectInfo& info) {
    ReportLines lines;
    auto add = [&lines](const QString& label, const QString& text) {
        if (!text.trimmed().isEmpty()) lines << ReportLine{label, text.trimmed()};
    };
    add(QStringLiteral("프로젝트"), info.name);
    add(QStringLiteral("고객"), info.customer);
    add(QStringLiteral("현장"), info.site);
    add(QStringLiteral("작성자"), info.author);
    add(QStringLiteral("회사"), info.company);
    add(QStringLiteral("개정"), info.revision);
    add(QStringLiteral("날짜"), info.date);
    add(QStringLiteral("비고"), info.note);
    return lines;
}

}  // namespace

ProjectReport projectReportOf(CabinetCoolApp& app, const Project& project, const QString& name,
                              const QDateTime& made, const std::function<bool(int)>& progress) {
    ProjectReport report;
    report.made = made;
    report.program = applicationTitle() + QLatin1Char(' ') + programVersion();
    report.name = name;
    report.info = infoLines(project.info);
    report.author = project.info.author.trimmed();
    const DesignTables tables = loadDesignTables(app);
    QList<CabinetEvaluation> evaluations;
    const qsizetype count = project.cabinets.size();
    for (int i = 0; i < count; ++i) {
        if (progress && !progress(i)) {
            report.cancelled = true;
            return report;
        }
        const Cabinet& c = project.cabinets[i];
        CabinetEvaluation e = evaluateCabinet(c, tables);
        DesignReport cabinet = designReportOf(app, project.info, c, e, made);
        ProjectReportRow row;
        row.tag = c.tag;
        row.count = QString::number(c.count);
        report.units += c.count;
        const ReportSummary& s = cabinet.summary;
        row.requirement = s.value;
        row.device = s.device;
        row.model = s.model;
        row.method = s.methodName;
        row.rise = e.rise ? e.rise->summaryVerdict : noValueText();
        row.critical = cabinet.devices ? cabinet.devices->critical : noValueText();
        report.rows << row;
        report.cabinets << std::move(cabinet);
        evaluations << std::move(e);
    }
    for (const BillLine& line : billOfDevices(project, evaluations)) {
        report.bill << ProjectBillRow{
            deviceKindText(line.kind), line.designation,
            reportRounded(line.rating, line.kind == DeviceKind::FilterFan ? 0 : 1,
                          deviceRatingUnit(line.kind)),
            line.cabinets.join(QStringLiteral(", ")), QString::number(line.units)};
    }
    return report;
}

ProjectReport collectProjectReport(CabinetCoolApp& app, const QDateTime& made,
                                   const std::function<bool(int)>& progress) {
    ProjectSession& session = app.project();
    // The project as the file would hold it: the current cabinet's edits
    // are in it, the windows add nothing else.
    Project project = session.project();
    if (!project.cabinets.isEmpty())
        project.cabinets[session.currentIndex()] = session.capturedCurrent();
    return projectReportOf(app, project, session.displayName(), made, progress);
}

QByteArray projectBillCsv(const ProjectReport& report) {
    auto cell = [](QString text) {
        // Quoted where a spreadsheet would split or misread it.
        if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
            text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))) {
            text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
            text = QLatin1Char('"') + text + QLatin1Char('"');
        }
        // A text a spreadsheet would take for a formula stays text.
        if (!text.isEmpty() && QStringLiteral("=+-@").contains(text.front()) &&
            !ParseWholeNumber(text.toStdString()))
            text.prepend(QLatin1Char('\''));
        return text;
    };
    QStringList lines;
    auto line = [&](const QStringList& cells) {
        QStringList out;
        for (const QString& c : cells) out << cell(c);
        lines << out.join(QLatin1Char(','));
    };
    line({QStringLiteral("장비 목록")});
    line({QStringLiteral("종류"), QStringLiteral("모델"), QStringLiteral("능력"),
          QStringLiteral("제어반"), QStringLiteral("대수")});
    for (const ProjectBillRow& b : report.bill)
        line({b.kind, b.model, b.rating, b.cabinets, b.units});
    lines << QString();
    line({QStringLiteral("제어반 요약")});
    line({QStringLiteral("제어반"), QStringLiteral("수량"), QStringLiteral("필요 능력"),
          QStringLiteral("장치"), QStringLiteral("추천 모델"), QStringLiteral("기준 방법"),
          QStringLiteral("온도 상승 검증")});
    for (const ProjectReportRow& r : report.rows)
        line({r.tag, r.count, r.requirement, r.device, r.model, r.method, r.rise});
    // A byte-order mark, so that spreadsheet programs read the Korean text
    // as UTF-8; CR LF as they expect.
    return QByteArray("\xEF\xBB\xBF") + lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}

QString defaultProjectReportFileName(const QDate& date, const QString& projectName) {
    QString name;
    for (const QChar ch : projectName.trimmed()) {
        const bool bad = ch.unicode() < 0x20 || QStringLiteral("\\/:*?\"<>|").contains(ch);
        name += bad ? QLatin1Char('_') : ch;
    }
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        name = QStringLiteral("프로젝트");
    return date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') + name.left(120) +
           QStringLiteral(".pdf");
}
