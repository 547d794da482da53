#pragma once

// Every window definition of the program, for code that goes through them
// all (tools and tests); the program itself registers them one by one.

#include "forms/WindowDefinition.h"

#include <vector>

namespace forms {

std::vector<const WindowDefinition *> allWindowDefinitions();

} // namespace forms
