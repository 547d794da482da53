// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QWidget;

namespace app {

// A note beside a control, drawn like a tooltip: it never takes the focus or
// blocks, and goes away at the next key press or mouse click anywhere in the
// program. At most one is shown at a time.
namespace Balloon {

void show(QWidget *beside, const QString &text);
void hide();
QWidget *current(); // nullptr when none is shown

} // namespace Balloon

} // namespace app
