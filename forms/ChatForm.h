#pragma once

// Definition of the Live Help chat window.

#include "forms/WindowDefinition.h"

namespace forms {

const WindowDefinition &chatDefinition(); // Chat

} // namespace forms
