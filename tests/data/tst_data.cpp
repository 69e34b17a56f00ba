#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <QtTest>

#include "calc/NumberText.h"
#include "data/EquipmentHeatTables.h"
#include "data/IniFile.h"
#include "data/ModelLists.h"
#include "data/RegularFile.h"

namespace {

std::filesystem::path fixture(const char* name) {
    return std::filesystem::path(CC_TEST_DATA_DIR) / "ini" / name;
}

std::filesystem::path shippedIni() {
    return std::filesystem::path(CC_ASSETS_DIR) / "env" / "app.ini";
}

std::string_view view(const QByteArray& bytes) {
    return std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()));
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

IniSelection everything() {
    IniSelection selection = equipmentIniSelection();
    selectModelLists(selection);
    return selection;
}

// A socket bound to `path`, open as long as the returned descriptor is.
int boundSocket(const QString& path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (fd < 0 || static_cast<size_t>(name.size()) >= sizeof address.sun_path) return -1;
    std::memcpy(address.sun_path, name.constData(), static_cast<size_t>(name.size()));
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

class TestData : public QObject {
    Q_OBJECT
private slots:
    void iniValue_data();
    void iniValue();
    void readIniStringFromFile();
    void shippedTables();
    void missingOrBrokenFile_data();
    void missingOrBrokenFile();
    void partialFile();
    void reloadOverwritesEverything();
    void sectionsMatchTheirTables();
    void everyKeyFillsItsEntry();
    void onlyRegularFilesAreRead_data();
    void onlyRegularFilesAreRead();
    void largestFileKeepsLittle();
    void modelLists();
    void modelListsAreCapped();
    void shippedModelLists();
};

void TestData::iniValue_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("plain") << QByteArray("[Transformer]\n250=12.5\n") << "Transformer" << "250" << "12.5";
    QTest::newRow("blanks around equals") << QByteArray("[Transformer]\n250 = 12.5 \n") << "Transformer" << "250" << "12.5";
    QTest::newRow("tabs") << QByteArray("[A]\n\tk\t=\tv\t\n") << "A" << "k" << "v";
    QTest::newRow("section case") << QByteArray("[plc]\n0.5=3\n") << "PLC" << "0.5" << "3";
    QTest::newRow("key case") << QByteArray("[ContactorRelay]\nac=3\n") << "ContactorRelay" << "AC" << "3";
    QTest::newRow("key text matched as written") << QByteArray("[PLC]\n0.50=3\n") << "PLC" << "0.5" << "";
    QTest::newRow("blanks inside brackets") << QByteArray("[ PLC ]\n0.5=3\n") << "PLC" << "0.5" << "3";
    QTest::newRow("double quotes") << QByteArray("[A]\nk=\"12.5\"\n") << "A" << "k" << "12.5";
    QTest::newRow("single quotes") << QByteArray("[A]\nk='x y'\n") << "A" << "k" << "x y";
    QTest::newRow("unmatched quote kept") << QByteArray("[A]\nk=\"12\n") << "A" << "k" << "\"12";
    QTest::newRow("value after first equals") << QByteArray("[A]\nk=v=w\n") << "A" << "k" << "v=w";
    QTest::newRow("crlf") << QByteArray("[A]\r\nk=v\r\n") << "A" << "k" << "v";
    QTest::newRow("first key wins") << QByteArray("[A]\nk=1\nk=2\n") << "A" << "k" << "1";
    QTest::newRow("first section wins") << QByteArray("[A]\nk=1\n[A]\nk=2\n") << "A" << "k" << "1";
    QTest::newRow("key of other section") << QByteArray("[A]\nk=1\n[B]\nj=2\n") << "B" << "k" << "";
    QTest::newRow("key before any section") << QByteArray("k=1\n[A]\n") << "A" << "k" << "";
    QTest::newRow("comment") << QByteArray("[A]\n;k=1\n") << "A" << ";k" << "";
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF[A]\nk=1\n") << "A" << "k" << "1";
    QTest::newRow("nul ends value") << QByteArray("[A]\nk=12\0 34\n", 14) << "A" << "k" << "12";
    QTest::newRow("missing section") << QByteArray("[A]\nk=1\n") << "Z" << "k" << "";
    QTest::newRow("no closing bracket") << QByteArray("[A\nk=1\n") << "A" << "k" << "";
    QTest::newRow("empty text") << QByteArray() << "A" << "k" << "";
    QTest::newRow("section given twice adds keys") << QByteArray("[A]\nk=1\n[B]\n[A]\nj=2\n") << "A" << "j" << "2";
    QTest::newRow("last line without line end") << QByteArray("[A]\nk=v") << "A" << "k" << "v";
    QTest::newRow("text after the bracket") << QByteArray("[A] x\nk=1\n") << "A" << "k" << "1";
    QTest::newRow("blank inside a key") << QByteArray("[A]\nmy key = 1\n") << "A" << "MY KEY" << "1";
    QTest::newRow("blanks only") << QByteArray("[A]\nk=  \t \n") << "A" << "k" << "";
    QTest::newRow("empty value wins over later one") << QByteArray("[A]\nk=\nk=2\n") << "A" << "k" << "";
    QTest::newRow("lone quote") << QByteArray("[A]\nk=\"\n") << "A" << "k" << "\"";
    QTest::newRow("quotes of two kinds kept") << QByteArray("[A]\nk=\"x'\n") << "A" << "k" << "\"x'";
    QTest::newRow("quotes before a nul") << QByteArray("[A]\nk= 'ab' \0 zz\n", 17) << "A" << "k" << "ab";
    QTest::newRow("nul first") << QByteArray("[A]\nk=\0 12\n", 11) << "A" << "k" << "";
    QTest::newRow("bracket line without name") << QByteArray("[]\nk=1\n") << "" << "k" << "1";
    QTest::newRow("unclosed bracket keeps section") << QByteArray("[A]\n[B\nk=1\n") << "A" << "k" << "1";
    QTest::newRow("lines end at LF only") << QByteArray("[A]\rk=1\n") << "A" << "k" << "";
    QTest::newRow("bom only at the start") << QByteArray("[A]\n\xEF\xBB\xBFk=1\n") << "A" << "k" << "";
    QTest::newRow("value cut after quotes") << "[A]\nk=\"" + QByteArray(1500, 'x') + "\"\n" << "A" << "k" << QString(1023, 'x');
    QTest::newRow("value of 1024 cut") << "[A]\nk=" + QByteArray(1024, 'y') + "\n" << "A" << "k" << QString(1023, 'y');
    QTest::newRow("quotes around 1023") << "[A]\nk='" + QByteArray(1023, 'z') + "'\n" << "A" << "k" << QString(1023, 'z');
    QTest::newRow("blanks beyond the cut") << "[A]\nk=" + QByteArray(1023, 'y') + QByteArray(3000, ' ') + "\n" << "A" << "k" << QString(1023, 'y');
    QTest::newRow("longest names") << "[" + QByteArray(1023, 's') + "  ]\n" + QByteArray(1023, 'k') + " =1\n" << QString(1023, 's') << QString(1023, 'k') << "1";
    QTest::newRow("section name too long") << "[" + QByteArray(1024, 's') + "]\nk=1\n" << QString(1024, 's') << "k" << "";
    QTest::newRow("long section is another section") << "[A]\n[" + QByteArray(5000, 's') + "]\nk=1\n" << "A" << "k" << "";
    QTest::newRow("key too long") << "[A]\n" + QByteArray(1024, 'k') + "=1\n" << "A" << QString(1024, 'k') << "";
    // clang-format on
}

void TestData::iniValue() {
    QFETCH(QByteArray, ini);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    const std::string s = section.toStdString();
    const std::string k = key.toStdString();
    const IniFile file(view(ini), IniSelection().key(s, k));
    QCOMPARE(QString::fromStdString(file.value(s, k)), expected);

    // A file arrives in pieces that may split a line, a name or the byte
    // order mark anywhere: one byte at a time gives the same value.
    IniParser parser(IniSelection().key(s, k));
    for (char c : view(ini)) parser.feed(std::string_view(&c, 1));
    QCOMPARE(QString::fromStdString(parser.finish().value(s, k)), expected);

    // Asked for as a listed section, the key is there with the same value.
    const IniFile listed(view(ini), IniSelection().list(s, 4));
    QCOMPARE(QString::fromStdString(listed.value(s, k)), expected);
}

void TestData::readIniStringFromFile() {
    QCOMPARE(ReadIniString("Transformer", "250", fixture("partial.ini")), std::string("12.5"));
    QCOMPARE(ReadIniString("Transformer", "250", fixture("does-not-exist.ini")), std::string());

    // A value longer than the buffer is cut to its first 1023 characters.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[A]\nk=" + QByteArray(2000, '7') + "\n");
    file.close();
    const std::string value = ReadIniString("A", "k", path.toStdString());
    QCOMPARE(value.size(), size_t(1023));
    QCOMPARE(value, std::string(1023, '7'));
}

void TestData::shippedTables() {
    EquipmentHeatTables t;
    LoadIniValues(t, shippedIni());
    QCOMPARE(t.TransformerLoss.front(), 23.0);
    QCOMPARE(t.TransformerLoss.back(), 270.0);
    QCOMPARE(t.CircuitBreakerLoss.back(), 330.0);
    QCOMPARE(t.PlcLoss[1], 0.9);
    QCOMPARE(t.ContactorRelayLoss[1], 3.0);
    QCOMPARE(t.PowerContactorLoss[1], 5.5);
    QCOMPARE(t.IndicatorLoss[2], 5.0);
    QCOMPARE(t.PowerSupplyLoss.back(), 582.0);
    QCOMPARE(t.InverterLoss[16], 700.0);
    QCOMPARE(t.InverterLoss.back(), 4500.0);
    QCOMPARE(t.FanModelCapacity[2], 12.5);
    QCOMPARE(t.FanModelCapacity.back(), 120.0);
    QCOMPARE(t.AirconModelCapacity[2], 500.0);
    QCOMPARE(t.AirconModelCapacity[7], 1600.0);
    QCOMPARE(t.AirconModelCapacity.back(), 3500.0);
    QCOMPARE(t.FanModelName[0], std::string("VK-170"));
    QCOMPARE(t.FanModelName[14], std::string("VK-400"));
    // Capacities rise with the key order, so the search finds the smallest
    // sufficient model.
    QVERIFY(std::is_sorted(t.FanModelCapacity.begin(), t.FanModelCapacity.end()));
    QVERIFY(std::is_sorted(t.AirconModelCapacity.begin(), t.AirconModelCapacity.end()));
    QCOMPARE(t.TotalHeatValue, 0.0);
}

void TestData::missingOrBrokenFile_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("missing") << "does-not-exist.ini";
    QTest::newRow("empty") << "empty.ini";
    QTest::newRow("garbled") << "garbled.ini";
    QTest::newRow("a folder") << ".";
}

void TestData::missingOrBrokenFile() {
    QFETCH(QString, name);
    EquipmentHeatTables t;
    t.TransformerLoss[3] = 99;
    LoadIniValues(t, fixture(name.toStdString().c_str()));
    for (double v : t.TransformerLoss) QCOMPARE(v, 0.0);
    for (double v : t.InverterLoss) QCOMPARE(v, 0.0);
    for (double v : t.AirconModelCapacity) QCOMPARE(v, 0.0);
    for (double v : t.FanModelCapacity) QCOMPARE(v, 0.0);
    QCOMPARE(t.FanModelName[3], std::string("VK-150"));
    QCOMPARE(t.FanModelName[13], std::string("VK-421"));
}

void TestData::partialFile() {
    EquipmentHeatTables t;
    LoadIniValues(t, fixture("partial.ini"));
    QCOMPARE(t.TransformerLoss[0], 12.5);
    QCOMPARE(t.TransformerLoss[1], 20.0);
    QCOMPARE(t.TransformerLoss[2], 0.0);
    QCOMPARE(t.PlcLoss[0], 3.0);         // [plc] is PLC
    QCOMPARE(t.IndicatorLoss[1], 0.0);   // a key 2 is not the key 2.0
    QCOMPARE(t.IndicatorLoss[0], 1.5);   // quotes removed
    QCOMPARE(t.IndicatorLoss[2], 12.0);  // 12,5 reads as 12
    QCOMPARE(t.PowerSupplyLoss[0], 0.0);
    QCOMPARE(t.PowerSupplyLoss[1], 0.0);
    QCOMPARE(t.AirconModelCapacity[0], 0.0);
}

void TestData::reloadOverwritesEverything() {
    EquipmentHeatTables t;
    LoadIniValues(t, shippedIni());
    t.TotalHeatValue = 42;
    LoadIniValues(t, fixture("partial.ini"));
    QCOMPARE(t.TransformerLoss[0], 12.5);
    QCOMPARE(t.InverterLoss.back(), 0.0);
    QCOMPARE(t.AirconModelCapacity[7], 0.0);
    QCOMPARE(t.TotalHeatValue, 42.0);  // belongs to the component heat window
}

// Each section fills exactly its own table: as many keys as entries, the
// counts of the configuration file's documentation.
void TestData::sectionsMatchTheirTables() {
    const std::pair<std::string_view, size_t> expected[] = {{"Transformer", 12},
                                                            {"PowerCircuitBreaker", 11},
                                                            {"PLC", 3},
                                                            {"ContactorRelay", 2},
                                                            {"PowerContactor", 12},
                                                            {"Indicator", 3},
                                                            {"PowerSupply", 13},
                                                            {"Inverter", 27},
                                                            {"FAN-Model", 15},
                                                            {"Aircon-Model", 11}};
    EquipmentHeatTables t;
    QCOMPARE(equipmentSections().size(), std::size(expected));
    size_t keys = 0;
    for (size_t n = 0; n < std::size(expected); ++n) {
        const EquipmentSection& s = equipmentSections()[n];
        QCOMPARE(s.section, expected[n].first);
        QCOMPARE(s.keys.size(), expected[n].second);
        QCOMPARE(s.table(t).size(), expected[n].second);
        keys += s.keys.size();
    }
    QCOMPARE(keys, size_t(109));
    QCOMPARE(t.FanModelName.size(), size_t(15));
}

// every-key.ini gives key i of the n-th section the value n * 100 + i + 1
// and has one key too many in every section: each entry must show its own
// key's value, and the extra keys must land nowhere.
void TestData::everyKeyFillsItsEntry() {
    EquipmentHeatTables t;
    LoadIniValues(t, fixture("every-key.ini"));
    auto check = [](const auto& table, int section, const char* name) {
        for (size_t i = 0; i < table.size(); ++i) {
            QVERIFY2(table[i] == section * 100 + static_cast<int>(i) + 1,
                     qPrintable(QStringLiteral("%1[%2] = %3").arg(name).arg(i).arg(table[i])));
        }
    };
    check(t.TransformerLoss, 1, "TransformerLoss");
    check(t.CircuitBreakerLoss, 2, "CircuitBreakerLoss");
    check(t.PlcLoss, 3, "PlcLoss");
    check(t.ContactorRelayLoss, 4, "ContactorRelayLoss");
    check(t.PowerContactorLoss, 5, "PowerContactorLoss");
    check(t.IndicatorLoss, 6, "IndicatorLoss");
    check(t.PowerSupplyLoss, 7, "PowerSupplyLoss");
    check(t.InverterLoss, 8, "InverterLoss");
    check(t.FanModelCapacity, 9, "FanModelCapacity");
    check(t.AirconModelCapacity, 10, "AirconModelCapacity");
    QCOMPARE(t.FanModelName[2], std::string("VK-12"));
    QCOMPARE(t.TotalHeatValue, 0.0);
}

void TestData::onlyRegularFilesAreRead_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("named pipe without writer") << "fifo";
    QTest::newRow("link to a named pipe") << "fifo link";
    QTest::newRow("socket") << "socket";
    QTest::newRow("folder") << "folder";
    QTest::newRow("endless device") << "/dev/zero";
    QTest::newRow("empty device") << "/dev/null";
    QTest::newRow("terminal device") << "/dev/tty";
}

// Anything but a regular file counts as a file that cannot be read: nothing
// waits for a writer, nothing reads a device. Were a named pipe opened as a
// file, this test would never end.
void TestData::onlyRegularFilesAreRead() {
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(dir.filePath("program/env")));
    const QString ini = dir.filePath("program/env/app.ini");
    int socketFd = -1;
    if (kind == "fifo") {
        QCOMPARE(mkfifo(QFile::encodeName(ini).constData(), 0600), 0);
    } else if (kind == "fifo link") {
        QCOMPARE(mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600), 0);
        QVERIFY(QFile::link(dir.filePath("pipe"), ini));
    } else if (kind == "socket") {
        socketFd = boundSocket(ini);
        QVERIFY(socketFd >= 0);
    } else if (kind == "folder") {
        QVERIFY(QDir().mkpath(ini));
        QVERIFY(writeFile(ini + "/x", "[Transformer]\n250=5\n"));
    } else {
        QVERIFY(QFile::link(kind, ini));
    }

    QVERIFY(!RegularFile::open(ini.toStdString()));
    EquipmentHeatTables t;
    t.TransformerLoss[0] = 7;
    t.AirconModelCapacity[10] = 7;
    LoadIniValues(t, iniPathFor(dir.filePath("program").toStdString()));
    QCOMPARE(t.TransformerLoss[0], 0.0);
    QCOMPARE(t.AirconModelCapacity[10], 0.0);
    QCOMPARE(t.FanModelName[0], std::string("VK-170"));
    QCOMPARE(ReadIniString("Transformer", "250", ini.toStdString()), std::string());
    QCOMPARE(IniFile::load(ini.toStdString(), everything()).retainedBytes(), size_t(0));
    if (socketFd >= 0) close(socketFd);

    // The same path as a regular file reads.
    QVERIFY(QFile::remove(ini) || QDir(ini).removeRecursively());
    QVERIFY(writeFile(ini, "[Transformer]\n250=5\n"));
    LoadIniValues(t, iniPathFor(dir.filePath("program").toStdString()));
    QCOMPARE(t.TransformerLoss[0], 5.0);
}

// The largest file the reader takes, made of what costs most: every key
// the program asks for with an overlong value, model lists with more and
// longer designations than are kept, and millions of short lines, both in
// a section that is read and in one that is not. What the reader keeps must
// not grow with any of it.
void TestData::largestFileKeepsLittle() {
    QByteArray text;
    for (const EquipmentSection& s : equipmentSections()) {
        text += "[" + QByteArray(s.section.data(), qsizetype(s.section.size())) + "]\n";
        for (std::string_view key : s.keys) {
            text +=
                QByteArray(key.data(), qsizetype(key.size())) + "=" + QByteArray(3000, '4') + "\n";
        }
    }
    for (const char* list : {"[FilterFan-Model]\n", "[Heater-Model]\n"}) {
        text += list;
        for (int i = 0; i < 100; ++i) {
            text += QByteArray::number(i).rightJustified(1023, 'M') + "=" + QByteArray(3000, '5') +
                    "\n";
        }
    }
    text += "[Inverter]\n";
    const qsizetype half = qsizetype(IniFile::kMaxFileSize / 2);
    while (text.size() < half) text += "k=\n";
    text += "[filterfan-model]\n";
    for (int i = 0; text.size() < qsizetype(IniFile::kMaxFileSize) - 64; ++i) {
        text += "k" + QByteArray::number(i) + "=1\n";
    }
    // The file is read as far as its 16 MiB: the last line is cut there.
    text += "[Tail]\n";
    text += "last=" + QByteArray(qsizetype(IniFile::kMaxFileSize) - text.size() - 6, '0') + "7";
    QCOMPARE(text.size(), qsizetype(IniFile::kMaxFileSize));
    text += "5\n";

    QTemporaryDir dir;
    const QString path = dir.filePath("app.ini");
    QVERIFY(writeFile(path, text));

    const IniFile largest = IniFile::load(path.toStdString(), everything());
    const IniFile shipped = IniFile::load(shippedIni(), everything());
    QVERIFY(shipped.retainedBytes() > 0);
    // 109 values and 2 x 64 designations with their values, of at most
    // 1023 characters each, are about 400 kB.
    QVERIFY2(largest.retainedBytes() < shipped.retainedBytes() + (1u << 20),
             qPrintable(QString::number(largest.retainedBytes())));
    QCOMPARE(largest.value("Inverter", "250"), std::string(1023, '4'));
    QCOMPARE(largest.value("Inverter", "k"), std::string());
    QCOMPARE(LoadModelList(largest, kHeaterModelSection).size(), kMaxModelListEntries);
    QCOMPARE(LoadModelList(largest, kHeaterModelSection).back().name,
             QByteArray::number(63).rightJustified(1023, 'M').toStdString());

    const std::string last = ReadIniString("Tail", "last", path.toStdString());
    QCOMPARE(last.back(), '7');
    QCOMPARE(ParseNumber(last), 7.0);  // not 75: the 5 lies beyond the 16 MiB
}

void TestData::modelLists() {
    IniSelection selection;
    const IniFile file = IniFile::load(fixture("model-lists.ini"), selectModelLists(selection));
    auto shown = [&](std::string_view section) {
        QStringList out;
        for (const NamedValue& m : LoadModelList(file, section)) {
            out << QString::fromStdString(m.name) + "=" + QString::number(m.value);
        }
        return out;
    };
    // File order, first line of a designation (any case) counts, a section
    // given twice adds its models, values read as every configuration value.
    QCOMPARE(shown(kFilterFanModelSection),
             QStringList({"FF-20=20", "FF-40=40", "FF-70=70", "FF-blank=0", "FF-text=0",
                          "FF-comma=12", "FF-100=100"}));
    QCOMPARE(shown("FILTERFAN-MODEL"), shown(kFilterFanModelSection));
    QCOMPARE(shown(kHeaterModelSection), QStringList({"HT-10=10", "HT-20=20"}));
    QCOMPARE(file.value(kFilterFanModelSection, "ff-40"), std::string("40"));

    // A section that is missing, not a model list, or a file without lists.
    QVERIFY(LoadModelList(file, "FAN-Model").empty());
    QVERIFY(LoadModelList(IniFile::load(fixture("partial.ini"), selectModelLists(selection)),
                          kHeaterModelSection)
                .empty());
    QVERIFY(
        LoadModelList(IniFile::load(fixture("does-not-exist.ini"), selection), kHeaterModelSection)
            .empty());
    QVERIFY(LoadModelList(IniFile::load(fixture("model-lists.ini"), equipmentIniSelection()),
                          kHeaterModelSection)
                .empty());
}

void TestData::modelListsAreCapped() {
    QByteArray text = "[Heater-Model]\n";
    for (int i = 1; i <= 70; ++i)
        text += "H" + QByteArray::number(i) + "=" + QByteArray::number(i) + "\n";
    IniSelection selection;
    const std::vector<NamedValue> models =
        LoadModelList(IniFile(view(text), selectModelLists(selection)), kHeaterModelSection);
    QCOMPARE(models.size(), size_t(64));
    QCOMPARE(models.front().name, std::string("H1"));
    QCOMPARE(models.back().name, std::string("H64"));
    QCOMPARE(models.back().value, 64.0);
}

void TestData::shippedModelLists() {
    IniSelection selection = equipmentIniSelection();
    const IniFile file = IniFile::load(shippedIni(), selectModelLists(selection));
    for (std::string_view section : {kFilterFanModelSection, kHeaterModelSection}) {
        const std::vector<NamedValue> models = LoadModelList(file, section);
        QVERIFY(models.size() >= 8 && models.size() <= 16);
        for (size_t i = 1; i < models.size(); ++i) QVERIFY(models[i - 1].value < models[i].value);
    }
    const std::vector<NamedValue> fans = LoadModelList(file, kFilterFanModelSection);
    QCOMPARE(fans.front().value, 20.0);
    QCOMPARE(fans.back().value, 1000.0);
    const std::vector<NamedValue> heaters = LoadModelList(file, kHeaterModelSection);
    QCOMPARE(heaters.front().value, 10.0);
    QCOMPARE(heaters.back().value, 800.0);
    // The lists leave the equipment tables as they were.
    QCOMPARE(file.value("Aircon-Model", "VKA-3500BR"), std::string("3500"));
}

QTEST_APPLESS_MAIN(TestData)
#include "tst_data.moc"
