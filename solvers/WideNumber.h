// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The arithmetic of one formula. Every operation rounds its result to 53
// significant bits, as binary64 does, but the exponent has the range of the
// 80-bit extended format, so a quotient or product may leave the binary64
// range in the middle of a formula and come back. Only storing the result as
// binary64 limits the range.
//
// A value is a binary64 significand in [1, 2) (or zero, an infinity, NaN)
// scaled by a power of two held in an int. Doing each operation on the
// significands in binary64 gives exactly one rounding to 53 bits, so results
// are the same on every platform.
//
// Faults travel with the values like a floating-point status word: the first
// one raised in the formula (in order of evaluation) is kept. A formula that
// divides a non-zero number by zero and then multiplies by zero reports the
// division by zero, because it happened first.

#include <cstdint>

namespace solvers {

class WideNumber
{
public:
    enum class Fault : std::uint8_t { None, DivisionByZero, Invalid, Overflow };

    constexpr WideNumber() = default;
    WideNumber(double value); // NOLINT: every binary64 value is a WideNumber

    friend WideNumber operator+(const WideNumber &a, const WideNumber &b);
    friend WideNumber operator-(const WideNumber &a, const WideNumber &b);
    friend WideNumber operator*(const WideNumber &a, const WideNumber &b);
    friend WideNumber operator/(const WideNumber &a, const WideNumber &b);
    WideNumber operator-() const;

    // The power operation works on binary64: the base is stored first, and
    // the result is a binary64 value (a square beyond the binary64 range is
    // an overflow, a square below it underflows harmlessly).
    static WideNumber power(const WideNumber &base, double exponent);

    Fault fault() const { return firstFault; }

    // The value rounded to binary64, as it is stored; an infinity or NaN
    // where the value lies outside the binary64 range or is not a number.
    double toDouble() const;

private:
    static WideNumber make(double significand, long long exponent, Fault inherited);
    static Fault firstOf(const WideNumber &a, const WideNumber &b);

    double significand = 0.0; // [1, 2) in magnitude, or 0, inf, NaN (then exponent is 0)
    int exponent = 0;
    Fault firstFault = Fault::None;
};

} // namespace solvers
