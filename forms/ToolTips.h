// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <string_view>

namespace forms {

// The tooltip of a calculator's or converter's text box, found by the box's
// accessible name (the quantity it holds): that quantity with its unit,
// "current I, in amperes (A)". Empty for a box without a unit.
QString unitToolTip(std::string_view accessibleName);

} // namespace forms
