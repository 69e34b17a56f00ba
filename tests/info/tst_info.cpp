#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QtTest>

#include "TestApp.h"
#include "data/EquipmentHeatTables.h"
#include "data/IniFile.h"
#include "info/ClickableLabel.h"
#include "info/SystemInfo.h"
#include "info/WebPages.h"
#include "info/frmAbout.h"
#include "info/frmHelp.h"
#include "kit/Twips.h"

namespace {

const QString kHklm = QStringLiteral("HKEY_LOCAL_MACHINE");
const QString kMsinfoPath =
    kHklm + QStringLiteral("\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO\\PATH");
const QString kSharedTools =
    kHklm + QStringLiteral("\\SOFTWARE\\Microsoft\\Shared Tools Location\\MSINFO");
const QString kUnavailable = QStringLiteral("지금은 시스템 정보를 사용할 수 없습니다.");

QByteArray bytes(const char* text, int size) { return QByteArray(text, size); }

frmAbout* openAbout(Form1* form) {
    form->cmdHelp->click();
    return form->app().loadedWindow<frmAbout>();
}

void clickLabel(QLabel* label) {
    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, label->rect().center());
}

QString readText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(path));
    return QString::fromUtf8(file.readAll());
}

// The folder of the built program, where the build copies the web pages.
QString builtWww() { return QStringLiteral(CC_BUILD_PROGRAM_DIR "/www"); }

bool isHomePage(const QUrl& url) {
    const QString s = url.toString();
    return url.isLocalFile() ? s.endsWith(QLatin1String("/index.html")) : url.path().endsWith('/');
}

}  // namespace

class TestInfo : public QObject {
    Q_OBJECT
private slots:
    void startUpWindowTexts();
    void aboutBoxTexts();
    void aboutBoxIsOneModelessWindow();
    void aboutBoxKeys_data();
    void aboutBoxKeys();
    void productPagePerMode_data();
    void productPagePerMode();
    void homePageFromBothLabels();
    void homePageDuringStartUpWait();
    void labelClickNeedsReleaseOverIt();
    void failedOpenTellsUserAndGoesOn();
    void pageAddresses_data();
    void pageAddresses();
    void addressCaption_data();
    void addressCaption();
    void getKeyValue_data();
    void getKeyValue();
    void startSysInfo_data();
    void startSysInfo();
    void sysInfoButtonWithoutTool();
    void shippedPagesListConfiguredModels_data();
    void shippedPagesListConfiguredModels();
    void shippedPagesLinksResolve();
};

void TestInfo::startUpWindowTexts() {
    TestApp t;
    auto* help = t.app->showWindow<frmHelp>();
    QCOMPARE(help->windowTitle(), QStringLiteral("About"));
    QCOMPARE(help->size(), QSize(336, 274));
    // The doubled ampersand of the design shows as one.
    QCOMPARE(help->lblProduct->text(), QStringLiteral("에어콘 & 박스팬 제품 선정"));
    QCOMPARE(help->lblVer->text(), QStringLiteral("Ver 1.0.006"));
    QCOMPARE(help->imgLogo->pixmap().size(), QSize(335, 131));
    QCOMPARE(help->imgIcon->pixmap().size(), QSize(32, 32));
    QCOMPARE(help->imgLogo->geometry(), QRect(0, 0, 335, 131));
    QCOMPARE(help->imgIcon->pos(), QPoint(16, 131));
    QVERIFY(help->Label6->font().underline());
    QVERIFY(!help->Label6->text().isEmpty());
    QVERIFY(!help->lblCompany->text().isEmpty());
    // No telephone or fax numbers of someone else's: the contact line has no digits.
    QVERIFY(!help->lblContact->text().contains(QRegularExpression(QStringLiteral("\\d"))));
}

void TestInfo::aboutBoxTexts() {
    TestApp t;
    Form1* form = t.start();
    frmAbout* about = openAbout(form);
    QVERIFY(about);
    QVERIFY(about->isVisible());
    QCOMPARE(about->windowTitle(), QStringLiteral("CabinetCool 정보"));
    QCOMPARE(about->lblTitle->text(), QStringLiteral("CabinetCool"));
    QCOMPARE(about->lblVersion->text(), QStringLiteral("버전 " CC_PROJECT_VERSION));
    QCOMPARE(about->cmdOK->text(), QStringLiteral("확인"));
    QCOMPARE(about->cmdSysInfo->text(), QStringLiteral("시스템 정보(&S)..."));
    QCOMPARE(about->size(), QSize(382, 237));
    QCOMPARE(about->picIcon->pixmap().size(), QSize(32, 32));
    QVERIFY(about->Label6->font().underline());
    QVERIFY(about->lblDisclaimer->text().contains(QStringLiteral("CabinetCool")));
    QVERIFY(!about->lblDescription->text().isEmpty());
    QVERIFY(!about->lblContact->text().contains(QRegularExpression(QStringLiteral("\\d"))));
    // Both windows carry the same notice and the same address.
    auto* help = t.app->showWindow<frmHelp>();
    QCOMPARE(about->lblDescription->text(), help->lblNotice->text());
    QCOMPARE(about->Label6->text(), help->Label6->text());
}

void TestInfo::aboutBoxIsOneModelessWindow() {
    TestApp t;
    Form1* form = t.start();
    QPointer<frmAbout> first = openAbout(form);
    QCOMPARE(first->windowModality(), Qt::NonModal);
    QVERIFY(!first->parentWidget());
    QCOMPARE(openAbout(form), first.data());
    int abouts = 0;
    for (QWidget* w : t.app->loadedWindows()) abouts += qobject_cast<frmAbout*>(w) ? 1 : 0;
    QCOMPARE(abouts, 1);

    // OK unloads it; the next opening loads it afresh with its texts.
    first->cmdOK->click();
    QVERIFY(!t.app->loadedWindow<frmAbout>());
    processDeferredDeletes();
    QVERIFY(first.isNull());
    frmAbout* second = openAbout(form);
    QVERIFY(second && second->isVisible());
    QCOMPARE(second->lblVersion->text(), QStringLiteral("버전 " CC_PROJECT_VERSION));
    QCOMPARE(second->windowTitle(), QStringLiteral("CabinetCool 정보"));
}

void TestInfo::aboutBoxKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("focusOnSysInfo");
    QTest::addColumn<bool>("closes");
    QTest::newRow("Return") << int(Qt::Key_Return) << false << true;
    QTest::newRow("Enter on the keypad") << int(Qt::Key_Enter) << false << true;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << false << true;
    QTest::newRow("Escape while system info has the focus") << int(Qt::Key_Escape) << true << true;
    // Enter presses the button that has the focus.
    QTest::newRow("Return while system info has the focus") << int(Qt::Key_Return) << true << false;
}

void TestInfo::aboutBoxKeys() {
    QFETCH(int, key);
    QFETCH(bool, focusOnSysInfo);
    QFETCH(bool, closes);
    TestApp t;
    Form1* form = t.start();
    frmAbout* about = openAbout(form);
    QVERIFY(about);
    QCOMPARE(about->focusWidget(), about->cmdOK);
    if (focusOnSysInfo) about->cmdSysInfo->setFocus();
    QWidget* target = about->focusWidget();
    QVERIFY(target);
    QTest::keyClick(target, Qt::Key(key));
    QCOMPARE(t.app->loadedWindow<frmAbout>() == nullptr, closes);
    // Only the system-information button tells of a missing tool.
    QCOMPARE(t.platform.messages.contains(kUnavailable), !closes);
    QVERIFY(form->isVisible());
}

void TestInfo::productPagePerMode_data() {
    QTest::addColumn<SelectionMode>("mode");
    QTest::addColumn<QString>("path");
    QTest::newRow("Aircon") << SelectionMode::Aircon << QStringLiteral("/re_htm/sub02_4_2.htm");
    QTest::newRow("Fan1") << SelectionMode::Fan1 << QStringLiteral("/re_htm/sub02_1_2.htm");
    QTest::newRow("Fan2") << SelectionMode::Fan2 << QStringLiteral("/re_htm/sub02_1_2.htm");
}

void TestInfo::productPagePerMode() {
    QFETCH(SelectionMode, mode);
    QFETCH(QString, path);
    TestApp t;
    Form1* form = t.start();
    form->selectMode(mode);
    form->cmdURL->click();
    form->cmdURL->click();
    // Every click opens a browser window of its own.
    QCOMPARE(t.platform.openedUrls.size(), 2);
    QCOMPARE(t.platform.openedUrls[0], t.platform.openedUrls[1]);
    const QUrl url = t.platform.openedUrls[0];
    QVERIFY2(url.toString().endsWith(path), qPrintable(url.toString()));
    if (siteBase() == QLatin1String("www")) {
        // The shipped pages, beside the program, as a local address.
        QCOMPARE(url, QUrl::fromLocalFile(t.programDir() + QStringLiteral("/www") + path));
    }
    QVERIFY(t.platform.messages.isEmpty());
}

void TestInfo::homePageFromBothLabels() {
    TestApp t;
    Form1* form = t.start();
    auto* help = t.app->showWindow<frmHelp>();
    clickLabel(help->Label6);
    frmAbout* about = openAbout(form);
    clickLabel(about->Label6);
    QCOMPARE(t.platform.openedUrls.size(), 2);
    QCOMPARE(t.platform.openedUrls[0], t.platform.openedUrls[1]);
    QVERIFY2(isHomePage(t.platform.openedUrls[0]), qPrintable(t.platform.openedUrls[0].toString()));
    if (siteBase() == QLatin1String("www")) {
        QCOMPARE(t.platform.openedUrls[0],
                 QUrl::fromLocalFile(t.programDir() + QStringLiteral("/www/index.html")));
    }
    // The About box stays open; opening a page is all a click does.
    QVERIFY(about->isVisible());
}

void TestInfo::homePageDuringStartUpWait() {
    TestApp t;
    int calls = 0;
    t.platform.duringProcessEvents = [&]() {
        if (++calls != 3) return;
        frmHelp* help = t.app->loadedWindow<frmHelp>();
        QVERIFY(help && help->isVisible());
        clickLabel(help->Label6);
    };
    Form1* form = t.start();
    QCOMPARE(t.platform.openedUrls.size(), 1);
    QVERIFY(isHomePage(t.platform.openedUrls[0]));
    // Start-up went on to its end.
    QCOMPARE(t.platform.processEventsCalls, 10);
    QVERIFY(form->isVisible());
    QVERIFY(!t.app->loadedWindow<frmHelp>());
    QCOMPARE(form->txtSS->text(), QStringLiteral("7"));
    QVERIFY(form->OptBoxAircon->isChecked());
}

void TestInfo::labelClickNeedsReleaseOverIt() {
    TestApp t;
    auto* help = t.app->showWindow<frmHelp>();
    ClickableLabel* label = help->Label6;
    QTest::mousePress(label, Qt::LeftButton, Qt::NoModifier, label->rect().center());
    QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, QPoint(-5, -5));
    QTest::mouseClick(label, Qt::RightButton, Qt::NoModifier, label->rect().center());
    QVERIFY(t.platform.openedUrls.isEmpty());
    clickLabel(label);
    QCOMPARE(t.platform.openedUrls.size(), 1);
}

void TestInfo::failedOpenTellsUserAndGoesOn() {
    TestApp t;
    t.platform.openUrlSucceeds = false;
    int calls = 0;
    t.platform.duringProcessEvents = [&]() {
        if (++calls == 2) clickLabel(t.app->loadedWindow<frmHelp>()->Label6);
    };
    Form1* form = t.start();
    QVERIFY(form->isVisible());
    QVERIFY(!t.app->loadedWindow<frmHelp>());
    form->cmdURL->click();
    QCOMPARE(t.platform.openedUrls.size(), 2);
    QCOMPARE(t.platform.messages.size(), 2);
    for (int i = 0; i < 2; ++i) {
        const QString& m = t.platform.messages[i];
        QVERIFY2(m.startsWith(QStringLiteral("웹 페이지를 열 수 없습니다.")), qPrintable(m));
        // The address is in the message, for the user to open by hand.
        QVERIFY(m.contains(t.platform.openedUrls[i].toDisplayString(QUrl::PreferLocalFile)));
    }
    // The program carries on.
    form->cmdCal->click();
    QCOMPARE(form->txtPT->text(), QStringLiteral("1275.00"));
}

void TestInfo::pageAddresses_data() {
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("programDir");
    QTest::addColumn<WebPage>("page");
    QTest::addColumn<QUrl>("expected");
    const QString dir = QStringLiteral("/opt/cabinet cool");
    QTest::newRow("shipped home") << QStringLiteral("www") << dir << WebPage::Home
                                  << QUrl(QStringLiteral(
                                         "file:///opt/cabinet%20cool/www/index.html"));
    QTest::newRow("shipped aircon")
        << QStringLiteral("www") << dir << WebPage::AirconProducts
        << QUrl(QStringLiteral("file:///opt/cabinet%20cool/www/re_htm/sub02_4_2.htm"));
    QTest::newRow("shipped fan") << QStringLiteral("www") << dir << WebPage::FanProducts
                                 << QUrl(QStringLiteral(
                                        "file:///opt/cabinet%20cool/www/re_htm/sub02_1_2.htm"));
    QTest::newRow("empty base is the shipped folder")
        << QString() << dir << WebPage::Home
        << QUrl(QStringLiteral("file:///opt/cabinet%20cool/www/index.html"));
    QTest::newRow("relative folder")
        << QStringLiteral("site/ko/") << dir << WebPage::FanProducts
        << QUrl(QStringLiteral("file:///opt/cabinet%20cool/site/ko/re_htm/sub02_1_2.htm"));
    QTest::newRow("absolute folder") << QStringLiteral("/srv/pages") << dir << WebPage::Home
                                     << QUrl(QStringLiteral("file:///srv/pages/index.html"));
    QTest::newRow("file address") << QStringLiteral("file:///srv/pages/") << dir
                                  << WebPage::AirconProducts
                                  << QUrl(QStringLiteral("file:///srv/pages/re_htm/sub02_4_2.htm"));
    QTest::newRow("web site home") << QStringLiteral("https://example.com") << dir << WebPage::Home
                                   << QUrl(QStringLiteral("https://example.com/"));
    QTest::newRow("web site with slash")
        << QStringLiteral("https://example.com/") << dir << WebPage::AirconProducts
        << QUrl(QStringLiteral("https://example.com/re_htm/sub02_4_2.htm"));
    QTest::newRow("web site below a path")
        << QStringLiteral(" http://example.com/cc/ ") << dir << WebPage::FanProducts
        << QUrl(QStringLiteral("http://example.com/cc/re_htm/sub02_1_2.htm"));
}

void TestInfo::pageAddresses() {
    QFETCH(QString, base);
    QFETCH(QString, programDir);
    QFETCH(WebPage, page);
    QFETCH(QUrl, expected);
    QCOMPARE(webPageUrl(base, programDir, page), expected);
}

void TestInfo::addressCaption_data() {
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("caption");
    // The shipped pages have no address worth showing: the label names them.
    QTest::newRow("shipped folder")
        << QStringLiteral("www") << QStringLiteral("CabinetCool 사용 안내");
    QTest::newRow("other folder") << QStringLiteral("/srv/pages")
                                  << QStringLiteral("CabinetCool 사용 안내");
    QTest::newRow("web site") << QStringLiteral("https://www.example.com/")
                              << QStringLiteral("www.example.com");
    QTest::newRow("web site below a path")
        << QStringLiteral("http://example.com/cc/") << QStringLiteral("example.com/cc");
}

void TestInfo::addressCaption() {
    QFETCH(QString, base);
    QFETCH(QString, caption);
    QCOMPARE(homePageCaption(base), caption);
}

void TestInfo::getKeyValue_data() {
    QTest::addColumn<bool>("present");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("text");
    QTest::newRow("length includes the terminating zero")
        << true << bytes("C:\\MSINFO\\msinfo32.exe\0", 23) << true
        << QStringLiteral("C:\\MSINFO\\msinfo32.exe");
    QTest::newRow("length ends on a character")
        << true << bytes("C:\\Tools", 8) << true << QStringLiteral("C:\\Tools");
    QTest::newRow("only the zero") << true << bytes("\0", 1) << true << QString();
    QTest::newRow("empty value") << true << QByteArray() << true << QString();
    QTest::newRow("missing") << false << QByteArray() << false << QString();
}

void TestInfo::getKeyValue() {
    QFETCH(bool, present);
    QFETCH(QByteArray, data);
    QFETCH(bool, found);
    QFETCH(QString, text);
    FakePlatform platform;
    if (present) platform.registry.insert(kMsinfoPath, data);
    const KeyValue value =
        GetKeyValue(platform, kHklm, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                    QStringLiteral("PATH"));
    QCOMPARE(value.found, found);
    QCOMPARE(value.text, text);
}

using Registry = QMap<QString, QByteArray>;
using Programs = QMap<QString, QString>;

void TestInfo::startSysInfo_data() {
    QTest::addColumn<SysInfoHost>("host");
    QTest::addColumn<Registry>("registry");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<Programs>("programs");
    QTest::addColumn<bool>("startSucceeds");
    QTest::addColumn<QStringList>("started");  // programs tried, in order
    QTest::addColumn<bool>("message");

    const QString tool =
        QStringLiteral("C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe");
    const QByteArray toolData = tool.toLatin1() + QByteArray(1, '\0');
    const QByteArray folderData = QByteArrayLiteral("C:\\Shared\\MSInfo") + QByteArray(1, '\0');
    const QString inFolder = QStringLiteral("C:\\Shared\\MSInfo\\MSINFO32.EXE");
    const auto W = SysInfoHost::Windows;
    const auto O = SysInfoHost::Other;

    QTest::newRow("windows: the tool's path")
        << W << Registry{{kMsinfoPath, toolData}} << QStringList() << Programs() << true
        << QStringList{tool} << false;
    QTest::newRow("windows: the path wins over the folder")
        << W << Registry{{kMsinfoPath, toolData}, {kSharedTools, folderData}}
        << QStringList{inFolder} << Programs() << true << QStringList{tool} << false;
    QTest::newRow("windows: folder holding the tool")
        << W << Registry{{kSharedTools, folderData}} << QStringList{inFolder} << Programs() << true
        << QStringList{inFolder} << false;
    QTest::newRow("windows: folder without the tool")
        << W << Registry{{kSharedTools, folderData}} << QStringList() << Programs() << true
        << QStringList() << true;
    QTest::newRow("windows: nothing registered")
        << W << Registry() << QStringList{inFolder} << Programs() << true << QStringList() << true;
    QTest::newRow("windows: the tool does not start")
        << W << Registry{{kMsinfoPath, toolData}} << QStringList() << Programs() << false
        << QStringList{tool} << true;
    QTest::newRow("other: first installed of the list")
        << O << Registry{{kMsinfoPath, toolData}} << QStringList()
        << Programs{{QStringLiteral("kinfocenter"), QStringLiteral("/usr/bin/kinfocenter")},
                    {QStringLiteral("hardinfo"), QStringLiteral("/usr/bin/hardinfo")}}
        << true << QStringList{QStringLiteral("/usr/bin/hardinfo")} << false;
    QTest::newRow("other: the last of the list")
        << O << Registry() << QStringList()
        << Programs{{QStringLiteral("cpu-x"), QStringLiteral("/usr/bin/cpu-x")}} << true
        << QStringList{QStringLiteral("/usr/bin/cpu-x")} << false;
    QTest::newRow("other: none installed")
        << O << Registry{{kMsinfoPath, toolData}} << QStringList()
        << Programs{{QStringLiteral("gnome-calculator"), QStringLiteral("/usr/bin/x")}} << true
        << QStringList() << true;
    QTest::newRow("other: the program does not start")
        << O << Registry() << QStringList()
        << Programs{{QStringLiteral("hardinfo2"), QStringLiteral("/usr/local/bin/hardinfo2")}}
        << false << QStringList{QStringLiteral("/usr/local/bin/hardinfo2")} << true;
}

void TestInfo::startSysInfo() {
    QFETCH(SysInfoHost, host);
    QFETCH(Registry, registry);
    QFETCH(QStringList, files);
    QFETCH(Programs, programs);
    QFETCH(bool, startSucceeds);
    QFETCH(QStringList, started);
    QFETCH(bool, message);
    FakePlatform platform;
    platform.registry = registry;
    platform.existingFiles = QSet<QString>(files.begin(), files.end());
    platform.programsOnPath = programs;
    platform.startProgramSucceeds = startSucceeds;
    StartSysInfo(platform, nullptr, host);
    QStringList tried;
    for (const QStringList& call : platform.startedPrograms) {
        QCOMPARE(call.size(), 1);  // no arguments
        tried.append(call.first());
    }
    QCOMPARE(tried, started);
    QCOMPARE(platform.messages, message ? QStringList{kUnavailable} : QStringList());
}

void TestInfo::sysInfoButtonWithoutTool() {
    TestApp t;
    Form1* form = t.start();
    frmAbout* about = openAbout(form);
    about->cmdSysInfo->click();
    QCOMPARE(t.platform.messages, QStringList{kUnavailable});
    QVERIFY(t.platform.startedPrograms.isEmpty());
    QVERIFY(t.app->loadedWindow<frmAbout>() == about && about->isVisible());
}

void TestInfo::shippedPagesListConfiguredModels_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("section");
    QTest::newRow("air-conditioners")
        << QStringLiteral("re_htm/sub02_4_2.htm") << QStringLiteral("Aircon-Model");
    QTest::newRow("box fans") << QStringLiteral("re_htm/sub02_1_2.htm")
                              << QStringLiteral("FAN-Model");
}

void TestInfo::shippedPagesListConfiguredModels() {
    QFETCH(QString, page);
    QFETCH(QString, section);
    const QString html = readText(builtWww() + QLatin1Char('/') + page);
    const IniFile ini(shippedIni().toStdString(), equipmentIniSelection());
    const std::string sectionName = section.toStdString();
    const EquipmentSection* s = nullptr;
    for (const EquipmentSection& e : equipmentSections()) {
        if (e.section == sectionName) s = &e;
    }
    QVERIFY(s);
    // The page's table rows: model and capacity, in the file's order.
    QStringList listed;
    static const QRegularExpression row(
        QStringLiteral("<tr><td[^>]*>\\d+</td><td>([^<]+)</td><td[^>]*>([^<]+)</td></tr>"));
    for (auto it = row.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        listed.append(m.captured(1) + QLatin1Char('=') + m.captured(2));
    }
    QStringList configured;
    for (std::string_view key : s->keys) {
        configured.append(QString::fromStdString(std::string(key)) + QLatin1Char('=') +
                          QString::fromStdString(ini.value(sectionName, key)));
    }
    QCOMPARE(listed, configured);
}

void TestInfo::shippedPagesLinksResolve() {
    const QDir www(builtWww());
    const QStringList pages = {QStringLiteral("index.html"), QStringLiteral("re_htm/sub02_4_2.htm"),
                               QStringLiteral("re_htm/sub02_1_2.htm")};
    static const QRegularExpression link(QStringLiteral("(?:href|src)=\"([^\"]+)\""));
    int links = 0;
    for (const QString& page : pages) {
        const QString path = www.filePath(page);
        QVERIFY2(QFileInfo::exists(path), qPrintable(path));
        const QString html = readText(path);
        QVERIFY(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
        for (auto it = link.globalMatch(html); it.hasNext();) {
            const QString target = it.next().captured(1);
            // Everything is shipped: no link leaves the folder.
            QVERIFY2(!target.contains(QStringLiteral("://")), qPrintable(page + ": " + target));
            const QString file = target.section(QLatin1Char('#'), 0, 0);
            if (file.isEmpty()) continue;
            const QString resolved = QDir::cleanPath(QFileInfo(path).dir().filePath(file));
            QVERIFY2(resolved.startsWith(www.absolutePath()), qPrintable(page + ": " + target));
            QVERIFY2(QFileInfo(resolved).isFile(), qPrintable(page + ": " + target));
            ++links;
        }
    }
    QVERIFY(links > 0);
}

QTEST_MAIN(TestInfo)
#include "tst_info.moc"
