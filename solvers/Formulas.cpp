// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "solvers/Formulas.h"

#include "solvers/NumericText.h"

namespace solvers {

using NumericText::parseLoose;
using NumericText::store;
using W = WideNumber;

// Each formula in its order of operations; every operation is one step of
// the formula's arithmetic (WideNumber), checked and stored at the end.

double accelerationInField(const FormulaInputs &in) // a = (q / m) x E
{
    return store((W(parseLoose(in.text2)) / parseLoose(in.text3)) * parseLoose(in.text4));
}

double beatFrequency(const FormulaInputs &in) // f = f1 - f2
{
    return store(W(parseLoose(in.text2)) - parseLoose(in.text3));
}

double product(const FormulaInputs &in) // M = I w, E = c B, F = m a, tau = m B, V = I R
{
    return store(W(parseLoose(in.text2)) * parseLoose(in.text3));
}

double deBroglie(const FormulaInputs &in) // lambda = h / (m v)
{
    const W mv = W(parseLoose(in.text3)) * parseLoose(in.text4);
    return store(W(parseLoose(in.text2)) / mv);
}

double centripetal(const FormulaInputs &in) // a = v^2 / r
{
    return store(W::power(parseLoose(in.text3), 2) / parseLoose(in.text2));
}

// E = m c^2, then once more through text: the result the window shows.
double massEnergy(const FormulaInputs &in)
{
    const W energy = W(parseLoose(in.text2)) * W::power(parseLoose(in.text3), 2);
    return NumericText::throughText(store(energy));
}

double springConstant(const FormulaInputs &in) // k = F / x
{
    return store(W(parseLoose(in.text2)) / parseLoose(in.text3));
}

// R = k (f + 10 g); g must be a number as a whole, and 10 g passes through
// text before it is added.
double zurich(const FormulaInputs &in)
{
    const double g = NumericText::throughText(store(W(NumericText::parseStrict(in.text4)) * 10.0));
    return store((W(parseLoose(in.text3)) + g) * parseLoose(in.text2));
}

double schwarzschild(const FormulaInputs &in) // r = 2 G M / c^2
{
    const W numerator = (W(2.0) * parseLoose(in.text2)) * parseLoose(in.text3);
    return store(numerator / W::power(parseLoose(in.text4), 2));
}

} // namespace solvers
