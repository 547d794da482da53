// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QLineEdit;

namespace solvers {

// Gives a calculator's input box a right-click menu with Qt's standard
// entries and "Insert constant", which inserts a constant's value at the
// caret as the box reads it.
void addConstantsMenu(QLineEdit *box);

} // namespace solvers
