// The project file: what is written reopens exactly, what a later version
// added survives a save, and every broken file is named for what is wrong.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QtTest>

#include "project/Project.h"

namespace {

const QString kData = QStringLiteral(CC_TEST_DATA_DIR "/project/");

QByteArray fixture(const QString& name) {
    QFile file(kData + name);
    if (!file.open(QIODevice::ReadOnly)) qFatal("missing fixture %s", qPrintable(name));
    return file.readAll();
}

// Texts that break naive writers: quotes, back-slashes, line breaks, control
// characters, Korean, characters outside the basic plane, nothing at all.
QString randomText(QRandomGenerator& r) {
    static const QStringList pieces = {
        "",       "2",     "1,100", "  1.5 ", "\"", "\\",   "\n",  "\r\n", "\t", QString(QChar(1)),
        "제어반", "VK-40", "😀",     "{",      "}",  "null", "+A1", "1E400"};
    QString text;
    const int n = r.bounded(5);
    for (int i = 0; i < n; ++i) text += pieces[r.bounded(pieces.size())];
    return text;
}

WindowInputs randomInputs(QRandomGenerator& r, const QString& prefix) {
    WindowInputs inputs;
    const int n = r.bounded(6);
    for (int i = 0; i < n; ++i) {
        const QString name = prefix + QString::number(r.bounded(20));
        switch (r.bounded(3)) {
            case 0:
                inputs.insert(name, randomText(r));
                break;
            case 1:
                inputs.insert(name, r.bounded(-5, 100));
                break;
            default:
                inputs.insert(name, r.bounded(2) == 1);
                break;
        }
    }
    return inputs;
}

Project randomProject(QRandomGenerator& r) {
    Project p;
    p.info.name = randomText(r);
    p.info.customer = randomText(r);
    p.info.site = randomText(r);
    p.info.author = randomText(r);
    p.info.company = randomText(r);
    p.info.revision = randomText(r);
    p.info.date = randomText(r);
    p.info.note = randomText(r);
    const int cabinets = r.bounded(5);
    for (int i = 0; i < cabinets; ++i) {
        Cabinet c;
        c.tag = QStringLiteral("+A%1").arg(i + 1) + randomText(r);
        c.description = randomText(r);
        c.count = r.bounded(1, 50);
        c.mode = QStringList{"Aircon", "Fan1", "Fan2"}[r.bounded(3)];
        c.material = r.bounded(2);
        for (const char* f : {"txtHeight", "txtWidth", "txtPP", "txtKind"})
            if (r.bounded(2)) c.fields.insert(QLatin1String(f), randomText(r));
        c.heat = randomInputs(r, "txtTransformerNum_");
        c.climate = randomInputs(r, "txtClim");
        c.rise = randomInputs(r, "txtRise");
        c.results.calculated = r.bounded(2) == 1;
        c.results.requirement = randomText(r);
        c.results.unit = r.bounded(2) ? "W" : "W/K";
        c.results.model = randomText(r);
        c.results.method = randomText(r);
        p.cabinets.append(c);
    }
    return p;
}

QByteArray cabinetsJson(const QString& cabinet) {
    return QStringLiteral(R"({"format": "cabinetcool-project", "version": 1, "project": {},
                              "cabinets": [%1]})")
        .arg(cabinet)
        .toUtf8();
}

}  // namespace

class TestProject : public QObject {
    Q_OBJECT
private slots:
    void randomProjectsReopenEqual();
    void everyMemberIsWrittenAndRead();
    void laterVersionOpensReadOnlyAndKeepsWhatItAdded();
    void brokenFilesAreNamed_data();
    void brokenFilesAreNamed();
    void tags_data();
    void tags();
    void tagsDifferingInSpacesAreMadeUnique_data();
    void tagsDifferingInSpacesAreMadeUnique();
    void overLongTextsAreCut_data();
    void overLongTextsAreCut();
};

void TestProject::randomProjectsReopenEqual() {
    QRandomGenerator r(20261211);
    for (int i = 0; i < 300; ++i) {
        const Project p = randomProject(r);
        const QByteArray bytes = ProjectBytes(p);
        const ProjectReading back = ReadProject(bytes);
        QVERIFY2(back.project.has_value(), qPrintable(back.error));
        QVERIFY(!back.readOnly);
        QVERIFY2(*back.project == p, bytes.constData());
        // Saving what was read gives the same bytes.
        QCOMPARE(ProjectBytes(*back.project), bytes);
    }
}

void TestProject::everyMemberIsWrittenAndRead() {
    // The documented shape, member by member.
    Project p;
    p.info = {"라인업 A", "고객", "현장", "작성자", "회사", "R2", "2026-12-11", "메모", {}};
    Cabinet c;
    c.tag = "+A1";
    c.description = "입력반";
    c.count = 3;
    c.mode = "Fan1";
    c.material = 1;
    c.fields = {{"txtHeight", "2.0"}, {"txtPP", "1,100"}, {"txtKind", "VK-40"}};
    c.heat = {{"txtTransformerNum_0", "2"}};
    c.climate = {{"cboClimInstall", 3}, {"chkClimSun", true}, {"txtClimRH", "60"}};
    c.rise = {{"chkRiseVent", false}};
    c.devices = {{{"kind", "device"}, {"count", "2"}, {"pn", "1,5"}, {"height", "상부"}}};
    c.results = {true, "15.60", "W/K", "VK-40", "주 화면 계산"};
    p.cabinets = {c};
    const QJsonObject top = QJsonDocument::fromJson(ProjectBytes(p)).object();
    QCOMPARE(top["format"].toString(), QString("cabinetcool-project"));
    QCOMPARE(top["version"].toInt(), kProjectFormatVersion);
    QCOMPARE(top["project"].toObject()["customer"].toString(), QString("고객"));
    QCOMPARE(top["project"].toObject()["note"].toString(), QString("메모"));
    const QJsonObject cab = top["cabinets"].toArray()[0].toObject();
    QCOMPARE(cab["tag"].toString(), QString("+A1"));
    QCOMPARE(cab["count"].toInt(), 3);
    QCOMPARE(cab["main"].toObject()["mode"].toString(), QString("Fan1"));
    QCOMPARE(cab["main"].toObject()["material"].toInt(), 1);
    // Texts as typed, never numbers.
    QCOMPARE(cab["main"].toObject()["fields"].toObject()["txtPP"], QJsonValue("1,100"));
    QCOMPARE(cab["climate"].toObject()["cboClimInstall"], QJsonValue(3));
    QCOMPARE(cab["climate"].toObject()["chkClimSun"], QJsonValue(true));
    QCOMPARE(cab["results"].toObject()["model"].toString(), QString("VK-40"));
    QCOMPARE(cab["devices"].toArray()[0].toObject()["pn"], QJsonValue("1,5"));
    QCOMPARE(cab["devices"].toArray()[0].toObject()["height"], QJsonValue("상부"));
    QCOMPARE(*ReadProject(ProjectBytes(p)).project, p);
}

void TestProject::laterVersionOpensReadOnlyAndKeepsWhatItAdded() {
    const QByteArray original = fixture("later-version.ccproj");
    const ProjectReading reading = ReadProject(original);
    QVERIFY2(reading.project.has_value(), qPrintable(reading.error));
    QVERIFY(reading.readOnly);
    QCOMPARE(reading.version, 4);
    const Cabinet& c = reading.project->cabinets.first();
    QCOMPARE(c.fields.value("txtHeight"), QString("2,0"));
    QCOMPARE(c.fields.value("txtKind"), QString("VK-\"40\""));
    QCOMPARE(c.climate.value("cboClimInstall").toInt(), 3);
    QCOMPARE(c.climate.value("txtClimFuture").toString(), QString("x"));

    // Saved again, every member it had is there with its value; only the
    // version is this program's.
    QJsonObject expected = QJsonDocument::fromJson(original).object();
    expected["version"] = kProjectFormatVersion;
    const QJsonObject saved = QJsonDocument::fromJson(ProjectBytes(*reading.project)).object();
    QCOMPARE(saved["approval"], expected["approval"]);
    QCOMPARE(saved["project"], expected["project"]);
    const QJsonObject savedCabinet = saved["cabinets"].toArray()[0].toObject();
    const QJsonObject expectedCabinet = expected["cabinets"].toArray()[0].toObject();
    for (const QString& member : expectedCabinet.keys())
        QCOMPARE(savedCabinet[member], expectedCabinet[member]);
}

void TestProject::brokenFilesAreNamed_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");  // a part of the message
    const QByteArray valid = cabinetsJson(R"({"tag": "+A1"})");
    QTest::newRow("empty") << QByteArray() << "비어";
    QTest::newRow("blanks only") << QByteArray(" \n\t") << "비어";
    QTest::newRow("cut short") << valid.left(valid.size() / 2) << "끊겼";
    QTest::newRow("not JSON") << QByteArray("Aircon\r\n1\r\n") << "JSON 형식이 아닙니다";
    QTest::newRow("a calculation file's bytes")
        << fixture("../cool/aircon-crlf.col") << "JSON 형식이 아닙니다";
    QTest::newRow("JSON array") << QByteArray("[1, 2]") << "프로젝트 파일이 아닙니다";
    QTest::newRow("another format")
        << QByteArray(R"({"format": "x", "version": 1})") << "프로젝트 파일이 아닙니다";
    QTest::newRow("no version") << QByteArray(R"({"format": "cabinetcool-project"})") << "버전";
    QTest::newRow("version as text")
        << QByteArray(R"({"format": "cabinetcool-project", "version": "1", "cabinets": []})")
        << "버전";
    QTest::newRow("version 1.5")
        << QByteArray(R"({"format": "cabinetcool-project", "version": 1.5, "cabinets": []})")
        << "버전";
    QTest::newRow("no cabinets") << QByteArray(R"({"format": "cabinetcool-project", "version": 1})")
                                 << "cabinets";
    QTest::newRow("project data of wrong type")
        << QByteArray(R"({"format": "cabinetcool-project", "version": 1, "project": {"name": 5},
                         "cabinets": []})")
        << "project.name";
    QTest::newRow("cabinet not an object") << cabinetsJson("3") << "cabinets[0]";
    QTest::newRow("tag missing") << cabinetsJson("{}") << "cabinets[0].tag";
    QTest::newRow("tag a number") << cabinetsJson(R"({"tag": 1})") << "cabinets[0].tag";
    QTest::newRow("count as text")
        << cabinetsJson(R"({"tag": "+A1", "count": "2"})") << "cabinets[0].count";
    QTest::newRow("count zero") << cabinetsJson(R"({"tag": "+A1", "count": 0})")
                                << "cabinets[0].count";
    QTest::newRow("unknown mode") << cabinetsJson(R"({"tag": "+A1", "main": {"mode": "Heater"}})")
                                  << "cabinets[0].main.mode";
    QTest::newRow("material 5") << cabinetsJson(R"({"tag": "+A1", "main": {"material": 5}})")
                                << "cabinets[0].main.material";
    QTest::newRow("field text a number")
        << cabinetsJson(R"({"tag": "+A1", "main": {"fields": {"txtHeight": 2}}})")
        << "cabinets[0].main.fields.txtHeight";
    QTest::newRow("climate input an array")
        << cabinetsJson(R"({"tag": "+A1", "climate": {"txtClimH": [2]}})")
        << "cabinets[0].climate.txtClimH";
    QTest::newRow("results flag as text")
        << cabinetsJson(R"({"tag": "+A1", "results": {"calculated": "yes"}})")
        << "cabinets[0].results.calculated";
    QTest::newRow("tag used twice") << cabinetsJson(R"({"tag": "+A1"}, {"tag": "+A2"},
                                                       {"tag": "+A1"})")
                                    << "cabinets[2].tag";
    QStringList many;
    for (int i = 0; i <= kMaxCabinets; ++i) many << QStringLiteral(R"({"tag": "%1"})").arg(i);
    QTest::newRow("1001 cabinets") << cabinetsJson(many.join(',')) << "1000";
    QByteArray huge = cabinetsJson(R"({"tag": "+A1", "description": "%1"})");
    huge.replace("%1", QByteArray(kMaxProjectFileBytes, 'x'));
    QTest::newRow("larger than 16 MiB") << huge << "16 MiB";
    QTest::newRow("later version, wrong types")
        << QByteArray(R"({"format": "cabinetcool-project", "version": 4, "cabinets": 7})")
        << "버전 4";
}

void TestProject::brokenFilesAreNamed() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const ProjectReading reading = ReadProject(bytes);
    QVERIFY(!reading.project.has_value());
    QVERIFY2(reading.error.contains(message), qPrintable(reading.error));
}

void TestProject::tags_data() {
    QTest::addColumn<QStringList>("used");
    QTest::addColumn<QString>("next");
    QTest::addColumn<QString>("uniqueOfA1");
    QTest::newRow("empty project") << QStringList() << "+A1"
                                   << "+A1";
    QTest::newRow("one cabinet") << QStringList{"+A1"} << "+A2"
                                 << "+A1 (2)";
    QTest::newRow("a gap is not filled backwards") << QStringList{"+A2", "+A3"} << "+A4"
                                                   << "+A1";
    QTest::newRow("copies taken") << QStringList{"+A1", "+A1 (2)"} << "+A3"
                                  << "+A1 (3)";
    // Spaces at the ends are not seen in any window.
    QTest::newRow("taken with spaces around") << QStringList{" +A1\t", "+A2 "} << "+A3"
                                              << "+A1 (2)";
}

void TestProject::tags() {
    QFETCH(QStringList, used);
    QFETCH(QString, next);
    QFETCH(QString, uniqueOfA1);
    Project p;
    for (const QString& tag : used) {
        Cabinet c;
        c.tag = tag;
        p.cabinets.append(c);
    }
    QCOMPARE(NextCabinetTag(p), next);
    QCOMPARE(UniqueCabinetTag(p, "+A1"), uniqueOfA1);
}

QByteArray tagsJson(const QStringList& tags) {
    QJsonArray cabinets;
    for (const QString& tag : tags) cabinets.append(QJsonObject{{"tag", tag}});
    return QJsonDocument(QJsonObject{{"format", "cabinetcool-project"},
                                     {"version", 1},
                                     {"cabinets", cabinets}})
        .toJson();
}

void TestProject::tagsDifferingInSpacesAreMadeUnique_data() {
    QTest::addColumn<QStringList>("inFile");
    QTest::addColumn<QStringList>("read");
    QTest::addColumn<QList<int>>("changed");  // the cabinets whose tag was changed
    QTest::newRow("a space behind the second")
        << QStringList{"+A1", "+A1 "} << QStringList{"+A1", "+A1 (2)"} << QList<int>{1};
    QTest::newRow("spaces around the first")
        << QStringList{" +A1 ", "+A2", "+A1"} << QStringList{" +A1 ", "+A2", "+A1 (2)"}
        << QList<int>{2};
    QTest::newRow("three alike") << QStringList{"+A1", "\t+A1", "+A1  "}
                                 << QStringList{"+A1", "+A1 (2)", "+A1 (3)"} << QList<int>{1, 2};
    // The tag the reader would make is the file's own further on.
    QTest::newRow("the made tag taken later")
        << QStringList{"+A1", "+A1 ", "+A1 (2)"} << QStringList{"+A1", "+A1 (3)", "+A1 (2)"}
        << QList<int>{1};
    // At the tag's limit the number takes the place of the end, or the next
    // reading would cut it off and find the pair again.
    const QString longTag = QString(kMaxProjectLineLength - 5, 'P') + " (3)";
    QTest::newRow("at the limit") << QStringList{longTag + " ", longTag}
                                  << QStringList{longTag + " ",
                                                 QString(kMaxProjectLineLength - 5, 'P') + "  (2)"}
                                  << QList<int>{1};
    QTest::newRow("alike only inside") << QStringList{"+A 1", "+A1", "+A1 (2)"}
                                       << QStringList{"+A 1", "+A1", "+A1 (2)"} << QList<int>{};
}

// "+A1" and "+A1 " look the same in every window: the reader keeps the first
// and gives the later ones tags of their own, and says which.
void TestProject::tagsDifferingInSpacesAreMadeUnique() {
    QFETCH(QStringList, inFile);
    QFETCH(QStringList, read);
    QFETCH(QList<int>, changed);
    const ProjectReading reading = ReadProject(tagsJson(inFile));
    QVERIFY2(reading.project.has_value(), qPrintable(reading.error));
    QStringList tags;
    for (const Cabinet& c : reading.project->cabinets) tags << c.tag;
    QCOMPARE(tags, read);
    QCOMPARE(reading.changes.size(), changed.size());
    for (int i = 0; i < changed.size(); ++i) {
        const QString& change = reading.changes[i];
        QVERIFY2(change.startsWith(QStringLiteral("cabinets[%1].tag").arg(changed[i])),
                 qPrintable(change));
        QVERIFY2(change.contains(read[changed[i]]), qPrintable(change));
    }
    // Nothing is lost by it: the project can be saved as it is.
    QVERIFY(!reading.readOnly);
    QVERIFY(!reading.textsCut);
    QCOMPARE(ReadProject(ProjectBytes(*reading.project)).project, reading.project);
}

void TestProject::overLongTextsAreCut_data() {
    QTest::addColumn<QString>("member");  // "name", "note", "tag", "description"
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("read");
    const QString line(kMaxProjectLineLength, QChar(0xD55C));  // 한
    const QString note = QString(kMaxProjectNoteLength - 1, 'x') + "\n";
    QTest::newRow("name at its limit") << "name" << line << line;
    QTest::newRow("name one over") << "name" << line + "a" << line;
    QTest::newRow("customer far over") << "customer" << line.repeated(40) << line;
    QTest::newRow("note at its limit, lines") << "note" << note << note;
    QTest::newRow("note one over") << "note" << note + "y" << note;
    QTest::newRow("note of one long line")
        << "note" << QString(1 << 20, 'x') << QString(kMaxProjectNoteLength, 'x');
    QTest::newRow("tag over") << "tag"
                              << "+A1" + line << "+A1" + line.left(line.size() - 3);
    QTest::newRow("description over") << "description" << line + line << line;
    // A character of two code units is not cut in half.
    const QString smile = QStringLiteral("😀");
    QTest::newRow("cut inside a character")
        << "name" << line.left(line.size() - 1) + smile << line.left(line.size() - 1);
}

// A text beyond its limit is cut to it, named with its length and the
// limit, and the project opens read-only so that the file keeps it whole.
void TestProject::overLongTextsAreCut() {
    QFETCH(QString, member);
    QFETCH(QString, text);
    QFETCH(QString, read);
    const bool ofCabinet = member == "tag" || member == "description";
    QJsonObject cabinet{{"tag", "+A1"}};
    QJsonObject info;
    (ofCabinet ? cabinet : info).insert(member, text);
    const QByteArray bytes = QJsonDocument(QJsonObject{{"format", "cabinetcool-project"},
                                                       {"version", 1},
                                                       {"project", info},
                                                       {"cabinets", QJsonArray{cabinet}}})
                                 .toJson();
    const ProjectReading reading = ReadProject(bytes);
    QVERIFY2(reading.project.has_value(), qPrintable(reading.error));
    const Project& p = *reading.project;
    const QString got = member == "tag"           ? p.cabinets[0].tag
                        : member == "description" ? p.cabinets[0].description
                        : member == "note"        ? p.info.note
                        : member == "customer"    ? p.info.customer
                                                  : p.info.name;
    QCOMPARE(got, read);
    const bool cut = read != text;
    QCOMPARE(reading.textsCut, cut);
    QVERIFY(!reading.readOnly);  // that is the later version's flag
    QCOMPARE(reading.changes.size(), cut ? 1 : 0);
    if (cut) {
        const QString change = reading.changes.first();
        QVERIFY2(change.startsWith((ofCabinet ? "cabinets[0]." : "project.") + member),
                 qPrintable(change));
        QVERIFY2(change.contains(QString::number(text.size())), qPrintable(change));
        const int limit = member == "note" ? kMaxProjectNoteLength : kMaxProjectLineLength;
        QVERIFY2(change.contains(QString::number(limit)), qPrintable(change));
    }
}

QTEST_GUILESS_MAIN(TestProject)
#include "tst_project.moc"
