#pragma once

#include <QString>
#include <QUrl>

class CabinetCoolApp;
class QWidget;

// The pages the program links to. All live under one site base: by default
// the web pages shipped in the folder www/ beside the executable, so that
// every link works without a network; a vendor may set its own web site
// when building (CABINETCOOL_SITE_BASE).
enum class WebPage { Home, AirconProducts, FanProducts };

// The page's path under the site base: "/", "/re_htm/sub02_4_2.htm",
// "/re_htm/sub02_1_2.htm".
QString webPagePath(WebPage page);

// The site base this build was made with.
QString siteBase();

// The address of `page` for the site base `base`:
// - a web address (http:, https:, ...) is taken as it is and the path is
//   appended to it;
// - anything else names a folder, relative to `programDir` unless it is
//   absolute (a file: address counts as absolute), and the page becomes a
//   local file address; the home page of a folder is its index.html, since a
//   browser shows a bare folder as a file list.
// An empty base is the shipped folder "www".
QUrl webPageUrl(const QString& base, const QString& programDir, WebPage page);

// The text of the web-address labels: the site's host and path for a web
// site, a plain name for the shipped pages (a file path means nothing to a
// user).
QString homePageCaption(const QString& base);

// Opens `page` of this build's site in a new browser window. When nothing can
// open it the user is told so in a message box over `parent`; the program
// goes on either way.
void openWebPage(CabinetCoolApp& app, QWidget* parent, WebPage page);
