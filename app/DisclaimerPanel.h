// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace app {

class WindowEvents;

// The donation notice some calculator windows carry: a frame with a text and
// the PayPal button picture Image2, which opens DonateUrl on a single click.
namespace DisclaimerPanel {

void bind(WindowEvents &events);

} // namespace DisclaimerPanel

} // namespace app
