#include <QtTest>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <random>

#include "CommaLocale.h"
#include "calc/HeatBalance.h"
#include "calc/NumberText.h"

using Findings = std::vector<HeatBalanceFinding>;
Q_DECLARE_METATYPE(SelectionMode)
Q_DECLARE_METATYPE(Findings)

class TestCalc : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void parseNumber_data();
    void parseNumber();
    void parseNumberIgnoresLocale();
    void parseWholeNumber_data();
    void parseWholeNumber();
    void numberText_data();
    void numberText();
    void numberTextRoundTrips();
    void formatNumber_data();
    void formatNumber();
    void heatBalance_data();
    void heatBalance();
    void overflowIsReported_data();
    void overflowIsReported();
    void recommendation_data();
    void recommendation();
};

void TestCalc::initTestCase() {
    // As the program does: Qt takes the locale from the environment.
    std::setlocale(LC_ALL, "");
    if (commaLocaleRunRequested()) {
        QVERIFY2(decimalPointIsComma(),
                 qPrintable("this run needs the comma locale, the decimal point is \"" +
                            QString::fromStdString(currentDecimalPoint()) + "\""));
    }
}

void TestCalc::parseNumber_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("empty") << QByteArray("") << 0.0;
    QTest::newRow("letters") << QByteArray("abc") << 0.0;
    QTest::newRow("integer") << QByteArray("1100") << 1100.0;
    QTest::newRow("decimal") << QByteArray("0.63") << 0.63;
    QTest::newRow("comma ends the number") << QByteArray("12,5") << 12.0;
    QTest::newRow("blanks between digits") << QByteArray(" 1 2 . 5 ") << 12.5;
    QTest::newRow("tab and line feed") << QByteArray("\t-3.5\n") << -3.5;
    QTest::newRow("blank after sign") << QByteArray("- 5") << -5.0;
    QTest::newRow("plus sign") << QByteArray("+7") << 7.0;
    QTest::newRow("two signs") << QByteArray("--5") << 0.0;
    QTest::newRow("leading period") << QByteArray(".5") << 0.5;
    QTest::newRow("trailing period") << QByteArray("5.") << 5.0;
    QTest::newRow("second period ends") << QByteArray("1.2.3") << 1.2;
    QTest::newRow("unit after number") << QByteArray("500 W") << 500.0;
    QTest::newRow("carriage return ends") << QByteArray("12\r\n") << 12.0;
    QTest::newRow("exponent E") << QByteArray("1E3") << 1000.0;
    QTest::newRow("exponent d") << QByteArray("2.5d-2") << 0.025;
    QTest::newRow("exponent with blanks") << QByteArray("1 E + 2") << 100.0;
    QTest::newRow("exponent without digits") << QByteArray("1E") << 1.0;
    QTest::newRow("exponent sign only") << QByteArray("1E+x") << 1.0;
    QTest::newRow("exponent leading zeros") << QByteArray("1e00000000000000000003") << 1000.0;
    QTest::newRow("hex") << QByteArray("&H1F") << 31.0;
    QTest::newRow("hex lower case") << QByteArray("&hff") << 255.0;
    QTest::newRow("hex 32 bits") << QByteArray("&HFFFFFFFF") << 4294967295.0;
    QTest::newRow("octal") << QByteArray("&O17") << 15.0;
    QTest::newRow("octal stops at 8") << QByteArray("&O78") << 7.0;
    QTest::newRow("ampersand alone") << QByteArray("&") << 0.0;
    QTest::newRow("hex without digits") << QByteArray("&H") << 0.0;
    QTest::newRow("overflow") << QByteArray("1E999") << DBL_MAX;
    QTest::newRow("negative overflow") << QByteArray("-1E999") << -DBL_MAX;
    QTest::newRow("huge exponent") << QByteArray("1E99999999999999999999") << DBL_MAX;
    QTest::newRow("underflow") << QByteArray("1E-999") << 0.0;
    QTest::newRow("thousand digits") << (QByteArray("1") + QByteArray(999, '0')) << DBL_MAX;
    QTest::newRow("long fraction")
        << (QByteArray("0.") + QByteArray(400, '3')) << 0.33333333333333333;
    QTest::newRow("control characters") << QByteArray("\x01\x02 5") << 0.0;
    QTest::newRow("korean text") << QByteArray("높이 2") << 0.0;
}

void TestCalc::parseNumber() {
    QFETCH(QByteArray, text);
    QFETCH(double, expected);
    const double value =
        ParseNumber(std::string_view(text.constData(), static_cast<size_t>(text.size())));
    QCOMPARE(value, expected);
    QVERIFY(std::isfinite(value));
}

void TestCalc::parseNumberIgnoresLocale() {
    // A locale whose decimal separator is a comma must not change anything.
    // The test set-up makes one in the build tree; without it this fails.
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    const QByteArray savedPath = qgetenv("LOCPATH");
    if (savedPath.isEmpty()) qputenv("LOCPATH", CC_COMMA_LOCALE_DIR);
    const bool switched = std::setlocale(LC_NUMERIC, CC_COMMA_LOCALE) != nullptr;
    const std::string point = currentDecimalPoint();
    const double value = ParseNumber("12.5");
    const std::optional<double> whole = ParseWholeNumber("-1.5E+3");
    const std::string text = NumberText(0.25);
    const std::string formatted = FormatNumber(1.5, "0.00");
    const std::string largest = NumberText(DBL_MAX);
    std::setlocale(LC_NUMERIC, saved.c_str());
    if (savedPath.isEmpty()) qunsetenv("LOCPATH");
    QVERIFY2(switched, "the comma locale " CC_COMMA_LOCALE " is missing in " CC_COMMA_LOCALE_DIR
                       " (ctest makes it)");
    QCOMPARE(point, std::string(","));
    QCOMPARE(value, 12.5);
    QCOMPARE(whole, std::optional<double>(-1500.0));
    QCOMPARE(text, std::string("0.25"));
    QCOMPARE(formatted, std::string("1.50"));
    QCOMPARE(largest, std::string("1.79769313486232E+308"));
}

void TestCalc::parseWholeNumber_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");
    QTest::newRow("integer") << QByteArray("2500") << true << 2500.0;
    QTest::newRow("blanks and tabs around") << QByteArray(" \t 2500\t ") << true << 2500.0;
    QTest::newRow("signed exponent") << QByteArray("-1.5e+3") << true << -1500.0;
    QTest::newRow("D exponent") << QByteArray("1.5D2") << true << 150.0;
    QTest::newRow("leading period") << QByteArray("+.5") << true << 0.5;
    QTest::newRow("trailing period") << QByteArray("5.") << true << 5.0;
    QTest::newRow("hex") << QByteArray("&Hff") << true << 255.0;
    QTest::newRow("octal") << QByteArray("&o17") << true << 15.0;
    QTest::newRow("largest double as written")
        << QByteArray("1.79769313486232E+308") << true << DBL_MAX;
    QTest::newRow("negative largest as written")
        << QByteArray("-1.79769313486232E+308") << true << -DBL_MAX;
    QTest::newRow("largest double exactly")
        << QByteArray("1.7976931348623157E+308") << true << DBL_MAX;
    QTest::newRow("overflow clamps") << QByteArray("1E400") << true << DBL_MAX;
    QTest::newRow("huge exponent clamps") << QByteArray("-1E99999999999") << true << -DBL_MAX;
    QTest::newRow("hex overflow clamps") << "&H" + QByteArray(300, 'F') << true << DBL_MAX;
    QTest::newRow("smallest subnormal as written")
        << QByteArray("4.94065645841247E-324") << true << 4.9406564584124654e-324;
    QTest::newRow("underflow") << QByteArray("1E-400") << true << 0.0;
    QTest::newRow("empty") << QByteArray("") << false << 0.0;
    QTest::newRow("blanks only") << QByteArray(" \t ") << false << 0.0;
    QTest::newRow("blank inside") << QByteArray("1 2") << false << 0.0;
    QTest::newRow("blank after sign") << QByteArray("- 5") << false << 0.0;
    QTest::newRow("blank in hex") << QByteArray("& H1") << false << 0.0;
    QTest::newRow("line feed around") << QByteArray("12\n") << false << 0.0;
    QTest::newRow("carriage return") << QByteArray("12\r") << false << 0.0;
    QTest::newRow("comma") << QByteArray("1,5") << false << 0.0;
    QTest::newRow("unit after") << QByteArray("500 W") << false << 0.0;
    QTest::newRow("exponent without digits") << QByteArray("1E") << false << 0.0;
    QTest::newRow("exponent sign only") << QByteArray("1E+") << false << 0.0;
    QTest::newRow("hex without digits") << QByteArray("&H") << false << 0.0;
    QTest::newRow("octal digit 8") << QByteArray("&O18") << false << 0.0;
    QTest::newRow("second period") << QByteArray("1.2.3") << false << 0.0;
    QTest::newRow("sign only") << QByteArray("+") << false << 0.0;
    QTest::newRow("period only") << QByteArray(".") << false << 0.0;
    QTest::newRow("two signs") << QByteArray("--5") << false << 0.0;
    QTest::newRow("infinity") << QByteArray("inf") << false << 0.0;
    QTest::newRow("NUL after") << QByteArray("12\0", 3) << false << 0.0;
}

void TestCalc::parseWholeNumber() {
    QFETCH(QByteArray, text);
    QFETCH(bool, valid);
    QFETCH(double, value);
    const std::optional<double> parsed =
        ParseWholeNumber(std::string_view(text.constData(), static_cast<size_t>(text.size())));
    QCOMPARE(parsed.has_value(), valid);
    if (!valid) return;
    QCOMPARE(*parsed, value);
    // A whole number reads as ParseNumber reads the same text.
    QCOMPARE(*parsed,
             ParseNumber(std::string_view(text.constData(), static_cast<size_t>(text.size()))));
}

void TestCalc::numberText_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("whole") << 7.0 << "7";
    QTest::newRow("area") << 3.5469 << "3.5469";
    QTest::newRow("below one") << 0.6 << "0.6";
    QTest::newRow("resin") << 3.7 << "3.7";
    QTest::newRow("binary noise rounded away") << 0.1 + 0.2 << "0.3";
    QTest::newRow("fan-1 result") << 500.0 / 15.0 - 17.7345 << "15.5988333333333";
    QTest::newRow("negative") << -117.7345 << "-117.7345";
    QTest::newRow("third") << 1.0 / 3.0 << "0.333333333333333";
    QTest::newRow("two thirds") << 2.0 / 3.0 << "0.666666666666667";
    QTest::newRow("fifteen digits") << 123456789012345.0 << "123456789012345";
    QTest::newRow("rounds up to 1E+15") << 999999999999999.9 << "1E+15";
    QTest::newRow("1E+15") << 1e15 << "1E+15";
    QTest::newRow("1E+200") << 1e200 << "1E+200";
    QTest::newRow("negative exponent form") << -2.5e20 << "-2.5E+20";
    QTest::newRow("small plain") << 0.00001 << "0.00001";
    QTest::newRow("small exponent") << 0.000001 << "1E-06";
    QTest::newRow("1.5E-30") << 1.5e-30 << "1.5E-30";
    QTest::newRow("largest double") << DBL_MAX << "1.79769313486232E+308";
    QTest::newRow("smallest subnormal") << 4.9406564584124654e-324 << "4.94065645841247E-324";
    QTest::newRow("infinity") << HUGE_VAL << "";
    QTest::newRow("nan") << std::nan("") << "";
}

void TestCalc::numberText() {
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(NumberText(value)), expected);
}

void TestCalc::numberTextRoundTrips() {
    // Text written into a field must read back to a number that is written as
    // the same text, over the whole range of finite doubles.
    std::mt19937_64 random(20261209);
    std::vector<double> values = {DBL_MAX, -DBL_MAX,          DBL_MIN, 4.9406564584124654e-324,
                                  1e15,    999999999999999.4, 0.00001, 0.0000099999999999999};
    for (int i = 0; i < 200000; ++i) {
        const uint64_t bits = random();
        double x;
        std::memcpy(&x, &bits, sizeof x);
        if (std::isfinite(x)) values.push_back(x);
        values.push_back(std::ldexp(static_cast<double>(bits >> 11), -53) *
                         std::pow(10.0, i % 40 - 20));
    }
    for (double x : values) {
        const std::string text = NumberText(x);
        const std::string again = NumberText(ParseNumber(text));
        if (again != text)
            QFAIL(
                qPrintable(QStringLiteral("%1 came back as %2")
                               .arg(QString::fromStdString(text), QString::fromStdString(again))));
        // A calculation file's last line is read as a whole number.
        const std::optional<double> whole = ParseWholeNumber(text);
        if (!whole || *whole != ParseNumber(text))
            QFAIL(qPrintable(QStringLiteral("%1 is not read as a whole number")
                                 .arg(QString::fromStdString(text))));
    }
}

void TestCalc::formatNumber_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole") << 1275.0 << "1275.00";
    QTest::newRow("fan-1 result") << 500.0 / 15.0 - 17.7345 << "15.60";
    QTest::newRow("fan-2 result") << (28.0 / 15.0 - 1) * 17.7345 << "15.37";
    QTest::newRow("negative") << -117.7345 << "-117.73";
    QTest::newRow("exact half rounds away") << 0.125 << "0.13";
    QTest::newRow("exact negative half") << -0.375 << "-0.38";
    QTest::newRow("just below a half") << 2.675 << "2.67";
    QTest::newRow("carry into integer") << 9.999 << "10.00";
    QTest::newRow("zero") << 0.0 << "0.00";
    QTest::newRow("negative rounding to zero") << -0.001 << "0.00";
    QTest::newRow("small") << 0.07 << "0.07";
    QTest::newRow("all integer digits") << 1e20 << "100000000000000000000.00";
    // 2^1024 - 2^971, all 309 digits.
    QTest::newRow("largest double")
        << DBL_MAX
        << "1797693134862315708145274237317043567980705675258449965989174768031572607800285387605"
           "8955863276687817154045895351438246423432132688946418276846754670353751698604991057655"
           "1282076245490090389328944075868508455133942304583236903222948165808559332123348274797"
           "826204144723168738177180919299881250404026184124858368.00";
    QTest::newRow("smallest subnormal") << -4.9406564584124654e-324 << "0.00";
    QTest::newRow("infinity") << -HUGE_VAL << "";
}

void TestCalc::formatNumber() {
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(FormatNumber(value, "0.00")), expected);
}

void TestCalc::heatBalance_data() {
    QTest::addColumn<SelectionMode>("mode");
    QTest::addColumn<QList<double>>("in");  // H, W, D, P, T1, T2, T3, T4, U
    QTest::addColumn<double>("area");
    QTest::addColumn<double>("deltaT");
    QTest::addColumn<bool>("hasResult");
    QTest::addColumn<double>("result");
    QTest::addColumn<Findings>("findings");
    using F = HeatBalanceFinding;
    QTest::newRow("aircon defaults")
        << SelectionMode::Aircon << QList<double>{2, 1, 0.6, 1100, 40, 35, 0, 0, 5} << 7.0 << 5.0
        << true << 1275.0 << Findings{F::AirconOutsideHotter};
    QTest::newRow("aircon equal temperatures")
        << SelectionMode::Aircon << QList<double>{2, 1, 0.6, 1100, 35, 35, 0, 0, 5} << 7.0 << 0.0
        << true << 1100.0 << Findings{F::AirconOutsideCooler};
    QTest::newRow("aircon set above outside")
        << SelectionMode::Aircon << QList<double>{2, 1, 0.6, 1100, 35, 40, 0, 0, 5} << 7.0 << 5.0
        << true << 925.0 << Findings{F::AirconOutsideCooler};
    QTest::newRow("fan1 defaults")
        << SelectionMode::Fan1 << QList<double>{1.25, 0.63, 0.63, 500, 40, 55, 0, 0, 5} << 3.5469
        << 15.0 << true << 500.0 / 15 - 17.7345 << Findings{};
    QTest::newRow("fan1 set temperature high")
        << SelectionMode::Fan1 << QList<double>{1.25, 0.63, 0.63, 500, 40, 35, 0, 0, 5} << 3.5469
        << -5.0 << true << -117.7345 << Findings{F::SetTemperatureHigh};
    QTest::newRow("fan1 equal temperatures")
        << SelectionMode::Fan1 << QList<double>{1.25, 0.63, 0.63, 500, 40, 40, 0, 0, 5} << 3.5469
        << 0.0 << false << 0.0 << Findings{F::TemperaturesEqual};
    QTest::newRow("fan2 defaults")
        << SelectionMode::Fan2 << QList<double>{1.25, 0.63, 0.63, 999, 40, 55, 40, 68, 5} << 3.5469
        << 15.0 << true << (28.0 / 15 - 1) * 17.7345 << Findings{};
    QTest::newRow("fan2 equal temperatures")
        << SelectionMode::Fan2 << QList<double>{1.25, 0.63, 0.63, 0, 40, 40, 40, 68, 5} << 3.5469
        << 0.0 << false << 0.0 << Findings{F::TemperaturesEqual};
    QTest::newRow("resin coefficient")
        << SelectionMode::Aircon << QList<double>{2, 1, 0.6, 0, 40, 30, 0, 0, 3.7} << 7.0 << 10.0
        << true << 259.0 << Findings{F::AirconOutsideHotter};
}

void TestCalc::heatBalance() {
    QFETCH(SelectionMode, mode);
    QFETCH(QList<double>, in);
    QFETCH(double, area);
    QFETCH(double, deltaT);
    QFETCH(bool, hasResult);
    QFETCH(double, result);
    QFETCH(Findings, findings);
    const HeatBalanceInput input{mode,  in[0], in[1], in[2], in[3],
                                 in[4], in[5], in[6], in[7], in[8]};
    const HeatBalanceResult r = ComputeHeatBalance(input);
    QVERIFY(r.finite);
    QVERIFY(qFuzzyCompare(r.area, area));
    QCOMPARE(r.deltaT, deltaT);
    QCOMPARE(r.result.has_value(), hasResult);
    if (hasResult)
        QVERIFY2(std::fabs(*r.result - result) < 1e-9, qPrintable(QString::number(*r.result)));
    QVERIFY(r.findings == findings);
}

void TestCalc::overflowIsReported_data() {
    QTest::addColumn<SelectionMode>("mode");
    QTest::addColumn<QList<double>>("in");
    QTest::newRow("huge dimension")
        << SelectionMode::Aircon << QList<double>{1e200, 1, 1e200, 0, 40, 35, 0, 0, 5};
    QTest::newRow("huge temperature")
        << SelectionMode::Aircon << QList<double>{2, 1, 0.6, 0, 1e308, 35, 0, 0, 5};
    QTest::newRow("opposite huge temperatures")
        << SelectionMode::Fan1 << QList<double>{2, 1, 0.6, 0, -DBL_MAX, DBL_MAX, 0, 0, 5};
    QTest::newRow("huge measured difference")
        << SelectionMode::Fan2 << QList<double>{2, 1, 0.6, 0, 40, 40.5, 0, DBL_MAX, 5};
}

void TestCalc::overflowIsReported() {
    QFETCH(SelectionMode, mode);
    QFETCH(QList<double>, in);
    const HeatBalanceInput input{mode,  in[0], in[1], in[2], in[3],
                                 in[4], in[5], in[6], in[7], in[8]};
    QVERIFY(!ComputeHeatBalance(input).finite);
}

void TestCalc::recommendation_data() {
    QTest::addColumn<bool>("aircon");
    QTest::addColumn<double>("requirement");
    QTest::addColumn<int>("index");
    QTest::newRow("aircon first above") << true << 1275.0 << 6;
    QTest::newRow("aircon equal picks next") << true << 1600.0 << 8;
    QTest::newRow("aircon above all picks last") << true << 5000.0 << 10;
    QTest::newRow("aircon equal to last picks last") << true << 3500.0 << 10;
    QTest::newRow("aircon negative") << true << -5.0 << 0;
    QTest::newRow("fan first above") << false << 15.6 << 4;
    QTest::newRow("fan equal picks next") << false << 15.0 << 4;
    QTest::newRow("fan above all") << false << 120.5 << 14;
    QTest::newRow("fan zero") << false << 0.0 << 0;
}

void TestCalc::recommendation() {
    QFETCH(bool, aircon);
    QFETCH(double, requirement);
    QFETCH(int, index);
    const std::vector<double> airconCaps = {350,  500,  500,  750,  1100, 1100,
                                            1600, 1600, 2000, 3000, 3500};
    // One entry more than is searched: the search covers the first fifteen only.
    const std::vector<double> fanCaps = {8,  10, 12.5, 15, 17.5, 20, 25,  30,
                                         35, 45, 60,   66, 75,   90, 120, 999};
    QCOMPARE(aircon ? RecommendAirconModel(requirement, airconCaps)
                    : RecommendFanModel(requirement, fanCaps),
             index);
}

QTEST_APPLESS_MAIN(TestCalc)
#include "tst_calc.moc"
