// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Definition of the Live Help chat window.

#include "forms/WindowDefinition.h"

namespace forms {

inline constexpr std::string_view ChatName = "Chat";
extern const WindowDefinition Chat;

} // namespace forms
