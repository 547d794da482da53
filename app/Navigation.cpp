// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Navigation.h"

#include "app/WindowEvents.h"
#include "app/WindowManager.h"
#include "forms/FormWidgets.h"

namespace app {

void bindHideThenShow(WindowEvents &events, const QString &control, QAnyStringView target)
{
    WindowManager *windows = &events.manager();
    const QString self = events.window().objectName();
    events.onClick(control, [windows, self, target = target.toString()] {
        windows->hide(self);
        windows->show(target);
    });
}

void bindUnloadSelf(WindowEvents &events, const QString &control)
{
    WindowManager *windows = &events.manager();
    const QString self = events.window().objectName();
    events.onClick(control, [windows, self] { windows->unload(self); });
}

} // namespace app
