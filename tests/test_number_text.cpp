#include "ui/number_text.h"

#include <QTest>

#include <cstdint>

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void readDouble_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("whole") << QStringLiteral("12") << 12.0;
        QTest::newRow("blanks around") << QStringLiteral(" 62.5 ") << 62.5;
        QTest::newRow("negative") << QStringLiteral("-300") << -300.0;
        QTest::newRow("exponent") << QStringLiteral("1e3") << 1000.0;
        QTest::newRow("letters read as 0") << QStringLiteral("abc") << 0.0;
        QTest::newRow("empty reads as 0") << QString() << 0.0;
        QTest::newRow("blank reads as 0") << QStringLiteral("   ") << 0.0;
        QTest::newRow("number then letters reads as 0") << QStringLiteral("12abc") << 0.0;
    }
    void readDouble()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(numtext::readDouble(text), value);
    }

    void integerReadsRoundHalfToEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("rounded");
        QTest::newRow("0.5") << 0.5 << qint64(0);
        QTest::newRow("1.5") << 1.5 << qint64(2);
        QTest::newRow("2.5") << 2.5 << qint64(2);
        QTest::newRow("-2.5") << -2.5 << qint64(-2);
        QTest::newRow("-3.5") << -3.5 << qint64(-4);
        QTest::newRow("2.51 goes up") << 2.51 << qint64(3);
        QTest::newRow("-0.4") << -0.4 << qint64(0);
    }
    void integerReadsRoundHalfToEven()
    {
        QFETCH(double, value);
        QFETCH(qint64, rounded);
        QCOMPARE(numtext::roundHalfEven(value), rounded);
        const QString text = numtext::text(value);
        QCOMPARE(numtext::readInt16(text), rounded);
        QCOMPARE(numtext::readInt32(text), rounded);
    }

    void integerReadsBeyondTheirRangeKeepTheValue()
    {
        QCOMPARE(numtext::readInt16(QStringLiteral("40000")), std::int64_t(40000));
        QCOMPARE(numtext::readInt16(QStringLiteral("-40000")), std::int64_t(-40000));
        QCOMPARE(numtext::readInt32(QStringLiteral("5e9")), std::int64_t(5000000000));
        QCOMPARE(numtext::readInt32(QStringLiteral("-5000000000.5")), std::int64_t(-5000000000));
        QCOMPARE(numtext::readInt16(QStringLiteral("abc")), std::int64_t(0));
    }

    void writesShortestText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("negative whole") << -300.0 << QStringLiteral("-300");
        QTest::newRow("half") << 62.5 << QStringLiteral("62.5");
        QTest::newRow("year") << 1965.0 << QStringLiteral("1965");
        QTest::newRow("zero") << 0.0 << QStringLiteral("0");
        QTest::newRow("negative zero") << -0.0 << QStringLiteral("0");
        QTest::newRow("15 significant digits") << 0.1 + 0.2 << QStringLiteral("0.3");
        QTest::newRow("third") << 1.0 / 3.0 << QStringLiteral("0.333333333333333");
        QTest::newRow("large whole") << 123456789012.0 << QStringLiteral("123456789012");
    }
    void writesShortestText()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(numtext::text(value), text);
        QVERIFY(!numtext::text(value).startsWith(QLatin1Char(' ')));
    }

    void writesSingles()
    {
        QCOMPARE(numtext::textSingle(0.1f), QStringLiteral("0.1"));
        QCOMPARE(numtext::textSingle(62.5f), QStringLiteral("62.5"));
        QCOMPARE(numtext::textSingle(1.0f / 3.0f), QStringLiteral("0.3333333"));
        QCOMPARE(numtext::textSingle(-0.0f), QStringLiteral("0"));
        // The same float written as a double shows its binary error.
        QVERIFY(numtext::text(static_cast<double>(0.1f)) != QStringLiteral("0.1"));
    }

    void writesWholeNumbers()
    {
        QCOMPARE(numtext::text(std::int64_t(-300)), QStringLiteral("-300"));
        QCOMPARE(numtext::text(std::int64_t(0)), QStringLiteral("0"));
        QCOMPARE(numtext::text(std::int64_t(5000000000)), QStringLiteral("5000000000"));
        QCOMPARE(numtext::text(40000), QStringLiteral("40000"));
    }

    void textReadsBackToTheSameNumber()
    {
        for (double value : {-300.0, 62.5, 1965.0, 0.125, -7.75, 40000.0})
            QCOMPARE(numtext::readDouble(numtext::text(value)), value);
    }
};

QTEST_MAIN(TestNumberText)
#include "test_number_text.moc"
