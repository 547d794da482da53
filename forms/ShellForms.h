#pragma once

// Definitions of the main window, the formula index, the unit converter
// window and the dictionary window.

#include "forms/WindowDefinition.h"

namespace forms {

const WindowDefinition &mainWindowDefinition();     // frmPhysicsMain
const WindowDefinition &formulaIndexDefinition();   // Formulasolvers
const WindowDefinition &convertersDefinition();     // converters
const WindowDefinition &dictionaryDefinition();     // dictionary

} // namespace forms
