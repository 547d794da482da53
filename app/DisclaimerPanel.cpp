// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/DisclaimerPanel.h"

#include "LinkAddresses.h"
#include "app/LinkLauncher.h"
#include "app/WindowEvents.h"
#include "forms/FormWidgets.h"

namespace app {

namespace DisclaimerPanel {

void bind(WindowEvents &events)
{
    forms::Form *owner = &events.window();
    // Bound to the click, not the double click the panel's text speaks of:
    // a double click opens the page once, through its first click.
    events.onClick(QStringLiteral("Image2"), [owner] { LinkLauncher::open(owner, QString::fromUtf8(DonateUrl)); });
}

} // namespace DisclaimerPanel

} // namespace app
