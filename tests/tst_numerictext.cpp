// The number rules: reading text loosely and strictly, formatting results,
// the wide-exponent arithmetic of a formula and its faults.

#include "app/RunTimeError.h"
#include "solvers/NumericText.h"
#include "solvers/WideNumber.h"

#include <QTest>
#include <bit>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>

using NumericText::Separators;

namespace {

constexpr int NoError = 0;
const Separators Point{QStringLiteral("."), QStringLiteral(",")};
const Separators Comma{QStringLiteral(","), QStringLiteral(".")};

// A value, or the number of the run-time error raised instead.
struct Outcome {
    double value = 0;
    int error = NoError;
};

template<typename F>
Outcome outcome(F &&compute)
{
    try {
        return {compute(), NoError};
    } catch (const RunTimeError &e) {
        return {0, e.number()};
    }
}

Outcome stored(const WideNumber &result)
{
    return outcome([&] { return NumericText::store(result); });
}

// Same value to the bit, signed zeros apart.
bool same(double a, double b)
{
    return std::bit_cast<quint64>(a) == std::bit_cast<quint64>(b);
}

QString describe(double value)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return QString::fromLatin1(text);
}

#define COMPARE_EXACTLY(actual, expected) \
    QVERIFY2(same(actual, expected), qPrintable(describe(actual) + QStringLiteral(" != ") + describe(expected)))

std::string cFormat(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.15G", value);
    return value == 0 ? std::string("0") : std::string(text);
}

} // namespace

class NumericTextTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void parseLoose_data();
    void parseLoose();
    void parseStrict_data();
    void parseStrict();
    void format_data();
    void format();
    void formatMatchesC();
    void readingBackFormattedText();
    void arithmetic_data();
    void arithmetic();
    void rounding();
    void arithmeticRoundsLikeBinary64();
    void throughText();
};

void NumericTextTest::initTestCase()
{
    // The C library is the oracle; make sure it writes "." whatever the
    // environment says.
    std::setlocale(LC_NUMERIC, "C");
}

void NumericTextTest::parseLoose_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("error");

    auto row = [](const char *name, const QString &text, double value, int error = NoError) {
        QTest::newRow(name) << text << value << error;
    };
    row("empty", QString(), 0);
    row("blanks only", QStringLiteral(" \t\n "), 0);
    row("blanks around and between digits", QStringLiteral(" 4 2 "), 42);
    row("blank inside thousands", QStringLiteral("1 000"), 1000);
    row("carriage return ends the number", QStringLiteral("1\r2"), 1);
    row("trailing letters", QStringLiteral("12abc"), 12);
    row("leading letters", QStringLiteral("abc12"), 0);
    row("lone minus", QStringLiteral("-"), 0);
    row("lone point", QStringLiteral("."), 0);
    row("plus and point", QStringLiteral("+.5"), 0.5);
    row("comma ends the number", QStringLiteral("2,5"), 2);
    row("unit after number", QStringLiteral("3.5kg"), 3.5);
    row("second point ends the number", QStringLiteral("1.2.3"), 1.2);
    row("exponent", QStringLiteral("1.5E3"), 1500);
    row("negative exponent", QStringLiteral("2e-3"), 0.002);
    row("exponent without digits", QStringLiteral("7E"), 7);
    row("negative zero", QStringLiteral("-0"), -0.0);
    row("many digits", QStringLiteral("3.14159265358979323846264338327950288"), 3.141592653589793);
    row("largest binary64", QStringLiteral("1.7976931348623157E308"), std::numeric_limits<double>::max());
    row("smallest subnormal", QStringLiteral("4.9406564584124654E-324"), std::numeric_limits<double>::denorm_min());
    row("below the smallest subnormal", QStringLiteral("1e-400"), 0);
    row("zero with huge exponent", QStringLiteral("0e99999"), 0);
    row("tiny digits huge exponent", QStringLiteral("0.000001e306"), 1e300);
    row("hex all ones is -1", QStringLiteral("&HFFFF"), -1);
    row("hex largest 16-bit", QStringLiteral("&H7FFF"), 32767);
    row("hex five digits is 32-bit", QStringLiteral("&HFFFFF"), 1048575);
    row("hex leading zero makes it 32-bit", QStringLiteral("&H0FFFF"), 65535);
    row("hex smallest 32-bit", QStringLiteral("&H80000000"), -2147483648.0);
    row("hex stops at non-digit", QStringLiteral("&H1Fzz"), 31);
    row("hex without digits", QStringLiteral("&H"), 0);
    row("octal all ones is -1", QStringLiteral("&O177777"), -1);
    row("octal beyond 16 bits", QStringLiteral("&O200000"), 65536);
    row("octal leading zero makes it 32-bit", QStringLiteral("&O0177777"), 65535);
    row("sign before prefix", QStringLiteral("-&H10"), 0);
    row("beyond binary64", QStringLiteral("1e309"), 0, 6);
    row("400 digits", QString(400, u'9'), 0, 6);
    row("hex beyond 32 bits", QStringLiteral("&H100000000"), 0, 6);
}

void NumericTextTest::parseLoose()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(int, error);
    const Outcome got = outcome([&] { return NumericText::parseLoose(text); });
    QCOMPARE(got.error, error);
    if (error == NoError)
        COMPARE_EXACTLY(got.value, value);
}

void NumericTextTest::parseStrict_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("thousands");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("error");

    auto point = [](const char *name, const QString &text, double value, int error = NoError) {
        QTest::newRow(name) << text << QStringLiteral(".") << QStringLiteral(",") << value << error;
    };
    auto comma = [](const char *name, const QString &text, double value, int error = NoError) {
        QTest::newRow(name) << text << QStringLiteral(",") << QStringLiteral(".") << value << error;
    };
    point("plain", QStringLiteral("2.5"), 2.5);
    point("blanks around", QStringLiteral("  -3.5\t "), -3.5);
    point("plus sign", QStringLiteral("+.5"), 0.5);
    point("thousands separators", QStringLiteral("1,234,567.5"), 1234567.5);
    point("comma is a thousands separator", QStringLiteral("2,5"), 25);
    point("exponent", QStringLiteral("1E3"), 1000);
    point("hex", QStringLiteral("&HFF"), 255);
    point("octal with blanks around", QStringLiteral(" &O17 "), 15);
    point("beyond binary64", QStringLiteral("1E400"), 0, 6);
    point("empty", QString(), 0, 13);
    point("blanks only", QStringLiteral("   "), 0, 13);
    point("trailing letters", QStringLiteral("12abc"), 0, 13);
    point("letters", QStringLiteral("abc"), 0, 13);
    point("lone minus", QStringLiteral("-"), 0, 13);
    point("exponent without digits", QStringLiteral("1E"), 0, 13);
    point("blank inside", QStringLiteral("1 000"), 0, 13);
    point("separator before digits", QStringLiteral(",5"), 0, 13);
    point("hex with junk", QStringLiteral("&HFG"), 0, 13);
    point("sign before hex", QStringLiteral("-&H1"), 0, 13);
    point("currency", QStringLiteral("$5"), 0, 13);
    comma("decimal comma", QStringLiteral("2,5"), 2.5);
    comma("decimal comma with thousands", QStringLiteral("1.000,5"), 1000.5);
    comma("point is a thousands separator", QStringLiteral("2.5"), 25);
    QTest::newRow("no-break space thousands") << QStringLiteral("1\u00a0000,5") << QStringLiteral(",")
                                              << QStringLiteral("\u00a0") << 1000.5 << NoError;
}

void NumericTextTest::parseStrict()
{
    QFETCH(QString, text);
    QFETCH(QString, decimal);
    QFETCH(QString, thousands);
    QFETCH(double, value);
    QFETCH(int, error);
    const Outcome got = outcome([&] { return NumericText::parseStrict(text, {decimal, thousands}); });
    QCOMPARE(got.error, error);
    if (error == NoError)
        COMPARE_EXACTLY(got.value, value);
}

void NumericTextTest::format_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("text");

    auto row = [](const char *name, double value, const char *text, const char *decimal = ".") {
        QTest::newRow(name) << value << QString::fromLatin1(decimal) << QString::fromLatin1(text);
    };
    row("integer", 2, "2");
    row("negative fraction", -1234.5, "-1234.5");
    row("third", 1.0 / 3, "0.333333333333333");
    row("largest plain", 999999999999999, "999999999999999");
    row("ten to the 15th", 1e15, "1E+15");
    row("ten to the -5th", 0.00001, "1E-05");
    row("small with fraction", 1.5e-7, "1.5E-07");
    row("sixteen digits rounded", 1234567890123456, "1.23456789012346E+15");
    row("three-digit exponent", 1e100, "1E+100");
    row("negative zero", -0.0, "0");
    row("binary sum", 0.1 + 0.2, "0.3");
    row("rounds up into scientific", 9.999999999999999e14, "1E+15");
    row("rounds up into plain", 0.000099999999999999999, "0.0001");
    row("just below ten to the -4th", 9.9999999999999e-5, "9.9999999999999E-05");
    row("largest binary64", std::numeric_limits<double>::max(), "1.79769313486232E+308");
    row("smallest subnormal", std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324");
    row("decimal comma", -1.5, "-1,5", ",");
    row("decimal comma scientific", 1.5e-7, "1,5E-07", ",");
}

void NumericTextTest::format()
{
    QFETCH(double, value);
    QFETCH(QString, decimal);
    QFETCH(QString, text);
    QCOMPARE(NumericText::format(value, {decimal, QStringLiteral(",")}), text);
}

// Against C's "%.15G" over random bit patterns (every exponent) and random
// short decimals (where rounding ties and boundaries are likelier).
void NumericTextTest::formatMatchesC()
{
    std::mt19937_64 random(20261206);
    std::uniform_int_distribution<int> digits(1, 17);
    std::uniform_int_distribution<int> exponent(-30, 30);
    for (int i = 0; i < 100000; ++i) {
        double value = std::bit_cast<double>(random());
        if (i % 2) {
            const double mantissa = double(random() % 100000000000000000ULL) / std::pow(10.0, digits(random));
            value = mantissa * std::pow(10.0, exponent(random));
        }
        if (!std::isfinite(value))
            continue;
        const QString ours = NumericText::format(value, Point);
        const std::string theirs = cFormat(value);
        if (ours.toStdString() != theirs)
            QFAIL(qPrintable(describe(value) + QStringLiteral(": ") + ours + QStringLiteral(" vs ") + QString::fromStdString(theirs)));
    }
}

// Reading a result back gives what the C library reads from the same text.
void NumericTextTest::readingBackFormattedText()
{
    std::mt19937_64 random(42);
    for (int i = 0; i < 20000; ++i) {
        const double value = std::bit_cast<double>(random());
        if (!std::isfinite(value))
            continue;
        const std::string text = cFormat(value);
        const double expected = std::strtod(text.c_str(), nullptr);
        const Outcome got = outcome([&] { return NumericText::parseLoose(QString::fromStdString(text)); });
        if (std::isinf(expected)) {
            QCOMPARE(got.error, 6); // 1.79769313486232E+308 rounds up past the largest binary64
            continue;
        }
        QVERIFY2(same(got.value, expected) || (got.value == 0 && expected == 0), text.c_str());
        QCOMPARE(NumericText::format(got.value, Point), QString::fromStdString(text));
    }
}

// The formulas are evaluated here, where the rows are made; each row holds
// the text of what the arithmetic gave (or its error) beside the expectation.
void NumericTextTest::arithmetic_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<int>("expectedError");
    using W = WideNumber;
    auto row = [](const char *name, const WideNumber &result, const char *text, int error = NoError) {
        const Outcome got = stored(result);
        QTest::newRow(name) << (got.error ? QString() : NumericText::format(got.value, Point)) << got.error
                            << QString::fromLatin1(text) << error;
    };
    row("quotient leaves the range and comes back", (W(1e300) / W(1e-300)) * W(1e-300), "1E+300");
    row("product below the range divides back up", W(1e-300) / (W(1e-200) * W(1e-200)), "1E+100");
    row("product above the range divides back", (W(1e200) * W(1e200)) / W(1e300), "1E+100");
    row("difference of out-of-range values", (W(1e300) * W(1e300) - W(1e300) * W(1e300)) + W(2), "2");
    row("zero divided by zero", W(0) / W(0), "", 6);
    row("division by zero", W(5) / W(0), "", 11);
    row("negative division by zero", W(-5) / W(0), "", 11);
    row("division by zero first, then invalid", (W(5) / W(0)) * W(0), "", 11);
    row("invalid first, then division by zero", (W(0) / W(0)) + (W(5) / W(0)), "", 6);
    row("result beyond binary64 when stored", W(1e308) * W(10), "", 6);
    row("square beyond binary64", W::power(W(1e200), 2) / W(1e200), "", 6);
    row("square that underflows", W::power(W(1e-200), 2) / W(2), "0");
    row("square of a negative", W::power(W(-3), 2) / W(2), "4.5");
    row("product that underflows", W(1e-300) * W(1e-300), "0");
    row("product into the subnormal range", W(1e-300) * W(1e-10), "9.99999999999997E-311"); // as binary64 gives
    row("binary sum", W(0.1) + W(0.2), "0.3");
    row("difference to zero", W(1) - W(1), "0");
    row("negative zero product", W(0) * W(-5), "0");
}

void NumericTextTest::arithmetic()
{
    QFETCH(QString, text);
    QFETCH(int, error);
    QFETCH(QString, expectedText);
    QFETCH(int, expectedError);
    QCOMPARE(error, expectedError);
    QCOMPARE(text, expectedText);
}

// Rounding to 53 bits at the edges: ties go to even, anything more rounds up,
// and a far smaller addend leaves the larger one as it is.
void NumericTextTest::rounding()
{
    const double halfUlp = std::ldexp(1.0, -53);
    COMPARE_EXACTLY((WideNumber(1) + halfUlp).toDouble(), 1.0);
    COMPARE_EXACTLY((WideNumber(1) + (halfUlp + std::ldexp(1.0, -105))).toDouble(), 1 + 2 * halfUlp);
    COMPARE_EXACTLY((WideNumber(1 + 2 * halfUlp) + halfUlp).toDouble(), 1 + 4 * halfUlp);
    COMPARE_EXACTLY((WideNumber(1) + WideNumber(1e-300) * 1e-300).toDouble(), 1.0);
    COMPARE_EXACTLY((WideNumber(1) - WideNumber(1e-300) * 1e-300).toDouble(), 1.0);
    COMPARE_EXACTLY((WideNumber(1) - std::ldexp(1.0, -54)).toDouble(), 1.0);
    COMPARE_EXACTLY((WideNumber(1) - (std::ldexp(1.0, -54) + std::ldexp(1.0, -100))).toDouble(), 1 - halfUlp);
    COMPARE_EXACTLY((WideNumber(1e300) * 1e300 / 1e300).toDouble(), 1e300);
}

// Where binary64 neither overflows nor underflows, every operation gives
// exactly the binary64 result.
void NumericTextTest::arithmeticRoundsLikeBinary64()
{
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(-2, 2);
    std::uniform_int_distribution<int> exponent(-400, 400);
    for (int i = 0; i < 100000; ++i) {
        const double a = std::ldexp(mantissa(random), exponent(random));
        const double b = std::ldexp(mantissa(random), exponent(random)) * (i % 7 == 0 ? 1e-17 : 1.0);
        const double expected[] = {a + b, a - b, a * b, a / b};
        const WideNumber wide[] = {WideNumber(a) + b, WideNumber(a) - b, WideNumber(a) * b, WideNumber(a) / b};
        for (int op = 0; op < 4; ++op) {
            if (!std::isnormal(expected[op]))
                continue;
            if (!same(wide[op].toDouble(), expected[op]))
                QFAIL(qPrintable(QStringLiteral("op %1 on %2, %3").arg(op).arg(describe(a), describe(b))));
        }
    }
}

void NumericTextTest::throughText()
{
    COMPARE_EXACTLY(NumericText::throughText(1.5), 1.5);
    COMPARE_EXACTLY(NumericText::throughText(0.1 + 0.2), 0.3);
    COMPARE_EXACTLY(NumericText::throughText(9e16), 9e16);
    COMPARE_EXACTLY(NumericText::throughText(1.0 / 3), 0.333333333333333);
}

QTEST_GUILESS_MAIN(NumericTextTest)
#include "tst_numerictext.moc"
