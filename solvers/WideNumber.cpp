// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "solvers/WideNumber.h"

#include <cmath>
#include <limits>

namespace solvers {

namespace {

// The extended format's exponent range: beyond it the register overflows;
// below its smallest denormal a value is zero. (The formulas of this program
// come nowhere near either limit; they are kept for fidelity.)
constexpr long long MaxExponent = 16383;
constexpr long long MinExponent = -16445;

bool isSpecial(double significand) { return significand == 0.0 || !std::isfinite(significand); }

} // namespace

WideNumber::WideNumber(double value)
{
    if (isSpecial(value)) {
        significand = value;
        return;
    }
    int e = 0;
    significand = std::frexp(value, &e) * 2.0; // [0.5, 1) -> [1, 2)
    exponent = e - 1;
}

WideNumber WideNumber::make(double m, long long e, Fault inherited)
{
    WideNumber result;
    result.firstFault = inherited;
    if (isSpecial(m)) {
        result.significand = m;
        return result;
    }
    int shift = 0;
    m = std::frexp(m, &shift) * 2.0;
    e += shift - 1;
    if (e > MaxExponent) {
        result.significand = std::copysign(std::numeric_limits<double>::infinity(), m);
        if (inherited == Fault::None)
            result.firstFault = Fault::Overflow;
        return result;
    }
    if (e < MinExponent) {
        result.significand = std::copysign(0.0, m);
        return result;
    }
    result.significand = m;
    result.exponent = int(e);
    return result;
}

WideNumber::Fault WideNumber::firstOf(const WideNumber &a, const WideNumber &b)
{
    return a.firstFault != Fault::None ? a.firstFault : b.firstFault;
}

// Faults raised by an operation on special operands: an invalid operation
// where a NaN comes from numbers, a division by zero for x / 0 with x finite
// and not zero.
namespace {
WideNumber::Fault specialFault(double a, double b, double result, bool division)
{
    if (std::isnan(result) && !std::isnan(a) && !std::isnan(b))
        return WideNumber::Fault::Invalid;
    if (division && b == 0.0 && std::isfinite(a) && a != 0.0)
        return WideNumber::Fault::DivisionByZero;
    return WideNumber::Fault::None;
}
} // namespace

WideNumber operator*(const WideNumber &a, const WideNumber &b)
{
    const WideNumber::Fault inherited = WideNumber::firstOf(a, b);
    if (isSpecial(a.significand) || isSpecial(b.significand)) {
        const double m = a.significand * b.significand;
        const auto own = specialFault(a.significand, b.significand, m, false);
        return WideNumber::make(m, 0, inherited != WideNumber::Fault::None ? inherited : own);
    }
    return WideNumber::make(a.significand * b.significand, (long long)a.exponent + b.exponent, inherited);
}

WideNumber operator/(const WideNumber &a, const WideNumber &b)
{
    const WideNumber::Fault inherited = WideNumber::firstOf(a, b);
    if (isSpecial(a.significand) || isSpecial(b.significand)) {
        const double m = a.significand / b.significand;
        const auto own = specialFault(a.significand, b.significand, m, true);
        return WideNumber::make(m, 0, inherited != WideNumber::Fault::None ? inherited : own);
    }
    return WideNumber::make(a.significand / b.significand, (long long)a.exponent - b.exponent, inherited);
}

WideNumber operator+(const WideNumber &a, const WideNumber &b)
{
    const WideNumber::Fault inherited = WideNumber::firstOf(a, b);
    if (isSpecial(a.significand) || isSpecial(b.significand)) {
        // With a zero operand the sum is the other one (0 + -0 is +0); with
        // infinities or NaN the significands alone decide.
        if (a.significand == 0.0 && std::isfinite(b.significand) && b.significand != 0.0)
            return WideNumber::make(b.significand, b.exponent, inherited);
        if (b.significand == 0.0 && std::isfinite(a.significand) && a.significand != 0.0)
            return WideNumber::make(a.significand, a.exponent, inherited);
        const double m = a.significand + b.significand;
        const auto own = specialFault(a.significand, b.significand, m, false);
        return WideNumber::make(m, 0, inherited != WideNumber::Fault::None ? inherited : own);
    }
    // Scale the smaller operand to the larger one's exponent. A gap of more
    // than 60 binary places puts it below half a unit in the last place of
    // the larger: it cannot change the rounded sum, and any non-zero value of
    // that size rounds the same way. Within the gap ldexp is exact.
    const WideNumber &big = a.exponent >= b.exponent ? a : b;
    const WideNumber &small = a.exponent >= b.exponent ? b : a;
    const long long gap = (long long)big.exponent - small.exponent;
    const double scaled = std::ldexp(small.significand, -int(gap < 64 ? gap : 64));
    return WideNumber::make(big.significand + scaled, big.exponent, inherited);
}

WideNumber operator-(const WideNumber &a, const WideNumber &b) { return a + (-b); }

WideNumber WideNumber::operator-() const
{
    WideNumber negated = *this;
    negated.significand = -significand;
    return negated;
}

WideNumber WideNumber::power(const WideNumber &base, double exponentValue)
{
    const double stored = base.toDouble();
    // A square is one multiplication, correctly rounded on every platform;
    // other powers go to the C library.
    const double result = exponentValue == 2.0 ? stored * stored : std::pow(stored, exponentValue);
    WideNumber wide(result);
    if (base.firstFault != Fault::None)
        wide.firstFault = base.firstFault;
    else if (std::isinf(result) && std::isfinite(stored))
        wide.firstFault = Fault::Overflow;
    else if (std::isnan(result) && !std::isnan(stored))
        wide.firstFault = Fault::Invalid;
    return wide;
}

double WideNumber::toDouble() const
{
    if (isSpecial(significand))
        return significand;
    // One rounding, to nearest: into the subnormal range or to infinity.
    return std::ldexp(significand, exponent);
}

} // namespace solvers
