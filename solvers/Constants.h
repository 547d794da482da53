// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <span>
#include <string_view>

namespace solvers {

// A physical constant as a student inserts it into a calculator: its value
// written so that the loose reading reads it whole (E for the power of ten).
struct PhysicalConstant {
    std::string_view name;
    std::string_view symbol;
    std::string_view value;
    std::string_view unit;
};

// The constants the formulas use, CODATA 2022 values.
std::span<const PhysicalConstant> physicalConstants();

} // namespace solvers
