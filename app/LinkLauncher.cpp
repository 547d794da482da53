// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/LinkLauncher.h"

#include <QDesktopServices>
#include <QUrl>

namespace app {

namespace LinkLauncher {

void open(QWidget *owner, const QString &address)
{
    // The desktop service needs no owner window; the parameter keeps the
    // callers saying which window asked.
    Q_UNUSED(owner);
    QDesktopServices::openUrl(QUrl(address));
}

} // namespace LinkLauncher

} // namespace app
