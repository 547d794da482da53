// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The formulas of the calculator windows. Each reads its inputs loosely (the
// sunspot formula's g strictly), computes in the formula's arithmetic, checks
// the faults and stores the result as binary64, raising RunTimeError as the
// number rules say.

#include <QString>

namespace solvers {

// The texts of the input boxes Text2, Text3 and Text4 (empty where a window
// has no such box).
struct FormulaInputs {
    QString text2;
    QString text3;
    QString text4;
};

using Formula = double (*)(const FormulaInputs &inputs);

double accelerationInField(const FormulaInputs &in); // a = (q / m) x E
double beatFrequency(const FormulaInputs &in);       // f = f1 - f2
double product(const FormulaInputs &in);             // M = I w, E = c B, F = m a, tau = m B, V = I R
double deBroglie(const FormulaInputs &in);           // lambda = h / (m v)
double centripetal(const FormulaInputs &in);         // a = v^2 / r
double massEnergy(const FormulaInputs &in);          // E = m c^2, rounded through text
double springConstant(const FormulaInputs &in);      // k = F / x
double zurich(const FormulaInputs &in);              // R = k (f + 10 g)
double schwarzschild(const FormulaInputs &in);       // r = 2 G M / c^2

} // namespace solvers
