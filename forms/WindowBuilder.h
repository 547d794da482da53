// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/WindowDefinition.h"

#include <QFont>
#include <memory>

namespace forms {

class Form;

// Builds a hidden top-level window from its definition: menu bar, a client
// area of exactly the defined size below it, every control named after its
// definition, frames as containers, list order as drawing order (earlier in
// front), focus order by tab position.
std::unique_ptr<Form> buildWindow(const WindowDefinition &definition);

// The desktop font standing in for a font the layouts name.
QFont toQFont(const FontStyle &font);

} // namespace forms
