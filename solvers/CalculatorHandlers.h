// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The calculator windows: each window's definition with the formula it
// computes and where its Back and Exit lead, and the one set of handlers
// serving them all.

#include "solvers/Formulas.h"

#include <span>

namespace forms {
struct WindowDefinition;
}

namespace app {
class WindowEvents;
}

namespace solvers {

struct Calculator {
    const forms::WindowDefinition &window;
    Formula formula;
    const forms::WindowDefinition &backTo; // the window Back shows
    bool exitHides = false;                // Exit hides the window and shows the index instead of unloading it
    bool donationPanel = false;
    bool text4Strict = false; // Text4 must be a number as a whole
};

std::span<const Calculator> calculators();

void bindCalculator(app::WindowEvents &events, const Calculator &calculator);

} // namespace solvers
