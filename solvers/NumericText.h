// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The program's rules for turning the text of a box into a number and a
// result back into text, and for deciding when arithmetic has failed.

#include "solvers/WideNumber.h"

#include <QString>
#include <QStringView>

namespace solvers::NumericText {

// The user's regional decimal and thousands separators.
struct Separators {
    QString decimal = QStringLiteral(".");
    QString thousands = QStringLiteral(",");

    static Separators system(); // from QLocale::system()
    static Separators point() { return {}; }
};

// The leading number of a text; anything that is no number reads as 0. Only
// "." is a decimal point, whatever the regional settings. A decimal number
// beyond the binary64 range raises RunTimeError 6, a &H or &O number beyond
// 32 bits likewise.
double parseLoose(QStringView text);

// The loose reading of a text and how far it got: text.sliced(end) is what
// was not read (blanks before end count as read), number what was read,
// without its blanks.
struct LooseReading {
    double value = 0.0;
    qsizetype end = 0;
    QString number;
};
LooseReading readLoose(QStringView text);

// The whole text as a number by the regional settings, or RunTimeError 13.
double parseStrict(QStringView text, const Separators &separators = Separators::system());

// At most 15 significant digits; scientific form ("1E+15", "1E-05") outside
// the decimal exponents -4 to 14; negative zero as "0".
QString format(double value, const Separators &separators = Separators::system());

// RunTimeError 11 for a division by zero, 6 for an invalid operation or an
// overflow; nothing when the formula raised no fault.
void checkFaults(WideNumber::Fault status);

// Checks the faults of a formula's result and stores it as binary64; a
// result beyond the binary64 range raises RunTimeError 6.
double store(const WideNumber &result);

// A number rounded the way formatting and reading back rounds it, as the
// mass-energy and sunspot formulas require. It formats with "." so that the
// read-back keeps the fraction whatever the regional settings.
double throughText(double value);

} // namespace solvers::NumericText
