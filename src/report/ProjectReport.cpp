#include "report/ProjectReport.h"

#include "info/InfoTexts.h"
#include "kit/AppInfo.h"
#include "kit/CabinetCoolApp.h"
#include "kit/MainWindow.h"
#include "kit/ProjectSession.h"
#include "report/ReportRise.h"
#include "rise/frmRise.h"

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

ProjectReport collectProjectReport(CabinetCoolApp& app, const QDateTime& made) {
    ProjectReport report;
    report.made = made;
    report.program = applicationTitle() + QLatin1Char(' ') + programVersion();
    ProjectSession& session = app.project();
    report.name = session.displayName();
    report.info = infoLines(session.project().info);
    report.author = session.project().info.author.trimmed();
    MainWindow* form = app.mainWindow();
    if (!form) return report;

    const int original = session.currentIndex();
    const QString calculationFile = form->calculationFile();
    // The temperature-rise window's section goes with the cabinet the user
    // had it open on; every other cabinet's verdict comes from the inputs it
    // keeps.
    const frmRise* riseWindow = app.loadedWindow<frmRise>();

    const qsizetype count = session.project().cabinets.size();
    for (int i = 0; i < count; ++i) {
        session.makeCurrent(i);
        DesignReport cabinet = collectDesignReport(app, made);
        const Cabinet& c = session.project().cabinets[i];
        const bool riseShown = riseWindow && i == original;
        if (cabinet.rise && !riseShown) {
            for (const QString& line : cabinet.rise->methods) cabinet.methods.removeOne(line);
            cabinet.rise.reset();
        }
        ProjectReportRow row;
        row.tag = c.tag;
        row.count = QString::number(c.count);
        report.units += c.count;
        const ReportSummary& s = cabinet.summary;
        row.requirement = s.value;
        row.model = s.model;
        row.method = s.methodName;
        if (cabinet.rise) {
            row.rise = cabinet.rise->summaryVerdict;
        } else {
            row.rise = riseVerdictOfInputs(c.rise).value_or(noValueText());
        }
        report.rows << row;
        report.cabinets << std::move(cabinet);
    }
    session.makeCurrent(original);
    // Loading a cabinet names no calculation file; the main window keeps its own.
    form->setCalculationFile(calculationFile);
    return report;
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
