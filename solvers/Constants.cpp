// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "solvers/Constants.h"

namespace solvers {

namespace {

// CODATA 2022; c, h, e and g are exact by the definitions of the SI.
// clang-format off
constexpr PhysicalConstant Constants[] = {
    {"speed of light in vacuum", "c", "299792458", "m/s"},
    {"gravitational constant", "G", "6.67430E-11", "m^3 kg^-1 s^-2"},
    {"Planck constant", "h", "6.62607015E-34", "J s"},
    {"elementary charge", "e", "1.602176634E-19", "C"},
    {"electron mass", "m_e", "9.1093837139E-31", "kg"},
    {"proton mass", "m_p", "1.67262192595E-27", "kg"},
    {"atomic mass unit", "u", "1.66053906892E-27", "kg"},
    {"standard gravity", "g", "9.80665", "m/s^2"},
    {"Coulomb constant", "k", "8.9875517862E9", "N m^2/C^2"},
    {"vacuum permittivity", "epsilon0", "8.8541878188E-12", "F/m"},
    {"vacuum permeability", "mu0", "1.25663706127E-6", "N/A^2"},
};
// clang-format on

} // namespace

std::span<const PhysicalConstant> physicalConstants() { return Constants; }

} // namespace solvers
