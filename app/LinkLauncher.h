// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QWidget;

namespace app {

namespace LinkLauncher {

// Asks the desktop to open a web address in the user's browser. Whatever
// happens then (no browser, no network) is not the program's concern: the
// outcome is ignored and nothing is shown.
void open(QWidget *owner, const QString &address);

} // namespace LinkLauncher

} // namespace app
