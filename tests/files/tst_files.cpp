#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QtTest>
#include <csignal>

#include "FileSizeLimit.h"
#include "TestApp.h"
#include "files/CoolFile.h"
#include "files/FileCommands.h"
#include "files/ModelLineCodec.h"
#include "kit/FileAccess.h"
#include "kit/ScrollableClient.h"
#include "kit/Twips.h"

namespace {

const QString kCoolData = QStringLiteral(CC_TEST_DATA_DIR "/cool/");

QByteArray fixture(const QString& name) {
    QFile file(kCoolData + name);
    if (!file.open(QIODevice::ReadOnly)) qFatal("missing fixture %s", qPrintable(name));
    return file.readAll();
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray("<unreadable>");
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
}

QLineEdit* field(Form1* form, const QString& name) {
    auto* f = form->findChild<QLineEdit*>(name);
    if (!f) qFatal("no field %s", qPrintable(name));
    return f;
}

// The fields in the order of a FAN2 file.
const QStringList kFields = {"txtWidth", "txtDepth", "txtHeight",   "txtSS", "txtPP",
                             "txtT1",    "txtT2",    "txtT3",       "txtT4", "txtUU",
                             "txtPT",    "txtKind",  "txtCoolValue"};

// Everything a file can change in the main window:
// mode|material|width|depth|height|area|heat|T1|T2|T3|T4|U|power|model|capacity
QString snapshot(Form1* form) {
    QStringList s;
    s << (form->OptBoxAircon->isChecked() ? "Aircon"
          : form->OptBoxFan1->isChecked() ? "FAN1"
          : form->OptBoxFan2->isChecked() ? "FAN2"
                                          : "none");
    s << (form->optSel[0]->isChecked() ? "steel" : form->optSel[1]->isChecked() ? "resin" : "none");
    for (const QString& name : kFields) s << field(form, name)->text();
    return s.join(QLatin1Char('|'));
}

// A main window that differs from every file below in mode, material and
// results, so that what a file applies shows.
const QString kBaseline =
    QStringLiteral("FAN1|resin|0.63|0.63|1.25|3.5469|500|40|55|40|68|3.7|11.11|OLD|999");

Form1* startBaseline(TestApp& t) {
    Form1* form = t.start();
    form->OptBoxFan1->click();
    form->optSel[1]->click();
    form->txtPT->setText("11.11");
    form->txtKind->setText("OLD");
    form->txtCoolValue->setText("999");
    if (snapshot(form) != kBaseline) qFatal("unexpected baseline %s", qPrintable(snapshot(form)));
    return form;
}

QString coolDir(const TestApp& t) { return t.programDir() + "/Cool"; }

QString makeCoolDir(const TestApp& t) {
    QDir().mkpath(coolDir(t));
    return coolDir(t);
}

// Open descriptors that point into `dir`: a command that failed must not
// leave its file (or a temporary one) open.
QStringList openFilesUnder(const QString& dir) {
    QStringList open;
    const QString root = QFileInfo(dir).canonicalFilePath();
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString& fd : fds.entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        const QString target = QFile::symLinkTarget(fds.filePath(fd));
        if (target.startsWith(root)) open << target;
    }
    return open;
}

// A reader sink that only writes down what it is given.
struct RecordingSink : CoolFileSink {
    QStringList calls;
    void applyMode(SelectionMode mode) override { calls << "mode " + CoolModeMarker(mode); }
    void applyNumber(CoolField field, double value) override {
        calls << QStringLiteral("number %1 %2").arg(int(field)).arg(value);
    }
    void applyModelName(const QString& text) override { calls << "model " + text; }
};

// Endless data after a prefix, as a pipe or a device file gives it.
class EndlessDevice : public QIODevice {
public:
    EndlessDevice(QByteArray prefix, char filler) : m_prefix(std::move(prefix)), m_filler(filler) {}
    bool isSequential() const override { return true; }
    qint64 produced = 0;

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        for (qint64 i = 0; i < maxSize; ++i, ++produced) {
            data[i] = produced < m_prefix.size() ? m_prefix[produced] : m_filler;
        }
        return maxSize;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_prefix;
    char m_filler;
};

// The one message of a save that could not write `path`: it names the file
// and says it could not be saved, not that a format is wrong.
void verifyWriteError(const QStringList& messages, const QString& path) {
    QCOMPARE(messages.size(), 1);
    const QString prefix = FakePlatform::fileWriteErrorText(QString());
    QVERIFY2(messages.first().startsWith(prefix), qPrintable(messages.first()));
    const QString text = messages.first().mid(prefix.size());
    QVERIFY(text.contains(QStringLiteral("저장할 수 없습니다")));
    QVERIFY(text.contains(QDir::toNativeSeparators(path)));
    QVERIFY(!text.contains(QStringLiteral("format")));
}

// Hide and show events of the six screen-only buttons, in order.
class VisibilityLog : public QObject {
public:
    QStringList events;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide) events << "hide " + watched->objectName();
        if (event->type() == QEvent::Show) events << "show " + watched->objectName();
        return false;
    }
};

const QStringList kScreenOnly = {"cmdURL",    "cmdExit", "cmdHelp",   "cmdPrint",
                                 "cmdSaveAs", "cmdOpen", "cmdReport", "cmdRise"};

// The part of a grabbed main-window image that `w` covers.
QImage region(const QImage& image, QWidget* form, QWidget* w) {
    const QRect r(w->mapTo(form, QPoint(0, 0)), w->size());
    return image.copy(r.adjusted(2, 2, -2, -2));
}

bool isUniform(const QImage& image) {
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != first) return false;
        }
    }
    return true;
}

}  // namespace

class TestFiles : public QObject {
    Q_OBJECT
private slots:
    void saveWritesExactBytes_data();
    void saveWritesExactBytes();
    void saveWritesFieldTextAsNumbers_data();
    void saveWritesFieldTextAsNumbers();
    void dialogsAndCancel();
    void nameWithoutExtensionIsUsedAsTyped();
    void roundTrip_data();
    void roundTrip();
    void modelLine_data();
    void modelLine();
    void cp949LookalikeSyllables();
    void earlierUtf8ModelLines();
    void saveFailure_data();
    void saveFailure();
    void failedWriteKeepsOldFile();
    void saveIntoReadOnlyFolderWritesTheFileInPlace();
    void saveTouchesOnlyLeftoversOfItsOwn_data();
    void saveTouchesOnlyLeftoversOfItsOwn();

    void openFixture_data();
    void openFixture();
    void openTruncatedAtEveryLine_data();
    void openTruncatedAtEveryLine();
    void openUnreadable_data();
    void openUnreadable();
    void openFromCommandLine_data();
    void openFromCommandLine();
    void dialogsStartInUserFolderWhenCoolIsUnwritable();
    void readerTakesOnlyWhatTheFormatNeeds();
    void longestLine_data();
    void longestLine();
    void strictLastLine_data();
    void strictLastLine();

    void printShowsNoScreenOnlyButtons();
    void printRestoresButtonsOnEveryPath_data();
    void printRestoresButtonsOnEveryPath();
};

// ---- Save As ---------------------------------------------------------------

void TestFiles::saveWritesExactBytes_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("airconFields");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("start-up, Aircon")
        << "Aircon" << false
        << QByteArray("Aircon\r\n1\r\n0.6\r\n2\r\n7\r\n1100\r\n40\r\n35\r\n5\r\n0\r\n\r\n0\r\n");
    QTest::newRow("Fan1 selected after start-up")
        << "FAN1" << false
        << QByteArray(
               "FAN1\r\n0.63\r\n0.63\r\n1.25\r\n3.5469\r\n500\r\n40\r\n55\r\n5\r\n0\r\n\r\n0\r\n");
    // Fan2 hides the internal heat and keeps its text.
    QTest::newRow("Fan2 selected after start-up")
        << "FAN2" << false
        << QByteArray(
               "FAN2\r\n0.63\r\n0.63\r\n1.25\r\n3."
               "5469\r\n1100\r\n40\r\n55\r\n40\r\n68\r\n5\r\n0\r\n\r\n0\r\n");
    QTest::newRow("Fan2 with the Aircon field contents")
        << "FAN2" << true
        << QByteArray(
               "FAN2\r\n1\r\n0.6\r\n2\r\n7\r\n1100\r\n40\r\n35\r\n40\r\n68\r\n5\r\n0\r\n\r\n0\r\n");
}

void TestFiles::saveWritesExactBytes() {
    QFETCH(QString, mode);
    QFETCH(bool, airconFields);
    QFETCH(QByteArray, bytes);
    TestApp t;
    Form1* form = t.start();
    if (mode == "FAN1") form->OptBoxFan1->click();
    if (mode == "FAN2") form->OptBoxFan2->click();
    if (airconFields) {
        form->txtWidth->setText("1");
        form->txtDepth->setText("0.6");
        form->txtHeight->setText("2");
        form->txtSS->setText("7");
        form->txtT2->setText("35");
    }
    // An existing, longer file is replaced completely.
    const QString path = makeCoolDir(t) + "/start.col";
    writeFile(path, QByteArray(4096, 'z'));
    t.platform.saveAnswers.enqueue(path);
    form->cmdSaveAs->click();
    QCOMPARE(t.platform.messages, QStringList());
    QCOMPARE(readAll(path), bytes);
}

void TestFiles::saveWritesFieldTextAsNumbers_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("line");  // 0-based line of a 12-line Aircon file
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("trailing zero") << "txtWidth"
                                   << "1.50" << 1 << QByteArray("1.5");
    QTest::newRow("number then letters") << "txtWidth"
                                         << "12abc" << 1 << QByteArray("12");
    QTest::newRow("no number") << "txtWidth"
                               << "abc" << 1 << QByteArray("0");
    QTest::newRow("empty area") << "txtSS"
                                << "" << 4 << QByteArray("0");
    QTest::newRow("blanks inside") << "txtPP"
                                   << " 1 100 " << 5 << QByteArray("1100");
    QTest::newRow("comma ends the number") << "txtCoolValue"
                                           << "1,600" << 11 << QByteArray("1");
    QTest::newRow("two-decimal result") << "txtPT"
                                        << "7.50" << 9 << QByteArray("7.5");
    QTest::newRow("negative result") << "txtPT"
                                     << "-117.73" << 9 << QByteArray("-117.73");
    QTest::newRow("large exponent") << "txtT1"
                                    << "1D+200" << 6 << QByteArray("1E+200");
    QTest::newRow("hexadecimal") << "txtT2"
                                 << "&H1F" << 7 << QByteArray("31");
    QTest::newRow("coefficient typed") << "txtUU"
                                       << "4.20" << 8 << QByteArray("4.2");
    QTest::newRow("model with blanks around")
        << "txtKind"
        << "  VKA-1600BR \t" << 10 << QByteArray("VKA-1600BR");
    QTest::newRow("model with line breaks")
        << "txtKind"
        << "VKA\r\n1600\nBR" << 10 << QByteArray("VKA  1600 BR");
}

void TestFiles::saveWritesFieldTextAsNumbers() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(int, line);
    QFETCH(QByteArray, written);
    TestApp t;
    Form1* form = t.start();
    field(form, name)->setText(text);
    const QString path = makeCoolDir(t) + "/fields.col";
    t.platform.saveAnswers.enqueue(path);
    form->cmdSaveAs->click();
    QCOMPARE(t.platform.messages, QStringList());
    const QByteArray bytes = readAll(path);
    QVERIFY(bytes.endsWith("\r\n"));
    const QList<QByteArray> lines = bytes.chopped(2).split('\n');
    QCOMPARE(lines.size(), 12);
    for (const QByteArray& l : lines.first(11)) QVERIFY(l.endsWith('\r'));
    QCOMPARE(lines[line].chopped(line == 11 ? 0 : 1), written);
}

void TestFiles::dialogsAndCancel() {
    TestApp t;
    Form1* form = startBaseline(t);
    const QStringList filters = {"Cool File (*.COL) (*.col)", " ALL File (*.*) (*)"};

    form->cmdSaveAs->click();  // no answer queued: cancelled
    QCOMPARE(t.platform.saveDialogs.size(), 1);
    const PlatformServices::FileDialog save = t.platform.saveDialogs.first();
    QCOMPARE(save.title, QStringLiteral("Cool file Save"));
    QCOMPARE(save.startFolder, t.programDir() + "/Cool");
    QCOMPARE(save.filters, filters);
    QVERIFY(save.confirmOverwrite);

    form->cmdOpen->click();
    QCOMPARE(t.platform.openDialogs.size(), 1);
    const PlatformServices::FileDialog open = t.platform.openDialogs.first();
    QCOMPARE(open.title, QStringLiteral("Cool file Save"));
    QCOMPARE(open.startFolder, t.programDir() + "/Cool");
    QCOMPARE(open.filters, filters);

    // Cancelled dialogs: nothing written, nothing changed, nothing said. The
    // Cool folder is not created either.
    QCOMPARE(t.platform.messages, QStringList());
    QCOMPARE(snapshot(form), kBaseline);
    QVERIFY(!QFileInfo::exists(coolDir(t)));
}

void TestFiles::nameWithoutExtensionIsUsedAsTyped() {
    TestApp t;
    Form1* form = t.start();
    const QString dir = makeCoolDir(t);
    t.platform.saveAnswers.enqueue(dir + "/cabinet 7");
    form->cmdSaveAs->click();
    QCOMPARE(QDir(dir).entryList(QDir::Files), QStringList{"cabinet 7"});
    QVERIFY(readAll(dir + "/cabinet 7").startsWith("Aircon\r\n"));
}

void TestFiles::roundTrip_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("material");
    QTest::addColumn<QStringList>("texts");  // in the order of kFields, txtUU left out
    QTest::addColumn<QString>("restored");
    // T3 and T4 travel only in mode FAN2; elsewhere they keep what the window
    // held before opening ("x3", "x4").
    QTest::newRow("Aircon, steel")
        << "Aircon" << 0 << QStringList{"1.50", "0.75", "2.2", "10.1", "2345.6",     "41.5",
                                        "33",   "39",   "70",  "7.50", "VKA-3500BR", "3500"}
        << "Aircon|steel|1.5|0.75|2.2|10.1|2345.6|41.5|33|x3|x4|5|7.5|VKA-3500BR|3500";
    QTest::newRow("Fan1, resin")
        << "FAN1" << 1 << QStringList{"0.5",  "0.45", "1.8", "",        "420",     "-5",
                                      "1E-5", "12",   "13",  "-117.73", "FK-1200", "0.125"}
        << "FAN1|resin|0.5|0.45|1.8|0|420|-5|0.00001|x3|x4|3.7|-117.73|FK-1200|0.125";
    QTest::newRow("Fan2, resin")
        << "FAN2" << 1 << QStringList{"0.63", "0.8",  "1.25", "3.9",   "900",           "40.25",
                                      "55",   "38.5", "71",   "15.37", "FK 5500 / 2대", "74"}
        << "FAN2|resin|0.63|0.8|1.25|3.9|900|40.25|55|38.5|71|3.7|15.37|FK 5500 / 2대|74";
    QTest::newRow("Fan2, steel, huge and tiny numbers")
        << "FAN2" << 0 << QStringList{"1E+200",   "123456789012345",
                                      "0.000001", "1.23456789012345",
                                      "&H10",     "0",
                                      "-0.5",     "1D3",
                                      "99.999",   "1234567.89",
                                      "",         "1E-300"}
        << "FAN2|steel|1E+200|123456789012345|1E-06|1.23456789012345|16|0|-0.5|1000|99.999|5|"
           "1234567.89||1E-300";
    // Beyond the range of a double a field reads as the largest double, which
    // is written rounded up to 15 digits; the last line reads it back too.
    const QString top = QStringLiteral("1.79769313486232E+308");
    QTest::newRow("Aircon, top of the range")
        << "Aircon" << 0 << QStringList{"1E400",   "-1E400", "1.7976931348623157E+308",
                                        "1",       "2",      "3",
                                        "4",       "5",      "6",
                                        "-" + top, "VKA",    "1E400"}
        << QStringList{"Aircon", "steel", top,  "-" + top, top,       "1",   "2", "3",
                       "4",      "x3",    "x4", "5",       "-" + top, "VKA", top}
               .join('|');
}

void TestFiles::roundTrip() {
    QFETCH(QString, mode);
    QFETCH(int, material);
    QFETCH(QStringList, texts);
    QFETCH(QString, restored);
    TestApp t;
    Form1* form = t.start();
    if (mode == "FAN1") form->OptBoxFan1->click();
    if (mode == "FAN2") form->OptBoxFan2->click();
    form->optSel[material]->click();
    QStringList names = kFields;
    names.removeOne("txtUU");
    for (int i = 0; i < names.size(); ++i) field(form, names[i])->setText(texts[i]);
    const QString path = makeCoolDir(t) + "/trip.col";
    t.platform.saveAnswers.enqueue(path);
    form->cmdSaveAs->click();

    // Somewhere else entirely before opening.
    (mode == "FAN1" ? form->OptBoxFan2 : form->OptBoxFan1)->click();
    form->optSel[1 - material]->click();
    for (const QString& name : names) field(form, name)->setText("x" + name.mid(4, 1));
    form->txtT3->setText("x3");
    form->txtT4->setText("x4");

    t.platform.openAnswers.enqueue(path);
    form->cmdOpen->click();
    QCOMPARE(t.platform.messages, QStringList());
    QCOMPARE(snapshot(form), restored);
}

void TestFiles::modelLine_data() {
    QTest::addColumn<QString>("model");
    QTest::addColumn<QByteArray>("line");  // as written, hand-checked against a CP949 table
    QTest::addColumn<QString>("readBack");
    QTest::newRow("ASCII") << "VKA-2500BR" << QByteArray("VKA-2500BR") << "VKA-2500BR";
    QTest::newRow("Hangul in CP949") << QString::fromUtf8("에어컨 VKA-2500BR")
                                     << QByteArray("\xbf\xa1\xbe\xee\xc4\xc1 VKA-2500BR")
                                     << QString::fromUtf8("에어컨 VKA-2500BR");
    QTest::newRow("euro sign in CP949")
        << QString::fromUtf8("냉각기 €") << QByteArray("\xb3\xc3\xb0\xa2\xb1\xe2 \xa2\xe6")
        << QString::fromUtf8("냉각기 €");
    // Not in CP949: the line is written in UTF-8 behind the UTF-8 byte order
    // mark, nothing replaced.
    QTest::newRow("outside CP949") << QString::fromUtf8("FK ❄ 3000")
                                   << QByteArray(
                                          "\xef\xbb\xbf"
                                          "FK \xe2\x9d\x84 3000")
                                   << QString::fromUtf8("FK ❄ 3000");
    QTest::newRow("outside CP949 with Hangul")
        << QString::fromUtf8("냉각기 ❄")
        << QByteArray("\xef\xbb\xbf\xeb\x83\x89\xea\xb0\x81\xea\xb8\xb0 \xe2\x9d\x84")
        << QString::fromUtf8("냉각기 ❄");
    // CP949 bytes that are valid UTF-8 as well ("VK-å", "¯") stay CP949.
    QTest::newRow("책, CP949 that looks like UTF-8")
        << QString::fromUtf8("VK-책") << QByteArray("VK-\xc3\xa5") << QString::fromUtf8("VK-책");
    QTest::newRow("짱, CP949 that looks like UTF-8")
        << QString::fromUtf8("짱") << QByteArray("\xc2\xaf") << QString::fromUtf8("짱");
    QTest::newRow("짜 째 창 챕 together")
        << QString::fromUtf8("짜째창챕") << QByteArray("\xc2\xa5\xc2\xb0\xc3\xa2\xc3\xa9")
        << QString::fromUtf8("짜째창챕");
    // 癤 is EF BB in CP949 and 퓷 starts with BF: in CP949 the text would
    // begin with the UTF-8 mark and read back as something else.
    QTest::newRow("CP949 that starts like the UTF-8 mark")
        << QString::fromUtf8("癤퓷0")
        << QByteArray(
               "\xef\xbb\xbf\xe7\x99\xa4\xed\x93\xb7"
               "0")
        << QString::fromUtf8("癤퓷0");
    // A text that itself begins with U+FEFF (pasted from a file that had a
    // byte order mark) keeps it behind the line's own mark.
    QTest::newRow("text beginning with U+FEFF")
        << QChar(0xFEFF) + QString::fromUtf8("❄VK")
        << QByteArray("\xef\xbb\xbf\xef\xbb\xbf\xe2\x9d\x84VK")
        << QChar(0xFEFF) + QString::fromUtf8("❄VK");
    QTest::newRow("empty") << "" << QByteArray() << "";
}

void TestFiles::modelLine() {
    QFETCH(QString, model);
    QFETCH(QByteArray, line);
    QFETCH(QString, readBack);
    TestApp t;
    Form1* form = t.start();
    form->txtKind->setText(model);
    form->txtCoolValue->setText("2500");
    const QString path = makeCoolDir(t) + "/model.col";
    t.platform.saveAnswers.enqueue(path);
    form->cmdSaveAs->click();
    QCOMPARE(readAll(path), "Aircon\r\n1\r\n0.6\r\n2\r\n7\r\n1100\r\n40\r\n35\r\n5\r\n0\r\n" +
                                line + "\r\n2500\r\n");

    form->txtKind->setText("other");
    t.platform.openAnswers.enqueue(path);
    form->cmdOpen->click();
    QCOMPARE(t.platform.messages, QStringList());
    QCOMPARE(form->txtKind->text(), readBack);
}

// Every Hangul syllable whose two CP949 bytes are also valid UTF-8 (책 is
// C3 A5, "å" in UTF-8), found with Qt's own CP949 converter.
void TestFiles::cp949LookalikeSyllables() {
    QStringEncoder toCp949("windows-949");
    QVERIFY2(toCp949.isValid(), "Qt offers no CP949 converter");
    QString all;
    QByteArray allBytes;
    for (char16_t u = 0xAC00; u <= 0xD7A3; ++u) {
        const QString syllable(QChar{u});
        const QByteArray bytes = toCp949.encode(syllable);
        QVERIFY(!toCp949.hasError());
        QCOMPARE(bytes.size(), 2);
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString asUtf8 = utf8.decode(bytes);
        if (utf8.hasError()) continue;
        all += syllable;
        allBytes += bytes;
        const QString model = QStringLiteral("VK-") + syllable;
        QCOMPARE(EncodeModelLine(model), "VK-" + bytes);
        QCOMPARE(DetectModelLineEncoding("VK-" + bytes), ModelLineEncoding::Cp949);
        QCOMPARE(DecodeModelLine("VK-" + bytes), model);
    }
    QVERIFY2(all.size() > 300 && all.size() < 400, qPrintable(QString::number(all.size())));
    QVERIFY(all.contains(QString::fromUtf8("책")) && all.contains(QString::fromUtf8("짜")));

    // All of them in one line, valid UTF-8 as a whole, through a whole file.
    CoolFileRecord record;
    record.modelName = all;
    record.modelCapacity = 2500;
    const QByteArray file = CoolFileBytes(record);
    QVERIFY(file.contains("\r\n" + allBytes + "\r\n2500\r\n"));
    RecordingSink sink;
    QVERIFY(ReadCoolFileData(file, sink));
    QCOMPARE(sink.calls[10], "model " + all);
}

// Earlier versions wrote a model line in UTF-8 without the mark whenever its
// CP949 bytes would have been valid UTF-8. Such a line still reads as it did
// whenever it is not valid CP949, which holds for every single syllable.
void TestFiles::earlierUtf8ModelLines() {
    for (char16_t u = 0xAC00; u <= 0xD7A3; ++u) {
        const QString model = QStringLiteral("VK-") + QChar{u};
        const QByteArray bytes = model.toUtf8();
        // Three bytes a syllable, E A-D then two of 80-BF: whatever the
        // first two make in CP949, the last is a lone lead byte or no CP949
        // byte at all, so the line is no valid CP949.
        QCOMPARE(DetectModelLineEncoding(bytes), ModelLineEncoding::Utf8);
        QCOMPARE(DecodeModelLine(bytes), model);
    }
    // Neither CP949 nor UTF-8: CP949 with a replacement character.
    const QByteArray damaged("\xbf\xa1\xbe\xee\xc4\xc1\xff");
    QCOMPARE(DetectModelLineEncoding(damaged), ModelLineEncoding::Cp949Damaged);
    QCOMPARE(DecodeModelLine(damaged), QString::fromUtf8("에어컨\xef\xbf\xbd"));
    // The mark decides even where the rest would be valid CP949.
    QCOMPARE(DecodeModelLine(QByteArray("\xef\xbb\xbf"
                                        "VK-\xc3\xa5")),
             QString::fromUtf8("VK-å"));
}

void TestFiles::saveFailure_data() {
    QTest::addColumn<QString>("kind");
    // Failures that hold for root too (tests may run as root, whom file
    // permissions do not stop).
    QTest::newRow("folder is a regular file") << "parent-is-file";
    QTest::newRow("a folder in place of the file") << "target-is-folder";
    QTest::newRow("missing folder") << "missing-folder";
    // A folder that cannot be written alone is no failure: the file itself
    // is then rewritten in place.
    QTest::newRow("read-only folder and file") << "read-only-folder";
}

void TestFiles::saveFailure() {
    QFETCH(QString, kind);
    TestApp t;
    Form1* form = t.start();
    const QString dir = makeCoolDir(t);
    QString path;
    if (kind == "parent-is-file") {
        writeFile(dir + "/plain.txt", "keep");
        path = dir + "/plain.txt/calc.col";
    } else if (kind == "target-is-folder") {
        QDir(dir).mkdir("calc.col");
        path = dir + "/calc.col";
    } else if (kind == "missing-folder") {
        path = dir + "/missing/calc.col";
    } else {
        if (geteuid() == 0) QSKIP("root writes into read-only folders");
        writeFile(dir + "/calc.col", "old");
        QFile::setPermissions(dir + "/calc.col", QFile::ReadOwner);
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner);
        path = dir + "/calc.col";
    }
    const QStringList before =
        QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    t.platform.saveAnswers.enqueue(path);
    form->cmdSaveAs->click();
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    verifyWriteError(t.platform.messages, path);
    QCOMPARE(QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
    QCOMPARE(openFilesUnder(t.programDir()), QStringList());
    if (kind == "parent-is-file") QCOMPARE(readAll(dir + "/plain.txt"), QByteArray("keep"));
    if (kind == "target-is-folder") QVERIFY(QFileInfo(path).isDir());
    if (kind == "read-only-folder") QCOMPARE(readAll(path), QByteArray("old"));
}

void TestFiles::failedWriteKeepsOldFile() {
    TestApp t;
    Form1* form = t.start();
    const QString dir = makeCoolDir(t);
    const QString path = dir + "/calc.col";
    const QByteArray old = fixture("fan2-crlf.col");
    writeFile(path, old);
    t.platform.saveAnswers.enqueue(path);
    {
        // The new file is 46 bytes; the medium takes 10.
        FileSizeLimit limit(10);
        QVERIFY(limit.ok());
        form->cmdSaveAs->click();
    }
    verifyWriteError(t.platform.messages, path);
    QCOMPARE(readAll(path), old);
    QCOMPARE(QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{"calc.col"});
    QCOMPARE(openFilesUnder(t.programDir()), QStringList());

    // Once the medium has room again, the same command replaces the file.
    t.platform.saveAnswers.enqueue(path);
    form->cmdSaveAs->click();
    QCOMPARE(t.platform.messages.size(), 1);
    QVERIFY(readAll(path).startsWith("Aircon\r\n"));
}

// ---- Open ------------------------------------------------------------------

void TestFiles::openFixture_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("fails");
    // Before opening: kBaseline, mode FAN1, resin, results 11.11, OLD, 999.
    // Selecting Aircon resets its defaults (T2 35) before the file's values.
    const QString aircon = "Aircon|steel|1.2|0.8|2.1|9.36|1500|45|30|40|68|5|2075|VKA-2500BR|2500";
    const QString fan2 = "FAN2|resin|0.8|0.5|1.6|4.56|750|38|52|36|61|3.7|20.33|FK-5500|30.5";
    const QString fan1 = "FAN1|steel|0.6|0.4|1|2.24|300|35|50|40|68|5|2.8|FK-0800|120";
    const QString keptMode = "FAN1|steel|1.2|0.8|2.1|9.36|1500|45|30|40|68|5|2075|VKA-2500BR|2500";
    const QString allButLast =
        "Aircon|steel|1.2|0.8|2.1|9.36|1500|45|30|40|68|5|2075|VKA-2500BR|999";
    QTest::newRow("Aircon, CR LF") << "aircon-crlf.col" << aircon << false;
    QTest::newRow("Aircon, LF") << "aircon-lf.col" << aircon << false;
    QTest::newRow("FAN2, CR LF") << "fan2-crlf.col" << fan2 << false;
    QTest::newRow("FAN2, LF") << "fan2-lf.col" << fan2 << false;
    QTest::newRow("FAN1, lines after the last, blanks around it")
        << "fan1-trailing-lines-crlf.col" << fan1 << false;
    QTest::newRow("UTF-8 byte order mark") << "utf8-bom-crlf.col" << fan1 << false;
    QTest::newRow("lowercase marker keeps the mode")
        << "lowercase-marker-lf.col" << keptMode << false;
    QTest::newRow("unknown marker keeps the mode")
        << "unknown-marker-crlf.col" << keptMode << false;
    QTest::newRow("coefficient 4.2 keeps the material")
        << "odd-coefficient-lf.col"
        << "Aircon|resin|1.2|0.8|2.1|9.36|1500|45|30|40|68|3.7|2075|VKA-2500BR|2500" << false;
    QTest::newRow("model in CP949")
        << "model-cp949-crlf.col"
        << QString(aircon).replace("VKA-2500BR", QString::fromUtf8("에어컨 VKA-2500BR")) << false;
    QTest::newRow("model in UTF-8")
        << "model-utf8-lf.col"
        << QString(aircon).replace("VKA-2500BR", QString::fromUtf8("에어컨 VKA-2500BR")) << false;
    QTest::newRow("model in CP949 that is valid UTF-8 too")
        << "model-cp949-utf8-lookalike-crlf.col"
        << QString(aircon).replace("VKA-2500BR", QString::fromUtf8("VK-책")) << false;
    QTest::newRow("model in UTF-8 behind the byte order mark")
        << "model-utf8-marked-crlf.col"
        << QString(aircon).replace("VKA-2500BR", QString::fromUtf8("FK ❄ 3000")) << false;
    QTest::newRow("model with a stray byte")
        << "model-invalid-bytes-crlf.col"
        << QString(aircon).replace("VKA-2500BR", QString::fromUtf8("에어컨\xef\xbf\xbd")) << false;
    QTest::newRow("ends after line 7")
        << "truncated-after-line-7-crlf.col"
        << "Aircon|resin|1.2|0.8|2.1|9.36|1500|45|35|40|68|3.7|11.11|OLD|999" << true;
    QTest::newRow("last line 12x") << "last-line-not-a-number-crlf.col" << allButLast << true;
    // 1E+999 reads as the largest double, as in every other line.
    QTest::newRow("last line overflows")
        << "last-line-overflow-lf.col"
        << QString(allButLast).replace("|999", "|1.79769313486232E+308") << false;
    QTest::newRow("last line empty") << "last-line-empty-crlf.col" << allButLast << true;
    QTest::newRow("last line missing") << "last-line-missing-lf.col" << allButLast << true;
    QTest::newRow("empty file") << "empty.col" << kBaseline << true;
    // Bytes 0 to 255: line 1 is 00..09, line 2 the rest, which reads as 0.
    QTest::newRow("binary") << "binary.col"
                            << "FAN1|resin|0|0.63|1.25|3.5469|500|40|55|40|68|3.7|11.11|OLD|999"
                            << true;
}

void TestFiles::openFixture() {
    QFETCH(QString, file);
    QFETCH(QString, after);
    QFETCH(bool, fails);
    TestApp t;
    Form1* form = startBaseline(t);
    t.platform.openAnswers.enqueue(kCoolData + file);
    form->cmdOpen->click();
    QCOMPARE(snapshot(form), after);
    QCOMPARE(t.platform.messages,
             fails ? QStringList{FakePlatform::fileErrorText()} : QStringList());
    QCOMPARE(openFilesUnder(kCoolData), QStringList());
}

void TestFiles::openTruncatedAtEveryLine_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("after");
    // A FAN2 file holds its values in the order of the snapshot's fields.
    const QStringList full =
        QStringLiteral("FAN2|resin|0.8|0.5|1.6|4.56|750|38|52|36|61|3.7|20.33|FK-5500|30.5")
            .split('|');
    const QStringList fan2Selected =
        QStringLiteral("FAN2|resin|0.63|0.63|1.25|3.5469|500|40|55|40|68|3.7|11.11|OLD|999")
            .split('|');
    for (const char* name : {"fan2-crlf.col", "fan2-lf.col"}) {
        const QByteArray data = fixture(name);
        qsizetype end = 0;
        for (int lines = 0; lines < 14; ++lines) {
            QStringList expected = lines == 0 ? kBaseline.split('|') : fan2Selected;
            for (int i = 0; i + 1 < lines; ++i) expected[2 + i] = full[2 + i];
            QTest::addRow("%s, %d lines", name, lines) << data.left(end) << expected.join('|');
            end = data.indexOf('\n', end) + 1;
        }
    }
}

void TestFiles::openTruncatedAtEveryLine() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, after);
    TestApp t;
    Form1* form = startBaseline(t);
    const QString path = makeCoolDir(t) + "/cut.col";
    writeFile(path, bytes);
    t.platform.openAnswers.enqueue(path);
    form->cmdOpen->click();
    QCOMPARE(snapshot(form), after);
    QCOMPARE(t.platform.messages, QStringList{FakePlatform::fileErrorText()});
    QCOMPARE(openFilesUnder(t.programDir()), QStringList());
}

void TestFiles::openUnreadable_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("missing file") << "Cool/none.col";
    QTest::newRow("a folder") << "Cool";
    QTest::newRow("endless zero bytes") << "/dev/zero";
    // Opened for reading, a pipe without a writer blocks until one comes.
    QTest::newRow("named pipe") << "Cool/pipe.col";
}

void TestFiles::openUnreadable() {
    QFETCH(QString, path);
    TestApp t;
    Form1* form = startBaseline(t);
    const QString dir = makeCoolDir(t);
    if (path.endsWith("pipe.col")) QCOMPARE(mkfifo(qPrintable(dir + "/pipe.col"), 0600), 0);
    t.platform.openAnswers.enqueue(path.startsWith('/') ? path : t.programDir() + "/" + path);
    form->cmdOpen->click();
    QCOMPARE(snapshot(form), kBaseline);
    QCOMPARE(t.platform.messages, QStringList{FakePlatform::fileErrorText()});
}

void TestFiles::openFromCommandLine_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("Aircon") << kCoolData + "aircon-crlf.col";
    QTest::newRow("FAN2") << kCoolData + "fan2-lf.col";
    QTest::newRow("model in CP949") << kCoolData + "model-cp949-crlf.col";
    QTest::newRow("ends after line 7") << kCoolData + "truncated-after-line-7-crlf.col";
    QTest::newRow("last line 12x") << kCoolData + "last-line-not-a-number-crlf.col";
    QTest::newRow("missing file") << kCoolData + "none.col";
    QTest::newRow("a folder") << QString(CC_TEST_DATA_DIR "/cool");
}

// A file named on the command line ends exactly as the same file chosen in
// the open dialog: the same fields, the same message, and no dialog.
void TestFiles::openFromCommandLine() {
    QFETCH(QString, path);
    TestApp byDialog;
    Form1* dialogForm = startBaseline(byDialog);
    byDialog.platform.openAnswers.enqueue(path);
    dialogForm->cmdOpen->click();

    TestApp byName;
    Form1* form = startBaseline(byName);
    openCalculationFileNamed(*byName.app, path);
    QCOMPARE(snapshot(form), snapshot(dialogForm));
    // A name that leads nowhere is said to be missing; the dialog cannot
    // choose such a name, and Open keeps its own message.
    if (QFileInfo::exists(path))
        QCOMPARE(byName.platform.messages, byDialog.platform.messages);
    else
        QCOMPARE(byName.platform.messages,
                 QStringList{QStringLiteral("파일을 찾을 수 없습니다.\n") + path});
    QVERIFY(byName.platform.openDialogs.isEmpty());
    QCOMPARE(openFilesUnder(kCoolData), QStringList());
}

void TestFiles::dialogsStartInUserFolderWhenCoolIsUnwritable() {
    // Cool/ is a plain file here: no one, root included, can save into it.
    TestApp t;
    writeFile(coolDir(t), "not a folder");
    QTemporaryDir documents;
    InstallPaths paths = desktopInstallPaths(t.programDir());
    paths.userDocumentsDir = documents.path().toStdU16String();
    t.app = std::make_unique<CabinetCoolApp>(t.platform, paths);
    Form1* form = t.start();
    const QString userFolder = documents.path() + "/CabinetCool";

    form->cmdSaveAs->click();
    form->cmdOpen->click();
    QCOMPARE(t.platform.saveDialogs.first().startFolder, userFolder);
    QCOMPARE(t.platform.openDialogs.first().startFolder, userFolder);
    QVERIFY(QFileInfo(userFolder).isDir());

    // And the calculation saved there opens again.
    t.platform.saveAnswers.enqueue(userFolder + "/calc.col");
    form->cmdSaveAs->click();
    QCOMPARE(t.platform.messages, QStringList());
    QVERIFY(readAll(userFolder + "/calc.col").startsWith("Aircon\r\n1\r\n"));
}

void TestFiles::readerTakesOnlyWhatTheFormatNeeds() {
    // A whole file and then endless data: the reader stops after its 12 lines.
    EndlessDevice afterFile(fixture("aircon-crlf.col"), 'x');
    afterFile.open(QIODevice::ReadOnly);
    RecordingSink sink;
    QVERIFY(ReadCoolFile(afterFile, sink));
    QCOMPARE(sink.calls.size(), 12);  // the mode, ten numbers, the model
    QCOMPARE(sink.calls.last(),
             QStringLiteral("number %1 2500").arg(int(CoolField::ModelCapacity)));
    QVERIFY(afterFile.produced < 4 * kMaxCoolFileLine);

    // A first line that never ends: refused once it is longer than a line
    // can be, nothing applied.
    EndlessDevice endlessLine(QByteArray(), 'A');
    endlessLine.open(QIODevice::ReadOnly);
    RecordingSink none;
    QVERIFY(!ReadCoolFile(endlessLine, none));
    QCOMPARE(none.calls, QStringList());
    QVERIFY(endlessLine.produced < 4 * kMaxCoolFileLine);

    // The longest model line a window can hold still reads.
    const QString longest(32767, QChar(0xD55C));  // 한, three bytes in UTF-8
    QByteArray data = fixture("aircon-lf.col");
    data.replace("VKA-2500BR", longest.toUtf8());
    RecordingSink longSink;
    QVERIFY(ReadCoolFileData(data, longSink));
    QCOMPARE(longSink.calls[10], "model " + longest);
}

// The longest line the reader takes, with either line end, and one byte
// more; the model line of a file, the one line of text.
void TestFiles::longestLine_data() {
    QTest::addColumn<qsizetype>("length");
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::addColumn<bool>("reads");
    QTest::newRow("longest, LF") << kMaxCoolFileLine << QByteArray("\n") << true;
    QTest::newRow("longest, CR LF") << kMaxCoolFileLine << QByteArray("\r\n") << true;
    QTest::newRow("one more, LF") << kMaxCoolFileLine + 1 << QByteArray("\n") << false;
    QTest::newRow("one more, CR LF") << kMaxCoolFileLine + 1 << QByteArray("\r\n") << false;
}

void TestFiles::longestLine() {
    QFETCH(qsizetype, length);
    QFETCH(QByteArray, lineEnd);
    QFETCH(bool, reads);
    const QByteArray model(length, 'M');
    QByteArray data = fixture("aircon-lf.col");
    data.replace("VKA-2500BR\n", model + lineEnd);
    RecordingSink sink;
    QCOMPARE(ReadCoolFileData(data, sink), reads);
    if (reads) {
        QCOMPARE(sink.calls.size(), 12);
        QCOMPARE(sink.calls[10], "model " + QString::fromLatin1(model));
    } else {
        QCOMPARE(sink.calls.size(), 10);  // the mode and nine numbers, then the refusal
    }
}

void TestFiles::strictLastLine_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");
    QTest::newRow("integer") << QByteArray("2500") << true << 2500.0;
    QTest::newRow("blanks and tabs around") << QByteArray(" \t 2500\t ") << true << 2500.0;
    QTest::newRow("signed decimal exponent") << QByteArray("-1.5e3") << true << -1500.0;
    QTest::newRow("D exponent") << QByteArray("1.5D2") << true << 150.0;
    QTest::newRow("leading period") << QByteArray("+.5") << true << 0.5;
    QTest::newRow("trailing period") << QByteArray("5.") << true << 5.0;
    QTest::newRow("hexadecimal") << QByteArray("&H1f") << true << 31.0;
    QTest::newRow("octal") << QByteArray("&O17") << true << 15.0;
    QTest::newRow("underflow reads as 0") << QByteArray("1E-400") << true << 0.0;
    QTest::newRow("empty") << QByteArray("") << false << 0.0;
    QTest::newRow("blanks only") << QByteArray("   ") << false << 0.0;
    QTest::newRow("letters after") << QByteArray("12x") << false << 0.0;
    QTest::newRow("blank inside") << QByteArray("1 2") << false << 0.0;
    QTest::newRow("comma") << QByteArray("1,5") << false << 0.0;
    QTest::newRow("exponent without digits") << QByteArray("1E+") << false << 0.0;
    // The top of the range reads as every other line of the file reads it: a
    // value beyond a double is the largest double of its sign.
    const double largest = std::numeric_limits<double>::max();
    QTest::newRow("largest double as written")
        << QByteArray("1.79769313486232E+308") << true << largest;
    QTest::newRow("negative largest double as written")
        << QByteArray("\t-1.79769313486232E+308 ") << true << -largest;
    QTest::newRow("overflow") << QByteArray("1E+999") << true << largest;
    QTest::newRow("negative overflow") << QByteArray("-1E99999999999") << true << -largest;
    QTest::newRow("hexadecimal overflow") << "&H" + QByteArray(300, 'F') << true << largest;
    QTest::newRow("sign only") << QByteArray("-") << false << 0.0;
    QTest::newRow("period only") << QByteArray(".") << false << 0.0;
    QTest::newRow("C hexadecimal") << QByteArray("0x10") << false << 0.0;
    QTest::newRow("two signs") << QByteArray("+-1") << false << 0.0;
    QTest::newRow("nan") << QByteArray("nan") << false << 0.0;
    QTest::newRow("infinity") << QByteArray("inf") << false << 0.0;
    QTest::newRow("carriage return") << QByteArray("12\r") << false << 0.0;
    QTest::newRow("NUL") << QByteArray("12\0", 3) << false << 0.0;
}

void TestFiles::strictLastLine() {
    QFETCH(QByteArray, text);
    QFETCH(bool, valid);
    QFETCH(double, value);
    const std::optional<double> parsed = ParseStrictNumber(text);
    QCOMPARE(parsed.has_value(), valid);
    if (valid) QCOMPARE(*parsed, value);
}

// ---- Print -----------------------------------------------------------------

void TestFiles::printShowsNoScreenOnlyButtons() {
    TestApp t;
    Form1* form = t.start();
    // The user clicks the print button, which takes the focus.
    form->activateWindow();
    QCoreApplication::processEvents();
    QVERIFY(form->isActiveWindow());
    form->cmdPrint->setFocus(Qt::MouseFocusReason);
    QVERIFY(form->cmdPrint->hasFocus());
    QStringList hiddenDuringDialog;
    bool othersShown = false;
    // A window made smaller than its design (as on a small screen) and
    // scrolled: the print still holds all of its client area at the design
    // size.
    QWidget* client = scrollableClientOf(form);
    QCOMPARE(client->size(), twipsSize(8130, 10650));
    form->resize(form->width(), 400);
    QScrollArea* area = clientScrollArea(form);
    QVERIFY(area && area->viewport()->height() < client->height());
    area->verticalScrollBar()->setValue(150);
    t.platform.onPrintDialog = [&](QWidget* window) {
        QCOMPARE(window, client);
        for (const QString& name : kScreenOnly) {
            if (!form->findChild<QPushButton*>(name)->isVisible()) hiddenDuringDialog << name;
        }
        othersShown = form->cmdCal->isVisible() && form->cmdSS->isVisible() &&
                      form->cmdHeatValue->isVisible();
    };
    form->cmdPrint->click();
    QCOMPARE(t.platform.printDialogs, 1);
    QCOMPARE(hiddenDuringDialog, kScreenOnly);
    QVERIFY(othersShown);
    QCOMPARE(t.platform.printedImages.size(), 1);

    const QImage printed = t.platform.printedImages.first();
    const QImage screen = client->grab().toImage();
    QCOMPARE(printed.size(), client->size());
    QCOMPARE(printed.size(), screen.size());
    for (const QString& name : kScreenOnly) {
        auto* button = form->findChild<QPushButton*>(name);
        QVERIFY2(button->isVisible(), qPrintable(name));
        // On screen the button is drawn; on paper its place is empty.
        QVERIFY2(!isUniform(region(screen, client, button)), qPrintable(name));
        QVERIFY2(isUniform(region(printed, client, button)), qPrintable(name));
    }
    // "계 산" and the other buttons are on paper as on screen.
    QCOMPARE(form->cmdCal->text(), QStringLiteral("계 산"));
    for (QWidget* w :
         {static_cast<QWidget*>(form->cmdCal), static_cast<QWidget*>(form->cmdSS),
          static_cast<QWidget*>(form->cmdHeatValue), static_cast<QWidget*>(form->OptBoxAircon)}) {
        QVERIFY(!isUniform(region(printed, client, w)));
        QCOMPARE(region(printed, client, w), region(screen, client, w));
    }
    // The focus did not pass to a field while the buttons were hidden: no
    // field was printed with its text selected, and the button has it back.
    QCOMPARE(region(printed, client, form->txtHeight), region(screen, client, form->txtHeight));
    QVERIFY(!form->txtHeight->hasSelectedText());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(form->cmdPrint));
    QCOMPARE(t.platform.messages, QStringList());
}

void TestFiles::printRestoresButtonsOnEveryPath_data() {
    QTest::addColumn<PlatformServices::PrintOutcome>("outcome");
    QTest::newRow("printed") << PlatformServices::PrintOutcome::Printed;
    QTest::newRow("cancelled") << PlatformServices::PrintOutcome::Cancelled;
    QTest::newRow("failed") << PlatformServices::PrintOutcome::Failed;
}

void TestFiles::printRestoresButtonsOnEveryPath() {
    QFETCH(PlatformServices::PrintOutcome, outcome);
    TestApp t;
    Form1* form = t.start();
    const QString before = snapshot(form);
    VisibilityLog log;
    for (const QString& name : kScreenOnly)
        form->findChild<QPushButton*>(name)->installEventFilter(&log);
    t.platform.printOutcome = outcome;

    QStringList expected;
    for (const QString& name : kScreenOnly) expected << "hide " + name;
    for (const QString& name : kScreenOnly) expected << "show " + name;
    // Twice in a row, the same both times.
    for (int round = 1; round <= 2; ++round) {
        log.events.clear();
        form->cmdPrint->click();
        QCOMPARE(log.events, expected);
        QCOMPARE(t.platform.printDialogs, round);
        for (const QString& name : kScreenOnly)
            QVERIFY(form->findChild<QPushButton*>(name)->isVisible());
    }
    QCOMPARE(t.platform.printedImages.size(),
             outcome == PlatformServices::PrintOutcome::Printed ? 2 : 0);
    QCOMPARE(t.platform.messages, QStringList());
    QCOMPARE(snapshot(form), before);
}

// ---- Writing where only the file may be written, stale temporaries ----------

void TestFiles::saveIntoReadOnlyFolderWritesTheFileInPlace() {
    // A file the user may write in a folder the user may not: the save
    // rewrites the file itself. Root writes anywhere, so as root the writer
    // runs in a child process as the unprivileged user "nobody".
    QTemporaryDir tmp;
    const QString dir = tmp.path() + "/shared";
    QVERIFY(QDir().mkdir(dir));
    const QString path = dir + "/calc.col";
    writeFile(path, "old");
    QVERIFY(chmod(qPrintable(path), 0666) == 0);
    QVERIFY(chmod(qPrintable(dir), 0555) == 0);
    QVERIFY(chmod(qPrintable(tmp.path()), 0755) == 0);
    struct stat before {};
    QCOMPARE(stat(qPrintable(path), &before), 0);
    const QByteArray bytes =
        "Aircon\r\n1\r\n0.6\r\n2\r\n7\r\n1100\r\n40\r\n35\r\n5\r\n0\r\n\r\n0\r\n";

    // Its journal goes where that user may write.
    const QString journals = tmp.path() + "/journals";
    QVERIFY(QDir().mkdir(journals));
    QVERIFY(chmod(qPrintable(journals), 0777) == 0);
    setUnfinishedSaveFolder(journals);
    bool written = false;
    if (geteuid() == 0) {
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            const bool ok = setgid(65534) == 0 && setuid(65534) == 0 && geteuid() != 0 &&
                            !QFileInfo(dir).isWritable() && replaceFileContents(path, bytes);
            _exit(ok ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        written = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    } else {
        written = replaceFileContents(path, bytes);
    }
    QVERIFY(chmod(qPrintable(dir), 0755) == 0);

    QVERIFY(written);
    QCOMPARE(readAll(path), bytes);
    struct stat after {};
    QCOMPARE(stat(qPrintable(path), &after), 0);
    QCOMPARE(after.st_ino, before.st_ino);  // the same file, rewritten
    QCOMPARE(QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{"calc.col"});
    QCOMPARE(QDir(journals).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList());
    setUnfinishedSaveFolder(QString());
}

void TestFiles::saveTouchesOnlyLeftoversOfItsOwn_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");  // file, folder, link, fresh (made during this run)
    QTest::addColumn<bool>("removed");
    // What a user keeps beside a calculation, and what other programs leave.
    QTest::newRow("backup") << "plan.col.backup"
                            << "file" << false;
    QTest::newRow("dated copy") << "plan.col.202401"
                                << "file" << false;
    QTest::newRow("numbered copy") << "plan.col.old001"
                                   << "file" << false;
    QTest::newRow("short suffix") << "plan.col.bak"
                                  << "file" << false;
    QTest::newRow("six digits") << "plan.col.123456"
                                << "file" << false;
    QTest::newRow("long suffix") << "plan.col.v2final"
                                 << "file" << false;
    QTest::newRow("another program's temporary") << ".plan.col.Ab12Cd"
                                                 << "file" << false;
    QTest::newRow("our name, a folder") << ".plan.col.cabinetcool-Ab12Cd"
                                        << "folder" << false;
    QTest::newRow("our name, a link") << ".plan.col.cabinetcool-Ab12Cd"
                                      << "link" << false;
    QTest::newRow("our name, from this run") << ".plan.col.cabinetcool-Ab12Cd"
                                             << "fresh" << false;
    QTest::newRow("our name, five letters") << ".plan.col.cabinetcool-Ab12C"
                                            << "file" << false;
    QTest::newRow("our name, another file's") << ".other.col.cabinetcool-Ab12Cd"
                                              << "file" << false;
    // What a save of an earlier run, killed before its rename, left.
    QTest::newRow("our leftover") << ".plan.col.cabinetcool-Ab12Cd"
                                  << "file" << true;
    QTest::newRow("our leftover, digits") << ".plan.col.cabinetcool-000000"
                                          << "file" << true;
}

void TestFiles::saveTouchesOnlyLeftoversOfItsOwn() {
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(bool, removed);
    TestApp t;
    Form1* form = t.start();
    const QString dir = makeCoolDir(t);
    const QString path = dir + "/plan.col";
    writeFile(path, "old");
    QVERIFY(chmod(qPrintable(path), 0640) == 0);
    writeFile(dir + "/elsewhere", "linked");
    const QString beside = dir + "/" + name;
    if (kind == "folder") {
        QVERIFY(QDir().mkdir(beside));
    } else if (kind == "link") {
        QVERIFY(QFile::link(dir + "/elsewhere", beside));
    } else {
        writeFile(beside, "kept by the user");
    }
    if (kind != "fresh") {
        const QDateTime twoDaysAgo = QDateTime::currentDateTime().addDays(-2);
        const struct timespec times[2] = {{twoDaysAgo.toSecsSinceEpoch(), 0},
                                          {twoDaysAgo.toSecsSinceEpoch(), 0}};
        QVERIFY(utimensat(AT_FDCWD, qPrintable(beside), times, AT_SYMLINK_NOFOLLOW) == 0);
    }

    t.platform.saveAnswers.enqueue(path);
    form->cmdSaveAs->click();

    QCOMPARE(t.platform.messages, QStringList());
    QVERIFY(readAll(path).startsWith("Aircon\r\n"));
    struct stat st {};
    QCOMPARE(stat(qPrintable(path), &st), 0);
    QCOMPARE(st.st_mode & 0777, 0640u);
    QStringList expected = {"elsewhere", "plan.col"};
    if (!removed) expected << name;
    expected.sort();
    QCOMPARE(
        QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
        expected);
    QCOMPARE(readAll(dir + "/elsewhere"), QByteArray("linked"));
    if (kind == "file" && !removed) QCOMPARE(readAll(beside), QByteArray("kept by the user"));
}

QTEST_MAIN(TestFiles)
#include "tst_files.moc"
