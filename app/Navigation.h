// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The two moves most windows share, as handlers bound to a control.

#include <QAnyStringView>
#include <QString>

namespace app {

class WindowEvents;

// Back buttons: hide this window first, then show the target.
void bindHideThenShow(WindowEvents &events, const QString &control, QAnyStringView target);

// Exit entries that unload their own window and show nothing else.
void bindUnloadSelf(WindowEvents &events, const QString &control);

} // namespace app
