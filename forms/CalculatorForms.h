// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Definitions of the calculator windows, one per formula.

#include "forms/WindowDefinition.h"

namespace forms {

inline constexpr std::string_view AccelerationInFieldName = "Form1";
extern const WindowDefinition AccelerationInField;

inline constexpr std::string_view BeatFrequencyName = "BeatFrequency";
extern const WindowDefinition BeatFrequency;

inline constexpr std::string_view AngularMomentumName = "AngularMomemtum";
extern const WindowDefinition AngularMomentum;

inline constexpr std::string_view DeBroglieWavelengthName = "DeBroglieWavelength";
extern const WindowDefinition DeBroglieWavelength;

inline constexpr std::string_view CentripetalName = "Centripetal";
extern const WindowDefinition Centripetal;

inline constexpr std::string_view ElectricMagneticFieldName = "ElectricMagneticField";
extern const WindowDefinition ElectricMagneticField;

inline constexpr std::string_view MassEnergyName = "massenergy";
extern const WindowDefinition MassEnergy;

inline constexpr std::string_view NewtonSecondLawName = "newtonsecondlaw";
extern const WindowDefinition NewtonSecondLaw;

inline constexpr std::string_view SpringConstantName = "springconstant";
extern const WindowDefinition SpringConstant;

inline constexpr std::string_view ZurichName = "Zurich";
extern const WindowDefinition Zurich;

inline constexpr std::string_view TorqueName = "Torque2";
extern const WindowDefinition Torque;

inline constexpr std::string_view VoltageName = "Voltage2";
extern const WindowDefinition Voltage;

inline constexpr std::string_view SchwarzschildName = "Schwarzschild";
extern const WindowDefinition Schwarzschild;

} // namespace forms
