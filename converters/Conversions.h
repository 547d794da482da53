// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The ten conversions of the converter window: which box each reads, which
// it writes, and its formula.

#include "solvers/WideNumber.h"

#include <span>
#include <string_view>

namespace converters {

using solvers::WideNumber;

struct Conversion {
    std::string_view button;
    std::string_view input;
    std::string_view output;
    WideNumber (*formula)(const WideNumber &x); // operations in the order written
};

std::span<const Conversion> conversions();

// The conversion that runs while the user types into the inches box Text5.
const Conversion &inchesToCentimetres();

} // namespace converters
