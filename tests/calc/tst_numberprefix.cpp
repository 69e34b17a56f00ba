#include <QtTest>

#include "calc/NumberText.h"

// How much of a field's text the number reader uses: the fields show a
// warning when it does not use all of it.
class TestNumberPrefix : public QObject {
    Q_OBJECT
private slots:
    void prefix_data();
    void prefix();
};

void TestNumberPrefix::prefix_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("whole");
    QTest::newRow("integer") << QByteArray("2") << 2.0 << 1 << true;
    QTest::newRow("blanks around") << QByteArray(" 2.5 \t\n") << 2.5 << 7 << true;
    QTest::newRow("blanks between digits") << QByteArray("1 2") << 12.0 << 3 << true;
    QTest::newRow("sign and blank") << QByteArray("- 5") << -5.0 << 3 << true;
    QTest::newRow("trailing period") << QByteArray("5.") << 5.0 << 2 << true;
    QTest::newRow("exponent") << QByteArray("1.5E3") << 1500.0 << 5 << true;
    QTest::newRow("exponent with blanks") << QByteArray("1 E + 2 ") << 100.0 << 8 << true;
    QTest::newRow("hex") << QByteArray("&H1F") << 31.0 << 4 << true;
    QTest::newRow("hex and blank") << QByteArray("&H 1F ") << 31.0 << 6 << true;
    QTest::newRow("decimal comma") << QByteArray("1,2") << 1.0 << 1 << false;
    QTest::newRow("unit letter") << QByteArray("2m") << 2.0 << 1 << false;
    QTest::newRow("blank and unit") << QByteArray("500 W") << 500.0 << 4 << false;
    QTest::newRow("second period") << QByteArray("1.2.3") << 1.2 << 3 << false;
    QTest::newRow("exponent without digits") << QByteArray("1E") << 1.0 << 1 << false;
    QTest::newRow("exponent sign only") << QByteArray("1E+x") << 1.0 << 1 << false;
    QTest::newRow("octal stops at 8") << QByteArray("&O78") << 7.0 << 3 << false;
    QTest::newRow("carriage return") << QByteArray("12\r") << 12.0 << 2 << false;
    QTest::newRow("letters") << QByteArray("abc") << 0.0 << 0 << false;
    QTest::newRow("empty") << QByteArray("") << 0.0 << 0 << false;
    QTest::newRow("blanks only") << QByteArray("  ") << 0.0 << 0 << false;
    QTest::newRow("sign only") << QByteArray("-") << 0.0 << 0 << false;
    QTest::newRow("period only") << QByteArray(".") << 0.0 << 0 << false;
    QTest::newRow("hex without digits") << QByteArray("&H") << 0.0 << 0 << false;
    QTest::newRow("korean before") << QByteArray("높이 2") << 0.0 << 0 << false;
    QTest::newRow("korean after") << QByteArray("2 미터") << 2.0 << 2 << false;
}

void TestNumberPrefix::prefix() {
    QFETCH(QByteArray, text);
    QFETCH(double, value);
    QFETCH(int, length);
    QFETCH(bool, whole);
    const std::string_view view(text.constData(), static_cast<size_t>(text.size()));
    const NumberPrefix prefix = ParseNumberPrefix(view);
    QCOMPARE(prefix.value, value);
    QCOMPARE(prefix.length, static_cast<size_t>(length));
    QCOMPARE(IsWholeNumber(view), whole);
    // The same reading as the calculation's.
    QCOMPARE(prefix.value, ParseNumber(view));
}

QTEST_APPLESS_MAIN(TestNumberPrefix)
#include "tst_numberprefix.moc"
