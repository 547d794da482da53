// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/ToolTips.h"

#include "forms/Controls.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace forms {

namespace {

// Every quantity of the calculators in SI units (the formulas hold in any
// consistent units; these are the ones a student is taught), and both boxes
// of every conversion.
// clang-format off
constexpr std::pair<std::string_view, std::string_view> ToolTips[] = {
    {"acceleration a", "acceleration a, in metres per second squared (m/s^2)"},
    {"angular momentum M", "angular momentum M, in kilogram square metres per second (kg m^2/s)"},
    {"angular velocity w", "angular velocity w, in radians per second (rad/s)"},
    {"beat frequency f", "beat frequency f, in hertz (Hz)"},
    {"centripetal acceleration a", "centripetal acceleration a, in metres per second squared (m/s^2)"},
    {"charge q", "charge q, in coulombs (C)"},
    {"current I", "current I, in amperes (A)"},
    {"electric field E", "electric field E, in volts per metre (V/m)"},
    {"energy E", "energy E, in joules (J)"},
    {"extension x", "extension x, in metres (m)"},
    {"force F", "force F, in newtons (N)"},
    {"frequency f1", "frequency f1, in hertz (Hz)"},
    {"frequency f2", "frequency f2, in hertz (Hz)"},
    {"gravitational constant G", "gravitational constant G, in N m^2/kg^2"},
    {"group count g", "group count g, the number of groups of sunspots"},
    {"magnetic field B", "magnetic field B, in teslas (T)"},
    {"magnetic moment m", "magnetic moment m, in ampere square metres (A m^2)"},
    {"mass M", "mass M, in kilograms (kg)"},
    {"mass m", "mass m, in kilograms (kg)"},
    {"moment of inertia I", "moment of inertia I, in kilogram square metres (kg m^2)"},
    {"observatory factor k", "observatory factor k, a number without a unit"},
    {"Planck's constant h", "Planck's constant h, in joule seconds (J s)"},
    {"radius r", "radius r, in metres (m)"},
    {"resistance R", "resistance R, in ohms"},
    {"Schwarzschild radius r", "Schwarzschild radius r, in metres (m)"},
    {"speed of light c", "speed of light c, in metres per second (m/s)"},
    {"speed v", "speed v, in metres per second (m/s)"},
    {"spot count f", "spot count f, the number of single sunspots"},
    {"spring constant k", "spring constant k, in newtons per metre (N/m)"},
    {"sunspot number R", "sunspot number R, a number without a unit"},
    {"torque tau", "torque tau, in newton metres (N m)"},
    {"velocity v", "velocity v, in metres per second (m/s)"},
    {"voltage V", "voltage V, in volts (V)"},
    {"wavelength lambda", "wavelength lambda, in metres (m)"},
    {"kilometers to convert to miles", "distance in kilometers"},  {"miles converted from kilometers", "distance in miles"},
    {"miles to convert to kilometers", "distance in miles"},       {"kilometers converted from miles", "distance in kilometers"},
    {"inches to convert to centimeters", "distance in inches"},    {"centimeters converted from inches", "distance in centimeters"},
    {"inches to convert to meters", "distance in inches"},         {"meters converted from inches", "distance in meters"},
    {"feet to convert to meters", "distance in feet"},             {"meters converted from feet", "distance in meters"},
    {"yards to convert to meters", "distance in yards"},           {"meters converted from yards", "distance in meters"},
    {"feet to convert to centimeters", "distance in feet"},        {"centimeters converted from feet", "distance in centimeters"},
    {"degrees Fahrenheit to convert to Celsius", "temperature in degrees Fahrenheit"},
    {"degrees Celsius converted from Fahrenheit", "temperature in degrees Celsius"},
    {"degrees Celsius to convert to Fahrenheit", "temperature in degrees Celsius"},
    {"degrees Fahrenheit converted from Celsius", "temperature in degrees Fahrenheit"},
    {"degrees Rankine to convert to Fahrenheit", "temperature in degrees Rankine"},
    {"degrees Fahrenheit converted from Rankine", "temperature in degrees Fahrenheit"},
};
// clang-format on

} // namespace

QString unitToolTip(std::string_view accessibleName)
{
    const auto row = std::find_if(std::begin(ToolTips), std::end(ToolTips),
                                  [&](const auto &tip) { return tip.first == accessibleName; });
    return row == std::end(ToolTips) ? QString() : toQString(row->second);
}

} // namespace forms
