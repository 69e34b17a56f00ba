#include "info/WebPages.h"

#include <QDir>

#include "kit/CabinetCoolApp.h"
#include "kit/PlatformServices.h"

// Set by the build (cmake/Install.cmake); the shipped pages otherwise.
#ifndef CABINETCOOL_SITE_BASE
#define CABINETCOOL_SITE_BASE "www"
#endif

namespace {

const QString kShippedFolder = QStringLiteral("www");

QString effectiveBase(const QString& base) {
    const QString trimmed = base.trimmed();
    return trimmed.isEmpty() ? kShippedFolder : trimmed;
}

// A web address rather than a folder. One-letter schemes are Windows drive
// letters ("C:/CabinetCool/www"), and file: addresses are folders too.
bool isWebAddress(const QString& base) {
    const QUrl url(base);
    return url.isValid() && url.scheme().size() > 1 &&
           url.scheme().compare(QStringLiteral("file"), Qt::CaseInsensitive) != 0;
}

QString localFolder(const QString& base, const QString& programDir) {
    if (base.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive)) {
        return QUrl(base).toLocalFile();
    }
    if (QDir::isAbsolutePath(base)) return base;
    return QDir(programDir).filePath(base);
}

}  // namespace

QString webPagePath(WebPage page) {
    switch (page) {
        case WebPage::AirconProducts:
            return QStringLiteral("/re_htm/sub02_4_2.htm");
        case WebPage::FanProducts:
            return QStringLiteral("/re_htm/sub02_1_2.htm");
        case WebPage::Home:
            break;
    }
    return QStringLiteral("/");
}

QString siteBase() { return QStringLiteral(CABINETCOOL_SITE_BASE); }

QUrl webPageUrl(const QString& base, const QString& programDir, WebPage page) {
    const QString b = effectiveBase(base);
    QString path = webPagePath(page);
    if (isWebAddress(b)) {
        QString root = b;
        while (root.endsWith(QLatin1Char('/'))) root.chop(1);
        return QUrl(root + path);
    }
    if (path == QLatin1String("/")) path = QStringLiteral("/index.html");
    return QUrl::fromLocalFile(QDir::cleanPath(localFolder(b, programDir) + path));
}

QString homePageCaption(const QString& base) {
    const QString b = effectiveBase(base);
    if (!isWebAddress(b)) return QStringLiteral("CabinetCool 사용 안내");
    const QUrl url(b);
    QString caption = url.host() + url.path();
    while (caption.endsWith(QLatin1Char('/'))) caption.chop(1);
    return caption.isEmpty() ? b : caption;
}

void openWebPage(CabinetCoolApp& app, QWidget* parent, WebPage page) {
    const QUrl url = webPageUrl(siteBase(), app.programDir(), page);
    if (app.platform().openUrl(url)) return;
    app.platform().messageBox(
        parent,
        QStringLiteral("웹 페이지를 열 수 없습니다. 웹 브라우저가 설치되어 있는지 확인하세요.\n") +
            url.toDisplayString(QUrl::PreferLocalFile));
}
