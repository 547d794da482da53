// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The number rules: reading text loosely and strictly, formatting results,
// the wide-exponent arithmetic of a formula and its faults.

#include "solvers/NumericText.h"
#include "solvers/WideNumber.h"
#include "support/Outcome.h"

#include <QTest>
#include <bit>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <random>

using namespace solvers;

namespace {

const NumericText::Separators Point{QStringLiteral("."), QStringLiteral(",")};
const NumericText::Separators Comma{QStringLiteral(","), QStringLiteral(".")};

QString valueOrError(double value, int error)
{
    return error ? QStringLiteral("error %1").arg(error) : outcome([=] { return value; });
}

} // namespace

class NumericTextTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { std::setlocale(LC_NUMERIC, "C"); } // the C library is the oracle
    void rules_data();
    void rules()
    {
        QFETCH(QString, got);
        QTEST(got, "expected");
    }
    void formatAndReadBackMatchC();
    void arithmeticRoundsLikeBinary64();
};

// Each row holds what a reading or a formula gave beside what it should give.
// A reading's mode is L (loose), or the decimal separator of a strict reading.
void NumericTextTest::rules_data()
{
    QTest::addColumn<QString>("got");
    QTest::addColumn<QString>("expected");
    // clang-format off
    for (const auto &[mode, text, value, error] : std::initializer_list<std::tuple<char, QString, double, int>>{
         {'L', " 4\t2\n", 42, 0}, {'L', "1\r2", 1, 0}, {'L', "12abc", 12, 0}, {'L', "abc12", 0, 0}, {'L', "-", 0, 0},
         {'L', "+.5", 0.5, 0}, {'L', "2,5", 2, 0}, {'L', "1.2.3", 1.2, 0}, {'L', "1.5E3", 1500, 0},
         {'L', "2e-3", 0.002, 0}, {'L', "7E+", 7, 0}, {'L', "-0", -0.0, 0}, {'L', "1.7976931348623157E308", DBL_MAX, 0},
         {'L', "4.9406564584124654E-324", DBL_TRUE_MIN, 0}, {'L', "-1e-400", -0.0, 0}, {'L', "1e309", 0, 6},
         {'L', QString(400, u'9'), 0, 6}, {'L', "&HFFFF", -1, 0}, {'L', "&H0FFFF", 65535, 0}, {'L', "&hff", 255, 0},
         {'L', "&HFFFFFFFF", -1, 0}, {'L', "&H100000000", 0, 6}, {'L', "&H9Fzz", 159, 0}, {'L', "&H", 0, 0},
         {'L', "&X1", 0, 0}, {'L', "-&H10", 0, 0}, {'L', "&O177777", -1, 0}, {'L', "&O200000", 65536, 0},
         {'L', "&O0177777", 65535, 0}, {'L', "&O18", 1, 0}, {'L', "0." + QString(500, u'0') + "1e100", 0, 0},
         {'.', "  -3.5\t ", -3.5, 0}, {'.', "1,234,567.5", 1234567.5, 0}, {'.', " &O17 ", 15, 0}, {'.', "   ", 0, 13},
         {'.', "12abc", 0, 13}, {'.', "abc", 0, 13}, {'.', "1E", 0, 13}, {'.', "1 000", 0, 13}, {'.', ",5", 0, 13},
         {'.', "&HFG", 0, 13}, {'.', "&H", 0, 13}, {'.', "&X1", 0, 13}, {'.', "-&H1", 0, 13}, {'.', "1.2.3", 0, 13},
         {',', "2,5", 2.5, 0}, {',', "1.000,5", 1000.5, 0}, {',', "2.5", 25, 0}}) {
        const bool loose = mode == 'L';
        const auto read = [&, mode = mode, text = text] {
            return loose ? NumericText::parseLoose(text) : NumericText::parseStrict(text, mode == '.' ? Point : Comma);
        };
        const char *kind = loose ? "loose" : mode == '.' ? "strict" : "strict, decimal comma";
        const QByteArray printable = text.left(24).toUtf8().toPercentEncoding(" &+-.,");
        QTest::addRow("%s [%s]", kind, printable.constData()) << outcome(read) << valueOrError(value, error);
    }
    // clang-format on
    // Formulas; near the end, rounding to 53 bits: ties go to even, anything more rounds up.
    using W = WideNumber;
    const double half = std::ldexp(1.0, -53);
    // clang-format off
    for (const auto &[name, result, value, error] : std::initializer_list<std::tuple<const char *, W, double, int>>{
         {"quotient leaves the range and comes back", (W(1e300) / W(1e-300)) * W(1e-300), 1.0000000000000002e300, 0},
         {"difference of out-of-range values", (W(1e300) * W(1e300) - W(1e300) * W(1e300)) + W(2), 2, 0},
         {"zero divided by zero", W(0) / W(0), 0, 6}, {"division by zero, then invalid", (W(5) / W(0)) * W(0), 0, 11},
         {"invalid, then division by zero", (W(0) / W(0)) + (W(5) / W(0)), 0, 6},
         {"beyond binary64 when stored", W(1e308) * W(10), 0, 6}, {"difference to zero", W(1) - W(1), 0, 0},
         {"square beyond binary64", W::power(W(1e200), 2) / W(1e200), 0, 6},
         {"square that underflows", W::power(W(1e-200), 2) / W(2), 0, 0},
         {"negative zero product", W(0) * W(-5), -0.0, 0}, {"square of a negative", W::power(W(-3), 2) / W(2), 4.5, 0},
         {"product that underflows", W(1e-300) * W(1e-300), 0, 0},
         {"product into the subnormal range", W(1e-300) * W(1e-10), 1e-300 * 1e-10, 0},
         {"far smaller addend", W(1) + W(1e-300) * 1e-300, 1, 0},
         {"far smaller subtrahend", W(1) - W(1e-300) * 1e-300, 1, 0}, {"tie to even, down", W(1) + half, 1, 0},
         {"just above a tie", W(1) + (half + std::ldexp(1.0, -105)), 1 + 2 * half, 0},
         {"tie to even, up", W(1 + 2 * half) + half, 1 + 4 * half, 0}, {"tie below one", W(1) - half / 2, 1, 0},
         {"just above a tie below one", W(1) - (half / 2 + std::ldexp(1.0, -100)), 1 - half, 0}})
        QTest::newRow(name) << outcome([result = result] { return NumericText::store(result); }) << valueOrError(value, error);
    // clang-format on
}

// Against C's "%.15G" and strtod over random bit patterns (every exponent)
// and random short decimals (where rounding ties and boundaries are likelier).
void NumericTextTest::formatAndReadBackMatchC()
{
    QCOMPARE(NumericText::format(-0.0, Point), QStringLiteral("0"));
    QCOMPARE(NumericText::format(-1.5e-7, Comma), QStringLiteral("-1,5E-07"));
    std::mt19937_64 random(20261206);
    std::uniform_int_distribution<int> digits(1, 17), exponent(-30, 30);
    for (int i = 0; i < 100000; ++i) {
        double value = std::bit_cast<double>(random());
        if (i % 2)
            value = double(random() % 100000000000000000ULL) / std::pow(10.0, digits(random))
                * std::pow(10.0, exponent(random));
        if (!std::isfinite(value))
            continue;
        char text[64];
        std::snprintf(text, sizeof text, "%.15G", value == 0 ? 0.0 : value); // format() shows -0 as 0
        const double expected = std::strtod(text, nullptr);                  // past the largest binary64 it overflows
        const QString ours = NumericText::format(value, Point);
        const QString read = outcome([&] { return NumericText::parseLoose(QString::fromLatin1(text)); });
        if (ours != QLatin1String(text) || read != valueOrError(expected, std::isinf(expected) ? 6 : 0)
            || (!std::isinf(expected) && outcome([&] { return NumericText::throughText(value); }) != read))
            QFAIL(qPrintable(QLatin1String(text) + QLatin1Char(' ') + ours + QLatin1Char(' ') + read));
    }
}

// Where binary64 neither overflows nor underflows, every operation gives exactly the binary64 result.
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
        for (int op = 0; op < 4; ++op)
            if (std::isnormal(expected[op]) && wide[op].toDouble() != expected[op])
                QFAIL(qPrintable(QStringLiteral("op %1 on %2, %3").arg(op).arg(a, 0, 'g', 17).arg(b, 0, 'g', 17)));
    }
}

QTEST_GUILESS_MAIN(NumericTextTest)
#include "tst_numerictext.moc"
