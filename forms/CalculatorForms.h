#pragma once

// Definitions of the calculator windows, one per formula.

#include "forms/WindowDefinition.h"

#include <span>

namespace forms {

std::span<const WindowDefinition> calculatorDefinitions();

} // namespace forms
