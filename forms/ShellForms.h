// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Definitions of the main window, the formula index, the unit converter
// window and the dictionary window.

#include "forms/WindowDefinition.h"

namespace forms {

inline constexpr std::string_view MainWindowName = "frmPhysicsMain";
extern const WindowDefinition MainWindow;

inline constexpr std::string_view FormulaIndexName = "Formulasolvers";
extern const WindowDefinition FormulaIndex;

inline constexpr std::string_view ConvertersName = "converters";
extern const WindowDefinition Converters;

inline constexpr std::string_view DictionaryName = "dictionary";
extern const WindowDefinition Dictionary;

} // namespace forms
