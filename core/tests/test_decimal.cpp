// Decimal texts read and shown. The whole-number reading is held by the
// spin field's suite and by its fuzz target against a reference reading.
#include "core/decimal.h"

#include <QTest>

Q_DECLARE_METATYPE(long double)

using core::formatOneDecimal;
using core::parseDecimal;

class TestDecimal : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QChar>("sep");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        auto row = [](const char *name, const char *text, bool ok, double value = 0, QChar sep = u'.') {
            QTest::newRow(name) << QString::fromLatin1(text) << sep << ok << value;
        };
        row("two digits", "53", true, 53);
        row("digit then blank", "5 ", true, 5);
        row("blank then digit", " 5", true, 5);
        row("two blanks", "  ", false);
        row("empty", "", false);
        row("point separator", "55.7", true, 55.7);
        row("comma separator", "55,7", true, 55.7, u',');
        row("wrong separator", "55,7", false);
        row("negative", "-12.5", true, -12.5);
        row("plus sign", "+3", true, 3);
        row("exponent", "1.5E2", true, 150);
        row("lower exponent", "1.5e-1", true, 0.15);
        row("bare exponent", "1E", false);
        row("letters", "BigLabel1", false);
        row("placeholder", "Label31", false);
        row("inner blank", "5 5", false);
        row("lone sign", "-", false);
        row("overflow", "1e99999", false);
        row("thousands separator", "1,000.0", false);
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(QChar, sep);
        QFETCH(bool, ok);
        QFETCH(double, value);
        const auto v = parseDecimal(text, sep);
        QCOMPARE(v.has_value(), ok);
        if (ok)
            QCOMPARE(static_cast<double>(*v), value);
    }

    void format_data()
    {
        QTest::addColumn<long double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0L << "0.0";
        QTest::newRow("negative zero") << -0.0L << "0.0";
        QTest::newRow("tiny negative shows no sign") << -0.04L << "0.0";
        QTest::newRow("half away from zero") << 0.25L << "0.3";
        QTest::newRow("negative half away") << -0.25L << "-0.3";
        QTest::newRow("carry") << 99.96L << "100.0";
        QTest::newRow("small") << 0.05L << "0.1";
        QTest::newRow("below half") << 0.0499L << "0.0";
        QTest::newRow("large") << 123456789.0L << "123456789.0";
        QTest::newRow("huge, no thousands separator") << 1e20L << "100000000000000000000.0";
        // 18 significant digits decide before the one-decimal rounding.
        QTest::newRow("just above 55.65") << 55.6500000000000003934L << "55.7";
        QTest::newRow("just below 12.15") << 12.1499999999999995504L << "12.1";
    }
    void format()
    {
        QFETCH(long double, value);
        QFETCH(QString, text);
        QCOMPARE(formatOneDecimal(value, u'.'), text);
        QCOMPARE(formatOneDecimal(value, u','), QString(text).replace(u'.', u','));
    }

    void roundTrip()
    {
        // Every one-decimal text the tables show parses back to its value.
        for (int i = -2000; i <= 2000; ++i) {
            const long double v = i / 10.0L;
            const QString t = formatOneDecimal(v, u',');
            const auto back = parseDecimal(t, u',');
            QVERIFY2(back.has_value(), qPrintable(t));
            QCOMPARE(formatOneDecimal(*back, u','), t);
        }
    }
};

QTEST_APPLESS_MAIN(TestDecimal)
#include "test_decimal.moc"
