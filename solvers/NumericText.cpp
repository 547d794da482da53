// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "solvers/NumericText.h"

#include "core/RunTimeError.h"

#include <QLocale>
#include <QVarLengthArray>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace solvers::NumericText {

using core::RunTimeError;

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int value = 99;
    if (u >= u'0' && u <= u'9')
        value = u - u'0';
    else if (u >= u'a' && u <= u'f')
        value = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        value = u - u'A' + 10;
    return value < base ? value : -1;
}

// Reads the whole number after "&H" or "&O" as two's complement: 16-bit when
// it is written with no more digits than a 16-bit number needs and fits, else
// 32-bit. *used receives the count of characters read after the prefix.
double radixNumber(QStringView digits, int base, qsizetype *used)
{
    std::uint64_t value = 0;
    qsizetype count = 0;
    bool tooLarge = false;
    for (; count < digits.size(); ++count) {
        const int d = digitValue(digits[count], base);
        if (d < 0)
            break;
        // Past 32 bits the number is refused, but its digits are still read.
        if (!tooLarge)
            value = value * std::uint64_t(base) + std::uint64_t(d);
        tooLarge = tooLarge || value > 0xFFFFFFFFu;
    }
    *used = count;
    if (tooLarge)
        throw RunTimeError::overflow();
    const qsizetype sixteenBitDigits = base == 16 ? 4 : 6;
    if (count <= sixteenBitDigits && value <= 0xFFFF)
        return double(std::int16_t(std::uint16_t(value)));
    return double(std::int32_t(std::uint32_t(value)));
}

// Decimal digits, an optional "." with more digits, an optional exponent,
// collected as ASCII for from_chars. Reads from text at *pos, which moves past
// what was read; decimal is the decimal separator to accept.
struct DecimalScan {
    QVarLengthArray<char, 64> chars; // "[-]digits[.digits]", without allocating for ordinary numbers
    bool anyDigit = false;
    bool nonZero = false;
    long long leadExponent = 0; // decimal exponent of the first significant digit, before the exponent part
};

// Parses the collected text; a value beyond the binary64 range is an
// overflow, one below it is zero.
double convert(DecimalScan &scan, long long exponent)
{
    const bool negative = scan.chars.front() == '-';
    if (!scan.nonZero)
        return negative ? -0.0 : 0.0;
    // An exponent far beyond the range of any value with these digits says
    // all there is to say; keep it to a size from_chars takes.
    const long long limit = (long long)scan.chars.size() + 400;
    const long long clamped = exponent > limit ? limit : exponent < -limit ? -limit : exponent;
    if (clamped != 0) {
        char digits[24];
        const auto written = std::to_chars(digits, digits + sizeof digits, clamped);
        scan.chars.append('e');
        scan.chars.append(digits, written.ptr - digits);
    }
    double value = 0.0;
    const auto result
        = std::from_chars(scan.chars.data(), scan.chars.data() + scan.chars.size(), value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        if (scan.leadExponent + clamped > 0)
            throw RunTimeError::overflow();
        return negative ? -0.0 : 0.0;
    }
    return value;
}

// Mantissa: digits with at most one decimal separator, and thousands
// separators after the first integer digit when thousands is not empty.
void scanMantissa(QStringView text, qsizetype &pos, QStringView decimal, QStringView thousands, DecimalScan &scan)
{
    bool inFraction = false;
    long long integerDigits = 0;        // counted from the first significant one
    long long leadingFractionZeros = 0; // before the first significant digit
    while (pos < text.size()) {
        const QChar c = text[pos];
        if (isDigit(c)) {
            scan.chars.append(char(c.unicode()));
            scan.anyDigit = true;
            scan.nonZero = scan.nonZero || c != u'0';
            if (!inFraction && scan.nonZero)
                ++integerDigits;
            else if (inFraction && !scan.nonZero)
                ++leadingFractionZeros;
            ++pos;
        } else if (!inFraction && text.sliced(pos).startsWith(decimal)) {
            scan.chars.append('.');
            inFraction = true;
            pos += decimal.size();
        } else if (!inFraction && scan.anyDigit && !thousands.isEmpty() && text.sliced(pos).startsWith(thousands)) {
            pos += thousands.size();
        } else {
            break;
        }
    }
    scan.leadExponent = integerDigits > 0 ? integerDigits - 1 : -(leadingFractionZeros + 1);
}

// An exponent "E" or "e", an optional sign and at least one digit; saturates
// instead of wrapping. Leaves pos alone when there is none.
bool scanExponent(QStringView text, qsizetype &pos, long long &exponent)
{
    qsizetype p = pos;
    if (p >= text.size() || (text[p] != u'E' && text[p] != u'e'))
        return false;
    ++p;
    bool negative = false;
    if (p < text.size() && (text[p] == u'+' || text[p] == u'-'))
        negative = text[p++] == u'-';
    if (p >= text.size() || !isDigit(text[p]))
        return false;
    long long value = 0;
    for (; p < text.size() && isDigit(text[p]); ++p)
        value = value > 100'000'000'000LL ? value : value * 10 + (text[p].unicode() - u'0');
    exponent = negative ? -value : value;
    pos = p;
    return true;
}

// An optional sign, the mantissa and an optional exponent from the start of
// s; end is where the number stopped.
struct DecimalNumber {
    DecimalScan scan;
    long long exponent = 0;
    qsizetype end = 0;
};

DecimalNumber scanDecimal(QStringView s, QStringView decimal, QStringView thousands)
{
    DecimalNumber number;
    qsizetype &pos = number.end;
    if (pos < s.size() && (s[pos] == u'+' || s[pos] == u'-')) {
        if (s[pos] == u'-')
            number.scan.chars.append('-');
        ++pos;
    }
    scanMantissa(s, pos, decimal, thousands, number.scan);
    scanExponent(s, pos, number.exponent);
    return number;
}

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }

} // namespace

Separators Separators::system()
{
    const QLocale locale = QLocale::system();
    return {locale.decimalPoint(), locale.groupSeparator()};
}

namespace {

// The loose reading of a text without blanks; *used receives how many of its
// characters belong to the number (none when no digit was read).
double readCompact(QStringView s, qsizetype *used)
{
    *used = 0;
    if (s.isEmpty())
        return 0.0;

    if (s.size() >= 2 && s[0] == u'&') {
        const QChar kind = s[1].toUpper();
        if (kind != u'H' && kind != u'O')
            return 0.0;
        qsizetype digits = 0;
        const double value = radixNumber(s.sliced(2), kind == u'H' ? 16 : 8, &digits);
        *used = digits > 0 ? digits + 2 : 0;
        return value;
    }

    DecimalNumber number = scanDecimal(s, u".", {});
    if (!number.scan.anyDigit)
        return 0.0;
    *used = number.end;
    return convert(number.scan, number.exponent);
}

// Blanks count for nothing, also between digits: "1 000" is 1000.
QVarLengthArray<QChar, 64> withoutBlanks(QStringView text)
{
    QVarLengthArray<QChar, 64> compact;
    for (const QChar c : text)
        if (!isBlank(c))
            compact.append(c);
    return compact;
}

} // namespace

double parseLoose(QStringView text)
{
    const auto compact = withoutBlanks(text);
    qsizetype used = 0;
    return readCompact(QStringView(compact.data(), compact.size()), &used);
}

LooseReading readLoose(QStringView text)
{
    const auto compact = withoutBlanks(text);
    LooseReading reading;
    qsizetype used = 0;
    reading.value = readCompact(QStringView(compact.data(), compact.size()), &used);
    reading.number = QString(compact.data(), used);
    // Back from the characters read to where they end in the text itself.
    for (qsizetype counted = 0; counted < used; ++reading.end)
        if (!isBlank(text[reading.end]))
            ++counted;
    return reading;
}

double parseStrict(QStringView text, const Separators &separators)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (text[begin] == u' ' || text[begin] == u'\t'))
        ++begin;
    while (end > begin && (text[end - 1] == u' ' || text[end - 1] == u'\t'))
        --end;
    const QStringView s = text.sliced(begin, end - begin);
    if (s.isEmpty())
        throw RunTimeError::typeMismatch();

    if (s.size() >= 2 && s[0] == u'&') {
        const QChar kind = s[1].toUpper();
        if (kind != u'H' && kind != u'O')
            throw RunTimeError::typeMismatch();
        qsizetype used = 0;
        const double value = radixNumber(s.sliced(2), kind == u'H' ? 16 : 8, &used);
        if (used == 0 || used != s.size() - 2)
            throw RunTimeError::typeMismatch();
        return value;
    }

    DecimalNumber number = scanDecimal(s, separators.decimal, separators.thousands);
    if (!number.scan.anyDigit || number.end != s.size())
        throw RunTimeError::typeMismatch();
    return convert(number.scan, number.exponent);
}

QString format(double value, const Separators &separators)
{
    if (value == 0.0)
        return QStringLiteral("0"); // also a negative zero
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    QString text;
    text.reserve(result.ptr - buffer);
    for (const char *p = buffer; p != result.ptr; ++p) {
        if (*p == '.')
            text += separators.decimal;
        else if (*p == 'e')
            text += u'E';
        else
            text += QLatin1Char(*p);
    }
    return text;
}

void checkFaults(WideNumber::Fault status)
{
    switch (status) {
    case WideNumber::Fault::None: return;
    case WideNumber::Fault::DivisionByZero: throw RunTimeError::divisionByZero();
    case WideNumber::Fault::Invalid:
    case WideNumber::Fault::Overflow: throw RunTimeError::overflow();
    }
}

double store(const WideNumber &result)
{
    checkFaults(result.fault());
    const double stored = result.toDouble();
    if (!std::isfinite(stored))
        throw RunTimeError::overflow();
    return stored;
}

double throughText(double value) { return parseLoose(format(value, Separators::point())); }

} // namespace solvers::NumericText
